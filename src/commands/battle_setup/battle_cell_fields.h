#pragma once
// What the battle set-up dialogs on the engine add to it: the "Map" button
// that opens the battle-map picker.
#include <functional>

class QPushButton;

namespace commands {

class EngineDialog;
class NumberField;

// A "Map" button (objectName cMap1) on a row of its own under the fields.
QPushButton *addMapButton(EngineDialog &dialog, std::function<void()> onClick);

} // namespace commands
