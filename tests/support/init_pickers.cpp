#include "pickers/picker_tools.h"
#include "support/test_init.h"
#include "workspace/dialog_registry.h"

void initTestProgram()
{
    pickers::registerPickerTools(workspace::DialogRegistry::instance());
}
