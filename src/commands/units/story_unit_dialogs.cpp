// The story-map unit commands with a sprite preview: 0x30 places a person
// at a position with a facing and a pose, 0x33 turns one and sets its pose,
// 0x34 sets a pose, 0x35 gives a person another map model.
#include "commands/units/units_dialogs.h"
#include "commands/common/common_lists.h"
#include "commands/units/unit_dialog.h"
#include "commands/units/unit_lists.h"
#include "core/param_tags.h"

namespace commands {

namespace {

// The poses, a pose past them kept under the caption's word.
ListSpec poseList()
{
    ListSpec l = units::poseList();
    l.captionTag = core::tags::Pose;
    return l;
}

// --- 0x30 ----------------------------------------------------------------
const FieldSpec kAdventFields[] = {
    personField(9),
    coordinateField(17, "tX"),
    coordinateField(29, "tY"),
    listField(41, "cbDirection", u"방향", directionList()),
    listField(49, "cbActive", u"동작", poseList()),
};
const DialogDescription kUnitAppear{
    .code = 0x30,
    .formName = "FrmCharAdvent30",
    .title = u"수정 - 30 : 무장출현",
    .fields = kAdventFields,
};
const MapButtonRow kAdventMap{.target = MapTarget::Stage, .direction = "cbDirection"};
const UnitDialogSpec kAdvent{
    .description = kUnitAppear,
    .map = &kAdventMap,
    .mapPerson = 0,
    .preview = {.kind = PreviewKind::PoseAndFacing, .person = 0, .pose = 4, .facing = 3, .needsName = true},
};

// --- 0x33 ----------------------------------------------------------------
const FieldSpec kDirectionFields[] = {
    personField(9),
    listField(17, "cbActive", u"동작", poseList()),
    listField(25, "cbDirection", u"방향", directionList()),
};
const DialogDescription kUnitFacing{
    .code = 0x33,
    .formName = "FrmCharDirection33",
    .title = u"수정 - 33 : 무장방향",
    .fields = kDirectionFields,
};
const UnitDialogSpec kDirection{
    .description = kUnitFacing,
    .preview = {.kind = PreviewKind::PoseAndFacing, .person = 0, .pose = 1, .facing = 2},
};

// --- 0x34 ----------------------------------------------------------------
const FieldSpec kActiveFields[] = {
    personField(9),
    listField(17, "cbActive", u"동작", poseList()),
};
const DialogDescription kUnitPose{
    .code = 0x34,
    .formName = "FrmCharActive34",
    .title = u"수정 - 34 : 무장동작",
    .fields = kActiveFields,
};
const UnitDialogSpec kActive{
    .description = kUnitPose,
    .preview = {.kind = PreviewKind::PoseFront, .person = 0, .pose = 1},
};

// --- 0x35 ----------------------------------------------------------------
// A model beyond the list loads as its last item.
constexpr ListSpec mapModelList()
{
    ListSpec l = sourceList(ListSource::MapModel);
    l.fallbackItem = -1;
    return l;
}
const FieldSpec kModelFields[] = {
    personField(9),
    listField(17, "cbModel", u"평조", mapModelList()),
};
const DialogDescription kUnitModelChange{
    .code = 0x35,
    .formName = "FrmRModelChange35",
    .title = u"수정 - 35 : 무장평조변경",
    .fields = kModelFields,
    .picker = {.focusSelectsMode = true},
};
const UnitDialogSpec kModel{
    .description = kUnitModelChange,
    .preview = {.kind = PreviewKind::MapModel, .model = 1},
};

} // namespace

void registerStoryUnitDialogs(workspace::DialogRegistry &registry)
{
    registerUnitDialog(registry, kAdvent);
    registerUnitDialog(registry, kDirection);
    registerUnitDialog(registry, kActive);
    registerUnitDialog(registry, kModel);
}

} // namespace commands
