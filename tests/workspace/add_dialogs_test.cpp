#include "workspace/add_dialogs/add_dialogs.h"
#include "workspace/add_dialogs/code_box.h"
#include "workspace/add_dialogs/add_command_dialog.h"

#include "core/catalogue.h"
#include "platform/prompts.h"
#include "platform/window_helpers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using namespace workspace::add_dialogs;

namespace {

const QString kRefused = QStringLiteral("추가될 수 없는 메뉴 번호입니다!");

struct Controls
{
    QRadioButton *oList, *oNum;
    QComboBox *cbMenu;
    CodeBox *tMenuNum;
    QPushButton *cAdd, *cCancel;
};

Controls controls(QWidget *dialog)
{
    Controls c{dialog->findChild<QRadioButton *>("oList"), dialog->findChild<QRadioButton *>("oNum"),
               dialog->findChild<QComboBox *>("cbMenu"),   static_cast<CodeBox *>(dialog->findChild<QLineEdit *>("tMenuNum")),
               dialog->findChild<QPushButton *>("cAdd"),   dialog->findChild<QPushButton *>("cCancel")};
    EXPECT_TRUE(c.oList && c.oNum && c.cbMenu && c.tMenuNum && c.cAdd && c.cCancel);
    return c;
}

class AddDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { resetAddDialogMemory(); }
    void TearDown() override { resetAddDialogMemory(); }

    // Chooses by typing `code` into the box and pressing Add.
    static void addTyped(AddCommandDialog &dialog, const QString &code)
    {
        Controls c = controls(&dialog);
        c.oNum->setChecked(true);
        c.tMenuNum->clear();
        QTest::keyClicks(c.tMenuNum, code);
        c.cAdd->click();
    }

    platform::ScriptedPrompts prompts;
};

// --- lists -----------------------------------------------------------------

struct ListCase
{
    AddDialogKind kind;
    const char *objectName;
    const char16_t *title;
    QList<int> codes;
    int loadPosition;
};

QList<int> range(int from, int to)
{
    QList<int> codes;
    for (int c = from; c <= to; ++c)
        codes.append(c);
    return codes;
}

TEST_F(AddDialogTest, EachDialogListsItsCodesAndOpensOnCode05)
{
    const QList<ListCase> cases = {
        {AddDialogKind::Body, "FrmMenuAdd", u"메뉴 추가", range(0x02, 0x79), 3},
        {AddDialogKind::Head, "FrmSectionMenuAdd", u"추가",
         {0x03, 0x04, 0x05, 0x07, 0x12, 0x13, 0x25, 0x26, 0x2D, 0x2E, 0x36,
          0x37, 0x3C, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x5E, 0x6E, 0x73, 0x79},
         2},
        {AddDialogKind::ChildEvent, "FrmChildMenuAdd", u"자사건 메뉴 추가",
         {0x02, 0x03, 0x04, 0x05, 0x07, 0x12, 0x13, 0x25, 0x26, 0x2D, 0x2E, 0x36, 0x37,
          0x3C, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x5E, 0x6D, 0x6E, 0x75, 0x76, 0x79},
         3},
    };
    for (const ListCase &lc : cases) {
        SCOPED_TRACE(lc.objectName);
        AddCommandDialog dialog(lc.kind);
        EXPECT_EQ(dialog.objectName(), lc.objectName);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf16(lc.title));
        Controls c = controls(&dialog);
        ASSERT_EQ(c.cbMenu->count(), lc.codes.size());
        for (int i = 0; i < lc.codes.size(); ++i) {
            EXPECT_EQ(c.cbMenu->itemText(i), core::menuName(lc.codes[i]));
            EXPECT_EQ(dialog.itemCode(i), lc.codes[i]);
        }
        EXPECT_EQ(c.cbMenu->currentIndex(), lc.loadPosition);
        EXPECT_EQ(dialog.itemCode(c.cbMenu->currentIndex()), 0x05);
        EXPECT_TRUE(c.oList->isChecked());
        EXPECT_FALSE(c.oNum->isChecked());
        EXPECT_EQ(c.tMenuNum->text(), "5");
        EXPECT_TRUE(c.tMenuNum->hexMode());
        EXPECT_EQ(c.oList->text(), "메뉴 리스트");
        EXPECT_EQ(c.oNum->text(), "메뉴 번호");
        EXPECT_EQ(c.cAdd->text(), "추가");
        EXPECT_EQ(c.cCancel->text(), "취소");
        EXPECT_TRUE(c.cAdd->isDefault());
        EXPECT_FALSE(c.cCancel->isDefault());
        EXPECT_EQ(dialog.itemCode(-1), 0);
        EXPECT_EQ(dialog.itemCode(c.cbMenu->count()), 0);
    }
}

