// Structure edits on hand-built scenarios: the saved bytes after delete, move
// and add against bytes built by hand, the units a child event forms, and
// that every refusal leaves tree, bytes and history as they were.
#include "core/structure_edits.h"
#include "core/undo_redo.h"
#include "edit_history_test_doc.h"

using namespace core;
using namespace edit_test;
using fixtures::hexBytes;

namespace {

const QByteArray A = plain(1), B = plain(2), C = plain(3), D = plain(4);
const QByteArray blk1 = hexBytes("6E 00 04 00 32 00 00 00");
const QByteArray blk2 = hexBytes("04 00 26 00 07 00");

QByteArray ce2() { return childEvent(blk2, C); }
QByteArray ce1() { return childEvent(blk1, B + ce2()); }
QByteArray sample() { return eexFile(A + ce1() + D); }

struct Edits : ::testing::Test {
    Doc doc{sample()};
    NodeId block1() { return doc.byRecordPrefix(blk1); }
    NodeId block2() { return doc.byRecordPrefix(blk2); }
};

TEST_F(Edits, DeletingABlockTwoLevelsDeepTakesItsMarkerAndShrinksTheOuterBlock)
{
    const EditResult r = deleteNodes(doc.ctx, block2());
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(doc.bytes(), eexFile(A + childEvent(blk1, B) + D));
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(doc.tree));
    // The selection goes to the next sibling: the nested list's end node.
    EXPECT_EQ(r.select, doc.tree.lastChild(block1()));
    // One step of two records, the marker's recorded against its block.
    ASSERT_EQ(doc.history.undoStepCount(), 1);
    EXPECT_EQ(doc.history.step(0)->recordCount(), 2);
}

TEST_F(Edits, DeletingTheMarkerDeletesItsChildEventToo)
{
    ASSERT_TRUE(deleteNodes(doc.ctx, doc.tree.previous(block1())).ok);
    EXPECT_EQ(doc.bytes(), eexFile(A + D));
}

TEST_F(Edits, MovingABlockPastACommandInsideANestedListKeepsTheNestedLengths)
{
    const QString outerKey = doc.tree.key(block1());
    const EditResult r = moveUp(doc.ctx, block2());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(doc.bytes(), eexFile(A + childEvent(blk1, ce2() + B) + D));
    EXPECT_EQ(doc.tree.key(block1()), outerKey);  // same word, same key
    // Back down again, starting from the marker this time.
    ASSERT_TRUE(moveDown(doc.ctx, doc.tree.previous(block2())).ok);
    EXPECT_EQ(doc.bytes(), sample());
}

TEST_F(Edits, MovingACommandPastAChildEventStepsOverTheWholeEvent)
{
    ASSERT_TRUE(moveDown(doc.ctx, doc.byRecord(A)).ok);
    EXPECT_EQ(doc.bytes(), eexFile(ce1() + A + D));
    ASSERT_TRUE(moveUp(doc.ctx, doc.byRecord(D)).ok);
    EXPECT_EQ(doc.bytes(), eexFile(ce1() + D + A));
    // A move keeps node identity and colours: the marker stays red.
    EXPECT_EQ(doc.tree.textColor(doc.tree.previous(block1())), markerTextColor());
}

TEST_F(Edits, AMultiSelectionMovesAsABlockAndUndoesCompletely)
{
    const QByteArray before = doc.bytes();
    const QStringList keys{doc.tree.key(doc.byRecord(D)), doc.tree.key(block1())};
    ASSERT_TRUE(moveUp(doc.ctx, kNoNode, keys).ok);
    EXPECT_EQ(doc.bytes(), eexFile(ce1() + D + A));
    // The top unit cannot go higher; the one below it stays put too.
    EXPECT_FALSE(moveUp(doc.ctx, kNoNode, keys).ok);
    EXPECT_EQ(doc.history.undoStepCount(), 1);
    EXPECT_EQ(doc.history.step(0)->recordCount(), 2);
    ASSERT_TRUE(undo(doc.ctx).ok);
    EXPECT_EQ(doc.bytes(), before);
}

TEST_F(Edits, AMultiSelectionIsReducedToItsTopMostNodesAndSkipsVanishedKeys)
{
    const QStringList keys{doc.tree.key(doc.byRecord(C)), doc.tree.key(block1()), QStringLiteral("gone_1"),
                           doc.tree.key(doc.byRecord(B)), QString()};
    ASSERT_TRUE(deleteNodes(doc.ctx, kNoNode, keys).ok);
    EXPECT_EQ(doc.bytes(), eexFile(A + D));
    EXPECT_EQ(doc.history.undoTop()->recordCount(), 2);  // marker and block only
}

