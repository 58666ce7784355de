#pragma once
// The world-map face picker without its window: the world map picture, the
// faces that the map-face commands before the edited node leave on it, and
// where each person's face picture comes from.
#include "core/doc_tree.h"

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

namespace pickers {

constexpr int kFacePersons = 1028;
constexpr int kFaceSize = 120;
constexpr int kWorldMapBytes = 256000;
constexpr QSize kWorldMapSize{640, 400};

// Entries of "mmap.e5" as the picker counts them: the data offset of entry 0
// divided by 12, less 23, rounded half to even; -1 when unreadable.
int mapArchiveEntryCount(const QString &folder);
// The last entry of "mmap.e5" when it is stored in exactly 256,000 bytes;
// a null image otherwise.
QImage gameWorldMap(const QString &folder);
// The map shown when the game's cannot be used: drawn in code.
QImage builtInWorldMap();

// The "face.e5" entry of a person: face number + 7, or 0 for face 0 (and
// when the data archive cannot be read).
int faceEntryFor(const QString &folder, int person);
// A face picture, read once per entry and kept.
class FaceCache
{
public:
    explicit FaceCache(QString folder) : m_folder(std::move(folder)) {}
    const QImage &face(int entry);

private:
    QString m_folder;
    QHash<int, QImage> m_faces;
};

// The face of a person on the map: its top-left pixel, or (-1, -1).
using FaceBoard = std::vector<QPoint>; // kFacePersons entries
bool faceShown(const QPoint &p);
// A stored position held where the painter's coordinates cannot overflow:
// anything beyond stays far off the map, -1 stays -1.
QPoint boundedFacePoint(qint64 x, qint64 y);

// Where the replay starts: the nearest background (0x27) before the edited
// node of any kind, else the first Scene.
core::NodeId faceReplayStart(const core::DocTree &tree, core::NodeId edited);
FaceBoard replayFaces(const core::DocTree &tree, core::NodeId start, const QString &endKey);

// Draws a face's top-left 120 x 120 pixels with its top-left at `at`.
void drawFace(QPainter &p, QPoint at, const QImage &face);
void paintFaces(QImage &map, FaceCache &faces, const QString &folder, const FaceBoard &board);

} // namespace pickers
