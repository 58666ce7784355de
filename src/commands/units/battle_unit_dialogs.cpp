// Commands that name a unit or a zone on the battlefield: 0x31 takes one
// person or a battle side inside a rectangle off the field, 0x32 moves a
// unit (named by person or by battlefield index) to a cell with a facing.
// The mode shows its own frame of fields; the hidden frame's values are
// written back as they stand.
#include "commands/units/units_dialogs.h"
#include "commands/common/common_lists.h"
#include "commands/units/unit_dialog.h"
#include "commands/units/unit_lists.h"

namespace commands {

namespace {

// --- 0x31 ----------------------------------------------------------------
// The mode in the frame "범위"; each mode's fields in a frame named after it.
const FieldSpec kDisappearFields[] = {
    optionPairField(9, u"", "oChar", u"CharIndex", "oZone", u"구역"),
    personField(17),
    coordinateField(25, "tX0", NumberKind::Coordinate),
    coordinateField(37, "tY0", NumberKind::Coordinate),
    coordinateField(49, "tX1", NumberKind::Coordinate),
    coordinateField(61, "tY1", NumberKind::Coordinate),
    listField(73, "cbArmy", u"전투측", units::armySideList()),
};
constexpr int kModeGroup[] = {0};
constexpr int kPersonGroup[] = {1};
constexpr int kZoneGroup[] = {2, 3, 4, 5, 6};
const FrameSpec kDisappearFrames[] = {
    {.name = "Quillframe1", .caption = u"범위", .fields = kModeGroup},
    {.name = "gbChar", .caption = u"CharIndex", .fields = kPersonGroup, .pickerModes = true},
    {.name = "gbZone", .caption = u"구역", .fields = kZoneGroup},
};
const DialogDescription kUnitDisappear{
    .code = 0x31,
    .formName = "FrmCharDisappear31",
    .title = u"수정 - 31 : 무장소멸",
    .fields = kDisappearFields,
    .frames = kDisappearFrames,
};
const MapButtonRow kDisappearMap{.mode = 3, .x0 = "tX0", .y0 = "tY0", .x1 = "tX1", .y1 = "tY1"};
const UnitDialogSpec kDisappear{
    .description = kUnitDisappear,
    .map = &kDisappearMap,
    // Opened on the zone, the picker keeps list mode until the user picks.
    .toggle = {.chooser = 0,
               .shownBy0 = kPersonGroup,
               .shownBy1 = kZoneGroup,
               .mapButtonWith1 = true,
               .startModeOnlyWith0 = true},
};

// --- 0x32 ----------------------------------------------------------------
const FieldSpec kMoveFields[] = {
    optionPairField(9, u"", "oChar", u"CharIndex", "oBF", u"BFIndex"),
    personField(17),
    numberField(25, "tBFIndex", u"BFIndex", NumberKind::BattlefieldIndex),
    coordinateField(37, "tX"),
    coordinateField(49, "tY"),
    listField(61, "cbDirection", u"방향", directionList()),
};
constexpr int kBFGroup[] = {2};
const FrameSpec kMoveFrames[] = {
    {.name = "gbChar", .caption = u"CharIndex", .fields = kPersonGroup, .pickerModes = true},
    {.name = "gbBF", .caption = u"BFIndex", .fields = kBFGroup},
};
const DialogDescription kUnitMove{
    .code = 0x32,
    .formName = "FrmCharMove32",
    .title = u"수정 - 32 : 무장이동",
    .fields = kMoveFields,
    .picker = {.switchMovesFocus = false},
    .frames = kMoveFrames,
};
const MapButtonRow kMoveMap{.target = MapTarget::BattleOrStage, .direction = "cbDirection"};
const UnitDialogSpec kMove{
    .description = kUnitMove,
    .map = &kMoveMap,
    .mapPerson = 1,
    .toggle = {.chooser = 0, .shownBy0 = kPersonGroup, .shownBy1 = kBFGroup},
};

} // namespace

void registerBattleUnitDialogs(workspace::DialogRegistry &registry)
{
    registerUnitDialog(registry, kDisappear);
    registerUnitDialog(registry, kMove);
}

} // namespace commands
