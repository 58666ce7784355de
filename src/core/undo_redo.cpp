#include "core/undo_redo.h"

#include "core/edit_units.h"
#include "core/key_codec.h"
#include "core/key_edit.h"

namespace core {

namespace {

NodeId nodeOf(const DocTree &tree, const EditRecord &r, int part)
{
    return part < r.parts.size() ? tree.find(r.parts[part]) : kNoNode;
}

bool putBack(DocTree &tree, KeySerial &serial, const std::vector<NodeSnapshot> &nodes, NodeId target,
             Relation where)
{
    if (target == kNoNode || nodes.empty())
        return false;
    KeySerial unused = serial;  // kept keys draw no serials
    return bool(insertSnapshots(tree, unused, nodes, target, where, SnapshotKeys::Kept));
}

// Takes the run out, keeping fresh snapshots in the record for the way back.
bool takeOut(DocTree &tree, EditRecord &r, const std::vector<NodeId> &run)
{
    std::vector<NodeSnapshot> snaps;
    for (NodeId n : run) {
        if (!tree.isValid(n))
            return false;
        snaps.push_back(takeSnapshot(tree, n));
    }
    if (!removeRun(tree, run))
        return false;
    r.nodes = std::move(snaps);
    return true;
}

bool rekey(DocTree &tree, const EditRecord &r, int fromKey, int toKey, int toText)
{
    if (r.parts.size() < 4)
        return false;
    const NodeId node = nodeOf(tree, r, fromKey);
    const QString &key = r.parts[toKey];
    if (node == kNoNode || (key != r.parts[fromKey] && tree.contains(key)))
        return false;
    const int delta = recordLength(key) - recordLength(r.parts[fromKey]);
    if (!KeyEditCheck(tree, node, delta))
        return false;
    tree.setKey(node, key);
    tree.setText(node, r.parts[toText]);
    KeyEdit(tree, node, delta);
    return true;
}

// Moves the recorded unit from row `at` to row `to` within its list.
bool moveBack(DocTree &tree, const EditRecord &r, int at, int to)
{
    const NodeId node = nodeOf(tree, r, 0);
    if (node == kNoNode || tree.key(tree.parent(node)) != r.parentKey || tree.row(node) != at)
        return false;
    const EditUnit unit = unitOf(tree, node);
    const std::vector<NodeId> run = unitNodes(tree, unit);
    if (unit.first != node || int(run.size()) != r.unitSize)
        return false;
    return moveRunTo(tree, run, to);
}

bool nextKeyIs(const DocTree &tree, NodeId n, const QString &key)
{
    const NodeId after = tree.next(n);
    return after != kNoNode && tree.key(after) == key;
}

} // namespace

bool undoRecord(DocTree &tree, KeySerial &keySerial, EditRecord &r)
{
    switch (r.kind) {
    case RecordKind::Delete: {
        if (r.parts.size() < 3 || r.nodes.size() != 1)
            return false;
        const Relation where = r.parts[1] == kDeletedAfterNeighbour ? Relation::After : Relation::Before;
        return putBack(tree, keySerial, r.nodes, nodeOf(tree, r, 0), where);
    }
    case RecordKind::Add: {
        const NodeId added = nodeOf(tree, r, 0);
        if (added == kNoNode || r.parts.size() < 2 || !nextKeyIs(tree, added, r.parts[1]))
            return false;
        return takeOut(tree, r, {added});
    }
    case RecordKind::AddChildEvent: {
        const NodeId block = nodeOf(tree, r, 0);
        const NodeId marker = nodeOf(tree, r, 1);
        if (block == kNoNode || marker == kNoNode || r.parts.size() < 4 || tree.next(marker) != block
            || !nextKeyIs(tree, block, r.parts[3]))
            return false;
        return takeOut(tree, r, {marker, block});
    }
    case RecordKind::Edit:
        return rekey(tree, r, 0, 2, 3);
    case RecordKind::MoveUp:
    case RecordKind::MoveDown:
        return moveBack(tree, r, r.toRow, r.fromRow);
    case RecordKind::None:
        break;
    }
    return false;
}

bool redoRecord(DocTree &tree, KeySerial &keySerial, EditRecord &r)
{
    switch (r.kind) {
    case RecordKind::Delete: {
        const NodeId gone = nodeOf(tree, r, 2);
        const NodeId neighbour = nodeOf(tree, r, 0);
        if (gone == kNoNode || neighbour == kNoNode)
            return false;
        const bool before = r.parts[1] != kDeletedAfterNeighbour;
        if ((before ? tree.next(gone) : tree.previous(gone)) != neighbour)
            return false;
        return takeOut(tree, r, {gone});
    }
    case RecordKind::Add:
        return r.nodes.size() == 1 && putBack(tree, keySerial, r.nodes, nodeOf(tree, r, 1), Relation::Before);
    case RecordKind::AddChildEvent:
        return r.nodes.size() == 2 && putBack(tree, keySerial, r.nodes, nodeOf(tree, r, 3), Relation::Before);
    case RecordKind::Edit:
        return rekey(tree, r, 2, 0, 1);
    case RecordKind::MoveUp:
    case RecordKind::MoveDown:
        return moveBack(tree, r, r.fromRow, r.toRow);
    case RecordKind::None:
        break;
    }
    return false;
}

namespace {

// The node to select after a step: where its first record acted.
NodeId focusOf(const DocTree &tree, const EditRecord &r)
{
    for (const QString &key : r.parts)
        if (const NodeId n = tree.find(key); n != kNoNode)
            return n;
    return kNoNode;
}

// Records between two progress reports.
constexpr int kRecordsPerReport = 512;

void report(const WorkProgress &progress, std::size_t done, std::size_t total)
{
    if (progress && (done == 0 || done % kRecordsPerReport == 0))
        progress(std::int64_t(done), std::int64_t(total));
}

} // namespace

EditResult undo(EditContext &ctx, const WorkProgress &progress)
{
    EditStep *step = ctx.history.undoTop();
    if (!step)
        return {};
    const DocTree::Batch batch(ctx.tree);
    auto &recs = step->records;
    report(progress, 0, recs.size());
    for (int i = int(recs.size()) - 1; i >= 0; --i) {
        report(progress, recs.size() - std::size_t(i), recs.size());
        if (undoRecord(ctx.tree, ctx.keySerial, recs[std::size_t(i)]))
            continue;
        for (std::size_t j = std::size_t(i) + 1; j < recs.size(); ++j)
            redoRecord(ctx.tree, ctx.keySerial, recs[j]);
        ctx.history.clear();
        return {false, false, kCannotUndoMessage, kNoNode};
    }
    const NodeId focus = focusOf(ctx.tree, recs.front());
    ctx.history.markUndone();
    return {true, true, {}, focus};
}

EditResult redo(EditContext &ctx, const WorkProgress &progress)
{
    EditStep *step = ctx.history.redoTop();
    if (!step)
        return {};
    const DocTree::Batch batch(ctx.tree);
    auto &recs = step->records;
    report(progress, 0, recs.size());
    for (std::size_t i = 0; i < recs.size(); ++i) {
        report(progress, i + 1, recs.size());
        if (redoRecord(ctx.tree, ctx.keySerial, recs[i]))
            continue;
        for (int j = int(i) - 1; j >= 0; --j)
            undoRecord(ctx.tree, ctx.keySerial, recs[std::size_t(j)]);
        ctx.history.clear();
        return {false, false, kCannotUndoMessage, kNoNode};
    }
    const NodeId focus = focusOf(ctx.tree, recs.back());
    ctx.history.markRedone();
    return {true, true, {}, focus};
}

} // namespace core