TEST_F(Edits, ACommentReadingLikeACodeZeroCaptionStillMoves)
{
    Doc d(eexFile(A + hexBytes("02 00 05 00 41 00") + D));
    const NodeId comment = d.byRecord(hexBytes("02 00 05 00 41 00"));
    d.tree.setText(comment, QStringLiteral("2 : 0 : 사건결속"));
    ASSERT_TRUE(canMoveUp(d.tree, comment));
    ASSERT_TRUE(moveUp(d.ctx, comment).ok);
    EXPECT_EQ(d.bytes(), eexFile(hexBytes("02 00 05 00 41 00") + A + D));
}

TEST_F(Edits, AddingACommandAndAChildEventRecordsThemBeforeTheSelectedNode)
{
    const QByteArray empty = hexBytes("0A 00");
    ASSERT_TRUE(addCommand(doc.ctx, doc.byRecord(D), 0x0A).ok);
    EXPECT_EQ(doc.bytes(), eexFile(A + ce1() + empty + D));
    ASSERT_TRUE(addChildEvent(doc.ctx, doc.byRecord(C), 0x03).ok);
    const QByteArray inner = childEvent(hexBytes("03 00"), {}) + C;
    EXPECT_EQ(doc.bytes(), eexFile(A + childEvent(blk1, B + childEvent(blk2, inner)) + empty + D));
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(doc.tree));
    EXPECT_EQ(doc.history.undoStepCount(), 2);
}

TEST_F(Edits, DeletingASectionRecordsItsNeighbourAndUndoRestoresIt)
{
    Doc d(eexFile({{lockedComment(), A}, {lockedComment(), B}}));
    const QString firstKey = d.tree.key(d.section(0));
    ASSERT_TRUE(deleteNodes(d.ctx, d.section(1)).ok);  // the last: recorded after the one before it
    EXPECT_EQ(d.history.undoTop()->record(0).parts().at(1), QStringLiteral("Next"));
    EXPECT_EQ(d.history.undoTop()->record(0).parts().at(0), firstKey);
    EXPECT_EQ(d.bytes(), eexFile({{lockedComment(), A}}));
    ASSERT_TRUE(undo(d.ctx).ok);
    EXPECT_EQ(d.bytes(), eexFile({{lockedComment(), A}, {lockedComment(), B}}));
}

TEST_F(Edits, SpreadAndFoldSetEveryNodeWithChildrenInTheBranch)
{
    const NodeId sec = doc.section();
    spreadFold(doc.tree, sec, false);  // the reader leaves some expanded
    EXPECT_EQ(spreadFold(doc.tree, sec, true), 4);  // Section, head-end, two blocks
    EXPECT_TRUE(doc.tree.expanded(block2()));
    EXPECT_FALSE(doc.tree.expanded(doc.byRecord(C)));  // no children: untouched
    EXPECT_EQ(spreadFold(doc.tree, sec, false), 4);
    EXPECT_FALSE(doc.tree.expanded(sec));
    EXPECT_EQ(spreadFold(doc.tree, doc.byRecord(A), true), 0);
}

TEST_F(Edits, CommandStateFollowsTheNodeKinds)
{
    const NodeId locked = doc.lockedCommentNode();
    const NodeId marker = doc.tree.previous(block1());
    struct Row {
        NodeId node;
        bool add, child, del, up, down;
    };
    const Row rows[] = {
        {doc.tree.root(), false, false, false, false, false},
        {locked, false, false, false, false, false},
        {doc.headEnd(), true, false, false, false, false},
        {doc.bodyEnd(), true, true, false, false, false},
        {doc.section(), true, false, true, false, false},  // the only Section: the delete says why
        {marker, true, true, true, true, true},
        {block1(), false, false, true, true, true},
        {doc.byRecord(A), true, true, true, false, true},  // first of its list
        {doc.byRecord(D), true, true, true, true, false},  // just above the end node
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(doc.tree.key(r.node).toStdString());
        EXPECT_EQ(canAdd(doc.tree, r.node), r.add);
        EXPECT_EQ(canAddChild(doc.tree, r.node), r.child);
        EXPECT_EQ(canDelete(doc.tree, r.node), r.del);
        EXPECT_EQ(canMoveUp(doc.tree, r.node), r.up);
        EXPECT_EQ(canMoveDown(doc.tree, r.node), r.down);
    }
}

