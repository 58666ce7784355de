// The battle tests: 0x3F compares the turn number, 0x40 asks whose turn it
// is, 0x41 compares the number of units of a side on the whole map or
// inside a rectangle. All three head nested lists; their captions read the
// comparison before its number (the caption builder exchanges the items).
#include "commands/units/units_dialogs.h"
#include "commands/common/common_lists.h"
#include "commands/units/unit_dialog.h"
#include "commands/units/unit_lists.h"

namespace commands {

namespace {

// --- 0x3F ----------------------------------------------------------------
const FieldSpec kTurnFields[] = {
    numberField(9, "tCompareNum", u"숫자"),
    listField(21, "cbCompare", u"비교", comparisonList()),
};
const DialogDescription kTurnTest{
    .code = 0x3F,
    .formName = "FrmIsTurn3F",
    .title = u"수정 - 3F : 턴수시험",
    .fields = kTurnFields,
};

// --- 0x40 ----------------------------------------------------------------
constexpr QStringView kTurnSides[] = {u"아군차례", u"우군차례", u"적군차례"};
const FieldSpec kWhoFields[] = {
    listField(9, "cbTurn", u"행동측", fixedList(kTurnSides, 0)),
};
const DialogDescription kSideTest{
    .code = 0x40,
    .formName = "FrmIsWhoTurn40",
    .title = u"수정 - 40 : 행동측시험",
    .fields = kWhoFields,
};

// --- 0x41 ----------------------------------------------------------------
constexpr QStringView kZones[] = {u"맵 전체", u"지정구역"};
const FieldSpec kCountFields[] = {
    listField(9, "cbArmy", u"전투측", units::armySideList()),
    numberField(17, "tCompareNum", u"숫자"),
    listField(29, "cbCompare", u"비교", comparisonList()),
    listField(37, "cbZone", u"범위", fixedList(kZones, 0)),
    labelNamed(coordinateField(45, "tX0", NumberKind::Coordinate), "Label30"),
    coordinateField(57, "tY0", NumberKind::Coordinate),
    coordinateField(69, "tX1", NumberKind::Coordinate),
    coordinateField(81, "tY1", NumberKind::Coordinate),
};
constexpr int kRectangle[] = {4, 5, 6, 7};
const DialogDescription kUnitCountTest{
    .code = 0x41,
    .formName = "FrmIsMapCharNum41",
    .title = u"수정 - 41 : 맵인물수시험",
    .fields = kCountFields,
};
// The corners stay in the key on the whole map; they only hide.
const MapButtonRow kCountMap{.mode = 3, .x0 = "tX0", .y0 = "tY0", .x1 = "tX1", .y1 = "tY1"};
const UnitDialogSpec kCount{
    .description = kUnitCountTest,
    .map = &kCountMap,
    .toggle = {.chooser = 3, .shownBy1 = kRectangle, .mapButtonWith1 = true},
};

} // namespace

void registerBattleTestDialogs(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kTurnTest);
    registerEngineDialog(registry, kSideTest);
    registerUnitDialog(registry, kCount);
}

} // namespace commands
