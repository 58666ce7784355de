// Stored texts with every kind of mark-up go through the three dialogs with
// the colour toolbar unchanged: an untouched OK keeps every byte, a character
// typed at the start changes nothing else, only well-formed runs show as
// coloured words, and the previews colour nothing after the mark-up.
#include "commands/common/dialogue_pages.h"
#include "commands/common/game_font.h"
#include "commands/text/color_markup.h"
#include "commands/text/preview_passes.h"
#include "commands/text/text_previews.h"
#include "core/color_table.h"
#include "core/key_codec.h"
#include "fixtures/font_fixtures.h"
#include "preview_support.h"
#include "text_dialog_support.h"

#include <QAction>
#include <QSet>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

using namespace commands;
using texttest::TextNode;

namespace {

struct StoredText
{
    const char *what;
    QString stored;
    QString typed;     // the stored text after a "Z" typed at the start of the box
    QString coloured;  // the characters the box shows coloured, in order
};

// Every text ends on a speaker line and a plain line: nothing there may take
// a colour, in the box or in a preview.
const QString kTail = QStringLiteral("\n&병정\nxy");

QList<StoredText> storedTexts()
{
    QList<StoredText> texts = {
        {"well formed", "ab[C28cd]ef", "Zab[C28cd]ef", "cd"},
        {"a run at the start takes the typed character in", "[C28ab]cd", "[C28Zab]cd", "ab"},
        {"nested", "[C28a[C3Ab]]", "Z[C28a[C3Ab]]", ""},
        {"nested, then a run", "[C01[C02ab]]c[C3Ad]", "Z[C01[C02ab]]c[C3Ad]", "d"},
        {"no closing bracket", "[C28ab", "Z[C28ab", ""},
        {"digits that are no index", "[CZZab]c[CFFd]e]f[C2", "Z[CZZab]c[CFFd]e]f[C2", ""},
        {"an empty run", "a[C10]b", "Za[C10]b", ""},
        {"duplicate indexes", "x[C00ab]y[C05cd][c28e]", "Zx[C00ab]y[C05cd][c28e]", "abcd"},
        {"runs split by a line break", "x[C28ab]\n[C28cd]", "Zx[C28ab]\n[C28cd]", "abcd"},
        {"a run across a line break", "x[C28ab\ncd]", "Zx[C28ab\ncd]", "abcd"},
        {"CR LF", "ab\r\ncd\r\n[C28e]\r\nf\r", "Zab\r\ncd\r\n[C28e]\r\nf\r", "e"},
        {"a lone CR", "a\rb[C28c]", "Za\rb[C28c]", "c"},
        {"literal backslash-n", "a\\nb[C3Ac]", "Za\\nb[C3Ac]", "c"},
    };
    for (StoredText &t : texts) {
        t.stored += kTail;
        t.typed += kTail;
    }
    return texts;
}

struct Dialog
{
    const char *name;
    QString (*record)(const QString &text);
    QString previewTool;   // empty: none, or the whole text is one speaker's page
    bool coloursRuns = true;
};

QString hex(const QString &text)
{
    return core::wAscii(text);
}

const Dialog kDialogs[] = {
    {"FrmString 0x14", [](const QString &t) { return "14000500" + hex(t) + "00"; }, kTalkViewTool},
    {"FrmTalk15", [](const QString &t) { return "1500020004000200FFFF0500" + hex(t) + "00"; }, {}},
    {"FrmSelect12", [](const QString &t) { return "12000500" + hex(t) + "0002000400"; }, kSelectViewTool},
    {"FrmString 0x17", [](const QString &t) { return "17000500" + hex(t) + "00"; }, {}, false},
};

QTextEdit *box(QDialog &d)
{
    return texttest::textBox(d);
}

// The characters of the box that carry a colour.
QString colouredCharacters(QTextEdit *box)
{
    QString out;
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
                out += it.fragment().text();
        }
    }
    return out;
}

QSet<QRgb> colours(const QImage &image)
{
    QSet<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.insert(image.pixel(x, y));
    return out;
}

const QSet<QRgb> kBlackOnWhite = {qRgb(0, 0, 0), qRgb(255, 255, 255)};

// What the preview drew for the last line, the plain one.
QSet<QRgb> tailColours(const QString &tool)
{
    const DialoguePages &pages = sharedDialoguePages();
    const GameFont font(fixtures::FixtureHalfFont(), fixtures::FixtureFullFont());
    if (tool == kSelectViewTool) {
        QImage line(305, 18, QImage::Format_RGB32);
        drawChoiceLine(line, font, pages.choiceLines.value(pages.choiceLines.size() - 1), kFontBlack,
                       qRgb(255, 255, 255));
        return colours(line);
    }
    QImage bubble(321, 80, QImage::Format_RGB32), narration(305, 106, QImage::Format_RGB32);
    TalkSurfaces surfaces;
    surfaces.bubble = &bubble;
    surfaces.narration = &narration;
    surfaces.narrationBackground = narration;
    TalkViewState state;
    state.page = pages.pageCount() - 1;
    EXPECT_FALSE(isNarrationPage(pages, state.page));
    EXPECT_TRUE(runTalkPass(pages, state, surfaces, font, [] { return true; }));
    EXPECT_EQ(state.rowsDrawn, QStringList{QStringLiteral("xy")});
    return colours(bubble);
}

