// The drawing passes of the text previews and their windows, with pauses off.
#include "commands/common/typing_wait.h"
#include "commands/text/information_preview.h"
#include "commands/text/choice_preview.h"
#include "commands/text/dialogue_preview.h"
#include "commands/text/preview_passes.h"
#include "core/color_table.h"
#include "core/game/game_data.h"
#include "fixtures/font_fixtures.h"
#include "preview_support.h"
#include "support/pointer.h"

#include <QCursor>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace commands;
using texttest::onePerson;

namespace {

GameFont fixtureFont()
{
    return GameFont(fixtures::FixtureHalfFont(), fixtures::FixtureFullFont());
}

const GlyphPause kNoPause = [] { return true; };

struct Talk
{
    DialoguePages pages;
    TalkViewState state;
    QImage bubble{321, 80, QImage::Format_RGB32};
    QImage narration{305, 106, QImage::Format_RGB32};
    TalkSurfaces surfaces;
    GameFont font = fixtureFont();

    Talk()
    {
        surfaces.bubble = &bubble;
        surfaces.narration = &narration;
        surfaces.narrationBackground = QImage(305, 106, QImage::Format_RGB32);
        surfaces.narrationBackground.fill(qRgb(200, 180, 140));
    }
    void pass() { ASSERT_TRUE(runTalkPass(pages, state, surfaces, font, kNoPause)); }
};

} // namespace

TEST(TalkPass, FacePageOfFiveLinesNeedsTwoPasses)
{
    Talk t;
    fillTalkPage(t.pages, QStringLiteral("1\r\n2\r\n3\r\n4\r\n5"), 4, nullptr);
    t.pass();
    EXPECT_EQ(t.state.rowsDrawn, (QStringList{"1", "2", "3"}));
    EXPECT_EQ(t.state.row, 3);
    EXPECT_EQ(talkClick(t.pages, t.state), ClickStep::Continue);
    t.pass();
    EXPECT_EQ(t.state.rowsDrawn, (QStringList{"4", "5"}));
    EXPECT_EQ(talkClick(t.pages, t.state), ClickStep::Close);
}

TEST(TalkPass, DialoguePagesTurnAndEmptyLastRowsAreNotDrawn)
{
    const auto data = onePerson();
    Talk t;
    cutDialoguePages(t.pages, QStringLiteral("Hello\r\n&병정\r\nHi\r\n"), &data);
    t.pass();
    EXPECT_TRUE(isNarrationPage(t.pages, 0));
    EXPECT_EQ(t.state.rowsDrawn, QStringList{"Hello"});
    EXPECT_EQ(talkClick(t.pages, t.state), ClickStep::NextPage);
    EXPECT_EQ(t.state.page, 1);
    t.pass();
    // "Hi", then the empty last line ends the pass without a row.
    EXPECT_EQ(t.state.rowsDrawn, QStringList{"Hi"});
    EXPECT_EQ(t.state.row, 0);
    EXPECT_EQ(talkClick(t.pages, t.state), ClickStep::Close);
}

TEST(TalkPass, NarrationOfFourLinesFillsThePanel)
{
    Talk t;
    cutDialoguePages(t.pages, QStringLiteral("a\r\nb\r\nc\r\nd\r\n&x\r\ny"), nullptr);
    t.pass();
    EXPECT_EQ(t.state.rowsDrawn, (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(talkClick(t.pages, t.state), ClickStep::NextPage);
}

TEST(TalkPass, ColourRunsOnFacePagesOnly)
{
    const auto data = onePerson();
    const QRgb red = core::toQColor(core::colorTable()[40]).rgb();
    auto hasColour = [](const QImage &img, QRgb c) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) == c)
                    return true;
        return false;
    };
    Talk face;
    fillTalkPage(face.pages, QStringLiteral("[C28Red]x"), 4, &data);
    face.pass();
    EXPECT_EQ(face.state.rowsDrawn, QStringList{"Redx"});
    EXPECT_TRUE(hasColour(face.bubble, red));

    Talk narration;
    cutDialoguePages(narration.pages, QStringLiteral("[C28Red]"), nullptr);
    narration.pass();
    EXPECT_EQ(narration.state.rowsDrawn, QStringList{"[C28Red]"});
    EXPECT_FALSE(hasColour(narration.narration, red));
}

TEST(TalkPass, ClickWhileTypingOnlySetsSkip)
{
    Talk t;
    fillTalkPage(t.pages, QStringLiteral("abc"), 0, nullptr);
    int glyphs = 0;
    ClickStep during = ClickStep::Close;
    ASSERT_TRUE(runTalkPass(t.pages, t.state, t.surfaces, t.font, [&] {
        if (++glyphs == 1)
            during = talkClick(t.pages, t.state);
        return true;
    }));
    EXPECT_EQ(during, ClickStep::None);
    EXPECT_TRUE(t.state.skip);
    EXPECT_EQ(t.state.rowsDrawn, QStringList{"abc"});
}

