#include "pickers/battle_map_model.h"

#include "core/game/game_files.h"
#include "core/key_codec.h"
#include "core/tree_queries.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace pickers {

using core::DocTree;
using core::keyField;
using core::NodeId;

namespace {

const QColor kRed(255, 0, 0);
const QColor kOrange(255, 127, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);
const QColor kSkyBlue(0, 127, 255);
const QColor kLightYellow(255, 255, 127);
const QColor kGreen(0, 255, 0);

// The node after `n` and all of its children in display order.
NodeId afterSubtree(const DocTree &tree, NodeId n)
{
    while (n != core::kNoNode) {
        if (const NodeId next = tree.next(n); next != core::kNoNode)
            return next;
        n = tree.parent(n);
    }
    return core::kNoNode;
}

// The command nodes of one code in display order, in every Scene and list.
std::vector<NodeId> nodesOfCode(const DocTree &tree, int code, bool firstOnly = false)
{
    std::vector<NodeId> found;
    NodeId walk = tree.firstChild(tree.root());
    while (walk != core::kNoNode && core::menuFind(tree, walk, 1, code, QString(), false)) {
        found.push_back(walk);
        if (firstOnly)
            break;
        walk = afterSubtree(tree, walk);
    }
    return found;
}

std::optional<NodeId> firstOfCode(const DocTree &tree, int code)
{
    const std::vector<NodeId> n = nodesOfCode(tree, code, true);
    return n.empty() ? std::nullopt : std::optional<NodeId>(n.front());
}

QPoint keyCell(const QString &key, int xPos, int yPos)
{
    return {keyField(key, xPos, 4), keyField(key, yPos, 4)};
}

class Replay
{
public:
    Replay(const DocTree &tree, const BattleMapRequest &r) : m_tree(tree), m_r(r) {}

    std::vector<MapMarker> markers;

    void things()
    {
        for (NodeId n : nodesOfCode(m_tree, 0x21)) {
            const QString &key = m_tree.key(n);
            QPoint cell = keyCell(key, 9, 21);
            int flag = keyField(key, 33, 2);
            if (editedThing(n)) {
                cell = {m_r.x0, m_r.y0};
                flag = m_r.objectKind;
            }
            add(flag == 0 ? MarkerShape::Fire : MarkerShape::PlainCell, cell, {});
        }
    }

    void obstacles()
    {
        for (NodeId n : nodesOfCode(m_tree, 0x58)) {
            const QString &key = m_tree.key(n);
            QPoint cell = keyCell(key, 33, 45);
            int kind = keyField(key, 9, 2);
            if (editedThing(n)) {
                cell = {m_r.x0, m_r.y0};
                kind = m_r.objectKind;
            }
            static constexpr MarkerShape kShapes[] = {MarkerShape::Fire, MarkerShape::Ship, MarkerShape::BurningShip};
            if (kind >= 0 && kind < 3)
                add(kShapes[kind], cell, {});
        }
    }

    // Every own unit as a small red square; `testIndex` leaves out those
    // whose value at character 9 is not a person.
    void ownUnits(bool testIndex)
    {
        for (NodeId n : nodesOfCode(m_tree, 0x4B)) {
            const QString &key = m_tree.key(n);
            const QPoint cell = keyCell(key, 21, 33);
            if (cell == QPoint(0, 0) || (testIndex && keyField(key, 9, 2) >= kMaxPersonRef))
                continue;
            add(MarkerShape::SmallSquare, cell, kRed);
        }
    }

    // Mode 5 for one unit: the edited unit where its dialog has it now.
    void ownUnitsLarge()
    {
        const QPoint boxes(m_r.x0, m_r.y0);
        for (NodeId n : nodesOfCode(m_tree, 0x4B)) {
            const QString &key = m_tree.key(n);
            const QPoint cell = keyField(key, 9, 2) == m_r.sortieIndex ? boxes : keyCell(key, 21, 33);
            if (cell == QPoint(0, 0))
                continue;
            add(MarkerShape::LargeSquare, cell, cell == boxes ? kLightYellow : kRed);
        }
    }

    void army(int code)
    {
        const std::optional<NodeId> n = firstOfCode(m_tree, code);
        if (!n)
            return;
        const QString &key = m_tree.key(*n);
        const bool allied = code == 0x46;
        const int slotCount = allied ? 20 : 80, stride = allied ? 104 : 112;
        const int xAt = allied ? 25 : 33, yAt = allied ? 37 : 45;
        for (int i = 0; i < slotCount; ++i) {
            if (keyField(key, 9 + stride * i, 2) >= kMaxPersonRef)
                continue;
            add(MarkerShape::SmallSquare, keyCell(key, xAt + stride * i, yAt + stride * i), allied ? kOrange : kBlue);
        }
    }

