#include "core/subtree_snapshot.h"

#include "core/edit_units.h"
#include "core/eex_layout.h"
#include "core/key_codec.h"
#include "core/key_edit.h"

#include <QSet>

namespace core {

namespace {

// A command with children holds them in a nested list and ends its record
// with the list's length word, whatever its code; only a Section's head end
// (the body holder, a child of the Section) holds its list without one.
bool snapshotHoldsList(const NodeSnapshot &s, bool underSection)
{
    return !s.children.empty() && !underSection && keyCode(s.key) >= 0;
}

// The snapshot's branch with every key as it will be inserted.
struct PlannedNode {
    QString key;
    const NodeSnapshot *source = nullptr;
    std::vector<PlannedNode> children;
};

class Planner
{
public:
    Planner(const DocTree &tree, KeySerial serial, SnapshotKeys keys) : m_tree(tree), m_serial(serial), m_keys(keys) {}

    // Plans the branch and returns its byte length; sets m_error on a fault.
    int plan(const NodeSnapshot &s, PlannedNode &out, bool underSection = false)
    {
        out.source = &s;
        int nested = 0;
        out.children.resize(s.children.size());
        for (std::size_t i = 0; i < s.children.size(); ++i)
            nested += plan(s.children[i], out.children[i], isSectionSnapshot(s));
        QString base = s.key;
        if (snapshotHoldsList(s, underSection)) {
            const QStringView rec = recordPart(s.key);
            if (nested > kMaxNestedLength)
                fail(InsertError::NestedTooLong);
            if (rec.size() >= 8)
                base = rec.left(rec.size() - 4).toString() + longToHex(nested, 2, true) + keySuffix(s.key).toString();
            else
                fail(InsertError::NestedWordUnusable);
        }
        out.key = claim(base);
        const int own = keyCode(s.key) >= 0 ? recordLength(base) : 0;
        return own + nested;
    }

    KeySerial serial() const { return m_serial; }
    InsertError error() const { return m_error; }

private:
    void fail(InsertError e)
    {
        if (m_error == InsertError::None)
            m_error = e;
    }

    bool taken(const QString &key) const { return m_tree.contains(key) || m_planned.contains(key); }

    QString claim(const QString &base)
    {
        QString key = base;
        if (m_keys == SnapshotKeys::Fresh) {
            key = base + QString::number(m_serial);
            while (taken(key))
                key = base + QString::number(++m_serial);
            ++m_serial;
        } else if (taken(key)) {
            fail(InsertError::KeyTaken);
        }
        m_planned.insert(key);
        return key;
    }

    const DocTree &m_tree;
    KeySerial m_serial;
    SnapshotKeys m_keys;
    QSet<QString> m_planned;
    InsertError m_error = InsertError::None;
};

NodeId addPlanned(DocTree &tree, NodeId relative, Relation where, const PlannedNode &p)
{
    const NodeId n = tree.add(relative, where, p.key, p.source->text);
    if (n == kNoNode)
        return kNoNode;
    if (p.source->textColor.isValid())
        tree.setTextColor(n, p.source->textColor);
    for (const PlannedNode &c : p.children)
        if (addPlanned(tree, n, Relation::LastChild, c) == kNoNode)
            return kNoNode;  // cannot happen: every key was checked free
    tree.setExpanded(n, p.source->expanded);
    return n;
}

InsertError errorOf(const KeyEditResult &r)
{
    return r.status == KeyEditStatus::LengthOutOfRange ? InsertError::NestedTooLong
                                                       : InsertError::NestedWordUnusable;
}

} // namespace

NodeSnapshot takeSnapshot(const DocTree &tree, NodeId node, bool keepExpanded)
{
    NodeSnapshot s;
    s.key = tree.key(node);
    s.text = tree.text(node);
    s.textColor = tree.textColor(node);
    s.expanded = keepExpanded && tree.expanded(node);
    s.children.reserve(std::size_t(tree.childCount(node)));
    for (int r = 0; r < tree.childCount(node); ++r)
        s.children.push_back(takeSnapshot(tree, tree.child(node, r), true));
    return s;
}

int snapshotByteLength(const NodeSnapshot &s)
{
    int total = keyCode(s.key) >= 0 ? recordLength(s.key) : 0;
    for (const NodeSnapshot &c : s.children)
        total += snapshotByteLength(c);
    return total;
}

bool isSceneSnapshot(const NodeSnapshot &s) { return s.key.startsWith(u"Scene_"); }
bool isSectionSnapshot(const NodeSnapshot &s) { return s.key.startsWith(u"Section_"); }
bool isChildEventSnapshot(const NodeSnapshot &s)
{
    return !isSceneSnapshot(s) && !isSectionSnapshot(s) && snapshotHoldsList(s, false);
}

InsertResult insertSnapshots(DocTree &tree, KeySerial &keySerial, const std::vector<NodeSnapshot> &run,
                             NodeId target, Relation where, SnapshotKeys keys)
{
    if (!tree.isValid(target) || isRootNode(tree, target) || where == Relation::LastChild || run.empty())
        return {{}, InsertError::BadTarget};

    Planner planner(tree, keySerial, keys);
    std::vector<PlannedNode> planned(run.size());
    int bytes = 0;
    for (std::size_t i = 0; i < run.size(); ++i)
        bytes += planner.plan(run[i], planned[i]);
    if (planner.error() != InsertError::None)
        return {{}, planner.error()};

    const bool commands = isCommandNode(tree, target);
    if (commands) {
        if (!sectionCanGrow(tree, target, bytes))
            return {{}, InsertError::SectionTooLong};
        if (const KeyEditResult check = keyEditCheck(tree, target, bytes); !check)
            return {{}, errorOf(check)};
    }

    InsertResult result;
    NodeId relative = target;
    Relation rel = where;
    for (const PlannedNode &p : planned) {
        const NodeId n = addPlanned(tree, relative, rel, p);
        if (n == kNoNode) {
            for (NodeId done : result.nodes)
                tree.remove(done);
            return {{}, InsertError::BadTarget};
        }
        result.nodes.push_back(n);
        relative = n;
        rel = Relation::After;
    }
    if (commands) {
        if (const KeyEditResult grown = keyEdit(tree, result.nodes.front(), bytes); !grown) {
            for (NodeId done : result.nodes)
                tree.remove(done);
            return {{}, errorOf(grown)};
        }
    }
    keySerial = planner.serial();
    return result;
}

bool removeRun(DocTree &tree, const std::vector<NodeId> &run)
{
    if (run.empty())
        return false;
    int bytes = 0;
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (!tree.isValid(run[i]) || isRootNode(tree, run[i]))
            return false;
        if (i > 0 && tree.previous(run[i]) != run[i - 1])
            return false;
        bytes += branchByteLength(tree, run[i]);
    }
    if (isCommandNode(tree, run.front())) {
        if (!keyEdit(tree, run.front(), -bytes))
            return false;
    }
    for (NodeId n : run)
        tree.remove(n);
    return true;
}

} // namespace core
