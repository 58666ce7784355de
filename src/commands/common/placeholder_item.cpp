#include "commands/common/placeholder_item.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace commands {

namespace {

constexpr char kOwnItems[] = "ownItems";

int ownItems(const QComboBox *box)
{
    const QVariant own = box->property(kOwnItems);
    return own.isValid() ? own.toInt() : box->count();
}

} // namespace

QString placeholderText(const QString &word, int value, const QStringList &ownItems)
{
    const QString number = QString::number(value);
    const QString text = word.trimmed().isEmpty() ? number : word;
    const QString bare = text.trimmed();
    for (const QString &item : ownItems)
        if (item.trimmed() == bare)
            return bare + QStringLiteral(" (") + number + u')';
    return text;
}

void markOwnItems(QComboBox *box) { box->setProperty(kOwnItems, box->count()); }

void showStoredValue(QComboBox *box, int value, const QString &word)
{
    const QSignalBlocker hold(box);
    const int own = ownItems(box);
    while (box->count() > own)
        box->removeItem(box->count() - 1);
    if (value >= 0 && value < own) {
        box->setCurrentIndex(value);
        return;
    }
    QStringList items;
    for (int i = 0; i < own; ++i)
        items << box->itemText(i);
    box->addItem(placeholderText(word, value, items), value);
    box->setCurrentIndex(box->count() - 1);
}

int itemValue(const QComboBox *box, int index)
{
    if (index < 0 || index >= box->count())
        return -1;
    return isPlaceholderItem(box, index) ? box->itemData(index).toInt() : index;
}

bool isPlaceholderItem(const QComboBox *box, int index) { return index >= ownItems(box); }

} // namespace commands
