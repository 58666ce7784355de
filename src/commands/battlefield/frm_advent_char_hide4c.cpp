// Command 0x4C "숨은무장출현": a hidden unit appears, named by a person or
// by its battlefield index.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

const DialogDescription kFrmAdventCharHide4C{
    .code = 0x4C,
    .formName = "FrmAdventCharHide4C",
    .title = u"수정 - 4C : 숨은무장출현",
    .target = {.form = TargetForm::PersonBf, .frameCaption = u"Char Or BF"},
    .picker = {.focusSelectsMode = true},
    .startModeOnlyForPerson = true,
    .numbers = NumberSave::WholeNumberOnly,
    .checks = CheckPlace::FieldColumn,
};

} // namespace

void registerFrmAdventCharHide4c(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmAdventCharHide4C);
}

} // namespace commands
