// The Edit menu's items on an open document: the command state they show,
// copy and paste through the menu actions and toolbar, the add dialogs,
// the history following the current tab, the pop-up menu and the spread
// and fold of a branch.
#include "edit_window_fixture.h"

#include "core/catalogue.h"
#include "core/tree_queries.h"
#include "workspace/add_dialogs/add_dialogs.h"

#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

using namespace edit_window;
using core::NodeId;

namespace {

using EditCommandsWindow = EditWindow;

QToolButton *button(workspace::MainWindow &w, const char *key)
{
    return w.toolbar()->findChild<QToolButton *>(QString::fromUtf8(key));
}

TEST_F(EditCommandsWindow, AClickSetsTheItemsTheButtonsAndTheStatusBar)
{
    click(tree().root());
    for (const char *name : {"mnuEditnodes", "mnuaddnodes", "mnuchildnodes", "mnuDelete", "mnuCopy", "mnuCut",
                             "mnupaste", "mnuUpmove", "mnuDownmove"})
        EXPECT_FALSE(act(name)->isEnabled()) << name;
    EXPECT_FALSE(button(w, "삭제")->isEnabled());
    EXPECT_FALSE(button(w, "복사")->isEnabled());

    const NodeId b = byRecord(B);
    click(b);
    EXPECT_EQ(w.statusText(), tree().key(b));
    for (const char *name : {"mnuEditnodes", "mnuaddnodes", "mnuchildnodes", "mnuDelete", "mnuCopy", "mnuCut",
                             "mnuUpmove", "mnuDownmove"})
        EXPECT_TRUE(act(name)->isEnabled()) << name;
    EXPECT_FALSE(act("mnupaste")->isEnabled());
    EXPECT_TRUE(button(w, "잘라내기")->isEnabled());
    EXPECT_FALSE(button(w, "붙여넣기")->isEnabled());

    // The block of a child event: nothing goes in front of it.
    click(byRecord(blk));
    EXPECT_FALSE(act("mnuaddnodes")->isEnabled());
    EXPECT_FALSE(act("mnuchildnodes")->isEnabled());
    EXPECT_TRUE(act("mnuDelete")->isEnabled());
}

TEST_F(EditCommandsWindow, CopyAndPasteThroughTheMenuAndCutThroughTheToolbar)
{
    select(byRecord(blk));
    act("mnuCopy")->trigger();
    EXPECT_FALSE(act("mnupaste")->isEnabled());  // not in front of the block itself
    select(byRecord(B));
    EXPECT_TRUE(act("mnupaste")->isEnabled());
    act("mnupaste")->trigger();
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, A + childEvent(blk, D) + B + C + childEvent(blk, D)}}));
    EXPECT_TRUE(w.tabStrip()->tabText(0).endsWith(" *"));
    EXPECT_TRUE(act("mnuHistoryCancle")->isEnabled());

    select(byRecord(C));
    QTest::mouseClick(button(w, "잘라내기"), Qt::LeftButton);
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, A + childEvent(blk, D) + B + childEvent(blk, D)}}));
    select(byRecord(A));
    QTest::mouseClick(button(w, "붙여넣기"), Qt::LeftButton);
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, C + A + childEvent(blk, D) + B + childEvent(blk, D)}}));

    // Three steps back to the file as it was.
    for (int i = 0; i < 3; ++i)
        act("mnuHistoryCancle")->trigger();
    EXPECT_EQ(bytes(), sample());
    EXPECT_TRUE(prompts.messages.isEmpty());

    // A paste the engine refuses, a command in front of a Section, is
    // offered and answered with a message.
    select(section());
    EXPECT_TRUE(act("mnupaste")->isEnabled());
    act("mnupaste")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "붙여넣기할 수 없습니다！");
    EXPECT_EQ(bytes(), sample());
}

TEST_F(EditCommandsWindow, TheOnlySectionIsKeptWithAMessage)
{
    select(section());
    act("mnuDelete")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "Scene 안에 Section이 하나만 존재합니다！");
    EXPECT_EQ(prompts.messages[0].title, "Error！");
    EXPECT_EQ(bytes(), sample());
    EXPECT_FALSE(w.tabStrip()->tabText(0).endsWith(" *"));
}

