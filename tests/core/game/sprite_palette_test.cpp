#include "core/game/sprite_palette.h"

#include <gtest/gtest.h>

using namespace core::game;

TEST(SpritePalette, KeyColourOnlyInTheTransparentEntries)
{
    const QList<QRgb> &p = spritePalette();
    ASSERT_EQ(p.size(), 256);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(p[i] == kSpriteKeyColour, isTransparentIndex(i)) << i;
        EXPECT_EQ(qAlpha(p[i]), 255) << i;
    }
    for (int i : {0, 5, 9, 246, 255})
        EXPECT_TRUE(isTransparentIndex(i)) << i;
    for (int i : {10, 245, -1, 256})
        EXPECT_FALSE(isTransparentIndex(i)) << i;
}

TEST(SpritePalette, SampleEntries)
{
    const QList<QRgb> &p = spritePalette();
    const std::pair<int, QRgb> samples[] = {
        {10, qRgb(0xFF, 0x8C, 0x63)}, {18, qRgb(255, 255, 255)}, {31, qRgb(0, 0, 0)},
        {40, qRgb(255, 0, 0)},         {58, qRgb(0, 0, 255)},     {85, qRgb(0, 255, 0)},
        {124, qRgb(255, 0, 255)},      {173, qRgb(0xC2, 0x55, 0x02)}, {200, qRgb(0x4B, 0x63, 0x14)},
        {245, qRgb(0xE1, 0xB9, 0x74)},
    };
    for (const auto &[i, rgb] : samples)
        EXPECT_EQ(p[i], rgb) << i;
}

TEST(SpritePalette, IndexedSpritePadsShortDataWithTransparency)
{
    const QByteArray px("\x0A\x12\x1F", 3);
    const QImage img = indexedSprite(px, 2, 2);
    ASSERT_EQ(img.format(), QImage::Format_Indexed8);
    EXPECT_EQ(img.pixelIndex(0, 0), 10);
    EXPECT_EQ(img.pixelIndex(1, 0), 18);
    EXPECT_EQ(img.pixelIndex(0, 1), 31);
    EXPECT_EQ(img.pixelIndex(1, 1), 0);
    EXPECT_TRUE(indexedSprite(px, 0, 3).isNull());
}

TEST(SpritePalette, TransparencyAndMaskKeepOpaqueWhite)
{
    // Key, white, black, key.
    const QImage img = indexedSprite(QByteArray("\x00\x12\x1F\xFF", 4), 4, 1);
    const QImage t = keyedTransparent(img);
    EXPECT_EQ(qAlpha(t.pixel(0, 0)), 0);
    EXPECT_EQ(t.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(t.pixel(2, 0), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(t.pixel(3, 0)), 0);

    const SpriteMaskPair pair = makeMask(img);
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    EXPECT_EQ(pair.sprite.pixel(0, 0), white);
    EXPECT_EQ(pair.mask.pixel(0, 0), black);
    EXPECT_EQ(pair.sprite.pixel(1, 0), white);
    EXPECT_EQ(pair.mask.pixel(1, 0), white);
    EXPECT_EQ(pair.sprite.pixel(2, 0), black);
    EXPECT_EQ(pair.mask.pixel(2, 0), white);
}