// --- refusals ------------------------------------------------------------------

TEST_F(Edits, EveryRefusalLeavesTreeBytesAndHistoryUnchanged)
{
    Doc head(eexFile({{lockedComment() + hexBytes("03 00"), A}}));
    const NodeId headCommand = head.byRecord(hexBytes("03 00"));
    struct Case {
        const char *what;
        std::function<EditResult(Doc &)> edit;
        QString message;
    };
    const std::vector<Case> cases = {
        {"delete root", [](Doc &d) { return deleteNodes(d.ctx, d.tree.root()); }, {}},
        {"delete locked comment", [](Doc &d) { return deleteNodes(d.ctx, d.lockedCommentNode()); }, {}},
        {"delete head-end", [](Doc &d) { return deleteNodes(d.ctx, d.headEnd()); }, {}},
        {"delete end node", [](Doc &d) { return deleteNodes(d.ctx, d.bodyEnd()); }, {}},
        {"delete only Section", [](Doc &d) { return deleteNodes(d.ctx, d.section()); }, kOnlySectionMessage},
        {"delete only Scene", [](Doc &d) { return deleteNodes(d.ctx, d.tree.firstChild(d.tree.root())); },
         kOnlySceneMessage},
        {"move first up", [](Doc &d) { return moveUp(d.ctx, d.tree.firstChild(d.headEnd())); }, {}},
        {"move last down", [](Doc &d) { return moveDown(d.ctx, d.tree.previous(d.bodyEnd())); }, {}},
        {"move end node", [](Doc &d) { return moveUp(d.ctx, d.bodyEnd()); }, {}},
        {"move locked down", [](Doc &d) { return moveDown(d.ctx, d.lockedCommentNode()); }, {}},
        {"add before locked", [](Doc &d) { return addCommand(d.ctx, d.lockedCommentNode(), 0x0A); },
         kCannotAddMessage},
        {"add before root", [](Doc &d) { return addCommand(d.ctx, d.tree.root(), 0x0A); }, kCannotAddMessage},
        {"add end code", [](Doc &d) { return addCommand(d.ctx, d.bodyEnd(), 0x00); }, kCannotAddMessage},
        {"child event in head", [](Doc &d) { return addChildEvent(d.ctx, d.headEnd(), 0x03); }, kCannotAddMessage},
        {"child event of plain code", [](Doc &d) { return addChildEvent(d.ctx, d.bodyEnd(), 0x0F); },
         kNotChildEventMessage},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Doc d(sample());
        const QByteArray before = d.bytes();
        const int count = d.tree.count();
        const KeySerial serial = d.serial;
        const EditResult r = c.edit(d);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.changed);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(d.bytes(), before);
        EXPECT_EQ(d.tree.count(), count);
        EXPECT_EQ(d.serial, serial);
        EXPECT_FALSE(d.history.canUndo());
    }
    // Nothing moves above the locked comment of a head list.
    EXPECT_FALSE(moveUp(head.ctx, headCommand).ok);
    EXPECT_FALSE(head.history.canUndo());
}

TEST(EditsLimits, AnAddPastTheSixteenBitSectionWordIsRefused)
{
    // A Section with room for a few bytes only.
    QByteArray body;
    const QByteArray filler = hexBytes("14 00 05 00") + QByteArray(4000, 'a') + QByteArray(1, '\0');
    while (body.size() + filler.size() < 65535 - 40)
        body += filler;
    const int rest = 65535 - 20 - int(body.size());
    body += hexBytes("14 00 05 00") + QByteArray(rest, 'b') + QByteArray(1, '\0');
    Doc d(eexFile(body));
    const QByteArray before = d.bytes();
    ASSERT_FALSE(before.isEmpty());
    const EditResult r = addCommand(d.ctx, d.bodyEnd(), 0x6D);  // 40 bytes
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, kTooLongMessage);
    EXPECT_EQ(d.bytes(), before);
    EXPECT_FALSE(d.history.canUndo());
    EXPECT_TRUE(addCommand(d.ctx, d.bodyEnd(), 0x0A).ok);  // two bytes still fit
}

} // namespace
