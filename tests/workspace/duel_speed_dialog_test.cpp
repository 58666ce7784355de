#include "workspace/duel_speed_dialog.h"

#include "core/settings.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using workspace::DuelSpeedDialog;

namespace {

class DuelSpeedDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedIni = core::iniPath();
        core::setIniPath(dir.filePath("Q_T.ini"));
    }
    void TearDown() override { core::setIniPath(savedIni); }
    QByteArray iniText() const
    {
        QFile f(core::iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString speed() const { return core::readINI("Option", "VS_Speed"); }

    QTemporaryDir dir;
    QString savedIni;
};

TEST_F(DuelSpeedDialogTest, OpensWithTheStoredTextOrEmpty)
{
    {
        DuelSpeedDialog dlg;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("배속 설정"));
        EXPECT_EQ(dlg.findChild<QLabel *>("Label1")->text(), QStringLiteral("배속"));
        auto *ok = dlg.findChild<QPushButton *>("Command1");
        EXPECT_EQ(ok->text(), QStringLiteral("확인"));
        EXPECT_TRUE(ok->isDefault());
        EXPECT_TRUE(dlg.delayBox()->text().isEmpty());
        ok->click();
        EXPECT_EQ(speed(), QStringLiteral("1.0"));
    }
    core::writeINI("Option", "VS_Speed", "0.75");
    DuelSpeedDialog dlg;
    EXPECT_EQ(dlg.delayBox()->text(), QStringLiteral("0.75"));
}

TEST_F(DuelSpeedDialogTest, OkWritesTheTextAsTypedOrOneWhenItIsNoPositiveNumber)
{
    struct Case { const char *typed, *written; } cases[] = {
        {"", "1.0"}, {".", "1.0"}, {"0.0", "1.0"}, {"0", "1.0"}, {"..5", "1.0"},
        {"2", "2"},  {"0.50", "0.50"}, {"1.2.3", "1.2.3"}, {"007", "007"}, {".5", ".5"}, {"1.0", "1.0"},
    };
    for (const auto &c : cases) {
        DuelSpeedDialog dlg;
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        dlg.delayBox()->setFocus();
        dlg.delayBox()->clear();
        QTest::keyClicks(dlg.delayBox(), c.typed);
        ASSERT_EQ(dlg.delayBox()->text(), QString::fromLatin1(c.typed));
        QTest::keyClick(dlg.delayBox(), Qt::Key_Return);
        EXPECT_EQ(dlg.result(), QDialog::Accepted) << c.typed;
        EXPECT_FALSE(dlg.isVisible()) << c.typed;
        EXPECT_EQ(speed(), QString::fromLatin1(c.written)) << c.typed;
        EXPECT_EQ(dlg.delayBox()->text(), QString::fromLatin1(c.written)) << c.typed;
    }
}

TEST_F(DuelSpeedDialogTest, OnlyDigitsAndPointsGetIntoTheBoxTypedOrPasted)
{
    DuelSpeedDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QLineEdit *box = dlg.delayBox();
    box->setFocus();
    QTest::keyClicks(box, "1a-, .5x");
    EXPECT_EQ(box->text(), QStringLiteral("1.5"));

    for (const char *bad : {"2,5", "-1", " 2", "abc", "1e3"}) {
        QApplication::clipboard()->setText(QString::fromLatin1(bad));
        box->paste();
        EXPECT_EQ(box->text(), QStringLiteral("1.5")) << bad;
    }
    QApplication::clipboard()->setText("25");
    box->paste();
    EXPECT_EQ(box->text(), QStringLiteral("1.525"));
}

TEST_F(DuelSpeedDialogTest, TheCloseBoxWritesNothing)
{
    core::writeINI("Option", "VS_Speed", "1.5");
    const QByteArray before = iniText();
    DuelSpeedDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.delayBox()->setText("3");
    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(iniText(), before);
}

} // namespace
