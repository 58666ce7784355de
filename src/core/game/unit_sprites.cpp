#include "core/game/unit_sprites.h"

#include "core/game/e5_archive.h"
#include "core/game/game_data.h"
#include "core/game/game_files.h"
#include "core/game/sprite_palette.h"
#include "core/settings.h"

#include <QFile>
#include <QPainter>

#include <algorithm>

namespace core::game {

namespace {

QByteArray readAt(QFile &file, qint64 pos, qint64 len)
{
    QByteArray out;
    if (pos >= 0 && file.seek(pos))
        out = file.read(len);
    return out;
}

QString dataArchivePath(const QString &folder)
{
    QString name = readINI(QStringLiteral("FileName"), QStringLiteral("Data")).trimmed();
    if (name.isEmpty())
        name = kDefaultDataName;
    return gameFilePath(folder, name);
}

} // namespace

QByteArray unitSheetBytes(const QString &folder, int entry)
{
    QByteArray sheet;
    const QString path = gameFilePath(folder, kUnitSpriteArchiveName);
    if (entry >= 0) {
        const E5Archive archive(path);
        if (const auto dir = archive.isOpen() ? archive.directory(entry) : std::nullopt) {
            if (dir->isRaw()) {
                QFile file(path);
                if (file.open(QIODevice::ReadOnly))
                    sheet = readAt(file, dir->offset, kUnitSheetBytes);
            } else {
                sheet = archive.entry(entry).bytes;
            }
        }
    }
    sheet.resize(kUnitSheetBytes, '\0');
    return sheet;
}

QImage unitSpriteSheet(const QString &folder, int entry)
{
    return indexedSprite(unitSheetBytes(folder, entry), kUnitFrameWidth, kUnitFrameHeight * kUnitSheetFrames);
}

QImage unitFrameFromSheet(const QByteArray &sheet, int frame)
{
    if (frame < 0 || frame >= kUnitSheetFrames)
        return indexedSprite({}, kUnitFrameWidth, kUnitFrameHeight);
    const qsizetype start = qsizetype(frame) * kUnitFrameBytes;
    QByteArrayView bytes;
    if (start < sheet.size())
        bytes = QByteArrayView(sheet).sliced(start, std::min<qsizetype>(kUnitFrameBytes, sheet.size() - start));
    return indexedSprite(bytes, kUnitFrameWidth, kUnitFrameHeight);
}

QImage unitSpriteFrame(const QString &folder, int entry, int frame)
{
    return unitFrameFromSheet(unitSheetBytes(folder, entry), frame);
}

FacingSheet sheetForFacing(int facing)
{
    switch (facing) {
    case 0: return {1, false};
    case 1: return {0, true};
    case 3: return {1, true};
    default: return {0, false};
    }
}

QImage mirrorLeftRight(const QImage &image)
{
    return image.mirrored(true, false);
}

QByteArray personRecordBytes(const QString &folder, int person)
{
    if (person < 0 || person >= kPersonCount)
        return {};
    QFile file(dataArchivePath(folder));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto base = bytesToLongBE(readAt(file, kPersonTableField, 4));
    if (!base)
        return {};
    const QByteArray record = readAt(file, qint64(*base) + qint64(kPersonRecordSize) * person, kPersonRecordSize);
    return record.size() == kPersonRecordSize ? record : QByteArray();
}

int personMapModel(const QString &folder, int person)
{
    const QByteArray record = personRecordBytes(folder, person);
    return record.isEmpty() ? -1 : quint8(record[15]);
}

QImage modelSprite(const QString &folder, int model, int facing, int frame)
{
    const FacingSheet f = sheetForFacing(facing);
    QImage indexed = model < 0 ? indexedSprite({}, kUnitFrameWidth, kUnitFrameHeight)
                               : unitSpriteFrame(folder, unitSheetEntry(model, f.sheet), frame);
    if (f.mirrored)
        indexed = mirrorLeftRight(indexed);
    return keyedTransparent(indexed);
}

QImage personSprite(const QString &folder, int person, int facing, int frame)
{
    return modelSprite(folder, personMapModel(folder, person), facing, frame);
}

void drawUnitSprite(QPainter &painter, QPoint mapPoint, const QImage &sprite)
{
    painter.drawImage(mapPoint - kUnitSpriteFoot, sprite);
}

} // namespace core::game
