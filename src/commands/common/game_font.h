#pragma once
// The game's two bitmap fonts and how a text is drawn in them, pixel by pixel:
// the half-width "ANKFONT.DAT" (8 x 16 cells, 16 bytes a glyph) and the
// full-width "ALL_FONT.16P" (16 x 14 cells, 28 bytes in 30-byte steps after a
// 2-byte head). Every preview that shows game text draws with this, so what
// the editor shows matches the game glyph for glyph.
#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>

namespace commands {

inline const QString kHalfFontFile = QStringLiteral("ANKFONT.DAT");
inline const QString kFullFontFile = QStringLiteral("ALL_FONT.16P");

// Colours are 0x00BBGGRR values (red in the low byte), as in core::colorTable.
using FontColor = std::uint32_t;
constexpr FontColor kFontBlack = 0x000000;
constexpr FontColor kFontWhite = 0xFFFFFF;
constexpr FontColor kFontBlue = 0xFF0000;          // RGB(0, 0, 255)
constexpr FontColor kFontNavy = 0x701000;          // RGB(0, 16, 112)
constexpr FontColor kFontDarkRed = 0x0000C0;       // RGB(192, 0, 0)

// Where a glyph lives and how far it moves the pen.
struct GlyphLocation
{
    bool fullWidth = false;
    int index = 0;          // glyph number inside its font file (may be < 0)
    qint64 offset = 0;      // byte offset of the record
    int recordLength = 16;  // 16 half-width, 28 full-width
    int advance = 8;        // 8 half-width, 16 full-width
};

// The character's CP949 bytes as one number (lead * 256 + trail for two
// bytes). A character the code page cannot hold counts as "?".
std::uint32_t glyphCode(QChar c);
bool isFullWidthCode(std::uint32_t code);
GlyphLocation glyphLookup(std::uint32_t code);

// Both fonts, read whole when made (a missing or short file reads as zero
// bytes, so its glyphs draw nothing while the pen still moves).
class GameFont
{
public:
    GameFont() = default;
    GameFont(QByteArray halfFont, QByteArray fullFont);
    // The font files of a game folder.
    static GameFont fromFolder(const QString &folder);
    // The font files of the folder stored in the settings.
    static GameFont fromSettings();

    // The record's bytes; bytes past either end of the file read as 0.
    QByteArray glyphRecord(const GlyphLocation &glyph) const;

    // Sets the inked pixels of the character's glyph at (x, y); pixels outside
    // the surface are skipped. `fullDrop` moves full-width glyphs down.
    // Returns the advance (8 or 16).
    int drawGlyph(QImage &surface, int x, int y, std::uint32_t code, FontColor color,
                  int fullDrop = 0) const;
    int drawChar(QImage &surface, int x, int y, QChar c, FontColor color, int fullDrop = 0) const
    {
        return drawGlyph(surface, x, y, glyphCode(c), color, fullDrop);
    }
    // Draws every character as a glyph (no mark-up, line feeds as glyph 0);
    // returns the x after the last glyph.
    int drawPlain(QImage &surface, int x, int y, const QString &text, FontColor color,
                  int fullDrop = 0) const;
    // Draws white glyph pixels with a one-pixel outline in `outline` (the duel
    // names): the outline is the glyph drawn at the eight neighbouring offsets.
    int drawOutlined(QImage &surface, int x, int y, const QString &text, FontColor outline) const;

    bool empty() const { return m_half.isEmpty() && m_full.isEmpty(); }

private:
    QByteArray m_half;
    QByteArray m_full;
};

// The width in pixels of the text drawn plainly.
int textAdvance(const QString &text);

// A name is drawn up to, not including, its first decimal digit.
QString nameUpToDigit(const QString &name);

// One step of the colour mark-up scan over a line. `pos` is 0-based.
// "[C" + two hex digits sets the colour from core::colorTable (the four
// characters are consumed whatever the digits are); "]" returns to the default
// colour and is never drawn; any other "[" is drawn.
struct MarkupStep
{
    bool end = true;        // the line is done
    QChar ch;               // the character to draw
    int pos = 0;            // its position in the line
    FontColor color = 0;    // the colour to draw it in
};
// Finds the next drawn character at or after `pos`; `current` is updated as
// the mark-up sets it. Continue the scan from step.pos + 1.
MarkupStep scanMarkup(const QString &line, int pos, FontColor &current, FontColor defaultColor);
// The colour of a mark-up index: an index past the table (FF) gives the
// default colour of the line.
FontColor markupColor(int index, FontColor defaultColor);

} // namespace commands
