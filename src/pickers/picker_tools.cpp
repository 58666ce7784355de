#include "pickers/picker_tools.h"

#include "pickers/frm_army_map.h"
#include "pickers/frm_map.h"
#include "pickers/frm_map_coor_select.h"
#include "workspace/dialog_registry.h"

namespace pickers {

void registerPickerTools(workspace::DialogRegistry &registry)
{
    registry.registerTool(workspace::kStageMapPickerTool,
                          [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> { return FrmMap::create(ctx); });
    registry.registerTool(workspace::kWorldMapPickerTool, [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
        return FrmMapCoorSelect::create(ctx);
    });
    registry.registerTool(workspace::kBattleMapPickerTool, [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
        return FrmArmyMap::create(ctx);
    });
}

} // namespace pickers