TEST_F(EditCommandsWindow, AddItemsAskTheRightDialogAndInsertInFront)
{
    workspace::add_dialogs::ScriptedAddDialogs dialogs;
    dialogs.answers = {0x09, 0x04, 0x6E, std::nullopt};
    select(byRecord(B));
    act("mnuaddnodes")->trigger();
    select(byRecord(H1));
    act("mnuaddnodes")->trigger();
    select(byRecord(C));
    act("mnuchildnodes")->trigger();
    act("mnuaddnodes")->trigger();  // cancelled
    EXPECT_EQ(dialogs.asked, QStringList({"FrmMenuAdd", "FrmSectionMenuAdd", "FrmChildMenuAdd", "FrmMenuAdd"}));
    EXPECT_EQ(core::nodeNumber(tree(), tree().previous(byRecord(B))), 0x09);
    EXPECT_EQ(core::nodeNumber(tree(), tree().previous(byRecord(H1))), 0x04);
    const NodeId block = tree().previous(byRecord(C));
    EXPECT_EQ(core::nodeNumber(tree(), block), 0x6E);
    EXPECT_EQ(tree().childCount(block), 1);
    EXPECT_EQ(undoSteps(), 3);

    // In front of a Section: a new Section, without a record.
    select(section());
    act("mnuaddnodes")->trigger();
    EXPECT_EQ(tree().childCount(tree().child(tree().root(), 0)), 2);
    EXPECT_EQ(undoSteps(), 3);

    act("mnuFastAdd")->trigger();
    EXPECT_EQ(dialogs.asked.last(), "FrmFastAdd");
}

TEST_F(EditCommandsWindow, UndoFollowsTheCurrentTabAndASwitchRefreshesTheItems)
{
    select(byRecord(B));
    act("mnuDelete")->trigger();
    ASSERT_TRUE(act("mnuHistoryCancle")->isEnabled());
    ASSERT_TRUE(openBytes("b.eex", sample()));
    ASSERT_EQ(docs->currentTab(), 1);
    EXPECT_FALSE(act("mnuHistoryCancle")->isEnabled());
    EXPECT_FALSE(act("mnuDelete")->isEnabled());  // the root is selected
    w.tabStrip()->setCurrentIndex(0);
    EXPECT_TRUE(act("mnuHistoryCancle")->isEnabled());
    act("mnuHistoryCancle")->trigger();
    EXPECT_EQ(bytes(), sample());
    EXPECT_TRUE(act("mnuAgain")->isEnabled());
    // The other tab's history was not touched.
    EXPECT_EQ(docs->documentAt(1)->history().undoStepCount(), 0);
}

TEST_F(EditCommandsWindow, ThePopUpShowsDuelAndPlacementItemsOnlyForFittingChildren)
{
    const QByteArray duel = QByteArray::fromHex(core::defaultRecord(0x68).toLatin1());
    ASSERT_TRUE(openBytes("duel.eex", eexFile({{lockedComment(), A + childEvent(blk, duel)}})));
    bool vsShown = false, wholeShown = false;
    int popups = 0;
    edit->setPopupHook([&](QMenu *menu, const QPoint &) {
        ++popups;
        EXPECT_EQ(menu, w.actions().editMenu->menu());
        vsShown = act("mnuVS")->isVisible();
        wholeShown = act("mnuWholeArmy")->isVisible();
    });
    const NodeId block = byRecord(blk);
    view()->scrollTo(view()->docModel()->indexOf(block));
    QCoreApplication::processEvents();
    const QRect r = view()->visualRect(view()->docModel()->indexOf(block));
    QTest::mouseClick(view()->viewport(), Qt::RightButton, {}, r.center());
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(view()->selectedNode(), block);
    EXPECT_TRUE(vsShown);
    EXPECT_FALSE(wholeShown);
    EXPECT_FALSE(act("mnuVS")->isVisible());

    select(byRecord(A));
    edit->showEditPopup(QPoint());
    EXPECT_FALSE(vsShown);
}

TEST_F(EditCommandsWindow, SpreadAndFoldTheSelectedBranch)
{
    const NodeId block = byRecord(blk);
    const QModelIndex index = view()->docModel()->indexOf(block);
    select(section());
    act("mnuFold")->trigger();
    EXPECT_FALSE(view()->isExpanded(view()->docModel()->indexOf(section())));
    EXPECT_FALSE(view()->isExpanded(index));
    EXPECT_FALSE(tree().expanded(block));
    act("mnuSpread")->trigger();
    EXPECT_TRUE(view()->isExpanded(view()->docModel()->indexOf(headEnd())));
    EXPECT_TRUE(view()->isExpanded(index));
    EXPECT_TRUE(tree().expanded(block));
    EXPECT_FALSE(w.tabStrip()->tabText(0).endsWith(" *"));
}

} // namespace
