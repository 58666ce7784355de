#include "core/doc_tree.h"

#include <algorithm>
#include <utility>

namespace core {

namespace {
const QString kEmpty;
}

DocTree::DocTree() = default;
DocTree::~DocTree() = default;
DocTree::DocTree(DocTree &&other) noexcept { swapContent(other); }
DocTree &DocTree::operator=(DocTree &&other) noexcept
{
    if (this != &other) {
        clear();
        swapContent(other);
    }
    return *this;
}

bool DocTree::isValid(NodeId node) const { return ok(node); }

NodeId DocTree::newNode(const QString &key, const QString &text, NodeId parent)
{
    Node node;
    node.key = key;
    node.text = text;
    node.parent = parent;
    node.alive = true;
    m_nodes.push_back(std::move(node));
    const NodeId id = NodeId(m_nodes.size());
    m_byKey.insert(key, id);
    ++m_liveCount;
    if (!m_orderDirty)
        m_orderIndex.push_back(id);
    return id;
}

NodeId DocTree::addRoot(const QString &key, const QString &text)
{
    if (m_root != kNoNode || m_byKey.contains(key))
        return kNoNode;
    if (m_observer)
        m_observer->beginInsert(kNoNode, 0);
    m_root = newNode(key, text, kNoNode);
    at(m_root).row = 0;
    if (m_observer)
        m_observer->endInsert();
    return m_root;
}

bool DocTree::placement(NodeId relative, Relation relation, NodeId &parent, int &row) const
{
    if (!ok(relative))
        return false;
    switch (relation) {
    case Relation::LastChild:
        parent = relative;
        row = int(at(relative).children.size());
        return true;
    case Relation::After:
    case Relation::Before:
        parent = at(relative).parent;
        if (parent == kNoNode)
            return false;  // the root has no siblings
        row = at(relative).row + (relation == Relation::After ? 1 : 0);
        return true;
    }
    return false;
}

NodeId DocTree::add(NodeId relative, Relation relation, const QString &key, const QString &text)
{
    if (m_byKey.contains(key))
        return kNoNode;
    NodeId parent = kNoNode;
    int row = 0;
    if (!placement(relative, relation, parent, row))
        return kNoNode;
    if (m_observer)
        m_observer->beginInsert(parent, row);
    const NodeId id = newNode(key, text, parent);
    auto &children = at(parent).children;
    children.insert(children.begin() + row, id);
    renumber(parent, row);
    if (m_observer)
        m_observer->endInsert();
    return id;
}

void DocTree::renumber(NodeId parent, int fromRow)
{
    auto &children = at(parent).children;
    for (std::size_t r = std::size_t(std::max(0, fromRow)); r < children.size(); ++r)
        at(children[r]).row = int(r);
}

void DocTree::killSubtree(NodeId n)
{
    // Iterative so that deep nesting cannot overflow the stack.
    std::vector<NodeId> stack{n};
    while (!stack.empty()) {
        const NodeId cur = stack.back();
        stack.pop_back();
        Node &node = at(cur);
        for (NodeId c : node.children)
            stack.push_back(c);
        m_byKey.remove(node.key);
        node.alive = false;
        node.children.clear();
        node.children.shrink_to_fit();
        node.key.clear();
        node.text.clear();
        --m_liveCount;
    }
    m_orderDirty = true;
}

bool DocTree::remove(NodeId node)
{
    if (!ok(node))
        return false;
    if (node == m_root) {
        clear();
        return true;
    }
    const NodeId parent = at(node).parent;
    const int row = at(node).row;
    if (m_observer)
        m_observer->beginRemove(parent, row);
    auto &children = at(parent).children;
    children.erase(children.begin() + row);
    renumber(parent, row);
    killSubtree(node);
    if (m_selected != kNoNode && !ok(m_selected))
        m_selected = kNoNode;
    if (m_observer)
        m_observer->endRemove();
    return true;
}

bool DocTree::move(NodeId node, NodeId relative, Relation relation)
{
    if (!ok(node) || node == m_root || !ok(relative))
        return false;
    if (relative == node || isAncestor(node, relative))
        return false;
    NodeId newParent = kNoNode;
    int newRow = 0;
    if (!placement(relative, relation, newParent, newRow))
        return false;
    const NodeId oldParent = at(node).parent;
    const int oldRow = at(node).row;
    if (oldParent == newParent && (newRow == oldRow || newRow == oldRow + 1))
        return true;  // already there
    if (m_observer)
        m_observer->beginMove(oldParent, oldRow, newParent, newRow);
    auto &from = at(oldParent).children;
    from.erase(from.begin() + oldRow);
    if (oldParent == newParent && newRow > oldRow)
        --newRow;
    auto &to = at(newParent).children;
    to.insert(to.begin() + newRow, node);
    at(node).parent = newParent;
    renumber(oldParent, oldParent == newParent ? std::min(oldRow, newRow) : oldRow);
    if (oldParent != newParent)
        renumber(newParent, newRow);
    if (m_observer)
        m_observer->endMove();
    return true;
}

void DocTree::clear()
{
    if (m_observer)
        m_observer->beginReset();
    m_nodes.clear();
    m_byKey.clear();
    m_root = kNoNode;
    m_selected = kNoNode;
    m_liveCount = 0;
    m_orderIndex.clear();
    m_orderDirty = false;
    if (m_observer)
        m_observer->endReset();
}

void DocTree::swapContent(DocTree &other)
{
    if (m_observer)
        m_observer->beginReset();
    if (other.m_observer)
        other.m_observer->beginReset();
    std::swap(m_nodes, other.m_nodes);
    std::swap(m_byKey, other.m_byKey);
    std::swap(m_root, other.m_root);
    std::swap(m_selected, other.m_selected);
    std::swap(m_liveCount, other.m_liveCount);
    std::swap(m_orderIndex, other.m_orderIndex);
    std::swap(m_orderDirty, other.m_orderDirty);
    if (other.m_observer)
        other.m_observer->endReset();
    if (m_observer)
        m_observer->endReset();
}

void DocTree::rebuildOrderIndex() const
{
    m_orderIndex.clear();
    m_orderIndex.reserve(std::size_t(m_liveCount));
    for (std::size_t i = 0; i < m_nodes.size(); ++i)
        if (m_nodes[i].alive)
            m_orderIndex.push_back(NodeId(i + 1));
    m_orderDirty = false;
}

NodeId DocTree::byIndex(int index) const
{
    if (m_orderDirty)
        rebuildOrderIndex();
    if (index < 1 || std::size_t(index) > m_orderIndex.size())
        return kNoNode;
    return m_orderIndex[std::size_t(index) - 1];
}

int DocTree::indexOf(NodeId node) const
{
    if (!ok(node))
        return 0;
    if (m_orderDirty)
        rebuildOrderIndex();
    auto it = std::lower_bound(m_orderIndex.begin(), m_orderIndex.end(), node);
    return (it != m_orderIndex.end() && *it == node) ? int(it - m_orderIndex.begin()) + 1 : 0;
}

NodeId DocTree::child(NodeId n, int row) const
{
    if (!ok(n) || row < 0 || std::size_t(row) >= at(n).children.size())
        return kNoNode;
    return at(n).children[std::size_t(row)];
}

NodeId DocTree::firstChild(NodeId n) const { return child(n, 0); }
NodeId DocTree::lastChild(NodeId n) const { return child(n, childCount(n) - 1); }

NodeId DocTree::next(NodeId n) const
{
    if (!ok(n) || at(n).parent == kNoNode)
        return kNoNode;
    return child(at(n).parent, at(n).row + 1);
}

NodeId DocTree::previous(NodeId n) const
{
    if (!ok(n) || at(n).parent == kNoNode)
        return kNoNode;
    return child(at(n).parent, at(n).row - 1);
}

NodeId DocTree::firstSibling(NodeId n) const
{
    if (!ok(n))
        return kNoNode;
    return at(n).parent == kNoNode ? n : firstChild(at(n).parent);
}

NodeId DocTree::lastSibling(NodeId n) const
{
    if (!ok(n))
        return kNoNode;
    return at(n).parent == kNoNode ? n : lastChild(at(n).parent);
}

int DocTree::depth(NodeId n) const
{
    int d = -1;
    for (NodeId cur = n; ok(cur); cur = at(cur).parent)
        ++d;
    return d;
}

bool DocTree::isAncestor(NodeId ancestor, NodeId n) const
{
    if (!ok(ancestor) || !ok(n))
        return false;
    for (NodeId cur = at(n).parent; cur != kNoNode; cur = at(cur).parent)
        if (cur == ancestor)
            return true;
    return false;
}

NodeId DocTree::nextInOrder(NodeId n) const
{
    if (!ok(n))
        return kNoNode;
    if (!at(n).children.empty())
        return at(n).children.front();
    for (NodeId cur = n; cur != kNoNode; cur = at(cur).parent) {
        const NodeId sib = next(cur);
        if (sib != kNoNode)
            return sib;
    }
    return kNoNode;
}

NodeId DocTree::previousInOrder(NodeId n) const
{
    if (!ok(n))
        return kNoNode;
    NodeId prev = previous(n);
    if (prev == kNoNode)
        return at(n).parent;
    while (!at(prev).children.empty())
        prev = at(prev).children.back();
    return prev;
}

const QString &DocTree::key(NodeId n) const { return ok(n) ? at(n).key : kEmpty; }
const QString &DocTree::text(NodeId n) const { return ok(n) ? at(n).text : kEmpty; }
QColor DocTree::textColor(NodeId n) const { return ok(n) ? at(n).textColor : QColor(); }
QColor DocTree::backColor(NodeId n) const { return ok(n) ? at(n).backColor : QColor(); }

bool DocTree::setKey(NodeId n, const QString &key)
{
    if (!ok(n))
        return false;
    if (at(n).key == key)
        return true;
    if (m_byKey.contains(key))
        return false;
    m_byKey.remove(at(n).key);
    at(n).key = key;
    m_byKey.insert(key, n);
    if (m_observer)
        m_observer->nodeChanged(n);
    return true;
}

void DocTree::setText(NodeId n, const QString &text)
{
    if (!ok(n) || at(n).text == text)
        return;
    at(n).text = text;
    if (m_observer)
        m_observer->nodeChanged(n);
}

void DocTree::setTextColor(NodeId n, const QColor &c)
{
    if (!ok(n))
        return;
    at(n).textColor = c;
    if (m_observer)
        m_observer->nodeChanged(n);
}

void DocTree::setBackColor(NodeId n, const QColor &c)
{
    if (!ok(n))
        return;
    // White is the tree's own background: storing it means "default".
    at(n).backColor = (c.isValid() && c.rgb() == qRgb(255, 255, 255)) ? QColor() : c;
    if (m_observer)
        m_observer->nodeChanged(n);
}

void DocTree::setExpanded(NodeId n, bool expanded)
{
    if (!ok(n) || at(n).expanded == expanded)
        return;
    at(n).expanded = expanded;
    if (m_observer)
        m_observer->nodeChanged(n);
}

} // namespace core
