// Command 0x75 "S특수형상지정": a person and the number of a special shape.
// The box takes up to 16,777,215; the field keeps the low 16 bits.
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    personField(9),
    numberField(17, "tCompareNum", u"S 형상", NumberKind::Plain, 2),
};

const DialogDescription kFrmSetSModel75{
    .code = 0x75,
    .formName = "FrmSetSModel75",
    .title = u"수정 - 75 : S특수형상지정",
    .fields = kFields,
};

[[maybe_unused]] const bool registered = registerEngineDialog(kFrmSetSModel75);

} // namespace

} // namespace commands
