// Command 0x6D "상대부활/이동": a unit, named by a person or its battlefield
// index, is revived or moved to an offset from a reference person. The
// offset is typed; there is no map button.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/common_lists.h"

namespace commands {

namespace {

// A box of the offset row, which reads "상대 좌표 :  ( x , y )".
constexpr FieldSpec relativeField(int pos, const char *name, const char16_t *lead = u"")
{
    FieldSpec f = coordinateField(pos, name);
    f.label = lead;
    return f;
}

const FieldSpec kFields[] = {
    labelNamed(personField(37, u"기준 인물", 1), "Label1_1"),
    labelNamed(relativeField(45, "tX", u"상대 좌표 :  ("), "Label2"),
    relativeField(57, "tY"),
    labelNamed(listField(69, "cbDirection", u"방향", directionList()), "Label3"),
    // Any nonzero value counts as a revival.
    checkField(77, "ckRevive", u"부활", FlagLoad::NonzeroIsSet),
};

const DialogDescription kFrmRelativeMove6D{
    .code = 0x6D,
    .formName = "FrmRelativeMove6D",
    .title = u"수정 - 6D : 상대부활/이동",
    .target = {.form = TargetForm::PersonBf, .frameCaption = u"Char Or BF", .modesInPersonPanel = false,
               .personLabel = "Label1_0"},
    .fields = kFields,
    .picker = {.pair = true, .switchMovesFocus = false, .focusSelectsMode = true},
    .numbers = NumberSave::WholeNumberOnly,
    .checks = CheckPlace::FieldColumn,
};

} // namespace

void registerFrmRelativeMove6d(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmRelativeMove6D);
}

} // namespace commands
