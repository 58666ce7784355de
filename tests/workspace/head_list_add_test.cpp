// Add on a Section's head list: the tab counts as modified once the dialog
// has closed, also when it was cancelled; elsewhere a cancelled add leaves
// the tab as it was.
#include "edit_window_fixture.h"
#include "workspace/add_dialogs/add_dialogs.h"

using namespace edit_window;
using core::NodeId;

namespace {

using HeadListAdd = EditWindow;

TEST_F(HeadListAdd, ACancelledDialogStillMarksTheTab)
{
    workspace::add_dialogs::ScriptedAddDialogs dialogs;  // answers nothing: cancelled
    auto marked = [&] { return w.tabStrip()->tabText(0).endsWith(" *"); };

    select(byRecord(B));
    act("mnuaddnodes")->trigger();
    EXPECT_FALSE(marked());

    for (const NodeId n : {byRecord(H1), headEnd()}) {
        select(n);
        act("mnuaddnodes")->trigger();
        EXPECT_TRUE(marked());
    }
    EXPECT_EQ(dialogs.asked, QStringList({"FrmMenuAdd", "FrmSectionMenuAdd", "FrmSectionMenuAdd"}));
    EXPECT_EQ(bytes(), sample());
    EXPECT_EQ(undoSteps(), 0);
    EXPECT_EQ(w.tabStrip()->tabText(0).count('*'), 1);
}

} // namespace
