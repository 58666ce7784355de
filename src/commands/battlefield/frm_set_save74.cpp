// Command 0x74 "저장개/폐": whether the player may save. Unlike the other
// flags, any nonzero stored value loads as allowed.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    checkField(9, "ckSave", u"저장 가능", FlagLoad::NonzeroIsSet),
};

const DialogDescription kFrmSetSave74{
    .code = 0x74,
    .formName = "FrmSetSave74",
    .title = u"수정 - 74 : 저장개/폐",
    .fields = kFields,
};

} // namespace

void registerFrmSetSave74(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmSetSave74);
}

} // namespace commands
