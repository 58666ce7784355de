#include "commands/common/game_font.h"

#include "core/color_table.h"
#include "core/game/demo_font_files.h"
#include "fixtures/font_fixtures.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace commands;

namespace {

GameFont fixtureFont()
{
    return GameFont(fixtures::FixtureHalfFont(), fixtures::FixtureFullFont());
}

QImage blank(int w = 64, int h = 32)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    return image;
}

// The pixels a half-width glyph must set, from the fixture's pattern.
void expectHalfGlyph(const QImage &image, int x, int y, int glyph, QRgb ink)
{
    for (int r = 0; r < 16; ++r)
        for (int i = 0; i < 8; ++i) {
            const bool set = fixtures::FixtureHalfByte(glyph, r) & (0x80 >> i);
            ASSERT_EQ(image.pixel(x + i, y + r), set ? ink : qRgb(1, 2, 3))
                << "glyph " << glyph << " row " << r << " bit " << i;
        }
}

} // namespace

TEST(GlyphLookup, FindsRecordsByCode)
{
    struct Row { std::uint32_t code; bool full; int index; qint64 offset; int advance; };
    const Row rows[] = {
        {0x41, false, 33, 528, 8},          // A
        {0xB0A1, true, 1128, 33842, 16},    // first Hangul syllable
        {0xA3A1, true, 188, 5642, 16},      // full-width exclamation mark
        {0xAEFE, true, 13 * 94 + 93, 30 * (13 * 94 + 93) + 2, 16},
        {0xAEFF, false, 0, 0, 8},
        {0xB0A0, false, 0, 0, 8},
        {13, false, 0, 0, 8},               // carriage return
        {0x80, false, 0, 0, 8},
        {0xC8FE, true, 36 * 94 + 93, 30 * (36 * 94 + 93) + 2, 16},
        {0xC8FF, false, 0, 0, 8},
    };
    for (const Row &row : rows) {
        const GlyphLocation g = glyphLookup(row.code);
        EXPECT_EQ(g.fullWidth, row.full) << std::hex << row.code;
        EXPECT_EQ(g.index, row.index) << std::hex << row.code;
        EXPECT_EQ(g.offset, row.offset) << std::hex << row.code;
        EXPECT_EQ(g.advance, row.advance) << std::hex << row.code;
        EXPECT_EQ(g.recordLength, row.full ? 28 : 16);
    }
}

TEST(GlyphLookup, CodesComeFromCp949Bytes)
{
    EXPECT_EQ(glyphCode(u'A'), 0x41u);
    EXPECT_EQ(glyphCode(QChar(u'\r')), 13u);
    EXPECT_EQ(glyphCode(QStringLiteral("가")[0]), 0xB0A1u);
    EXPECT_EQ(glyphCode(QStringLiteral("！")[0]), 0xA3A1u);
}

TEST(GameFont, DrawsHalfWidthGlyphPixels)
{
    const GameFont font = fixtureFont();
    QImage image = blank();
    const QRgb ink = qRgb(0, 0, 255);
    EXPECT_EQ(font.drawChar(image, 5, 3, u'A', kFontBlue), 8);
    expectHalfGlyph(image, 5, 3, 33, ink);
}

TEST(GameFont, DrawsFullWidthGlyphPixelsWithDrop)
{
    const GameFont font = fixtureFont();
    for (int drop : {0, 2}) {
        QImage image = blank();
        EXPECT_EQ(font.drawGlyph(image, 4, 1, 0xB0A1, kFontBlack, drop), 16);
        for (int k = 0; k < 28; ++k)
            for (int i = 0; i < 8; ++i) {
                const bool set = fixtures::FixtureFullByte(1128, k) & (0x80 >> i);
                const QRgb want = set ? qRgb(0, 0, 0) : qRgb(1, 2, 3);
                ASSERT_EQ(image.pixel(4 + 8 * (k % 2) + i, 1 + drop + k / 2), want) << k << "/" << i;
            }
        // Nothing outside the 16 x 14 cell (the step's two unread bytes are inked in the fixture).
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (x < 4 || x >= 20 || y < 1 + drop || y >= 15 + drop) {
                    ASSERT_EQ(image.pixel(x, y), qRgb(1, 2, 3)) << x << "," << y;
                }
    }
}

TEST(GameFont, ColourIsRedInTheLowByte)
{
    const GameFont font = fixtureFont();
    QImage image = blank();
    font.drawChar(image, 0, 0, u'A', core::rgbValue(10, 20, 30));
    bool found = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            found = found || image.pixel(x, y) == qRgb(10, 20, 30);
    EXPECT_TRUE(found);
}

TEST(GameFont, CarriageReturnDrawsGlyphZero)
{
    const GameFont font = fixtureFont();
    QImage image = blank();
    EXPECT_EQ(font.drawPlain(image, 2, 0, QStringLiteral("\r"), kFontBlack), 10);
    expectHalfGlyph(image, 2, 0, 0, qRgb(0, 0, 0));
}

