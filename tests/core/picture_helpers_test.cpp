#include "core/picture_helpers.h"
#include "fixtures/hex_bytes.h"

#include <gtest/gtest.h>

using fixtures::hexBytes;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

TEST(MakeMask, OnlyExactKeyColourIsTransparent)
{
    struct Case {
        QRgb pixel;
        bool key;
    };
    const Case cases[] = {
        {qRgb(247, 0, 255), true},
        {qRgba(247, 0, 255, 0), true}, // the fourth byte does not matter
        {qRgb(247, 0, 254), false},
        {qRgb(246, 0, 255), false},
        {qRgb(248, 0, 255), false},
        {qRgb(247, 1, 255), false},
        {qRgb(255, 0, 247), false}, // red and blue swapped
        {qRgb(255, 255, 255), false},
        {qRgb(0, 0, 0), false},
    };
    QImage sprite(int(std::size(cases)), 1, QImage::Format_ARGB32);
    for (int x = 0; x < sprite.width(); ++x)
        sprite.setPixel(x, 0, cases[x].pixel);
    const QImage mask = core::makeMask(sprite);
    ASSERT_EQ(mask.size(), sprite.size());
    for (int x = 0; x < sprite.width(); ++x) {
        const QRgb in = cases[x].pixel;
        if (cases[x].key) {
            EXPECT_EQ(sprite.pixel(x, 0), (in & 0xFF000000u) | 0xFFFFFFu) << x;
            EXPECT_EQ(mask.pixel(x, 0), kBlack) << x;
        } else {
            EXPECT_EQ(sprite.pixel(x, 0), in) << x;
            EXPECT_EQ(mask.pixel(x, 0), kWhite) << x;
        }
    }
}

TEST(MakeMask, WholePictures)
{
    QImage plain(5, 3, QImage::Format_RGB32);
    plain.fill(qRgb(10, 20, 30));
    const QImage before = plain;
    QImage mask = core::makeMask(plain);
    EXPECT_EQ(plain, before);
    QImage white(5, 3, QImage::Format_RGB32);
    white.fill(kWhite);
    EXPECT_EQ(mask, white);

    QImage key(4, 6, QImage::Format_RGB32);
    key.fill(qRgb(247, 0, 255));
    mask = core::makeMask(key);
    EXPECT_EQ(key, white.scaled(4, 6));
    QImage black(4, 6, QImage::Format_RGB32);
    black.fill(kBlack);
    EXPECT_EQ(mask, black);

    // A paletted picture is converted first and masked the same way.
    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(247, 0, 255), qRgb(1, 2, 3)});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    mask = core::makeMask(indexed);
    EXPECT_EQ(indexed.pixel(0, 0), kWhite);
    EXPECT_EQ(indexed.pixel(1, 0), qRgb(1, 2, 3));
    EXPECT_EQ(mask.pixel(0, 0), kBlack);
    EXPECT_EQ(mask.pixel(1, 0), kWhite);

    QImage none;
    EXPECT_TRUE(core::makeMask(none).isNull());
}

TEST(MakeBmpInfo, TopDown32BitHeader)
{
    EXPECT_EQ(core::makeBmpInfo(48, 64),
              hexBytes("28000000 30000000 C0FFFFFF 0100 2000 00000000"
                       "00000000 00000000 00000000 00000000 00000000"));
    EXPECT_TRUE(core::makeBmpInfo(0, 5).isEmpty());
    const QImage image = core::makeBmpImage(3, 2);
    EXPECT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.bytesPerLine(), 12);
    EXPECT_TRUE(core::makeBmpImage(-1, 2).isNull());
}

TEST(BytesMatchHex, ComparesHexTextWithoutBlanksOrCase)
{
    const QByteArray bytes = hexBytes("8B CB 83 F9 06");
    struct Case {
        const char *text;
        bool match;
    };
    const Case cases[] = {
        {"8B CB 83 F9 06", true},
        {"8b cb 83 f9 06", true},
        {"8BCB83F906", true},
        {" 8B\tCB 83F9 06 ", true},
        {"8B CB 83 F9", false},
        {"8B CB 83 F9 06 00", false},
        {"8B CB 83 F9 6", false},
        {"", false},
    };
    for (const Case &c : cases) {
        QString text = QString::fromLatin1(c.text);
        const QString copy = text;
        EXPECT_EQ(core::bytesMatchHex(bytes, text), c.match) << c.text;
        EXPECT_EQ(text, copy);
    }
    EXPECT_TRUE(core::bytesMatchHex(QByteArray(), ""));

    QByteArray big(1000, '\x5A');
    EXPECT_TRUE(core::bytesMatchHex(big, QString("5a").repeated(1000)));
    EXPECT_FALSE(core::bytesMatchHex(big, QString("5A").repeated(999)));
}

} // namespace
