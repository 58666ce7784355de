// Command 0x4F "전장방향설정": two persons, a facing and three flags. One set
// of mode options switches both persons.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/common_lists.h"
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    labelNamed(personField(9, u"인물", 0), "Label1_0"),
    labelNamed(personField(17, u"인물", 1), "Label1_1"),
    labelNamed(listField(25, "cbDirection", u"방향", directionList()), "Label3"),
    checkField(33, "ckRight", u"반대 방향"),
    checkField(41, "ckBeforeDelay", u"동작 전 지연"),
    checkField(49, "ckAfterDelay", u"동작 후 지연"),
};

const DialogDescription kFrmSetDirection4F{
    .code = 0x4F,
    .formName = "FrmSetDirection4F",
    .title = u"수정 - 4F : 전장방향설정",
    .fields = kFields,
    .picker = {.pair = true, .focusSelectsMode = true},
};

} // namespace

void registerFrmSetDirection4f(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmSetDirection4F);
}

} // namespace commands
