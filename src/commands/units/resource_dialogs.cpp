// Commands 0x37 (quantity test) and 0x3A (quantity setting): money,
// SceIndex or ambition, which belong to no person, compared with a number,
// or set, raised or lowered by it. Values beyond a list load as its third
// item.
#include "commands/units/units_dialogs.h"
#include "commands/common/common_lists.h"
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

constexpr QStringView kThings[] = {u"돈", u"SceIndex", u"야심"};

const FieldSpec kTestFields[] = {
    listField(9, "cbThings", u"여러가지", fixedList(kThings, 2)),
    numberField(17, "tCompareNum", u"숫자"),
    listField(29, "cbCompare", u"비교", comparisonList()),
};

const DialogDescription kResourceTest{
    .code = 0x37,
    .formName = "FrmIsThings37",
    .title = u"수정 - 37 : 돈,SceIndex,야심시험",
    .fields = kTestFields,
};

const FieldSpec kSetFields[] = {
    listField(9, "cbThings", u"여러가지", fixedList(kThings, 2)),
    listField(17, "cbOperator", u"연산", operationList()),
    numberField(25, "tCompareNum", u"숫자"),
};

const DialogDescription kResourceSet{
    .code = 0x3A,
    .formName = "FrmSetThings3A",
    .title = u"수정 - 3A : 돈,SceIndex,야심설정",
    .fields = kSetFields,
};

} // namespace

void registerResourceDialogs(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kResourceTest);
    registerEngineDialog(registry, kResourceSet);
}

} // namespace commands
