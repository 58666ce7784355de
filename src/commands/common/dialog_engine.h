#pragma once
// The dialog engine: one command dialog built from its description. It lays
// out the fields (the character picker's options on top, then one labelled
// row per field, the boxes of the coordinates together in one row, and the
// frames of the description around their fields), loads every field from the node's key, applies the
// picker's start mode at every activation, and on OK writes every field into
// a copy of the key in description order, stores it and rebuilds the
// caption (through the frame of CommandDialog). Cancel, Esc and the close
// box change nothing.
//
// A description may add a unit target block above the fields, battle-map
// buttons beside their coordinate boxes and lists the dialog fills itself;
// a dialog with behaviour of its own derives from EngineDialog, adds its
// controls and loads them in its constructor and writes them in saveFields
// after the engine's.
//
// A later dialog joins with a description and one call:
//   commands::registerEngineDialog(registry, kMyDialog);  // from the folder's registration
// and, for the shared dialog test, one row in tests/commands/engine_dialogs_test.cpp.
#include "commands/common/command_dialog.h"
#include "commands/common/dialog_description.h"
#include "commands/common/list_sources.h"
#include "workspace/dialog_registry.h"

#include <QEvent>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;

namespace commands {

class CharacterPicker;
class NumberField;
class UnitTargetBlock;

// The coordinate row: the label "좌표 : (" (or another lead text ending in
// "(") and, in one line after it, the boxes of one point, "x , y )", or of
// two, "x , y ) - ( x , y )". The caller places the label and the line; the
// line is one widget, so the boxes and their brackets show and hide together.
class CoordinateRow
{
public:
    explicit CoordinateRow(QWidget *owner, const QString &lead = QStringLiteral("좌표 : ("));

    QLabel *label() const { return m_label; }
    QWidget *line() const { return m_line; }
    int boxes() const { return m_boxes; }
    // The next box in key order, with the brackets around it.
    void addBox(QWidget *box);
    // A widget after the boxes (a Map button).
    void addAfter(QWidget *widget);

private:
    QLabel *m_label = nullptr;
    QWidget *m_line = nullptr;
    QHBoxLayout *m_layout = nullptr;
    int m_boxes = 0;
};

// The objectName of a field's label: its own, else "lbl" and the control's.
QString labelNameOf(const FieldSpec &spec);

// A grid of labelled rows that fields are laid out in, one per dialog or frame.
struct FieldGrid {
    QGridLayout *layout = nullptr;
    int rows = 0;
    CoordinateRow *openRow = nullptr;  // the coordinate row still taking boxes
};

// The coordinate rows of one dialog. The box of a coordinate field joins the
// row still open in its grid while that holds less than two points; else a
// new row begins at the grid's next row, its label (named by the field,
// reading the field's label text or "좌표 : (") in column 0 and its line in
// column 1. Any other row placed in the grid closes the open row.
class CoordinateRows
{
public:
    CoordinateRow *place(FieldGrid &grid, QWidget *owner, const FieldSpec &spec, QWidget *box);
    // Null when there is none.
    CoordinateRow *first() const { return m_rows.empty() ? nullptr : m_rows.front().get(); }
    // The row that holds the box named `name`; null when none does.
    CoordinateRow *rowOf(const QString &name) const;

private:
    std::vector<std::unique_ptr<CoordinateRow>> m_rows;
    std::vector<std::pair<QString, CoordinateRow *>> m_boxes;
};

class EngineDialog : public CommandDialog
{
    Q_OBJECT
public:
    EngineDialog(workspace::EditContext &ctx, const DialogDescription &description);
    ~EngineDialog() override;

    const DialogDescription &description() const { return m_description; }
    // Null when the dialog holds no person.
    CharacterPicker *picker() const { return m_picker; }
    // Null when the description has no target block.
    UnitTargetBlock *target() const { return m_target.get(); }
    // The control of field i (for a person: its list; for a choice of two:
    // the first option).
    QWidget *control(int field) const;

    // The values field i can hold as closed ranges: what a user can enter,
    // for generators and checks.
    std::vector<std::pair<std::int64_t, std::int64_t>> valueRanges(int field) const;

