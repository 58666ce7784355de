// Keys on the real tree view of an open document: Space opens the edit
// dispatch, Del deletes with a record, U/I/O/P add from the quick-add
// settings, Ctrl+Up/Down move, Ctrl+Z/Ctrl+Y walk the tab's history.
#include "edit_window_fixture.h"

#include "core/catalogue.h"
#include "core/tree_queries.h"
#include "workspace/dialog_registry.h"

#include <QDialog>
#include <QTabWidget>

using namespace edit_window;
using core::NodeId;
using workspace::EditContext;

namespace {

struct TreeKeys : EditWindow
{
    void setFastAdd(int slot, int code, bool child)
    {
        core::writeINI("Fast_Add", QString::number(slot) + "Child", child ? "True" : "False");
        core::writeINI("Fast_Add", QString::number(slot), QString::number(code));
    }
    QStringList messageTexts() const
    {
        QStringList out;
        for (const auto &m : prompts.messages)
            out << m.text + " / " + m.title;
        return out;
    }
};

TEST_F(TreeKeys, SpaceOpensTheDispatchAndAChangedKeyIsMarkedAndUndone)
{
    std::vector<NodeId> edited;
    workspace::ScopedDialogOverride form(0x0F, [](EditContext &) { return std::make_unique<QDialog>(); });
    workspace::ScopedDialogRunner runner([&](QDialog &, EditContext &ctx) {
        edited.push_back(ctx.node);
        QString k = ctx.doc().key(ctx.node);
        k.replace(8, 2, "09");
        ctx.change = workspace::KeyChange{k, 0, false};
    });
    const NodeId a = byRecord(A);
    select(a);
    EXPECT_FALSE(act("mnuHistoryCancle")->isEnabled());
    key(Qt::Key_Space);
    ASSERT_EQ(edited, std::vector<NodeId>{a});
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, plain(9) + B + C + childEvent(blk, D)}}));
    EXPECT_TRUE(w.tabStrip()->tabText(0).endsWith(" *"));
    EXPECT_EQ(undoSteps(), 1);
    EXPECT_TRUE(act("mnuHistoryCancle")->isEnabled());

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), sample());
    EXPECT_TRUE(act("mnuAgain")->isEnabled());
    EXPECT_FALSE(act("mnuHistoryCancle")->isEnabled());

    // Space on a Section reaches no dialog; double-click on a command does.
    select(section());
    key(Qt::Key_Space);
    EXPECT_EQ(edited.size(), 1u);
    const QModelIndex index = view()->docModel()->indexOf(a);
    int dbl = 0;
    QObject::connect(view(), &QAbstractItemView::doubleClicked, [&] { ++dbl; });
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(index).center());
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(index).center());
    EXPECT_EQ(dbl, 1);
    EXPECT_EQ(edited.size(), 2u);
}

TEST_F(TreeKeys, DelDeletesWithARecordAndTheLockedCommentStays)
{
    select(byRecord(B));
    key(Qt::Key_Delete);
    const QByteArray without = eexFile({{lockedComment() + H1, A + C + childEvent(blk, D)}});
    EXPECT_EQ(bytes(), without);
    EXPECT_EQ(undoSteps(), 1);
    // The selection went on to the next command.
    EXPECT_EQ(view()->selectedNode(), byRecord(C));

    select(locked());
    EXPECT_FALSE(act("mnuDelete")->isEnabled());
    key(Qt::Key_Delete);
    EXPECT_EQ(bytes(), without);
    // The end node of a list neither.
    select(tree().lastChild(headEnd()));
    key(Qt::Key_Delete);
    EXPECT_EQ(bytes(), without);
    EXPECT_EQ(undoSteps(), 1);

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), sample());
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(bytes(), without);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(TreeKeys, QuickAddKeysInsertTheConfiguredCodesOrSayWhyNot)
{
    setFastAdd(0, 0x04, false);
    setFastAdd(1, 0x6E, true);
    setFastAdd(2, 0x12, false);
    setFastAdd(3, 0x0F, true);  // not a block: reads back as code 2, the comment block
    const QByteArray cmd4 = QByteArray::fromHex(core::defaultRecord(0x04).toLatin1());
    const QByteArray blk6E = QByteArray::fromHex(core::defaultRecord(0x6E).toLatin1());

    select(byRecord(C));
    key(Qt::Key_U);
    EXPECT_EQ(core::nodeNumber(tree(), tree().previous(byRecord(C))), 0x04);
    key(Qt::Key_I);
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, A + B + cmd4 + childEvent(blk6E, {}) + C + childEvent(blk, D)}}));
    EXPECT_EQ(undoSteps(), 2);
    EXPECT_TRUE(prompts.messages.isEmpty());

    key(Qt::Key_P);
    EXPECT_TRUE(prompts.messages.isEmpty());
    const NodeId block2 = tree().previous(byRecord(C));
    EXPECT_EQ(core::nodeNumber(tree(), block2), 0x02);
    EXPECT_EQ(core::nodeNumber(tree(), tree().previous(block2)), 0x01);
    EXPECT_EQ(undoSteps(), 3);

    // The head list: no 0x12, no child event; a block code goes in.
    prompts.messages.clear();
    select(byRecord(H1));
    key(Qt::Key_O);
    key(Qt::Key_I);
    EXPECT_EQ(messageTexts(), QStringList({"추가할 수 없습니다. / Error!", "추가할 수 없습니다. / Error!"}));
    key(Qt::Key_U);
    EXPECT_EQ(core::nodeNumber(tree(), tree().previous(byRecord(H1))), 0x04);
    EXPECT_EQ(undoSteps(), 4);

    // The locked comment takes nothing in front of it; structural nodes ignore the keys.
    prompts.messages.clear();
    select(locked());
    key(Qt::Key_U);
    EXPECT_EQ(messageTexts(), QStringList{"추가할 수 없습니다. / Error!"});
    select(section());
    key(Qt::Key_U);
    select(tree().root());
    key(Qt::Key_I);
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(undoSteps(), 4);

    for (int i = 0; i < 4; ++i)
        key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes(), sample());
}

