// The find window driven through its controls: its fields and their glue,
// the code box limits, Find from the start and on from the selection up to
// the "not found" message, the remembered search, and a window without a
// document.
#include "workspace/find_dialog.h"

#include "core/edit_history_test_doc.h"
#include "core/key_codec.h"
#include "platform/prompts.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace workspace;
using namespace edit_test;
using fixtures::hexBytes;

namespace {

QByteArray dlg(const char *text) { return hexBytes("14 00 05 00") + QByteArray(text) + QByteArray(1, '\0'); }
const QByteArray blk = hexBytes("6E 00 04 00 32 00 00 00");

class FindDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { rememberedSearch() = {}; }
    void TearDown() override { rememberedSearch() = {}; }

    FindTargetProvider provider()
    {
        return [this]() -> std::optional<FindTarget> {
            if (!documentOpen)
                return std::nullopt;
            FindTarget t;
            t.tree = &doc.tree;
            t.history = &doc.history;
            t.keySerial = &doc.serial;
            t.selectNode = [this](core::NodeId n) { shown.push_back(n); };
            return t;
        };
    }
    template <class W> W *child(QWidget &w, const char *name)
    {
        W *c = w.findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void leave(QWidget *box)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }

    // Dialogues in a Section's head, in its body and inside nested child events.
    Doc doc{eexFile({{lockedComment() + dlg("h"), dlg("a") + childEvent(blk, dlg("b") + childEvent(blk, dlg("c")))
                                                      + dlg("d")},
                     {lockedComment(), dlg("e")}})};
    bool documentOpen = true;
    std::vector<core::NodeId> shown;
    platform::ScriptedPrompts prompts;
};

TEST_F(FindDialogTest, StartsWithTheListAtItemFiveAndSearchFromTheStart)
{
    FindDialog w(provider(), nullptr);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("찾기"));
    auto *menu = child<QComboBox>(w, "cbMenu");
    EXPECT_EQ(menu->count(), 122);
    EXPECT_EQ(menu->currentIndex(), 5);
    EXPECT_EQ(child<QLineEdit>(w, "tMenuNum")->text(), QStringLiteral("5"));
    EXPECT_TRUE(child<QRadioButton>(w, "oList")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(w, "oStart")->isChecked());
    EXPECT_EQ(child<QRadioButton>(w, "oContinue")->text(), QStringLiteral("이어서 찾기"));
    EXPECT_EQ(child<QRadioButton>(w, "oInstr")->text(), QStringLiteral("포함된 글자"));
    EXPECT_EQ(child<QGroupBox>(w, "Frame1")->title(), QStringLiteral("찾을 때"));
    EXPECT_TRUE(child<QPushButton>(w, "cConfig")->isDefault());
    EXPECT_EQ(child<QPushButton>(w, "cCancel")->text(), QStringLiteral("취소"));
}

TEST_F(FindDialogTest, CodeBoxStaysWithinTheCommandCodes)
{
    FindDialog w(provider(), nullptr);
    auto *box = child<QLineEdit>(w, "tMenuNum");
    box->clear();
    QTest::keyClicks(box, "7A");
    EXPECT_EQ(box->text(), QStringLiteral("79"));
    EXPECT_EQ(box->selectedText(), QStringLiteral("79"));
    QTest::keyClicks(box, "G!");  // not hex: refused
    EXPECT_EQ(box->text(), QStringLiteral("79"));
    box->clear();
    leave(box);
    EXPECT_EQ(box->text(), QStringLiteral("2"));
}

