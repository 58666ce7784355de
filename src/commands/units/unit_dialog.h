#pragma once
// The unit command dialogs that are more than fields: an engine dialog with
// the extras its table row names. One class serves them all:
// - a choice (a pair of options or a list) that shows one group of fields
//   for each of its values, hiding the other (person or battlefield index,
//   person or zone, whole map or rectangle);
// - a "Map" button that opens the battle-map or story-stage picker on the
//   dialog's own boxes;
// - a list value that greys another list (leaving greys the level change);
// - a preview of the person's map sprite, or of a map model.
#include "commands/common/dialog_engine.h"
#include "commands/common/map_button.h"
#include "commands/units/unit_preview.h"

#include <functional>
#include <optional>
#include <span>

class QLabel;
class QPushButton;

namespace commands {

// A choice whose value 0 shows one group of fields and value 1 the other;
// fields named in neither always show.
struct ToggleSpec {
    int chooser = -1;
    std::span<const int> shownBy0 = {};
    std::span<const int> shownBy1 = {};
    bool mapButtonWith1 = false;  // the Map button belongs to value 1's group
    // The picker's start mode applies only while value 0 is chosen.
    bool startModeOnlyWith0 = false;
};

struct DisableSpec {
    int chooser = -1;  // a list
    int value = 0;     // the item that greys the target
    int target = -1;
};

struct PreviewSpec {
    PreviewKind kind = PreviewKind::None;
    int person = -1;
    int pose = -1;
    int facing = -1;
    int model = -1;
    // A person chosen in the list redraws only when its name is not empty.
    bool needsName = false;
};

struct UnitDialogSpec {
    const DialogDescription &description;
    const MapButtonRow *map = nullptr;  // the "Map" button, when there is one
    int mapPerson = -1;                 // the field whose person the story stage draws
    ToggleSpec toggle = {};
    DisableSpec disable = {};
    PreviewSpec preview = {};
};

class UnitDialog : public EngineDialog
{
    Q_OBJECT
public:
    UnitDialog(workspace::EditContext &ctx, const UnitDialogSpec &spec);

    QPushButton *mapButton() const { return m_mapButton; }
    QLabel *previewBox() const { return m_preview; }
    // What the preview drew last; nullopt before it first drew.
    const std::optional<PreviewDraw> &lastDraw() const { return m_lastDraw; }

private:
    int listIndex(int field) const;
    int fieldValue(int field) const;
    void applyToggle();
    int mapPerson() const;
    void redraw();
    void connectPreview();

    const UnitDialogSpec &m_spec;
    QPushButton *m_mapButton = nullptr;
    QLabel *m_preview = nullptr;
    bool m_loaded = false;
    std::optional<PreviewDraw> m_lastDraw;
};

// Registers the description with the engine (for the shared dialog checks)
// and the dialog with the extras as the one the dispatch opens.
void registerUnitDialog(workspace::DialogRegistry &registry, const UnitDialogSpec &spec);

} // namespace commands
