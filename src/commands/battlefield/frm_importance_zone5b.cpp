// Command 0x5B "전장주요구역": a key zone of the battle map, two corner cells
// picked on the map or typed, and whether the zone counts during the battle
// ("전투 중") or as a victory condition.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"

namespace commands {

namespace {

const FieldSpec kFields[] = {
    labelNamed(coordinateField(9, "tX0", NumberKind::Coordinate), "Label3"),
    coordinateField(21, "tY0", NumberKind::Coordinate),
    coordinateField(33, "tX1", NumberKind::Coordinate),
    coordinateField(45, "tY1", NumberKind::Coordinate),
    checkField(57, "ckWar", u"전투 중"),
};

const MapButtonRow kMaps[] = {{.mode = 3, .x0 = "tX0", .y0 = "tY0", .x1 = "tX1", .y1 = "tY1"}};

const DialogDescription kFrmImportanceZone5B{
    .code = 0x5B,
    .formName = "FrmImportanceZone5B",
    .title = u"수정 - 5B : 전장주요구역",
    .fields = kFields,
    .maps = kMaps,
    .numbers = NumberSave::WholeNumberOnly,
    .checks = CheckPlace::FieldColumn,
};

} // namespace

void registerFrmImportanceZone5b(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmImportanceZone5B);
}

} // namespace commands
