#include "commands/all_dialogs.h"

#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/duel/duel_dialogs.h"
#include "commands/flow/flow_dialogs.h"
#include "commands/presentation/presentation_dialogs.h"
#include "commands/text/text_dialogs.h"
#include "commands/units/units_dialogs.h"
#include "pickers/picker_tools.h"

namespace commands {

void registerAllDialogs(workspace::DialogRegistry &registry)
{
    pickers::registerPickerTools(registry);
    registerTextDialogs(registry);
    registerFlowDialogs(registry);
    registerPresentationDialogs(registry);
    registerUnitDialogs(registry);
    registerBattleSetupDialogs(registry);
    registerBattlefieldDialogs(registry);
    registerDuelDialogs(registry);
}

} // namespace commands
