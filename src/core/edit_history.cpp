#include "core/edit_history.h"

#include <utility>

namespace core {

EditHistory::EditHistory() { m_stack.setUndoLimit(kMaxSteps); }

void EditHistory::clear()
{
    m_stack.clear();
    m_refs.clear();
}

void EditHistory::push(EditStep step)
{
    if (step.isEmpty())
        return;
    m_stack.push(new StepCommand(std::move(step)));
}

void EditHistory::record(RecordPtr record)
{
    EditStep step;
    step.records.push_back(std::move(record));
    push(std::move(step));
}

const StepCommand *EditHistory::undoTop() const
{
    return canUndo() ? static_cast<const StepCommand *>(m_stack.command(m_stack.index() - 1)) : nullptr;
}

const StepCommand *EditHistory::redoTop() const
{
    return canRedo() ? static_cast<const StepCommand *>(m_stack.command(m_stack.index())) : nullptr;
}

bool EditHistory::walk(bool back, NodeId &focus, const CaptionContext &captions, const WorkProgress &progress)
{
    const StepCommand *top = back ? undoTop() : redoTop();
    if (!top)
        return false;
    // The stack hands out its commands as const; this one is ours to run.
    auto *step = const_cast<StepCommand *>(top);
    UndoRun run{captions, progress, step->workUnits(), 0};
    step->setRun(&run);
    if (back)
        m_stack.undo();
    else
        m_stack.redo();
    step->setRun(nullptr);
    if (step->failed()) {
        clear();
        return false;
    }
    focus = step->focus();
    return true;
}

bool EditHistory::undo(NodeId &focus, const CaptionContext &captions, const WorkProgress &progress)
{
    return walk(true, focus, captions, progress);
}

bool EditHistory::redo(NodeId &focus, const CaptionContext &captions, const WorkProgress &progress)
{
    return walk(false, focus, captions, progress);
}

RecordPtr makeRecord(DocTree &tree, EditHistory &history, RecordKind kind, NodeId selected,
                        const QString &preKey, const QString &preText, int where)
{
    const UndoTarget target{&tree, &history.refs()};
    switch (kind) {
    case RecordKind::Delete:
        return std::make_unique<RemoveNodeCommand>(target, selected, where == 2);
    case RecordKind::Add:
        return std::make_unique<InsertRunCommand>(target, kind, std::vector<NodeId>{tree.previous(selected)},
                                                  selected);
    case RecordKind::AddChildEvent: {
        const NodeId block = tree.previous(selected);
        return std::make_unique<InsertRunCommand>(target, kind, std::vector<NodeId>{tree.previous(block), block},
                                                  selected);
    }
    case RecordKind::Edit:
        return std::make_unique<ReplaceKeyCommand>(target, selected, preKey, preText);
    case RecordKind::MoveUp:
    case RecordKind::MoveDown:
    case RecordKind::None:
        break;
    }
    return nullptr;
}

} // namespace core
