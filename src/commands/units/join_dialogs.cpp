// Commands 0x3B (a person joins or leaves, with a level change) and 0x3C
// (a test of how a person has joined). A join kind beyond the three loads
// as "탈퇴", as the caption names it; a level change beyond the current
// "CharLvMax" list loads as its first item. Leaving greys the level change,
// and choosing a join again brings it back.
#include "commands/units/units_dialogs.h"
#include "commands/units/unit_dialog.h"

namespace commands {

namespace {

constexpr QStringView kJoinKinds[] = {u"Data가입", u"보존가입", u"탈퇴"};
constexpr int kLeave = 2;

const FieldSpec kJoinFields[] = {
    personField(9),
    listField(17, "cbJoin", u"가입 Or 탈퇴", fixedList(kJoinKinds, kLeave)),
    listField(25, "cbLV", u"Lv", sourceList(ListSource::LevelChange)),
};
const DialogDescription kUnitJoin{
    .code = 0x3B,
    .formName = "FrmJoinChar3B",
    .title = u"수정 - 3B : 무장추가",
    .fields = kJoinFields,
};
const UnitDialogSpec kJoin{
    .description = kUnitJoin,
    .disable = {.chooser = 1, .value = kLeave, .target = 2},
};

constexpr QStringView kEquality[] = {u"≠ ", u"= "};
const FieldSpec kIsJoinFields[] = {
    personField(9),
    listField(17, "cbJoin", u"가입 Or 탈퇴", fixedList(kJoinKinds, kLeave)),
    listField(25, "cbCompare", u"비교", fixedList(kEquality, 1)),
};
const DialogDescription kJoinedTest{
    .code = 0x3C,
    .formName = "FrmIsJoinChar3C",
    .title = u"수정- 3C : 무장가입시험",
    .fields = kIsJoinFields,
};

} // namespace

void registerJoinDialogs(workspace::DialogRegistry &registry)
{
    registerUnitDialog(registry, kJoin);
    registerEngineDialog(registry, kJoinedTest);
}

} // namespace commands
