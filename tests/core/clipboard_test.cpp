// Copy, cut and paste on hand-built scenarios: saved bytes against bytes
// built by hand, fresh keys, the child-event unit, and refusals that leave
// everything as it was.
#include "core/clipboard_ops.h"
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

struct Clip : ::testing::Test {
    Doc doc{sample()};
    Clipboard clipboard;
    NodeId block1() { return doc.byRecordPrefix(blk1); }
    NodeId block2() { return doc.byRecordPrefix(blk2); }
};

TEST_F(Clip, AChildEventWithTwoLevelsPastedAfterACommandGivesTheHandBuiltBytes)
{
    ASSERT_TRUE(copyNodes(doc.tree, block1(), {}, clipboard).ok);
    ASSERT_EQ(clipboard.entries().size(), 1u);
    const EditResult r = pasteNodes(doc.ctx, clipboard, doc.bodyEnd());
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(doc.bytes(), eexFile(A + ce1() + D + ce1()));
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(doc.tree));
    // One step, one child-event record; the pasted nodes carry fresh keys.
    ASSERT_EQ(doc.history.undoStepCount(), 1);
    const RecordCommand &rec = doc.history.step(0)->record(0);
    EXPECT_EQ(rec.kind(), RecordKind::AddChildEvent);
    const NodeId pasted = doc.tree.previous(doc.bodyEnd());
    EXPECT_NE(doc.tree.key(pasted), doc.tree.key(block1()));
    EXPECT_TRUE(doc.tree.key(pasted).startsWith(doc.tree.key(block1())));
    EXPECT_EQ(rec.parts().at(0), doc.tree.key(pasted));
    // Colours: a new red marker; no background on the pasted block.
    EXPECT_EQ(doc.tree.textColor(doc.tree.previous(pasted)), markerTextColor());
    EXPECT_FALSE(doc.tree.backColor(pasted).isValid());
    EXPECT_FALSE(doc.tree.expanded(pasted));
}

TEST_F(Clip, PastingIntoANestedListGrowsEveryEnclosingWord)
{
    ASSERT_TRUE(copyNodes(doc.tree, doc.tree.previous(block1()), {}, clipboard).ok);  // via the marker
    ASSERT_TRUE(pasteNodes(doc.ctx, clipboard, doc.byRecord(C)).ok);
    EXPECT_EQ(doc.bytes(), eexFile(A + childEvent(blk1, B + childEvent(blk2, ce1() + C)) + D));
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(doc.tree));
}

TEST_F(Clip, AMarkerAndItsBlockSelectedTogetherCopyAsOneEvent)
{
    const QStringList keys{doc.tree.key(doc.tree.previous(block1())), doc.tree.key(block1()),
                           doc.tree.key(doc.byRecord(D))};
    ASSERT_TRUE(copyNodes(doc.tree, kNoNode, keys, clipboard).ok);
    EXPECT_EQ(clipboard.entries().size(), 2u);
    EXPECT_TRUE(clipboard.isMulti());
    ASSERT_TRUE(pasteNodes(doc.ctx, clipboard, doc.byRecord(A)).ok);
    EXPECT_EQ(doc.bytes(), eexFile(ce1() + D + A + ce1() + D));
    // A step per pasted node.
    ASSERT_EQ(doc.history.undoStepCount(), 2);
    EXPECT_EQ(doc.history.undoTop()->recordCount(), 1);
}

TEST_F(Clip, PastingTwiceGivesDistinctKeysAndATakenKeyMovesToTheNextSerial)
{
    ASSERT_TRUE(copyNodes(doc.tree, doc.byRecord(A), {}, clipboard).ok);
    doc.serial = 5;
    ASSERT_TRUE(pasteNodes(doc.ctx, clipboard, doc.bodyEnd()).ok);
    const QString first = doc.tree.key(doc.tree.previous(doc.bodyEnd()));
    EXPECT_EQ(first, clipboard.entries()[0].key + QStringLiteral("5"));
    doc.serial = 5;  // as if the counter had been handed out elsewhere
    ASSERT_TRUE(pasteNodes(doc.ctx, clipboard, doc.bodyEnd()).ok);
    EXPECT_EQ(doc.tree.key(doc.tree.previous(doc.bodyEnd())), clipboard.entries()[0].key + QStringLiteral("6"));
    EXPECT_EQ(doc.serial, 7u);
    EXPECT_EQ(doc.bytes(), eexFile(A + ce1() + D + A + A));
}

