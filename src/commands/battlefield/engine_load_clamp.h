#pragma once
// Registers an engine dialog whose number boxes take their clamp on load as
// well: a stored value above a box's limit shows, and is written back, as
// the limit (the battlefield dialogs' rule; the engine itself shows a loaded
// value as stored). Negative stored values are still shown and kept as they
// are.
#include "commands/common/dialog_description.h"

namespace commands {

bool registerEngineDialogClampingLoad(const DialogDescription &description);

} // namespace commands
