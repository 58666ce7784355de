#pragma once
// Command 0x2C: a text shown on the map and its three on/off flags.
#include "commands/common/command_dialog.h"
#include "commands/common/kept_text_box.h"

#include <optional>

class QCheckBox;
class QPlainTextEdit;

namespace commands {

class MapTextDialog : public CommandDialog
{
    Q_OBJECT
public:
    explicit MapTextDialog(workspace::EditContext &ctx);

    QPlainTextEdit *textBox() const { return m_box; }
    const QString &loadedText() const { return m_loadedText; }

protected:
    bool saveFields(QString &key, int &lengthDelta) override;

private:
    QPlainTextEdit *m_box = nullptr;
    std::optional<KeptTextBox> m_text;
    QCheckBox *m_flags[3] = {};
    QString m_loadedText;
};

} // namespace commands
