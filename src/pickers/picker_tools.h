#pragma once
// The three map pickers the dialogs and menu items open by tool name.
namespace workspace {
class DialogRegistry;
}

namespace pickers {

void registerPickerTools(workspace::DialogRegistry &registry);

} // namespace pickers
