#pragma once
// Registers the dialogs and tools of the flow and variable commands and the variable list. Start-up calls
// registerFlowDialogs once (through commands::registerAllDialogs); each
// file of the folder registers its own through the function named after it.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerFlowDialogs(workspace::DialogRegistry &registry);

void registerSimpleFlowDialogs(workspace::DialogRegistry &registry);
void registerAbilityCopyDialogs(workspace::DialogRegistry &registry);
void registerPersonValueDialogs(workspace::DialogRegistry &registry);
void registerVariableOperandDialogs(workspace::DialogRegistry &registry);

namespace flow {
void registerSortieDialog(workspace::DialogRegistry &registry);
void registerVariableTestDialog(workspace::DialogRegistry &registry);
void registerVariableSetDialog(workspace::DialogRegistry &registry);
void registerVariableListDialog(workspace::DialogRegistry &registry);
} // namespace flow

} // namespace commands
