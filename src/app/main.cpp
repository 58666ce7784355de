// Start-up only: everything else lives in the libraries.
#include "workspace/frm_storyloom.h"
#include "workspace/startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    workspace::StartupConfig config;
    config.programPath = QCoreApplication::applicationFilePath();
    config.arguments = QCoreApplication::arguments().mid(1);

    workspace::StartupHooks hooks;
    // The game-folder check and the documents plug in here as they arrive.
    hooks.folderCheck = [](workspace::FrmStoryloom &) {};

    workspace::Startup startup(config, hooks);
    if (!startup.prepare())
        return 0; // the files went to the running copy
    startup.showWindow()->setQuitOnClose(true);
    return app.exec();
}
