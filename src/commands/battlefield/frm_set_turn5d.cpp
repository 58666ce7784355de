// Command 0x5D "턴수설정": the battle's turn count is set, raised or lowered
// by a number.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/common_lists.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    labelNamed(listField(9, "cbOperator", u"연산", operationList()), "Label3"),
    labelNamed(numberField(17, "tOperationNum", u"숫자"), "Label1"),
};

const DialogDescription kFrmSetTurn5D{
    .code = 0x5D,
    .formName = "FrmSetTurn5D",
    .title = u"수정 - 5D : 턴수설정",
    .fields = kFields,
};

} // namespace

void registerFrmSetTurn5d(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmSetTurn5D);
}

} // namespace commands
