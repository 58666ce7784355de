#pragma once
// Picture helpers of the previews: sprite masks for the key colour, the
// header of a top-down 32-bit bitmap, and a byte-pattern test.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace core {

// Makes `sprite` ready for drawing in two steps (mask OR background, then
// sprite AND): every pixel of exactly the key colour (blue 255, green 0,
// red 247) becomes white in the sprite and black in the returned mask; every
// other pixel stays as it was in the sprite and is white in the mask. The
// sprite's alpha channel is left alone. A sprite in another format is first
// converted to a 32-bit one. The mask is RGB32, the sprite's size.
QImage makeMask(QImage &sprite);

// The 40-byte BITMAPINFOHEADER of a w x h top-down 32-bit uncompressed
// bitmap (height stored as -h), little-endian; empty when w or h is not
// positive.
QByteArray makeBmpInfo(int w, int h);
// A w x h picture with the pixel layout that header describes: rows from the
// top, four bytes per pixel blue, green, red, unused (QImage::Format_RGB32).
// Null when w or h is not positive.
QImage makeBmpImage(int w, int h);

// True when the bytes, written as two hex digits each, equal `hexText`
// without its blanks, letter case ignored. Any length.
bool bytesMatchHex(const QByteArray &bytes, const QString &hexText);

} // namespace core
