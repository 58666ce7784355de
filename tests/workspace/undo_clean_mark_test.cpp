// The tab's " *" follows the undo stack's saved place: an edit marks the tab,
// undoing back to the saved bytes takes the mark away, redo brings it back; a
// save makes the present place the saved one; a change that did not go
// through the stack (a new Section) keeps the mark until the next save.
#include "edit_window_fixture.h"

#include <QTabWidget>

using namespace edit_window;

namespace {

struct CleanMark : EditWindow
{
    bool marked() const { return w.tabStrip()->tabText(docs->currentTab()).endsWith(" *"); }
};

TEST_F(CleanMark, TheMarkFollowsTheSavedPlaceOfTheStack)
{
    ASSERT_FALSE(marked());
    select(byRecord(B));
    key(Qt::Key_Delete);
    EXPECT_TRUE(marked());
    EXPECT_TRUE(doc()->modified());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(marked());
    EXPECT_FALSE(doc()->modified());
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(marked());

    // Saved with the deletion: its undo now leaves the saved place.
    ASSERT_TRUE(docs->Save());
    EXPECT_FALSE(marked());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(marked());
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(marked());
}

TEST_F(CleanMark, AChangeOutsideTheStackKeepsTheMarkUntilSaved)
{
    select(byRecord(B));
    key(Qt::Key_Delete);
    ASSERT_TRUE(marked());
    // A new Section is not an undo step.
    select(section());
    ASSERT_NE(docs->SectionAdd(true, section(), QString()), core::kNoNode);
    docs->MarkTabModified();
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(marked());
    EXPECT_TRUE(doc()->modified());
    ASSERT_TRUE(docs->Save());
    EXPECT_FALSE(marked());
}

} // namespace
