#include "commands/common/kept_text_box.h"

#include "commands/common/encoding_note.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace commands {

KeptTextBox::KeptTextBox(QPlainTextEdit *box) { m_state->lines = box; }

KeptTextBox::KeptTextBox(QLineEdit *box) { m_state->line = box; }

QString KeptTextBox::State::text() const
{
    return lines ? lines->toPlainText() : line->text();
}

void KeptTextBox::load(const QByteArray &stored)
{
    State &s = *m_state;
    s.kept = core::KeptText(stored);
    // Known before the box changes, so the note reads the loaded text whole.
    s.loaded = s.kept.shown();
    if (s.lines)
        s.lines->setPlainText(s.loaded);
    else
        s.line->setText(s.loaded);
    s.loaded = s.text();
}

QString KeptTextBox::text() const
{
    return m_state->text();
}

QByteArray KeptTextBox::bytes() const
{
    return m_state->kept.bytesFor(m_state->loaded, text());
}

core::TextLoss KeptTextBox::loss() const
{
    return m_state->kept.loss(m_state->loaded, text());
}

QLabel *KeptTextBox::addNote(QBoxLayout *layout) const
{
    const auto loss = [state = m_state] { return state->kept.loss(state->loaded, state->text()); };
    return m_state->lines ? addEncodingNote(layout, m_state->lines, loss) : addEncodingNote(layout, m_state->line, loss);
}

} // namespace commands
