#pragma once
// The main window: menu bar, toolbar, tab strip with its close button, status
// bar, the hand-over timer and the quit questions. Documents plug in through
// WindowHooks and the window's Actions; the window itself handles only
// the option items, the bar toggles and the document/no-document states.
#include "core/captions.h"
#include "core/game/game_data.h"
#include "core/settings_defaults.h"
#include "platform/prompts.h"
#include "workspace/actions.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolBar;

namespace platform {
class SingleInstance;
}

namespace workspace {

class ElidedLabel;

// What the documents code supplies. Tab numbers are positions in the tab
// strip counted from 0. An unset hook does nothing (and a missing saveTab
// counts as a failed save, so nothing is lost unasked).
struct WindowHooks
{
    // Opens files given by full path; a file already open in a tab is only
    // selected. Called at the first activation and for hand-overs.
    std::function<void(const QStringList &paths)> openFiles;
    // A new untitled scenario (first activation without files).
    std::function<void()> newFile;
    // Saves the tab; false when the save failed or was cancelled.
    std::function<bool(int tab)> saveTab;
    // The tab's modified flag is cleared after its quit question.
    std::function<void(int tab)> clearModified;
    // The "X" beside the tab strip: closes the selected tab without asking.
    std::function<void()> closeSelectedTab;
    // A recent-file item 1 to 5 was chosen.
    std::function<void(int entry)> openRecent;
};

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kTimerIntervalMs = 100;

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    WindowHooks &hooks() { return m_hooks; }

    // Every menu item, menu and bar item, one member each.
    const Actions &actions() const { return m_actions; }

    QTabWidget *tabStrip() const { return m_tabs; }
    QPushButton *closeButton() const { return m_closeButton; }
    QToolBar *toolbar() const { return m_toolbar; }
    QTimer *handOverTimer() const { return m_timer; }

    // The whole status text; the bar shows as much of it as fits. The
    // default help text (defaultStatusText) shows as helpText().
    QString statusText() const;
    void setStatusText(const QString &text);
    // The help text, which while the invented game is in use says so.
    QString helpText() const;
    // The invented game's folder, when this run fell back to it (a cancelled
    // folder question). It is in use while the game data come from there.
    void setDemoGameFolder(const QString &folder);
    bool demoGameInUse() const;
    // Shows helpText() anew where the help text shows (the folder changed).
    void refreshHelpText();

    // Check marks from the settings file.
    void loadOptionMarks();
    // The recent-file items from the settings file.
    void loadRecentItems();
    // Whether recent item 1 to 5 holds a path.
    bool recentUsed(int entry) const;

    // The names and records of the game folder, loaded at start-up and by
    // "폴더 설정"; captions of every document read them.
    core::game::GameData &gameData() { return m_gameData; }
    const core::game::GameData &gameData() const { return m_gameData; }
    // The counts from the settings file that captions need.
    core::CaptionSettings &captionSettings() { return m_captionSettings; }
    // What the reader and node creation use to caption nodes.
    core::CaptionContext captionContext() const { return {&m_gameData.names, &m_captionSettings}; }

    // Current option marks, as the menu shows them.
    core::OptionMarks optionMarks() const;

    // Document state: file items enabled, Edit and Search shown, tab strip
    // shown. No-document state: those items disabled, Edit and Search hidden
    // and their actions disabled (a hidden menu's shortcuts would still
    // fire); entering the document state again gives every Edit and Search
    // action back the enabled state it had.
    void setDocumentState(bool hasDocument);
    bool inDocumentState() const { return m_documentState; }

    // Files named on the command line, opened at the first activation.
    void setStartupFiles(const QStringList &paths) { m_startupFiles = paths; }
    // Runs once, at the first showing; later calls do nothing.
    void firstActivation();
    bool firstActivationDone() const { return m_activated; }

    // Hand-overs: queued here (or pulled from source at each tick) and
    // opened by the timer, all of them at the next tick, unless a modal
    // dialog or a pop-up menu is open, in which case they wait.
    void setHandOverSource(platform::SingleInstance *source) { m_source = source; }
    void queueHandOver(const QStringList &paths);
    QStringList pendingHandOvers() const { return m_handOvers; }
    void openHandOvers();

    // The save question for the selected tab (also used by the close
    // commands): its caption without the final "*", then the question.
    platform::MsgResult askSaveQuestion();
    // The quit questions, tab by tab; false keeps the window open.
    bool queryUnload();
    // When set, an accepted close ends the process's event loop (the
    // program's window); tests leave it unset.
    void setQuitOnClose(bool quit) { m_quitOnClose = quit; }

signals:
    void firstActivated();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildCentral();
    void connectOwnActions();
    void writeOption(const char *key, const QString &value);

    WindowHooks m_hooks;
    core::game::GameData m_gameData;
    core::CaptionSettings m_captionSettings;
    Actions m_actions;
    QList<QAction *> m_documentItems;
    QList<QAction *> m_documentMenus;
    QList<QAction *> m_documentMenuActions;
    QHash<QAction *, bool> m_enabledBeforeNoDocument;
    QActionGroup *m_charGroup = nullptr;

    QToolBar *m_toolbar = nullptr;
    QTabWidget *m_tabs = nullptr;
    QPushButton *m_closeButton = nullptr;
    ElidedLabel *m_statusLabel = nullptr;
    QTimer *m_timer = nullptr;

    platform::SingleInstance *m_source = nullptr;
    QStringList m_handOvers;
    QStringList m_startupFiles;
    bool m_documentState = true;
    bool m_activated = false;
    bool m_activationQueued = false;
    bool m_openingHandOver = false;
    bool m_quitOnClose = false;
    QString m_demoGameFolder;
};

// The font of menus, tab captions and trees: it holds every Hangul syllable.
QFont koreanUiFont();

} // namespace workspace
