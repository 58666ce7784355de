#include "commands/battlefield/battlefield_dialogs.h"

namespace commands {

void registerBattlefieldDialogs(workspace::DialogRegistry &registry)
{
    registerBattlefieldDescriptions(registry);
    registerUnitPolicyDialog(registry);
    registerUnitConditionDialog(registry);
    registerSpecialModelDialog(registry);
    registerInformationTextDialogs(registry);
}

} // namespace commands
