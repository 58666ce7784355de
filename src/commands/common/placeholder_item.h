#pragma once
// A fixed list whose stored value may lie past its items: the value gets a
// placeholder item after the list's own items, which keeps it until the user
// picks a real one (and again when the user picks the placeholder back).
// Dialogs that show several records in one list (slot after slot) call
// showStoredValue for each record; it drops the previous record's
// placeholder first, so no placeholder outlives the record it stands for.
#include <QString>
#include <QStringList>

class QComboBox;

namespace commands {

// The text of a placeholder item for a stored value: `word` (what the tree's
// caption shows for the value, or, where it shows none, the item the list
// loads it as), else the number. Where that reads as one of the list's own
// items, the number follows in brackets ("방화 (5)"), so a kept value never
// reads as an item the user could pick. Every placeholder takes its text
// from here.
QString placeholderText(const QString &word, int value, const QStringList &ownItems);

// Takes the items the list holds now as its own; any later item is a
// placeholder. Call once, after filling the list.
void markOwnItems(QComboBox *box);

// Selects own item `value`, or a placeholder item that reads `word` (see
// placeholderText) when no own item stands for it. The list's signals are held
// meanwhile: showing a stored value is no choice of the user's.
void showStoredValue(QComboBox *box, int value, const QString &word);

// The value an item of the list stands for: an own item's index, or the
// value a placeholder keeps; -1 for no item.
int itemValue(const QComboBox *box, int index);
bool isPlaceholderItem(const QComboBox *box, int index);

} // namespace commands
