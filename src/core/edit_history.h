#pragma once
// One document's undo and redo history. Each open document owns one.
#include <vector>

namespace core {

class EditHistory
{
public:
    static constexpr int kMaxSteps = 50;

    bool canUndo() const { return m_undoSteps > 0; }
    bool canRedo() const { return m_redoSteps > 0; }
    int undoStepCount() const { return m_undoSteps; }
    void clear() { m_undoSteps = m_redoSteps = 0; }

private:
    int m_undoSteps = 0;
    int m_redoSteps = 0;
};

} // namespace core
