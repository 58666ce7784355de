// Command 0x55 "전장부활": a unit, named by a person or its battlefield index,
// comes back at one cell of the battle map with a facing.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/common_lists.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    labelNamed(coordinateField(37, "tX", NumberKind::Coordinate), "Label2"),
    coordinateField(49, "tY", NumberKind::Coordinate),
    labelNamed(listField(61, "cbDirection", u"방향", directionList()), "Label3"),
};

const MapButtonRow kMaps[] = {{}};

const DialogDescription kFrmRevival55{
    .code = 0x55,
    .formName = "FrmRevival55",
    .title = u"수정 - 55 : 전장부활",
    .target = {.form = TargetForm::PersonBf, .frameCaption = u"Char Or BF", .modesInPersonPanel = false},
    .fields = kFields,
    .maps = kMaps,
    .picker = {.switchMovesFocus = false, .focusSelectsMode = true},
    .indexedPerson = true,
    .numbers = NumberSave::WholeNumberOnly,
    .checks = CheckPlace::FieldColumn,
};

} // namespace

void registerFrmRevival55(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmRevival55);
}

} // namespace commands
