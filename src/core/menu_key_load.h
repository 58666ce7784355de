#pragma once
// The caption walk: turns a command key's items into words, one item after
// another, as the tags say. commandCaption (captions.h) picks the arguments
// per command code; the reader and the dialogs may call the walk directly.
#include "core/captions.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

namespace core {

// Where the walk put the words of one item: the value's 1-based position in
// the walked key and the stretch of the output its words fill (blank
// excluded).
struct ShownItem {
    int tag = 0;
    int valuePos = 0;
    qsizetype from = 0;
    qsizetype to = 0;
};

struct MenuKeyLoadArgs {
    QStringView sTrue;    // word for a flag item (tag 0x26) whose value is 1
    QStringView sFalse;   // word for any other flag value
    bool child = false;   // the record ends with a nested-list length word
    int byCoor = 0;       // 4-byte items: 0 numbers, 1 points, 2+ rectangles
    bool army = false;    // tag 0x03 holds a troop type (command 0x52)
    // Take the text item's bytes from `fileText` (what the reader read from
    // the open file at the text's offset) instead of the key. The bytes are
    // the same; the reader saves the hex decoding.
    bool strGetRead = false;
    const QByteArray *fileText = nullptr;
    // When set, receives every item the walk showed, in walk order.
    std::vector<ShownItem> *shown = nullptr;
};

// Appends the parameter words of the key to `out`: a blank before each item,
// then its words. Blanks are kept exactly (an item without words still adds
// its blank). A value outside a word list or name table shows its number; a
// key that ends inside an item shows the items before it and what can be
// read of that one, never reading past the record.
void appendMenuKeyWords(QString &out, const QString &key, const MenuKeyLoadArgs &args, const CaptionContext &ctx);

// The same words as a text of their own.
QString menuKeyLoad(const QString &key, const MenuKeyLoadArgs &args, const CaptionContext &ctx);

// `str` with the len1 characters at start1 and the len2 characters at start2
// exchanged (1-based, start1 + len1 <= start2). Out-of-range stretches are
// clipped to the text.
QString KeyChange(const QString &str, int start1, int len1, int start2, int len2);

} // namespace core
