#include "workspace/add_dialogs/code_box.h"

namespace workspace::add_dialogs {

CodeBox::CodeBox(int typingMax, QWidget *parent) : platform::NumberBox(parent), m_typingMax(typingMax)
{
    setHexMode(true);
    // The number box pulls an empty or small value up to 2 when the focus
    // leaves, and value() reads through the same range.
    setRange(kLowestCode, kHighestCode);
    // Only the user's edits are clamped at once: a code the program puts in
    // (remembered or stored) stays as it is.
    connect(this, &QLineEdit::textEdited, this, [this] { clampTyped(); });
}

void CodeBox::clampTyped()
{
    if (text().isEmpty())
        return;
    bool ok = false;
    const qint64 v = text().toLongLong(&ok, 16);
    if (ok && v <= m_typingMax)
        return;
    setText(QString::number(m_typingMax, 16).toUpper());
    selectAll();
}

int CodeBox::code()
{
    const int v = int(value());
    setCode(v);
    return v;
}

void CodeBox::setCode(int code) { setValue(code); }

} // namespace workspace::add_dialogs
