#include "core/color_table.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// The palette written out by hand, index: r/g/b, independent of the table in
// the code. Indices not listed hold the key colour 247/0/255.
const char *const kExpected = R"(
0: 0/0/255
10: 255/140/99 255/107/74 247/74/57 173/49/41 255/222/90 255/206/82 239/189/90 189/156/82
18: 255/255/255 238/238/238 221/221/221 204/204/204 187/187/187 170/170/170 153/153/153 136/136/136
26: 119/119/119 102/102/102 85/85/85 68/68/68 34/34/34 0/0/0 253/239/225 253/217/180
34: 254/202/150 254/179/105 255/149/45 255/127/0 255/110/0 255/76/0 255/0/0 231/0/0
42: 195/0/0 183/0/0 158/0/0 134/0/0 110/0/0 74/0/0 210/253/253 180/253/253
50: 150/254/253 105/254/253 0/255/255 0/221/255 0/187/255 0/153/255 0/119/255 0/85/255
58: 0/0/255 0/0/231 0/0/195 0/0/171 0/0/122 0/0/86 253/253/225 253/253/180
66: 254/254/135 254/254/90 255/255/45 255/255/0 237/237/0 219/219/0 201/201/0 178/178/0
74: 159/159/0 139/139/0 120/120/0 101/101/0 81/81/0 62/62/0 225/253/225 193/253/193
82: 161/254/161 129/254/129 96/254/96 0/255/0 0/237/0 0/219/0 0/201/0 0/183/0
90: 0/165/0 0/146/0 0/128/0 0/110/0 0/92/0 0/74/0 174/137/110 152/118/94
98: 117/98/72 100/82/63 75/64/54 46/37/30 231/206/165 238/195/136 225/173/114 217/162/115
106: 206/154/108 231/214/189 233/209/184 231/198/165 222/189/148 222/181/132 247/225/253 222/193/230
114: 196/161/206 171/129/183 146/97/159 121/65/136 95/33/112 70/1/89 253/225/253 254/169/254
122: 253/134/253 255/106/255 255/0/255 232/23/232 209/20/209 186/18/186 248/240/206 217/208/171
130: 186/176/136 155/144/101 138/127/85 122/111/69 105/94/52 88/77/36 171/222/242 133/185/205
138: 94/147/169 56/110/132 48/99/119 40/87/107 32/76/94 24/64/81 128/195/128 112/180/112
146: 97/165/97 81/150/81 65/136/65 49/121/49 34/106/34 18/91/18 186/146/93 171/132/80
154: 157/118/68 142/104/55 128/91/42 113/77/29 99/63/17 84/49/4 189/198/41 173/189/41
162: 173/173/74 148/173/49 140/156/49 115/148/49 115/132/49 99/123/49 34/160/191 26/128/174
170: 17/96/157 9/63/140 0/31/123 194/85/2
)";

std::array<std::uint32_t, 255> expectedTable()
{
    std::array<std::uint32_t, 255> table;
    table.fill(247 + 256 * 0 + 65536 * 255);
    const QStringList lines = QString::fromLatin1(kExpected).split('\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList parts = line.split(':');
        int index = parts.at(0).toInt();
        for (const QString &rgb : parts.at(1).split(' ', Qt::SkipEmptyParts)) {
            const QStringList c = rgb.split('/');
            table.at(index++) = c.at(0).toUInt() + 256 * c.at(1).toUInt() + 65536 * c.at(2).toUInt();
        }
    }
    return table;
}

TEST(ColorTable, EveryEntryMatchesThePalette)
{
    const auto expected = expectedTable();
    const auto &table = core::initColorTable();
    ASSERT_EQ(table.size(), 255u);
    for (int i = 0; i < 255; ++i)
        EXPECT_EQ(table[i], expected[i]) << "index " << i;
    EXPECT_EQ(core::colorTable(), expected);
    // A second build gives the same values.
    EXPECT_EQ(core::initColorTable(), expected);
}

TEST(ColorTable, LandmarksAndConversions)
{
    EXPECT_EQ(core::colorAt(0), 0xFF0000u);        // blue
    EXPECT_EQ(core::colorAt(31), 0u);              // black
    EXPECT_EQ(core::colorAt(40), 0x0000FFu);       // red
    EXPECT_EQ(core::colorAt(124), 0xFF00FFu);      // magenta
    for (int keyIndex : {1, 9, 174, 254, -1, 255})
        EXPECT_EQ(core::colorAt(keyIndex), core::kKeyColor) << keyIndex;
    EXPECT_EQ(core::toQColor(core::colorAt(173)), QColor(194, 85, 2));
    EXPECT_EQ(core::fromQColor(QColor(194, 85, 2)), core::colorAt(173));
}

} // namespace
