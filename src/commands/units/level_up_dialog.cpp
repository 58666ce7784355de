// Command 0x39 "무장등급상승": one person rises by a number of levels. The
// number has no bound of its own beyond the plain number box's.
#include "commands/units/units_dialogs.h"
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    personField(9),
    numberField(17, "tAddNum", u"등급 상승"),
};

const DialogDescription kUnitLevelUp{
    .code = 0x39,
    .formName = "FrmCharLvAdd39",
    .title = u"수정 - 39 : 무장등급상승",
    .fields = kFields,
};

} // namespace

void registerLevelUpDialog(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kUnitLevelUp);
}

} // namespace commands
