#include "commands/common/map_button.h"

#include "commands/common/tab_caption.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_context.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace commands {

namespace {

QLineEdit *box(QWidget &dialog, const char *name)
{
    return name ? dialog.findChild<QLineEdit *>(QLatin1String(name)) : nullptr;
}

void openBattleMap(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row, int)
{
    workspace::ArmyMapProtocol &call = ctx.armyMap;
    call.mode = row.mode;
    call.whole = false;
    call.list = nullptr;
    call.unitX.clear();
    call.unitY.clear();
    const auto *kinds = row.kindList ? dialog.findChild<QComboBox *>(QLatin1String(row.kindList)) : nullptr;
    call.objectNode = kinds ? ctx.node : core::kNoNode;
    call.objectKind = kinds ? kinds->currentIndex() : 0;
    call.xBox[0] = box(dialog, row.x0);
    call.yBox[0] = box(dialog, row.y0);
    call.xBox[1] = box(dialog, row.x1);
    call.yBox[1] = box(dialog, row.y1);
    workspace::DialogRegistry::instance().runTool(workspace::kBattleMapPickerTool, ctx);
    call.xBox[0] = call.yBox[0] = call.xBox[1] = call.yBox[1] = nullptr;
}

void openStageMap(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row, int person)
{
    workspace::StageMapProtocol &call = ctx.stageMap;
    call.twoPoint = row.x1 != nullptr;
    call.pixelMode = false;
    call.xBox = box(dialog, row.x0);
    call.yBox = box(dialog, row.y0);
    call.x2Box = box(dialog, row.x1);
    call.y2Box = box(dialog, row.y1);
    call.dirCombo = row.direction ? dialog.findChild<QComboBox *>(QLatin1String(row.direction)) : nullptr;
    call.person = person;
    workspace::DialogRegistry::instance().runTool(workspace::kStageMapPickerTool, ctx);
    call.xBox = call.yBox = call.x2Box = call.y2Box = nullptr;
    call.dirCombo = nullptr;
}

void openWorldMap(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row, int person)
{
    workspace::WorldMapProtocol &call = ctx.worldMap;
    call.faceXBox = box(dialog, row.x0);
    call.faceYBox = box(dialog, row.y0);
    call.facePerson = person;
    call.faceMoving = row.faceMoving;
    workspace::DialogRegistry::instance().runTool(workspace::kWorldMapPickerTool, ctx);
    call.faceXBox = call.faceYBox = nullptr;
}

} // namespace

void openMapPicker(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row, int person)
{
    switch (row.target) {
    case MapTarget::Battle:
        openBattleMap(dialog, ctx, row, person);
        break;
    case MapTarget::Stage:
        openStageMap(dialog, ctx, row, person);
        break;
    case MapTarget::World:
        openWorldMap(dialog, ctx, row, person);
        break;
    case MapTarget::BattleOrStage:
        if (scenarioKind(ctx) == workspace::ScenarioKind::Battle)
            openBattleMap(dialog, ctx, row, person);
        else
            openStageMap(dialog, ctx, row, person);
        break;
    }
}

QPushButton *makeMapButton(QWidget &dialog, workspace::EditContext &ctx, const MapButtonRow &row,
                           std::function<int()> person, std::function<void()> after)
{
    auto *button = new QPushButton(QString::fromUtf16(row.text), &dialog);
    button->setObjectName(QLatin1String(row.button));
    button->setAutoDefault(false);
    QWidget *d = &dialog;
    workspace::EditContext *c = &ctx;
    const MapButtonRow *r = &row;
    QObject::connect(button, &QPushButton::clicked, &dialog, [d, c, r, person, after] {
        openMapPicker(*d, *c, *r, person ? person() : 0);
        if (after)
            after();
    });
    return button;
}

} // namespace commands
