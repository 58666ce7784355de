#pragma once
// The rich text box of the text dialogs and its colour toolbar: runs of the
// stored text show as coloured words, the toolbar paints the selection, and
// the box's coloured words turn back into mark-up for storing or previewing.
#include "core/kept_text.h"

#include <QString>

#include <cstdint>

class QTextEdit;
class QToolBar;
class QWidget;

namespace commands {

// A multi-line text box ("tString") that takes pasted text as plain text.
QTextEdit *makeTextBox(QWidget *parent);
// The ten colour buttons ("Toolbar1"; each action named and tipped by its
// key). A button with no selection in the box does nothing.
QToolBar *makeColorToolbar(QWidget *parent, QTextEdit *box);

// The box's text with CR LF at each line break.
QString boxPlainText(const QTextEdit *box);
// Puts a text with CR LF line breaks into the box, uncoloured. A carriage
// return of its own (the box has no room for one) is left out.
void setMarkupBoxText(QTextEdit *box, const QString &text);
// Turns the well-formed runs of the box's text into coloured words, each
// remembering its stored head and which run it came from.
void applyColorRuns(QTextEdit *box);
// The box's text with coloured words as mark-up, CR LF at each line break.
QString colorTextFromBox(const QTextEdit *box);

// Loads a stored text's bytes (line feeds, maybe carriage returns or bytes
// that are no CP949 character) into the box, its well-formed runs as
// coloured words when `colourRuns`, and remembers them. The box announces
// the loaded text with one textChanged.
void loadStoredText(QTextEdit *box, const QByteArray &stored, bool colourRuns);
// The bytes to store (line feeds): the box's mark-up, with the stored bytes
// before and after the stretch the user changed as they were.
QByteArray storedBoxBytes(const QTextEdit *box);
// What storing the box now does with what CP949 cannot hold.
core::TextLoss storedBoxLoss(const QTextEdit *box);
// Gives the selected characters the colour (0x00BBGGRR).
void paintSelection(QTextEdit *box, std::uint32_t color);

} // namespace commands
