#include "core/picture_helpers.h"

#include <QtEndian>

namespace core {

namespace {
constexpr QRgb kWhite = 0xFFFFFF;
constexpr int kKeyRed = 247, kKeyGreen = 0, kKeyBlue = 255;

bool isKey(QRgb p) { return qRed(p) == kKeyRed && qGreen(p) == kKeyGreen && qBlue(p) == kKeyBlue; }
} // namespace

QImage makeMask(QImage &sprite)
{
    if (sprite.isNull())
        return QImage();
    if (sprite.format() != QImage::Format_RGB32 && sprite.format() != QImage::Format_ARGB32)
        sprite.convertTo(sprite.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);

    QImage mask(sprite.size(), QImage::Format_RGB32);
    for (int y = 0; y < sprite.height(); ++y) {
        auto *s = reinterpret_cast<QRgb *>(sprite.scanLine(y));
        auto *m = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < sprite.width(); ++x) {
            if (isKey(s[x])) {
                s[x] = (s[x] & 0xFF000000u) | kWhite;
                m[x] = 0xFF000000u;
            } else {
                m[x] = 0xFF000000u | kWhite;
            }
        }
    }
    return mask;
}

QByteArray makeBmpInfo(int w, int h)
{
    if (w <= 0 || h <= 0)
        return QByteArray();
    QByteArray header(40, '\0');
    char *p = header.data();
    qToLittleEndian<qint32>(40, p);      // header size
    qToLittleEndian<qint32>(w, p + 4);   // width
    qToLittleEndian<qint32>(-h, p + 8);  // negative height: rows from the top
    qToLittleEndian<qint16>(1, p + 12);  // planes
    qToLittleEndian<qint16>(32, p + 14); // bits per pixel
    qToLittleEndian<qint32>(0, p + 16);  // uncompressed
    return header;
}

QImage makeBmpImage(int w, int h)
{
    if (w <= 0 || h <= 0)
        return QImage();
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

bool bytesMatchHex(const QByteArray &bytes, const QString &hexText)
{
    QString want;
    want.reserve(hexText.size());
    for (QChar c : hexText)
        if (c != ' ' && c != '\t')
            want += c;
    return want.compare(QString::fromLatin1(bytes.toHex()), Qt::CaseInsensitive) == 0;
}

} // namespace core