TEST_F(Clip, CutTakesTheWholeEventAndPasteBringsItBack)
{
    const QByteArray before = doc.bytes();
    ASSERT_TRUE(cutNodes(doc.ctx, block2(), {}, clipboard).ok);
    EXPECT_EQ(doc.bytes(), eexFile(A + childEvent(blk1, B) + D));
    EXPECT_EQ(doc.history.undoTop()->recordCount(), 2);
    ASSERT_TRUE(pasteNodes(doc.ctx, clipboard, doc.byRecord(A)).ok);
    EXPECT_EQ(doc.bytes(), eexFile(ce2() + A + childEvent(blk1, B) + D));
    ASSERT_TRUE(undo(doc.ctx).ok);
    ASSERT_TRUE(undo(doc.ctx).ok);
    EXPECT_EQ(doc.bytes(), before);
}

TEST_F(Clip, SectionsPasteOnlyOntoSections)
{
    ASSERT_TRUE(copyNodes(doc.tree, doc.section(), {}, clipboard).ok);
    EXPECT_FALSE(canPaste(doc.tree, clipboard, doc.byRecord(A)));
    ASSERT_TRUE(pasteNodes(doc.ctx, clipboard, doc.section()).ok);
    EXPECT_EQ(doc.bytes(), eexFile({{lockedComment(), A + ce1() + D}, {lockedComment(), A + ce1() + D}}));
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(doc.tree));
}

