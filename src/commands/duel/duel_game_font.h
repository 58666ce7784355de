#pragma once
// The duel preview's glyphs from the game's bitmap fonts.
#include "commands/common/game_font.h"
#include "commands/duel/duel_glyphs.h"

namespace commands::duel {

class GameFontGlyphs : public DuelFont
{
public:
    explicit GameFontGlyphs(GameFont font) : m_font(std::move(font)) {}
    GlyphBits glyph(QChar ch) const override;

private:
    GameFont m_font;
};

} // namespace commands::duel
