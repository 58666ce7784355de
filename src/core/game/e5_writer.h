#pragma once
// Lays out an ".e5" archive from entry bytes that are already in their stored
// form (raw, or packed by whoever made them). The editor itself never writes
// game archives; the demo game folder and the test fixtures do.
#include "core/game/e5_archive.h"

#include <QByteArray>
#include <QList>

namespace core::game {

struct E5StoredEntry
{
    QByteArray stored;       // the bytes at the entry's offset
    qint32 unpackedSize = 0; // equal to stored.size() for a raw entry
    static E5StoredEntry raw(const QByteArray &bytes) { return {bytes, qint32(bytes.size())}; }
};

// Header, dictionary, directory, then `gap` zero bytes, then the entries in order.
QByteArray buildE5Archive(const QList<E5StoredEntry> &entries, const E5Dictionary &dict, qint64 gap = 0);
// Dictionary whose code v is byte v.
E5Dictionary identityDictionary();

} // namespace core::game
