#pragma once
// An engine dialog whose coordinate boxes can also be filled from a map
// picker: a button beside the fields sets the picker's call protocol to the
// dialog's own boxes and opens the picker; the picker writes the chosen cells
// into the boxes, whose limits then apply (a loaded value is shown as stored). One class for every command that
// is fields plus a map button; the table row says which picker and mode.
#include "commands/common/dialog_engine.h"

class QPushButton;

namespace commands {

// Which picker the button opens, and how.
enum class MapPick {
    BattleCell,    // the battle map, one cell
    BattleObject,  // the battle map, the cell of the edited battlefield object
    Zone,          // two corners: the battle map for a battle scenario, else the story stage
    WorldFace,     // the world map, a face shown or moved by the edited person
};

struct MapButtonSpec {
    MapPick pick = MapPick::BattleCell;
    const char *buttonName = "cMap1";
    const char16_t *buttonText = u"Map";
    // Indexes into the description's fields: the X and Y boxes of the first
    // point and, for two corners, of the second.
    int x0 = 0, y0 = 1, x1 = -1, y1 = -1;
    // BattleObject: the field of the object kind list, drawn by the picker.
    int kindField = -1;
    // WorldFace: the face moves (a line from where it stands) rather than appears.
    bool faceMoving = false;
};

class MapButtonDialog : public EngineDialog
{
    Q_OBJECT
public:
    MapButtonDialog(workspace::EditContext &ctx, const DialogDescription &description, const MapButtonSpec &spec);

    QPushButton *mapButton() const { return m_button; }
    // Whether two corners go to the battle-map picker (the document is a
    // battle scenario) rather than the story stage.
    bool zoneUsesBattleMap() const;

private:
    void openPicker();

    const MapButtonSpec &m_spec;
    QPushButton *m_button = nullptr;
};

// The tab caption of a document whose root names the file: its file name,
// or the root's text itself for an untitled one ("Scenario").
QString documentTabCaption(const core::DocTree &tree);
// Battle scenarios are told from story scenarios by an "s" in the caption.
bool isBattleScenarioCaption(const QString &tabCaption);

// Registers the description with the engine (and its shared tests) and the
// dialog with its map button with the dispatch.
bool registerMapButtonDialog(const DialogDescription &description, const MapButtonSpec &spec);

} // namespace commands
