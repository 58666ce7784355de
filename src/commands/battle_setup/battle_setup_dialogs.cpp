#include "commands/battle_setup/battle_setup_dialogs.h"

namespace commands {

void registerBattleSetupDialogs(workspace::DialogRegistry &registry)
{
    registerArmyTableDialogs(registry);
    registerFrmEnemyEquipment48(registry);
    registerForcedSortieDialog(registry);
    registerAllyAppearanceDialog(registry);
    registerObstacleDialog(registry);
    registerFrmSetWar45(registry);
    registerFrmSetWeather57(registry);
    registerFrmSetWeatherKind56(registry);
    registerSpoilsDialog(registry);
}

} // namespace commands
