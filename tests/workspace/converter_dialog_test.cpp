#include "workspace/converter_dialog.h"

#include "core/settings.h"
#include "fixtures/hex_bytes.h"
#include "platform/prompts.h"

#include <QCheckBox>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using workspace::ConverterDialog;
using fixtures::hexBytes;

namespace {

// One Scene, one Section, an empty head list and a body holding a 0x2E whose
// first person is the group selector 1024.
const QByteArray kScenario = hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00"
                                      "14 00 00 00 10 00 2E 00 02 00 00 04 02 00 05 00 26 00 00 00 00 00");

struct Recorded {
    QString title, text;
    bool error = false;
    int count = 0;
};

class ConverterDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedIni = core::iniPath();
        core::setIniPath(dir.filePath("Q_T.ini"));
        core::writeINI("Folder", "Path", dir.path());
        // The question before converting is answered yes.
        prompts.messageAnswers = {platform::MsgResult::Yes};
    }
    void TearDown() override { core::setIniPath(savedIni); }

    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return dir.filePath(name);
    }
    QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A dialog whose file choice answers `answer` and whose messages are recorded.
    ConverterDialog::Hooks hooks(const QStringList &answer, core::EexPathIsOpen isOpen = {})
    {
        ConverterDialog::Hooks h;
        h.isPathOpen = std::move(isOpen);
        h.chooseFiles = [this, answer](QWidget *, const QString &title, const QString &folder, const QString &filter) {
            askedTitle = title;
            askedFolder = folder;
            askedFilter = filter;
            ++asked;
            return answer;
        };
        h.showMessage = [this](QWidget *, const QString &title, const QString &text, bool error) {
            message = {title, text, error, message.count + 1};
        };
        return h;
    }

    QTemporaryDir dir;
    platform::ScriptedPrompts prompts;
    QString savedIni;
    QString askedTitle, askedFolder, askedFilter;
    int asked = 0;
    Recorded message;
};

} // namespace

TEST_F(ConverterDialogTest, ControlsAndCaptions)
{
    ConverterDialog dlg(hooks({}));
    EXPECT_EQ(dlg.windowTitle(), QString("Select"));
    auto *one = dlg.findChild<QCheckBox *>("ckOneMore");
    auto *add = dlg.findChild<QPushButton *>("cAdd");
    ASSERT_TRUE(one && add && dlg.findChild<QProgressBar *>("pbEEX"));
    EXPECT_EQ(one->text(), QStringLiteral("한번이라도 변환한 적이 있음"));
    EXPECT_FALSE(one->isChecked());
    EXPECT_EQ(add->text(), QStringLiteral("EEX 변환"));
    EXPECT_TRUE(add->isDefault());
}

TEST_F(ConverterDialogTest, CancelledChoiceConvertsNothingAndStaysOpen)
{
    const QString file = write("S_01.eex", kScenario);
    ConverterDialog dlg(hooks({}));
    dlg.show();
    dlg.findChild<QPushButton *>("cAdd")->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(askedTitle, QStringLiteral("EEX 파일을 열어주세요."));
    EXPECT_EQ(askedFilter, QStringLiteral("EEX 파일 (*.eex)"));
    EXPECT_EQ(askedFolder, dir.path());
    EXPECT_EQ(message.count, 0);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(read(file), kScenario);
}

