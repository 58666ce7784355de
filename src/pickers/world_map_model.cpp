#include "pickers/world_map_model.h"

#include "core/game/e5_archive.h"
#include "core/game/game_files.h"
#include "core/game/unit_sprites.h"
#include "core/key_codec.h"
#include "core/tree_queries.h"
#include "pickers/scene_replay.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace pickers {

using core::keyField;

namespace {

QString mapArchivePath(const QString &folder)
{
    return core::game::gameFilePath(folder, QStringLiteral("mmap.e5"));
}

} // namespace

int mapArchiveEntryCount(const QString &folder)
{
    QFile file(mapArchivePath(folder));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(280))
        return -1;
    const auto offset = core::game::bytesToLongBE(file.read(4));
    return offset ? int(roundHalfEven(*offset / 12.0 - 23)) : -1;
}

QImage gameWorldMap(const QString &folder)
{
    const int n = mapArchiveEntryCount(folder);
    if (n < 1)
        return {};
    const core::game::E5Archive archive(mapArchivePath(folder));
    const auto dir = archive.isOpen() ? archive.directory(n - 1) : std::nullopt;
    if (!dir || dir->storedSize != kWorldMapBytes)
        return {};
    QFile file(mapArchivePath(folder));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(dir->offset))
        return {};
    return QImage::fromData(file.read(kWorldMapBytes));
}

QImage builtInWorldMap()
{
    QImage img(kWorldMapSize, QImage::Format_RGB32);
    img.fill(QColor(40, 80, 140));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // An invented continent with two rivers.
    QPainterPath land;
    land.moveTo(60, 120);
    land.cubicTo(160, 20, 420, 30, 560, 90);
    land.cubicTo(640, 160, 600, 330, 470, 370);
    land.cubicTo(330, 400, 120, 380, 70, 290);
    land.cubicTo(20, 220, 30, 160, 60, 120);
    p.fillPath(land, QColor(120, 150, 80));
    p.setPen(QPen(QColor(150, 130, 90), 10));
    p.drawArc(QRect(180, 90, 200, 140), 0, 180 * 16);
    p.setPen(QPen(QColor(60, 110, 170), 5));
    p.drawLine(QPoint(120, 300), QPoint(330, 220));
    p.drawLine(QPoint(330, 220), QPoint(560, 250));
    return img;
}

int faceEntryFor(const QString &folder, int person)
{
    const QByteArray record = core::game::personRecordBytes(folder, person);
    if (record.isEmpty())
        return 0;
    const int face = quint8(record[13]) | (quint8(record[14]) << 8);
    return face == 0 ? 0 : face + 7;
}

const QImage &FaceCache::face(int entry)
{
    auto it = m_faces.find(entry);
    if (it == m_faces.end()) {
        const core::game::E5Entry e =
            core::game::readE5Entry(core::game::gameFilePath(m_folder, QStringLiteral("face.e5")), entry);
        it = m_faces.insert(entry, QImage::fromData(e.bytes));
    }
    return *it;
}

bool faceShown(const QPoint &p)
{
    return p.x() != -1 && p.y() != -1;
}

QPoint boundedFacePoint(qint64 x, qint64 y)
{
    constexpr qint64 kFar = qint64(1) << 24;
    return {int(std::clamp(x, -kFar, kFar)), int(std::clamp(y, -kFar, kFar))};
}

core::NodeId faceReplayStart(const core::DocTree &tree, core::NodeId edited)
{
    core::NodeId walk = edited;
    if (walk != core::kNoNode && core::menuFind(tree, walk, 1, 0x27, QString(), true))
        return walk;
    return tree.firstChild(tree.root());
}

FaceBoard replayFaces(const core::DocTree &tree, core::NodeId start, const QString &endKey)
{
    FaceBoard board(kFacePersons, QPoint(-1, -1));
    replayFrom(tree, start, endKey, [&](core::NodeId node, int code) {
        if (code < 0x29 || code > 0x2B)
            return;
        const QString &key = tree.key(node);
        const int p = keyField(key, 9, 2);
        if (p >= kFacePersons)
            return;
        if (code == 0x2B)
            board[size_t(p)] = QPoint(-1, -1);
        else if (code == 0x29 || faceShown(board[size_t(p)]))
            board[size_t(p)] = boundedFacePoint(keyField(key, 17, 4), keyField(key, 29, 4));
    });
    return board;
}

void drawFace(QPainter &p, QPoint at, const QImage &face)
{
    if (!face.isNull())
        p.drawImage(at, face, QRect(0, 0, kFaceSize, kFaceSize));
}

void paintFaces(QImage &map, FaceCache &faces, const QString &folder, const FaceBoard &board)
{
    QPainter p(&map);
    for (int person = 0; person < int(board.size()); ++person)
        if (faceShown(board[size_t(person)]))
            drawFace(p, board[size_t(person)], faces.face(faceEntryFor(folder, person)));
}

} // namespace pickers
