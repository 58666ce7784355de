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
void registerFrmVsStart68(workspace::DialogRegistry &registry);
void registerFrmVsText(workspace::DialogRegistry &registry);

namespace duel {
void registerFrmVsView(workspace::DialogRegistry &registry);
} // namespace duel

} // namespace commands
