#pragma once
// The dialog of the variable assignment (command 0x0B): a variable number
// and the value False or True. The variable box has a bound of its own: a
// number above 4095 turns into 3499 as it is typed.
#include "commands/common/command_dialog.h"
#include "commands/flow/variable_commands.h"

class QComboBox;

namespace commands {
class NumberField;
}

namespace commands::flow {

constexpr int kLastSettableVariable = 4095;
constexpr int kVariableSetFallback = 3499;

class VariableSetDialog : public CommandDialog
{
    Q_OBJECT
public:
    explicit VariableSetDialog(workspace::EditContext &ctx);

protected:
    bool saveFields(QString &key, int &lengthDelta) override;

private:
    void bound();

    NumberField *m_number = nullptr;
    QComboBox *m_value = nullptr;
    int m_kept = -1;  // a stored value above 1, shown as a third item
};

} // namespace commands::flow