TEST_F(AddDialogTest, TheLongCommandListOpensAbout450PixelsTall)
{
    AddCommandDialog dialog(AddDialogKind::Body);
    dialog.move(20, 20);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Controls c = controls(&dialog);
    ASSERT_GT(c.cbMenu->count(), 100);
    ASSERT_FALSE(c.cbMenu->isEditable());
    c.cbMenu->showPopup();
    QWidget *popup = c.cbMenu->view()->window();
    ASSERT_TRUE(popup->isVisible());
    const int total = c.cbMenu->height() + popup->height();
    EXPECT_LE(total, platform::kComboDropHeight);
    EXPECT_GT(total, platform::kComboDropHeight - c.cbMenu->view()->sizeHintForRow(0) - 8);
    c.cbMenu->hidePopup();
}

TEST_F(AddDialogTest, ListChoiceReturnsTheItemsCode)
{
    {
        BodyAddDialog dialog;
        Controls c = controls(&dialog);
        c.cbMenu->setCurrentIndex(3);
        c.cAdd->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.chosenCode(), 0x05);
    }
    {
        // 0x73 is no block command, yet the head list offers it.
        HeadAddDialog dialog;
        Controls c = controls(&dialog);
        c.cbMenu->setCurrentIndex(c.cbMenu->findText(core::menuName(0x73)));
        c.cAdd->click();
        EXPECT_EQ(dialog.chosenCode(), 0x73);
    }
    // Every item of the child-event list is a block code, so none is refused.
    for (int i = 0; i < addDialogCodes(AddDialogKind::ChildEvent).size(); ++i) {
        ChildEventAddDialog dialog;
        Controls c = controls(&dialog);
        c.cbMenu->setCurrentIndex(i);
        c.cAdd->click();
        ASSERT_TRUE(dialog.chosenCode().has_value());
        EXPECT_TRUE(core::isBlockMenu(*dialog.chosenCode()));
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

// --- typed codes -------------------------------------------------------------

struct TypedCase
{
    AddDialogKind kind;
    const char *typed;
    int expected;  // -1: refused
};

TEST_F(AddDialogTest, TypedCodesAreTakenOrRefusedByKind)
{
    const TypedCase cases[] = {
        {AddDialogKind::Body, "0", 0x02},        {AddDialogKind::Body, "1", 0x02},
        {AddDialogKind::Body, "2", 0x02},        {AddDialogKind::Body, "6c", 0x6C},
        {AddDialogKind::Body, "79", 0x79},       {AddDialogKind::Body, "7A", 0x79},
        {AddDialogKind::Head, "2", -1},          {AddDialogKind::Head, "73", -1},
        {AddDialogKind::Head, "6C", -1},         {AddDialogKind::Head, "6D", 0x6D},
        {AddDialogKind::Head, "75", 0x75},       {AddDialogKind::Head, "76", 0x76},
        {AddDialogKind::Head, "3", 0x03},        {AddDialogKind::Head, "0", -1},
        {AddDialogKind::ChildEvent, "6C", -1},   {AddDialogKind::ChildEvent, "73", -1},
        {AddDialogKind::ChildEvent, "1", 0x02},  {AddDialogKind::ChildEvent, "2", 0x02},
        {AddDialogKind::ChildEvent, "6E", 0x6E}, {AddDialogKind::ChildEvent, "79", 0x79},
    };
    for (const TypedCase &tc : cases) {
        SCOPED_TRACE(std::string(tc.typed) + " kind " + std::to_string(int(tc.kind)));
        resetAddDialogMemory();
        prompts.messages.clear();
        AddCommandDialog dialog(tc.kind);
        addTyped(dialog, tc.typed);
        if (tc.expected < 0) {
            EXPECT_NE(dialog.result(), QDialog::Accepted);
            EXPECT_FALSE(dialog.chosenCode());
            ASSERT_EQ(prompts.messages.size(), 1);
            EXPECT_EQ(prompts.messages[0].text, kRefused);
            EXPECT_EQ(prompts.messages[0].title, "Error!");
            EXPECT_EQ(prompts.messages[0].icon, platform::MsgIcon::Critical);
            EXPECT_EQ(addDialogMemory(tc.kind).mode, 0);
        } else {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.chosenCode(), tc.expected);
            EXPECT_TRUE(prompts.messages.isEmpty());
        }
    }
}

