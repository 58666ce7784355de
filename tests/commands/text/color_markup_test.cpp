// Colour runs of game texts: loading them as coloured words and storing the
// coloured words back as runs.
#include "commands/text/color_markup.h"
#include "commands/text/markup_text_box.h"
#include "core/color_table.h"

#include <QAction>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

using namespace commands;

namespace {

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
