// Start-up only: everything else lives in the libraries.
#include "commands/all_dialogs.h"
#include "platform/window_helpers.h"
#include "workspace/background_load.h"
#include "workspace/dialog_registry.h"
#include "workspace/main_window.h"
#include "workspace/startup.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    platform::installDropDownHeightLimit(app);
    QCoreApplication::setApplicationName(QStringLiteral("storyloom"));
    // The editor speaks Korean whatever the desktop's language: Qt's own
    // dialogs (file choosers, their buttons) follow when the translation is
    // installed; without it they stay in English.
    QTranslator qtKorean;
    if (qtKorean.load(QStringLiteral("qtbase_ko"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtKorean);

    commands::registerAllDialogs(workspace::DialogRegistry::instance());

    workspace::StartupConfig config;
    config.programPath = QCoreApplication::applicationFilePath();
    config.arguments = QCoreApplication::arguments().mid(1);
    // A first start shows names from an invented game until the real folder is chosen.
    config.demoGameFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("demo-game"));

    workspace::Startup startup(config, workspace::programStartupHooks());
    if (!startup.prepare())
        return 0; // the files went to the running copy
    startup.showWindow()->setQuitOnClose(true);
    const int code = app.exec();
    // An open the user cancelled may still be stopping on its thread.
    workspace::finishCancelledReads();
    return code;
}
