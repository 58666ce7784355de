#include "core/clipboard_ops.h"

#include "core/edit_units.h"
#include "core/eex_layout.h"
#include "core/node_creation.h"
#include "core/section_check.h"
#include "core/structure_edits.h"

namespace core {

std::optional<NodeSnapshot> nodeCopy(const DocTree &tree, NodeId node, bool keepExpanded)
{
    if (!tree.isValid(node) || isRootNode(tree, node) || isEndNode(tree, node) || isLockedComment(tree, node))
        return std::nullopt;
    return takeSnapshot(tree, node, keepExpanded);
}

InsertResult nodePaste(DocTree &tree, KeySerial &keySerial, const NodeSnapshot &snapshot, NodeId selected,
                       Relation where, SnapshotKeys keys)
{
    return insertSnapshots(tree, keySerial, {snapshot}, selected, where, keys);
}

KeyEditResult keyEditChildren(DocTree &tree, NodeId first, int count, bool bDelete)
{
    int bytes = 0;
    NodeId n = first;
    for (int i = 0; i < count && n != kNoNode; ++i, n = tree.next(n))
        bytes += branchByteLength(tree, n);
    return keyEdit(tree, first, bDelete ? -bytes : bytes);
}

namespace {

// What a unit puts into the clipboard: a child event its block (paste makes
// a new marker), other nodes themselves; a marker without its block nothing.
std::optional<NodeSnapshot> copyUnit(const DocTree &tree, const EditUnit &u, bool keepExpanded)
{
    if (u.isChildEvent())
        return nodeCopy(tree, u.last, keepExpanded);
    if (isMarkerNode(tree, u.first))
        return std::nullopt;
    return nodeCopy(tree, u.first, keepExpanded);
}

bool fitsBefore(const DocTree &tree, const NodeSnapshot &entry, NodeId target)
{
    if (isSceneSnapshot(entry))
        return isSceneNode(tree, target);
    if (isSectionSnapshot(entry))
        return isSectionNode(tree, target);
    if (!isCommandNode(tree, target) || isLockedComment(tree, target) || isChildEventBlock(tree, target))
        return false;
    return !isChildEventSnapshot(entry) || !isHeadListNode(tree, target);
}

EditResult refused(const QString &message = {}) { return {false, false, message, kNoNode}; }

} // namespace

bool canCopy(const DocTree &tree, NodeId node) { return copyUnit(tree, unitOf(tree, node), false).has_value(); }

bool canPaste(const DocTree &tree, const Clipboard &clipboard, NodeId target)
{
    if (clipboard.isEmpty() || !tree.isValid(target))
        return false;
    for (const NodeSnapshot &e : clipboard.entries())
        if (!fitsBefore(tree, e, target))
            return false;
    return true;
}

EditResult copyNodes(const DocTree &tree, NodeId selected, const QStringList &multiKeys, Clipboard &clipboard)
{
    std::vector<NodeSnapshot> entries;
    for (const EditUnit &u : selectedUnits(tree, selected, multiKeys))
        if (auto s = copyUnit(tree, u, false))
            entries.push_back(std::move(*s));
    if (entries.empty())
        return refused();
    clipboard.set(std::move(entries), !multiKeys.isEmpty());
    return {true, false, {}, kNoNode};
}

EditResult cutNodes(EditContext &ctx, NodeId selected, const QStringList &multiKeys, Clipboard &clipboard)
{
    const bool multi = !multiKeys.isEmpty();
    std::vector<EditUnit> units;
    std::vector<NodeSnapshot> copies;
    for (const EditUnit &u : selectedUnits(ctx.tree, selected, multiKeys)) {
        if (!canDelete(ctx.tree, u.first))
            continue;
        if (auto s = copyUnit(ctx.tree, u, multi)) {
            units.push_back(u);
            copies.push_back(std::move(*s));
        }
    }
    std::vector<EditStep> steps;
    std::vector<bool> deleted;
    EditResult result = deleteUnits(ctx, units, steps, &deleted);
    if (!result.ok)
        return result;
    std::vector<NodeSnapshot> entries;
    for (std::size_t i = 0; i < copies.size(); ++i)
        if (deleted[i])
            entries.push_back(std::move(copies[i]));
    clipboard.set(std::move(entries), multi);
    for (EditStep &step : steps)
        ctx.history.push(std::move(step));
    return result;
}

EditResult pasteNodes(EditContext &ctx, const Clipboard &clipboard, NodeId target)
{
    DocTree &tree = ctx.tree;
    if (clipboard.isEmpty())
        return refused();
    if (!canPaste(tree, clipboard, target))
        return refused(kCannotPasteMessage);

    if (isCommandNode(tree, target)) {
        int bytes = 0;
        for (const NodeSnapshot &e : clipboard.entries())
            bytes += snapshotByteLength(e) + (isChildEventSnapshot(e) ? 2 : 0);
        if (!sectionCanGrow(tree, target, bytes) || !keyEditCheck(tree, target, bytes))
            return refused(kTooLongMessage);
    }

    SectionGuard guard(tree);
    guard.touch(target);
    const KeySerial serialBefore = ctx.keySerial;
    EditStep step;
    auto takeBack = [&]() {
        undoRecords(step.records);
        ctx.keySerial = serialBefore;
    };
    auto rollBack = [&]() {
        takeBack();
        return refused(kTooLongMessage);
    };
    for (const NodeSnapshot &e : clipboard.entries()) {
        if (isChildEventSnapshot(e)) {
            MenuNodeRequest marker;
            marker.code = kMarkerCode;
            marker.selected = target;
            marker.where = Relation::Before;
            const NodeAddResult m = menuNodeAdd(tree, ctx.keySerial, marker, ctx.captions);
            if (!m)
                return rollBack();
            if (!nodePaste(tree, ctx.keySerial, e, target, Relation::Before, SnapshotKeys::Fresh)) {
                removeRun(tree, {m.node});
                return rollBack();
            }
            step.records.push_back(makeRecord(tree, ctx.history, RecordKind::AddChildEvent, target));
        } else {
            if (!nodePaste(tree, ctx.keySerial, e, target, Relation::Before, SnapshotKeys::Fresh))
                return rollBack();
            step.records.push_back(makeRecord(tree, ctx.history, RecordKind::Add, target));
            guard.touchNew(tree.previous(target));
        }
    }
    const QString refusal = takeBackIfUnsaveable(tree, guard, takeBack);
    if (!refusal.isEmpty())
        return refused(refusal);
    // Each pasted node is an undo step of its own, taken back one at a time.
    for (RecordPtr &r : step.records)
        ctx.history.record(std::move(r));
    return {true, true, {}, target};
}

} // namespace core
