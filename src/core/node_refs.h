#pragma once
// Lasting names for the nodes an undo history speaks of.
//
// A node taken out of the tree and put back later (undo of a delete, redo of
// an add) is a new node with a new id. The history names every node by the
// id it had when first recorded and asks this table for the node that stands
// for it now, so the records of older steps still find it whatever its key.
#include "core/doc_tree.h"

#include <QHash>

#include <vector>

namespace core {

class NodeRefs
{
public:
    // The lasting name of a node in the tree.
    NodeId name(NodeId live) const { return m_toName.value(live, live); }
    // The node that stands for a name now (dead when it is out of the tree).
    NodeId live(NodeId name) const { return m_toLive.value(name, name); }
    // From now on `name` stands for the node `live`.
    void rebind(NodeId name, NodeId live);
    void clear();

    // The lasting names of a node and its branch, in display order.
    std::vector<NodeId> branchNames(const DocTree &tree, NodeId node) const;
    // Binds the names of branchNames() to a branch put back in their place;
    // `next` is the first name not used by this branch.
    void rebindBranch(const DocTree &tree, NodeId node, const std::vector<NodeId> &names, std::size_t &next);

private:
    QHash<NodeId, NodeId> m_toLive;
    QHash<NodeId, NodeId> m_toName;
};

} // namespace core
