#pragma once
// Command 0x4A: how many own persons go out to the coming battle, five who
// must go and five who may not. Two rows of five slot buttons choose the
// forced and the barred slot being edited; each row has its own list,
// number box and name box, switched together by one set of mode options.
// A slot takes a new person only when one of its row's controls loses the
// focus after the user changed it; a control only looked at stores nothing.
//
// In the forced row the value 0 reads as "無": its list's first item is "無"
// and its last item falls back to it.
#include "commands/common/command_dialog.h"
#include "core/settings.h"

#include <array>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace commands {

class NumberField;

class ForcedSortieDialog : public CommandDialog
{
    Q_OBJECT
public:
    static constexpr int kCode = 0x4A;
    static constexpr int kSlots = 5;

    explicit ForcedSortieDialog(workspace::EditContext &ctx);

    // The slot being edited in the forced (forcedSlot) and barred (barredSlot) row.
    int forcedSlot() const;
    int barredSlot() const;
    // The working values of a row's five slots (0 forced, 1 barred).
    const std::array<int, kSlots> &slotValues(int row) const { return m_rows[row].values; }

protected:
    bool saveFields(QString &key, int &lengthDelta) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row {
        bool forced = false;
        QComboBox *list = nullptr;
        NumberField *number = nullptr;
        QLineEdit *name = nullptr;
        QButtonGroup *slotButtons = nullptr;
        std::array<int, kSlots> values{};
        bool edited = false;  // the user changed a control since it was last stored
    };
    int m_showing = 0;    // the dialog itself is filling the controls

    void buildRow(int r, const char *suffix, const QString &label, const char *optionName);
    void setMode(core::CharSelectMode mode);
    void showSlot(int r, int slot);
    void select(int r, int item);
    void listChosen(int r, int item);
    void numberChanged(int r);
    void commitList(int r);
    void commitNumber(int r);
    void commitName(int r);
    int chosenSlot(int r) const;
    QString nameOf(int r, int item) const;

    std::array<Row, 2> m_rows;
    NumberField *m_count = nullptr;
    std::array<QRadioButton *, 3> m_modes{};
};

} // namespace commands
