#include "commands/duel/duel_glyphs.h"

#include "commands/common/game_font.h"

namespace commands::duel {

namespace {

void setPixel(QImage &image, int x, int y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        image.setPixel(x, y, colour);
}

} // namespace

bool isFullWidthChar(QChar ch)
{
    return isFullWidthCode(glyphCode(ch));
}

GlyphBits BlankDuelFont::glyph(QChar ch) const
{
    GlyphBits g;
    g.fullWidth = isFullWidthChar(ch);
    g.rows = g.fullWidth ? 14 : 16;
    return g;
}

int drawGlyph(QImage &surface, const GlyphBits &glyph, int x, int y, QRgb colour)
{
    for (int r = 0; r < glyph.rows; ++r)
        for (int c = 0; c < glyph.columns(); ++c)
            if (glyph.inked(r, c))
                setPixel(surface, x + c, y + r, colour);
    return glyph.advance();
}

QString drawnName(const QString &name)
{
    return nameUpToDigit(name);
}

int drawOutlinedName(QImage &surface, const DuelFont &font, const QString &name, int x, int y, QRgb outline)
{
    const QRgb white = qRgb(255, 255, 255);
    const QString shown = drawnName(name);
    // One flag per glyph column: the pixel above in that column was inked.
    // They carry over from one character to the next.
    bool above[16] = {};
    int pen = x;
    for (QChar ch : shown) {
        const GlyphBits g = font.glyph(ch);
        for (int r = 0; r < g.rows; ++r) {
            bool firstInRow = true;
            for (int c = 0; c < g.columns(); ++c) {
                const int px = pen + c, py = y + r;
                if (!g.inked(r, c)) {
                    above[c] = false;
                    continue;
                }
                setPixel(surface, px, py, white);
                setPixel(surface, px, py + 1, outline);
                setPixel(surface, px + 1, py, outline);
                if (!above[c])
                    setPixel(surface, px, py - 1, outline);
                // The right byte of a full-width row never draws it.
                if (firstInRow && c < 8)
                    setPixel(surface, px - 1, py, outline);
                firstInRow = false;
                above[c] = true;
            }
        }
        pen += g.advance();
    }
    return int(shown.size());
}

} // namespace commands::duel
