#include "core/game/data_file_unpack.h"

#include "core/game/e5_archive.h"
#include "core/game/game_data.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cstring>

namespace core::game {

namespace {

constexpr qint64 kDirectoryEnd = kE5DirectoryOffset + kE5DirectoryStride * kDataFileEntryCount;
// The caller only hands us short files; anything far larger is not the
// archive we unpack and is not read whole.
constexpr qint64 kMaxInputSize = 16 * 1024 * 1024;

QString hexPos(qint64 pos) { return QString::number(pos, 16).toUpper(); }

// What the name loader reads from each entry once it is raw: the person
// table in entry 0, the item table in entry 1. An entry that unpacks to less
// is damaged, and the file is not rewritten for it.
qint64 neededEntrySize(int entry)
{
    switch (entry) {
    case 0: return qint64(kPersonRecordSize) * kPersonCount;
    case 1: return qint64(kItemRecordSize) * kDataItemCount;
    default: return 0;
    }
}

DataFileResult fail(DataFileStatus status, const QString &name, int entry = -1, qint64 pos = -1,
                    const QString &detail = {})
{
    DataFileResult r;
    r.status = status;
    r.entry = entry;
    r.position = pos;
    const QString kept = QStringLiteral(" 파일은 바뀌지 않았습니다.");
    switch (status) {
    case DataFileStatus::CannotOpen:
        r.message = QStringLiteral("데이터 파일 %1을(를) 열 수 없습니다.").arg(name);
        break;
    case DataFileStatus::NotArchive:
        r.message = QStringLiteral("데이터 파일 %1이(가) 게임 자료 파일 형식이 아닙니다 (위치 0x%2).").arg(name, hexPos(pos)) + kept;
        break;
    case DataFileStatus::TrailingData:
        r.message = QStringLiteral("데이터 파일 %1의 마지막 항목 뒤에 알 수 없는 자료가 있습니다 (위치 0x%2).").arg(name, hexPos(pos)) + kept;
        break;
    case DataFileStatus::Damaged:
        r.message = QStringLiteral("데이터 파일 %1의 %2번 항목이 손상되어 풀 수 없습니다 (위치 0x%3).").arg(name).arg(entry).arg(hexPos(pos)) + kept;
        break;
    case DataFileStatus::WriteFailed:
        r.message = QStringLiteral("데이터 파일 %1을(를) 다시 쓰지 못했습니다: %2").arg(name, detail) + kept;
        break;
    default:
        break;
    }
    return r;
}

void putBE(QByteArray &bytes, qint64 pos, quint32 value)
{
    bytes[pos] = char(value >> 24);
    bytes[pos + 1] = char(value >> 16);
    bytes[pos + 2] = char(value >> 8);
    bytes[pos + 3] = char(value);
}

} // namespace

DataFileResult decodeDataFile(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return fail(DataFileStatus::CannotOpen, name);
    if (in.size() > kMaxInputSize)
        return fail(DataFileStatus::NotArchive, name, -1, kMaxInputSize);
    const QByteArray file = in.readAll();
    in.close();
    const qint64 size = file.size();
    if (size < kDirectoryEnd)
        return fail(DataFileStatus::NotArchive, name, -1, size);

    std::array<E5DirectoryEntry, kDataFileEntryCount> dir;
    qint64 end = 0;
    bool allRaw = true;
    for (int k = 0; k < kDataFileEntryCount; ++k) {
        const qint64 at = kE5DirectoryOffset + kE5DirectoryStride * k;
        const auto s = bytesToLongBE(file, at);
        const auto u = bytesToLongBE(file, at + 4);
        const auto o = bytesToLongBE(file, at + 8);
        if (!s || !u || !o)
            return fail(DataFileStatus::NotArchive, name, k, at);
        if (*u > kE5MaxUnpackedSize)
            return fail(DataFileStatus::NotArchive, name, k, at + 4);
        if (*o < kDirectoryEnd || qint64(*o) + *s > size)
            return fail(DataFileStatus::NotArchive, name, k, at + 8);
        dir[k] = {*s, *u, *o};
        end = std::max(end, qint64(*o) + *s);
        allRaw = allRaw && dir[k].isRaw();
    }
    if (allRaw) {
        DataFileResult r;
        r.status = DataFileStatus::AlreadyUnpacked;
        return r;
    }
    if (end < size)
        return fail(DataFileStatus::TrailingData, name, -1, end);
    for (int k = 0; k < kDataFileEntryCount; ++k)
        if (dir[k].unpackedSize < neededEntrySize(k))
            return fail(DataFileStatus::Damaged, name, k, kE5DirectoryOffset + kE5DirectoryStride * k + 4);

    E5Dictionary dict{};
    std::memcpy(dict.data(), file.constData() + kE5DictionaryOffset, dict.size());

    // Everything is decoded before a byte is written.
    std::array<QByteArray, kDataFileEntryCount> unpacked;
    for (int k = 0; k < kDataFileEntryCount; ++k) {
        const E5DirectoryEntry &e = dir[k];
        const QByteArrayView stored = QByteArrayView(file).sliced(e.offset, e.storedSize);
        if (e.isRaw()) {
            unpacked[k] = stored.toByteArray();
            continue;
        }
        unpacked[k] = QByteArray(e.unpackedSize, '\0');
        BitReader bits(stored);
        auto dst = std::span<quint8>(reinterpret_cast<quint8 *>(unpacked[k].data()), size_t(e.unpackedSize));
        if (decodeEntry(dst, dict, e.unpackedSize, bits) != 0)
            return fail(DataFileStatus::Damaged, name, k, e.offset + std::max<qint64>(bits.bytesConsumed() - 1, 0));
    }

    // Entries follow each other from entry 0's old offset, all raw.
    const qint64 base = dir[0].offset;
    qint64 total = base;
    for (const QByteArray &b : unpacked)
        total += b.size();
    if (total > 0x7FFFFFFF)
        return fail(DataFileStatus::NotArchive, name, -1, base);
    QByteArray out = file.left(base);
    out.reserve(std::max(total, size));
    qint64 at = base;
    for (int k = 0; k < kDataFileEntryCount; ++k) {
        const qint64 field = kE5DirectoryOffset + kE5DirectoryStride * k;
        putBE(out, field, quint32(unpacked[k].size()));
        if (k > 0)
            putBE(out, field + 8, quint32(at));
        out += unpacked[k];
        at += unpacked[k].size();
    }
    // A new content shorter than the old keeps the old tail, as an in-place
    // write would.
    if (out.size() < size)
        out += file.mid(out.size());

    QSaveFile save(path);
    if (!save.open(QIODevice::WriteOnly))
        return fail(DataFileStatus::WriteFailed, name, -1, -1, save.errorString());
    if (save.write(out) != out.size() || !save.commit())
        return fail(DataFileStatus::WriteFailed, name, -1, -1, save.errorString());
    DataFileResult r;
    r.status = DataFileStatus::Unpacked;
    return r;
}

} // namespace core::game
