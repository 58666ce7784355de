#include "core/game/e5_writer.h"

#include <QHash>

namespace core::game {

namespace {
void appendBE(QByteArray &out, quint32 v)
{
    out.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}
} // namespace

E5Dictionary identityDictionary()
{
    E5Dictionary d{};
    for (int i = 0; i < 256; ++i)
        d[size_t(i)] = quint8(i);
    return d;
}

QByteArray buildE5Archive(const QList<E5StoredEntry> &entries, const E5Dictionary &dict, qint64 gap)
{
    QByteArray out("STORYLOOM-E5", 12);
    out.append(4, '\0');
    out.append(reinterpret_cast<const char *>(dict.data()), qsizetype(dict.size()));
    // Entries that share one payload (copies of the same byte array) point
    // at one stored copy, so a large directory of alike entries stays small.
    QHash<const char *, quint32> storedAt;
    QList<const QByteArray *> payloads;
    quint32 offset = quint32(kE5DirectoryOffset + kE5DirectoryStride * entries.size() + gap);
    for (const E5StoredEntry &e : entries) {
        quint32 at = offset;
        const char *data = e.stored.isEmpty() ? nullptr : e.stored.constData();
        if (const auto it = storedAt.constFind(data); data && it != storedAt.constEnd()) {
            at = *it;
        } else {
            if (data)
                storedAt.insert(data, offset);
            payloads << &e.stored;
            offset += quint32(e.stored.size());
        }
        appendBE(out, quint32(e.stored.size()));
        appendBE(out, quint32(e.unpackedSize));
        appendBE(out, at);
    }
    out.append(gap, '\0');
    for (const QByteArray *payload : payloads)
        out += *payload;
    return out;
}

} // namespace core::game
