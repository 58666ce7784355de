#pragma once
// A line under a text box that says when the text holds characters the
// game's encoding (CP949) cannot store, updated as the user types: such a
// character would be saved as "?". Shown only while there is one.
class QBoxLayout;
class QLabel;
class QPlainTextEdit;
class QTextEdit;

namespace commands {

QLabel *addEncodingNote(QBoxLayout *layout, QTextEdit *box);
QLabel *addEncodingNote(QBoxLayout *layout, QPlainTextEdit *box);

} // namespace commands
