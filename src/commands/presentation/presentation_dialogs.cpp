#include "commands/presentation/presentation_dialogs.h"

namespace commands {

void registerPresentationDialogs(workspace::DialogRegistry &registry)
{
    registerMapCellDialogs(registry);
    registerMapFaceDialogs(registry);
    registerMapTriggerDialogs(registry);
    registerMediaDialogs(registry);
    registerBackgroundDialog(registry);
    registerFaceChangeDialog(registry);
    registerFreeActionDialog(registry);
}

} // namespace commands
