#pragma once
// The fixed 256-colour palette of the game's unit sprites. Sprite sheets and
// duel frames are stored as bare pixel bytes, one palette index a pixel; the
// key colour RGB(247, 0, 255) marks a transparent pixel.
#include <QByteArrayView>
#include <QImage>
#include <QList>
#include <QRgb>

namespace core::game {

constexpr QRgb kSpriteKeyColour = 0xFFF700FFu; // opaque RGB(247, 0, 255)

// The 256 palette entries as opaque QRgb values, entry 0 first.
const QList<QRgb> &spritePalette();

// True for the pixel values 0..9 and 246..255, whose entry is the key colour.
bool isTransparentIndex(int index);

// A width x height indexed picture (QImage::Format_Indexed8 with the sprite
// palette) from pixel bytes stored row after row from the top. Missing bytes
// read as 0 (transparent), surplus bytes are ignored.
QImage indexedSprite(QByteArrayView pixels, int width, int height);

// The picture with every key-colour pixel made fully transparent
// (Format_ARGB32_Premultiplied); every other pixel stays opaque, white ones
// too. Works on any format, indexed sprites included.
QImage keyedTransparent(const QImage &image);

// The classic two-pass pair for pictures that cannot carry alpha: the mask
// is black where the picture is transparent and white elsewhere; the sprite
// has its transparent pixels turned white. Both Format_RGB32.
struct SpriteMaskPair
{
    QImage sprite;
    QImage mask;
};
SpriteMaskPair makeMask(const QImage &image);

} // namespace core::game
