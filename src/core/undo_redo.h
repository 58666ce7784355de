#pragma once
// Undo and redo of a document's history, as the Edit menu does them.
//
// Records are applied with the internal primitives (snapshot insert, run
// removal, in-list moves, key rewrite), never through the user's paste rules,
// so a node deleted beside a Section's locked comment comes back there.
// Records find their nodes by lasting name, so a key rewritten meanwhile does
// not stop them. A step that cannot be applied whole (a kept key already
// taken by another node) leaves the tree as it was, clears the history and
// gives kCannotUndoMessage instead of an edit of the wrong node.
#include "core/edit_context.h"
#include "core/work_progress.h"

namespace core {

// Undo / redo the top step. Nothing to undo or redo: ok false, nothing changes.
// A step is never stopped half-way; `progress` hears of its start and end.
EditResult undo(EditContext &ctx, const WorkProgress &progress = {});
EditResult redo(EditContext &ctx, const WorkProgress &progress = {});

} // namespace core
