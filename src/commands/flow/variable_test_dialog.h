#pragma once
// The dialog of the variable test (command 0x05): a True list and a False
// list of variable numbers, each edited as "3,17,200". The lists change the
// command's length, so OK rebuilds the whole record and hands the change to
// the nested lists around the node.
#include "commands/common/command_dialog.h"

class QLineEdit;

namespace commands::flow {

class VariableTestDialog : public CommandDialog
{
    Q_OBJECT
public:
    explicit VariableTestDialog(workspace::EditContext &ctx);

    QLineEdit *trueBox() const { return m_true; }
    QLineEdit *falseBox() const { return m_false; }

protected:
    bool saveFields(QString &key, int &lengthDelta) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *makeListBox(const char *name);
    void clamp(QLineEdit *box);

    QLineEdit *m_true = nullptr;
    QLineEdit *m_false = nullptr;
};

} // namespace commands::flow
