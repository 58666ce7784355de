#pragma once
// One document's undo and redo history: a QUndoStack of step commands (one
// per user action) and the lasting names of the nodes they speak of. Each
// open document owns one, so two documents never share records even when
// their keys coincide.
//
// A step is what one undo reverts; it may hold several records (a child
// event's marker and block, a multi-selection move). A replace all is one
// step of one record that holds every command it rewrote. A
// multi-selection delete or cut is a step per removed unit and a paste of
// many nodes a step per pasted node, undone one by one. At most kMaxSteps
// steps are kept; the oldest goes first. A new step drops whatever could
// still be redone.
#include "core/doc_tree.h"
#include "core/node_refs.h"
#include "core/undo_commands.h"

#include <QUndoStack>

#include <memory>

namespace core {

class EditHistory
{
public:
    static constexpr int kMaxSteps = 50;

    EditHistory();
    EditHistory(const EditHistory &) = delete;
    EditHistory &operator=(const EditHistory &) = delete;

    QUndoStack &stack() { return m_stack; }
    const QUndoStack &stack() const { return m_stack; }
    NodeRefs &refs() { return m_refs; }

    bool canUndo() const { return m_stack.canUndo(); }
    bool canRedo() const { return m_stack.canRedo(); }
    int undoStepCount() const { return m_stack.index(); }
    int redoStepCount() const { return m_stack.count() - m_stack.index(); }
    // Forgets every step (a document read afresh).
    void clear();

    // Appends a step the action already applied (empty steps are ignored).
    void push(EditStep step);
    // A step of one record.
    void record(RecordPtr record);

    // The step the next undo reverts / the next redo repeats; null when none.
    const StepCommand *undoTop() const;
    const StepCommand *redoTop() const;
    // Step `i` of all steps kept, oldest first; the first undoStepCount() are done.
    const StepCommand *step(int i) const { return static_cast<const StepCommand *>(m_stack.command(i)); }

    // Undo / redo one step. False, with the tree as it was, when there is
    // none or it no longer fits the tree (then the history is cleared). On
    // success `focus` gets the node to select. Captions a record remakes are
    // made with `captions`; `progress` hears now and then how many of the
    // step's work units (StepCommand::workUnits) are done.
    bool undo(NodeId &focus, const CaptionContext &captions = {}, const WorkProgress &progress = {});
    bool redo(NodeId &focus, const CaptionContext &captions = {}, const WorkProgress &progress = {});

private:
    bool walk(bool back, NodeId &focus, const CaptionContext &captions, const WorkProgress &progress);

    QUndoStack m_stack;
    NodeRefs m_refs;
};

// The record of a change, read from the tree at the moment of the call, as
// each caller calls it: kind 1 before the removal (where 3: the neighbour is
// the next sibling, 2: the previous), kinds 2 and 3 after the insertion with
// `selected` the node the new nodes stand before, kind 4 after the edit with
// the key and caption from before it. Moves use MoveRunCommand.
RecordPtr makeRecord(DocTree &tree, EditHistory &history, RecordKind kind, NodeId selected,
                        const QString &preKey = {}, const QString &preText = {}, int where = 3);

} // namespace core
