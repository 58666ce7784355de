// Colour runs of game texts: loading them as coloured words and storing the
// coloured words back as runs.
#include "commands/text/color_markup.h"
#include "commands/text/markup_text_box.h"
#include "core/color_table.h"
#include "platform/cp949.h"

#include <QAction>
#include <QRandomGenerator>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

using namespace commands;

namespace {

// The box loads and stores bytes; the texts here are all valid CP949.
void loadStoredText(QTextEdit *box, const QString &stored, bool colourRuns)
{
    commands::loadStoredText(box, platform::Cp949::encode(stored), colourRuns);
}

QString storedBoxText(const QTextEdit *box)
{
    return platform::Cp949::decode(storedBoxBytes(box));
}

QString roundTrip(const QString &stored)
{
    QWidget owner;
    QTextEdit *box = makeTextBox(&owner);
    setMarkupBoxText(box, stored);
    applyColorRuns(box);
    return colorTextFromBox(box);
}

void select(QTextEdit *box, int start, int length)
{
    QTextCursor c = box->textCursor();
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    box->setTextCursor(c);
}

void press(QToolBar *bar, const char *key)
{
    bar->findChild<QAction *>(QLatin1String(key))->trigger();
}

} // namespace

TEST(ColorMarkupLoad, TakesRunsOutAndRemembersTheirColours)
{
    const LoadedMarkup m = loadColorMarkup(QStringLiteral("abc[C28def]ghi"));
    EXPECT_EQ(m.text, QStringLiteral("abcdefghi"));
    EXPECT_EQ(m.spans, (QList<ColorSpan>{{3, 3, 40, QStringLiteral("[C28")}}));

    const LoadedMarkup two = loadColorMarkup(QStringLiteral("[C28ab]xy[C3Acd]"));
    EXPECT_EQ(two.text, QStringLiteral("abxycd"));
    EXPECT_EQ(two.spans, (QList<ColorSpan>{{0, 2, 40, QStringLiteral("[C28")}, {4, 2, 58, QStringLiteral("[C3A")}}));

    // No closing bracket: the characters stay.
    EXPECT_EQ(loadColorMarkup(QStringLiteral("a[C28bc")).text, QStringLiteral("a[C28bc"));
    EXPECT_TRUE(loadColorMarkup(QStringLiteral("a[C28bc")).spans.isEmpty());
    // An index past the palette stays as its characters.
    EXPECT_EQ(loadColorMarkup(QStringLiteral("[CFFab]")).text, QStringLiteral("[CFFab]"));
    // Nested runs stay as their characters up to the first "]"; what follows
    // is read afresh.
    const LoadedMarkup inner = loadColorMarkup(QStringLiteral("[C01[C02ab]]c[C03d]"));
    EXPECT_EQ(inner.text, QStringLiteral("[C01[C02ab]]cd"));
    EXPECT_EQ(inner.spans, (QList<ColorSpan>{{13, 1, 3, QStringLiteral("[C03")}}));
}

TEST(ColorMarkupStore, SwitchesBecomeRuns)
{
    const std::uint32_t red = core::colorTable()[40];
    const std::uint32_t blue = core::rgbValue(0, 0, 255);
    auto piece = [](const char *t, std::optional<std::uint32_t> c) {
        return ColoredPiece{QString::fromLatin1(t), c, false, -1, {}};
    };
    EXPECT_EQ(markupFromPieces({piece("ab", red), piece("xy", std::nullopt), piece("cd", blue)}),
              QStringLiteral("[C28ab]xy[C3Acd]"));
    EXPECT_EQ(markupFromPieces({piece("ab", red), piece("cd", blue)}), QStringLiteral("[C28ab][C3Acd]"));
    // Black painted on purpose is a run of the last black palette entry.
    EXPECT_EQ(paletteIndexOf(0), 0x1F);
    EXPECT_EQ(markupFromPieces({piece("a", 0u), piece("b", std::nullopt)}), QStringLiteral("[C1Fa]b"));
    // No coloured word: the plain text, even with stray brackets.
    EXPECT_EQ(markupFromPieces({piece("a[C2", std::nullopt)}), QStringLiteral("a[C2"));
    // A run open across a line break stays open.
    EXPECT_EQ(markupFromPieces({piece("a", red), {QStringLiteral("\r\n"), std::nullopt, true, -1, {}}, piece("b", red)}),
              QStringLiteral("[C28a\r\nb]"));
}

