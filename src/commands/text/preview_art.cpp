#include "commands/text/preview_art.h"

#include <QPainter>
#include <QPolygon>

namespace commands {

namespace {

constexpr int kPanelW = 356, kPanelH = 147;
constexpr int kSurfaceX = 24, kSurfaceY = 21, kSurfaceW = 305, kSurfaceH = 106;

QRgb parchmentAt(int x, int y)
{
    // A quiet grain: a fixed hash of the position around a warm paper tone.
    const unsigned h = (unsigned(x) * 73856093u) ^ (unsigned(y) * 19349663u);
    const int grain = int((h >> 7) % 13) - 6;
    const int band = (y % 7 == 0) ? -4 : 0;
    return qRgb(226 + grain + band, 204 + grain + band, 158 + grain / 2 + band);
}

} // namespace

QImage parchmentPanel()
{
    QImage panel(kPanelW, kPanelH, QImage::Format_RGB32);
    for (int y = 0; y < kPanelH; ++y)
        for (int x = 0; x < kPanelW; ++x)
            panel.setPixel(x, y, parchmentAt(x, y));
    QPainter p(&panel);
    p.setPen(QColor(120, 84, 40));
    p.drawRect(1, 1, kPanelW - 3, kPanelH - 3);
    p.setPen(QColor(168, 128, 72));
    p.drawRect(4, 4, kPanelW - 9, kPanelH - 9);
    return panel;
}

QImage parchmentSurface()
{
    return parchmentPanel().copy(kSurfaceX, kSurfaceY, kSurfaceW, kSurfaceH);
}

void paintBubblePointer(QPainter &p, int x, int y, int w, int h)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({QPoint(x, y + h / 2), QPoint(x + w, y), QPoint(x + w, y + h)}));
    p.restore();
}

void paintBubbleEnd(QPainter &p, int x, int y, int w, int h, bool right)
{
    p.save();
    p.fillRect(x, y, w, h, Qt::white);
    // The corners rounded off in black, 5, 3, 2, 1 and 1 pixels from the edge.
    static constexpr int kCut[5] = {5, 3, 2, 1, 1};
    for (int i = 0; i < 5; ++i) {
        const int cx = right ? x + w - kCut[i] : x;
        p.fillRect(cx, y + i, kCut[i], 1, Qt::black);
        p.fillRect(cx, y + h - 1 - i, kCut[i], 1, Qt::black);
    }
    p.restore();
}

} // namespace commands
