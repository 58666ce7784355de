// The colours of a child event: the quick-add keys add it on the tree's own
// white, the child-event dialog marks its block and end node cyan.
#include "edit_window_fixture.h"

#include "core/tree_queries.h"
#include "workspace/add_dialogs/add_dialogs.h"

using namespace edit_window;
using core::NodeId;

namespace {

using QuickAddColours = EditWindow;

TEST_F(QuickAddColours, AQuickAddedChildEventKeepsTheWhiteBackground)
{
    core::writeINI("Fast_Add", "1Child", "True");
    core::writeINI("Fast_Add", "1", QString::number(0x6E));
    select(byRecord(C));
    key(Qt::Key_I);
    const NodeId block = tree().previous(byRecord(C));
    ASSERT_EQ(core::nodeNumber(tree(), block), 0x6E);
    ASSERT_EQ(tree().childCount(block), 1);
    for (const NodeId n : {tree().previous(block), block, tree().firstChild(block)})
        EXPECT_FALSE(tree().backColor(n).isValid()) << tree().text(n).toStdString();
    EXPECT_EQ(tree().textColor(tree().previous(block)), QColor(255, 0, 0));  // the marker stays red

    // The dialog's child event, for contrast.
    workspace::add_dialogs::ScriptedAddDialogs dialogs;
    dialogs.answers = {0x6E};
    select(byRecord(B));
    act("mnuchildnodes")->trigger();
    const NodeId dialogBlock = tree().previous(byRecord(B));
    ASSERT_EQ(core::nodeNumber(tree(), dialogBlock), 0x6E);
    EXPECT_EQ(tree().backColor(dialogBlock), QColor(0, 255, 255));
    EXPECT_EQ(tree().backColor(tree().firstChild(dialogBlock)), QColor(0, 255, 255));
}

} // namespace