TEST(ColorMarkupBox, StoredTextsComeBackUnchanged)
{
    const QString texts[] = {
        QStringLiteral("abc[C28def]ghi"),
        QStringLiteral("[C28ab]xy[C3Acd]"),
        QStringLiteral("[C28ab][C3Acd]"),
        QStringLiteral("첫 줄[C28빨강]\r\n둘째 [C3A파랑\r\n셋째]끝"),
        QStringLiteral("plain\r\n\r\ntext"),
        QStringLiteral("[C28[C02ab]"),
        QStringLiteral("[C28a]\r\n"),
        QStringLiteral(""),
    };
    for (const QString &t : texts)
        EXPECT_EQ(roundTrip(t), t) << t.toStdString();
}

TEST(ColorMarkupBox, ToolbarPaintsTheSelectionOnly)
{
    QWidget owner;
    QTextEdit *box = makeTextBox(&owner);
    QToolBar *bar = makeColorToolbar(&owner, box);
    EXPECT_EQ(bar->objectName(), QStringLiteral("Toolbar1"));
    EXPECT_EQ(bar->actions().size(), 10);
    setMarkupBoxText(box, QStringLiteral("one two three"));

    press(bar, "Red");   // nothing selected
    EXPECT_EQ(colorTextFromBox(box), QStringLiteral("one two three"));

    select(box, 4, 3);
    press(bar, "Blue");
    EXPECT_EQ(colorTextFromBox(box), QStringLiteral("one [C3Atwo] three"));
    select(box, 0, 3);
    press(bar, "Red");
    EXPECT_EQ(colorTextFromBox(box), QStringLiteral("[C28one] [C3Atwo] three"));
    select(box, 8, 5);
    press(bar, "Gal");
    EXPECT_EQ(colorTextFromBox(box), QStringLiteral("[C28one] [C3Atwo] [C9Cthree]"));
    EXPECT_EQ(boxPlainText(box), QStringLiteral("one two three"));
}

TEST(ColorMarkupStore, ByteLengthsCountLineBreaksOnce)
{
    EXPECT_EQ(storedTextFromBox(QStringLiteral("a\r\nb")), QStringLiteral("a\nb"));
    EXPECT_EQ(storedByteLength(QStringLiteral("가\nB")), 4);
}

TEST(ColorMarkupStore, LoadedRunsKeepTheirHeadsAndBoundsWhileTheyKeepTheirColour)
{
    const std::uint32_t blue = core::colorTable()[0];
    const std::uint32_t red = core::colorTable()[40];
    const ColoredPiece lineBreak{QStringLiteral("\r\n"), std::nullopt, true, -1, {}};
    auto run = [](const char *t, std::uint32_t c, int number, const char *head) {
        return ColoredPiece{QString::fromLatin1(t), c, false, number, QString::fromLatin1(head)};
    };
    // Entry 0 has the colour of entry 3A, yet stays 00.
    EXPECT_EQ(markupFromPieces({run("ab", blue, 0, "[C00")}), QStringLiteral("[C00ab]"));
    // Painted over with another colour: a run of that colour.
    EXPECT_EQ(markupFromPieces({run("ab", red, 0, "[C00")}), QStringLiteral("[C28ab]"));
    // Two runs of one colour on two lines stay two runs; one run over a line break stays one.
    EXPECT_EQ(markupFromPieces({run("a", red, 0, "[C28"), lineBreak, run("b", red, 1, "[C28")}),
              QStringLiteral("[C28a]\r\n[C28b]"));
    EXPECT_EQ(markupFromPieces({run("a", red, 0, "[C28"), lineBreak, run("b", red, 0, "[C28")}),
              QStringLiteral("[C28a\r\nb]"));
    // Mark-up shown as characters is written as it is, a "[C" at the end too.
    EXPECT_EQ(markupFromPieces({run("a", red, 0, "[C28"), {QStringLiteral("b[C2"), std::nullopt, false, -1, {}}}),
              QStringLiteral("[C28a]b[C2"));
}

