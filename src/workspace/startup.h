#pragma once
// The program's start: file association, the hand-over to a running copy,
// the settings file with its defaults, the game-folder check, the recent
// files and option marks, and finally the shown main window.
#include "core/captions.h"
#include "core/game/game_folder.h"
#include "workspace/prompts_folder_prompt.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace platform {
class SingleInstance;
}

class QWidget;

namespace workspace {

class MainWindow;

struct StartupConfig
{
    QString programPath;       // the running program; names the association and the channel
    QStringList arguments;     // command-line arguments after the program name: files
    QString iniPath;           // empty: "Q_T.ini" beside the program
    QString instanceName;      // empty: the channel of this user and program
    bool registerAssociation = true;
    // When set: should the user cancel the question for the game folder, an
    // invented game folder is written here and used for this run only (the
    // settings keep no folder, so the next start asks again); names and
    // previews still work without the game.
    QString demoGameFolder;
};

struct StartupHooks
{
    // Right after the window exists, before anything is shown: the documents
    // code fills the window's hooks here.
    std::function<void(MainWindow &)> windowCreated;
    // The number of troop types the name tables are to be sized for.
    std::function<void(int troopCount)> troopCount;
    // The game-folder check: asks for the folder when none is stored,
    // reports a vanished one and loads the name tables; with no folder
    // chosen, falls back for this run to the given folder unless it is empty.
    std::function<void(MainWindow &, const QString &fallbackFolder)> folderCheck;
};

// The counts captions need, from the settings file.
core::CaptionSettings loadCaptionSettings();
// The start-up folder check into the window's game data, its problems shown
// once; also fills the window's caption settings. With no folder chosen
// and a fallback given, the demo game is written there and used for this
// run, without storing it.
void runFolderCheck(MainWindow &window, const QString &fallbackFolder = {});
// "폴더 설정 (&F)": choose the folder again and reload the names.
void runFolderChoice(MainWindow &window);
// What the program plugs in: the documents controller, the folder item and
// the real folder check.
StartupHooks programStartupHooks();

// Arguments made absolute against base, empty ones dropped.
QStringList absoluteFilePaths(const QStringList &arguments, const QString &base);

class Startup
{
public:
    Startup(StartupConfig config, StartupHooks hooks);
    ~Startup();

    // The steps before any window: association, then the hand-over. False
    // when the files went to a running copy; this copy then ends with 0
    // without touching settings or game files.
    bool prepare();

    // The remaining steps, the window shown at the end. The window is owned
    // by this object.
    MainWindow *showWindow();

    MainWindow *window() const { return m_window.get(); }
    platform::SingleInstance *instance() const { return m_instance.get(); }
    const QStringList &files() const { return m_files; }

private:
    StartupConfig m_config;
    StartupHooks m_hooks;
    QStringList m_files;
    std::unique_ptr<platform::SingleInstance> m_instance;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace workspace
