#include "core/edit_history.h"

#include <utility>

namespace core {

EditRecord HistoryRecord(const DocTree &tree, RecordKind kind, NodeId selected, const QString &preKey,
                         const QString &preText, int where)
{
    EditRecord r;
    r.kind = kind;
    switch (kind) {
    case RecordKind::Delete: {
        const bool before = where != 2;
        const NodeId neighbour = before ? tree.next(selected) : tree.previous(selected);
        r.parts = {tree.key(neighbour), before ? kDeletedBeforeNeighbour : kDeletedAfterNeighbour,
                   tree.key(selected)};
        r.nodes.push_back(takeSnapshot(tree, selected));
        break;
    }
    case RecordKind::Add: {
        const NodeId added = tree.previous(selected);
        r.parts = {tree.key(added), tree.key(selected)};
        r.nodes.push_back(takeSnapshot(tree, added));
        break;
    }
    case RecordKind::AddChildEvent: {
        const NodeId block = tree.previous(selected);
        const NodeId marker = tree.previous(block);
        r.parts = {tree.key(block), tree.key(marker), tree.key(tree.firstChild(block)), tree.key(selected)};
        r.nodes.push_back(takeSnapshot(tree, marker));
        r.nodes.push_back(takeSnapshot(tree, block));
        break;
    }
    case RecordKind::Edit:
        r.parts = {tree.key(selected), tree.text(selected), preKey, preText};
        break;
    case RecordKind::MoveUp:
    case RecordKind::MoveDown:
        r.parts = {tree.key(selected)};
        r.parentKey = tree.key(tree.parent(selected));
        r.toRow = tree.row(selected);
        break;
    case RecordKind::None:
        break;
    }
    return r;
}

void EditHistory::clear()
{
    m_steps.clear();
    m_undoSteps = 0;
}

void EditHistory::push(EditStep step)
{
    if (step.isEmpty())
        return;
    m_steps.resize(std::size_t(m_undoSteps));
    m_steps.push_back(std::move(step));
    if (int(m_steps.size()) > kMaxSteps)
        m_steps.erase(m_steps.begin());
    m_undoSteps = int(m_steps.size());
}

void EditHistory::record(EditRecord record)
{
    EditStep step;
    step.records.push_back(std::move(record));
    push(std::move(step));
}

EditStep *EditHistory::undoTop() { return canUndo() ? &m_steps[std::size_t(m_undoSteps - 1)] : nullptr; }

EditStep *EditHistory::redoTop() { return canRedo() ? &m_steps[std::size_t(m_undoSteps)] : nullptr; }

void EditHistory::markUndone()
{
    if (m_undoSteps > 0)
        --m_undoSteps;
}

void EditHistory::markRedone()
{
    if (canRedo())
        ++m_undoSteps;
}

} // namespace core
