#include "core/node_refs.h"

namespace core {

void NodeRefs::rebind(NodeId name, NodeId live)
{
    const NodeId old = this->live(name);
    if (old != live)
        m_toName.remove(old);
    if (name == live) {
        m_toLive.remove(name);
        m_toName.remove(live);
        return;
    }
    m_toLive.insert(name, live);
    m_toName.insert(live, name);
}

void NodeRefs::clear()
{
    m_toLive.clear();
    m_toName.clear();
}

std::vector<NodeId> NodeRefs::branchNames(const DocTree &tree, NodeId node) const
{
    std::vector<NodeId> names;
    std::vector<NodeId> stack{node};
    while (!stack.empty()) {
        const NodeId n = stack.back();
        stack.pop_back();
        names.push_back(name(n));
        for (int r = tree.childCount(n) - 1; r >= 0; --r)
            stack.push_back(tree.child(n, r));
    }
    return names;
}

void NodeRefs::rebindBranch(const DocTree &tree, NodeId node, const std::vector<NodeId> &names, std::size_t &next)
{
    std::vector<NodeId> stack{node};
    while (!stack.empty() && next < names.size()) {
        const NodeId n = stack.back();
        stack.pop_back();
        rebind(names[next++], n);
        for (int r = tree.childCount(n) - 1; r >= 0; --r)
            stack.push_back(tree.child(n, r));
    }
}

} // namespace core
