#include "core/node_creation.h"

#include "core/catalogue.h"
#include "core/key_codec.h"

#include <utility>
#include <vector>

namespace core {

namespace {

constexpr int kVariableSetCode = 0x0B;
constexpr int kVariableSetNumberPos = 9;  // value of the first item of 0x0B

bool isSection(const DocTree &tree, NodeId n) { return tree.key(n).startsWith(u"Section_"); }

// The node that holds a Section's body list: the code-0 node under the Section.
bool isBodyHolder(const DocTree &tree, NodeId n)
{
    return keyCode(tree.key(n)) == kEndCode && isSection(tree, tree.parent(n));
}

// Nodes whose children form a command list: a Section (its head list), its
// body holder, and a block command that holds a nested list.
bool holdsCommandList(const DocTree &tree, NodeId n)
{
    return isSection(tree, n) || isBodyHolder(tree, n) || holdsNestedList(tree, n);
}

// Where a node placed against `selected` by `where` would go.
bool targetOf(const DocTree &tree, NodeId selected, Relation where, NodeId &parent, int &row)
{
    if (!tree.isValid(selected))
        return false;
    if (where == Relation::LastChild) {
        parent = selected;
        row = tree.childCount(selected);
    } else {
        parent = tree.parent(selected);
        row = tree.row(selected) + (where == Relation::After ? 1 : 0);
    }
    return parent != kNoNode;
}

// A command goes into a command list, never behind the list's end node.
bool commandFitsAt(const DocTree &tree, NodeId parent, int row)
{
    if (!holdsCommandList(tree, parent))
        return false;
    const int count = tree.childCount(parent);
    return row < count || count == 0 || keyCode(tree.key(tree.lastChild(parent))) != kEndCode;
}

// An end node goes only under a block command of a body or nested list that
// has no nested list yet.
bool endNodeFitsUnder(const DocTree &tree, NodeId block)
{
    return tree.isValid(block) && isBlockMenu(keyCode(tree.key(block))) && tree.childCount(block) == 0
        && !isSection(tree, tree.parent(block));
}

// The keys of a node and all its ancestors, to put back after a refused change.
class AncestorKeys
{
public:
    AncestorKeys(const DocTree &tree, NodeId from)
    {
        for (NodeId a = from; a != kNoNode; a = tree.parent(a))
            m_keys.emplace_back(a, tree.key(a));
    }
    void restore(DocTree &tree) const
    {
        for (const auto &[node, key] : m_keys)
            tree.setKey(node, key);
    }

private:
    std::vector<std::pair<NodeId, QString>> m_keys;
};

NodeAddError errorOf(const KeyEditResult &r)
{
    return r.status == KeyEditStatus::LengthOutOfRange ? NodeAddError::LengthOutOfRange
                                                       : NodeAddError::NestedWordUnusable;
}

bool isWhite(const QColor &c) { return c.isValid() && c.rgb() == qRgb(255, 255, 255); }

} // namespace

QString defaultNodeKey(const MenuNodeRequest &request, KeySerial serial)
{
    QString record = defaultRecord(request.code, request.word);
    if (request.code == kVariableSetCode)
        keyWriteField(record, kVariableSetNumberPos, 4, std::uint32_t(request.firstNumber));
    const bool title = request.code == kCommentCode && request.sectionTitle;
    return serialKey(record, title ? QStringView(kTitleCommentMarker) : QStringView(), serial);
}

KeyEditResult blockLenAppend(DocTree &tree, NodeId endNode)
{
    const NodeId block = tree.parent(endNode);
    const QString old = tree.key(block);
    const QStringView rec = recordPart(old);
    if (!tree.setKey(block, rec.toString() + QStringLiteral("0000") + keySuffix(old).toString()))
        return {KeyEditStatus::KeyTaken, block, 0};
    const KeyEditResult grown = keyEdit(tree, block, 2);
    if (!grown)
        tree.setKey(block, old);
    return grown;
}

NodeAddResult menuNodeAdd(DocTree &tree, KeySerial &keySerial, const MenuNodeRequest &request,
                          const CaptionContext &captions)
{
    const int code = request.code;
    if (!isValidCode(code))
        return {kNoNode, NodeAddError::BadCode};

    // 1. Where it goes: an end node always closes the selected block's list.
    const Relation where = code == kEndCode ? Relation::LastChild : request.where;
    NodeId parent = kNoNode;
    int row = 0;
    if (!targetOf(tree, request.selected, where, parent, row))
        return {kNoNode, NodeAddError::BadPlacement};
    if (code == kEndCode ? !endNodeFitsUnder(tree, parent) : !commandFitsAt(tree, parent, row))
        return {kNoNode, code == kEndCode ? NodeAddError::NotABlock : NodeAddError::BadPlacement};

    // 2. Key. A default key already held (a pasted key can end in any
    // serial) moves on to the next free serial; a caller's key must be free.
    KeySerial serial = keySerial;
    QString key;
    if (!request.key.isEmpty()) {
        if (tree.contains(request.key))
            return {kNoNode, NodeAddError::KeyTaken};
        key = request.key;
    } else {
        key = defaultNodeKey(request, serial);
        while (tree.contains(key))
            key = defaultNodeKey(request, ++serial);
    }

    // 3. Caption and insertion.
    const QString caption =
        commandCaption(key, CaptionSite::Creation, request.child && isBlockMenu(code), captions);
    const AncestorKeys before(tree, parent);
    const NodeId node = tree.add(request.selected, where, key, caption);
    if (node == kNoNode)
        return {kNoNode, NodeAddError::BadPlacement};

    auto undo = [&](NodeAddError error) {
        tree.remove(node);
        before.restore(tree);
        return NodeAddResult{kNoNode, error};
    };

    // 4. Colours; an end node gives its block the nested-length word.
    if (code == kMarkerCode)
        tree.setTextColor(node, markerTextColor());
    else if (code == kCommentCode)
        tree.setTextColor(node, commentTextColor());
    else if (code == kEndCode) {
        const KeyEditResult word = blockLenAppend(tree, node);
        if (!word)
            return undo(errorOf(word));
    }
    if (code == kArithmeticCode)
        tree.setBackColor(node, arithmeticBackColor());
    else if (request.backColor.isValid() && !isWhite(request.backColor))
        tree.setBackColor(node, request.backColor);

    // 5. The enclosing blocks grow by the new record.
    const KeyEditResult grown = keyEditNode(tree, node, ownByteLength(tree, node), NodeChange::Inserted);
    if (!grown)
        return undo(errorOf(grown));

    keySerial = serial + 1;
    return {node, NodeAddError::None};
}

NodeAddResult childEventAdd(DocTree &tree, KeySerial &keySerial, int code, NodeId selected, Relation where,
                            const CaptionContext &captions)
{
    if (!isBlockMenu(code))
        return {kNoNode, NodeAddError::BadCode};
    NodeId parent = kNoNode;
    int row = 0;
    if (!targetOf(tree, selected, where, parent, row) || isSection(tree, parent))
        return {kNoNode, NodeAddError::BadPlacement};  // a head list holds no child events

    const KeySerial savedSerial = keySerial;
    const AncestorKeys before(tree, parent);
    NodeId marker = kNoNode;
    NodeId block = kNoNode;
    auto undo = [&](NodeAddError error) {
        if (block != kNoNode)
            tree.remove(block);
        if (marker != kNoNode)
            tree.remove(marker);
        before.restore(tree);
        keySerial = savedSerial;
        return NodeAddResult{kNoNode, error};
    };

    MenuNodeRequest step;
    step.code = kMarkerCode;
    step.selected = selected;
    step.where = where;
    NodeAddResult r = menuNodeAdd(tree, keySerial, step, captions);
    if (!r)
        return undo(r.error);
    marker = r.node;

    step.code = code;
    step.selected = marker;
    step.where = Relation::After;
    step.backColor = childBlockBackColor();
    r = menuNodeAdd(tree, keySerial, step, captions);
    if (!r)
        return undo(r.error);
    block = r.node;

    step.code = kEndCode;
    step.selected = block;
    step.where = Relation::LastChild;
    r = menuNodeAdd(tree, keySerial, step, captions);
    if (!r)
        return undo(r.error);
    return {block, NodeAddError::None};
}

} // namespace core
