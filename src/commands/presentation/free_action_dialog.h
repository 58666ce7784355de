#pragma once
// The dialog of command 0x28 ("R자유행동설정"). It has controls but no
// behaviour: it reads nothing from the key, and neither its buttons nor
// Enter and Esc do anything; only the window's close box closes it. The
// command's number therefore stays as the file or the catalogue gave it.
#include "commands/common/command_dialog.h"

class QLabel;
class QLineEdit;

namespace commands {

class FreeActionDialog : public CommandDialog
{
    Q_OBJECT
public:
    static constexpr int kCode = 0x28;
    explicit FreeActionDialog(workspace::EditContext &ctx);

    QLineEdit *numberBox() const { return m_num; }

protected:
    void onConfig() override {}
    void onCancel() override {}
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLineEdit *m_num = nullptr;
};

} // namespace commands
