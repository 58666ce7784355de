#pragma once
// The seam between the duel preview and the game font: one glyph as rows of
// inked pixels, and the drawing rules the preview adds (speech glyphs in one
// colour, names with a one-pixel outline).
#include <QChar>
#include <QImage>
#include <QString>

#include <array>
#include <cstdint>

namespace commands::duel {

struct GlyphBits
{
    bool fullWidth = false;   // 16 columns, else 8
    int rows = 16;            // 16 half-width, 14 full-width
    // Row r, column c is inked when bit (15 - c) of rows[r] is set; a
    // half-width glyph uses the high byte.
    std::array<std::uint16_t, 16> bits{};
    bool inked(int row, int column) const { return (bits[row] >> (15 - column)) & 1; }
    int columns() const { return fullWidth ? 16 : 8; }
    int advance() const { return fullWidth ? 16 : 8; }
};

class DuelFont
{
public:
    virtual ~DuelFont() = default;
    virtual GlyphBits glyph(QChar ch) const = 0;
};

// Whether a character takes a full-width cell: its CP949 code has a lead
// byte 0xA1 to 0xAE or 0xB0 to 0xC8.
bool isFullWidthChar(QChar ch);

// A font without glyph pictures: every glyph is blank, with the right
// advance (what the preview draws when the font files are missing).
class BlankDuelFont : public DuelFont
{
public:
    GlyphBits glyph(QChar ch) const override;
};

// Sets the glyph's inked pixels; returns the advance.
int drawGlyph(QImage &surface, const GlyphBits &glyph, int x, int y, QRgb colour);

// A fighter's name: the text up to its first decimal digit, white glyphs
// with a one-pixel outline, from (x, y). Returns the number of characters
// drawn.
int drawOutlinedName(QImage &surface, const DuelFont &font, const QString &name, int x, int y, QRgb outline);
// The part of a name that is drawn.
QString drawnName(const QString &name);

} // namespace commands::duel
