// The map-trigger tests, all block commands heading a child event: a person
// (or a group) enters a cell (0x25) or a zone (0x26), is clicked (0x2D), or
// stands next to another person (0x2E, four or eight neighbours). The entry
// tests take their cells from a map picker; a zone comes from the battle map
// in a battle scenario and from the story stage otherwise.
#include "commands/presentation/presentation_dialogs.h"
#include "commands/presentation/map_button_dialog.h"

namespace commands {

namespace {

const PickerOptions kSinglePicker{.focusSelectsMode = true};

const FieldSpec kPlaceFields[] = {
    labelNamed(personField(9), "Label1"),
    labelNamed(coordinateField(17, "tX", NumberKind::Coordinate), "Label2"),
    coordinateField(29, "tY", NumberKind::Coordinate),
};

const DialogDescription kEntryPlaceTest{
    .code = 0x25,
    .formName = "FrmEntryPlace25",
    .title = u"수정 - 25 : 무장진입지점시험",
    .fields = kPlaceFields,
    .picker = kSinglePicker,
};

const MapButtonRow kPlaceMap{};

const FieldSpec kZoneFields[] = {
    labelNamed(personField(9), "Label2"),
    labelNamed(coordinateField(17, "tX0", NumberKind::Unclamped), "Label3"),
    coordinateField(29, "tY0", NumberKind::Unclamped),
    coordinateField(41, "tX1", NumberKind::Unclamped),
    coordinateField(53, "tY1", NumberKind::Unclamped),
};

const DialogDescription kEntryZoneTest{
    .code = 0x26,
    .formName = "FrmEntryZone26",
    .title = u"수정 - 26 : 무장진입구역시험",
    .fields = kZoneFields,
    .picker = kSinglePicker,
};

// Two corners: the battle map in a battle scenario, else the story stage.
const MapButtonRow kZoneMap{
    .target = MapTarget::BattleOrStage, .mode = 3, .x0 = "tX0", .y0 = "tY0", .x1 = "tX1", .y1 = "tY1"};

const FieldSpec kClickFields[] = {
    labelNamed(personField(9), "Label1"),
};

const DialogDescription kUnitClickTest{
    .code = 0x2D,
    .formName = "FrmCharClick2D",
    .title = u"수정 - 2D : 무장클릭시험",
    .fields = kClickFields,
    .picker = kSinglePicker,
};

const FieldSpec kMeetFields[] = {
    labelNamed(personField(9, u"인물", 0), "Label10"),
    labelNamed(personField(17, u"인물", 1), "Label11"),
    checkField(25, "ckExpansion", u"인접 (8방향)"),
};

const DialogDescription kUnitMeetTest{
    .code = 0x2E,
    .formName = "FrmCharMeet2E",
    .title = u"수정 - 2E : 무장인접시험",
    .fields = kMeetFields,
    .picker = {.pair = true, .focusSelectsMode = true},
};

} // namespace

void registerMapTriggerDialogs(workspace::DialogRegistry &registry)
{
    registerMapButtonDialog(registry, kEntryPlaceTest, kPlaceMap);
    registerMapButtonDialog(registry, kEntryZoneTest, kZoneMap);
    registerEngineDialog(registry, kUnitClickTest);
    registerEngineDialog(registry, kUnitMeetTest);
}

} // namespace commands
