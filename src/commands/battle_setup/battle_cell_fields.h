#pragma once
// What the battle-map dialogs on the engine add to it: the "Map" button that
// opens the battle-map picker, and the limit of a battle cell applied to the
// loaded value too (a stored cell above 40, a variable cell among them,
// opens as 40 and is saved so).
#include <functional>

class QPushButton;

namespace commands {

class EngineDialog;
class NumberField;

// A "Map" button (objectName cMap1) on a row of its own under the fields.
QPushButton *addMapButton(EngineDialog &dialog, std::function<void()> onClick);
// The box's text becomes "40" when its value is above 40.
void limitLoadedCell(NumberField *box);

} // namespace commands
