#pragma once
// What the battle set-up dialogs on the engine add to it: the cell row that
// reads "좌표 : (" x "," y ")" with the "Map" button that opens the
// battle-map picker after it.
class QPushButton;

namespace commands {

class SentenceDialog;
struct MapButtonRow;

// Turns row `row` of the dialog, which holds the fields `x` and `y`, into
// the cell row (its first label named `Label2`) and puts the map button at
// its end.
QPushButton *addCellRow(SentenceDialog &dialog, int row, int x, int y, const MapButtonRow &map);

} // namespace commands
