#pragma once
// The battle-map picker without its window: which map the scenario shows,
// the scale it is shown at, the cell under the pointer, and the markers that
// the scenario's commands put on the map, replayed as a list of shapes.
#include "core/doc_tree.h"
#include "workspace/map_picks.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace pickers {

constexpr int kBattleCell = 48;       // pixels of a cell on the full-size map
constexpr int kMaxPersonRef = 5124;   // persons and groups below this are drawn

// The map number of the first battle background of the file in display
// order: a 0x27 whose kind (character 9) is 3 and whose map number
// (character 41) is not 0xFFFF.
std::optional<int> findBattleMapNumber(const core::DocTree &tree);

// "Map/M" + the last three digits of "00" + number + ".JPG" in the folder.
QString battleMapFileName(int mapNumber);
QString battleMapPath(const QString &folder, int mapNumber);

// 2, or 3 when the half-size map would not fit the screen.
int battleMapScale(QSize mapSize, QSize screenSize);
// Shown cell size: 24 at scale 2, 16 at scale 3.
constexpr int shownCellSize(int scale) { return kBattleCell / scale; }
// The cell under a pointer position on the shown map (rounded half to even).
QPoint cellAt(QPointF shownPos, int scale);

enum class MarkerShape { SmallSquare, LargeSquare, Fire, Ship, BurningShip, PlainCell, Frame };

struct MapMarker
{
    MarkerShape shape = MarkerShape::SmallSquare;
    QPoint cell;   // Frame: first cell of the block
    QPoint cell2;  // Frame: last cell of the block
    QColor colour;
    int width = 1; // Frame line width
    bool operator==(const MapMarker &) const = default;
};

// What the picker was asked for, as the opener read it from its boxes and
// lists.
using workspace::BattleMapRequest;

// When the markers are drawn: when the picker loads, or when the first
// corner of a rectangle has been clicked (no frame, a different order).
enum class ReplayPass { Load, CornerSet };

// The markers in drawing order.
std::vector<MapMarker> battleMapMarkers(const core::DocTree &tree, const BattleMapRequest &request,
                                        ReplayPass pass = ReplayPass::Load);

// The 48 x 48 sprites of things and obstacles: transparent around the shape.
QImage thingSprite(MarkerShape shape);

// Draws the markers on the full-size map; `plain` is the map as loaded
// (the source of PlainCell). Markers whose cell lies off the map are left out.
void paintMarkers(QImage &map, const QImage &plain, const std::vector<MapMarker> &markers);

// The little red square of a unit placed in the whole-list run, drawn on the
// shown (scaled) map.
void paintPlacedSquare(QImage &shown, QPoint cell, int scale);

} // namespace pickers
