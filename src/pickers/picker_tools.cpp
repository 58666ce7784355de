#include "pickers/picker_tools.h"

#include "pickers/battle_map_picker.h"
#include "pickers/stage_map_picker.h"
#include "pickers/world_map_picker.h"
#include "workspace/dialog_registry.h"

namespace pickers {

void registerPickerTools(workspace::DialogRegistry &registry)
{
    registry.registerTool(workspace::kStageMapPickerTool,
                          [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> { return StageMapPicker::create(ctx); });
    registry.registerTool(workspace::kWorldMapPickerTool, [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
        return WorldMapPicker::create(ctx);
    });
    registry.registerTool(workspace::kBattleMapPickerTool, [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
        return BattleMapPicker::create(ctx);
    });
}

} // namespace pickers
