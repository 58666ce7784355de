#include "commands/battle_setup/battle_setup_dialogs.h"

namespace commands {

void registerBattleSetupDialogs(workspace::DialogRegistry &registry)
{
    registerArmyTableDialogs(registry);
    registerFrmEnemyEquipment48(registry);
    registerFrmForceGoWar4a(registry);
    registerFrmSetCharWar4b(registry);
    registerFrmSetObstacle58(registry);
    registerFrmSetWar45(registry);
    registerFrmSetWeather57(registry);
    registerFrmSetWeatherKind56(registry);
    registerFrmSpoils59(registry);
}

} // namespace commands
