#include "platform/prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Shows a real message box, notes its button texts and presses one of them
// (or Esc when press is empty).
platform::MsgResult answerDesktopBox(platform::MsgButtons buttons, const QString &press, QStringList *texts)
{
    QTimer::singleShot(0, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton *b : box->buttons())
            texts->append(b->text());
        if (press.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == press)
                b->click();
        }
    });
    platform::DesktopPrompts prompts;
    return prompts.message(nullptr, "본문", "제목", buttons, platform::MsgIcon::Information);
}

TEST(DesktopPrompts, KoreanButtonsAndEscapeAnswers)
{
    using platform::MsgButtons;
    using platform::MsgResult;
    QStringList texts;
    EXPECT_EQ(answerDesktopBox(MsgButtons::YesNoCancel, "아니요", &texts), MsgResult::No);
    texts.sort();
    QStringList expected{"예", "아니요", "취소"};
    expected.sort();
    EXPECT_EQ(texts, expected);

    texts.clear();
    EXPECT_EQ(answerDesktopBox(MsgButtons::YesNoCancel, "", &texts), MsgResult::Cancel);
    texts.clear();
    EXPECT_EQ(answerDesktopBox(MsgButtons::YesNo, "", &texts), MsgResult::No);
    texts.clear();
    EXPECT_EQ(answerDesktopBox(MsgButtons::Ok, "확인", &texts), MsgResult::Ok);
    EXPECT_EQ(texts, QStringList({"확인"}));
}

TEST(ScriptedPrompts, AnswersInOrderThenAsIfClosed)
{
    platform::ScriptedPrompts prompts;
    EXPECT_EQ(&platform::Prompts::instance(), &prompts);
    prompts.messageAnswers = {platform::MsgResult::Yes};
    prompts.openAnswers = {{"/a.eex", "/b.eex"}};
    auto &p = platform::Prompts::instance();
    EXPECT_EQ(p.message(nullptr, "t", "x", platform::MsgButtons::YesNoCancel, platform::MsgIcon::None),
              platform::MsgResult::Yes);
    EXPECT_EQ(p.message(nullptr, "t", "x", platform::MsgButtons::YesNoCancel, platform::MsgIcon::None),
              platform::MsgResult::Cancel);
    EXPECT_EQ(p.message(nullptr, "t", "x", platform::MsgButtons::YesNo, platform::MsgIcon::None),
              platform::MsgResult::No);
    EXPECT_EQ(p.openFiles(nullptr, {"열기", "/g", "", "EEX 파일 (*.eex)"}), QStringList({"/a.eex", "/b.eex"}));
    EXPECT_TRUE(p.openFiles(nullptr, {}).isEmpty());
    EXPECT_TRUE(p.folder(nullptr, "폴더", "/").isEmpty());
    EXPECT_EQ(prompts.messages.size(), 3);
    EXPECT_EQ(prompts.fileRequests.size(), 2);
}

} // namespace
