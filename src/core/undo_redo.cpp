#include "core/undo_redo.h"

namespace core {

namespace {

EditResult walk(EditContext &ctx, const WorkProgress &progress, bool back)
{
    const StepCommand *step = back ? ctx.history.undoTop() : ctx.history.redoTop();
    if (!step)
        return {};
    const std::int64_t total = step->workUnits();
    if (progress)
        progress(0, total);
    const DocTree::Batch batch(ctx.tree);
    NodeId focus = kNoNode;
    if (!(back ? ctx.history.undo(focus, ctx.captions, progress) : ctx.history.redo(focus, ctx.captions, progress)))
        return {false, false, kCannotUndoMessage, kNoNode};
    if (progress)
        progress(total, total);
    return {true, true, {}, focus};
}

} // namespace

EditResult undo(EditContext &ctx, const WorkProgress &progress) { return walk(ctx, progress, true); }

EditResult redo(EditContext &ctx, const WorkProgress &progress) { return walk(ctx, progress, false); }

} // namespace core