TEST(GameFont, MissingFilesDrawNothingButAdvance)
{
    QTemporaryDir dir;
    const GameFont font = GameFont::fromFolder(dir.path());
    EXPECT_TRUE(font.empty());
    QImage image = blank();
    EXPECT_EQ(font.drawPlain(image, 0, 0, QStringLiteral("A가"), kFontBlack), 24);
    EXPECT_EQ(image, blank());
    // A folder that does not exist at all behaves the same, and no file appears.
    const GameFont none = GameFont::fromFolder(dir.filePath(QStringLiteral("nowhere")));
    EXPECT_EQ(none.drawPlain(image, 0, 0, QStringLiteral("A"), kFontBlack), 8);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("nowhere"))));
}

TEST(GameFont, ReadsFolderFilesAndBlanksBeforeTheFileStart)
{
    QTemporaryDir dir;
    fixtures::WriteFontFiles(dir.path());
    const GameFont font = GameFont::fromFolder(dir.path());
    QImage image = blank();
    font.drawChar(image, 0, 0, u'A', kFontBlack);
    expectHalfGlyph(image, 0, 0, 33, qRgb(0, 0, 0));
    // 0xA241 lies before the start of the full-width file: the record's
    // bytes before offset 0 read as zero.
    const GlyphLocation g = glyphLookup(0xA241);
    EXPECT_LT(g.offset, 0);
    const QByteArray record = font.glyphRecord(g);
    for (int i = 0; i < 28; ++i) {
        const qint64 at = g.offset + i;
        EXPECT_EQ(quint8(record[i]), at < 0 ? 0 : quint8(fixtures::FixtureFullFont()[at]));
    }
}

TEST(GameFont, NamesStopAtTheFirstDigit)
{
    EXPECT_EQ(nameUpToDigit(QStringLiteral("은빛매2")), QStringLiteral("은빛매"));
    EXPECT_EQ(nameUpToDigit(QStringLiteral("무명")), QStringLiteral("무명"));
    EXPECT_EQ(nameUpToDigit(QStringLiteral("7")), QString());
}

namespace {

struct Drawn
{
    QString chars;
    QList<FontColor> colors;
};

Drawn scanAll(const QString &line, FontColor start = kFontBlack)
{
    Drawn d;
    FontColor color = start;
    int pos = 0;
    for (;;) {
        const MarkupStep step = scanMarkup(line, pos, color, kFontBlack);
        if (step.end)
            break;
        d.chars += step.ch;
        d.colors << step.color;
        pos = step.pos + 1;
    }
    return d;
}

} // namespace

TEST(MarkupScan, ColourRunsAndStrayBrackets)
{
    const FontColor c40 = core::colorTable()[40];
    const FontColor c5 = core::colorTable()[5];
    const FontColor c1 = core::colorTable()[1];

    Drawn d = scanAll(QStringLiteral("[C28Red]x"));
    EXPECT_EQ(d.chars, QStringLiteral("Redx"));
    EXPECT_EQ(d.colors, (QList<FontColor>{c40, c40, c40, kFontBlack}));

    d = scanAll(QStringLiteral("[X]"));
    EXPECT_EQ(d.chars, QStringLiteral("[X"));

    d = scanAll(QStringLiteral("]"));
    EXPECT_EQ(d.chars, QString());

    d = scanAll(QStringLiteral("[C5Gab"));
    EXPECT_EQ(d.chars, QStringLiteral("ab"));
    EXPECT_EQ(d.colors.value(0), c5);

    d = scanAll(QStringLiteral("[C01[C02ab]z"));
    EXPECT_EQ(d.chars, QStringLiteral("[C02abz"));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(d.colors[i], c1) << i;
    EXPECT_EQ(d.colors[6], kFontBlack);

    // Non-hex digits are consumed and give entry 0; a run closed at once draws nothing.
    d = scanAll(QStringLiteral("[CZZq][C10]"));
    EXPECT_EQ(d.chars, QStringLiteral("q"));
    EXPECT_EQ(d.colors.value(0), core::colorTable()[0]);

    // "[C" at the very end of a line.
    EXPECT_EQ(scanAll(QStringLiteral("a[C")).chars, QStringLiteral("a"));
    // An index past the table draws black.
    EXPECT_EQ(scanAll(QStringLiteral("[CFFa")).colors.value(0), kFontBlack);
}

TEST(MarkupScan, OpenRunGoesOnIntoTheNextLine)
{
    FontColor color = kFontBlack;
    scanMarkup(QStringLiteral("[C28ab"), 0, color, kFontBlack);
    const MarkupStep next = scanMarkup(QStringLiteral("cd"), 0, color, kFontBlack);
    EXPECT_EQ(next.color, core::colorTable()[40]);
}

TEST(DemoFonts, HaveTheGameLayoutAndInk)
{
    const QByteArray half = core::game::demoHalfFont();
    const QByteArray full = core::game::demoFullFont();
    EXPECT_EQ(half.size(), 256 * 16);
    EXPECT_EQ(full.size(), 2 + 37 * 94 * 30);
    const GameFont font(half, full);
    for (QChar c : QStringLiteral("A가")) {
        const QByteArray record = font.glyphRecord(glyphLookup(glyphCode(c)));
        EXPECT_NE(record.count('\0'), record.size()) << int(c.unicode());
    }
    EXPECT_EQ(core::game::demoFontFiles().size(), 2);
}
