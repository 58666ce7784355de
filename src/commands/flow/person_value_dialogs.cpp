// Commands 0x73 (a test of a person's abilities against a value) and 0x78
// (a copy between an integer variable and one attribute of a person). Their
// person boxes only select their text on focus; the mode stays as chosen.
#include "commands/flow/flow_dialogs.h"
#include "commands/flow/sentence_dialog.h"
#include "core/param_tags.h"

namespace commands {

namespace {

constexpr PickerOptions kSingle{.pair = false, .switchMovesFocus = true, .focusSelectsMode = false};

// A comparison beyond the three opens on "<=".
constexpr QStringView kComparisons[] = {u"==", u">=", u"<="};
constexpr QStringView kDirections[] = {u"<==", u"==>"};

// Any nonzero flag counts as ticked: the test takes part whatever was stored.
const FieldSpec kCompareAbility73[] = {
    personField(9),
    numberField(17, "tCompareNum", u"값"),
    listField(29, "cbCompare", u"비교", fixedList(kComparisons, 2)),
    checkField(37, "ckAbility0", u"무력", FlagLoad::NonzeroIsSet),
    checkField(45, "ckAbility1", u"지력", FlagLoad::NonzeroIsSet),
    checkField(53, "ckAbility2", u"통솔", FlagLoad::NonzeroIsSet),
    checkField(61, "ckAbility3", u"민첩", FlagLoad::NonzeroIsSet),
    checkField(69, "ckAbility4", u"행운", FlagLoad::NonzeroIsSet),
};

ListSpec attributeList()
{
    ListSpec l = fixedList(core::personAttributeWords());
    l.unlisted = Unlisted::Keep;
    l.captionTag = core::tags::PersonAttribute;
    return l;
}

// Any direction but 0 reads "==>", as the caption words it.
const FieldSpec kSetVar78[] = {
    numberField(9, "tOperationNum", u"정형 변량"),
    listField(21, "cbSet", u"대입", fixedList(kDirections, 1)),
    personField(29),
    listField(37, "cbAbility", u"속성", attributeList()),
};

// The person, the value and the comparison read as one sentence; the five
// abilities stand in the row below.
constexpr int kCompareAbilityRows[] = {0, 1, 2, kRowBreak, 3, 4, 5, 6, 7};
// "정형 변량" n "대입" <== "인물" p "속성" a.
constexpr int kSetVarRows[] = {0, 1, 2, 3};
constexpr FieldLayout kCompareAbilityLayout{.rows = kCompareAbilityRows};
constexpr FieldLayout kSetVarLayout{.rows = kSetVarRows};

const DialogDescription kDialogs[] = {
    {.code = 0x73,
     .formName = "FrmCompareAbility73",
     .title = u"수정 - 73 : 인물능력치시험",
     .fields = kCompareAbility73,
     .picker = kSingle},
    {.code = 0x78,
     .formName = "FrmSetVar78",
     .title = u"수정 - 78 : 정형변량대입",
     .fields = kSetVar78,
     .picker = kSingle},
};

} // namespace

void registerPersonValueDialogs(workspace::DialogRegistry &registry)
{
    registerSentenceDialog(registry, kDialogs[0], kCompareAbilityLayout);
    registerSentenceDialog(registry, kDialogs[1], kSetVarLayout);
}

} // namespace commands
