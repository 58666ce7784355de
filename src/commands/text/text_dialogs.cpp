#include "commands/text/text_dialogs.h"

namespace commands {

void registerTextDialogs(workspace::DialogRegistry &registry)
{
    registerFrmCase13(registry);
    registerFrmDieSaid1b(registry);
    registerFrmString(registry);
    registerFrmMapWordShow2c(registry);
    registerFrmSelect12(registry);
    registerFrmTalk15(registry);
    registerFrmExplanation(registry);
    registerFrmSelectView(registry);
    registerFrmTalkView(registry);
}

} // namespace commands
