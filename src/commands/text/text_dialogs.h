#pragma once
// Registers the dialogs and tools of the text and dialogue commands and their previews. Start-up calls
// registerTextDialogs once (through commands::registerAllDialogs); each
// file of the folder registers its own through the function named after it.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerTextDialogs(workspace::DialogRegistry &registry);

void registerCaseDialog(workspace::DialogRegistry &registry);
void registerRetreatLineDialog(workspace::DialogRegistry &registry);
void registerSharedTextDialog(workspace::DialogRegistry &registry);
void registerMapTextDialog(workspace::DialogRegistry &registry);
void registerChoiceDialog(workspace::DialogRegistry &registry);
void registerDialogueDialog(workspace::DialogRegistry &registry);
void registerInformationPreview(workspace::DialogRegistry &registry);
void registerChoicePreview(workspace::DialogRegistry &registry);
void registerDialoguePreview(workspace::DialogRegistry &registry);

} // namespace commands
