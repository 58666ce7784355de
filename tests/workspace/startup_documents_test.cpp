// The program's start-up with the documents and the game folder plugged in.
#include "core/game/demo_game_folder.h"
#include "core/settings.h"
#include "platform/prompts.h"
#include "workspace/document.h"
#include "workspace/documents.h"
#include "workspace/converter_dialog.h"
#include "workspace/main_window.h"
#include "workspace/startup.h"
#include "menu_item.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUuid>
#include <gtest/gtest.h>

#include <functional>

namespace {

class ProgramStartup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousIni = core::iniPath();
        config.programPath = dir.filePath("storyloom");
        config.iniPath = dir.filePath("Q_T.ini");
        config.instanceName = "storyloom-test-" + QUuid::createUuid().toString(QUuid::Id128).left(12);
        config.registerAssociation = false;
        config.demoGameFolder = dir.filePath("demo-game");
    }
    void TearDown() override { core::setIniPath(previousIni); }

    QTemporaryDir dir;
    QString previousIni;
    workspace::StartupConfig config;
    platform::ScriptedPrompts prompts;
};

TEST_F(ProgramStartup, AFirstStartAsksForTheGameFolderAndUsesTheChosenOne)
{
    QDir().mkpath(dir.filePath("game"));
    prompts.folderAnswers = {dir.filePath("game")};
    workspace::Startup startup(config, workspace::programStartupHooks());
    ASSERT_TRUE(startup.prepare());
    workspace::MainWindow *w = startup.showWindow();
    EXPECT_EQ(prompts.folderTitles.size(), 1);
    EXPECT_EQ(core::readINI("Folder", "Path"), dir.filePath("game"));
    EXPECT_EQ(w->gameData().folder, dir.filePath("game"));
    EXPECT_FALSE(QFileInfo::exists(config.demoGameFolder)) << "no demo game written";
}

TEST_F(ProgramStartup, AFirstStartCancelledUsesTheDemoGameAndOpensAnUntitledScenario)
{
    workspace::Startup startup(config, workspace::programStartupHooks());
    ASSERT_TRUE(startup.prepare());
    workspace::MainWindow *w = startup.showWindow();
    EXPECT_EQ(prompts.folderTitles.size(), 1); // asked, and cancelled
    EXPECT_EQ(core::readINI("Folder", "Path"), config.demoGameFolder);
    EXPECT_EQ(core::readINI("FIleName", "EXE"), "Ekd5.exe"); // the defaults are all there
    EXPECT_EQ(w->gameData().folder, config.demoGameFolder);
    EXPECT_FALSE(w->gameData().names.charNames.value(0).isEmpty());
    EXPECT_EQ(w->captionContext().names, &w->gameData().names);
    EXPECT_EQ(w->captionSettings().mmap1Max, 40);

    workspace::Documents *docs = workspace::Documents::of(*w);
    ASSERT_NE(docs, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->firstActivationDone(); }, 2000));
    ASSERT_EQ(docs->tabCount(), 1);
    EXPECT_TRUE(docs->current()->isUntitled());
    EXPECT_TRUE(w->tabStrip()->isVisible());
}

TEST_F(ProgramStartup, AnExistingSettingsFileWithoutFolderAsksForIt)
{
    core::setIniPath(config.iniPath);
    core::settingLoad();
    config.demoGameFolder.clear();
    workspace::Startup startup(config, workspace::programStartupHooks());
    ASSERT_TRUE(startup.prepare());
    workspace::MainWindow *w = startup.showWindow();
    ASSERT_EQ(prompts.folderTitles.size(), 1); // cancelled
    EXPECT_TRUE(core::readINI("Folder", "Path").isEmpty());
    EXPECT_TRUE(w->gameData().names.charNames.value(0).isEmpty());

    // "폴더 설정" chooses again and loads the names.
    QDir().mkpath(dir.filePath("game"));
    prompts.folderAnswers = {dir.filePath("game")};
    menutest::menuItem(*w, "mnuFolder")->trigger();
    EXPECT_EQ(prompts.folderTitles.size(), 2);
    EXPECT_EQ(core::readINI("Folder", "Path"), dir.filePath("game"));
}

