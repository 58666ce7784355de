#pragma once
// Registers the dialogs and tools of the unit commands. Start-up calls
// registerUnitDialogs once (through commands::registerAllDialogs); each
// file of the folder registers its own through the function named after it.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerUnitDialogs(workspace::DialogRegistry &registry);

void registerAbilityDialogs(workspace::DialogRegistry &registry);
void registerBattleTestDialogs(workspace::DialogRegistry &registry);
void registerBattleUnitDialogs(workspace::DialogRegistry &registry);
void registerLevelUpDialog(workspace::DialogRegistry &registry);
void registerEquipmentDialogs(workspace::DialogRegistry &registry);
void registerJoinDialogs(workspace::DialogRegistry &registry);
void registerResourceDialogs(workspace::DialogRegistry &registry);
void registerStoryUnitDialogs(workspace::DialogRegistry &registry);

} // namespace commands
