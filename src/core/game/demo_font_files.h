#pragma once
// Invented font files for the demo game folder, laid out as the game's fonts
// are: "ANKFONT.DAT" (256 half-width glyphs of 16 bytes, 8 x 16 pixels) and
// "ALL_FONT.16P" (37 rows of 94 full-width glyphs in 30-byte steps after a
// 2-byte head, 28 bytes of 16 x 14 pixels each). The glyphs are drawn from
// the desktop's own fonts; where none can be drawn (no GUI, no font) a glyph
// is a framed box with the character's code, so every cell still shows ink.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace core::game {

QByteArray demoHalfFont();
QByteArray demoFullFont();
// Relative path -> bytes, for the demo game folder.
QList<QPair<QString, QByteArray>> demoFontFiles();

} // namespace core::game
