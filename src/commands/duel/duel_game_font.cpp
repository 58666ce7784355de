#include "commands/duel/duel_game_font.h"

namespace commands::duel {

GlyphBits GameFontGlyphs::glyph(QChar ch) const
{
    const GlyphLocation where = glyphLookup(glyphCode(ch));
    const QByteArray record = m_font.glyphRecord(where);
    GlyphBits g;
    g.fullWidth = where.fullWidth;
    if (where.fullWidth) {
        // 14 rows of a left and a right byte.
        g.rows = 14;
        for (int r = 0; r < 14 && 2 * r + 1 < record.size(); ++r)
            g.bits[r] = std::uint16_t(quint8(record[2 * r]) << 8 | quint8(record[2 * r + 1]));
    } else {
        g.rows = 16;
        for (int r = 0; r < 16 && r < record.size(); ++r)
            g.bits[r] = std::uint16_t(quint8(record[r]) << 8);
    }
    return g;
}

} // namespace commands::duel
