#pragma once
// The palette of the colour mark-up in dialogue text: a palette index is
// written as two hex digits. Colours are r + 256 * g + 65536 * b.
#include <QColor>

#include <array>
#include <cstdint>

namespace core {

constexpr int kColorTableSize = 255;
using ColorTableArray = std::array<std::uint32_t, kColorTableSize>;

// The key colour 247/0/255 that sprite masks treat as transparent; the
// palette's unused indices hold it.
constexpr std::uint32_t kKeyColor = 247u + 256u * 0u + 65536u * 255u;

// (Re)builds the palette; every call gives the same values.
const ColorTableArray &initColorTable();
// The palette (built on first use).
const ColorTableArray &colorTable();
// The colour at `index`; the key colour for an index outside 0..254.
std::uint32_t colorAt(int index);

constexpr std::uint32_t rgbValue(int r, int g, int b)
{
    return std::uint32_t(r) + 256u * std::uint32_t(g) + 65536u * std::uint32_t(b);
}
QColor toQColor(std::uint32_t value);
std::uint32_t fromQColor(const QColor &color);

} // namespace core
