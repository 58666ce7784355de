#include "commands/units/units_dialogs.h"

namespace commands {

void registerUnitDialogs(workspace::DialogRegistry &registry)
{
    registerAbilityDialogs(registry);
    registerBattleTestDialogs(registry);
    registerBattleUnitDialogs(registry);
    registerLevelUpDialog(registry);
    registerEquipmentDialogs(registry);
    registerJoinDialogs(registry);
    registerResourceDialogs(registry);
    registerStoryUnitDialogs(registry);
}

} // namespace commands
