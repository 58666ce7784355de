#include "commands/text/text_dialogs.h"

namespace commands {

void registerTextDialogs(workspace::DialogRegistry &registry)
{
    registerFrmCase13(registry);
    registerFrmDieSaid1b(registry);
    registerSharedTextDialog(registry);
    registerMapTextDialog(registry);
    registerChoiceDialog(registry);
    registerDialogueDialog(registry);
    registerInformationPreview(registry);
    registerChoicePreview(registry);
    registerDialoguePreview(registry);
}

} // namespace commands