TEST_F(AddDialogTest, RefusedCodeKeepsTheDialogOpenForAnotherTry)
{
    HeadAddDialog dialog;
    dialog.show();
    addTyped(dialog, "73");
    EXPECT_TRUE(dialog.isVisible());
    addTyped(dialog, "6D");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.chosenCode(), 0x6D);
    EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_F(AddDialogTest, CodeBoxClampsTypedValuesAboveTheMaximumAtOnce)
{
    BodyAddDialog dialog;
    CodeBox *box = controls(&dialog).tMenuNum;
    box->clear();
    QTest::keyClicks(box, "7A");
    EXPECT_EQ(box->text(), "79");
    EXPECT_EQ(box->selectedText(), "79");
    box->clear();
    QTest::keyClicks(box, "ff");
    EXPECT_EQ(box->text(), "79");
    // The clamped text is selected, so the next digit starts afresh.
    QTest::keyClicks(box, "4");
    EXPECT_EQ(box->text(), "4");
    // Letters beyond F and other characters never reach the box.
    box->clear();
    QTest::keyClicks(box, "g-1 x3");
    EXPECT_EQ(box->text(), "13");
}

TEST_F(AddDialogTest, CodeBoxTakesOnlyHexDigitsFromThePasteToo)
{
    CodeBox box(0x79);
    box.setText("5");
    box.selectAll();
    QApplication::clipboard()->setText("4G");
    box.paste();
    EXPECT_EQ(box.text(), "5");
    box.selectAll();
    QApplication::clipboard()->setText("3c");
    box.paste();
    EXPECT_EQ(box.text(), "3C");
    box.selectAll();
    QApplication::clipboard()->setText("1FF");
    box.paste();
    EXPECT_EQ(box.text(), "79");
}

TEST_F(AddDialogTest, EmptyOrSmallBoxIsNormalisedBeforeItIsRead)
{
    CodeBox box(0x79);
    box.clear();
    EXPECT_EQ(box.code(), 2);
    EXPECT_EQ(box.text(), "2");
    box.setText("1");
    EXPECT_EQ(box.code(), 2);
    EXPECT_EQ(box.text(), "2");
    box.setText("0");
    EXPECT_EQ(box.code(), 2);

    // Enter on an empty box in the body dialog adds code 02.
    BodyAddDialog dialog;
    Controls c = controls(&dialog);
    c.oNum->setChecked(true);
    c.tMenuNum->clear();
    c.cAdd->click();
    EXPECT_EQ(dialog.chosenCode(), 0x02);
    EXPECT_EQ(c.tMenuNum->text(), "2");
}

