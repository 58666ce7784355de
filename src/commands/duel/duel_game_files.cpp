#include "commands/duel/duel_game_files.h"

#include "commands/common/face_picture.h"
#include "core/game/e5_archive.h"
#include "core/settings.h"

#include <QDir>
#include <QFile>

namespace commands::duel {

namespace {

using core::game::E5Archive;

constexpr qint64 kPersonTableField = 280;
constexpr int kPersonRecordSize = 32;
constexpr qint64 kBowTablePointer = 0x4166E;
constexpr qint64 kBowTableBase = 0x400C00;
constexpr qint64 kBowCodeBytes = 0x4161A;
const QByteArray kPlainBowCode = QByteArray::fromHex("8BCB83F906");

QString missingFile(const QString &name)
{
    return QStringLiteral("게임 폴더에 %1 파일이 없거나 열 수 없습니다.").arg(name);
}

QString shortFile(const QString &name, qint64 position)
{
    return QStringLiteral("%1 파일이 손상되었거나 너무 짧습니다 (위치 %2).").arg(name).arg(position);
}

// Bytes [pos, pos + n) of a file, or nothing when the file is missing or
// shorter.
std::optional<QByteArray> readAt(const QString &path, qint64 pos, qint64 n)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (pos < 0 || n < 0 || pos + n > file.size() || !file.seek(pos))
        return std::nullopt;
    QByteArray bytes = file.read(n);
    if (bytes.size() != n)
        return std::nullopt;
    return bytes;
}

std::optional<qint64> personRecord(const DuelFolder &f, int person)
{
    const auto field = readAt(f.path(f.dataName), kPersonTableField, 4);
    if (!field)
        return std::nullopt;
    const auto base = core::game::bytesToLongBE(*field);
    if (!base)
        return std::nullopt;
    return qint64(*base) + qint64(kPersonRecordSize) * person;
}

Read<int> personByte(const DuelFolder &f, int person, int offset, int width)
{
    if (!QFile::exists(f.path(f.dataName)))
        return Read<int>::fail(missingFile(f.dataName));
    const auto record = personRecord(f, person);
    if (!record)
        return Read<int>::fail(shortFile(f.dataName, kPersonTableField));
    const auto bytes = readAt(f.path(f.dataName), *record + offset, width);
    if (!bytes)
        return Read<int>::fail(shortFile(f.dataName, *record + offset));
    if (width == 1)
        return Read<int>::of(quint8((*bytes)[0]));
    return Read<int>::of(qint16(quint8((*bytes)[0]) | (quint8((*bytes)[1]) << 8)));
}

Read<QImage> jpegEntry(const DuelFolder &f, const QString &archive, int n)
{
    const Read<QByteArray> bytes = archiveEntry(f, archive, n);
    if (!bytes.ok())
        return Read<QImage>::fail(bytes.error.message);
    QImage image;
    if (!image.loadFromData(*bytes.value))
        return Read<QImage>::fail(
            QStringLiteral("%1의 %2번 그림을 읽을 수 없습니다.").arg(archive).arg(n));
    return Read<QImage>::of(image.convertToFormat(QImage::Format_RGB32));
}

} // namespace

QString DuelFolder::path(const QString &name) const
{
    return QDir(folder).filePath(name);
}

Read<QByteArray> archiveEntry(const DuelFolder &f, const QString &archive, int n, qint64 rawSize)
{
    const QString path = f.path(archive);
    E5Archive file(path);
    if (!file.isOpen())
        return Read<QByteArray>::fail(missingFile(archive));
    const auto dir = file.directory(n);
    if (!dir)
        return Read<QByteArray>::fail(
            QStringLiteral("%1에 %2번 항목이 없습니다.").arg(archive).arg(n));
    if (rawSize > 0 && dir->storedSize == rawSize) {
        const auto bytes = readAt(path, dir->offset, rawSize);
        if (!bytes)
            return Read<QByteArray>::fail(shortFile(archive, dir->offset));
        return Read<QByteArray>::of(*bytes);
    }
    core::game::E5Entry entry = file.entry(n);
    // A damaged packed stream still gives what it unpacked; the game shows
    // that too. Only an entry that cannot be read at all is an error.
    if (entry.status != core::game::E5Status::Ok && entry.status != core::game::E5Status::Damaged)
        return Read<QByteArray>::fail(core::game::e5StatusMessage(entry.status, archive, n, entry.errorPosition));
    return Read<QByteArray>::of(entry.bytes);
}

