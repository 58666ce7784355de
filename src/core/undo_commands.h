#pragma once
// The typed commands of a document's undo stack.
//
// A record command is one change of the tree: a node's key and caption
// replaced, the texts of a replace all, a run of nodes inserted, a node
// removed, a run moved within its list. It names nodes by their lasting
// names (NodeRefs), never by key text, so a key rewritten meanwhile cannot
// make it lose its node. Its text is the record text: the parts in the
// order below, joined by kRecordSeparator.
//
// A step command is one user action: the records it made, undone last to
// first and redone first to last, all or nothing. It is pushed after the
// action changed the tree, so its first redo does nothing. After an undo or
// redo it selects the node where it acted and names it (focus()).
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/node_refs.h"
#include "core/subtree_snapshot.h"
#include "core/work_progress.h"

#include <QByteArray>
#include <QHash>
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

// What one undo or redo of a step runs with: the captions that records
// remake, and where it reports how far it got (in work units, see
// RecordCommand::workUnits).
struct UndoRun {
    CaptionContext captions;
    WorkProgress progress;
    std::int64_t total = 0;
    std::int64_t done = 0;
    // One more unit done; reports now and then.
    void advance();
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

    // The share of a step's work this record takes (the commands it changes).
    virtual std::int64_t workUnits() const { return 1; }
    // What the next undoRecord / redoRecord runs with; none: no captions, no reports.
    void setRun(UndoRun *run) { m_undoRun = run; }

protected:
    RecordCommand(const UndoTarget &target, RecordKind kind, QStringList parts, std::vector<NodeId> focusNodes);
    DocTree &tree() const { return *m_target.tree; }
    NodeRefs &refs() const { return *m_target.refs; }
    NodeId live(NodeId name) const { return tree().isValid(refs().live(name)) ? refs().live(name) : kNoNode; }
    UndoRun &undoRun() const;
    // Puts the snapshots back against `anchor` with their recorded keys and
    // binds the recorded names to the new nodes.
    bool putBack(const std::vector<NodeSnapshot> &nodes, const std::vector<NodeId> &names, NodeId anchor,
                 Relation where);

private:
    UndoTarget m_target;
    RecordKind m_kind;
    QStringList m_parts;
    std::vector<NodeId> m_focus;  // lasting names
    UndoRun *m_undoRun = nullptr;
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

// The commands one replace all rewrote, as one record. A replace all may
// rewrite hundreds of thousands of commands, so it keeps per command only its
// lasting name and the record bytes of its other state (before the replace
// while the replace stands, after it while undone), packed in one array; the
// key is remade from the bytes with the serial it has, and the caption as
// node creation builds it. A key whose record is not plain upper-case hex
// and a caption from before that remaking would not give back (made under
// other names) are kept whole. Its parts are those of the first command's
// edit record.
class ReplaceTextsCommand final : public RecordCommand
{
public:
    // Made after the first command was rewritten, with its key and caption
    // from before.
    ReplaceTextsCommand(const UndoTarget &target, NodeId node, const QString &oldKey, const QString &oldCaption,
                        const CaptionContext &captions);
    // One more command rewritten; called after the rewrite.
    void add(NodeId node, const QString &oldKey, const QString &oldCaption, const CaptionContext &captions);
    // Gives back what growing left unused, once the last command was added.
    void squeeze();

    int count() const { return int(m_nodes.size()); }
    int keptCaptions() const { return int(m_keptCaptions.size()); }
    // The bytes this record holds on the heap (its text of parts aside).
    std::size_t heldBytes() const;

    std::int64_t workUnits() const override { return count(); }
    bool undoRecord() override;
    bool redoRecord() override;

private:
    bool swapTo(bool before);
    bool setEntry(std::size_t i, bool before, QByteArrayView bytes, QByteArray *left);
    QByteArrayView bytesOf(std::size_t i) const;

    std::vector<NodeId> m_nodes;        // lasting names, in the order rewritten
    std::vector<std::uint32_t> m_ends;  // where each command's bytes end in m_bytes
    QByteArray m_bytes;                 // the record bytes of the other state, packed
    QHash<std::uint32_t, QString> m_keptBefore, m_keptAfter;  // keys that are not plain hex
    QHash<std::uint32_t, QString> m_keptCaptions;             // captions from before, not remade
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
    std::int64_t workUnits() const;
    // What the next undo or redo runs with (the history sets it for the
    // call and clears it after).
    void setRun(UndoRun *run);
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
