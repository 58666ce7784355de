#include "commands/duel/duel_dialogs.h"

namespace commands {

void registerDuelDialogs(workspace::DialogRegistry &registry)
{
    registerDuelEngineDialogs(registry);
    registerFrmVsStart68(registry);
    registerFrmVsText(registry);
    duel::registerFrmVsView(registry);
}

} // namespace commands
