// The history itself: the step cap, the record texts of each kind, redo
// dropped by a new change, and one history per document.
#include "core/edit_history.h"
#include "core/structure_edits.h"
#include "core/undo_redo.h"
#include "edit_history_test_doc.h"

using namespace core;
using namespace edit_test;
using fixtures::hexBytes;

namespace {

const QByteArray A = plain(1), B = plain(2), D = plain(4);
const QByteArray blk = hexBytes("6E 00 04 00 32 00 00 00");

QString joined(const QStringList &parts) { return parts.join(QStringLiteral("~ ※ ~")); }

TEST(EditHistorySteps, FiftyOneEditsKeepFiftyStepsAndDropTheOldest)
{
    Doc d(eexFile(A));
    std::vector<QByteArray> states{d.bytes()};
    for (int i = 0; i < 51; ++i) {
        ASSERT_TRUE(addCommand(d.ctx, d.bodyEnd(), 0x0A).ok);
        states.push_back(d.bytes());
    }
    EXPECT_EQ(d.history.undoStepCount(), EditHistory::kMaxSteps);
    int undone = 0;
    while (undo(d.ctx).ok)
        ++undone;
    EXPECT_EQ(undone, 50);
    EXPECT_EQ(d.bytes(), states[1]);  // the first edit can no longer be undone
    EXPECT_EQ(d.history.redoStepCount(), 50);
}

TEST(EditHistorySteps, ANewChangeDropsTheRedoStepsAndAnEmptyRedoDoesNothing)
{
    Doc d(eexFile(A + B));
    EXPECT_FALSE(redo(d.ctx).ok);
    EXPECT_FALSE(undo(d.ctx).ok);
    ASSERT_TRUE(deleteNodes(d.ctx, d.byRecord(A)).ok);
    ASSERT_TRUE(deleteNodes(d.ctx, d.byRecord(B)).ok);
    ASSERT_TRUE(undo(d.ctx).ok);
    ASSERT_TRUE(undo(d.ctx).ok);
    EXPECT_EQ(d.history.redoStepCount(), 2);
    ASSERT_TRUE(moveDown(d.ctx, d.byRecord(A)).ok);
    EXPECT_FALSE(d.history.canRedo());
    const QByteArray now = d.bytes();
    const EditResult r = redo(d.ctx);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(d.bytes(), now);
}

TEST(EditHistoryRecords, TextsFollowTheRecordFormatOfEachKind)
{
    Doc d(eexFile(A + D));
    const NodeId a = d.byRecord(A);
    const NodeId dn = d.byRecord(D);
    const QString aKey = d.tree.key(a), dKey = d.tree.key(dn), endKey = d.tree.key(d.bodyEnd());

    // Delete: the node after it, "Previous", the deleted key.
    ASSERT_TRUE(deleteNodes(d.ctx, a).ok);
    EXPECT_EQ(d.history.undoTop()->record(0).text(), joined({dKey, "Previous", aKey}));
    ASSERT_TRUE(undo(d.ctx).ok);

    // Add: the added key, the key of the node it stands before.
    ASSERT_TRUE(addCommand(d.ctx, dn, 0x0A).ok);
    const QString addedKey = d.tree.key(d.tree.previous(dn));
    EXPECT_EQ(d.history.undoTop()->record(0).text(), joined({addedKey, dKey}));

    // Child event: block, marker, the block's first child, the node after.
    ASSERT_TRUE(addChildEvent(d.ctx, d.bodyEnd(), 0x6E).ok);
    const NodeId block = d.tree.previous(d.bodyEnd());
    EXPECT_EQ(d.history.undoTop()->record(0).text(),
              joined({d.tree.key(block), d.tree.key(d.tree.previous(block)), d.tree.key(d.tree.firstChild(block)),
                      endKey}));

    // Edit: new key, new caption, old key, old caption.
    const QString oldText = d.tree.text(dn);
    const QString newKey = QStringLiteral("0F0012000900") + keySuffix(dKey).toString();
    d.tree.setKey(dn, newKey);
    d.tree.setText(dn, QStringLiteral("F : new"));
    d.history.record(makeRecord(d.tree, d.history, RecordKind::Edit, dn, dKey, oldText));
    EXPECT_EQ(d.history.undoTop()->record(0).text(), joined({newKey, "F : new", dKey, oldText}));

    // Moves: the moved key alone.
    ASSERT_TRUE(moveUp(d.ctx, dn).ok);
    EXPECT_EQ(d.history.undoTop()->record(0).text(), newKey);
    EXPECT_EQ(d.history.undoTop()->record(0).kind(), RecordKind::MoveUp);
    ASSERT_TRUE(moveDown(d.ctx, dn).ok);
    EXPECT_EQ(d.history.undoTop()->record(0).text(), newKey);
    EXPECT_EQ(d.history.undoTop()->record(0).kind(), RecordKind::MoveDown);
}

TEST(EditHistoryRecords, TwoDocumentsWithTheSameKeysKeepSeparateHistories)
{
    Doc one(eexFile(A + childEvent(blk, B) + D));
    Doc two(eexFile(A + childEvent(blk, B) + D));
    ASSERT_EQ(one.tree.key(one.byRecord(A)), two.tree.key(two.byRecord(A)));
    ASSERT_TRUE(deleteNodes(one.ctx, one.byRecordPrefix(blk)).ok);
    ASSERT_TRUE(deleteNodes(two.ctx, two.byRecord(B)).ok);
    ASSERT_TRUE(undo(one.ctx).ok);
    EXPECT_EQ(one.bytes(), eexFile(A + childEvent(blk, B) + D));
    EXPECT_EQ(two.bytes(), eexFile(A + childEvent(blk, {}) + D));
    ASSERT_TRUE(undo(two.ctx).ok);
    EXPECT_EQ(two.bytes(), eexFile(A + childEvent(blk, B) + D));
}

} // namespace
