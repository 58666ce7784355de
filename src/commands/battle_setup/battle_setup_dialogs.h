#pragma once
// Registers the dialogs and tools of the battle set-up commands. Start-up calls
// registerBattleSetupDialogs once (through commands::registerAllDialogs); each
// file of the folder registers its own through the function named after it.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerBattleSetupDialogs(workspace::DialogRegistry &registry);

void registerArmyTableDialogs(workspace::DialogRegistry &registry);
void registerEnemyEquipmentDialog(workspace::DialogRegistry &registry);
void registerForcedSortieDialog(workspace::DialogRegistry &registry);
void registerAllyAppearanceDialog(workspace::DialogRegistry &registry);
void registerObstacleDialog(workspace::DialogRegistry &registry);
void registerBattleValuesDialog(workspace::DialogRegistry &registry);
void registerWeatherChangeDialog(workspace::DialogRegistry &registry);
void registerWeatherKindDialog(workspace::DialogRegistry &registry);
void registerSpoilsDialog(workspace::DialogRegistry &registry);

} // namespace commands
