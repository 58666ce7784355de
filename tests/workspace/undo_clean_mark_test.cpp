// The tab's " *": an edit marks the tab, and so do its undo and redo, also
// when they come back to the saved bytes; only a save takes the mark away,
// and an undo past the saved place marks the tab again. A change that did
// not go through the stack (a new Section) keeps the mark until the next save.
#include "edit_window_fixture.h"

#include <QTabWidget>

using namespace edit_window;

namespace {

struct CleanMark : EditWindow
{
    bool marked() const { return w.tabStrip()->tabText(docs->currentTab()).endsWith(" *"); }
};

TEST_F(CleanMark, EditsUndoAndRedoMarkTheTabAndOnlyASaveClearsIt)
{
    ASSERT_FALSE(marked());
    select(byRecord(B));
    key(Qt::Key_Delete);
    EXPECT_TRUE(marked());
    EXPECT_TRUE(doc()->modified());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(marked()) << "an undo counts as a change";
    EXPECT_TRUE(doc()->modified());
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(marked());

    // Saved with the deletion: its undo now leaves the saved place.
    ASSERT_TRUE(docs->save());
    EXPECT_FALSE(marked());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(marked());
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(marked());
}

TEST_F(CleanMark, AChangeOutsideTheStackKeepsTheMarkUntilSaved)
{
    select(byRecord(B));
    key(Qt::Key_Delete);
    ASSERT_TRUE(marked());
    // A new Section is not an undo step.
    select(section());
    ASSERT_NE(docs->addSection(true, section(), QString()), core::kNoNode);
    docs->markTabModified();
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(marked());
    EXPECT_TRUE(doc()->modified());
    ASSERT_TRUE(docs->save());
    EXPECT_FALSE(marked());
}

} // namespace
