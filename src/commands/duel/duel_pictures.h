#pragma once
// The duel stage as pictures: the background, the stage surface the
// animations draw into, every fighter's doubled, masked and mirrored frames,
// the faces and the speech balloons; and the pixel effects they use. It is
// the drawing surface of DuelStage; the window only paints `stage()`.
#include "commands/duel/duel_glyphs.h"
#include "commands/duel/duel_stage.h"

#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QRgb>

#include <array>
#include <functional>

namespace commands::duel {

inline constexpr int kStageWidth = 604;
inline constexpr int kStageHeight = 365;
inline constexpr int kStripTop = 128;
inline constexpr int kStripHeight = 128;
inline constexpr int kBalloonWidth = 336;
inline constexpr int kBalloonHeight = 64;

// --- pixel effects (32-bit pictures) ---
// A frame of palette indexes, each pixel doubled to a 2 × 2 block.
QImage doubledFrame(QByteArrayView indexes, int side, const QList<QRgb> &palette);
QImage mirrored(const QImage &image);
// (blue + green + red) / 3 in each of the three bytes; white stays white.
void grayInPlace(QImage &image);
// Each byte c becomes (255 − c) × level + c, to the nearest (halves to even).
QImage brightened(const QImage &image, float level);
// The mask ORed into the surface, then the sprite ANDed, at `at`.
void compositeMasked(QImage &surface, const QImage &mask, const QImage &sprite, QPoint at);

// A fighter's balloon (light grey, pointer towards his face) and its mask.
struct Balloon
{
    QImage sprite;
    QImage mask;
};
Balloon makeBalloon(int fighter);

class DuelPictures : public DuelSurface
{
public:
    DuelPictures();

    // The background becomes the stage and its strip copy.
    void setBackground(const QImage &background);
    // One frame set of fighter `fighter` from its 8-bit frame: doubled,
    // masked, and for the mirrored sets also left-right mirrored.
    void setFrame(FrameSet set, int fighter, QByteArrayView indexes, int side, const QList<QRgb> &palette);
    void setFace(int fighter, const QImage &face);
    void setFont(const DuelFont *font) { m_font = font; }

    const QImage &stage() const { return m_stage; }
    QImage &stage() { return m_stage; }
    const QImage &face(int fighter) const { return m_faces[fighter]; }
    const QImage &sprite(FrameSet set, int index) const { return m_sprites[int(set)][index]; }
    const QImage &mask(FrameSet set, int index) const { return m_masks[int(set)][index]; }
    bool labelVisible() const { return m_label; }

    // Draws fighter `fighter`'s name where the preview shows it.
    void nameShow(int fighter, const QString &name);

    // Called by show(): the window repaints.
    std::function<void()> onShow;

    // DuelSurface
    void restoreStrip() override;
    void drawFrame(FrameSet set, int index, int x, int y) override;
    void drawBrightened(FrameSet set, int index, int x, int y, float level) override;
    void show() override;
    void grayFrames(int fighter) override;
    void grayFace(int fighter) override;
    void setLabelVisible(bool visible) override;
    void drawBalloon(int fighter) override;
    int drawSpeechGlyph(QChar ch, int x, int y) override;

private:
    QImage m_background;
    QImage m_stage;
    std::array<std::array<QImage, 4>, kFrameSetCount> m_sprites;
    std::array<std::array<QImage, 4>, kFrameSetCount> m_masks;
    std::array<QImage, 2> m_faces;
    std::array<Balloon, 2> m_balloons;
    const DuelFont *m_font = nullptr;
    BlankDuelFont m_blankFont;
    bool m_label = false;
};

} // namespace commands::duel
