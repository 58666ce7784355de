#include "commands/units/units_dialogs.h"

namespace commands {

void registerUnitDialogs(workspace::DialogRegistry &registry)
{
    registerFrmAbilityDialogs(registry);
    registerFrmBattleTests(registry);
    registerFrmBattleUnitDialogs(registry);
    registerFrmCharLvAdd39(registry);
    registerFrmEquipmentDialogs(registry);
    registerFrmJoinDialogs(registry);
    registerFrmResourceDialogs(registry);
    registerFrmStoryUnitDialogs(registry);
}

} // namespace commands
