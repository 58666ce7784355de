#include "workspace/add_dialogs/add_dialogs.h"
#include "workspace/add_dialogs/code_box.h"
#include "workspace/add_dialogs/fast_add_settings.h"
#include "workspace/add_dialogs/quick_add_settings_dialog.h"

#include "core/settings.h"
#include "platform/prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace workspace::add_dialogs;

namespace {

const QString kSection = QStringLiteral("Fast_Add");

class FastAddTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedIni = core::iniPath();
        core::setIniPath(dir.filePath("Q_T.ini"));
    }
    void TearDown() override { core::setIniPath(savedIni); }

    static void store(int slot, const QString &code, const QString &child)
    {
        core::writeINI(kSection, QString::number(slot), code);
        core::writeINI(kSection, QString::number(slot) + "Child", child);
    }
    static QString stored(const QString &key) { return core::readINI(kSection, key); }

    static CodeBox *box(QWidget *dialog, int slot)
    {
        auto *b = static_cast<CodeBox *>(dialog->findChild<QLineEdit *>(QStringLiteral("tMenuNum%1").arg(slot)));
        EXPECT_NE(b, nullptr);
        return b;
    }
    static QCheckBox *child(QWidget *dialog, int slot)
    {
        auto *c = dialog->findChild<QCheckBox *>(QStringLiteral("ckChild%1").arg(slot));
        EXPECT_NE(c, nullptr);
        return c;
    }
    static QPushButton *button(QWidget *dialog, const char *name) { return dialog->findChild<QPushButton *>(name); }

    QTemporaryDir dir;
    QString savedIni;
    platform::ScriptedPrompts prompts;
};

TEST_F(FastAddTest, ShowsFourRowsForTheKeysUIOP)
{
    QuickAddSettingsDialog dialog;
    EXPECT_EQ(dialog.objectName(), "FrmFastAdd");
    EXPECT_EQ(dialog.windowTitle(), "빠른 추가");
    const char *labels[] = {"U  -  메뉴 번호 : ", "I  -  메뉴 번호 : ", "O  -  메뉴 번호 : ", "P  -  메뉴 번호 : "};
    for (int i = 0; i < 4; ++i) {
        auto *label = dialog.findChild<QLabel *>(QStringLiteral("lblSlot%1").arg(i));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(labels[i]));
        EXPECT_EQ(child(&dialog, i)->text(), "자사건 추가");
        EXPECT_TRUE(box(&dialog, i)->hexMode());
    }
    EXPECT_EQ(button(&dialog, "cSave")->text(), "저장");
    EXPECT_TRUE(button(&dialog, "cSave")->isDefault());
    EXPECT_EQ(button(&dialog, "cCancel")->text(), "취소");
}

struct LoadCase
{
    const char *code;
    const char *child;
    const char *box;
    bool ticked;
};

TEST_F(FastAddTest, LoadsStoredCodesInHexAndFallsBackToTwo)
{
    const LoadCase cases[] = {
        {"107", "False", "6B", false},   // decimal code shown in hex
        {"121", "False", "79", false},   // codes above the typing limit still load
        {"18", "True", "12", true},
        {"5", "false", "5", true},       // only the exact "False" clears the flag
        {"9", "True", "2", true},        // a child slot needs a block code
        {"9", "False", "9", false},
        {"", "False", "2", false},       // missing
        {"abc", "False", "2", false},    // not a number
        {"+5", "False", "2", false},
        {"0x10", "False", "2", false},
        {"1", "False", "2", false},      // out of range
        {"122", "False", "2", false},
        {"-3", "False", "2", false},
        {"99999999999", "False", "2", false},
    };
    for (const LoadCase &lc : cases) {
        SCOPED_TRACE(std::string(lc.code) + "/" + lc.child);
        store(1, lc.code, lc.child);
        QuickAddSettingsDialog dialog;
        EXPECT_EQ(box(&dialog, 1)->text(), lc.box);
        EXPECT_EQ(child(&dialog, 1)->isChecked(), lc.ticked);
        const FastAddSlot slot = readFastAdd().entries[1];
        EXPECT_EQ(slot.code, box(&dialog, 1)->text().toInt(nullptr, 16));
        EXPECT_EQ(slot.child, lc.ticked);
    }
}

TEST_F(FastAddTest, MissingEntriesLoadAsCodeTwoAsAChildEvent)
{
    const FastAddCodes codes = readFastAdd();
    for (const FastAddSlot &slot : codes.entries) {
        EXPECT_EQ(slot.code, 2);
        EXPECT_TRUE(slot.child);
    }
}

