// A paste of several nodes is taken back one node per Ctrl+Z, the last
// pasted first, and redone the same way.
#include "edit_window_fixture.h"

using namespace edit_window;
using core::NodeId;

namespace {

using PasteSteps = EditWindow;

TEST_F(PasteSteps, ThreePastedNodesAreThreeUndoSteps)
{
    // A, B and the child event (its block) selected and copied.
    click(byRecord(A));
    click(byRecord(B), Qt::ShiftModifier);
    click(byRecord(blk), Qt::ControlModifier);
    ASSERT_EQ(edit->multiSelect().count(), 3);
    act("mnuCopy")->trigger();
    click(tree().lastChild(headEnd()));  // the body's end node
    ASSERT_TRUE(act("mnupaste")->isEnabled());
    act("mnupaste")->trigger();

    const QByteArray head = lockedComment() + H1;
    const QByteArray body = sampleBody();
    EXPECT_EQ(bytes(), eexFile({{head, body + A + B + childEvent(blk, D)}}));
    ASSERT_EQ(undoSteps(), 3);
    const core::RecordKind kinds[] = {core::RecordKind::Add, core::RecordKind::Add, core::RecordKind::AddChildEvent};
    for (int i = 0; i < 3; ++i) {
        const core::StepCommand *step = doc()->history().step(i);
        ASSERT_EQ(step->recordCount(), 1);
        EXPECT_EQ(step->record(0).kind(), kinds[i]);
    }

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), eexFile({{head, body + A + B}}));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), eexFile({{head, body + A}}));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), sample());
    EXPECT_FALSE(act("mnuHistoryCancle")->isEnabled());

    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(bytes(), eexFile({{head, body + A}}));
    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(bytes(), eexFile({{head, body + A + B + childEvent(blk, D)}}));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

} // namespace
