#pragma once
// What the battle set-up dialogs on the engine add to it: the "Map" button
// that opens the battle-map picker.
class QPushButton;

namespace commands {

class EngineDialog;
struct MapButtonRow;

// The row's map button on a row of its own under the fields.
QPushButton *addMapButton(EngineDialog &dialog, const MapButtonRow &row);

} // namespace commands
