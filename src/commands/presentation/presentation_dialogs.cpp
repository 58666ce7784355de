#include "commands/presentation/presentation_dialogs.h"

namespace commands {

void registerPresentationDialogs(workspace::DialogRegistry &registry)
{
    registerMapCellDialogs(registry);
    registerMapFaceDialogs(registry);
    registerMapTriggerDialogs(registry);
    registerMediaDialogs(registry);
    registerFrmBackGround27(registry);
    registerFrmFaceChange20(registry);
    registerFrmFreeAction28(registry);
}

} // namespace commands
