#pragma once
// What the battle set-up dialogs on the engine add to it: the "Map" button
// that opens the battle-map picker, and a number box's limit applied to the
// loaded value too (a stored cell above 40, a variable cell among them,
// opens as 40 and is saved so; a money or turn count above 16,777,215 alike).
#include <functional>

class QPushButton;

namespace commands {

class EngineDialog;
class NumberField;

// A "Map" button (objectName cMap1) on a row of its own under the fields.
QPushButton *addMapButton(EngineDialog &dialog, std::function<void()> onClick);
// The box's text becomes its limit when its value is above it.
void limitLoadedValue(NumberField *box);

} // namespace commands
