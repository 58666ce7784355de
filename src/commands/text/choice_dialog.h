#pragma once
// Command 0x12: the choice the game offers, one text holding every choice
// line, and the person who speaks it; a preview of the choice window.
#include "commands/common/command_dialog.h"

class QAction;
class QTextEdit;

namespace commands {

class CharacterPicker;

class ChoiceDialog : public CommandDialog
{
    Q_OBJECT
public:
    explicit ChoiceDialog(workspace::EditContext &ctx);

    QTextEdit *textBox() const { return m_box; }
    CharacterPicker *picker() const { return m_picker; }
    QAction *previewAction() const { return m_preview; }
    const QString &loadedText() const { return m_loadedText; }
    void preview();

protected:
    bool saveFields(QString &key, int &lengthDelta) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTextEdit *m_box = nullptr;
    CharacterPicker *m_picker = nullptr;
    QAction *m_preview = nullptr;
    QString m_loadedText;
};

// The choice lines as the preview shows them: "1." + line 1, "2." + line 2 ...
QStringList numberedChoiceLines(const QString &markupText);

} // namespace commands
