#include "core/game/e5_archive.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace core::game {

std::optional<qint32> bytesToLongBE(QByteArrayView bytes, qsizetype pos)
{
    if (pos < 0 || pos > bytes.size() - 4)
        return std::nullopt;
    const auto b = [&](qsizetype i) { return quint32(quint8(bytes[pos + i])); };
    if (b(0) >= 0x80)
        return std::nullopt;
    return qint32((b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3));
}

// ---- bit reader -----------------------------------------------------------

namespace {
constexpr qint64 kChunkSize = 64 * 1024;
}

BitReader::BitReader(QByteArrayView bytes) : m_view(bytes) {}

BitReader::BitReader(QIODevice *device, qint64 limit) : m_device(device), m_deviceLeft(limit) {}

bool BitReader::nextByte()
{
    if (m_viewPos >= m_view.size()) {
        if (!m_device || m_deviceLeft == 0)
            return false;
        qint64 want = kChunkSize;
        if (m_deviceLeft > 0)
            want = std::min(want, m_deviceLeft);
        m_chunk = m_device->read(want);
        if (m_chunk.isEmpty())
            return false;
        if (m_deviceLeft > 0)
            m_deviceLeft -= m_chunk.size();
        m_view = m_chunk;
        m_viewPos = 0;
    }
    m_current = quint8(m_view[m_viewPos++]);
    m_bitsLeft = 8;
    ++m_consumed;
    return true;
}

qint64 BitReader::ReadBits(int n)
{
    if (n <= 0)
        return 0;
    qint64 result = 0;
    for (int i = 0; i < n; ++i) {
        if (m_bitsLeft == 0 && !nextByte())
            return -1;
        --m_bitsLeft;
        result = (result << 1) | ((m_current >> 7) & 1);
        m_current = quint8(m_current << 1);
    }
    return result;
}

qint64 BitReader::ReadGamma()
{
    qint64 value = 0;
    int count = 0;
    for (;;) {
        const qint64 b = ReadBits(1);
        if (b < 0)
            return -1;
        value = value * 2 + b;
        ++count;
        if (b == 0)
            break;
        // 31 ones would already need a value beyond 2^31 - 1.
        if (count >= 31)
            return -1;
    }
    const qint64 s = ReadBits(count);
    if (s < 0)
        return -1;
    const qint64 result = value + s;
    return result > 0x7FFFFFFF ? -1 : result;
}

// ---- decoder --------------------------------------------------------------

int decodeEntry(std::span<quint8> dst, const E5Dictionary &dict, qint64 remaining, BitReader &bits)
{
    bits.resetBits();
    if (remaining < 0 || remaining > qint64(dst.size()))
        return -1;
    qint64 i = 0;
    while (remaining > 0) {
        const qint64 v = bits.ReadGamma();
        if (v < 0)
            return -1;
        if (v < 256) {
            dst[size_t(i++)] = dict[size_t(v)];
            --remaining;
            continue;
        }
        const qint64 d = v - 256;
        if (d > i)
            return -1;
        const qint64 m = bits.ReadGamma();
        if (m < 0)
            return -1;
        const qint64 length = m + 3;
        // Copy what fits so a reader that shows damaged entries gets as much
        // as the stream held, then report the overrun.
        const qint64 n = std::min(length, remaining);
        for (qint64 k = 0; k < n; ++k, ++i)
            dst[size_t(i)] = dst[size_t(i - d)];
        remaining -= length;
    }
    return remaining < 0 ? -1 : 0;
}

// ---- archive --------------------------------------------------------------

QString e5StatusMessage(E5Status status, const QString &fileName, int entry, qint64 position)
{
    const QString where = position >= 0
        ? QStringLiteral(" (위치 0x%1)").arg(QString::number(position, 16).toUpper())
        : QString();
    switch (status) {
    case E5Status::Ok:
        return {};
    case E5Status::CannotOpen:
        return QStringLiteral("%1 파일을 열 수 없습니다.").arg(fileName);
    case E5Status::BadDirectory:
        return QStringLiteral("%1 파일의 %2번 항목 목록이 손상되었습니다.%3").arg(fileName).arg(entry).arg(where);
    case E5Status::BadOffset:
        return QStringLiteral("%1 파일의 %2번 항목 위치가 파일 밖을 가리킵니다.%3").arg(fileName).arg(entry).arg(where);
    case E5Status::TooLarge:
        return QStringLiteral("%1 파일의 %2번 항목 크기가 너무 큽니다.%3").arg(fileName).arg(entry).arg(where);
    case E5Status::Damaged:
        return QStringLiteral("%1 파일의 %2번 항목을 풀 수 없습니다.%3").arg(fileName).arg(entry).arg(where);
    }
    return {};
}

