// The duel preview's speed setting is a real dialog from the start; the
// preview itself is registered by the duel commands.
#include "commands/duel/duel_dialogs.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_context.h"
#include "workspace/frm_duel_speed.h"

namespace commands {

void registerDuelSpeedTool(workspace::DialogRegistry &registry)
{
    registry.registerTool(workspace::kDuelPreviewSpeedTool, [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
        return std::make_unique<workspace::FrmVSDelay>(ctx.parent);
    });
}

} // namespace commands
