// Commands that name one cell of the battle map: 0x1F moves the map's view
// to it, 0x21 sets or puts out a fire there. Both take the cell from the
// battle-map picker; 0x21's picker also shows the object being edited, with
// the kind chosen in the dialog, among the objects already placed.
#include "commands/presentation/presentation_dialogs.h"
#include "commands/presentation/map_button_dialog.h"
#include "commands/common/common_lists.h"

namespace commands {

namespace {

const FieldSpec kViewpointFields[] = {
    labelNamed(numberField(9, "tX", u"X : ", NumberKind::Coordinate), "Label1"),
    labelNamed(numberField(21, "tY", u"Y : ", NumberKind::Coordinate), "Label2"),
};

const DialogDescription kMapViewpoint{
    .code = 0x1F,
    .formName = "FrmMap1F",
    .title = u"수정 - 1F : 지도시점변화",
    .fields = kViewpointFields,
};

const MapButtonRow kViewpointMap{};

constexpr QStringView kThingKinds[] = {u"방화", u"소화"};

const FieldSpec kThingFields[] = {
    labelNamed(coordinateField(9, "tX", NumberKind::Coordinate), "Label1"),
    coordinateField(21, "tY", NumberKind::Coordinate),
    // A kind beyond the two keeps its value under the caption's word.
    labelNamed(listField(33, "cbThings", u"물체", captioned(fixedList(kThingKinds, 1), core::tags::Fire)), "Label2"),
    checkField(41, "ckViewPoint", u"시점 변화"),
    checkField(49, "ckDelay", u"지연 無 (소리 안 남)"),
};

const DialogDescription kAddBattleObject{
    .code = 0x21,
    .formName = "FrmThingsAdd21",
    .title = u"수정 - 21 : 전장물체추가",
    .fields = kThingFields,
};

const MapButtonRow kThingMap{.mode = 6, .kindList = "cbThings", .kindPos = 33};

} // namespace

void registerMapCellDialogs(workspace::DialogRegistry &registry)
{
    registerMapButtonDialog(registry, kMapViewpoint, kViewpointMap);
    registerMapButtonDialog(registry, kAddBattleObject, kThingMap);
}

} // namespace commands