Read<QImage> duelBackground(const DuelFolder &f)
{
    return jpegEntry(f, QStringLiteral("LOGO.e5"), 5);
}

Read<QImage> faceImage(const DuelFolder &f, int entry)
{
    const QImage face = facePicture(f.folder, entry);
    if (face.isNull())
        return Read<QImage>::fail(QStringLiteral("face.e5의 %1번 얼굴 그림을 읽을 수 없습니다.").arg(entry));
    return Read<QImage>::of(face.convertToFormat(QImage::Format_RGB32));
}

int unitFrameSize(UnitKind kind)
{
    return kind == UnitKind::Atk ? 64 : 48;
}

Read<QByteArray> unitFrameBytes(const DuelFolder &f, UnitKind kind, int entry, int frame)
{
    static const struct {
        const char *archive;
        int frames;   // frames per entry
        int first;    // the sheet frame of frame 0
    } kKinds[] = {{"UNIT_ATK.e5", 12, 8}, {"UNIT_Mov.e5", 11, 0}, {"UNIT_SPC.e5", 5, 2}};
    const auto &k = kKinds[int(kind)];
    const QString archive = QString::fromLatin1(k.archive);
    const int side = unitFrameSize(kind);
    const qint64 frameBytes = qint64(side) * side;
    const Read<QByteArray> bytes = archiveEntry(f, archive, entry, frameBytes * k.frames);
    if (!bytes.ok())
        return bytes;
    const qint64 at = frameBytes * (frame + k.first);
    if (bytes.value->size() < at + frameBytes)
        return Read<QByteArray>::fail(
            QStringLiteral("%1의 %2번 항목이 너무 짧아 %3번 그림이 없습니다.").arg(archive).arg(entry).arg(frame + k.first));
    return Read<QByteArray>::of(bytes.value->mid(at, frameBytes));
}

Read<int> personModel(const DuelFolder &f, qint64 unitModelAddress, int person)
{
    if (!QFile::exists(f.path(f.exeName)))
        return Read<int>::fail(missingFile(f.exeName));
    const qint64 at = unitModelAddress + 2 * qint64(person);
    const auto bytes = readAt(f.path(f.exeName), at, 1);
    if (!bytes)
        return Read<int>::fail(shortFile(f.exeName, at));
    return Read<int>::of(quint8((*bytes)[0]));
}

Read<int> personFace(const DuelFolder &f, int person)
{
    return personByte(f, person, 13, 2);
}

Read<int> personTroop(const DuelFolder &f, int person)
{
    return personByte(f, person, 26, 1);
}

Read<bool> isBowTroop(const DuelFolder &f, int troop)
{
    const QString path = f.path(f.exeName);
    if (!QFile::exists(path))
        return Read<bool>::fail(missingFile(f.exeName));
    const auto pointer = readAt(path, kBowTablePointer, 4);
    if (!pointer)
        return Read<bool>::fail(shortFile(f.exeName, kBowTablePointer));
    const qint64 table = qint64(qint32(quint8((*pointer)[0]) | (quint8((*pointer)[1]) << 8) |
                                       (quint8((*pointer)[2]) << 16) | (quint32(quint8((*pointer)[3])) << 24))) -
                         kBowTableBase;
    // A table outside the file (an executable of another build) answers as
    // if its byte were not 6; the code bytes still decide.
    if (const auto entry = readAt(path, table + troop, 1); entry && quint8((*entry)[0]) == 6)
        return Read<bool>::of(true);
    const auto code = readAt(path, kBowCodeBytes, 5);
    if (!code)
        return Read<bool>::fail(shortFile(f.exeName, kBowCodeBytes));
    if (*code == kPlainBowCode)
        return Read<bool>::of(false);
    switch (troop) {
    case 6: case 7: case 8: case 12: case 13: case 14:
        return Read<bool>::of(true);
    default:
        return Read<bool>::of(false);
    }
}

int unitNumber(int model, int fighter, int troop, int troopCount)
{
    if (model == 0)
        return baseNumber(troop) + (fighter != 0 ? 2 : 0);
    if (model <= 32)
        return 3 * troopCount + 3 * (model - 1);
    return 3 * troopCount + 96 + (model - 33);
}

double leadingNumber(const QString &text)
{
    double value = 0.0;
    return core::parseLeadingNumber(text, &value) ? value : 0.0;
}

qint64 hexAddress(const QString &text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 16);
    return ok && v >= 0 ? v : 0;
}

} // namespace commands::duel
