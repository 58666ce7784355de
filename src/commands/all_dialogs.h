#pragma once
// Every command dialog, preview and picker the workspace opens by code or
// tool name. Start-up (the program and the test programs that need the
// dialogs) calls this once, before any document opens; a second call
// registers the same dialogs again and changes nothing.
namespace workspace {
class DialogRegistry;
}

namespace commands {

void registerAllDialogs(workspace::DialogRegistry &registry);

} // namespace commands
