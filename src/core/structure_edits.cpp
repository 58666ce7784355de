#include "core/structure_edits.h"

#include "core/catalogue.h"
#include "core/eex_layout.h"
#include "core/key_codec.h"
#include "core/node_creation.h"
#include "core/section_check.h"

#include <QSet>

#include <algorithm>

namespace core {

namespace {

EditResult refused(const QString &message = {}) { return {false, false, message, kNoNode}; }

QString messageOf(NodeAddError e)
{
    return e == NodeAddError::LengthOutOfRange ? kTooLongMessage : kCannotAddMessage;
}

bool movableCommand(const DocTree &tree, NodeId n)
{
    return isCommandNode(tree, n) && !isEndNode(tree, n) && !isLockedComment(tree, n);
}

bool movable(const DocTree &tree, NodeId n)
{
    return isSceneNode(tree, n) || isSectionNode(tree, n) || movableCommand(tree, n);
}

// The unit the selected unit would step over, or an invalid unit.
EditUnit stepOver(const DocTree &tree, const EditUnit &unit, bool up)
{
    if (!unit.isValid() || !movable(tree, unit.first))
        return {};
    const EditUnit other = up ? previousUnit(tree, unit) : nextUnit(tree, unit);
    if (!other.isValid())
        return {};
    if (isCommandNode(tree, unit.first)) {
        // The locked comment heads its list; end nodes close theirs.
        if (isLockedComment(tree, other.first) || isEndNode(tree, other.first))
            return {};
    }
    return other;
}

NodeId selectionAfterDelete(const DocTree &tree, NodeId parent, int row)
{
    if (NodeId n = tree.child(parent, row); n != kNoNode)
        return n;
    if (NodeId n = tree.child(parent, row - 1); n != kNoNode)
        return n;
    return parent;
}

// An add stands when its Section still saves; else it is taken back.
EditResult recordAdded(EditContext &ctx, const SectionGuard &guard, KeySerial serialBefore, RecordPtr record,
                       NodeId selected)
{
    const QString refusal = takeBackIfUnsaveable(ctx.tree, guard, [&] {
        record->undoRecord();
        ctx.keySerial = serialBefore;
    });
    if (!refusal.isEmpty())
        return refused(refusal);
    ctx.history.record(std::move(record));
    return {true, true, {}, selected};
}

EditResult moveSelection(EditContext &ctx, NodeId selected, const QStringList &multiKeys, bool up)
{
    DocTree &tree = ctx.tree;
    std::vector<EditUnit> units = unitsInTreeOrder(tree, selectedUnits(tree, selected, multiKeys));
    if (!up)
        std::reverse(units.begin(), units.end());
    QSet<NodeId> chosen;
    SectionGuard guard(tree);
    for (const EditUnit &u : units) {
        chosen.insert(u.first);
        guard.touch(u.first);
    }

    EditStep step;
    for (const EditUnit &u : units) {
        const EditUnit other = stepOver(tree, u, up);
        if (!other.isValid() || chosen.contains(other.first))
            continue;
        const std::vector<NodeId> run = unitNodes(tree, u);
        const int from = tree.row(u.first);
        const int to = up ? tree.row(other.first) : from + int(unitNodes(tree, other).size());
        if (!moveRunTo(tree, run, to))
            continue;
        step.records.push_back(
            std::make_unique<MoveRunCommand>(UndoTarget{&tree, &ctx.history.refs()}, up, run, from));
    }
    if (step.isEmpty())
        return refused();
    const QString refusal = takeBackIfUnsaveable(tree, guard, [&] { undoRecords(step.records); });
    if (!refusal.isEmpty())
        return refused(refusal);
    ctx.history.push(std::move(step));
    return {true, true, {}, tree.isValid(selected) ? selected : kNoNode};
}

} // namespace

bool canAdd(const DocTree &tree, NodeId node)
{
    if (!tree.isValid(node) || isRootNode(tree, node))
        return false;
    if (isSceneNode(tree, node) || isSectionNode(tree, node))
        return true;
    return isCommandNode(tree, node) && !isLockedComment(tree, node) && !isChildEventBlock(tree, node);
}

bool canAddChild(const DocTree &tree, NodeId node)
{
    return isCommandNode(tree, node) && !isLockedComment(tree, node) && !isChildEventBlock(tree, node)
        && !isHeadListNode(tree, node);
}

bool canDelete(const DocTree &tree, NodeId node)
{
    if (isSceneNode(tree, node) || isSectionNode(tree, node))
        return true;
    return isCommandNode(tree, node) && !isEndNode(tree, node) && !isLockedComment(tree, node);
}

bool canMoveUp(const DocTree &tree, NodeId node) { return stepOver(tree, unitOf(tree, node), true).isValid(); }

bool canMoveDown(const DocTree &tree, NodeId node) { return stepOver(tree, unitOf(tree, node), false).isValid(); }

EditResult addCommand(EditContext &ctx, NodeId selected, int code, const QString &word)
{
    DocTree &tree = ctx.tree;
    if (!canAdd(tree, selected) || !isCommandNode(tree, selected) || !isValidCode(code) || code == kEndCode
        || code == kMarkerCode)
        return refused(kCannotAddMessage);
    MenuNodeRequest request;
    request.code = code;
    request.selected = selected;
    request.word = word;
    request.where = Relation::Before;
    if (!sectionCanGrow(tree, selected, recordLength(defaultNodeKey(request, ctx.keySerial))))
        return refused(kTooLongMessage);
    SectionGuard guard(tree);
    guard.touch(selected);
    const KeySerial serialBefore = ctx.keySerial;
    const NodeAddResult added = menuNodeAdd(tree, ctx.keySerial, request, ctx.captions);
    if (!added)
        return refused(messageOf(added.error));
    return recordAdded(ctx, guard, serialBefore, makeRecord(tree, ctx.history, RecordKind::Add, selected), selected);
}

EditResult addChildEvent(EditContext &ctx, NodeId selected, int code)
{
    DocTree &tree = ctx.tree;
    if (!canAddChild(tree, selected))
        return refused(kCannotAddMessage);
    if (!isBlockMenu(code))
        return refused(kNotChildEventMessage);
    const int bytes = 2 + recordLength(defaultRecord(code)) + 2 + 2;  // marker, block, word, end node
    if (!sectionCanGrow(tree, selected, bytes))
        return refused(kTooLongMessage);
    SectionGuard guard(tree);
    guard.touch(selected);
    const KeySerial serialBefore = ctx.keySerial;
    const NodeAddResult added = childEventAdd(tree, ctx.keySerial, code, selected, Relation::Before, ctx.captions);
    if (!added)
        return refused(messageOf(added.error));
    return recordAdded(ctx, guard, serialBefore, makeRecord(tree, ctx.history, RecordKind::AddChildEvent, selected),
                       selected);
}

EditResult deleteUnits(EditContext &ctx, const std::vector<EditUnit> &units, std::vector<EditStep> &steps,
                       std::vector<bool> *deleted)
{
    DocTree &tree = ctx.tree;
    if (deleted)
        deleted->assign(units.size(), false);
    QString message;
    NodeId lastParent = kNoNode;
    int lastRow = 0;
    SectionGuard guard(tree);
    for (const EditUnit &u : units)
        if (tree.isValid(u.first) && canDelete(tree, u.first))
            guard.touch(u.first);
    const NodeId selectedBefore = tree.selected();
    const QString selectedKey = tree.isValid(selectedBefore) ? tree.key(selectedBefore) : QString();
    const std::size_t stepsBefore = steps.size();
    for (std::size_t i = 0; i < units.size(); ++i) {
        const EditUnit &u = units[i];
        if (!tree.isValid(u.first) || !tree.isValid(u.last) || !canDelete(tree, u.first))
            continue;
        const NodeId parent = tree.parent(u.first);
        if ((isSceneNode(tree, u.first) || isSectionNode(tree, u.first)) && tree.childCount(parent) == 1) {
            message = isSceneNode(tree, u.first) ? kOnlySceneMessage : kOnlySectionMessage;
            continue;
        }
        const std::vector<NodeId> run = unitNodes(tree, u);
        if (tree.next(u.last) == kNoNode && tree.previous(u.first) == kNoNode)
            continue;  // nothing to put it back against
        // Records first, while the nodes stand where they stood.
        EditStep step;
        for (NodeId n : run)
            step.records.push_back(
                makeRecord(tree, ctx.history, RecordKind::Delete, n, {}, {}, tree.next(n) == kNoNode ? 2 : 3));
        const int row = tree.row(u.first);
        if (!removeRun(tree, run))
            continue;
        steps.push_back(std::move(step));
        lastParent = parent;
        lastRow = row;
        if (deleted)
            (*deleted)[i] = true;
    }
    if (lastParent == kNoNode)
        return refused(message);
    const QString refusal = takeBackIfUnsaveable(tree, guard, [&] {
        for (std::size_t i = steps.size(); i > stepsBefore; --i)
            undoRecords(steps[i - 1].records);
    });
    if (!refusal.isEmpty()) {
        steps.erase(steps.begin() + std::ptrdiff_t(stepsBefore), steps.end());
        if (deleted)
            deleted->assign(units.size(), false);
        // The nodes put back are new nodes with the old keys.
        return {false, false, refusal, selectedKey.isEmpty() ? kNoNode : tree.find(selectedKey)};
    }
    return {true, true, message, selectionAfterDelete(tree, lastParent, lastRow)};
}

EditResult deleteNodes(EditContext &ctx, NodeId selected, const QStringList &multiKeys)
{
    std::vector<EditStep> steps;
    EditResult r = deleteUnits(ctx, selectedUnits(ctx.tree, selected, multiKeys), steps);
    for (EditStep &step : steps)
        ctx.history.push(std::move(step));
    return r;
}

EditResult moveUp(EditContext &ctx, NodeId selected, const QStringList &multiKeys)
{
    return moveSelection(ctx, selected, multiKeys, true);
}

EditResult moveDown(EditContext &ctx, NodeId selected, const QStringList &multiKeys)
{
    return moveSelection(ctx, selected, multiKeys, false);
}

int spreadFold(DocTree &tree, NodeId start, bool spread)
{
    if (!tree.isValid(start))
        return 0;
    int changed = 0;
    std::vector<NodeId> stack{start};
    while (!stack.empty()) {
        const NodeId n = stack.back();
        stack.pop_back();
        if (tree.childCount(n) == 0)
            continue;
        if (tree.expanded(n) != spread) {
            tree.setExpanded(n, spread);
            ++changed;
        }
        for (int r = tree.childCount(n) - 1; r >= 0; --r)
            stack.push_back(tree.child(n, r));
    }
    return changed;
}

} // namespace core