TEST_F(Clip, RefusedPastesInsertAndRecordNothing)
{
    Doc head(eexFile({{lockedComment() + hexBytes("03 00"), A + ce1()}}));
    Clipboard event;
    ASSERT_TRUE(copyNodes(head.tree, head.byRecordPrefix(blk1), {}, event).ok);
    Clipboard command;
    ASSERT_TRUE(copyNodes(head.tree, head.byRecord(A), {}, command).ok);
    struct Case {
        const char *what;
        const Clipboard *clip;
        std::function<NodeId(Doc &)> target;
    };
    const std::vector<Case> cases = {
        {"onto locked comment", &command, [](Doc &d) { return d.lockedCommentNode(); }},
        {"onto Section", &command, [](Doc &d) { return d.section(); }},
        {"onto Scene", &command, [](Doc &d) { return d.tree.firstChild(d.tree.root()); }},
        {"onto root", &command, [](Doc &d) { return d.tree.root(); }},
        {"between marker and block", &command, [](Doc &d) { return d.byRecordPrefix(blk1); }},
        {"child event into head list", &event, [](Doc &d) { return d.headEnd(); }},
        {"child event onto locked comment", &event, [](Doc &d) { return d.lockedCommentNode(); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Doc d(eexFile({{lockedComment() + hexBytes("03 00"), A + ce1()}}));
        const QByteArray before = d.bytes();
        const int count = d.tree.count();
        const KeySerial serial = d.serial;
        EXPECT_FALSE(canPaste(d.tree, *c.clip, c.target(d)));
        const EditResult r = pasteNodes(d.ctx, *c.clip, c.target(d));
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, kCannotPasteMessage);
        EXPECT_EQ(d.bytes(), before);
        EXPECT_EQ(d.tree.count(), count);
        EXPECT_EQ(d.serial, serial);
        EXPECT_FALSE(d.history.canUndo());
    }
    EXPECT_TRUE(canPaste(head.tree, command, head.headEnd()));  // a plain command fits a head list
}

TEST_F(Clip, CopyRefusesEndNodesTheLockedCommentAndTheRootAndKeepsTheClipboard)
{
    ASSERT_TRUE(copyNodes(doc.tree, doc.byRecord(A), {}, clipboard).ok);
    for (NodeId n : {doc.bodyEnd(), doc.headEnd(), doc.lockedCommentNode(), doc.tree.root()}) {
        EXPECT_FALSE(canCopy(doc.tree, n));
        EXPECT_FALSE(copyNodes(doc.tree, n, {}, clipboard).ok);
        ASSERT_EQ(clipboard.entries().size(), 1u);
        EXPECT_EQ(clipboard.entries()[0].key, doc.tree.key(doc.byRecord(A)));
    }
    // A cut of such a node deletes nothing either.
    EXPECT_FALSE(cutNodes(doc.ctx, doc.bodyEnd(), {}, clipboard).ok);
    EXPECT_FALSE(doc.history.canUndo());
}

TEST_F(Clip, ACommentReadingLikeAnEndNodeCopiesAndACopyNeverMixesWithTheOldClipboard)
{
    // Kinds come from codes and keys: a comment whose caption reads like a
    // code-0 node is an ordinary command.
    const QByteArray note = hexBytes("02 00 05 00 41 00");
    Doc d(eexFile(A + note + D));
    const NodeId comment = d.byRecord(note);
    d.tree.setText(comment, QStringLiteral("2 : 0 : \uC0AC\uAC74\uACB0\uC18D"));
    EXPECT_TRUE(canCopy(d.tree, comment));
    ASSERT_TRUE(copyNodes(d.tree, comment, {}, clipboard).ok);
    ASSERT_TRUE(pasteNodes(d.ctx, clipboard, d.byRecord(A)).ok);
    EXPECT_EQ(d.bytes(), eexFile(note + A + note + D));

    // A multi copy whose first key names nothing starts from an empty
    // clipboard all the same: only D is in it afterwards.
    const QStringList keys{QStringLiteral("gone_1"), d.tree.key(d.byRecord(D))};
    ASSERT_TRUE(copyNodes(d.tree, kNoNode, keys, clipboard).ok);
    ASSERT_EQ(clipboard.entries().size(), 1u);
    EXPECT_EQ(clipboard.entries()[0].key, d.tree.key(d.byRecord(D)));
}

TEST_F(Clip, APastePastTheSixteenBitSectionWordIsRefusedWhole)
{
    QByteArray body = ce1();
    const QByteArray filler = hexBytes("14 00 05 00") + QByteArray(4000, 'a') + QByteArray(1, '\0');
    while (body.size() + filler.size() < 65535 - 100)
        body += filler;
    // The Section's word ends 20 bytes short of the limit: fewer than the event's 38.
    const int text = 65535 - 20 - 11 - int(body.size()) - 5;
    body += hexBytes("14 00 05 00") + QByteArray(text, 'b') + QByteArray(1, '\0');
    Doc d(eexFile(body));
    Clipboard clip;
    ASSERT_TRUE(copyNodes(d.tree, d.byRecordPrefix(blk1), {}, clip).ok);
    Clipboard big;
    ASSERT_TRUE(copyNodes(d.tree, d.tree.previous(d.bodyEnd()), {}, big).ok);
    const QByteArray before = d.bytes();
    const int count = d.tree.count();
    for (const Clipboard *c : {&clip, &big}) {
        const EditResult r = pasteNodes(d.ctx, *c, d.bodyEnd());
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, kTooLongMessage);
        EXPECT_EQ(d.bytes(), before);
        EXPECT_EQ(d.tree.count(), count);  // not even the marker
        EXPECT_FALSE(d.history.canUndo());
    }
}

TEST(ClipPrimitives, KeyEditChildrenPassesABranchToTheEnclosingBlocks)
{
    Doc d(sample());
    const NodeId outer = d.byRecordPrefix(blk1);
    const NodeId inner = d.byRecordPrefix(blk2);
    const QString outerKey = d.tree.key(outer);
    const int bytes = branchByteLength(d.tree, inner) + 2;  // block and its marker
    ASSERT_TRUE(keyEditChildren(d.tree, d.tree.previous(inner), 2, true));
    EXPECT_EQ(*nestedLength(d.tree, outer), 26 - bytes);
    ASSERT_TRUE(keyEditChildren(d.tree, d.tree.previous(inner), 2, false));
    EXPECT_EQ(d.tree.key(outer), outerKey);
}

} // namespace