struct E5Archive::Impl
{
    std::unique_ptr<QFile> file;
    QByteArrayView memory;

    qint64 size() const { return file ? file->size() : memory.size(); }

    QByteArray readAt(qint64 pos, qint64 len) const
    {
        if (pos < 0 || len <= 0 || pos >= size())
            return {};
        len = std::min(len, size() - pos);
        if (!file)
            return memory.sliced(pos, len).toByteArray();
        if (!file->seek(pos))
            return {};
        return file->read(len);
    }
};

E5Archive::E5Archive(const QString &path) : d(std::make_unique<Impl>())
{
    if (path.isEmpty())
        return;
    auto file = std::make_unique<QFile>(path);
    if (file->open(QIODevice::ReadOnly))
        d->file = std::move(file);
}

E5Archive::~E5Archive() = default;

bool E5Archive::isOpen() const { return d->file != nullptr; }

qint64 E5Archive::fileSize() const { return d->size(); }

std::optional<E5DirectoryEntry> E5Archive::directory(int n) const
{
    if (n < 0)
        return std::nullopt;
    const QByteArray raw = d->readAt(kE5DirectoryOffset + kE5DirectoryStride * n, kE5DirectoryStride);
    const auto s = bytesToLongBE(raw, 0);
    const auto u = bytesToLongBE(raw, 4);
    const auto o = bytesToLongBE(raw, 8);
    if (!s || !u || !o)
        return std::nullopt;
    return E5DirectoryEntry{*s, *u, *o};
}

std::optional<E5Dictionary> E5Archive::dictionary() const
{
    const QByteArray raw = d->readAt(kE5DictionaryOffset, kE5DictionarySize);
    if (raw.size() != kE5DictionarySize)
        return std::nullopt;
    E5Dictionary dict{};
    std::memcpy(dict.data(), raw.constData(), dict.size());
    return dict;
}

E5Entry E5Archive::entry(int n) const
{
    E5Entry out;
    if (!d->file && d->memory.isNull())
        return out;
    const qint64 dirPos = kE5DirectoryOffset + kE5DirectoryStride * qint64(std::max(n, 0));
    const auto dir = directory(n);
    if (!dir) {
        out.status = E5Status::BadDirectory;
        out.errorPosition = dirPos;
        return out;
    }
    const qint64 size = d->size();
    if (dir->isRaw()) {
        if (qint64(dir->offset) + dir->storedSize > size) {
            out.status = E5Status::BadOffset;
            out.errorPosition = dirPos + 8;
            return out;
        }
        out.bytes = d->readAt(dir->offset, dir->storedSize);
        out.status = out.bytes.size() == dir->storedSize ? E5Status::Ok : E5Status::CannotOpen;
        return out;
    }
    if (dir->unpackedSize > kE5MaxUnpackedSize) {
        out.status = E5Status::TooLarge;
        out.errorPosition = dirPos + 4;
        return out;
    }
    const auto dict = dictionary();
    if (!dict) {
        out.status = E5Status::BadDirectory;
        out.errorPosition = kE5DictionaryOffset;
        return out;
    }
    if (dir->unpackedSize > 0 && dir->offset >= size) {
        out.status = E5Status::BadOffset;
        out.errorPosition = dirPos + 8;
        return out;
    }
    out.bytes = QByteArray(dir->unpackedSize, '\0');
    auto dst = std::span<quint8>(reinterpret_cast<quint8 *>(out.bytes.data()), size_t(out.bytes.size()));
    int rc;
    qint64 consumed;
    if (d->file) {
        d->file->seek(dir->offset);
        BitReader bits(d->file.get(), size - dir->offset);
        rc = decodeEntry(dst, *dict, dir->unpackedSize, bits);
        consumed = bits.bytesConsumed();
    } else {
        BitReader bits(d->memory.sliced(std::min<qint64>(dir->offset, size)));
        rc = decodeEntry(dst, *dict, dir->unpackedSize, bits);
        consumed = bits.bytesConsumed();
    }
    if (rc != 0) {
        out.status = E5Status::Damaged;
        out.errorPosition = dir->offset + std::max<qint64>(consumed - 1, 0);
        return out;
    }
    out.status = E5Status::Ok;
    return out;
}

E5Entry readE5EntryFromBytes(QByteArrayView archive, int n)
{
    E5Archive a{QString()};
    a.d->memory = archive.isNull() ? QByteArrayView("", 0) : archive;
    return a.entry(n);
}

E5Entry readE5Entry(const QString &path, int n)
{
    return E5Archive(path).entry(n);
}

} // namespace core::game
