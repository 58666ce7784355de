#pragma once
// Registers the dialogs and tools of the battlefield commands. Start-up calls
// registerBattlefieldDialogs once (through commands::registerAllDialogs); each
// file of the folder registers its own through the function named after it.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerBattlefieldDialogs(workspace::DialogRegistry &registry);

void registerFrmAdventCharHide4c(workspace::DialogRegistry &registry);
void registerFrmChangeCharPolicy4e(workspace::DialogRegistry &registry);
void registerFrmChangeCondition4d(workspace::DialogRegistry &registry);
void registerFrmChangeTroop52(workspace::DialogRegistry &registry);
void registerFrmCharRetreat53(workspace::DialogRegistry &registry);
void registerFrmImportanceChar5c(workspace::DialogRegistry &registry);
void registerFrmImportanceZone5b(workspace::DialogRegistry &registry);
void registerFrmMagic6b(workspace::DialogRegistry &registry);
void registerFrmRelativeMove6d(workspace::DialogRegistry &registry);
void registerFrmRevival55(workspace::DialogRegistry &registry);
void registerFrmSetActive50(workspace::DialogRegistry &registry);
void registerFrmSetDirection4f(workspace::DialogRegistry &registry);
void registerFrmSetSave74(workspace::DialogRegistry &registry);
void registerFrmSetSmodel75(workspace::DialogRegistry &registry);
void registerFrmSetTurn5d(workspace::DialogRegistry &registry);
void registerFrmSpecial71(workspace::DialogRegistry &registry);
void registerInformationTextDialogs(workspace::DialogRegistry &registry);

} // namespace commands
