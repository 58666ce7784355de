// Command 0x71 "특수요청": the number of a special request, without a limit
// of its own.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    labelNamed(numberField(9, "tNum", u"값", NumberKind::Unclamped), "Label1"),
};

const DialogDescription kFrmSpecial71{
    .code = 0x71,
    .formName = "FrmSpecial71",
    .title = u"수정 - 71 : 특수요청",
    .fields = kFields,
};

} // namespace

void registerFrmSpecial71(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmSpecial71);
}

} // namespace commands
