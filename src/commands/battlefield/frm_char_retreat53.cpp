// Command 0x53 "전장퇴각": units leave the battlefield, by retreat or death.
// The units are one person or every unit of a side inside a zone.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    checkField(81, "ckDeath", u"사망"),
};

const DialogDescription kFrmCharRetreat53{
    .code = 0x53,
    .formName = "FrmCharRetreat53",
    .title = u"수정 - 53 : 전장퇴각",
    .target = {.form = TargetForm::PersonZone, .frameCaption = u"범위", .personLabel = "Label2", .sideLabel = "Label1"},
    .fields = kFields,
    .picker = {.focusSelectsMode = true},
    .startModeOnlyForPerson = true,
    .numbers = NumberSave::WholeNumberOnly,
    .checks = CheckPlace::FieldColumn,
};

} // namespace

void registerFrmCharRetreat53(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmCharRetreat53);
}

} // namespace commands
