// Command 0x13: one case of a choice, a 4-byte value shown signed as stored.
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    numberField(9, "tNum", u"Case", NumberKind::Unclamped, 4),
};

const DialogDescription kFrmCase13{
    .code = 0x13,
    .formName = "FrmCase13",
    .title = u"수정 - 13 : Case",
    .fields = kFields,
};

[[maybe_unused]] const bool registered = registerEngineDialog(kFrmCase13);

} // namespace

} // namespace commands
