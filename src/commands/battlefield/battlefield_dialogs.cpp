#include "commands/battlefield/battlefield_dialogs.h"

namespace commands {

void registerBattlefieldDialogs(workspace::DialogRegistry &registry)
{
    registerFrmAdventCharHide4c(registry);
    registerFrmChangeCharPolicy4e(registry);
    registerFrmChangeCondition4d(registry);
    registerFrmChangeTroop52(registry);
    registerFrmCharRetreat53(registry);
    registerFrmImportanceChar5c(registry);
    registerFrmImportanceZone5b(registry);
    registerFrmMagic6b(registry);
    registerFrmRelativeMove6d(registry);
    registerFrmRevival55(registry);
    registerFrmSetActive50(registry);
    registerFrmSetDirection4f(registry);
    registerFrmSetSave74(registry);
    registerFrmSetSmodel75(registry);
    registerFrmSetTurn5d(registry);
    registerFrmSpecial71(registry);
    registerInformationTextDialogs(registry);
}

} // namespace commands
