// Fuzzes the ".e5" decoder and archive reader. The first byte picks the mode.
//
// Even: 2 bytes of requested size, 1 byte entry number, then bytes used both
// as a bare stream and as a whole archive.
//
// Odd (structure-aware): the input describes an archive whose header,
// dictionary and directory are well formed, so every input reaches the
// entries: 1 byte entry count (1..4), per entry 2 bytes stored size and
// 2 bytes unpacked size (both big-endian), then the entries' data back to
// back, then bytes that become the dictionary (identity where missing).
// Offsets are laid out so entries follow the directory, unless the top bit
// of a stored size asks for an offset that points past the file.
#include "core/game/e5_archive.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace {

void putBE(QByteArray &out, qsizetype at, quint32 v)
{
    out[at] = char(v >> 24);
    out[at + 1] = char(v >> 16);
    out[at + 2] = char(v >> 8);
    out[at + 3] = char(v);
}

int rawMode(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const qint64 request = (qint64(data[0]) << 8) | data[1];
    const int entry = data[2] % 8;
    const QByteArrayView rest(reinterpret_cast<const char *>(data + 3), qsizetype(size - 3));

    core::game::E5Dictionary dict{};
    for (int i = 0; i < 256; ++i)
        dict[size_t(i)] = quint8(i);
    // Exactly the request, so any write past it is caught by the sanitizer.
    std::vector<quint8> dst(static_cast<size_t>(request));
    core::game::BitReader bits(rest);
    const int rc = core::game::decodeEntry(std::span<quint8>(dst.data(), dst.size()), dict, request, bits);
    if (rc != 0 && rc != -1)
        __builtin_trap();

    const core::game::E5Entry e = core::game::readE5EntryFromBytes(rest, entry);
    if (e.ok() && e.bytes.size() > rest.size() && e.bytes.size() > core::game::kE5MaxUnpackedSize)
        __builtin_trap();
    return 0;
}

int structuredMode(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int count = data[0] % 4 + 1;
    size_t at = 1;
    struct Sizes {
        quint32 stored, unpacked;
        bool pastEnd;
    };
    std::vector<Sizes> sizes;
    for (int i = 0; i < count; ++i) {
        if (at + 4 > size)
            return 0;
        const quint32 stored = quint32(data[at] & 0x7F) << 8 | data[at + 1];
        sizes.push_back({stored, quint32(data[at + 2]) << 8 | data[at + 3], (data[at] & 0x80) != 0});
        at += 4;
    }
    const qint64 directoryEnd = core::game::kE5DirectoryOffset + core::game::kE5DirectoryStride * count;
    QByteArray archive(directoryEnd, '\0');
    const char magic[] = "\x00\x10\x01STORYLOOM-E5";
    for (int i = 0; i < 16; ++i)
        archive[i] = magic[i];
    qint64 offset = directoryEnd;
    QByteArray payload;
    for (int i = 0; i < count; ++i) {
        const qsizetype dirAt = core::game::kE5DirectoryOffset + core::game::kE5DirectoryStride * i;
        putBE(archive, dirAt, sizes[size_t(i)].stored);
        putBE(archive, dirAt + 4, sizes[size_t(i)].unpacked);
        putBE(archive, dirAt + 8, sizes[size_t(i)].pastEnd ? quint32(offset + 1000000) : quint32(offset));
        const size_t take = std::min<size_t>(sizes[size_t(i)].stored, size - at);
        payload.append(reinterpret_cast<const char *>(data + at), qsizetype(take));
        at += take;
        offset += qint64(sizes[size_t(i)].stored);
    }
    for (int i = 0; i < 256; ++i)
        archive[16 + i] = at < size ? char(data[at++]) : char(i);
    archive += payload;
    for (int i = 0; i < count + 1; ++i) {
        const core::game::E5Entry e = core::game::readE5EntryFromBytes(archive, i);
        if (i < count && e.ok() && e.bytes.size() != qsizetype(sizes[size_t(i)].unpacked))
            __builtin_trap();
    }
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    return (data[0] & 1) ? structuredMode(data + 1, size - 1) : rawMode(data + 1, size - 1);
}
