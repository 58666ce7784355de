#include "commands/duel/duel_pictures.h"

#include "core/game/sprite_palette.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace commands::duel {

namespace {

constexpr QPoint kBalloonAt[2] = {QPoint(144, 296), QPoint(128, 24)};
constexpr QPoint kNameAt1(152, 8);
constexpr int kNameRight0 = 448;
constexpr int kNameY0 = 280;
const QRgb kNameOutline[2] = {qRgb(192, 0, 0), qRgb(0, 16, 112)};

QImage rgb32(const QImage &image)
{
    return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
}

quint8 brightenByte(int c, float level)
{
    const float v = float(255 - c) * level + float(c);
    return quint8(std::clamp(std::nearbyint(v), 0.0f, 255.0f));
}

} // namespace

QImage doubledFrame(QByteArrayView indexes, int side, const QList<QRgb> &palette)
{
    QImage out(2 * side, 2 * side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const qsizetype at = qsizetype(y) * side + x;
            const int index = at < indexes.size() ? quint8(indexes[at]) : 0;
            const QRgb colour = index < palette.size() ? palette[index] : core::game::kSpriteKeyColour;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    out.setPixel(2 * x + dx, 2 * y + dy, colour | 0xFF000000u);
        }
    }
    return out;
}

QImage mirrored(const QImage &image)
{
    return rgb32(image).mirrored(true, false);
}

void grayInPlace(QImage &image)
{
    image = rgb32(image);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int v = (qRed(row[x]) + qGreen(row[x]) + qBlue(row[x])) / 3;
            row[x] = qRgb(v, v, v);
        }
    }
}

QImage brightened(const QImage &image, float level)
{
    QImage out = rgb32(image).copy();
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = qRgb(brightenByte(qRed(row[x]), level), brightenByte(qGreen(row[x]), level),
                          brightenByte(qBlue(row[x]), level));
    }
    return out;
}

void compositeMasked(QImage &surface, const QImage &mask, const QImage &sprite, QPoint at)
{
    QPainter p(&surface);
    p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    p.drawImage(at, mask);
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(at, sprite);
}

