#include "pickers/stage_map_model.h"

#include "core/game/e5_archive.h"
#include "core/game/game_files.h"
#include "core/game/unit_sprites.h"
#include "core/key_codec.h"
#include "core/tree_queries.h"
#include "pickers/scene_replay.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace pickers {

using core::keyField;

QPoint stageMapPoint(QPoint cell)
{
    // Stored cells can be anything a 4-byte field holds: a far-off cell stays
    // far off the stage without overflowing the painter's coordinates.
    static constexpr qint64 kFar = qint64(1) << 24;
    const auto bounded = [](qint64 v) { return int(std::clamp(v, -kFar, kFar)); };
    const qint64 x = cell.x(), y = cell.y();
    return {bounded(8 * (x - y) + 336), bounded(4 * (x + y) - 200)};
}

QPoint stageCellAt(QPointF pos)
{
    const qint64 u = roundHalfEven(pos.x() - 24 - 312);
    const qint64 v = roundHalfEven(pos.y() - 16 + 216);
    // Integer division truncates toward zero, as the stage's formula asks.
    const qint64 x = (u + 2 * v) / 16;
    const qint64 y = (v - 4 * x) / 4;
    return {int(x), int(y)};
}

std::optional<InnerBackground> findInnerBackground(const core::DocTree &tree, core::NodeId selected)
{
    core::NodeId walk = selected;
    if (walk == core::kNoNode || !core::menuFind(tree, walk, 1, 0x27, QString(), true))
        return std::nullopt;
    const QString &key = tree.key(walk);
    if (keyField(key, 9, 2) != 2 || keyField(key, 33, 2) == 0xFFFF)
        return std::nullopt;
    return InnerBackground{walk, keyField(key, 33, 2)};
}

QByteArray mapArchiveEntryAsStored(const QString &folder, int entry)
{
    const QString path = core::game::gameFilePath(folder, QStringLiteral("mmap.e5"));
    const core::game::E5Archive archive(path);
    if (!archive.isOpen() || entry < 0)
        return {};
    const auto dir = archive.directory(entry);
    if (!dir || dir->unpackedSize <= 0 || dir->unpackedSize > core::game::kE5MaxUnpackedSize)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(dir->offset))
        return {};
    return file.read(dir->unpackedSize);
}

QImage innerBackgroundPicture(const QString &folder, int mmap1Max, int number)
{
    const qint64 entry = qint64(mmap1Max) + number;
    if (entry < 0 || entry > 0xFFFF)
        return {};
    return QImage::fromData(mapArchiveEntryAsStored(folder, int(entry)));
}

Stage replayStage(const core::DocTree &tree, core::NodeId start, const QString &endKey)
{
    Stage stage(kStagePersons);
    replayFrom(tree, start, endKey, [&](core::NodeId node, int code) {
        const QString &key = tree.key(node);
        switch (code) {
        case 0x30: {
            const int p = keyField(key, 9, 2);
            if (p < kStagePersons)
                stage[p] = {keyField(key, 17, 4), keyField(key, 29, 4), keyField(key, 41, 2)};
            break;
        }
        case 0x31: {
            const int p = keyField(key, 17, 2);
            if (keyField(key, 9, 2) == 0 && p < kStagePersons)
                stage[p].x = stage[p].y = -1;
            break;
        }
        case 0x32: {
            const int mode = keyField(key, 9, 2), p = keyField(key, 17, 2);
            if ((mode == 0 || mode == 0xFFFF) && p < kStagePersons && stage[p].onStage())
                stage[p] = {keyField(key, 37, 4), keyField(key, 49, 4), keyField(key, 61, 2)};
            break;
        }
        case 0x33: {
            const int p = keyField(key, 9, 2);
            if (p < kStagePersons && stage[p].onStage())
                stage[p].dir = keyField(key, 25, 2);
            break;
        }
        default:
            break;
        }
    });
    return stage;
}

void paintStage(QImage &map, const QString &folder, const Stage &stage)
{
    QPainter p(&map);
    for (int person = 0; person < int(stage.size()); ++person) {
        const StagePerson &s = stage[size_t(person)];
        if (!s.onStage())
            continue;
        const qint64 px = 8 * (qint64(s.x) - s.y) + 336, py = 4 * (qint64(s.x) + s.y) - 200;
        // Variable coordinates land far off the picture: nothing to draw.
        if (px < -64 || py < -64 || px > map.width() + 64 || py > map.height() + 64)
            continue;
        core::game::drawUnitSprite(p, QPoint(int(px), int(py)), core::game::personSprite(folder, person, s.dir));
    }
}

int placingFacing(int listIndex)
{
    return listIndex >= 0 && listIndex <= 2 ? listIndex : 3;
}

} // namespace pickers
