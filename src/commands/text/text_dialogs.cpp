#include "commands/text/text_dialogs.h"

namespace commands {

void registerTextDialogs(workspace::DialogRegistry &registry)
{
    registerCaseDialog(registry);
    registerRetreatLineDialog(registry);
    registerSharedTextDialog(registry);
    registerMapTextDialog(registry);
    registerChoiceDialog(registry);
    registerDialogueDialog(registry);
    registerInformationPreview(registry);
    registerChoicePreview(registry);
    registerDialoguePreview(registry);
}

} // namespace commands