TEST_F(AddDialogTest, CodeBoxTurnsEmptyOrSmallIntoTwoWhenItLosesTheFocus)
{
    BodyAddDialog dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    Controls c = controls(&dialog);
    c.tMenuNum->setFocus();
    c.tMenuNum->clear();
    c.cbMenu->setFocus();
    EXPECT_EQ(c.tMenuNum->text(), "2");
    c.tMenuNum->setFocus();
    c.tMenuNum->setText("1");
    c.cbMenu->setFocus();
    EXPECT_EQ(c.tMenuNum->text(), "2");
}

// --- the two ways of choosing --------------------------------------------------

TEST_F(AddDialogTest, FocusAndOptionButtonsAreLinked)
{
    ChildEventAddDialog dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    Controls c = controls(&dialog);

    c.tMenuNum->setText("12");
    c.tMenuNum->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(c.oNum->isChecked());
    EXPECT_EQ(c.tMenuNum->selectedText(), "12");

    c.cbMenu->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(c.oList->isChecked());

    QTest::mouseClick(c.oNum, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), c.tMenuNum);
    EXPECT_TRUE(c.oNum->isChecked());

    QTest::mouseClick(c.oList, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), c.cbMenu);
    EXPECT_TRUE(c.oList->isChecked());

    // Choosing from the list leaves the box alone, and typing leaves the list.
    c.cbMenu->setCurrentIndex(0);
    EXPECT_EQ(c.tMenuNum->text(), "12");
    c.tMenuNum->setFocus();
    QTest::keyClicks(c.tMenuNum, "6E");
    EXPECT_EQ(c.cbMenu->currentIndex(), 0);
}

TEST_F(AddDialogTest, EnterAddsAndEscapeCancels)
{
    {
        BodyAddDialog dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        Controls c = controls(&dialog);
        c.tMenuNum->setFocus();
        QTest::keyClicks(c.tMenuNum, "1F");
        QTest::keyClick(c.tMenuNum, Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.chosenCode(), 0x1F);
    }
    {
        BodyAddDialog dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        Controls c = controls(&dialog);
        c.cbMenu->setFocus();
        c.cbMenu->setCurrentIndex(10);
        QTest::keyClick(c.cbMenu, Qt::Key_Return);
        EXPECT_EQ(dialog.chosenCode(), 0x0C);
    }
    const AddDialogMemory before = addDialogMemory(AddDialogKind::Body);
    {
        BodyAddDialog dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        Controls c = controls(&dialog);
        c.cbMenu->setCurrentIndex(40);
        QTest::keyClick(c.cbMenu, Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(dialog.chosenCode());
    }
    {
        BodyAddDialog dialog;
        controls(&dialog).cCancel->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.chosenCode());
    }
    EXPECT_EQ(addDialogMemory(AddDialogKind::Body).code, before.code);
    EXPECT_EQ(addDialogMemory(AddDialogKind::Body).mode, before.mode);
}

// --- memory from one showing to the next ----------------------------------------

TEST_F(AddDialogTest, ReopenedAfterATypedAddShowsTheTypedCode)
{
    {
        BodyAddDialog dialog;
        addTyped(dialog, "3c");
    }
    {
        BodyAddDialog dialog;
        Controls c = controls(&dialog);
        EXPECT_TRUE(c.oNum->isChecked());
        EXPECT_EQ(c.tMenuNum->text(), "3C");
        EXPECT_EQ(dialog.focusWidget(), c.tMenuNum);
        EXPECT_EQ(c.cbMenu->currentIndex(), 0x3C - 2);
    }
    {
        // The head and child dialogs show the list position of that add,
        // whatever code it holds.
        HeadAddDialog dialog;
        Controls c = controls(&dialog);
        c.cbMenu->setCurrentIndex(7);
        addTyped(dialog, "6D");
    }
    {
        HeadAddDialog dialog;
        Controls c = controls(&dialog);
        EXPECT_TRUE(c.oNum->isChecked());
        EXPECT_EQ(c.tMenuNum->text(), "6D");
        EXPECT_EQ(c.cbMenu->currentIndex(), 7);
        EXPECT_EQ(dialog.focusWidget(), c.tMenuNum);
    }
}