TEST_F(FastAddTest, SavesEachSlotAsDecimalCodeAndChildFlag)
{
    QuickAddSettingsDialog dialog;
    const char *typed[] = {"6B", "3", "12", "79"};
    const bool ticks[] = {false, true, true, false};
    for (int i = 0; i < 4; ++i) {
        box(&dialog, i)->clear();
        QTest::keyClicks(box(&dialog, i), typed[i]);
        child(&dialog, i)->setChecked(ticks[i]);
    }
    // The box stops at 6B while typing, so "79" became "6B".
    EXPECT_EQ(box(&dialog, 3)->text(), "6B");
    EXPECT_TRUE(dialog.save());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompts.messages.isEmpty());

    EXPECT_EQ(stored("0"), "107");
    EXPECT_EQ(stored("0Child"), "False");
    EXPECT_EQ(stored("1"), "3");
    EXPECT_EQ(stored("1Child"), "True");
    EXPECT_EQ(stored("2"), "18");
    EXPECT_EQ(stored("2Child"), "True");
    EXPECT_EQ(stored("3"), "107");
    EXPECT_EQ(stored("3Child"), "False");

    // Reopened, the dialog shows what was saved; so does the reader.
    QuickAddSettingsDialog again;
    const char *shown[] = {"6B", "3", "12", "6B"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(box(&again, i)->text(), shown[i]);
        EXPECT_EQ(child(&again, i)->isChecked(), ticks[i]);
    }
    const FastAddCodes codes = readFastAdd();
    EXPECT_EQ(codes.entries[2].code, 0x12);
    EXPECT_TRUE(codes.entries[2].child);
}

TEST_F(FastAddTest, TypingAboveSixBShowsSixBSelected)
{
    QuickAddSettingsDialog dialog;
    CodeBox *b = box(&dialog, 0);
    b->clear();
    QTest::keyClicks(b, "6C");
    EXPECT_EQ(b->text(), "6B");
    EXPECT_EQ(b->selectedText(), "6B");
}

TEST_F(FastAddTest, ChildSlotWithoutBlockCodeStopsTheSaveThere)
{
    QuickAddSettingsDialog dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    box(&dialog, 0)->setText("44");
    child(&dialog, 0)->setChecked(false);
    box(&dialog, 1)->setText("9");
    child(&dialog, 1)->setChecked(true);
    box(&dialog, 2)->setText("12");
    child(&dialog, 2)->setChecked(true);

    EXPECT_FALSE(dialog.save());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "자사건 추가가 될 수 없는 메뉴입니다！");
    EXPECT_EQ(prompts.messages[0].title, "Err");
    EXPECT_EQ(prompts.messages[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), box(&dialog, 1));

    EXPECT_EQ(stored("0Child"), "False");
    EXPECT_EQ(stored("0"), "68");
    for (const char *key : {"1", "1Child", "2", "2Child", "3", "3Child"})
        EXPECT_EQ(stored(key), "") << key;
}

TEST_F(FastAddTest, EmptyBoxIsSavedAsTwo)
{
    store(0, "18", "False");
    QuickAddSettingsDialog dialog;
    box(&dialog, 0)->clear();
    box(&dialog, 1)->setText("0");
    for (int i = 0; i < 4; ++i)
        child(&dialog, i)->setChecked(true);
    EXPECT_TRUE(dialog.save());
    EXPECT_EQ(stored("0"), "2");
    EXPECT_EQ(stored("1"), "2");
    EXPECT_EQ(stored("0Child"), "True");
}

TEST_F(FastAddTest, UnwritableSettingsFileKeepsTheDialogOpen)
{
    // A plain file where the settings folder should be: nothing can be written.
    QFile blocker(dir.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    core::setIniPath(dir.filePath("blocked/Q_T.ini"));
    QuickAddSettingsDialog dialog;
    EXPECT_FALSE(dialog.save());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "설정 파일에 저장할 수 없습니다.");
    EXPECT_EQ(prompts.messages[0].icon, platform::MsgIcon::Critical);
}

TEST_F(FastAddTest, EnterSavesAndEscapeOrCancelWritesNothing)
{
    {
        QuickAddSettingsDialog dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        box(&dialog, 0)->setText("7");
        QTest::keyClick(box(&dialog, 0), Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    {
        QuickAddSettingsDialog dialog;
        box(&dialog, 0)->setText("7");
        button(&dialog, "cCancel")->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_FALSE(QFile::exists(core::iniPath()));
    {
        QuickAddSettingsDialog dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        box(&dialog, 0)->setFocus();
        box(&dialog, 0)->setText("7");
        QTest::keyClick(box(&dialog, 0), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(stored("0"), "7");
}

TEST_F(FastAddTest, DesktopInterfaceOpensTheDialogModally)
{
    QTimer::singleShot(0, [] {
        QWidget *modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        EXPECT_EQ(modal->objectName(), "FrmFastAdd");
        modal->findChild<QPushButton *>("cSave")->click();
    });
    QWidget owner;
    EXPECT_TRUE(AddDialogs::instance().editFastAdd(&owner));
    EXPECT_EQ(stored("3"), "2");
}

} // namespace