TEST(ColorMarkupBox, ACharacterTypedAnywhereLeavesEveryStoredByte)
{
    struct Case
    {
        QString stored;
        bool allWellFormed;   // a typed "[" or "C" cannot make a run of literal mark-up
    };
    const Case cases[] = {
        {QStringLiteral("ab[C28cd]ef\r\n[C00g]\n[C00h]"), true},
        {QStringLiteral("[C28a[C3Ab]]\n&AB"), false},
        {QStringLiteral("x[C28ab\ncd]y[C05e]\r[CFFf]]"), false},
    };
    auto shown = [](QString t) { return t.replace(u'\r', QStringLiteral("<CR>")).toStdString(); };
    for (const auto &[stored, allWellFormed] : cases) {
        QWidget owner;
        QTextEdit *box = makeTextBox(&owner);
        loadStoredText(box, stored, true);
        const int length = int(box->toPlainText().size());
        for (int at = 0; at <= length; ++at) {
            loadStoredText(box, stored, true);
            const QString before = box->toPlainText();
            QTextCursor c = box->textCursor();
            c.setPosition(at);
            box->setTextCursor(c);
            QTest::keyClicks(box, QStringLiteral("Z"));
            EXPECT_EQ(box->toPlainText(), QString(before).insert(at, u'Z'));
            const QString saved = storedBoxText(box);
            bool found = false;
            for (int i = saved.indexOf(u'Z'); i >= 0 && !found; i = saved.indexOf(u'Z', i + 1))
                found = QString(saved).remove(i, 1) == stored;
            EXPECT_TRUE(found) << shown(stored) << " at " << at << ": " << shown(saved);
            // And the box shows it again as it was typed.
            loadStoredText(box, saved, true);
            if (allWellFormed) {
                EXPECT_EQ(box->toPlainText(), QString(before).insert(at, u'Z'));
            }
        }
    }
}

TEST(ColorMarkupBox, RandomTextsLoadAndStoreWhole)
{
    // Texts drawn from the pieces mark-up is made of, with a fixed seed.
    const QString parts[] = {QStringLiteral("[C"), QStringLiteral("28"), QStringLiteral("0"), QStringLiteral("F"),
                             QStringLiteral("Z"), QStringLiteral("]"), QStringLiteral("["), QStringLiteral("a"),
                             QStringLiteral("가"), QStringLiteral("\n"), QStringLiteral("\r")};
    QRandomGenerator random(36);
    QWidget owner;
    QTextEdit *box = makeTextBox(&owner);
    for (int n = 0; n < 400; ++n) {
        QString stored;
        const int count = random.bounded(12);
        for (int i = 0; i < count; ++i)
            stored += parts[random.bounded(int(std::size(parts)))];
        const std::string shown = QString(stored).replace(u'\r', QStringLiteral("<CR>")).toStdString();

        // The runs and the characters between them make the text again.
        const QString noCr = QString(stored).remove(u'\r');
        const LoadedMarkup loaded = loadColorMarkup(noCr);
        QString rebuilt;
        int from = 0;
        for (const ColorSpan &span : loaded.spans) {
            ASSERT_GE(span.start, from) << shown;
            ASSERT_GT(span.length, 0) << shown;
            rebuilt += loaded.text.mid(from, span.start - from) + span.head +
                       loaded.text.mid(span.start, span.length) + u']';
            from = span.start + span.length;
        }
        rebuilt += loaded.text.mid(from);
        EXPECT_EQ(rebuilt, noCr) << shown;

        // Through the box: untouched, and with a character typed anywhere.
        loadStoredText(box, stored, true);
        EXPECT_EQ(storedBoxText(box), stored) << shown;
        const int at = random.bounded(int(box->toPlainText().size()) + 1);
        QTextCursor c = box->textCursor();
        c.setPosition(at);
        box->setTextCursor(c);
        QTest::keyClicks(box, QStringLiteral("q"));
        const QString saved = storedBoxText(box);
        EXPECT_EQ(QString(saved).remove(u'q'), stored) << shown << " at " << at;
    }
}
