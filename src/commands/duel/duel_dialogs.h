#pragma once
// Registers the dialogs of the duel commands and the duel preview. Start-up calls
// registerDuelDialogs once (through commands::registerAllDialogs); each
// file of the folder registers its own through the function named after it.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerDuelDialogs(workspace::DialogRegistry &registry);

void registerDuelEngineDialogs(workspace::DialogRegistry &registry);
void registerDuelStartDialog(workspace::DialogRegistry &registry);
void registerDuelTextDialogs(workspace::DialogRegistry &registry);

namespace duel {
void registerDuelPreviewWindow(workspace::DialogRegistry &registry);
} // namespace duel

} // namespace commands
