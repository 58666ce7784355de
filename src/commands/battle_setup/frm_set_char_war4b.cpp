// Command 0x4B: where one own unit, named by its battlefield index, stands
// when the battle begins, its facing and whether it starts hidden. The Map
// button places the unit among the document's other own units.
#include "commands/battle_setup/battle_cell_fields.h"
#include "commands/common/common_lists.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/number_field.h"
#include "workspace/dialog_registry.h"

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

const DialogDescription kFrmSetCharWar4B{
    .code = 0x4B,
    .formName = "FrmSetCharWar4B",
    .title = u"수정 - 4B : 아군출현설정",
    .fields = kFields,
};

class FrmSetCharWar4B : public EngineDialog
{
public:
    explicit FrmSetCharWar4B(workspace::EditContext &ctx) : EngineDialog(ctx, kFrmSetCharWar4B)
    {
        addMapButton(*this, [this] { openMap(); });
    }

private:
    NumberField *box(FieldIndex f) const { return static_cast<NumberField *>(control(f)); }

    void openMap()
    {
        workspace::ArmyMapProtocol &call = context().armyMap;
        call.mode = 5;
        call.whole = false;
        call.xBox[0] = box(X);
        call.yBox[0] = box(Y);
        call.xBox[1] = box(BFIndex);
        call.yBox[1] = nullptr;
        workspace::DialogRegistry::instance().runTool(workspace::kBattleMapPickerTool, context());
        call.xBox[0] = call.yBox[0] = call.xBox[1] = nullptr;
    }
};

[[maybe_unused]] const bool registered =
    registerEngineDialog(kFrmSetCharWar4B)
    && workspace::registerEditDialog(0x4B, [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
           return std::make_unique<FrmSetCharWar4B>(ctx);
       });

} // namespace

} // namespace commands
