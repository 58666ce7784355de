#include "core/untouched_items.h"

#include "core/key_codec.h"
#include "core/param_tags.h"
#include "core/record_lengths.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace core {

namespace {

struct Item
{
    int offset = 0;
    int length = 0;
};

// The record's code word (as item 0) and its parameter items, and whether
// the record ends with the nested-length word of a block that holds a
// nested list: two bytes behind the record's own length as the reader
// measures it. nullopt when the bytes do not split into whole items.
struct Split
{
    std::vector<Item> items;
    bool nestedWord = false;
};

std::optional<Split> splitItems(const QByteArray &record)
{
    if (record.size() < 2)
        return std::nullopt;
    const std::optional<MeasuredRecord> measured =
        measureRecord(reinterpret_cast<const std::uint8_t *>(record.constData()), std::size_t(record.size()), 0);
    Split split{{{0, 2}}, measured && measured->length + 2 == record.size()};
    const int end = split.nestedWord ? record.size() - 2 : record.size();
    int at = 2;
    while (at < end) {
        const std::optional<int> len = itemByteLength(QByteArrayView(record).first(end), at);
        if (!len || *len <= 0)
            return std::nullopt;
        split.items.push_back({at, *len});
        at += *len;
    }
    return split;
}

QByteArrayView itemBytes(const QByteArray &record, const Item &item)
{
    return QByteArrayView(record).sliced(item.offset, item.length);
}

// Index of the item holding the 1-based character position, or -1.
int itemAtPosition(const std::vector<Item> &items, int pos)
{
    const int byte = (pos - 1) / 2;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (byte >= items[i].offset && byte < items[i].offset + items[i].length)
            return int(i);
    return -1;
}

} // namespace

QString keepUntouchedItems(const QString &stored, const QString &shown, const QString &chosen,
                           const UntouchedRule &rule)
{
    if (chosen == shown && !rule.newCommand && rule.touched.empty())
        return stored;

    const std::optional<QByteArray> s = recordBytes(stored);
    const std::optional<QByteArray> w = recordBytes(shown);
    const std::optional<QByteArray> c = recordBytes(chosen);
    if (!s || !w || !c)
        return chosen;
    const auto sSplit = splitItems(*s);
    const auto wSplit = splitItems(*w);
    const auto cSplit = splitItems(*c);
    // Items that cannot be lined up leave nothing to keep apart: the user
    // changed something, and the dialog's key is all there is.
    if (!sSplit || !wSplit || !cSplit || sSplit->items.size() != wSplit->items.size()
        || sSplit->items.size() != cSplit->items.size() || sSplit->nestedWord != wSplit->nestedWord
        || sSplit->nestedWord != cSplit->nestedWord)
        return chosen;
    const std::vector<Item> *sItems = &sSplit->items;
    const std::vector<Item> *wItems = &wSplit->items;
    const std::vector<Item> *cItems = &cSplit->items;

    std::vector<bool> fromChosen(sItems->size(), false);
    for (int pos : rule.touched)
        if (const int i = itemAtPosition(*cItems, pos); i > 0)
            fromChosen[std::size_t(i)] = true;
    bool changed = false;
    for (std::size_t i = 0; i < sItems->size(); ++i) {
        const QByteArrayView item = itemBytes(*c, (*cItems)[i]);
        // A new command's values are the dialog's to set; its text is what
        // the user typed when adding it and is kept like any text.
        const bool isText = i > 0 && item.size() >= 2 && item[0] == char(tags::Text) && item[1] == 0;
        fromChosen[i] = fromChosen[i] || (rule.newCommand && !isText) || item != itemBytes(*w, (*wItems)[i]);
        changed = changed || (fromChosen[i] && itemBytes(*c, (*cItems)[i]) != itemBytes(*s, (*sItems)[i]));
    }
    if (changed)
        for (int pos : rule.writtenOnChange)
            if (const int i = itemAtPosition(*cItems, pos); i >= 0)
                fromChosen[std::size_t(i)] = true;

    QByteArray out;
    out.reserve(c->size());
    for (std::size_t i = 0; i < sItems->size(); ++i)
        out += fromChosen[i] ? itemBytes(*c, (*cItems)[i]) : itemBytes(*s, (*sItems)[i]);
    // The nested-length word counts the block's list, which no dialog
    // edits: it stays as stored, and only the length upkeep changes it.
    if (sSplit->nestedWord)
        out += QByteArrayView(*s).last(2);
    return bytesToHex(out) + keySuffix(stored).toString();
}

} // namespace core
