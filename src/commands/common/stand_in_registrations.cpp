// Registers a stand-in for every command code that has an edit dialog and
// for the tool windows of the pop-up menu. Real dialogs registered for the
// same codes or names take precedence, whatever the order of initialisation.
#include "commands/common/stand_in_dialog.h"

#include "core/catalogue.h"
#include "core/tree_queries.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_dispatch.h"

namespace commands {

namespace {

using workspace::DialogKind;
using workspace::EditContext;

QStringList childCaptions(const core::DocTree &tree, core::NodeId parent)
{
    QStringList lines;
    for (core::NodeId c = tree.firstChild(parent); c != core::kNoNode; c = tree.next(c))
        lines << tree.text(c);
    return lines;
}

std::unique_ptr<QDialog> duelPreview(EditContext &ctx)
{
    const core::DocTree &tree = ctx.doc();
    return std::make_unique<StandInToolDialog>(ctx.parent, workspace::kDuelPreviewTool,
                                               QStringLiteral("일기토 미리보기"),
                                               childCaptions(tree, tree.selected()));
}

std::unique_ptr<QDialog> battleMapPicker(EditContext &ctx)
{
    const core::DocTree &tree = ctx.doc();
    QStringList lines;
    if (ctx.armyMap.mode == 5 && ctx.armyMap.whole) {
        for (core::NodeId unit : workspace::wholeArmyTargets(tree, tree.selected()))
            lines << tree.text(unit);
    }
    return std::make_unique<StandInToolDialog>(ctx.parent, workspace::kBattleMapPickerTool,
                                               QStringLiteral("전장 지도"), lines);
}

// The story-stage and world-map pickers until they are built: a window that
// writes nothing back into the opener's boxes.
std::unique_ptr<QDialog> stageMapPicker(EditContext &ctx)
{
    return std::make_unique<StandInToolDialog>(ctx.parent, workspace::kStageMapPickerTool,
                                               QStringLiteral("지도"), QStringList());
}

std::unique_ptr<QDialog> worldMapPicker(EditContext &ctx)
{
    return std::make_unique<StandInToolDialog>(ctx.parent, workspace::kWorldMapPickerTool,
                                               QStringLiteral("지도 좌표 선택"), QStringList());
}

std::unique_ptr<QDialog> variableList(EditContext &ctx)
{
    const core::DocTree &tree = ctx.doc();
    if (!workspace::documentHasVariables(tree)) {
        ctx.ask().message(ctx.parent, QStringLiteral("변량을 찾을 수 없습니다."), QStringLiteral("Not Found!"),
                          platform::MsgButtons::Ok, platform::MsgIcon::Information);
        return nullptr;
    }
    QStringList lines;
    for (core::NodeId n = tree.root(); n != core::kNoNode; n = tree.nextInOrder(n)) {
        const int code = core::NodeNumber(tree, n);
        if (code == 0x05 || code == 0x0B)
            lines << tree.text(n);
    }
    return std::make_unique<StandInToolDialog>(ctx.parent, workspace::kVariableListTool,
                                               QStringLiteral("변량 리스트"), lines);
}

bool registerStandIns()
{
    for (int code = 0; code < core::kCommandCount; ++code)
        if (workspace::hasEditDialog(code))
            workspace::registerEditDialog(code, makeStandInDialog, DialogKind::StandIn);
    workspace::registerToolWindow(workspace::kDuelPreviewTool, duelPreview, DialogKind::StandIn);
    workspace::registerToolWindow(workspace::kBattleMapPickerTool, battleMapPicker, DialogKind::StandIn);
    workspace::registerToolWindow(workspace::kStageMapPickerTool, stageMapPicker, DialogKind::StandIn);
    workspace::registerToolWindow(workspace::kWorldMapPickerTool, worldMapPicker, DialogKind::StandIn);
    workspace::registerToolWindow(workspace::kVariableListTool, variableList, DialogKind::StandIn);
    return true;
}

[[maybe_unused]] const bool registered = registerStandIns();

} // namespace

} // namespace commands
