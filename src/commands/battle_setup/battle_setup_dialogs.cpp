#include "commands/battle_setup/battle_setup_dialogs.h"

namespace commands {

void registerBattleSetupDialogs(workspace::DialogRegistry &registry)
{
    registerArmyTableDialogs(registry);
    registerEnemyEquipmentDialog(registry);
    registerForcedSortieDialog(registry);
    registerAllyAppearanceDialog(registry);
    registerObstacleDialog(registry);
    registerBattleValuesDialog(registry);
    registerWeatherChangeDialog(registry);
    registerWeatherKindDialog(registry);
    registerSpoilsDialog(registry);
}

} // namespace commands
