#pragma once
// Byte-level walking of scenario records for the layout converter: how long a
// record is in the editor's layout, and which tagged items it holds.
//
// recordLengthAt answers from the reader's own per-code record lengths, so the
// converter and the reader always agree on where a record ends.
#include <QByteArray>

#include <functional>
#include <optional>

namespace core::eexwalk {

// Length in bytes (code word included) of the record whose code word stands
// at offset, in the editor's layout: texts run to their first 00 byte, the
// variable test 0x05 counts its two lists, codes above 0x79 take 2 bytes.
// nullopt when the code word, a count or the record runs past the end.
std::optional<qsizetype> recordLengthAt(const QByteArray &bytes, qsizetype offset);

// Visits the tagged items of bytes[begin, end) (begin is the first tag, right
// behind a code word): fn(tag, valueOffset) for every item with a plain value,
// 2 bytes wide, or 4 bytes for tag 0x04. Text items (tag 0x05, up to their 00)
// and lists (tag 0x35: count and values) are stepped over whole, so nothing
// inside them is ever taken for an item. Stops at the first item that does
// not fit before end.
void forEachValueItem(const QByteArray &bytes, qsizetype begin, qsizetype end,
                      const std::function<void(int tag, qsizetype valueOffset)> &fn);

// Little-endian reads; the caller checks the bounds.
inline int u16At(const QByteArray &b, qsizetype p)
{
    return int(quint8(b[p])) | int(quint8(b[p + 1])) << 8;
}
inline quint32 u32At(const QByteArray &b, qsizetype p)
{
    return quint32(u16At(b, p)) | quint32(u16At(b, p + 2)) << 16;
}

} // namespace core::eexwalk
