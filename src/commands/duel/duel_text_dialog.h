#pragma once
// The two duel commands that carry a speech text: a fighter enters and
// speaks (0x60, with the action he takes) and a fighter speaks (0x63, with
// the pause flag). The text sits in the middle of the key, so the field after
// it moves with the text's length, and a change of that length is handed to
// the nested lists around the command.
#include "commands/common/command_dialog.h"
#include "commands/common/kept_text_box.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;

namespace commands {

struct DuelTextForm
{
    int code;
    const char *formName;
    const char16_t *title;
    bool actionList;  // 0x60: the action list; 0x63: the pause flag
};

class DuelTextDialog : public CommandDialog
{
    Q_OBJECT
public:
    DuelTextDialog(workspace::EditContext &ctx, const DuelTextForm &form);

    QPlainTextEdit *textBox() const { return m_text; }

protected:
    bool saveFields(QString &key, int &lengthDelta) override;

private:
    const DuelTextForm &m_form;
    QCheckBox *m_char = nullptr;
    QPlainTextEdit *m_text = nullptr;
    // The text as loaded and the stored bytes behind it.
    std::optional<KeptTextBox> m_kept;
    QComboBox *m_action = nullptr;
    QCheckBox *m_delay = nullptr;
    int m_keptAction = -1;  // a stored action beyond the list, shown last
};

} // namespace commands
