#include "commands/flow/flow_dialogs.h"

namespace commands {

void registerFlowDialogs(workspace::DialogRegistry &registry)
{
    registerSimpleFlowDialogs(registry);
    registerAbilityCopyDialogs(registry);
    registerPersonValueDialogs(registry);
    registerVariableOperandDialogs(registry);
    flow::registerSortieDialog(registry);
    flow::registerVariableTestDialog(registry);
    flow::registerVariableSetDialog(registry);
    flow::registerVariableListDialog(registry);
}

} // namespace commands