    void openerUnits(const QColor &highlight, const QColor &normal)
    {
        const QPoint boxes(m_r.x0, m_r.y0);
        for (qsizetype i = 0; i < m_r.unitNames.size(); ++i) {
            if (m_r.unitNames[i] == QStringLiteral("無") || size_t(i) >= m_r.unitX.size() || size_t(i) >= m_r.unitY.size())
                continue;
            const QPoint cell(m_r.unitX[size_t(i)], m_r.unitY[size_t(i)]);
            add(MarkerShape::LargeSquare, cell, cell == boxes ? highlight : normal);
        }
    }

    void frame(QPoint a, QPoint b, int width)
    {
        MapMarker m{MarkerShape::Frame, a, b, kGreen, width};
        markers.push_back(m);
    }

private:
    bool editedThing(NodeId n) const
    {
        return m_r.mode == 6 && m_r.objectNode != core::kNoNode && n == m_r.objectNode;
    }
    void add(MarkerShape shape, QPoint cell, const QColor &colour)
    {
        markers.push_back(MapMarker{shape, cell, cell, colour, 1});
    }

    const DocTree &m_tree;
    const BattleMapRequest &m_r;
};

} // namespace

std::optional<int> findBattleMapNumber(const DocTree &tree)
{
    for (NodeId n : nodesOfCode(tree, 0x27)) {
        const QString &key = tree.key(n);
        if (keyField(key, 9, 2) == 3 && keyField(key, 41, 2) != 0xFFFF)
            return keyField(key, 41, 2);
    }
    return std::nullopt;
}

QString battleMapFileName(int mapNumber)
{
    return QStringLiteral("M") + (QStringLiteral("00") + QString::number(mapNumber)).right(3) + QStringLiteral(".JPG");
}

QString battleMapPath(const QString &folder, int mapNumber)
{
    return core::game::gameFilePath(folder, QStringLiteral("Map/") + battleMapFileName(mapNumber));
}

int battleMapScale(QSize mapSize, QSize screenSize)
{
    return (screenSize.width() < mapSize.width() / 2 || screenSize.height() < mapSize.height() / 2) ? 3 : 2;
}

QPoint cellAt(QPointF shownPos, int scale)
{
    const int h = shownCellSize(scale);
    // nearbyint rounds a half to the even neighbour in the default mode.
    const auto x = qint64(std::nearbyint(shownPos.x())), y = qint64(std::nearbyint(shownPos.y()));
    return {int(x / h), int(y / h)};
}

std::vector<MapMarker> battleMapMarkers(const DocTree &tree, const BattleMapRequest &r, ReplayPass pass)
{
    Replay replay(tree, r);
    if (pass == ReplayPass::CornerSet) {
        replay.ownUnits(true);
        replay.army(0x46);
        replay.army(0x47);
        replay.things();
        replay.obstacles();
        return replay.markers;
    }
    replay.things();
    replay.obstacles();
    switch (r.mode) {
    case 1:
        replay.openerUnits(kYellow, kOrange);
        replay.army(0x47);
        replay.ownUnits(false);
        break;
    case 2:
        replay.openerUnits(kSkyBlue, kBlue);
        replay.army(0x46);
        replay.ownUnits(false);
        break;
    case 3:
        replay.ownUnits(true);
        replay.army(0x46);
        replay.army(0x47);
        replay.frame({std::min(r.x0, r.x1), std::min(r.y0, r.y1)}, {std::max(r.x0, r.x1), std::max(r.y0, r.y1)}, 3);
        break;
    case 5:
        replay.army(0x46);
        replay.army(0x47);
        if (!r.whole)
            replay.ownUnitsLarge();
        break;
    default: // 4, 6
        replay.ownUnits(true);
        replay.army(0x46);
        replay.army(0x47);
        if (r.mode == 4 || r.mode == 6)
            replay.frame({r.x0, r.y0}, {r.x0, r.y0}, 6);
        break;
    }
    return replay.markers;
}

