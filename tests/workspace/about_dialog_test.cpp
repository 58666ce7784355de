#include "workspace/about_dialog.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using workspace::AboutDialog;

namespace {

TEST(AboutDialog, ShowsTheIconTheTitleAndTwoLines)
{
    AboutDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("프로그램 정보"));
    ASSERT_NE(dlg.findChild<QLabel *>("Image1"), nullptr);
    EXPECT_FALSE(dlg.findChild<QLabel *>("Image1")->pixmap().isNull());
    EXPECT_EQ(dlg.findChild<QLabel *>("Label1")->text(), QStringLiteral("시나리오 에디터 (Storyloom)"));
    EXPECT_FALSE(dlg.findChild<QLabel *>("Label3")->text().isEmpty());
    ASSERT_NE(dlg.findChild<QLabel *>("Label2"), nullptr);
    EXPECT_EQ(dlg.findChild<QLabel *>("Label2")->text(), AboutDialog::builtWithLine());
    EXPECT_TRUE(AboutDialog::builtWithLine().contains(QString::fromLatin1(qVersion())));
}

// The editor has no web page: no line offers an address that leads nowhere.
TEST(AboutDialog, NoLineIsALink)
{
    AboutDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    const QList<QLabel *> labels = dlg.findChildren<QLabel *>();
    ASSERT_EQ(labels.size(), 4);
    for (const QLabel *label : labels) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_FALSE(label->text().contains(QStringLiteral("://")));
        EXPECT_FALSE(label->text().contains(QStringLiteral(".invalid")));
        EXPECT_FALSE(label->font().underline());
        EXPECT_FALSE(label->openExternalLinks());
        EXPECT_NE(label->cursor().shape(), Qt::PointingHandCursor);
    }
}

TEST(AboutDialog, EscClosesAndOtherKeysDoNothing)
{
    AboutDialog dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTest::keyClick(&dlg, Qt::Key_Return);
    QTest::keyClick(&dlg, Qt::Key_A);
    EXPECT_TRUE(dlg.isVisible());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
}

} // namespace
