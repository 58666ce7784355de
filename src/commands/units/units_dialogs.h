#pragma once
// Registers the dialogs and tools of the unit commands. Start-up calls
// registerUnitDialogs once (through commands::registerAllDialogs); each
// file of the folder registers its own through the function named after it.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerUnitDialogs(workspace::DialogRegistry &registry);

void registerFrmAbilityDialogs(workspace::DialogRegistry &registry);
void registerFrmBattleTests(workspace::DialogRegistry &registry);
void registerFrmBattleUnitDialogs(workspace::DialogRegistry &registry);
void registerFrmCharLvAdd39(workspace::DialogRegistry &registry);
void registerFrmEquipmentDialogs(workspace::DialogRegistry &registry);
void registerFrmJoinDialogs(workspace::DialogRegistry &registry);
void registerFrmResourceDialogs(workspace::DialogRegistry &registry);
void registerFrmStoryUnitDialogs(workspace::DialogRegistry &registry);

} // namespace commands