// A settings file that exists with content but gives nothing to read is
// named once at start-up; start-up then goes on as for a file without
// entries (the folder is asked for). An empty file is a first start's.
TEST_F(ProgramStartup, AnUnreadableSettingsFileIsNamedOnceAndStartUpGoesOn)
{
    const QString ini = config.iniPath;
    const QByteArray text = "[Folder]\r\nPath=C:\\game\r\n";
    QByteArray utf16("\xFF\xFE");
    for (char c : text)
        utf16 += QByteArray(1, c) + QByteArray(1, '\0');
    QByteArray garbage(3000, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) % 251);
    struct Case {
        const char *name;
        std::function<void()> write;
        const char *says; // nullptr: no message
    };
    const auto bytes = [&](const QByteArray &b) {
        return [&ini, b] {
            QFile f(ini);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(b);
        };
    };
    const std::vector<Case> cases = {
        {"garbage", bytes(garbage), "텍스트 파일이 아닙니다"},
        {"utf-16", bytes(utf16), "텍스트 파일이 아닙니다"},
        {"no entry", bytes("some notes\r\nPath = nowhere\r\n[Folder]\r\n"), "항목이 하나도 없습니다"},
        {"folder", [&] { ASSERT_TRUE(QDir().mkpath(ini)); }, "파일이 아니라 폴더"},
        {"empty", bytes(""), nullptr},
        {"blank lines", bytes("\r\n\r\n"), nullptr},
    };
    config.demoGameFolder.clear();
    for (const Case &c : cases) {
        QFile::remove(ini);
        QDir(ini).removeRecursively();
        c.write();
        prompts.messages.clear();
        prompts.folderTitles.clear();
        core::setIniPath(ini);
        workspace::Startup startup(config, workspace::programStartupHooks());
        ASSERT_TRUE(startup.prepare());
        startup.showWindow();
        if (c.says) {
            ASSERT_EQ(prompts.messages.size(), 1) << c.name;
            EXPECT_TRUE(prompts.messages[0].text.startsWith("설정 파일을 읽을 수 없습니다: " + ini)) << c.name;
            EXPECT_TRUE(prompts.messages[0].text.contains(QString::fromUtf8(c.says)))
                << c.name << ": " << prompts.messages[0].text.toStdString();
        } else {
            EXPECT_TRUE(prompts.messages.isEmpty()) << c.name;
        }
        EXPECT_EQ(prompts.folderTitles.size(), 1) << c.name; // asked for, as without entries
    }
}

// A game folder whose files are folders or junk is named at start-up, once.
TEST_F(ProgramStartup, GameFilesThatAreFoldersOrJunkAreNamedAtStartUp)
{
    const QString game = dir.filePath("game");
    ASSERT_TRUE(core::game::writeDemoGameFolder(game));
    QFile::remove(QDir(game).filePath("Data.e5"));
    ASSERT_TRUE(QDir(game).mkdir("Data.e5"));
    {
        QFile exe(QDir(game).filePath("Ekd5.exe"));
        ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
        exe.write(QByteArray(4096, '\x5A'));
    }
    core::setIniPath(config.iniPath);
    core::settingLoad();
    core::writeINI("Folder", "Path", game);
    config.demoGameFolder.clear();
    workspace::Startup startup(config, workspace::programStartupHooks());
    ASSERT_TRUE(startup.prepare());
    startup.showWindow();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.contains("Data.e5이(가) 파일이 아니라 폴더")) << prompts.messages[0].text.toStdString();
    EXPECT_TRUE(prompts.messages[0].text.contains("Ekd5.exe이(가) 게임 실행 파일이 아닙니다"))
        << prompts.messages[0].text.toStdString();
    EXPECT_TRUE(prompts.folderTitles.isEmpty());
}

TEST_F(ProgramStartup, ThePatchItemAndTheConverterItemWork)
{
    workspace::Startup startup(config, workspace::programStartupHooks());
    ASSERT_TRUE(startup.prepare());
    workspace::MainWindow *w = startup.showWindow();
    const QString game = config.demoGameFolder;
    ASSERT_TRUE(QFile::copy(QDir(game).filePath("Ekd5.exe"), QDir(game).filePath("ekd5_2.exe")));
    menutest::menuItem(*w, "mnuA")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "GODD");
    EXPECT_TRUE(QFile::exists(QDir(game).filePath("ekd5_3.exe")));

    EXPECT_TRUE(menutest::menuItem(*w, "mnuConvertExt")->isEnabled());
    QString shown;
    QTimer::singleShot(0, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            shown = modal->metaObject()->className();
            modal->close();
        }
    });
    menutest::menuItem(*w, "mnuConvertExt")->trigger();
    EXPECT_EQ(shown, "workspace::ConverterDialog");
}

