// Faces on the world map of a story scene: 0x29 shows a person's face at a
// point, 0x2A moves it there, 0x2B takes it off. The point is in pixels of
// the world-map picture, so its boxes have no cell limit; the face picker
// places it with the mouse.
#include "commands/presentation/presentation_dialogs.h"
#include "commands/presentation/map_button_dialog.h"

namespace commands {

namespace {

const FieldSpec kFaceFields[] = {
    labelNamed(personField(9), "Label1"),
    labelNamed(coordinateField(17, "tX", NumberKind::Unclamped), "Label2"),
    coordinateField(29, "tY", NumberKind::Unclamped),
};

const PickerOptions kSinglePicker{.focusSelectsMode = true};

const DialogDescription kMapFaceShow{
    .code = 0x29,
    .formName = "FrmMapFaceShow29",
    .title = u"수정 - 29 : 지도얼굴보기",
    .fields = kFaceFields,
    .picker = kSinglePicker,
};

const DialogDescription kMapFaceMove{
    .code = 0x2A,
    .formName = "FrmMapFaceMove2A",
    .title = u"수정 - 2A : 지도얼굴이동",
    .fields = kFaceFields,
    .picker = kSinglePicker,
};

const MapButtonRow kShowFace{.target = MapTarget::World, .button = "cMapShow", .text = u"좌표 찍기"};
const MapButtonRow kMoveFace{
    .target = MapTarget::World, .button = "cMapShow", .text = u"좌표 찍기", .faceMoving = true};

const FieldSpec kRemoveFields[] = {
    labelNamed(personField(9), "Label1"),
};

const DialogDescription kMapFaceRemove{
    .code = 0x2B,
    .formName = "FrmMapFaceRemove2B",
    .title = u"수정 - 2B : 지도얼굴제거",
    .fields = kRemoveFields,
    .picker = kSinglePicker,
};

} // namespace

void registerMapFaceDialogs(workspace::DialogRegistry &registry)
{
    registerMapButtonDialog(registry, kMapFaceShow, kShowFace);
    registerMapButtonDialog(registry, kMapFaceMove, kMoveFace);
    registerEngineDialog(registry, kMapFaceRemove);
}

} // namespace commands
