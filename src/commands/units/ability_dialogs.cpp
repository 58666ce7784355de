// Commands 0x36 (ability test) and 0x38 (ability setting): one ability of
// one person compared with a number, or set, raised or lowered by it. An
// ability beyond the sixteen loads as "無" (0xFFFF); a comparison or an
// operation beyond the three loads as the third.
#include "commands/units/units_dialogs.h"
#include "commands/common/common_lists.h"
#include "commands/common/dialog_engine.h"
#include "core/param_tags.h"

namespace commands {

namespace {

ListSpec abilityList() { return fixedListWithNone(core::abilityWords(), u"無"); }

const FieldSpec kTestFields[] = {
    personField(9),
    listField(17, "cbAbility", u"능력", abilityList()),
    numberField(25, "tCompareNum", u"숫자"),
    listField(37, "cbCompare", u"비교", comparisonList()),
};

const DialogDescription kUnitAbilityTest{
    .code = 0x36,
    .formName = "FrmIsCharAbility36",
    .title = u"수정 - 36 : 무장능력시험",
    .fields = kTestFields,
};

const FieldSpec kSetFields[] = {
    personField(9),
    listField(17, "cbAbility", u"능력", abilityList()),
    listField(25, "cbOperator", u"연산", operationList()),
    numberField(33, "tOperationNum", u"숫자"),
};

const DialogDescription kUnitAbilitySet{
    .code = 0x38,
    .formName = "FrmSetCharAbility38",
    .title = u"수정 - 38 : 무장능력설정",
    .fields = kSetFields,
};

} // namespace

void registerAbilityDialogs(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kUnitAbilityTest);
    registerEngineDialog(registry, kUnitAbilitySet);
}

} // namespace commands
