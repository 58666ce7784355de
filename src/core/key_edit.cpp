#include "core/key_edit.h"

#include "core/key_codec.h"

#include <vector>

namespace core {

namespace {

struct PlannedKey {
    NodeId node;
    QString key;
};

// The node's key with its nested-length word replaced.
QString withWord(const QString &key, int word)
{
    const QStringView rec = recordPart(key);
    return rec.left(rec.size() - 4).toString() + longToHex(word, 2, true) + keySuffix(key).toString();
}

// Works out the new keys of every block enclosing `node`, innermost first,
// or the reason one of them cannot take the change.
KeyEditResult plan(const DocTree &tree, NodeId node, int delta, std::vector<PlannedKey> *out)
{
    if (!tree.isValid(node))
        return {KeyEditStatus::NotInTree, node, 0};
    if (delta == 0)
        return {};
    // The structural nodes above the command lists (Section, Scene, root)
    // carry no command code: no length word lies beyond them.
    for (NodeId a = tree.parent(node); a != kNoNode && keyCode(tree.key(a)) >= 0; a = tree.parent(a)) {
        if (!holdsNestedList(tree, a))
            continue;  // a list holder without a word (a Section's body holder)
        const std::optional<int> word = nestedLength(tree, a);
        if (!word)
            return {KeyEditStatus::DamagedWord, a, 0};
        const std::int64_t next = std::int64_t(*word) + delta;
        if (next < kMinNestedLength || next > kMaxNestedLength)
            return {KeyEditStatus::LengthOutOfRange, a, next};
        QString key = withWord(tree.key(a), int(next));
        const NodeId holder = tree.find(key);
        if (holder != kNoNode && holder != a)
            return {KeyEditStatus::KeyTaken, a, next};
        if (out)
            out->push_back({a, std::move(key)});
    }
    return {};
}

} // namespace

bool holdsNestedList(const DocTree &tree, NodeId node)
{
    // Any command of a body or nested list that has children holds them in a
    // nested list, whatever its code: the reader hangs a child event under
    // the command behind the marker, block menu or not (a damaged file gives
    // such lists to 0x00 and text commands too), and the writer writes a
    // length word for every command with children. The one list holder
    // without a word is a Section's head end, which holds the body list.
    if (tree.childCount(node) == 0 || keyCode(tree.key(node)) < 0)
        return false;
    const NodeId parent = tree.parent(node);
    return parent != kNoNode && keyCode(tree.key(parent)) >= 0;
}

std::optional<int> nestedLength(const DocTree &tree, NodeId block)
{
    if (!holdsNestedList(tree, block))
        return std::nullopt;
    const QStringView rec = recordPart(tree.key(block));
    if (rec.size() < 8)  // code word + length word at least
        return std::nullopt;
    const auto word = hexToLong(rec, int(rec.size()) - 3, 2);
    if (!word)
        return std::nullopt;
    return int(*word);
}

int ownByteLength(const DocTree &tree, NodeId node)
{
    // A key not made yet is not made for its length: its record bytes give it.
    const QByteArrayView record = tree.pendingRecord(node);
    return record.isEmpty() ? recordLength(tree.key(node)) : int(record.size());
}

int branchByteLength(const DocTree &tree, NodeId node)
{
    // Iterative: nesting depth is not bounded by the format.
    int total = 0;
    std::vector<NodeId> stack{node};
    while (!stack.empty()) {
        const NodeId cur = stack.back();
        stack.pop_back();
        total += ownByteLength(tree, cur);
        for (int r = 0; r < tree.childCount(cur); ++r)
            stack.push_back(tree.child(cur, r));
    }
    return total;
}

KeyEditResult keyEditCheck(const DocTree &tree, NodeId node, int delta)
{
    return plan(tree, node, delta, nullptr);
}

KeyEditResult keyEdit(DocTree &tree, NodeId command, int delta)
{
    std::vector<PlannedKey> keys;
    const KeyEditResult result = plan(tree, command, delta, &keys);
    if (!result)
        return result;
    for (const PlannedKey &k : keys)
        tree.setKey(k.node, k.key);  // cannot fail: every new key was checked free
    return result;
}

KeyEditResult keyEditNode(DocTree &tree, NodeId node, int bytes, NodeChange change)
{
    return keyEdit(tree, node, change == NodeChange::Inserted ? bytes : -bytes);
}

} // namespace core
