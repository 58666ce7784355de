#include "pickers/picker_tools.h"

#include "pickers/battle_map_picker.h"
#include "pickers/stage_map_picker.h"
#include "pickers/world_map_picker.h"
#include "workspace/dialog_registry.h"

namespace pickers {

void registerPickerTools(workspace::DialogRegistry &registry)
{
    registry.registerMapPickers({.battle = &BattleMapPicker::pick,
                                 .stage = &StageMapPicker::pick,
                                 .world = &WorldMapPicker::pick});
}

} // namespace pickers
