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
void registerUnitPolicyDialog(workspace::DialogRegistry &registry);
void registerUnitConditionDialog(workspace::DialogRegistry &registry);
void registerSpecialModelDialog(workspace::DialogRegistry &registry);
void registerInformationTextDialogs(workspace::DialogRegistry &registry);

} // namespace commands
