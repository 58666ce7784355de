#pragma once
// An engine dialog whose coordinate boxes can also be filled from a map
// picker: a button beside the fields opens the picker its map-button row
// names on the dialog's own boxes; the picker writes the chosen cells into
// the boxes, whose limits then apply (a loaded value is shown as stored).
// One class for every command that is fields plus a map button.
#include "commands/common/dialog_engine.h"
#include "commands/common/map_button.h"

class QPushButton;

namespace commands {

class MapButtonDialog : public EngineDialog
{
    Q_OBJECT
public:
    MapButtonDialog(workspace::EditContext &ctx, const DialogDescription &description, const MapButtonRow &row);

    QPushButton *mapButton() const { return m_button; }

private:
    QPushButton *m_button = nullptr;
};

// Registers the description with the engine (and its shared tests) and the
// dialog with its map button with the dispatch.
void registerMapButtonDialog(workspace::DialogRegistry &registry, const DialogDescription &description,
                             const MapButtonRow &row);

} // namespace commands
