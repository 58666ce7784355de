// A cancelled question for the game folder starts on the invented game for
// this run only: the settings keep no folder, so the next start asks again,
// and the status line's help text says the names, faces and maps are made
// up and where the real game is set. Nothing of the run stores the invented
// folder: neither "폴더 설정 (F)" cancelled nor the settings dialog saved.
#include "core/game/demo_game_folder.h"
#include "core/game/game_files.h"
#include "core/settings.h"
#include "platform/prompts.h"
#include "workspace/main_window.h"
#include "workspace/menus.h"
#include "workspace/settings_dialog.h"
#include "workspace/startup.h"
#include "menu_item.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>

#include <memory>

namespace {

class FirstStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousIni = core::iniPath();
        config = {.programPath = dir.filePath("storyloom"),
                  .iniPath = dir.filePath("Q_T.ini"),
                  .registerAssociation = false,
                  .demoGameFolder = dir.filePath("demo-game")};
        ASSERT_TRUE(core::game::writeDemoGameFolder(realGame()));
    }
    void TearDown() override
    {
        startup.reset();
        core::setIniPath(previousIni);
    }

    // A game folder the user can choose (its content is invented too).
    QString realGame() const { return dir.filePath("game"); }

    workspace::MainWindow &start()
    {
        startup.reset();
        config.instanceName = "storyloom-test-" + QUuid::createUuid().toString(QUuid::Id128).left(12);
        startup = std::make_unique<workspace::Startup>(config, workspace::programStartupHooks());
        EXPECT_TRUE(startup->prepare());
        workspace::MainWindow *w = startup->showWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->firstActivationDone(); }, 2000));
        return *w;
    }
    // What the settings file itself holds, without this run's stand-ins.
    QString storedFolder() const { return core::readINI("Folder", "Path", config.iniPath); }
    QByteArray iniBytes() const
    {
        QFile f(config.iniPath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void expectDemoRun(workspace::MainWindow &w)
    {
        EXPECT_TRUE(w.demoGameInUse());
        EXPECT_EQ(w.gameData().folder, config.demoGameFolder);
        EXPECT_EQ(w.gameData().names.charNames.value(0), core::game::demoPersonName(0));
        // Every reader of the folder setting finds the invented game.
        EXPECT_EQ(core::game::folderLoad(), config.demoGameFolder);
        EXPECT_EQ(core::readINI("Folder", "Path"), config.demoGameFolder);
        EXPECT_TRUE(storedFolder().isEmpty());
        EXPECT_FALSE(iniBytes().contains(QFile::encodeName(config.demoGameFolder)));
        const QString help = w.statusText();
        EXPECT_TRUE(help.contains("지어낸")) << help.toStdString();
        // The menu's words as the menu shows them, without the key marker.
        EXPECT_TRUE(help.contains("파일 메뉴의 \"폴더 설정 (F)\"")) << help.toStdString();
        EXPECT_FALSE(help.contains("(&")) << help.toStdString();
        EXPECT_TRUE(help.endsWith(workspace::defaultStatusText()));
        // Said first, where a narrow bar still shows it.
        EXPECT_TRUE(help.startsWith("예시 게임")) << help.toStdString();
    }
    void expectRealRun(workspace::MainWindow &w)
    {
        EXPECT_FALSE(w.demoGameInUse());
        EXPECT_EQ(w.gameData().folder, realGame());
        EXPECT_EQ(storedFolder(), realGame());
        EXPECT_EQ(core::game::folderLoad(), realGame());
        EXPECT_EQ(w.statusText(), workspace::defaultStatusText());
    }

    QTemporaryDir dir;
    QString previousIni;
    workspace::StartupConfig config;
    platform::ScriptedPrompts prompts;
    std::unique_ptr<workspace::Startup> startup;
};

TEST_F(FirstStart, ACancelledQuestionUsesTheDemoGameForThisRunOnlyAndTheNextStartAsksAgain)
{
    {
        SCOPED_TRACE("first start, cancelled");
        workspace::MainWindow &w = start();
        EXPECT_EQ(prompts.folderTitles.size(), 1);
        expectDemoRun(w);
        EXPECT_EQ(core::readINI("FIleName", "EXE"), "Ekd5.exe"); // the defaults are there
    }
    {
        SCOPED_TRACE("second start, cancelled again");
        workspace::MainWindow &w = start();
        EXPECT_EQ(prompts.folderTitles.size(), 2);
        expectDemoRun(w);
    }
    {
        SCOPED_TRACE("third start, the real game chosen");
        prompts.folderAnswers = {realGame()};
        workspace::MainWindow &w = start();
        EXPECT_EQ(prompts.folderTitles.size(), 3);
        expectRealRun(w);
    }
    {
        SCOPED_TRACE("fourth start: nothing asked");
        workspace::MainWindow &w = start();
        EXPECT_EQ(prompts.folderTitles.size(), 3);
        expectRealRun(w);
    }
}

TEST_F(FirstStart, NothingInADemoRunStoresTheDemoFolderAndChoosingTheRealOneEndsIt)
{
    workspace::MainWindow &w = start();
    ASSERT_TRUE(w.demoGameInUse());

    // "폴더 설정 (F)" cancelled: still the invented game, still unstored.
    menutest::menuItem(w, "mnuFolder")->trigger();
    EXPECT_EQ(prompts.folderTitles.size(), 2);
    expectDemoRun(w);

    // The settings dialog shows what is stored, so its save stores no folder;
    // its folder button cancelled stores none either.
    {
        workspace::SettingsDialog dialog(&w, &w.gameData());
        EXPECT_TRUE(dialog.findChild<QLineEdit *>("tFolder")->text().isEmpty());
        dialog.findChild<QPushButton *>("cFolder")->click();
        EXPECT_EQ(prompts.folderTitles.size(), 3);
        EXPECT_TRUE(dialog.findChild<QLineEdit *>("tFolder")->text().isEmpty());
        dialog.findChild<QPushButton *>("cSave")->click();
    }
    expectDemoRun(w);

    // The real game chosen: stored, and the help text is the plain one again.
    prompts.folderAnswers = {realGame()};
    menutest::menuItem(w, "mnuFolder")->trigger();
    expectRealRun(w);
}

} // namespace
