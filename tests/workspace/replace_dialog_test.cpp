// The replace window driven through its controls: replace one from the
// selection, replace all as one undo step, the messages, the tab marked
// modified, the too-long report, and a window without a document.
#include "workspace/replace_dialog.h"

#include "core/edit_history_test_doc.h"
#include "core/undo_redo.h"
#include "platform/prompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace workspace;
using namespace edit_test;
using fixtures::hexBytes;

namespace {

QByteArray dlg(const QByteArray &text) { return hexBytes("14 00 05 00") + text + QByteArray(1, '\0'); }
const QByteArray blk = hexBytes("6E 00 04 00 32 00 00 00");

class ReplaceDialogTest : public ::testing::Test
{
protected:
    FindTargetProvider provider()
    {
        return [this]() -> std::optional<FindTarget> {
            if (!documentOpen)
                return std::nullopt;
            FindTarget t;
            t.tree = &doc.tree;
            t.history = &doc.history;
            t.keySerial = &doc.serial;
            t.markModified = [this] { ++modified; };
            t.historyChanged = [this] { ++historySignals; };
            return t;
        };
    }
    template <class W> W *child(QWidget &w, const char *name)
    {
        W *c = w.findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    void type(ReplaceDialog &w, const QString &find, const QString &replace)
    {
        child<QLineEdit>(w, "tFind")->setText(find);
        child<QLineEdit>(w, "tReplace")->setText(replace);
    }

    const QByteArray original = eexFile(dlg("keep") + childEvent(blk, dlg("x1") + dlg("x2")) + dlg("x3"));
    Doc doc{original};
    bool documentOpen = true;
    int modified = 0;
    int historySignals = 0;
    platform::ScriptedPrompts prompts;
};

TEST_F(ReplaceDialogTest, ControlsAndCaptions)
{
    ReplaceDialog w(provider(), nullptr);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("바꾸기"));
    EXPECT_EQ(child<QLabel>(w, "Label1")->text(), QStringLiteral("찾을 내용"));
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), QStringLiteral("바꿀 내용 "));
    EXPECT_EQ(child<QPushButton>(w, "cReplace")->text(), QStringLiteral("바꾸기"));
    EXPECT_EQ(child<QPushButton>(w, "cAllReplace")->text(), QStringLiteral("모두 바꾸기"));
    EXPECT_TRUE(child<QPushButton>(w, "cAllReplace")->isDefault());
    EXPECT_FALSE(child<QPushButton>(w, "cReplace")->isDefault());
    EXPECT_EQ(child<QPushButton>(w, "cCancel")->text(), QStringLiteral("취소"));
}

TEST_F(ReplaceDialogTest, ReplaceOneGoesOnFromTheSelectionUntilNothingIsLeft)
{
    ReplaceDialog w(provider(), nullptr);
    type(w, QStringLiteral("x"), QStringLiteral("yy"));
    for (const char *expected : {"yy1", "yy2", "yy3"}) {
        child<QPushButton>(w, "cReplace")->click();
        EXPECT_EQ(doc.tree.selected(), doc.byRecord(dlg(expected)));
    }
    EXPECT_EQ(modified, 3);
    EXPECT_EQ(historySignals, 3);
    EXPECT_EQ(doc.history.undoStepCount(), 3);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(doc.tree));
    EXPECT_TRUE(prompts.messages.isEmpty());

    child<QPushButton>(w, "cReplace")->click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, kReplaceNotFoundMessage);
    EXPECT_EQ(prompts.messages[0].title, QStringLiteral("Not Found!"));
    EXPECT_EQ(modified, 3);

    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(core::undo(doc.ctx).ok);
    EXPECT_EQ(doc.bytes(), original);
}

TEST_F(ReplaceDialogTest, EnterReplacesAllInOneUndoStepAndLeavesTheSelection)
{
    ReplaceDialog w(provider(), nullptr);
    const core::NodeId selected = doc.byRecord(dlg("keep"));
    doc.tree.setSelected(selected);
    type(w, QStringLiteral("x"), QStringLiteral("\\n"));
    w.show();  // the default button answers Enter while shown
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_EQ(doc.bytes(), eexFile(dlg("keep") + childEvent(blk, dlg("\n1") + dlg("\n2")) + dlg("\n3")));
    EXPECT_EQ(doc.tree.selected(), selected);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("바꾸기"));
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(doc.history.undoStepCount(), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(core::undo(doc.ctx).ok);
    EXPECT_EQ(doc.bytes(), original);

    // A text found nowhere still marks the tab, without a step or a message.
    type(w, QStringLiteral("zzz"), QStringLiteral("q"));
    child<QPushButton>(w, "cAllReplace")->click();
    EXPECT_EQ(modified, 2);
    EXPECT_EQ(doc.history.undoStepCount(), 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ReplaceDialogTest, EmptyFindTextOrNoDocumentDoesNothing)
{
    ReplaceDialog w(provider(), nullptr);
    type(w, QString(), QStringLiteral("q"));
    child<QPushButton>(w, "cAllReplace")->click();
    EXPECT_EQ(modified, 0);
    EXPECT_EQ(doc.bytes(), original);

    documentOpen = false;
    type(w, QStringLiteral("x"), QStringLiteral("q"));
    child<QPushButton>(w, "cAllReplace")->click();
    child<QPushButton>(w, "cReplace")->click();
    EXPECT_EQ(modified, 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(doc.bytes(), original);
}

TEST_F(ReplaceDialogTest, MatchesThatWouldOverflowTheirSectionAreListed)
{
    doc.load(eexFile(dlg(QByteArray(65470, 'f')) + dlg("ab")));
    ReplaceDialog w(provider(), nullptr);
    type(w, QStringLiteral("a"), QString(100, u'a'));
    child<QPushButton>(w, "cAllReplace")->click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(core::kTooLongMessage));
    EXPECT_TRUE(prompts.messages[0].text.contains(doc.tree.text(doc.byRecord(dlg("ab")))));
    EXPECT_EQ(doc.history.undoStepCount(), 0);
}

TEST_F(ReplaceDialogTest, OpacityFollowsTheFocusAndEscCloses)
{
    ReplaceDialog *w = ReplaceDialog::open(nullptr, provider());
    QPointer<ReplaceDialog> alive(w);
    w->deactivated();
    EXPECT_NEAR(w->windowOpacity(), 128 / 255.0, 0.01);
    w->activated();
    EXPECT_DOUBLE_EQ(w->windowOpacity(), 1.0);
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

} // namespace