QImage thingSprite(MarkerShape shape)
{
    QImage img(kBattleCell, kBattleCell, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    auto flame = [&p](QRectF box) {
        QPainterPath outer;
        outer.moveTo(box.center().x(), box.top());
        outer.cubicTo(box.right(), box.top() + box.height() * 0.45, box.right(), box.bottom(), box.center().x(),
                      box.bottom());
        outer.cubicTo(box.left(), box.bottom(), box.left(), box.top() + box.height() * 0.45, box.center().x(),
                      box.top());
        p.fillPath(outer, QColor(230, 40, 0));
        const QRectF inner = box.adjusted(box.width() * 0.25, box.height() * 0.35, -box.width() * 0.25, 0);
        QPainterPath core;
        core.moveTo(inner.center().x(), inner.top());
        core.cubicTo(inner.right(), inner.center().y(), inner.right(), inner.bottom(), inner.center().x(),
                     inner.bottom());
        core.cubicTo(inner.left(), inner.bottom(), inner.left(), inner.center().y(), inner.center().x(), inner.top());
        p.fillPath(core, QColor(255, 210, 40));
    };
    auto ship = [&p]() {
        QPolygon hull({QPoint(4, 34), QPoint(43, 34), QPoint(37, 44), QPoint(10, 44)});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 62, 20));
        p.drawPolygon(hull);
        p.fillRect(23, 6, 2, 28, QColor(60, 35, 10));
        for (int i = 0; i < 6; ++i)
            p.fillRect(12, 8 + 4 * i, 24, 4, i % 2 ? QColor(200, 30, 30) : QColor(245, 245, 235));
    };
    switch (shape) {
    case MarkerShape::Fire:
        flame(QRectF(8, 4, 32, 42));
        break;
    case MarkerShape::Ship:
        ship();
        break;
    case MarkerShape::BurningShip:
        ship();
        flame(QRectF(6, 14, 18, 26));
        flame(QRectF(24, 10, 18, 30));
        break;
    default:
        break;
    }
    return img;
}

void paintMarkers(QImage &map, const QImage &plain, const std::vector<MapMarker> &markers)
{
    static const QImage sprites[] = {thingSprite(MarkerShape::Fire), thingSprite(MarkerShape::Ship),
                                     thingSprite(MarkerShape::BurningShip)};
    QPainter p(&map);
    const qint64 w = map.width(), h = map.height();
    auto onMap = [w, h](QPoint cell) {
        const qint64 x = qint64(cell.x()) * kBattleCell, y = qint64(cell.y()) * kBattleCell;
        return x > -kBattleCell && y > -kBattleCell && x < w && y < h;
    };
    // Frame corners may lie anywhere; keep them near the map for the painter.
    auto clampPx = [](qint64 v, qint64 limit) { return int(std::clamp<qint64>(v, -16, limit + 16)); };
    for (const MapMarker &m : markers) {
        // Only used once the cell is known to lie on the map.
        const int x = int(qint64(m.cell.x()) * kBattleCell), y = int(qint64(m.cell.y()) * kBattleCell);
        switch (m.shape) {
        case MarkerShape::Frame: {
            const int xa = clampPx(qint64(m.cell.x()) * kBattleCell, w), ya = clampPx(qint64(m.cell.y()) * kBattleCell, h);
            const int xb = clampPx((qint64(m.cell2.x()) + 1) * kBattleCell, w);
            const int yb = clampPx((qint64(m.cell2.y()) + 1) * kBattleCell, h);
            p.setPen(QPen(m.colour, m.width));
            p.drawLine(xa, ya, xb, ya);
            p.drawLine(xa, ya, xa, yb);
            p.drawLine(xa, yb, xb, yb);
            p.drawLine(xb, ya, xb, yb);
            break;
        }
        case MarkerShape::SmallSquare:
            if (onMap(m.cell))
                p.fillRect(x + 12, y + 12, 24, 24, m.colour);
            break;
        case MarkerShape::LargeSquare:
            if (onMap(m.cell))
                p.fillRect(x + 6, y + 6, 36, 36, m.colour);
            break;
        case MarkerShape::PlainCell:
            if (onMap(m.cell)) {
                p.setCompositionMode(QPainter::CompositionMode_Source);
                p.drawImage(QPoint(x, y), plain, QRect(x, y, kBattleCell, kBattleCell));
                p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            }
            break;
        case MarkerShape::Fire:
        case MarkerShape::Ship:
        case MarkerShape::BurningShip:
            if (onMap(m.cell))
                p.drawImage(QPoint(x, y), sprites[int(m.shape) - int(MarkerShape::Fire)]);
            break;
        }
    }
}

void paintPlacedSquare(QImage &shown, QPoint cell, int scale)
{
    const int h = shownCellSize(scale), m = 24 / scale;
    QPainter p(&shown);
    p.fillRect(h * cell.x() + m - 8, h * cell.y() + m - 8, 17, 17, kRed);
}

} // namespace pickers
