#include "commands/battlefield/battlefield_dialogs.h"

namespace commands {

void registerBattlefieldDialogs(workspace::DialogRegistry &registry)
{
    registerBattlefieldDescriptions(registry);
    registerFrmChangeCharPolicy4e(registry);
    registerFrmChangeCondition4d(registry);
    registerFrmSetSmodel75(registry);
    registerInformationTextDialogs(registry);
}

} // namespace commands
