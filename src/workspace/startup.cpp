#include "workspace/startup.h"

#include "core/settings.h"
#include "core/settings_defaults.h"
#include "platform/file_association.h"
#include "platform/single_instance.h"
#include "core/game/demo_game_folder.h"
#include "platform/prompts.h"
#include "workspace/documents.h"
#include "workspace/main_window.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace workspace {

core::CaptionSettings loadCaptionSettings()
{
    const QString section = QStringLiteral("Setting");
    core::CaptionSettings s;
    s.mmap1Max = core::readIntSetting(section, QStringLiteral("MMap1Max"), 40, 0);
    s.charLvMax = core::readIntSetting(section, QStringLiteral("CharLvMax"), 50, 0);
    s.mEffMax = core::readIntSetting(section, QStringLiteral("MEffMax"), 58, 0);
    s.mCallMax = core::readIntSetting(section, QStringLiteral("MCallMax"), 9, 0);
    return s;
}

namespace {

void showGameLoadReport(MainWindow &window, const core::game::GameLoadReport &report)
{
    if (report.ok())
        return;
    platform::Prompts::instance().message(&window, report.messages.join(QStringLiteral("\r\n")),
                                          QStringLiteral("Error!"), platform::MsgButtons::Ok,
                                          platform::MsgIcon::Critical);
}

} // namespace

void runFolderCheck(MainWindow &window, const QString &fallbackFolder)
{
    window.captionSettings() = loadCaptionSettings();
    PromptsFolderPrompt prompt(&window);
    core::game::GameData &data = window.gameData();
    core::game::GameLoadReport report = core::game::folderCheck(data, prompt);
    if (data.folder.isEmpty() && !fallbackFolder.isEmpty()) {
        // The question was cancelled: the invented game keeps names and
        // previews working for this run. It is not stored, so the next start
        // asks again; every reader of the folder setting sees it meanwhile.
        QString error;
        if (core::game::writeDemoGameFolder(fallbackFolder, &error)) {
            core::setSessionValue(QStringLiteral("Folder"), QStringLiteral("Path"), fallbackFolder);
            report = core::game::gameDataLoad(data, fallbackFolder);
            window.setDemoGameFolder(fallbackFolder);
        } else {
            report.messages << QStringLiteral("예시 게임 폴더를 만들지 못했습니다: %1").arg(error);
        }
    }
    showGameLoadReport(window, report);
}

void runFolderChoice(MainWindow &window)
{
    PromptsFolderPrompt prompt(&window);
    const core::game::GameLoadReport report = core::game::folder(window.gameData(), prompt);
    // A chosen folder is this run's folder also when it could not be stored
    // (the invented game then gives way to it).
    if (prompt.chosen())
        core::setSessionValue(QStringLiteral("Folder"), QStringLiteral("Path"), window.gameData().folder);
    window.refreshHelpText();
    showGameLoadReport(window, report);
}

StartupHooks programStartupHooks()
{
    StartupHooks hooks;
    hooks.windowCreated = [](MainWindow &w) {
        new Documents(w); // a child of the window
        QObject::connect(w.actions().gameFolder, &QAction::triggered, &w,
                         [&w] { runFolderChoice(w); });
    };
    hooks.folderCheck = [](MainWindow &w, const QString &fallbackFolder) { runFolderCheck(w, fallbackFolder); };
    return hooks;
}

QStringList absoluteFilePaths(const QStringList &arguments, const QString &base)
{
    QStringList paths;
    const QDir dir(base);
    for (const QString &arg : arguments) {
        if (!arg.isEmpty())
            paths.append(QDir::cleanPath(dir.absoluteFilePath(arg)));
    }
    return paths;
}

Startup::Startup(StartupConfig config, StartupHooks hooks) : m_config(std::move(config)), m_hooks(std::move(hooks))
{
    m_files = absoluteFilePaths(m_config.arguments, QDir::currentPath());
}

Startup::~Startup() = default;

bool Startup::prepare()
{
    if (m_config.registerAssociation)
        platform::registerFileAssociation(m_config.programPath); // a refusal changes nothing else

    const QString name = m_config.instanceName.isEmpty() ? platform::SingleInstance::defaultName(m_config.programPath)
                                                         : m_config.instanceName;
    // The files wait in the queue until a receiving copy has opened them;
    // this copy never opens them itself while another copy receives.
    QString entry;
    if (!m_files.isEmpty()) {
        entry = platform::SingleInstance::enqueue(name, m_files);
        if (!entry.isEmpty() && platform::SingleInstance::copyRunning(name))
            return false;
    }
    m_instance = std::make_unique<platform::SingleInstance>(name);
    const bool receiving = m_instance->listen();
    // Another copy started at the same moment and receives: it opens them.
    if (!receiving && !entry.isEmpty() && platform::SingleInstance::copyRunning(name))
        return false;
    // This copy opens its own files at its first activation, once.
    platform::SingleInstance::withdraw(name, entry);
    return true;
}

MainWindow *Startup::showWindow()
{
    core::setIniPath(m_config.iniPath.isEmpty()
                         ? QDir(QFileInfo(m_config.programPath).absolutePath()).filePath(QStringLiteral("Q_T.ini"))
                         : m_config.iniPath);

    m_window = std::make_unique<MainWindow>();
    MainWindow &w = *m_window;
    if (m_hooks.windowCreated)
        m_hooks.windowCreated(w);

    // Said once, before anything asks for what the file should have held.
    const QString settingsProblem = core::settingsFileProblem(core::iniPath());
    if (!settingsProblem.isEmpty())
        platform::Prompts::instance().message(&w, settingsProblem, QStringLiteral("Error!"), platform::MsgButtons::Ok,
                                              platform::MsgIcon::Exclamation);
    const int troops = core::settingLoad();
    if (m_hooks.troopCount)
        m_hooks.troopCount(troops);
    if (m_hooks.folderCheck)
        m_hooks.folderCheck(w, m_config.demoGameFolder);
    w.loadRecentItems();
    w.loadOptionMarks();
    w.actions().exePatch->setVisible(true);

    w.setStartupFiles(m_files);
    w.setHandOverSource(m_instance.get());
    w.show();
    return &w;
}

} // namespace workspace
