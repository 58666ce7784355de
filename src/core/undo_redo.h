#pragma once
// Undo and redo over a document's EditHistory.
//
// Records are applied with the internal primitives (snapshot insert, run
// removal, in-list moves, key rewrite), never through the user's paste rules,
// so a node deleted beside a Section's locked comment comes back there.
// Every record is checked against the tree before it acts; when a record no
// longer fits (a key changed without a record), the records of the step that
// were already applied are put back, the history is cleared and the caller
// gets kCannotUndoMessage instead of an edit of the wrong node.
#include "core/edit_context.h"
#include "core/work_progress.h"

namespace core {

// One record backwards / forwards; all or nothing. The record's snapshots are
// refreshed from the tree when it takes nodes out.
bool undoRecord(DocTree &tree, KeySerial &keySerial, EditRecord &record);
bool redoRecord(DocTree &tree, KeySerial &keySerial, EditRecord &record);

// Undo / redo the top step. Nothing to undo or redo: ok false, nothing changes.
// `progress` counts the step's records; a step is never stopped half-way.
EditResult undo(EditContext &ctx, const WorkProgress &progress = {});
EditResult redo(EditContext &ctx, const WorkProgress &progress = {});

} // namespace core
