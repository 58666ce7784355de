#pragma once
// The quick-add settings: for each of the keys U, I, O and P the command code
// it inserts and whether it inserts it as a child event. Loads from and saves
// to section "Fast_Add" of the settings file; cSave writes the slots in order
// and stops at the first child slot whose code is no block code, leaving the
// earlier slots saved.
#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;

namespace workspace::add_dialogs {

class CodeBox;

// The largest code the user may type into a quick-add box.
constexpr int kFastAddTypingMax = 0x6B;

class QuickAddSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QuickAddSettingsDialog(QWidget *parent = nullptr);

    // cSave: true when all four slots were written and the dialog closed.
    bool save();

private:
    // Controls of slot i are named "tMenuNum<i>" and "ckChild<i>".
    std::array<CodeBox *, 4> m_codeBoxes{};
    std::array<QCheckBox *, 4> m_childBoxes{};
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace workspace::add_dialogs
