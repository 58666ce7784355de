#pragma once
// Registers the dialogs and tools of the duel commands, the duel preview and its speed setting. Start-up calls
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
void registerDuelSpeedTool(workspace::DialogRegistry &registry);

namespace duel {
void registerFrmVsView(workspace::DialogRegistry &registry);
} // namespace duel

} // namespace commands
