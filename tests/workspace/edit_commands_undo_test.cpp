// Undo and redo of every kind of change, each made the way a user makes it
// on the real main window (keys, menu items, the add dialogs, the edit
// dispatch, the replace window): Ctrl+Z brings back the file's saved bytes
// exactly, Ctrl+Y the edited ones, and both mark the tab.
#include "edit_window_fixture.h"
#include "support/param_names.h"
#include "workspace/long_task.h"

#include "workspace/add_dialogs/add_dialogs.h"
#include "workspace/dialog_registry.h"
#include "workspace/replace_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace edit_window;
using core::NodeId;

namespace {

QByteArray dialogue(const QByteArray &text) { return fixtures::hexBytes("14 00 05 00") + text + QByteArray(1, '\0'); }

// Dialogues in the body and inside two nested child events.
QByteArray textSample()
{
    return eexFile({{lockedComment() + H1,
                     dialogue("ab") + childEvent(blk, dialogue("xab") + childEvent(blk, dialogue("abab")))}});
}

struct UndoWindow;

struct KindCase
{
    const char *name;
    bool textFile;  // works on textSample() instead of sample()
    std::function<void(UndoWindow &)> edit;
};

struct UndoWindow : EditWindow, ::testing::WithParamInterface<KindCase>
{
    QByteArray savedBytes()
    {
        EXPECT_TRUE(docs->save());
        QFile f(doc()->path());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    bool tabMarked() const { return w.tabStrip()->tabText(docs->currentTab()).endsWith(" *"); }
    // The Search menu's replace window with both texts typed in.
    workspace::ReplaceDialog *replaceWindow(const QString &find, const QString &replace)
    {
        act("mnuReplace")->trigger();
        workspace::ReplaceDialog *r = w.findChild<workspace::ReplaceDialog *>("FrmReplace");
        EXPECT_NE(r, nullptr);
        if (r) {
            r->findChild<QLineEdit *>("tFind")->setText(find);
            r->findChild<QLineEdit *>("tReplace")->setText(replace);
        }
        return r;
    }
};

const KindCase kKinds[] = {
    {"DeleteByDel", false, [](UndoWindow &t) {
         t.select(t.byRecord(B));
         t.key(Qt::Key_Delete);
     }},
    {"DeleteAChildEvent", false, [](UndoWindow &t) {
         t.select(t.byRecord(blk));
         t.act("mnuDelete")->trigger();
     }},
    {"AddThroughTheAddDialog", false, [](UndoWindow &t) {
         workspace::add_dialogs::ScriptedAddDialogs dialogs;
         dialogs.answers = {0x09};
         t.select(t.byRecord(C));
         t.act("mnuaddnodes")->trigger();
     }},
    {"AddChildEventThroughTheDialog", false, [](UndoWindow &t) {
         workspace::add_dialogs::ScriptedAddDialogs dialogs;
         dialogs.answers = {0x6E};
         t.select(t.byRecord(D));  // inside the nested list
         t.act("mnuchildnodes")->trigger();
     }},
    {"EditThroughTheDispatch", false, [](UndoWindow &t) {
         workspace::ScopedDialogOverride form(0x0F, [](workspace::EditContext &) {
             return std::make_unique<QDialog>();
         });
         workspace::ScopedDialogRunner runner([](QDialog &, workspace::EditContext &ctx) {
             QString k = ctx.doc().key(ctx.node);
             k.replace(8, 2, "0A");
             ctx.change = workspace::KeyChange{k, 0, false};
         });
         t.select(t.byRecord(D));
         t.key(Qt::Key_Space);
     }},
    {"MoveUpByCtrlUp", false, [](UndoWindow &t) {
         t.select(t.byRecord(C));
         t.key(Qt::Key_Up, Qt::ControlModifier);
     }},
    {"MoveDownOverAChildEvent", false, [](UndoWindow &t) {
         t.select(t.byRecord(C));
         t.key(Qt::Key_Down, Qt::ControlModifier);
     }},
    {"PasteAChildEventByCtrlV", false, [](UndoWindow &t) {
         t.select(t.byRecord(blk));
         t.key(Qt::Key_C, Qt::ControlModifier);
         t.select(t.byRecord(A));
         t.key(Qt::Key_V, Qt::ControlModifier);
     }},
    {"CutByCtrlX", false, [](UndoWindow &t) {
         t.select(t.byRecord(D));
         t.key(Qt::Key_X, Qt::ControlModifier);
     }},
    {"QuickAddChildEvent", false, [](UndoWindow &t) {
         core::writeINI("Fast_Add", "1Child", "True");
         core::writeINI("Fast_Add", "1", QString::number(0x04));
         t.select(t.byRecord(B));
         t.key(Qt::Key_I);
     }},
    {"ReplaceOneInANestedList", true, [](UndoWindow &t) {
         t.select(t.tree().firstChild(t.byRecord(blk)));
         if (auto *r = t.replaceWindow("ab", "long text"))
             r->findChild<QPushButton *>("cReplace")->click();
     }},
    {"ReplaceAllByEnter", true, [](UndoWindow &t) {
         if (auto *r = t.replaceWindow("ab", "\\nlonger"))
             QTest::keyClick(r->findChild<QLineEdit *>("tFind"), Qt::Key_Return);
     }},
};

TEST_P(UndoWindow, CtrlZGivesBackTheSavedBytesAndCtrlYTheEditedOnes)
{
    const KindCase &c = GetParam();
    // These steps are small: no progress dialog may come between a step and
    // the shortcuts that follow, however slow the machine (sanitizer runs).
    const int showAfter = workspace::LongTask::showAfterMs();
    workspace::LongTask::setShowAfterMs(60 * 60 * 1000);
    struct Restore { int ms; ~Restore() { workspace::LongTask::setShowAfterMs(ms); } } restore{showAfter};
    if (c.textFile) {
        ASSERT_TRUE(openBytes("text.eex", textSample()));
    }
    const QByteArray original = savedBytes();
    ASSERT_EQ(original, c.textFile ? textSample() : sample());
    ASSERT_FALSE(act("mnuHistoryCancle")->isEnabled());

    c.edit(*this);
    ASSERT_EQ(undoSteps(), 1) << "one user command, one undo step";
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(tabMarked());
    EXPECT_TRUE(act("mnuHistoryCancle")->isEnabled());
    const QByteArray edited = savedBytes();
    ASSERT_NE(edited, original);
    core::DocTree reread;
    core::KeySerial serial = 1;
    ASSERT_TRUE(core::eexLoad(edited, QStringLiteral("edited.eex"), reread, serial).ok);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(reread));

    // The shortcuts go to the main window, whatever window the edit used.
    w.activateWindow();
    view()->setFocus();
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(tabMarked());
    EXPECT_FALSE(act("mnuHistoryCancle")->isEnabled());
    EXPECT_TRUE(act("mnuAgain")->isEnabled());
    EXPECT_EQ(fixtures::toHex(savedBytes()), fixtures::toHex(original));

    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(tabMarked());
    EXPECT_FALSE(act("mnuAgain")->isEnabled());
    EXPECT_EQ(fixtures::toHex(savedBytes()), fixtures::toHex(edited));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

void PrintTo(const KindCase &c, std::ostream *os) { *os << c.name; }

INSTANTIATE_TEST_SUITE_P(EveryKind, UndoWindow, ::testing::ValuesIn(kKinds), testsupport::NameFromRow{});

} // namespace