TEST_F(ProgramStartup, WithEveryTabClosedTheEditAndSearchKeysDoNothing)
{
    workspace::Startup startup(config, workspace::programStartupHooks());
    ASSERT_TRUE(startup.prepare());
    workspace::MainWindow *w = startup.showWindow();
    workspace::Documents *docs = workspace::Documents::of(*w);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->firstActivationDone(); }, 2000));
    ASSERT_EQ(docs->tabCount(), 1);
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));

    // The edit commands refresh their items when the last tab goes; that
    // must not give the hidden menus' shortcuts back.
    menutest::menuItem(*w, "mnuClose")->trigger();
    ASSERT_EQ(docs->tabCount(), 0);
    EXPECT_FALSE(w->inDocumentState());

    QStringList fired;
    for (QAction *a : w->findChildren<QAction *>())
        QObject::connect(a, &QAction::triggered, [&fired, a] { fired << a->objectName(); });
    const QKeyCombination keys[] = {Qt::CTRL | Qt::Key_E, Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y,
                                    Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_V, Qt::CTRL | Qt::Key_X,
                                    QKeyCombination(Qt::Key_Delete), Qt::CTRL | Qt::Key_F, Qt::CTRL | Qt::Key_R,
                                    Qt::CTRL | Qt::Key_L, QKeyCombination(Qt::Key_Space), Qt::CTRL | Qt::Key_A,
                                    Qt::CTRL | Qt::Key_D, QKeyCombination(Qt::Key_U), Qt::CTRL | Qt::Key_Up};
    for (const QKeyCombination k : keys)
        QTest::keyClick(w, k.key(), k.keyboardModifiers());
    EXPECT_TRUE(fired.isEmpty()) << fired.join(',').toStdString();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // A new scenario brings the document state back with working keys.
    menutest::menuItem(*w, "mnuNewEEX")->trigger();
    ASSERT_EQ(docs->tabCount(), 1);
    EXPECT_TRUE(menutest::menuItem(*w, "mnuedit")->isVisible());
    EXPECT_TRUE(menutest::menuItem(*w, "mnuFind")->isEnabled());
}

// Every item that shows a modal window of its own shows it, owned by the
// main window, from the menu, the F1 key and the toolbar alike.
TEST_F(ProgramStartup, OptionSettingAndInformationItemsShowTheirWindows)
{
    workspace::Startup startup(config, workspace::programStartupHooks());
    ASSERT_TRUE(startup.prepare());
    workspace::MainWindow *w = startup.showWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->firstActivationDone(); }, 2000));
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));

    auto shownBy = [&](const std::function<void()> &open) {
        QString shown;
        QWidget *owner = nullptr;
        QTimer::singleShot(0, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                shown = modal->objectName();
                owner = modal->parentWidget();
                modal->close();
            }
        });
        open();
        EXPECT_EQ(owner, w) << shown.toStdString();
        return shown;
    };
    const struct {
        const char *action;
        const char *window;
    } items[] = {{"mnuFastAdd", "FrmFastAdd"},
                 {"mnuVSDelay", "FrmVSDelay"},
                 {"mnuSetting", "FrmSetting"},
                 {"mnuProgram", "FrmInformation"}};
    for (const auto &item : items)
        EXPECT_EQ(shownBy([&] { menutest::menuItem(*w, item.action)->trigger(); }), item.window) << item.action;

    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    EXPECT_EQ(shownBy([&] { QTest::keyClick(w, Qt::Key_F1); }), "FrmInformation");
    auto *help = w->toolbar()->findChild<QToolButton *>("도움말");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(shownBy([&] { help->click(); }), "FrmInformation");
    // Closing them wrote nothing the settings did not hold before.
    EXPECT_EQ(core::readINI("Option", "VS_Speed"), "1.0");
}

} // namespace
