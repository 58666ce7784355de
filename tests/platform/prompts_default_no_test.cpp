// A question whose yes cannot be taken back: 아니요 is the default button,
// so Enter answers no.
#include "platform/prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(DesktopPrompts, YesNoDefaultNoAnswersNoOnEnter)
{
    QString defaultText;
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton *b : box->buttons())
            texts << b->text();
        if (box->defaultButton())
            defaultText = box->defaultButton()->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    platform::DesktopPrompts prompts;
    EXPECT_EQ(prompts.message(nullptr, "본문", "제목", platform::MsgButtons::YesNoDefaultNo, platform::MsgIcon::Exclamation),
              platform::MsgResult::No);
    texts.sort();
    EXPECT_EQ(texts, QStringList({"아니요", "예"}));
    EXPECT_EQ(defaultText, QStringLiteral("아니요"));
}

TEST(ScriptedPrompts, YesNoDefaultNoClosedAnswersNo)
{
    platform::ScriptedPrompts prompts;
    EXPECT_EQ(prompts.message(nullptr, "t", "x", platform::MsgButtons::YesNoDefaultNo, platform::MsgIcon::None),
              platform::MsgResult::No);
}
