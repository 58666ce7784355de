// Command 0x50 "전장동작설정": a person, one of twelve unit actions and two
// delay flags. The list starts and ends with "無": 0 and 0xFFFF are two
// values that look alike; a stored value beyond the actions loads as the
// last.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

constexpr QStringView kActions[] = {u"無", u"거기무기", u"방어", u"공격受", u"허약", u"예비공격", u"공격",
                                    u"두번공격", u"느린진행", u"날씨", u"졸도", u"쾌속진행", u"중속진행"};

const FieldSpec kFields[] = {
    labelNamed(personField(9), "Label2"),
    labelNamed(listField(17, "cbActive", u"동작", fixedListWithNone(kActions, u"無")), "Label3"),
    checkField(25, "ckBeforeDelay", u"동작 전 지연"),
    checkField(33, "ckAfterDelay", u"동작 후 지연"),
};

const DialogDescription kFrmSetActive50{
    .code = 0x50,
    .formName = "FrmSetActive50",
    .title = u"수정 - 50 : 전장동작설정",
    .fields = kFields,
    .picker = {.focusSelectsMode = true},
};

} // namespace

void registerFrmSetActive50(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmSetActive50);
}

} // namespace commands
