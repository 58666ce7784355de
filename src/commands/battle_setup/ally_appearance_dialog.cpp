// Command 0x4B: where one own unit, named by its battlefield index, stands
// when the battle begins, its facing and whether it starts hidden. The Map
// button places the unit among the document's other own units.
#include "commands/battle_setup/battle_setup_dialogs.h"
#include "commands/battle_setup/battle_cell_fields.h"
#include "commands/common/common_lists.h"
#include "commands/flow/sentence_dialog.h"
#include "commands/common/map_button.h"
#include "commands/common/number_field.h"

#include <QLineEdit>

namespace commands {

namespace {

enum FieldIndex { BFIndex, X, Y, Direction, Hidden };

const FieldSpec kFields[] = {
    numberField(9, "tBFIndex", u"BFIndex", NumberKind::BattlefieldIndex),
    numberField(21, "tX", u"좌표 : X", NumberKind::Coordinate),
    numberField(33, "tY", u"좌표 : Y", NumberKind::Coordinate),
    listField(45, "cbDirection", u"방향", directionList()),
    checkField(53, "ckHide", u"숨음"),
};

const DialogDescription kAllyAppearance{
    .code = 0x4B,
    .formName = "FrmSetCharWar4B",
    .title = u"수정 - 4B : 아군출현설정",
    .fields = kFields,
};

// The index, the cell with its Map button, the facing, the flag.
constexpr int kRows[] = {BFIndex, kRowBreak, X, Y, kRowBreak, Direction, kRowBreak, Hidden};
constexpr int kCellRow = 1;
constexpr LabelName kLabels[] = {{BFIndex, "Label4"}, {Direction, "Label3"}};
constexpr FieldLayout kLayout{.rows = kRows, .labels = kLabels};

class AllyAppearanceDialog : public SentenceDialog
{
public:
    explicit AllyAppearanceDialog(workspace::EditContext &ctx) : SentenceDialog(ctx, kAllyAppearance, kLayout)
    {
        // The picker places the unit, named by its battlefield index, among the other own units.
        static const MapButtonRow kOwnUnit{.mode = 5, .x1 = "tBFIndex"};
        addCellRow(*this, kCellRow, X, Y, kOwnUnit);
    }
};

} // namespace

void registerAllyAppearanceDialog(workspace::DialogRegistry &registry)
{
    registerEngineDialogAs<AllyAppearanceDialog>(registry, kAllyAppearance);
}

} // namespace commands
