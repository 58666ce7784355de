#pragma once
// The typed commands of a document's undo stack.
//
// A record command is one change of the tree: a node's key and caption
// replaced, a run of nodes inserted, a node removed, a run moved within its
// list. It names nodes by their lasting names (NodeRefs), never by key text,
// so a key rewritten meanwhile cannot make it lose its node. Its text is the
// record text: the parts in the order below, joined by kRecordSeparator.
//
// A step command is one user action: the records it made, undone last to
// first and redone first to last, all or nothing. It is pushed after the
// action changed the tree, so its first redo does nothing. After an undo or
// redo it selects the node where it acted and names it (focus()).
#include "core/doc_tree.h"
#include "core/node_refs.h"
#include "core/subtree_snapshot.h"

#include <QString>
#include <QStringList>
#include <QUndoCommand>

#include <cstdint>
#include <memory>
#include <vector>

namespace core {

enum class RecordKind : std::uint8_t {
    None = 0,
    Delete = 1,         // parts: neighbour key, "Previous" or "Next", deleted key
    Add = 2,            // parts: added key, key of the node it stands before
    AddChildEvent = 3,  // parts: block key, marker key, block's first child key, key of the node after
    Edit = 4,           // parts: new key, new caption, old key, old caption
    MoveUp = 5,         // parts: moved key
    MoveDown = 6,       // parts: moved key
};

// Separator of the parts of a record text.
inline const QString kRecordSeparator = QStringLiteral("~ \u203B ~");
inline const QString kDeletedBeforeNeighbour = QStringLiteral("Previous");  // neighbour is the next sibling
inline const QString kDeletedAfterNeighbour = QStringLiteral("Next");       // neighbour is the previous sibling

// What every command of one document works on.
struct UndoTarget {
    DocTree *tree = nullptr;
    NodeRefs *refs = nullptr;
};

class RecordCommand : public QUndoCommand
{
public:
    RecordKind kind() const { return m_kind; }
    // The record text split into its parts.
    const QStringList &parts() const { return m_parts; }

    // One record backwards / forwards; false, with the tree as it was, when
    // the record does not fit the tree.
    virtual bool undoRecord() = 0;
    virtual bool redoRecord() = 0;
    // The first node of the record still in the tree, in the order of its parts.
    NodeId focus() const;
    DocTree &document() const { return *m_target.tree; }

    void undo() override { undoRecord(); }
    void redo() override { redoRecord(); }

protected:
    RecordCommand(const UndoTarget &target, RecordKind kind, QStringList parts, std::vector<NodeId> focusNodes);
    DocTree &tree() const { return *m_target.tree; }
    NodeRefs &refs() const { return *m_target.refs; }
    NodeId live(NodeId name) const { return tree().isValid(refs().live(name)) ? refs().live(name) : kNoNode; }
    // Puts the snapshots back against `anchor` with their recorded keys and
    // binds the recorded names to the new nodes.
    bool putBack(const std::vector<NodeSnapshot> &nodes, const std::vector<NodeId> &names, NodeId anchor,
                 Relation where);

private:
    UndoTarget m_target;
    RecordKind m_kind;
    QStringList m_parts;
    std::vector<NodeId> m_focus;  // lasting names
};

// A node's key and caption replaced; the enclosing nested lists follow the
// change of length. Made after the change.
class ReplaceKeyCommand final : public RecordCommand
{
public:
    ReplaceKeyCommand(const UndoTarget &target, NodeId node, const QString &oldKey, const QString &oldCaption);
    bool undoRecord() override;
    bool redoRecord() override;

private:
    bool set(const QString &key, const QString &caption);
    NodeId m_node;
    QString m_oldKey, m_oldCaption, m_newKey, m_newCaption;
};

// A run of siblings inserted just before `anchor`: an added node, or a child
// event's marker and block. Made after the insertion.
class InsertRunCommand final : public RecordCommand
{
public:
    InsertRunCommand(const UndoTarget &target, RecordKind kind, const std::vector<NodeId> &run, NodeId anchor);
    bool undoRecord() override;
    bool redoRecord() override;

private:
    std::vector<NodeId> m_run;         // lasting names of the top nodes
    std::vector<NodeId> m_branch;      // lasting names of the whole run, in display order
    NodeId m_anchor;
    std::vector<NodeSnapshot> m_nodes;  // while the run is out of the tree
};

// A node removed with its branch; it goes back before its next sibling, or
// after its previous one when it was the last. Made before the removal.
class RemoveNodeCommand final : public RecordCommand
{
public:
    RemoveNodeCommand(const UndoTarget &target, NodeId node, bool lastOfList);
    bool undoRecord() override;
    bool redoRecord() override;

private:
    NodeId m_node;
    NodeId m_neighbour;
    bool m_afterNeighbour;
    std::vector<NodeId> m_branch;
    NodeSnapshot m_snapshot;
};

// A run of siblings moved within its list from row `from` to row `to`.
// Made after the move.
class MoveRunCommand final : public RecordCommand
{
public:
    MoveRunCommand(const UndoTarget &target, bool up, const std::vector<NodeId> &run, int from);
    bool undoRecord() override;
    bool redoRecord() override;

private:
    bool moveFromTo(int at, int to);
    std::vector<NodeId> m_run;
    NodeId m_parent;
    int m_from, m_to;
};

using RecordPtr = std::unique_ptr<RecordCommand>;

// The records of one user action, in the order they were made.
struct EditStep {
    std::vector<RecordPtr> records;
    bool isEmpty() const { return records.empty(); }
};

class StepCommand final : public QUndoCommand
{
public:
    explicit StepCommand(EditStep step);

    int recordCount() const { return int(m_records.size()); }
    const RecordCommand &record(int i) const { return *m_records[std::size_t(i)]; }
    // After an undo or redo: whether it applied, and the node to select.
    bool failed() const { return m_failed; }
    NodeId focus() const { return m_focus; }

    void undo() override;
    void redo() override;

private:
    // Selects where the step acted, as the user left the selection after it.
    void restoreSelection();
    std::vector<RecordPtr> m_records;
    bool m_pushed = false;  // the first redo is the action itself, already done
    bool m_failed = false;
    NodeId m_focus = kNoNode;
};

} // namespace core
