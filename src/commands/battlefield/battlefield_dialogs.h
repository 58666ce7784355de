#pragma once
// Registers the dialogs and tools of the battlefield commands. Start-up calls
// registerBattlefieldDialogs once (through commands::registerAllDialogs): the
// table of described dialogs, then each dialog with behaviour of its own
// through the function named after its file.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerBattlefieldDialogs(workspace::DialogRegistry &registry);

void registerBattlefieldDescriptions(workspace::DialogRegistry &registry);
void registerFrmChangeCharPolicy4e(workspace::DialogRegistry &registry);
void registerFrmChangeCondition4d(workspace::DialogRegistry &registry);
void registerFrmSetSmodel75(workspace::DialogRegistry &registry);
void registerInformationTextDialogs(workspace::DialogRegistry &registry);

} // namespace commands
