// Command 0x58: a fire, a ship, a burning ship, "미지" or a gate made or
// removed on a battlefield cell, with a terrain and two flags. The gate
// kinds come from the settings at each opening; the Map button shows the
// unsaved kind and cell among the document's other objects.
#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/battle_setup/battle_cell_fields.h"
#include "commands/flow/sentence_dialog.h"
#include "commands/common/list_sources.h"
#include "commands/common/map_button.h"
#include "commands/common/common_lists.h"
#include "core/param_tags.h"

namespace commands {

namespace {

constexpr QStringView kActionWords[] = {u"만듬", u"없앰"};

const FieldSpec kFields[] = {
    listField(9, "cbThings", u"물체", sourceList(ListSource::ObstacleKind)),
    listField(17, "cbMake", u"상태", captioned(fixedList(kActionWords), core::tags::CreateRemove)),
    listField(25, "cbGround", u"지형", captioned(fixedList(core::terrainWords()), core::tags::Terrain)),
    numberField(33, "tX", u"좌표 : X", NumberKind::Coordinate),
    numberField(45, "tY", u"좌표 : Y", NumberKind::Coordinate),
    checkField(57, "ckViewPoint", u"시점 변화"),
    checkField(65, "ckDelay", u"지연 無 (소리 안 남)"),
};

const DialogDescription kBattleObstacles{
    .code = 0x58,
    .formName = "FrmSetObstacle58",
    .title = u"수정 - 58 : 전장장애물설정",
    .fields = kFields,
};

enum FieldIndex { Things, Make, Ground, X, Y, ViewPoint, Delay };
// The three lists, the cell with its Map button, the two flags.
constexpr int kRows[] = {Things, kRowBreak, Make, kRowBreak, Ground, kRowBreak, X, Y, kRowBreak, ViewPoint, Delay};
constexpr int kCellRow = 3;
constexpr LabelName kLabels[] = {{Things, "Label3_0"}, {Make, "Label3_1"}, {Ground, "Label3_2"}};
constexpr FieldLayout kLayout{.rows = kRows, .labels = kLabels};

class ObstacleDialog : public SentenceDialog
{
public:
    explicit ObstacleDialog(workspace::EditContext &ctx) : SentenceDialog(ctx, kBattleObstacles, kLayout)
    {
        // The picker shows the unsaved kind and cell among the other objects.
        static const MapButtonRow kObjectCell{.mode = 6, .kindList = "cbThings", .kindPos = 9};
        addCellRow(*this, kCellRow, X, Y, kObjectCell);
    }
};

} // namespace

void registerObstacleDialog(workspace::DialogRegistry &registry)
{
    registerEngineDialogAs<ObstacleDialog>(registry, kBattleObstacles);
}

} // namespace commands