TEST(ExplanationPass, PagesOfFourRows)
{
    const GameFont font = fixtureFont();
    QImage bg(305, 106, QImage::Format_RGB32);
    bg.fill(Qt::white);
    QImage surface;
    const QStringList five = {"1\r\n", "2\r\n", "3\r\n", "4\r\n", "5\r\n"};
    ExplanationState s;
    ASSERT_TRUE(runExplanationPass(five, s, surface, bg, font, kNoPause));
    EXPECT_EQ(s.rowsDrawn, (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(explanationClick(s), ClickStep::Continue);
    ASSERT_TRUE(runExplanationPass(five, s, surface, bg, font, kNoPause));
    EXPECT_EQ(s.rowsDrawn, QStringList{"5"});
    EXPECT_EQ(explanationClick(s), ClickStep::Close);

    ExplanationState four;
    const QStringList lines = {"1\r\n", "\r\n", "3\r\n", "4\r\n"};
    ASSERT_TRUE(runExplanationPass(lines, four, surface, bg, font, kNoPause));
    EXPECT_EQ(four.rowsDrawn, (QStringList{"1", "", "3", "4"}));
    EXPECT_EQ(explanationClick(four), ClickStep::Close);
}

TEST(ChoiceLine, PrefixInLineColourAndRunInItsEntry)
{
    const GameFont font = fixtureFont();
    QImage box(305, 18, QImage::Format_RGB32);
    drawChoiceLine(box, font, QStringLiteral("1.[C28ab]"), kFontWhite, qRgb(0, 0, 255));
    const QRgb red = core::toQColor(core::colorTable()[40]).rgb();
    bool white = false, run = false;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 16; ++x)
            white = white || box.pixel(x, y) == qRgb(255, 255, 255);
    for (int y = 0; y < 18; ++y)
        for (int x = 16; x < 32; ++x)
            run = run || box.pixel(x, y) == red;
    EXPECT_TRUE(white);
    EXPECT_TRUE(run);
    EXPECT_EQ(box.pixel(300, 0), qRgb(0, 0, 255));
}

TEST(PreviewWindows, TalkViewTypesClicksAndCloses)
{
    ScopedInstantTyping instant;
    DialoguePages pages;
    fillTalkPage(pages, QStringLiteral("1\r\n2\r\n3\r\n4"), 0, nullptr);
    DialoguePreview view(pages, QString());
    view.show();
    view.activate();
    EXPECT_EQ(view.state().rowsDrawn, (QStringList{"1", "2", "3"}));
    view.click();
    EXPECT_EQ(view.state().rowsDrawn, QStringList{"4"});
    view.click();
    EXPECT_EQ(view.result(), QDialog::Accepted);
    EXPECT_FALSE(view.isVisible());
}

TEST(PreviewWindows, EscClosesTheTalkViewWhileTyping)
{
    ScopedInstantTyping instant;
    DialoguePages pages;
    fillTalkPage(pages, QStringLiteral("abcdef"), 0, nullptr);
    DialoguePreview view(pages, QString());
    view.show();
    QTimer::singleShot(0, &view, [&view] { QTest::keyClick(&view, Qt::Key_Escape); });
    view.activate();
    EXPECT_FALSE(view.isVisible());
    EXPECT_LT(view.state().rowsDrawn.join(QString()).size(), 6);
}

TEST(PreviewWindows, SelectViewHighlightsOnlyWhenReady)
{
    ScopedInstantTyping instant;
    ChoicePreview view({QStringLiteral("1.a"), QStringLiteral("2.b")}, 0, QString());
    view.show();
    // The pointer already stands on the second line while the lines are
    // written: no highlight then, and none once all stand until it moves.
    QCursor::setPos(view.mapToGlobal(ChoicePreview::boxRect(1).center()));
    view.activate();
    ASSERT_TRUE(view.ready());
    EXPECT_EQ(view.box(1).pixel(300, 1), qRgb(255, 255, 255));
    EXPECT_TRUE(view.lineShown(0));
    EXPECT_TRUE(view.lineShown(1));
    EXPECT_FALSE(view.lineShown(2));
    testsupport::hover(&view, ChoicePreview::boxRect(1).center());
    EXPECT_EQ(view.box(1).pixel(300, 1), qRgb(0, 0, 255));
    EXPECT_EQ(view.box(0).pixel(300, 1), qRgb(255, 255, 255));
    QTest::mousePress(&view, Qt::LeftButton, {}, ChoicePreview::boxRect(0).center());
    EXPECT_EQ(view.box(0).pixel(300, 1), qRgb(255, 0, 0));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, ChoicePreview::boxRect(0).center());
    EXPECT_EQ(view.result(), QDialog::Accepted);
}