TEST_F(AddDialogTest, ReopenedAfterAListChoiceShowsThatItem)
{
    {
        ChildEventAddDialog dialog;
        Controls c = controls(&dialog);
        c.cbMenu->setCurrentIndex(20);  // 6D
        c.cAdd->click();
        EXPECT_EQ(dialog.chosenCode(), 0x6D);
    }
    ChildEventAddDialog dialog;
    Controls c = controls(&dialog);
    EXPECT_TRUE(c.oList->isChecked());
    EXPECT_EQ(c.cbMenu->currentIndex(), 20);
    EXPECT_EQ(c.tMenuNum->text(), "6D");
    EXPECT_NE(dialog.focusWidget(), c.tMenuNum);
    // Each dialog keeps its own memory.
    BodyAddDialog body;
    EXPECT_EQ(controls(&body).cbMenu->currentIndex(), 3);
    EXPECT_EQ(controls(&body).tMenuNum->text(), "5");
}

TEST_F(AddDialogTest, RefusedAddLeavesTheMemoryAlone)
{
    {
        ChildEventAddDialog dialog;
        addTyped(dialog, "13");
    }
    {
        ChildEventAddDialog dialog;
        addTyped(dialog, "14");
        EXPECT_FALSE(dialog.chosenCode());
    }
    EXPECT_EQ(addDialogMemory(AddDialogKind::ChildEvent).mode, 2);
    EXPECT_EQ(addDialogMemory(AddDialogKind::ChildEvent).code, 0x13);
}

// --- the interface -------------------------------------------------------------------

TEST_F(AddDialogTest, DesktopInterfaceShowsTheModalDialogAndReturnsItsChoice)
{
    auto answerWith = [](const QString &typed, bool cancel) {
        QTimer::singleShot(0, [typed, cancel] {
            QWidget *modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            Controls c = controls(modal);
            if (cancel) {
                c.cCancel->click();
                return;
            }
            c.oNum->setChecked(true);
            c.tMenuNum->setText(typed);
            c.cAdd->click();
        });
    };
    QWidget owner;
    AddDialogs &dialogs = AddDialogs::instance();
    answerWith("6E", false);
    EXPECT_EQ(dialogs.chooseHeadCommand(&owner), 0x6E);
    answerWith("44", false);
    EXPECT_EQ(dialogs.chooseBodyCommand(&owner), 0x44);
    answerWith("75", false);
    EXPECT_EQ(dialogs.chooseChildEvent(&owner), 0x75);
    answerWith("", true);
    EXPECT_EQ(dialogs.chooseChildEvent(&owner), std::nullopt);
}

TEST_F(AddDialogTest, ScriptedInterfaceAnswersInOrderAndRecordsTheDialogs)
{
    {
        ScriptedAddDialogs scripted;
        scripted.answers = {0x05, std::nullopt};
        AddDialogs &dialogs = AddDialogs::instance();
        EXPECT_EQ(&dialogs, &scripted);
        EXPECT_EQ(dialogs.chooseBodyCommand(nullptr), 0x05);
        EXPECT_EQ(dialogs.chooseHeadCommand(nullptr), std::nullopt);
        EXPECT_EQ(dialogs.chooseChildEvent(nullptr), std::nullopt);
        EXPECT_FALSE(dialogs.editFastAdd(nullptr));
        EXPECT_EQ(scripted.asked,
                  QStringList({"FrmMenuAdd", "FrmSectionMenuAdd", "FrmChildMenuAdd", "FrmFastAdd"}));
    }
    EXPECT_NE(dynamic_cast<DesktopAddDialogs *>(&AddDialogs::instance()), nullptr);
}

} // namespace
