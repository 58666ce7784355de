#pragma once
// The dialog of the own-army sortie setting (command 0x06): the preparation
// flag, the number of persons who go into battle, and five forced and five
// barred person slotButtons. Each group shows one slot at a time, chosen with its
// row of slot buttons, and edits it with a list, a number box and a name
// box; one set of mode options switches both groups.
//
// The slot values live in the dialog: an editing control stores its value
// into the slot its group shows when it loses the focus (or when a slot
// button or OK is pressed while it still holds it); OK writes all ten.
#include "commands/common/command_dialog.h"
#include "commands/flow/sortie_slots.h"
#include "core/settings.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace platform {
class NumberBox;
}

namespace commands {
class NumberField;
class PersonListModel;
}

namespace commands::flow {

class SortieDialog : public CommandDialog
{
    Q_OBJECT
public:
    explicit SortieDialog(workspace::EditContext &ctx);

    // The slot each group shows (0..4).
    int forcedSlot() const;
    int barredSlot() const;
    int slotValue(SlotGroup group, int slot) const;
    core::CharSelectMode mode() const { return m_mode; }

protected:
    bool saveFields(QString &key, int &lengthDelta) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Group {
        SlotGroup id = SlotGroup::Forced;
        QComboBox *list = nullptr;
        platform::NumberBox *number = nullptr;
        QLineEdit *name = nullptr;
        std::array<QRadioButton *, kSortieSlots> slotButtons{};
        std::array<int, kSortieSlots> values{};
        // The slot the controls show; a slot button is already checked when
        // the slot it leaves still has to take the controls' value.
        int shown = 0;
        // The editing control that holds the focus or was last edited and
        // has not stored its value yet.
        QWidget *holding = nullptr;
    };

    QWidget *buildGroup(Group &g, const QString &title, const char *suffix, const char *slotName);
    int shownSlot(const Group &g) const;
    void showSlot(Group &g, int slot);
    void showItem(Group &g, int item);
    // Shows a slot's value: its item, or a placeholder for a value no item
    // stands for.
    void showValue(Group &g, int value);
    void dropPlaceholder(Group &g);
    // The value the list's current item stands for.
    int listValue(const Group &g) const;
    void onListChosen(Group &g);
    void onNumberChanged(Group &g);
    void onNameChanged(Group &g);
    void store(Group &g, QWidget *control);
    void storeHeld();
    void setMode(core::CharSelectMode mode);
    Group *groupOf(QObject *control);

    PersonListModel &m_people;
    QCheckBox *m_war = nullptr;
    NumberField *m_count = nullptr;
    std::array<QRadioButton *, 3> m_modes{};
    std::array<Group, 2> m_groups;
    core::CharSelectMode m_mode = core::CharSelectMode::List;
    int m_busy = 0;  // the dialog sets its own controls; their handlers stay out
};

} // namespace commands::flow
