#include "commands/flow/flow_dialogs.h"

namespace commands {

void registerFlowDialogs(workspace::DialogRegistry &registry)
{
    registerSimpleFlowDialogs(registry);
    registerAbilityCopyDialogs(registry);
    registerPersonValueDialogs(registry);
    registerVariableOperandDialogs(registry);
    flow::registerFrmCharWar6(registry);
    flow::registerFrmVar5(registry);
    flow::registerFrmVarSetB(registry);
    flow::registerFrmVarList(registry);
}

} // namespace commands
