// Command 0x71 "특수요청": the number of a special request, without a limit
// of its own.
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

[[maybe_unused]] const bool registered = registerEngineDialog(kFrmSpecial71);

} // namespace

} // namespace commands
