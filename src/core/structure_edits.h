#pragma once
// The structure edits of a document tree: add a command or a child event,
// delete, move up and down, spread and fold. Each works headless on an
// EditContext, records one undo step when it changed something, and returns
// what the window needs: a message to show, whether the tree changed, and the
// node to select. A refused edit changes nothing and records nothing.
//
// Delete and the moves act on the selected node or on the multi-selection
// (its keys in selection order). A child event's marker and its block act as
// one unit: they are deleted together, move together, and nothing moves in
// between them. Nothing is added before, moved across or deleted as a
// Section's locked comment; end nodes are never deleted or moved.
//
// Adding Scenes and Sections belongs to the documents (workspace); deleting and
// moving them is done here.
#include "core/edit_context.h"
#include "core/edit_units.h"

#include <QStringList>

#include <vector>

namespace core {

// Command state for the selected node.
bool canAdd(const DocTree &tree, NodeId node);
bool canAddChild(const DocTree &tree, NodeId node);
bool canDelete(const DocTree &tree, NodeId node);
bool canMoveUp(const DocTree &tree, NodeId node);
bool canMoveDown(const DocTree &tree, NodeId node);

inline const QString kNotChildEventMessage = QStringLiteral("자사건 추가 할 수 없는 메뉴입니다.");

// Inserts a command of `code` with its default parameters (or the text
// `word` for a text command) before `selected`; records kind 2.
EditResult addCommand(EditContext &ctx, NodeId selected, int code, const QString &word = {});
// Inserts a child event (marker, block `code`, end node) before `selected`;
// records kind 3.
EditResult addChildEvent(EditContext &ctx, NodeId selected, int code);

// Deletes the selection with a kind-1 record per removed node. Each removed
// unit is a step of its own, so a multi-selection of three commands comes
// back one command per undo; a child event's marker and block share a step.
EditResult deleteNodes(EditContext &ctx, NodeId selected, const QStringList &multiKeys = {});
// Deletes the units and appends one step per removed unit to `steps`
// without pushing them. `deleted` gets one flag per unit. Used by delete and cut.
EditResult deleteUnits(EditContext &ctx, const std::vector<EditUnit> &units, std::vector<EditStep> &steps,
                       std::vector<bool> *deleted = nullptr);

// Moves the selection one place up or down among its siblings; one step with
// a record per unit that really moved. A selected unit never jumps over
// another selected unit that could not move.
EditResult moveUp(EditContext &ctx, NodeId selected, const QStringList &multiKeys = {});
EditResult moveDown(EditContext &ctx, NodeId selected, const QStringList &multiKeys = {});

// Expands (spread) or collapses (fold) every node with children in the
// branch of `start`, the start node included. Returns how many nodes changed
// their state. Not a document change: nothing is recorded.
int spreadFold(DocTree &tree, NodeId start, bool spread);

} // namespace core
