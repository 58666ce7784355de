#include "commands/duel/duel_dialogs.h"

namespace commands {

void registerDuelDialogs(workspace::DialogRegistry &registry)
{
    registerDuelEngineDialogs(registry);
    registerDuelStartDialog(registry);
    registerDuelTextDialogs(registry);
    duel::registerDuelPreviewWindow(registry);
}

} // namespace commands
