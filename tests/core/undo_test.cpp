// Undo and redo: each kind restores identical bytes both ways, records are
// re-applied with the internal primitives, records find their nodes whatever
// their keys, and a step that cannot be applied whole changes nothing.
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
const QByteArray note = hexBytes("02 00 05 00 41 00");

QByteArray sample() { return eexFile({{lockedComment() + hexBytes("03 00"), A + childEvent(blk1, B + childEvent(blk2, C + note)) + D}}); }

// Edits a text parameter the way a command dialog does: new key, new
// caption, the length change passed to the enclosing blocks, one record.
EditResult editNote(Doc &d)
{
    const NodeId n = d.byRecord(note);
    const QString preKey = d.tree.key(n), preText = d.tree.text(n);
    QString key = preKey;
    const int delta = keyReplaceText(key, 9, QStringLiteral("ABC"));
    d.tree.setKey(n, key);
    d.tree.setText(n, QStringLiteral("2 : ABC"));
    keyEdit(d.tree, n, delta);
    d.history.record(makeRecord(d.tree, d.history, RecordKind::Edit, n, preKey, preText));
    return {true, true, {}, n};
}

TEST(Undo, UndoThenRedoOfEachKindRestoresIdenticalBytes)
{
    Clipboard clip;
    struct Case {
        const char *what;
        std::function<EditResult(Doc &)> edit;
    };
    const std::vector<Case> cases = {
        {"delete command", [](Doc &d) { return deleteNodes(d.ctx, d.byRecord(A)); }},
        {"delete head command beside the locked comment",
         [](Doc &d) { return deleteNodes(d.ctx, d.byRecord(hexBytes("03 00"))); }},
        {"delete nested child event", [](Doc &d) { return deleteNodes(d.ctx, d.byRecordPrefix(blk2)); }},
        {"add", [](Doc &d) { return addCommand(d.ctx, d.byRecord(C), 0x0A); }},
        {"add child event", [](Doc &d) { return addChildEvent(d.ctx, d.byRecord(C), 0x03); }},
        {"edit", [](Doc &d) { return editNote(d); }},
        {"move up", [](Doc &d) { return moveUp(d.ctx, d.byRecord(note)); }},
        {"move down", [](Doc &d) { return moveDown(d.ctx, d.byRecord(A)); }},
        {"paste child event",
         [&clip](Doc &d) {
             copyNodes(d.tree, d.byRecordPrefix(blk1), {}, clip);
             return pasteNodes(d.ctx, clip, d.byRecord(C));
         }},
        {"cut", [&clip](Doc &d) { return cutNodes(d.ctx, d.byRecordPrefix(blk2), {}, clip); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Doc d(sample());
        const QByteArray before = d.bytes();
        ASSERT_TRUE(c.edit(d).ok);
        const QByteArray after = d.bytes();
        ASSERT_NE(after, before);
        EXPECT_TRUE(fixtures::nestedLengthsConsistent(d.tree));
        ASSERT_TRUE(undo(d.ctx).ok);
        EXPECT_EQ(d.bytes(), before);
        EXPECT_TRUE(fixtures::nestedLengthsConsistent(d.tree));
        ASSERT_TRUE(redo(d.ctx).ok);
        EXPECT_EQ(d.bytes(), after);
        ASSERT_TRUE(undo(d.ctx).ok);
        EXPECT_EQ(d.bytes(), before);
    }
}

TEST(Undo, RedoOfAPastedChildEventRestoresItsWholeNestedList)
{
    Doc d(sample());
    Clipboard clip;
    ASSERT_TRUE(copyNodes(d.tree, d.byRecordPrefix(blk1), {}, clip).ok);
    ASSERT_TRUE(pasteNodes(d.ctx, clip, d.bodyEnd()).ok);
    const QByteArray pasted = d.bytes();
    const QString pastedKey = d.tree.key(d.tree.previous(d.bodyEnd()));
    ASSERT_TRUE(undo(d.ctx).ok);
    ASSERT_TRUE(redo(d.ctx).ok);
    EXPECT_EQ(d.bytes(), pasted);
    EXPECT_EQ(d.tree.key(d.tree.previous(d.bodyEnd())), pastedKey);  // recorded keys come back
}

TEST(Undo, AKeyRewrittenWithoutARecordDoesNotStopTheHistory)
{
    Doc d(sample());
    const QByteArray original = d.bytes();
    ASSERT_TRUE(addCommand(d.ctx, d.byRecord(C), 0x0A).ok);
    ASSERT_TRUE(moveDown(d.ctx, d.byRecord(A)).ok);
    // A key rewritten without a record (another program part, say): the
    // records name their nodes, not their keys.
    const NodeId added = d.byRecord(hexBytes("0A 00"));
    d.tree.setKey(added, d.tree.key(added) + QStringLiteral("x"));
    ASSERT_TRUE(undo(d.ctx).ok);
    const EditResult r = undo(d.ctx);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.message.isEmpty());
    EXPECT_EQ(d.bytes(), original);
    EXPECT_FALSE(d.history.canUndo());
    EXPECT_EQ(d.history.redoStepCount(), 2);
    ASSERT_TRUE(redo(d.ctx).ok);
    ASSERT_TRUE(redo(d.ctx).ok);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(d.tree));
}

TEST(Undo, AnEditFindsItsNodeAfterTheNodeWasDeletedAndPutBackTwice)
{
    Doc d(sample());
    const QByteArray original = d.bytes();
    ASSERT_TRUE(editNote(d).ok);
    const QByteArray edited = d.bytes();
    ASSERT_TRUE(deleteNodes(d.ctx, d.tree.find(d.history.undoTop()->record(0).parts().at(0))).ok);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(undo(d.ctx).ok);  // the note comes back as a new node
        EXPECT_EQ(d.bytes(), edited);
        const EditResult r = undo(d.ctx);  // the edit finds that new node
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(d.bytes(), original);
        EXPECT_EQ(r.select, d.byRecord(note));
        ASSERT_TRUE(redo(d.ctx).ok);
        ASSERT_TRUE(redo(d.ctx).ok);
        EXPECT_FALSE(d.history.canRedo());
    }
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(d.tree));
}

TEST(Undo, AFailingRecordPutsBackTheRecordsOfItsStepAlreadyUndone)
{
    Doc d(sample());
    // A child event goes as one step: the marker's record and the block's.
    const NodeId marker = d.tree.previous(d.byRecordPrefix(blk2));
    const QString markerKey = d.tree.key(marker);
    ASSERT_TRUE(deleteNodes(d.ctx, marker).ok);
    ASSERT_EQ(d.history.undoStepCount(), 1);
    ASSERT_EQ(d.history.undoTop()->recordCount(), 2);
    // Another node takes the marker's key, so the marker cannot come back.
    const NodeId last = d.byRecord(D);
    d.tree.setKey(last, markerKey);
    const QByteArray after = d.bytes();
    EXPECT_EQ(undo(d.ctx).message, kCannotUndoMessage);
    EXPECT_EQ(d.bytes(), after);  // the block, undone first, was taken out again
    EXPECT_FALSE(d.history.canUndo());
}

} // namespace