struct FakePreview
{
    workspace::ScopedDialogOverride over;
    explicit FakePreview(const QString &tool)
        : over(tool, [](workspace::EditContext &) -> std::unique_ptr<QDialog> { return nullptr; })
    {
    }
};

} // namespace

TEST(StoredMarkup, DuplicateIndexesAreReallyDuplicates)
{
    // The case above means something only if the palette repeats the colours.
    EXPECT_NE(paletteIndexOf(core::colorTable()[0x00]), 0x00);
    EXPECT_NE(paletteIndexOf(core::colorTable()[0x05]), 0x05);
}

TEST(StoredMarkup, UntouchedOrTypedAtTheStartEveryOtherByteStays)
{
    const core::game::GameData data = texttest::onePerson();
    for (const Dialog &dialog : kDialogs) {
        for (const StoredText &t : storedTexts()) {
            SCOPED_TRACE(std::string(dialog.name) + ": " + t.what);
            const QString record = dialog.record(t.stored);

            TextNode untouched(record);
            untouched.ctx.gameData = &data;
            EXPECT_FALSE(untouched.edit([&](QDialog &d) {
                const QString coloured = dialog.coloursRuns ? t.coloured : QString();
                EXPECT_EQ(colouredCharacters(box(d)), coloured);
                // Undo has nothing to take back: the colours are the stored text's.
                box(d)->undo();
                EXPECT_EQ(colouredCharacters(box(d)), coloured);
                if (!dialog.previewTool.isEmpty()) {
                    FakePreview fake(dialog.previewTool);
                    d.findChild<QAction *>(QStringLiteral("mnuview"))->trigger();
                    QSet<QRgb> drawn = tailColours(dialog.previewTool);
                    EXPECT_TRUE(drawn.subtract(kBlackOnWhite).isEmpty());
                }
                enginetest::click(d, "cConfig");
            }));
            EXPECT_EQ(untouched.record(), record);
            EXPECT_EQ(untouched.records, 0);

            TextNode typed(record);
            EXPECT_TRUE(typed.edit([&](QDialog &d) {
                box(d)->setFocus();
                box(d)->moveCursor(QTextCursor::Start);
                QTest::keyClicks(box(d), QStringLiteral("Z"));
                enginetest::click(d, "cConfig");
            }));
            // Where runs show as characters, the typed one stands before them all.
            const QString expected = dialog.coloursRuns ? t.typed : u'Z' + t.stored;
            EXPECT_EQ(typed.record().toStdString(), dialog.record(expected).toStdString());
            EXPECT_TRUE(fixtures::nestedLengthsConsistent(typed.tree));
        }
    }
}

TEST(StoredMarkup, TheIssueExampleKeepsItsSpeakerChange)
{
    // "[C28a[C3Ab]]" then a speaker line: the speaker line stays plain and a
    // page of its own.
    const core::game::GameData data = texttest::onePerson();
    TextNode cmd(kDialogs[0].record(QStringLiteral("[C28a[C3Ab]]\n&병정")));
    cmd.ctx.gameData = &data;
    EXPECT_TRUE(cmd.edit([&](QDialog &d) {
        EXPECT_EQ(colouredCharacters(box(d)), QString());
        FakePreview fake(kTalkViewTool);
        d.findChild<QAction *>(QStringLiteral("mnuview"))->trigger();
        EXPECT_EQ(sharedDialoguePages().pageSpeaker.value(1), QStringLiteral("병정"));
        box(d)->moveCursor(QTextCursor::End);
        QTest::keyClicks(box(d), QStringLiteral("!"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), kDialogs[0].record(QStringLiteral("[C28a[C3Ab]]\n&병정!")));
}

TEST(StoredMarkup, IndexFFDrawsInTheLinesOwnColour)
{
    const GameFont font(fixtures::FixtureHalfFont(), fixtures::FixtureFullFont());
    const QRgb highlight = qRgb(0, 0, 255);
    QImage line(305, 18, QImage::Format_RGB32);
    drawChoiceLine(line, font, QStringLiteral("1.[CFFab]c"), kFontWhite, highlight);
    EXPECT_EQ(colours(line), (QSet<QRgb>{qRgb(255, 255, 255), highlight}));

    FontColor current = kFontWhite;
    const MarkupStep step = scanMarkup(QStringLiteral("[CFFa"), 0, current, kFontWhite);
    EXPECT_EQ(step.color, kFontWhite);
}
