// Fuzzes the ".e5" decoder and archive reader. Input: 2 bytes of requested
// size, 1 byte entry number, then bytes used both as a bare stream and as a
// whole archive.
#include "core/game/e5_archive.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
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
    const int rc = core::game::DecodeEntry(std::span<quint8>(dst.data(), dst.size()), dict, request, bits);
    if (rc != 0 && rc != -1)
        __builtin_trap();

    const core::game::E5Entry e = core::game::ReadE5EntryFromBytes(rest, entry);
    if (e.ok() && e.bytes.size() > rest.size() && e.bytes.size() > core::game::kE5MaxUnpackedSize)
        __builtin_trap();
    return 0;
}
