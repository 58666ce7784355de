// The duel preview's pixel work: doubling and masking a frame, the three
// effects, the masked composite, the balloons, and the outlined names.
#include "commands/duel/duel_glyphs.h"
#include "commands/duel/duel_pictures.h"
#include "core/game/sprite_palette.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace commands::duel;

namespace {

QImage filled(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

TEST(DuelPictures, BrightenGreyAndMirror)
{
    QImage img = filled(2, 1, qRgb(100, 102, 0));
    img.setPixel(1, 0, qRgb(10, 20, 31));
    EXPECT_EQ(brightened(img, 1.0f).pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(brightened(img, 0.0f), img);
    // 177.5 and 178.5 go to the even neighbour.
    EXPECT_EQ(brightened(img, 0.5f).pixel(0, 0), qRgb(178, 178, 128));

    QImage grey = img.copy();
    grayInPlace(grey);
    EXPECT_EQ(grey.pixel(1, 0), qRgb(20, 20, 20));
    QImage twice = grey.copy();
    grayInPlace(twice);
    EXPECT_EQ(twice, grey);
    QImage white = filled(1, 1, qRgb(255, 255, 255));
    grayInPlace(white);
    EXPECT_EQ(white.pixel(0, 0), qRgb(255, 255, 255));

    const QImage m = mirrored(img);
    EXPECT_EQ(m.pixel(0, 0), img.pixel(1, 0));
    EXPECT_EQ(m.pixel(1, 0), img.pixel(0, 0));
}

TEST(DuelPictures, FramesAreDoubledMaskedAndMirrored)
{
    QByteArray frame(48 * 48, '\0');  // key colour everywhere
    frame[0] = char(40);              // top-left pixel opaque
    DuelPictures pictures;
    const QList<QRgb> &palette = core::game::spritePalette();
    pictures.setFrame(FrameSet::Waiting, 1, frame, 48, palette);
    const QImage &sprite = pictures.sprite(FrameSet::Waiting, 2);
    const QImage &mask = pictures.mask(FrameSet::Waiting, 2);
    ASSERT_EQ(sprite.size(), QSize(96, 96));
    for (QPoint at : {QPoint(0, 0), QPoint(1, 1)}) {
        EXPECT_EQ(sprite.pixel(at) & 0xFFFFFF, palette[40] & 0xFFFFFF);
        EXPECT_EQ(mask.pixel(at) & 0xFFFFFF, 0xFFFFFFu);
    }
    EXPECT_EQ(sprite.pixel(2, 2) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(mask.pixel(2, 2) & 0xFFFFFF, 0u);
    // The mirrored copy has the opaque block at the right edge.
    EXPECT_EQ(pictures.mask(FrameSet::Waiting, 3).pixel(95, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(pictures.mask(FrameSet::Waiting, 3).pixel(0, 0) & 0xFFFFFF, 0u);
    // An unmirrored set holds one frame at the fighter's number.
    pictures.setFrame(FrameSet::Hited, 1, frame, 48, palette);
    EXPECT_FALSE(pictures.sprite(FrameSet::Hited, 1).isNull());
    EXPECT_TRUE(pictures.sprite(FrameSet::Hited, 2).isNull());
}

TEST(DuelPictures, MaskedCompositeKeepsTheStageWhereTransparent)
{
    QImage stage = filled(4, 1, qRgb(1, 2, 3));
    QImage mask = filled(2, 1, qRgb(0, 0, 0));
    QImage sprite = filled(2, 1, qRgb(255, 255, 255));
    mask.setPixel(1, 0, qRgb(255, 255, 255));
    sprite.setPixel(1, 0, qRgb(9, 8, 7));
    compositeMasked(stage, mask, sprite, QPoint(2, 0));
    EXPECT_EQ(stage.pixel(2, 0), qRgb(1, 2, 3));
    EXPECT_EQ(stage.pixel(3, 0), qRgb(9, 8, 7));
    // Off the surface: clipped, nothing breaks.
    compositeMasked(stage, mask, sprite, QPoint(3, 0));
    compositeMasked(stage, mask, sprite, QPoint(-700, 40));
    EXPECT_EQ(stage.pixel(3, 0), qRgb(9, 8, 7));
}

TEST(DuelPictures, BalloonsPointTowardsTheirFaces)
{
    const Balloon own = makeBalloon(0), enemy = makeBalloon(1);
    ASSERT_EQ(own.mask.size(), QSize(336, 64));
    // The pointer juts out at mid-height beyond the body's corners.
    EXPECT_EQ(own.mask.pixel(332, 32) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(own.mask.pixel(332, 2) & 0xFFFFFF, 0u);
    EXPECT_EQ(own.mask.pixel(3, 32) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(enemy.mask.pixel(3, 32) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(enemy.mask.pixel(3, 2) & 0xFFFFFF, 0u);
    EXPECT_EQ(own.sprite.pixel(100, 32), qRgb(240, 240, 240));
    EXPECT_EQ(own.sprite.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(own.mask.pixel(0, 0) & 0xFFFFFF, 0u);
}

// A font whose glyphs are given by the test.
struct PatternFont : DuelFont
{
    GlyphBits half, full;
    GlyphBits glyph(QChar ch) const override { return ch.unicode() < 128 ? half : full; }
};

TEST(DuelNames, OutlineRules)
{
    PatternFont font;
    font.half.bits[1] = 0x8000;  // column 0 of rows 1 and 2
    font.half.bits[2] = 0x8000;
    QImage s = filled(40, 30, qRgb(0, 0, 0));
    const QRgb o = qRgb(192, 0, 0), w = qRgb(255, 255, 255), k = qRgb(0, 0, 0);
    EXPECT_EQ(drawOutlinedName(s, font, QStringLiteral("A"), 10, 10, o), 1);
    EXPECT_EQ(s.pixel(10, 10), o);  // above the first inked pixel of the column
    EXPECT_EQ(s.pixel(10, 11), w);
    EXPECT_EQ(s.pixel(10, 12), w);  // covers the outline the pixel above set
    EXPECT_EQ(s.pixel(10, 13), o);
    EXPECT_EQ(s.pixel(11, 11), o);
    EXPECT_EQ(s.pixel(9, 11), o);   // left of the row's first inked pixel
    EXPECT_EQ(s.pixel(9, 12), o);
    EXPECT_EQ(s.pixel(12, 11), k);

    // A full-width glyph inked only in its right byte draws no left outline.
    font.full.fullWidth = true;
    font.full.rows = 14;
    font.full.bits[0] = 0x0080;  // column 8
    QImage t = filled(40, 30, k);
    drawOutlinedName(t, font, QStringLiteral("가"), 10, 10, o);
    EXPECT_EQ(t.pixel(18, 10), w);
    EXPECT_EQ(t.pixel(17, 10), k);
    EXPECT_EQ(t.pixel(19, 10), o);
}

TEST(DuelNames, PlacementAndDigits)
{
    EXPECT_EQ(drawnName(QStringLiteral("갑을병3세")), QStringLiteral("갑을병"));
    EXPECT_EQ(drawnName(QStringLiteral("7번")), QString());
    PatternFont font;
    font.full.fullWidth = true;
    font.full.rows = 14;
    font.full.bits[0] = 0x8001;  // columns 0 and 15
    DuelPictures pictures;
    pictures.setFont(&font);
    pictures.nameShow(0, QStringLiteral("갑을병1"));
    // Three full-width characters: from 424 to 471.
    EXPECT_EQ(pictures.stage().pixel(424, 280), qRgb(255, 255, 255));
    EXPECT_EQ(pictures.stage().pixel(471, 280), qRgb(255, 255, 255));
    EXPECT_EQ(pictures.stage().pixel(423, 280), qRgb(192, 0, 0));
    pictures.nameShow(1, QStringLiteral("A"));
    EXPECT_EQ(pictures.stage().pixel(152, 8), qRgb(0, 0, 0));  // the blank half-width pattern
}

TEST(DuelNames, FullWidthTest)
{
    EXPECT_TRUE(isFullWidthChar(QChar(u'가')));
    EXPECT_FALSE(isFullWidthChar(QChar(u'A')));
    EXPECT_TRUE(isFullWidthChar(QChar(0xFF01)));  // full-width "!", CP949 A3 A1
}

} // namespace

#include "commands/duel/duel_game_font.h"
#include "fixtures/font_fixtures.h"

namespace {

TEST(DuelGameFont, GlyphsComeFromTheGameFontsAndDrawAsTheRendererDoes)
{
    const commands::GameFont font(fixtures::FixtureHalfFont(), fixtures::FixtureFullFont());
    const GameFontGlyphs glyphs(font);
    const GlyphBits a = glyphs.glyph(QChar(u'A'));
    EXPECT_FALSE(a.fullWidth);
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(a.bits[r], std::uint16_t(fixtures::FixtureHalfByte(33, r) << 8));
    const GlyphBits ga = glyphs.glyph(QChar(u'가'));
    EXPECT_TRUE(ga.fullWidth);
    EXPECT_EQ(ga.rows, 14);
    for (int r = 0; r < 14; ++r)
        EXPECT_EQ(ga.bits[r], std::uint16_t(fixtures::FixtureFullByte(1128, 2 * r) << 8 |
                                            fixtures::FixtureFullByte(1128, 2 * r + 1)));

    // The speech draws exactly what the renderer draws, glyph 0 for a CR.
    for (QChar ch : {QChar(u'A'), QChar(u'가'), QChar(13)}) {
        DuelPictures pictures;
        pictures.setFont(&glyphs);
        pictures.stage().fill(Qt::white);
        QImage expected = pictures.stage().copy();
        const int advance = pictures.drawSpeechGlyph(ch, 160, 30);
        EXPECT_EQ(advance, font.drawChar(expected, 160, 30, ch, commands::kFontBlack));
        EXPECT_EQ(pictures.stage(), expected);
    }
}

} // namespace
