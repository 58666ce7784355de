#pragma once
// The dialog engine: one command dialog built from its description. It lays
// out the fields (the character picker's options on top, then one labelled
// row per field), loads every field from the node's key, applies the
// picker's start mode at every activation, and on OK writes every field into
// a copy of the key in description order, stores it and rebuilds the
// caption (through the frame of CommandDialog). Cancel, Esc and the close
// box change nothing.
//
// A later dialog joins with a description and one call:
//   static const bool registered = commands::registerEngineDialog(kMyDialog);
// and, for the shared dialog test, one row in tests/commands/engine_dialogs_test.cpp.
#include "commands/common/command_dialog.h"
#include "commands/common/dialog_description.h"
#include "commands/common/list_sources.h"
#include "workspace/dialog_registry.h"

#include <QEvent>

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace commands {

class CharacterPicker;
class NumberField;

class EngineDialog : public CommandDialog
{
    Q_OBJECT
public:
    EngineDialog(workspace::EditContext &ctx, const DialogDescription &description);
    ~EngineDialog() override;

    const DialogDescription &description() const { return m_description; }
    // Null when the dialog holds no person.
    CharacterPicker *picker() const { return m_picker; }
    // The control of field i (for a person: its list; for a choice of two:
    // the first option).
    QWidget *control(int field) const;

    // The values field i can hold as closed ranges: what a user can enter,
    // for generators and checks.
    std::vector<std::pair<std::int64_t, std::int64_t>> valueRanges(int field) const;

protected:
    bool saveFields(QString &key, int &lengthDelta) override;
    bool keepsCaption() const override { return m_description.caption == CaptionRule::Keep; }
    bool event(QEvent *event) override;

private:
    struct Field {
        const FieldSpec *spec = nullptr;
        QWidget *widget = nullptr;
        NumberField *number = nullptr;
        QComboBox *list = nullptr;
        BuiltList items;  // with a placeholder appended when one was needed
        int listedItems = 0;
        QCheckBox *check = nullptr;
        QRadioButton *options[2] = {nullptr, nullptr};
    };

    void build();
    void load();
    void loadList(Field &f, int value);
    std::int64_t saveValue(const Field &f) const;

    const DialogDescription &m_description;
    CharacterPicker *m_picker = nullptr;
    std::vector<Field> m_fields;
};

// Registers the description's dialog with the dispatch and keeps it in the
// list of engine dialogs.
bool registerEngineDialog(const DialogDescription &description);
// The same for each description of a table.
bool registerEngineDialogs(std::span<const DialogDescription> descriptions);
// Keeps the description in the list of engine dialogs (for the shared
// dialog checks) and registers `factory`, a dialog built on the engine with
// more of its own, as the one the dispatch opens.
bool registerEngineDialog(const DialogDescription &description, workspace::DialogFactory factory);
// The same for a class made from the context and `args` (static tables).
template <class Dialog, class... Args>
bool registerEngineDialogAs(const DialogDescription &description, const Args &...args)
{
    return registerEngineDialog(description, [&args...](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
        return std::make_unique<Dialog>(ctx, args...);
    });
}
// Every description registered so far, by code.
const std::map<int, const DialogDescription *> &engineDialogs();

} // namespace commands