TEST_F(TreeKeys, CtrlUpAndDownMoveWhenTheMoveIsEnabled)
{
    select(byRecord(C));
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, A + C + B + childEvent(blk, D)}}));
    EXPECT_EQ(view()->selectedNode(), byRecord(C));
    key(Qt::Key_Up, Qt::ControlModifier);
    key(Qt::Key_Up, Qt::ControlModifier);  // first of its list: stays
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, C + A + B + childEvent(blk, D)}}));
    EXPECT_TRUE(act("mnuUpmove")->isEnabled());  // offered, but nothing moved and nothing was recorded
    EXPECT_EQ(undoSteps(), 2);
    // Down over a whole child event; never below the end node.
    select(byRecord(B));
    key(Qt::Key_Down, Qt::ControlModifier);
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(bytes(), eexFile({{lockedComment() + H1, C + A + childEvent(blk, D) + B}}));
    EXPECT_TRUE(act("mnuDownmove")->isEnabled());
    EXPECT_EQ(undoSteps(), 3);
}

TEST_F(TreeKeys, UndoAndRedoBringTheSavedBytesBack)
{
    setFastAdd(0, 0x04, false);
    select(byRecord(B));
    key(Qt::Key_Delete);
    select(byRecord(C));
    key(Qt::Key_Up, Qt::ControlModifier);
    key(Qt::Key_U);
    const QByteArray edited = bytes();
    ASSERT_NE(edited, sample());
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(act("mnuHistoryCancle")->isEnabled());
    ASSERT_TRUE(docs->save());
    QFile f(dir.filePath("a.eex"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), sample());
    f.close();
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(act("mnuAgain")->isEnabled());
    EXPECT_EQ(bytes(), edited);
}

TEST_F(TreeKeys, AKeyRewrittenWithoutARecordDoesNotStopUndo)
{
    const QByteArray before = bytes();
    select(byRecord(B));
    key(Qt::Key_Delete);
    // A key rewritten without a record: the deletion's neighbour is found
    // all the same, by the node it is, not by its key.
    const NodeId c = byRecord(C);
    const QString renamed = tree().key(c) + "x";
    tree().setKey(c, renamed);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_EQ(tree().next(byRecord(B)), tree().find(renamed));
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(act("mnuHistoryCancle")->isEnabled());
    EXPECT_TRUE(act("mnuAgain")->isEnabled());
}

TEST_F(TreeKeys, NothingBreaksWithoutADocument)
{
    docs->closeTab();
    ASSERT_EQ(docs->tabCount(), 0);
    workspace::EditCommands *e = edit;
    e->editSelected();
    e->addCommand();
    e->addChildEvent();
    e->deleteCommands();
    e->cutCommands();
    e->copyCommands();
    e->pasteCommands();
    e->moveUp();
    e->moveDown();
    e->expandAll();
    e->collapseAll();
    e->undo();
    e->redo();
    e->previewDuel();
    e->placeWholeArmy();
    e->showVariableList();
    e->quickAdd(0);
    e->showEditPopup(QPoint());
    for (int k : {int(Qt::Key_Space), int(Qt::Key_U), int(Qt::Key_Delete)}) {
        QKeyEvent ev(QEvent::KeyPress, k, Qt::NoModifier);
        e->handleTreeKey(&ev);
    }
    EXPECT_EQ(e->state(), workspace::CommandState{});
    EXPECT_TRUE(prompts.messages.isEmpty());
    // A new document gets its command state again.
    docs->newFile();
    EXPECT_FALSE(act("mnuDelete")->isEnabled());  // the root is selected
    select(locked());
    EXPECT_TRUE(act("mnuEditnodes")->isEnabled());
    EXPECT_FALSE(act("mnuDelete")->isEnabled());
}

} // namespace
