#include "core/game/demo_map_files.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

namespace core::game {

QByteArray demoBattleMap(int cellsX, int cellsY, int seed)
{
    const int w = cellsX * 48, h = cellsY * 48;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(96, 142, 70));
    QRandomGenerator rng(quint32(seed) * 7919u + 17u);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // Patches of darker grass and fields.
        for (int i = 0; i < cellsX * cellsY / 6; ++i) {
            const int x = int(rng.bounded(w)), y = int(rng.bounded(h));
            const int r = 20 + int(rng.bounded(60));
            p.setPen(Qt::NoPen);
            p.setBrush(i % 3 ? QColor(78, 124, 58) : QColor(150, 140, 80));
            p.drawEllipse(QPoint(x, y), r, r * 2 / 3);
        }
        // A river across the map.
        QPainterPath river;
        river.moveTo(0, h * (0.2 + 0.1 * (seed % 3)));
        river.cubicTo(w * 0.3, h * 0.1, w * 0.6, h * 0.9, w, h * (0.6 + 0.05 * (seed % 4)));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(60, 110, 170), 40, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(river);
        // A road from top to bottom.
        p.setPen(QPen(QColor(170, 150, 110), 18, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPoint(w * (2 + seed % 3) / 6, 0), QPoint(w * (3 + seed % 2) / 6, h));
        // A few hills.
        for (int i = 0; i < 4; ++i) {
            const QPoint c(int(rng.bounded(w)), int(rng.bounded(h)));
            p.setPen(QPen(QColor(90, 80, 50), 2));
            p.setBrush(QColor(120, 110, 70));
            p.drawEllipse(c, 50, 30);
        }
    }
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG", 85);
    return bytes;
}

QList<QPair<QString, QByteArray>> demoMapFiles()
{
    static const int sizes[kDemoBattleMapCount][2] = {{20, 15}, {24, 20}, {30, 24}};
    QList<QPair<QString, QByteArray>> files;
    for (int m = 0; m < kDemoBattleMapCount; ++m)
        files.append({QStringLiteral("Map/M%1.JPG").arg(m, 3, 10, QLatin1Char('0')),
                      demoBattleMap(sizes[m][0], sizes[m][1], m)});
    return files;
}

} // namespace core::game