TEST_F(ConverterDialogTest, ConvertsTheChosenFilesAndReportsCompletion)
{
    const QString a = write("S_01.eex", kScenario);
    const QString b = write("R_02.EEX", kScenario);
    const QString other = write("readme.txt", kScenario);
    ConverterDialog dlg(hooks({a, other, b}));
    dlg.show();
    dlg.findChild<QPushButton *>("cAdd")->click();

    EXPECT_EQ(message.count, 1);
    EXPECT_EQ(message.title, QString("Complete!"));
    EXPECT_EQ(message.text, QStringLiteral("적용 완료!"));
    EXPECT_FALSE(message.error);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const QByteArray expected = core::convertEexBytes(kScenario).bytes;
    ASSERT_NE(expected, kScenario);
    EXPECT_EQ(read(a), expected);
    EXPECT_EQ(read(b), expected);
    EXPECT_EQ(read(other), kScenario);
    // The group person 1024 became 3071.
    EXPECT_TRUE(fixtures::toHex(read(a)).contains("2E000200FF0B"));
    auto *bar = dlg.findChild<QProgressBar *>("pbEEX");
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(ConverterDialogTest, ConvertedBeforeKeepsTheGroupPersons)
{
    const QString a = write("S_01.eex", kScenario);
    ConverterDialog dlg(hooks({a}));
    dlg.findChild<QCheckBox *>("ckOneMore")->setChecked(true);
    dlg.findChild<QPushButton *>("cAdd")->click();
    EXPECT_TRUE(fixtures::toHex(read(a)).contains("2E0002000004"));
    EXPECT_NE(read(a), kScenario);  // the lengths were still widened
}

TEST_F(ConverterDialogTest, ErrorsAreShownAndLeaveTheFile)
{
    const QString broken = write("S_01.eex", kScenario.left(kScenario.size() - 4));
    ConverterDialog dlg(hooks({broken}));
    dlg.show();
    dlg.findChild<QPushButton *>("cAdd")->click();
    EXPECT_EQ(message.title, QString("Error!"));
    EXPECT_TRUE(message.error);
    EXPECT_TRUE(message.text.startsWith(QStringLiteral("EEX 파일 오류！ SeekAdr : "))) << message.text.toStdString();
    EXPECT_EQ(read(broken), kScenario.left(kScenario.size() - 4));
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(ConverterDialogTest, FileOpenInATabIsRefused)
{
    const QString a = write("S_01.eex", kScenario);
    ConverterDialog dlg(hooks({a}, [&](const QString &p) { return p == a; }));
    dlg.findChild<QPushButton *>("cAdd")->click();
    EXPECT_TRUE(message.error);
    EXPECT_TRUE(message.text.contains(a));
    EXPECT_EQ(read(a), kScenario);
}

// The refusal comes before the question: the author is not asked to agree
// to a conversion that then converts nothing. The dialog stays for another
// choice.
TEST_F(ConverterDialogTest, AFileOpenInATabIsRefusedBeforeTheQuestion)
{
    const QString a = write("S_01.eex", kScenario);
    const QString open = write("R_02.eex", kScenario);
    ConverterDialog dlg(hooks({a, open}, [&](const QString &p) { return p == open; }));
    dlg.show();
    dlg.findChild<QPushButton *>("cAdd")->click();
    EXPECT_TRUE(prompts.messages.isEmpty());  // no question
    EXPECT_EQ(prompts.messageAnswers.size(), 1u);
    EXPECT_EQ(message.count, 1);
    EXPECT_EQ(message.title, QString("Error!"));
    EXPECT_TRUE(message.error);
    EXPECT_TRUE(message.text.contains(open)) << message.text.toStdString();
    EXPECT_FALSE(message.text.contains(a)) << message.text.toStdString();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(read(a), kScenario);
    EXPECT_EQ(read(open), kScenario);
}

TEST_F(ConverterDialogTest, WithoutHooksTheChoiceAndTheMessageGoThroughThePrompts)
{
    const QString a = write("S_01.eex", kScenario);
    prompts.openAnswers = {{a}};
    ConverterDialog dlg({});
    dlg.findChild<QPushButton *>("cAdd")->click();
    ASSERT_EQ(prompts.fileRequests.size(), 1);
    EXPECT_EQ(prompts.fileRequests[0].title, QStringLiteral("EEX 파일을 열어주세요."));
    EXPECT_EQ(prompts.fileRequests[0].folder, dir.path());
    // The question, then the outcome.
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[0].buttons, platform::MsgButtons::YesNoDefaultNo);
    EXPECT_EQ(prompts.messages[1].text, QStringLiteral("적용 완료!"));
    EXPECT_EQ(prompts.messages[1].title, QStringLiteral("Complete!"));
    EXPECT_EQ(read(a), core::convertEexBytes(kScenario).bytes);
}

TEST_F(ConverterDialogTest, AQuestionNamesTheFilesFirstAndNoConvertsNothing)
{
    const QString a = write("S_01.eex", kScenario);
    const QString b = write("R_02.EEX", kScenario);
    const QString other = write("readme.txt", kScenario);
    for (const platform::MsgResult answer : {platform::MsgResult::No, platform::MsgResult::Yes}) {
        prompts.messages.clear();
        prompts.messageAnswers = {answer};
        message = {};
        ConverterDialog dlg(hooks({a, other, b}));
        dlg.show();
        dlg.findChild<QPushButton *>("cAdd")->click();

        ASSERT_EQ(prompts.messages.size(), 1);
        const platform::ScriptedPrompts::Asked &q = prompts.messages[0];
        EXPECT_EQ(q.buttons, platform::MsgButtons::YesNoDefaultNo);
        EXPECT_EQ(q.title, QStringLiteral("EEX 변환"));
        EXPECT_TRUE(q.text.contains(a) && q.text.contains(b)) << q.text.toStdString();
        EXPECT_FALSE(q.text.contains(other));
        EXPECT_TRUE(q.text.contains(QStringLiteral("그 자리에서 새 형식으로 다시 쓰이며")));
        EXPECT_TRUE(q.text.contains(QStringLiteral("확장 형식")));
        EXPECT_TRUE(q.text.contains(QStringLiteral("이 편집기에서 열 수 없습니다")));
        if (answer == platform::MsgResult::No) {
            EXPECT_EQ(message.count, 0);
            EXPECT_TRUE(dlg.isVisible());
            EXPECT_EQ(read(a), kScenario);
            EXPECT_EQ(read(b), kScenario);
        } else {
            EXPECT_EQ(message.text, QStringLiteral("적용 완료!"));
            EXPECT_EQ(read(a), core::convertEexBytes(kScenario).bytes);
        }
    }
}

TEST_F(ConverterDialogTest, AQuestionClosedWithoutAnAnswerConvertsNothing)
{
    const QString a = write("S_01.eex", kScenario);
    prompts.messageAnswers.clear();  // closed: 아니요
    ConverterDialog dlg(hooks({a}));
    dlg.findChild<QPushButton *>("cAdd")->click();
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(message.count, 0);
    EXPECT_EQ(read(a), kScenario);
}

TEST_F(ConverterDialogTest, NoScenarioChosenAsksNothing)
{
    const QString other = write("readme.txt", kScenario);
    ConverterDialog dlg(hooks({other}));
    dlg.findChild<QPushButton *>("cAdd")->click();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(read(other), kScenario);
}