Balloon makeBalloon(int fighter)
{
    Balloon b;
    b.mask = QImage(kBalloonWidth, kBalloonHeight, QImage::Format_RGB32);
    b.mask.fill(Qt::black);
    QPainterPath shape;
    // The body leaves room for the pointer on the side of the fighter's face.
    const QRectF body = fighter == 0 ? QRectF(0, 0, kBalloonWidth - 16, kBalloonHeight)
                                     : QRectF(16, 0, kBalloonWidth - 16, kBalloonHeight);
    shape.addRoundedRect(body, 12, 12);
    QPolygonF pointer;
    const qreal mid = kBalloonHeight / 2.0;
    if (fighter == 0)
        pointer << QPointF(body.right() - 2, mid - 8) << QPointF(kBalloonWidth, mid) << QPointF(body.right() - 2, mid + 8);
    else
        pointer << QPointF(body.left() + 2, mid - 8) << QPointF(0, mid) << QPointF(body.left() + 2, mid + 8);
    shape.addPolygon(pointer);
    shape.setFillRule(Qt::WindingFill);
    {
        QPainter p(&b.mask);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(shape);
    }
    // Hard edges: a pixel is balloon or not.
    b.sprite = QImage(kBalloonWidth, kBalloonHeight, QImage::Format_RGB32);
    for (int y = 0; y < kBalloonHeight; ++y)
        for (int x = 0; x < kBalloonWidth; ++x) {
            const bool inside = qGray(b.mask.pixel(x, y)) >= 128;
            b.mask.setPixel(x, y, inside ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            b.sprite.setPixel(x, y, inside ? qRgb(240, 240, 240) : qRgb(255, 255, 255));
        }
    return b;
}

DuelPictures::DuelPictures()
{
    m_stage = QImage(kStageWidth, kStageHeight, QImage::Format_RGB32);
    m_stage.fill(Qt::black);
    m_background = m_stage;
    m_balloons = {makeBalloon(0), makeBalloon(1)};
}

void DuelPictures::setBackground(const QImage &background)
{
    m_background = QImage(kStageWidth, kStageHeight, QImage::Format_RGB32);
    m_background.fill(Qt::black);
    {
        QPainter p(&m_background);
        p.drawImage(0, 0, background);
    }
    m_stage = m_background.copy();
}

void DuelPictures::setFrame(FrameSet set, int fighter, QByteArrayView indexes, int side, const QList<QRgb> &palette)
{
    const core::game::SpriteMaskPair pair = core::game::makeMask(doubledFrame(indexes, side, palette));
    auto &sprites = m_sprites[int(set)];
    auto &masks = m_masks[int(set)];
    if (isMirrored(set)) {
        sprites[2 * fighter] = rgb32(pair.sprite);
        masks[2 * fighter] = rgb32(pair.mask);
        sprites[2 * fighter + 1] = mirrored(pair.sprite);
        masks[2 * fighter + 1] = mirrored(pair.mask);
    } else {
        sprites[fighter] = rgb32(pair.sprite);
        masks[fighter] = rgb32(pair.mask);
    }
}

void DuelPictures::setFace(int fighter, const QImage &face)
{
    m_faces[fighter] = rgb32(face);
}

void DuelPictures::restoreStrip()
{
    QPainter p(&m_stage);
    p.drawImage(QPoint(0, kStripTop), m_background, QRect(0, kStripTop, kStageWidth, kStripHeight));
}

void DuelPictures::drawFrame(FrameSet set, int index, int x, int y)
{
    const QImage &sprite = m_sprites[int(set)][index];
    if (!sprite.isNull())
        compositeMasked(m_stage, m_masks[int(set)][index], sprite, QPoint(x, y));
}

void DuelPictures::drawBrightened(FrameSet set, int index, int x, int y, float level)
{
    const QImage &sprite = m_sprites[int(set)][index];
    if (!sprite.isNull())
        compositeMasked(m_stage, m_masks[int(set)][index], brightened(sprite, level), QPoint(x, y));
}

void DuelPictures::show()
{
    if (onShow)
        onShow();
}

void DuelPictures::grayFrames(int fighter)
{
    for (int s = 0; s < kFrameSetCount; ++s) {
        if (isMirrored(FrameSet(s))) {
            grayInPlace(m_sprites[s][2 * fighter]);
            grayInPlace(m_sprites[s][2 * fighter + 1]);
        } else {
            grayInPlace(m_sprites[s][fighter]);
        }
    }
}

void DuelPictures::grayFace(int fighter)
{
    if (!m_faces[fighter].isNull())
        grayInPlace(m_faces[fighter]);
    show();
}

void DuelPictures::setLabelVisible(bool visible)
{
    m_label = visible;
    show();
}

void DuelPictures::drawBalloon(int fighter)
{
    compositeMasked(m_stage, m_balloons[fighter].mask, m_balloons[fighter].sprite, kBalloonAt[fighter]);
    show();
}

int DuelPictures::drawSpeechGlyph(QChar ch, int x, int y)
{
    const DuelFont &font = m_font ? *m_font : m_blankFont;
    const int advance = drawGlyph(m_stage, font.glyph(ch), x, y, qRgb(0, 0, 0));
    // The typed glyph shows at once; the next wait paints it.
    show();
    return advance;
}

void DuelPictures::nameShow(int fighter, const QString &name)
{
    const DuelFont &font = m_font ? *m_font : m_blankFont;
    const int n = int(drawnName(name).size());
    const QPoint at = fighter == 0 ? QPoint(kNameRight0 - 8 * n, kNameY0) : kNameAt1;
    drawOutlinedName(m_stage, font, name, at.x(), at.y(), kNameOutline[fighter]);
    show();
}

} // namespace commands::duel
