#pragma once
// Registers the dialogs and tools of the text and dialogue commands and their previews. Start-up calls
// registerTextDialogs once (through commands::registerAllDialogs); each
// file of the folder registers its own through the function named after it.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerTextDialogs(workspace::DialogRegistry &registry);

void registerFrmCase13(workspace::DialogRegistry &registry);
void registerFrmDieSaid1b(workspace::DialogRegistry &registry);
void registerFrmString(workspace::DialogRegistry &registry);
void registerFrmMapWordShow2c(workspace::DialogRegistry &registry);
void registerFrmSelect12(workspace::DialogRegistry &registry);
void registerFrmTalk15(workspace::DialogRegistry &registry);
void registerFrmExplanation(workspace::DialogRegistry &registry);
void registerFrmSelectView(workspace::DialogRegistry &registry);
void registerFrmTalkView(workspace::DialogRegistry &registry);

} // namespace commands
