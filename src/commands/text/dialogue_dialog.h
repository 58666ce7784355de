#pragma once
// Command 0x15: one line of dialogue, its speaker and the person who speaks
// it when the speaker is not present, with coloured words and a preview of
// the speaker's page.
#include "commands/common/command_dialog.h"

class QAction;
class QTextEdit;

namespace commands {

class CharacterPicker;

class DialogueDialog : public CommandDialog
{
    Q_OBJECT
public:
    explicit DialogueDialog(workspace::EditContext &ctx);

    QTextEdit *textBox() const { return m_box; }
    CharacterPicker *picker() const { return m_picker; }
    const QString &loadedText() const { return m_loadedText; }
    void preview();

protected:
    bool saveFields(QString &key, int &lengthDelta) override;
    bool event(QEvent *event) override;

private:
    QTextEdit *m_box = nullptr;
    CharacterPicker *m_picker = nullptr;
    QString m_loadedText;
};

} // namespace commands
