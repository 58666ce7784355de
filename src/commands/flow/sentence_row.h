#pragma once
// Some command dialogs read as a sentence: each control stands to the right
// of its label, all in one row from left to right. The dialog engine stacks
// its fields one under another; these helpers take fields out of wherever
// the engine put them and lay them out again as rows under the dialog's
// other controls.
#include <QList>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QWidget;

namespace commands {

class CommandDialog;

// The label that names `control` (its buddy), or null.
QLabel *labelOf(const QWidget *control);

// Moves the controls, each after its label when it has one, into a new row
// at the end of the dialog's body, in the order given.
QHBoxLayout *addSentenceRow(CommandDialog &dialog, const QList<QWidget *> &controls);

} // namespace commands
