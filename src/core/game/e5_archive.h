#pragma once
// The game's ".e5" archive: a 16-byte header, a 256-byte dictionary of literal
// bytes and a directory of 12-byte big-endian entries (stored size, unpacked
// size, offset). An entry whose two sizes are equal is stored raw; otherwise a
// bit stream at its offset unpacks to exactly the unpacked size.
//
// Every field comes from a file we do not control, so every read is bounded:
// a damaged archive gives a status, never a read or write past a buffer.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

class QIODevice;

namespace core::game {

constexpr qint64 kE5DictionaryOffset = 16;
constexpr qint64 kE5DictionarySize = 256;
constexpr qint64 kE5DirectoryOffset = 272;
constexpr qint64 kE5DirectoryStride = 12;
// No entry of the game comes near this; a larger unpacked size is damage and
// must not make us allocate gigabytes.
constexpr qint64 kE5MaxUnpackedSize = 64 * 1024 * 1024;

using E5Dictionary = std::array<quint8, 256>;

// A 4-byte big-endian directory number. Empty when fewer than 4 bytes are left
// at pos or the first byte is 0x80 or more (the number would not fit).
std::optional<qint32> bytesToLongBE(QByteArrayView bytes, qsizetype pos = 0);

// Bits most significant first, from memory or from an open device (read in
// chunks). Reading past the end fails with -1.
class BitReader
{
public:
    explicit BitReader(QByteArrayView bytes);
    // Reads the device from its current position, at most limit bytes
    // (-1: up to its end).
    explicit BitReader(QIODevice *device, qint64 limit = -1);

    // Forgets a partly used byte: the next bit comes from the next byte.
    void resetBits() { m_bitsLeft = 0; }
    // The next n bits as an unsigned number; 0 for n <= 0; -1 at the end of input.
    qint64 ReadBits(int n);
    // One variable-length number: k one-bits, a zero-bit, then k + 1 bits s;
    // the value is 2^(k+1) - 2 + s. -1 at the end of input or when the value
    // would not fit in 31 bits.
    qint64 ReadGamma();
    // Bytes taken from the input so far.
    qint64 bytesConsumed() const { return m_consumed; }

private:
    bool nextByte();

    QByteArrayView m_view;
    qsizetype m_viewPos = 0;
    QIODevice *m_device = nullptr;
    qint64 m_deviceLeft = -1;
    QByteArray m_chunk;
    quint8 m_current = 0;
    int m_bitsLeft = 0;
    qint64 m_consumed = 0;
};

// Unpacks tokens into dst from element 0 until `remaining` bytes are produced.
// dst must be zero-filled (a distance of 0 keeps what it holds). Returns 0 on
// success, -1 when the input ends, a distance reaches before the first byte,
// the last copy runs past `remaining`, or `remaining` does not fit dst.
// Nothing is ever written outside dst.
int decodeEntry(std::span<quint8> dst, const E5Dictionary &dict, qint64 remaining, BitReader &bits);

struct E5DirectoryEntry
{
    qint32 storedSize = 0;
    qint32 unpackedSize = 0;
    qint32 offset = 0;
    bool isRaw() const { return storedSize == unpackedSize; }
};

enum class E5Status {
    Ok,
    CannotOpen,     // the archive is missing or unreadable
    BadDirectory,   // the entry's directory fields are missing or out of range
    BadOffset,      // the entry's bytes lie outside the file
    TooLarge,       // the unpacked size is beyond any real entry
    Damaged,        // the packed stream does not unpack cleanly
};

struct E5Entry
{
    E5Status status = E5Status::CannotOpen;
    // On Damaged the bytes are still the full unpacked size: what decoded,
    // then zeros (what the game's readers show for a damaged entry).
    QByteArray bytes;
    qint64 errorPosition = -1; // file offset of the fault, -1 when none
    bool ok() const { return status == E5Status::Ok; }
};

// A user-facing line for a failed read ("" for Ok).
QString e5StatusMessage(E5Status status, const QString &fileName, int entry, qint64 position);

E5Entry readE5EntryFromBytes(QByteArrayView archive, int n);

// One archive file, opened read-only for as many entry reads as needed.
class E5Archive
{
public:
    explicit E5Archive(const QString &path);
    ~E5Archive();
    E5Archive(const E5Archive &) = delete;
    E5Archive &operator=(const E5Archive &) = delete;

    bool isOpen() const;
    qint64 fileSize() const;
    std::optional<E5DirectoryEntry> directory(int n) const;
    std::optional<E5Dictionary> dictionary() const;
    E5Entry entry(int n) const;

private:
    friend E5Entry readE5EntryFromBytes(QByteArrayView archive, int n);
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Reads entry n of an archive held in memory / of the file at path.
E5Entry readE5EntryFromBytes(QByteArrayView archive, int n);
E5Entry readE5Entry(const QString &path, int n);

} // namespace core::game