TEST_F(FindDialogTest, FindNextVisitsEveryMatchOnceAndStopsWithTheMessage)
{
    FindDialog w(provider(), nullptr);
    child<QRadioButton>(w, "oNum")->setChecked(true);
    child<QLineEdit>(w, "tMenuNum")->setText(QStringLiteral("14"));

    std::vector<core::NodeId> expected;
    for (core::NodeId n = doc.tree.firstChild(doc.tree.root()); n != core::kNoNode; n = doc.tree.nextInOrder(n))
        if (core::keyCode(doc.tree.key(n)) == 0x14)
            expected.push_back(n);
    ASSERT_EQ(expected.size(), 6u);

    for (std::size_t i = 0; i < expected.size(); ++i) {
        child<QPushButton>(w, "cConfig")->click();
        EXPECT_EQ(doc.tree.selected(), expected[i]) << i;
        // The first Find goes on from the selection next time.
        EXPECT_TRUE(child<QRadioButton>(w, "oContinue")->isChecked());
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
    child<QPushButton>(w, "cConfig")->click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("메뉴를 찾을 수 없습니다."));
    EXPECT_EQ(prompts.messages[0].title, QStringLiteral("Not Found!"));
    EXPECT_EQ(prompts.messages[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(doc.tree.selected(), expected.back());  // no wrap-around
    EXPECT_EQ(shown, expected);

    // From the start again: the first match.
    child<QRadioButton>(w, "oStart")->setChecked(true);
    child<QPushButton>(w, "cConfig")->click();
    EXPECT_EQ(doc.tree.selected(), expected.front());
}

TEST_F(FindDialogTest, TextSearchByEnterAndAnEmptyTextFindsTheFirstCommand)
{
    FindDialog w(provider(), nullptr);
    auto *text = child<QLineEdit>(w, "tStr");
    child<QRadioButton>(w, "oInstr")->setChecked(true);
    text->setText(QStringLiteral("대화"));
    w.show();  // the default button answers Enter while shown
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_EQ(core::keyCode(doc.tree.key(doc.tree.selected())), 0x14);
    EXPECT_EQ(rememberedSearch().mode, core::FindMode::ByText);
    EXPECT_EQ(rememberedSearch().text, QStringLiteral("대화"));

    text->clear();
    child<QRadioButton>(w, "oStart")->setChecked(true);
    child<QPushButton>(w, "cConfig")->click();
    EXPECT_EQ(doc.tree.selected(), doc.lockedCommentNode());  // the first command node
}

TEST_F(FindDialogTest, WithoutADocumentNothingHappens)
{
    documentOpen = false;
    FindDialog w(provider(), nullptr);
    child<QPushButton>(w, "cConfig")->click();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(rememberedSearch().mode, core::FindMode::None);
    EXPECT_TRUE(child<QRadioButton>(w, "oStart")->isChecked());
}

TEST_F(FindDialogTest, ActivationRestoresTheRememberedSearchAndCancelForgetsIt)
{
    {
        FindDialog w(provider(), nullptr);
        child<QRadioButton>(w, "oNum")->setChecked(true);
        child<QLineEdit>(w, "tMenuNum")->setText(QStringLiteral("6e"));
        child<QPushButton>(w, "cConfig")->click();
    }
    EXPECT_EQ(rememberedSearch().mode, core::FindMode::ByNumber);
    EXPECT_EQ(rememberedSearch().code, 0x6E);

    FindDialog *w = new FindDialog(provider(), nullptr);
    QPointer<FindDialog> alive(w);
    child<QLineEdit>(*w, "tMenuNum")->setText(QStringLiteral("3"));  // typed since, then overwritten
    w->activated();
    EXPECT_EQ(child<QLineEdit>(*w, "tMenuNum")->text(), QStringLiteral("6E"));
    EXPECT_EQ(child<QComboBox>(*w, "cbMenu")->currentIndex(), 0x6E);
    EXPECT_DOUBLE_EQ(w->windowOpacity(), 1.0);
    w->deactivated();
    EXPECT_NEAR(w->windowOpacity(), 128 / 255.0, 0.01);

    w->show();
    QTest::keyClick(w, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(rememberedSearch().mode, core::FindMode::None);
}

TEST_F(FindDialogTest, ClosingFromTheTitleBarKeepsTheSearchAndOpenReusesTheWindow)
{
    QWidget owner;
    FindDialog *w = FindDialog::open(&owner, provider());
    EXPECT_EQ(FindDialog::open(&owner, provider()), w);
    child<QPushButton>(*w, "cConfig")->click();  // the list's item 5
    EXPECT_EQ(rememberedSearch().mode, core::FindMode::ByList);
    EXPECT_EQ(rememberedSearch().code, 5);
    QPointer<FindDialog> alive(w);
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(rememberedSearch().mode, core::FindMode::ByList);
    EXPECT_NE(FindDialog::open(&owner, provider()), nullptr);
}

} // namespace