    // Shows or hides field i with its label; a field in a frame shows or
    // hides the frame.
    void setFieldShown(int field, bool shown);
    // Puts `widget` at the end of the first coordinate row; false when the
    // dialog has none.
    bool placeBesideCoordinates(QWidget *widget);

    // Opens the row's battle-map picker on the dialog's boxes, and applies
    // the picker's start mode again once it has closed (the dialog is
    // activated anew).
    void openBattleMap(const MapButtonRow &row);
    // A map button for the row that does the same; the caller places it.
    QPushButton *makeBattleMapButton(const MapButtonRow &row);

protected:
    // The grid of the dialog's own rows, for controls of a derived dialog.
    QGridLayout *grid() const { return m_grid; }
    // Puts the box of a coordinate field into the coordinate row open in
    // `grid` (or a new one) and returns that row.
    CoordinateRow *placeCoordinate(FieldGrid &grid, const FieldSpec &spec, QWidget *box);
    void applyStartMode();

    bool saveFields(QString &key, int &lengthDelta) override;
    bool keepsCaption() const override { return m_description.caption == CaptionRule::Keep; }
    bool event(QEvent *event) override;

private:
    struct Field {
        const FieldSpec *spec = nullptr;
        QWidget *widget = nullptr;
        QWidget *label = nullptr;            // its label, or the coordinate row's
        CoordinateRow *coordinates = nullptr;  // the row of a coordinate box
        int frame = -1;                      // the frame it sits in
        NumberField *number = nullptr;
        QComboBox *list = nullptr;
        const CustomListSpec *custom = nullptr;  // the list's own items
        BuiltList items;  // with a placeholder appended when one was needed
        int listedItems = 0;
        int loaded = 0;   // a list's stored value
        QCheckBox *check = nullptr;
        QRadioButton *options[2] = {nullptr, nullptr};
    };

    using Grid = FieldGrid;

    void build();
    void buildPicker();
    void buildMapButtons();
    int frameOf(int field) const;
    Grid &gridOf(int field, Grid &own);
    void place(Field &f, Grid &grid);
    void load();
    void loadList(Field &f, int value);
    std::int64_t saveValue(const Field &f) const;

    const DialogDescription &m_description;
    CharacterPicker *m_picker = nullptr;
    std::unique_ptr<UnitTargetBlock> m_target;
    QGridLayout *m_grid = nullptr;
    std::vector<Field> m_fields;
    bool m_modesFramed = false;  // the picker's modes sit in a frame
    std::vector<QGroupBox *> m_frames;
    std::vector<Grid> m_frameGrids;
    CoordinateRows m_coordinateRows;
};

// Whether the description's dialog has checks of its own rather than the
// shared ones of the engine dialogs: a target block, map buttons or lists of
// its own are more than the shared checks drive.
bool hasOwnChecks(const DialogDescription &description);

// Registers the description's dialog, under its window name, and keeps it
// in the list of engine dialogs (unless it has checks of its own). Descriptions are static tables: the
// registry keeps their addresses.
void registerEngineDialog(workspace::DialogRegistry &registry, const DialogDescription &description);
// The same for each description of a table.
void registerEngineDialogs(workspace::DialogRegistry &registry, std::span<const DialogDescription> descriptions);
// Keeps the description in the list of engine dialogs (for the shared
// dialog checks, unless it has its own) and registers `factory`, a dialog built on the engine with
// more of its own, as the one the dispatch opens.
void registerEngineDialog(workspace::DialogRegistry &registry, const DialogDescription &description,
                          workspace::DialogFactory factory);
// The same for a class made from the context and the static tables
// `tables` point to; the factory keeps the pointers, so what a caller hands
// over is visibly an address that outlives the registration.
template <class Dialog, class... Tables>
void registerEngineDialogAs(workspace::DialogRegistry &registry, const DialogDescription &description,
                            const Tables *...tables)
{
    registerEngineDialog(registry, description, [tables...](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
        return std::make_unique<Dialog>(ctx, *tables...);
    });
}
// Every description registered so far, by code.
const std::map<int, const DialogDescription *> &engineDialogs();

} // namespace commands
