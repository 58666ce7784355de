#pragma once
// The battlefield command dialogs that need more than the dialog engine
// gives: a unit target block (person, battlefield index or zone, switched by
// option buttons), map buttons that hand their coordinate boxes to the
// battle-map picker, and lists built by the dialog itself. One class,
// configured by a description per command; the few dialogs with behaviour
// of their own derive from it and add their part through the hooks.
//
// A loaded number is shown as stored and written back unchanged unless the
// user edits it; a box's limit applies to what is typed or picked.
#include "commands/battlefield/unit_target_block.h"
#include "commands/common/command_dialog.h"
#include "commands/common/dialog_description.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/map_button.h"
#include "commands/common/list_sources.h"
#include "workspace/dialog_registry.h"

#include <QEvent>

#include <memory>
#include <span>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QPushButton;

namespace commands {

class CharacterPicker;
class NumberField;

// A list whose items the dialog builds itself (from settings or name
// tables), with its own rule for the item a stored value selects.
struct CustomListSpec {
    const char *name = "";
    BuiltList (*build)(const workspace::EditContext &ctx) = nullptr;
    // The item a stored value selects; negative when there is none.
    int (*select)(int stored, const BuiltList &items) = nullptr;
    // The text of the item that shows a stored value no item stands for
    // (null: the caption's word or the number) and keeps it.
    QString (*unlistedText)(int stored) = nullptr;
};

struct BattlefieldDescription {
    int code = 0;
    const char *formName = "";
    const char16_t *title = u"";
    TargetBlockSpec target = {};
    // Beside the block, laid out in order, one labelled row each; the boxes
    // of coordinate fields share the coordinate row of the dialog engine. A
    // list field named in `customLists` takes its items from there.
    std::span<const FieldSpec> fields = {};
    std::span<const MapButtonRow> maps = {};  // battle-map buttons, beside their boxes
    std::span<const CustomListSpec> customLists = {};
    PickerOptions picker = {};
    // The picker's start mode applies only while the person mode is chosen.
    bool startModeOnlyForPerson = false;
    // The one person's controls carry the index 0 in their names, as the
    // first person of the pair form does ("cbChar0").
    bool indexedPerson = false;
};

class BattlefieldDialog : public CommandDialog
{
    Q_OBJECT
public:
    BattlefieldDialog(workspace::EditContext &ctx, const BattlefieldDescription &description);
    ~BattlefieldDialog() override;

    const BattlefieldDescription &description() const { return m_description; }
    CharacterPicker *picker() const { return m_picker; }
    UnitTargetBlock *target() const { return m_target.get(); }

    // Builds the controls and loads them from the key; called by the factory
    // once the object (and a derived part) is complete.
    void setUp();

    // Opens the row's map picker on the dialog's boxes, and applies the
    // picker's start mode again once it has closed (the dialog is activated
    // anew).
    void openBattleMap(const MapButtonRow &row);
    // A map button for the row that does the same.
    QPushButton *makeBattleMapButton(const MapButtonRow &row);

protected:
    // A derived dialog adds its controls after the described fields, loads
    // them after the described fields and writes them after them.
    virtual void buildMore() {}
    virtual void loadMore() {}
    virtual void saveMore(QString &) {}

    bool saveFields(QString &key, int &lengthDelta) override;
    bool event(QEvent *event) override;

    // A row for own controls, below the described fields.
    QGridLayout *grid() const { return m_grid; }
    // Puts the box of a coordinate field into the coordinate row open in
    // `grid` (or a new one) and returns that row.
    CoordinateRow *placeCoordinate(FieldGrid &grid, const FieldSpec &spec, QWidget *box);
    void applyStartMode();
    // Shows a stored value in a box as it is, without the box's limit.
    static void loadBox(NumberField *box, const QString &text);

private:
    struct Field {
        const FieldSpec *spec = nullptr;
        const CustomListSpec *custom = nullptr;
        NumberField *number = nullptr;
        QComboBox *list = nullptr;
        BuiltList items;
        int loaded = 0;
        QCheckBox *check = nullptr;
    };

    void build();
    void load();
    void buildMapButtons();

    const BattlefieldDescription &m_description;
    CharacterPicker *m_picker = nullptr;
    std::unique_ptr<UnitTargetBlock> m_target;
    QGridLayout *m_grid = nullptr;
    std::vector<Field> m_fields;
    CoordinateRows m_coordinateRows;
};

// Registers the dialog of a description with the dispatch. `make` builds a
// derived dialog; the base class when null.
using BattlefieldFactory = std::unique_ptr<BattlefieldDialog> (*)(workspace::EditContext &ctx,
                                                                  const BattlefieldDescription &d);
void registerBattlefieldDialog(workspace::DialogRegistry &registry, const BattlefieldDescription &description,
                               BattlefieldFactory make = nullptr);

} // namespace commands
