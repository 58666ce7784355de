#pragma once
// A plain text box, of several lines or of one, that shows a command's text
// item and hands back the bytes to store: the stored bytes before and after
// the stretch the user changed stay as they were (core::KeptText), so bytes
// that are no CP949 character and carriage returns survive an edit elsewhere.
// A carriage return is not shown; a line feed is a line break in a box of
// several lines and a character of its own in a box of one line.
#include "core/kept_text.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace commands {

class KeptTextBox
{
public:
    explicit KeptTextBox(QPlainTextEdit *box);
    explicit KeptTextBox(QLineEdit *box);

    // Shows the stored bytes (a text item without its 00).
    void load(const QByteArray &stored);
    // What the box holds, each line break a line feed.
    QString text() const;
    // The bytes to store: the stored ones while the box shows what it loaded.
    QByteArray bytes() const;
    // What storing now does with what CP949 cannot hold.
    core::TextLoss loss() const;
    // The note under the box (encoding_note.h), added to the layout.
    QLabel *addNote(QBoxLayout *layout) const;

private:
    // Shared with the note, which may outlive this object inside its dialog.
    struct State
    {
        QPlainTextEdit *lines = nullptr;
        QLineEdit *line = nullptr;
        core::KeptText kept;
        QString loaded;
        QString text() const;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace commands
