#pragma once
// The program's clipboard of tree nodes and the copy, cut and paste commands
// over it, with the primitives they share with the moves and undo: NodeCopy
// (a node with its branch into a snapshot), NodePaste (a snapshot back into a
// tree) and KeyEditChildren (a branch's bytes to the enclosing blocks).
//
// The clipboard holds snapshots, one per copied node, and is shared by every
// document of the program: what is copied in one tab pastes into another. A
// child event is copied as its block with the nested list; paste puts a new
// marker in front of every such block. Pasted nodes get fresh keys: the
// copied key with the key serial appended (the next free serial when taken).
#include "core/edit_context.h"
#include "core/key_edit.h"
#include "core/subtree_snapshot.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace core {

// Copies the node with its branch. Refused (nullopt) for the root, end nodes
// and a Section's locked comment. `keepExpanded` false gives a collapsed top.
std::optional<NodeSnapshot> nodeCopy(const DocTree &tree, NodeId node, bool keepExpanded);

// Inserts the snapshot before or after `selected` with fresh or kept keys;
// nested lengths of the pasted blocks and of the blocks around are rebuilt.
// All or nothing; no placement rules beyond the tree's own (callers check).
InsertResult nodePaste(DocTree &tree, KeySerial &keySerial, const NodeSnapshot &snapshot, NodeId selected,
                       Relation where, SnapshotKeys keys);

// Passes the bytes of `count` siblings from `first`, with their branches, to
// the blocks that enclose them: added (bDelete false, right after they were
// inserted) or taken away (bDelete true, right before they are removed).
KeyEditResult keyEditChildren(DocTree &tree, NodeId first, int count, bool bDelete);

class Clipboard
{
public:
    bool isEmpty() const { return m_entries.empty(); }
    const std::vector<NodeSnapshot> &entries() const { return m_entries; }
    bool isMulti() const { return m_multi; }
    void set(std::vector<NodeSnapshot> entries, bool multi)
    {
        m_entries = std::move(entries);
        m_multi = multi;
    }
    void clear() { set({}, false); }

private:
    std::vector<NodeSnapshot> m_entries;
    bool m_multi = false;
};

// Command state.
bool canCopy(const DocTree &tree, NodeId node);
// Whether every clipboard entry may go before `target`: Scenes only before
// Scenes, Sections only before Sections, commands only before commands other
// than the locked comment and a child event's block; child events not into
// a Section's head list.
bool canPaste(const DocTree &tree, const Clipboard &clipboard, NodeId target);

// Copy: replaces the clipboard when at least one node could be copied; the
// tree and history are untouched.
EditResult copyNodes(const DocTree &tree, NodeId selected, const QStringList &multiKeys, Clipboard &clipboard);
// Cut: copies, then deletes with records, a step per removed unit as delete
// does. Only nodes that can be both copied and deleted take part.
EditResult cutNodes(EditContext &ctx, NodeId selected, const QStringList &multiKeys, Clipboard &clipboard);
// Paste before `target`; one undo step per pasted node (kind 3 for a child
// event, 2 otherwise). A refused paste inserts and records nothing.
EditResult pasteNodes(EditContext &ctx, const Clipboard &clipboard, NodeId target);

} // namespace core
