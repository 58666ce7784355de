#pragma once
// Registers the dialogs and tools of the presentation commands (map view, faces, media, backgrounds). Start-up calls
// registerPresentationDialogs once (through commands::registerAllDialogs); each
// file of the folder registers its own through the function named after it.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerPresentationDialogs(workspace::DialogRegistry &registry);

void registerMapCellDialogs(workspace::DialogRegistry &registry);
void registerMapFaceDialogs(workspace::DialogRegistry &registry);
void registerMapTriggerDialogs(workspace::DialogRegistry &registry);
void registerMediaDialogs(workspace::DialogRegistry &registry);
void registerBackgroundDialog(workspace::DialogRegistry &registry);
void registerFaceChangeDialog(workspace::DialogRegistry &registry);
void registerFreeActionDialog(workspace::DialogRegistry &registry);

} // namespace commands
