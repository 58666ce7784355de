#pragma once
// The dialogs of the two commands that carry a number and a game text: the
// chapter name (0x67, a text of several lines) and the information passed on
// (0x72, one line). The text is the one part of variable length, so OK
// reports the change of the record's length to the enclosing nested lists.
#include "commands/common/command_dialog.h"
#include "commands/common/kept_text_box.h"

#include <optional>

class QLineEdit;
class QPlainTextEdit;

namespace commands {

class NumberField;

struct InformationTextSpec {
    int code = 0;
    const char *formName = "";
    const char16_t *title = u"";
    const char16_t *numberLabel = u"";
    const char16_t *textLabel = u"";
    // Several lines (a stored line feed shows as a line break) or one line
    // (it stays a line-feed character in the box).
    bool multiLine = false;
};

class InformationTextDialog : public CommandDialog
{
    Q_OBJECT
public:
    static constexpr int kNumberPos = 9;
    static constexpr int kTextPos = 21;

    InformationTextDialog(workspace::EditContext &ctx, const InformationTextSpec &spec);

    NumberField *numberBox() const { return m_number; }

protected:
    bool saveFields(QString &key, int &lengthDelta) override;

private:
    NumberField *m_number = nullptr;
    QPlainTextEdit *m_lines = nullptr;
    QLineEdit *m_line = nullptr;
    std::optional<KeptTextBox> m_text;
};

} // namespace commands
