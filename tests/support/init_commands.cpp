#include "commands/all_dialogs.h"
#include "support/test_init.h"
#include "workspace/dialog_registry.h"

void initTestProgram()
{
    commands::registerAllDialogs(workspace::DialogRegistry::instance());
}
