// Test entry point shared by every test program: a QApplication exists for
// the GUI tests (offscreen), and core tests simply ignore it.
//
// No test may reach a real message box or file dialog: offscreen, nobody can
// answer it and the test would wait for ever. Tests script their answers
// (platform::ScriptedPrompts); a question nobody scripted fails the test and
// gets the "closed without choosing" answer.
#include "platform/prompts.h"
#include "support/test_init.h"
#include "platform/window_helpers.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

class UnscriptedPrompts final : public platform::Prompts
{
public:
    platform::MsgResult message(QWidget *, const QString &text, const QString &title, platform::MsgButtons buttons,
                                platform::MsgIcon) override
    {
        ADD_FAILURE() << "unscripted message: " << title.toStdString() << ": " << text.toStdString();
        switch (buttons) {
        case platform::MsgButtons::Ok:
            return platform::MsgResult::Ok;
        case platform::MsgButtons::YesNo:
            return platform::MsgResult::No;
        default:
            return platform::MsgResult::Cancel;
        }
    }
    QStringList openFiles(QWidget *, const platform::FileDialogRequest &request) override
    {
        ADD_FAILURE() << "unscripted open dialog: " << request.title.toStdString();
        return {};
    }
    QString saveFile(QWidget *, const platform::FileDialogRequest &request) override
    {
        ADD_FAILURE() << "unscripted save dialog: " << request.title.toStdString();
        return {};
    }
    QString folder(QWidget *, const QString &title, const QString &) override
    {
        ADD_FAILURE() << "unscripted folder dialog: " << title.toStdString();
        return {};
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::installDropDownHeightLimit(app);
    // Before the test list is built: parameterised tests may list what
    // start-up registered.
    initTestProgram();
    ::testing::InitGoogleTest(&argc, argv);
    UnscriptedPrompts unscripted;
    platform::Prompts::setInstance(&unscripted);
    const int result = RUN_ALL_TESTS();
    platform::Prompts::setInstance(nullptr);
    return result;
}
