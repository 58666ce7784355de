#include "workspace/frm_information.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using workspace::FrmInformation;

namespace {

class FrmInformationTest : public ::testing::Test
{
protected:
    FrmInformation::UrlOpener recorder()
    {
        return [this](const QUrl &url) {
            opened << url;
            return true;
        };
    }
    QList<QUrl> opened;
};

TEST_F(FrmInformationTest, ShowsTheTitleTheSecondLineAndTheLinkInBlue)
{
    FrmInformation dlg(nullptr, recorder());
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("프로그램 정보"));
    ASSERT_NE(dlg.findChild<QLabel *>("Image1"), nullptr);
    EXPECT_FALSE(dlg.findChild<QLabel *>("Image1")->pixmap().isNull());
    EXPECT_EQ(dlg.findChild<QLabel *>("Label1")->text(), QStringLiteral("시나리오 에디터 (Storyloom)"));
    EXPECT_FALSE(dlg.findChild<QLabel *>("Label3")->text().isEmpty());
    QLabel *link = dlg.findChild<QLabel *>("Label2");
    ASSERT_EQ(link, dlg.link());
    EXPECT_EQ(link->text(), QStringLiteral("https://storyloom.invalid/community"));
    EXPECT_EQ(dlg.linkColor(), QColor(0, 0, 255));
}

TEST_F(FrmInformationTest, LinkTurnsRedUnderTheMouseAndBlueOffIt)
{
    FrmInformation dlg(nullptr, recorder());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QLabel *link = dlg.link();

    QTest::mouseMove(link, link->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.linkColor() == QColor(255, 0, 0); }, 1000));
    // Moving over another part of the box turns it blue again.
    QLabel *title = dlg.findChild<QLabel *>("Label1");
    QTest::mouseMove(title, title->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.linkColor() == QColor(0, 0, 255); }, 1000));

    // Enter and leave events alone do the same.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(link, &enter);
    EXPECT_EQ(dlg.linkColor(), QColor(255, 0, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_EQ(dlg.linkColor(), QColor(0, 0, 255));

    // A move on the dialog itself (outside any label).
    QApplication::sendEvent(link, &enter);
    QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), QPointF(0, 0), QPointF(0, 0), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&dlg, &move);
    EXPECT_EQ(dlg.linkColor(), QColor(0, 0, 255));
}

TEST_F(FrmInformationTest, ClickOnTheLinkOpensThePlaceholderPageAndKeepsTheBoxOpen)
{
    FrmInformation dlg(nullptr, recorder());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.link(), Qt::LeftButton, {}, dlg.link()->rect().center());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl("https://storyloom.invalid/community"));
    EXPECT_TRUE(dlg.isVisible());

    // Other buttons and clicks elsewhere open nothing.
    QTest::mouseClick(dlg.link(), Qt::RightButton, {}, dlg.link()->rect().center());
    QTest::mouseClick(dlg.findChild<QLabel *>("Label1"), Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(FrmInformationTest, EscClosesAndOtherKeysDoNothing)
{
    FrmInformation dlg(nullptr, recorder());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTest::keyClick(&dlg, Qt::Key_Return);
    QTest::keyClick(&dlg, Qt::Key_A);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(opened.isEmpty());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
}

} // namespace
