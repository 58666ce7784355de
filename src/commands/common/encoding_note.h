#pragma once
// A line under a text box that says, updated as the user types, what a save
// does with what the game's encoding (CP949) cannot hold: a character the
// user brought in that CP949 has no code for is saved as "?", and stored
// bytes that are no CP949 character (shown as U+FFFD) are saved as they
// were unless the user's edit covers them. Shown only while there is either.
#include "core/kept_text.h"

#include <functional>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextEdit;

namespace commands {

// `loss` is asked whenever the box's text changes.
using TextLossFunction = std::function<core::TextLoss()>;

QLabel *addEncodingNote(QBoxLayout *layout, QTextEdit *box, TextLossFunction loss);
QLabel *addEncodingNote(QBoxLayout *layout, QPlainTextEdit *box, TextLossFunction loss);
QLabel *addEncodingNote(QBoxLayout *layout, QLineEdit *box, TextLossFunction loss);

// The note's text for a loss (empty: no note).
QString encodingNoteText(const core::TextLoss &loss);

} // namespace commands
