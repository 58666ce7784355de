#pragma once
// The character picker of the command dialogs: one set of mode options
// ("인물 리스트" oList, "인물 번호" oNum, "인물 이름" oName) and one or two
// elements, each a person list (cbChar), a number box (tNum) and a name box
// (tName) sharing one place, of which the mode shows one. The three views of
// an element always show the same person; OK saves the number box.
//
// In the pair form the element controls are named with their index
// ("cbChar0", "tNum1"); the single form uses the plain names.
#include "commands/common/dialog_description.h"
#include "core/name_tables.h"
#include "core/settings.h"

#include <QObject>

#include <array>
#include <functional>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace commands {

class NumberField;
class PersonListModel;

class CharacterPicker : public QObject
{
    Q_OBJECT
public:
    // Builds the controls as children of `owner`; the picker opens in list
    // mode.
    CharacterPicker(QWidget *owner, const core::NameTables *names, const PickerOptions &options);

    int elementCount() const { return m_options.pair ? 2 : 1; }
    // The row of the three mode options, and the place of element i.
    QWidget *modeRow() const { return m_modeRow; }
    QWidget *elementWidget(int i) const { return m_elements[i].place; }

    QRadioButton *option(core::CharSelectMode mode) const;
    QComboBox *list(int i) const { return m_elements[i].list; }
    NumberField *numberBox(int i) const { return m_elements[i].number; }
    QLineEdit *nameBox(int i) const { return m_elements[i].name; }

    // Loads a stored person value: 0..1027 and the variable persons select
    // their row, 0xFFFF "無". A value that names nobody (1028..0xEFFE) shows
    // in the list and the name box as the tree's caption reads it, in the
    // number box as its number, with no row selected, and is what OK writes
    // until the user chooses a person.
    void setStoredValue(int i, int value);
    // What OK writes: the number in the number box (0 when empty).
    int value(int i) const;

    core::CharSelectMode mode() const { return m_mode; }
    // A mode option chosen (by the user or the start mode): shows that box in
    // every element and, unless the options say otherwise, focuses element 0's.
    void setMode(core::CharSelectMode mode);
    // The start mode from [Option] Char_Select, applied at each activation
    // of the dialog; `condition` (when set) must hold for it to apply.
    void applyStartMode(const QString &charSelectText);
    std::function<bool()> startModeCondition;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Element {
        QWidget *place = nullptr;
        QComboBox *list = nullptr;
        NumberField *number = nullptr;
        QLineEdit *name = nullptr;
        // The text shown for a stored value that names nobody; empty once
        // a person is shown.
        QString placeholder;
    };

    void display(int i, int row, bool setNumber, bool setName);
    void displayUnnamed(int i, int value);
    void onListChosen(int i, int row);
    void onNumberChanged(int i);
    void onNameChanged(int i);
    void onNameLeft(int i);

    PickerOptions m_options;
    PersonListModel &m_model;
    QWidget *m_modeRow = nullptr;
    std::array<QRadioButton *, 3> m_modeOptions{};
    std::array<Element, 2> m_elements{};
    core::CharSelectMode m_mode = core::CharSelectMode::List;
    int m_busy = 0;  // handlers set one another's controls; only the first acts
};

} // namespace commands
