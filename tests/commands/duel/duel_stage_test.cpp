// The duel animations without a window: a surface that records what is
// drawn and a sleeper that records every wait instead of waiting. Checked:
// the waits of each sequence, the fighter fields it leaves, the guards, the
// speed divisor and the speech's rows, balloons and pauses.
#include "commands/duel/duel_stage.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <numeric>

using namespace commands::duel;

namespace {

struct Recorder : DuelSurface
{
    QStringList log;
    std::vector<std::tuple<FrameSet, int, int, int>> frames;  // set, index, x, y
    int balloons = 0;
    std::vector<std::pair<int, int>> glyphs;  // pen positions
    void restoreStrip() override { log << QStringLiteral("restore"); }
    void drawFrame(FrameSet set, int index, int x, int y) override
    {
        frames.emplace_back(set, index, x, y);
        log << QStringLiteral("frame %1/%2 %3,%4").arg(int(set)).arg(index).arg(x).arg(y);
    }
    void drawBrightened(FrameSet set, int index, int x, int y, float level) override
    {
        log << QStringLiteral("bright %1/%2 %3,%4 %5").arg(int(set)).arg(index).arg(x).arg(y).arg(double(level));
    }
    void show() override { log << QStringLiteral("show"); }
    void grayFrames(int f) override { log << QStringLiteral("gray %1").arg(f); }
    void grayFace(int f) override { log << QStringLiteral("grayface %1").arg(f); }
    void setLabelVisible(bool v) override { log << QStringLiteral("label %1").arg(v); }
    void drawBalloon(int f) override
    {
        ++balloons;
        log << QStringLiteral("balloon %1").arg(f);
    }
    int drawSpeechGlyph(QChar ch, int x, int y) override
    {
        glyphs.emplace_back(x, y);
        log << QStringLiteral("glyph %1").arg(ch.unicode());
        return ch.unicode() < 128 ? 8 : 16;
    }
};

struct Play
{
    Recorder surface;
    std::vector<std::int64_t> waits;  // 1/10,000 ms
    std::function<void()> duringWait;
    DuelStage stage{surface, [this](std::int64_t amount) {
                        waits.push_back(amount);
                        if (duringWait)
                            duringWait();
                    }};

    // Both fighters on stage where they enter.
    Play()
    {
        stage.fighters[0] = {360, true, 0, false, 0};
        stage.fighters[1] = {168, true, 1, false, 0};
    }
    std::vector<double> ms() const
    {
        std::vector<double> out;
        for (auto w : waits)
            out.push_back(double(w) / 10000.0);
        return out;
    }
    double total() const { return std::accumulate(waits.begin(), waits.end(), 0.0) / 10000.0; }
    void clear()
    {
        waits.clear();
        surface.log.clear();
        surface.frames.clear();
    }
};

using Ms = std::vector<double>;

TEST(DuelAttacks, FirstKindWaitsAndWhatEachResultLeaves)
{
    const struct {
        int result;
        Ms waits;
        int activeD;
        int xD;
        int dirD;
    } cases[] = {
        // Fighter 0 at 360 facing 0 attacks fighter 1 at 168 facing 1.
        {0, {80, 80, 80, 80, 150}, 7, 168, 1},
        {1, {70, 80, 80, 80, 150}, 4, 168, 1},
        {2, {80, 80, 50, 50, 50, 50, 50, 150}, 4, 168 - 96, 1},
        {3, {80, 80, 50, 40, 40, 40, 40, 150}, 8, 168 - 96, 1},
        {4, {80, 80, 150, 150}, 0, 168 + 192, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.result);
        Play p;
        p.stage.attack1(0, c.result, false);
        EXPECT_EQ(p.ms(), c.waits);
        EXPECT_EQ(p.stage.fighters[0].active, 1);
        EXPECT_EQ(p.stage.fighters[1].active, c.activeD);
        EXPECT_EQ(p.stage.fighters[1].x, c.xD);
        EXPECT_EQ(p.stage.fighters[1].dir, c.dirD);
        EXPECT_EQ(p.stage.fighters[0].x, 360);
        EXPECT_EQ(p.stage.fighters[0].dir, 0);
    }
}

TEST(DuelAttacks, DefenderFacingAwayIsTurnedAndSetBack)
{
    Play p;
    p.stage.fighters[1].dir = 0;  // faces away from fighter 0
    p.stage.attack1(0, 1, false);
    EXPECT_EQ(p.stage.fighters[1].dir, 1);  // a parry leaves him turned
    Play q;
    q.stage.fighters[1].dir = 0;
    q.stage.attack1(0, 3, false);
    EXPECT_EQ(q.stage.fighters[1].dir, 0);  // the walk back sets it back
    EXPECT_EQ(q.stage.fighters[1].x, 168 - 96);
}

TEST(DuelAttacks, CriticalFlashAndBowTroopHold)
{
    const struct {
        bool bow, power;
        int flashesOnFrame1, flashesOnFrame2;
        double total;
    } cases[] = {
        {false, false, 0, 0, 470},
        {true, false, 0, 0, 590},
        {false, true, 9, 0, 470 + 270},
        {true, true, 0, 9, 590 + 270},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.bow << c.power);
        Play p;
        p.stage.bowTroop[0] = c.bow;
        p.stage.attack1(0, 0, c.power);
        EXPECT_DOUBLE_EQ(p.total(), c.total);
        int f1 = 0, f2 = 0;
        for (const QString &line : p.surface.log) {
            f1 += line.startsWith(QStringLiteral("bright %1/").arg(int(FrameSet::Atk1)));
            f2 += line.startsWith(QStringLiteral("bright %1/").arg(int(FrameSet::Atk2)));
        }
        EXPECT_EQ(f1, c.flashesOnFrame1);
        EXPECT_EQ(f2, c.flashesOnFrame2);
        // The last flash pass is at level 0.9.
        if (c.power) {
            EXPECT_TRUE(std::any_of(p.surface.log.begin(), p.surface.log.end(),
                                    [](const QString &l) { return l.startsWith(u"bright") && l.endsWith(u" 0.9"); }));
        }
    }
}

TEST(DuelAttacks, AnAttackerOffStageOrRetreatedDoesNothing)
{
    for (bool retreated : {false, true}) {
        Play p;
        if (retreated)
            p.stage.fighters[0].out = true;
        else
            p.stage.fighters[0].show = false;
        const auto before = p.stage.fighters;
        for (int r = 0; r <= 4; ++r)
            p.stage.attack1(0, r, true);
        for (int k = 0; k <= 2; ++k)
            p.stage.attack2(0, k, true);
        EXPECT_TRUE(p.surface.log.isEmpty());
        EXPECT_TRUE(p.waits.empty());
        EXPECT_EQ(p.stage.fighters[1].x, before[1].x);
        EXPECT_EQ(p.stage.fighters[1].active, before[1].active);
    }
}

TEST(DuelAttacks, SecondKindWaitsAndMoves)
{
    const struct {
        int kind;
        bool hit;
        bool bow;
        double total;
        int xA, xD, activeA, activeD;
    } cases[] = {
        {0, true, false, 390, 360 - 32, 168 - 32, 1, 7},
        {0, false, true, 510, 360 - 32, 168 - 32, 1, 4},
        {1, true, false, 310, 360 - 192, 168, 1, 7},
        {1, false, true, 310, 360 - 192, 168, 1, 4},
        {2, true, false, 1480, 72, 456, 8, 8},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        Play p;
        p.stage.bowTroop[0] = c.bow;
        p.stage.attack2(0, c.kind, c.hit);
        EXPECT_DOUBLE_EQ(p.total(), c.total);
        EXPECT_EQ(p.stage.fighters[0].x, c.xA);
        EXPECT_EQ(p.stage.fighters[1].x, c.xD);
        EXPECT_EQ(p.stage.fighters[0].active, c.activeA);
        EXPECT_EQ(p.stage.fighters[1].active, c.activeD);
        EXPECT_EQ(p.stage.fighters[1].dir, 1);
    }
}

TEST(DuelAttacks, ChargeMeetsAtTheMiddleAfterFourPasses)
{
    for (int attacker : {0, 1}) {
        Play p;
        std::vector<std::pair<int, int>> places;
        p.duringWait = [&] { places.emplace_back(p.stage.fighters[0].x, p.stage.fighters[1].x); };
        p.stage.eachAttack(attacker);
        ASSERT_EQ(places.size(), 13u);
        EXPECT_EQ(places[3], std::make_pair(264, 264));
        EXPECT_EQ(places[11], std::make_pair(72, 456));
    }
}

TEST(DuelAttacks, MoveAttackLeavesATrailUntilTheBlow)
{
    Play p;
    p.stage.moveAttack(0, true);
    // Six attack frames drawn before the first strip restore.
    int framesBeforeRestore = 0;
    for (const QString &line : p.surface.log) {
        if (line == u"restore")
            break;
        framesBeforeRestore += line.startsWith(u"frame");
    }
    EXPECT_EQ(framesBeforeRestore, 6);
}

TEST(DuelActions, WaitsPosesAndMoves)
{
    const struct {
        int action;
        Ms waits;
        int pose;
        int x;
    } cases[] = {
        {1, {150}, 0, 360},
        {2, {60, 60, 60}, 8, 264},
        {3, {75, 150}, 8, 328},
        {4, {70, 150}, 8, 392},
        {5, {150}, 3, 360},
        {6, {150}, 4, 360},
        {7, {}, 7, 360},
        {8, {150}, 2, 360},
        {9, {50, 50, 50, 50}, 1, 360},
        {10, {100, 100, 100, 100, 100, 100, 100, 100}, 1, 360},
        {11, {150}, 5, 360},
        {12, {500, 500, 500, 500, 500, 150}, 6, 360},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.action);
        Play p;
        p.stage.fighters[0].active = 4;
        p.stage.active(0, c.action);
        EXPECT_EQ(p.ms(), c.waits);
        EXPECT_EQ(p.stage.fighters[0].active, c.pose);
        EXPECT_EQ(p.stage.fighters[0].x, c.x);
    }
}

TEST(DuelActions, TurnThenGoWalksTheOtherWayAndSmallStepsReturn)
{
    Play p;
    p.stage.active(0, 3);
    p.stage.active(0, 4);
    EXPECT_EQ(p.stage.fighters[0].x, 360);
    p.stage.active(0, 1);
    p.stage.active(0, 2);
    EXPECT_EQ(p.stage.fighters[0].dir, 1);
    EXPECT_EQ(p.stage.fighters[0].x, 456);
}

TEST(DuelActions, DancesDoNothingAndTheStandDrawsWithoutWaiting)
{
    Play p;
    p.stage.active(0, 14);
    p.stage.active(0, 15);
    EXPECT_TRUE(p.surface.log.isEmpty());
    // A fighter who has not entered is drawn standing at his place (0).
    p.stage.fighters[1] = Fighter{};
    p.stage.fighters[1].dir = 1;
    p.stage.active(1, 0);
    EXPECT_TRUE(p.waits.empty());
    ASSERT_FALSE(p.surface.frames.empty());
    EXPECT_EQ(p.surface.frames.back(), std::make_tuple(FrameSet::Waiting, 3, 0, 144));
}

TEST(DuelActions, EntranceRetreatAndReentry)
{
    Play p;
    p.stage.resetFighters();
    p.stage.advent(0);
    EXPECT_EQ(p.ms(), Ms(10, 60.0));
    EXPECT_EQ(p.stage.fighters[0].x, 360);
    EXPECT_TRUE(p.stage.fighters[0].show);
    p.clear();
    p.stage.advent(0);  // already on stage
    EXPECT_TRUE(p.surface.log.isEmpty());
    p.stage.retreat(0);
    EXPECT_TRUE(p.stage.fighters[0].out);
    EXPECT_FALSE(p.stage.fighters[0].show);
    p.clear();
    p.stage.advent(0);  // enters again, drawn at his start
    EXPECT_EQ(p.waits.size(), 10u);
    p.clear();
    p.stage.active(0, 2);
    p.stage.die(0);
    EXPECT_TRUE(p.surface.log.isEmpty());
}

TEST(DuelActions, DeathGreysWithoutChangingFields)
{
    Play p;
    p.stage.fighters[1].active = 5;
    const auto before = p.stage.fighters;
    p.stage.die(1);
    EXPECT_EQ(p.ms(), Ms{1000});
    EXPECT_EQ(p.surface.log.first(), QStringLiteral("gray 1"));
    EXPECT_TRUE(p.surface.log.contains(QStringLiteral("grayface 1")));
    EXPECT_EQ(p.stage.fighters[1].active, before[1].active);
    EXPECT_TRUE(p.stage.fighters[1].show);
}

TEST(DuelWaits, SpeedDividesEveryWaitAndDelayCounts)
{
    Play p;
    p.stage.speed = 2.0;
    p.stage.active(0, 9);
    EXPECT_EQ(p.ms(), Ms(4, 25.0));
    p.clear();
    p.stage.labelShow();
    EXPECT_EQ(p.ms(), Ms{750});
    EXPECT_EQ(p.surface.log, QStringList({QStringLiteral("label 1"), QStringLiteral("label 0")}));

    p.clear();
    p.stage.speed = 1.5;
    p.stage.timeDelay(15);
    p.stage.speed = 0.5;
    p.stage.timeDelay(10);
    EXPECT_EQ(p.ms(), (Ms{1000, 2000}));
    // Fractions are kept to 1/10,000 ms.
    EXPECT_EQ(waitAmount(50, 3.0), 166667);
    EXPECT_EQ(waitAmount(150, -1.0), 0);
}

TEST(DuelWaits, ACloseRequestHurriesEveryLaterWait)
{
    Play p;
    int calls = 0;
    p.duringWait = [&] {
        if (++calls == 2)
            p.stage.speed = 100;
    };
    p.stage.active(0, 9);
    EXPECT_EQ(p.ms(), (Ms{50, 50, 0.5, 0.5}));
}

TEST(DuelSpeech, FourLinesFillOneBalloonAndStartAnother)
{
    Play p;
    p.stage.wordShow(0, QStringLiteral("A\r\nB\r\nC\r\nD") + QChar(0), true);
    EXPECT_EQ(p.surface.balloons, 2);
    // Every character but the line feeds is drawn, CR and the final NUL too.
    EXPECT_EQ(p.surface.glyphs.size(), 8u);
    EXPECT_EQ(p.surface.glyphs[0], std::make_pair(160, 302));
    EXPECT_EQ(p.surface.glyphs[1], std::make_pair(168, 302));
    EXPECT_EQ(p.surface.glyphs[2], std::make_pair(160, 322));
    EXPECT_EQ(p.surface.glyphs[4], std::make_pair(160, 342));
    EXPECT_EQ(p.surface.glyphs[6], std::make_pair(160, 302));  // D on the fresh balloon
    Ms expected(6, 50.0);
    expected.push_back(500);  // before the new balloon
    expected.push_back(50);
    expected.push_back(50);
    expected.push_back(500);
    expected.push_back(250);
    EXPECT_EQ(p.ms(), expected);
}

TEST(DuelSpeech, WithoutDelayOnlyGlyphPausesAndTheLastQuarter)
{
    Play p;
    p.stage.wordShow(1, QStringLiteral("가A"), false);
    EXPECT_EQ(p.ms(), (Ms{50, 50, 250}));
    EXPECT_EQ(p.surface.glyphs[1], std::make_pair(176, 30));
}

TEST(DuelSpeech, AClickSkipsTheRestOfTheBalloonOnly)
{
    Play p;
    int calls = 0;
    p.duringWait = [&] {
        if (++calls == 1)
            p.stage.talkSkip = true;
    };
    p.stage.wordShow(0, QStringLiteral("AB\r\nC\r\nD\r\nEF"), true);
    // A's pause, then B, CR, C, CR, D, CR without; the 500 and the new
    // balloon's E and F pause again.
    EXPECT_EQ(p.ms(), (Ms{50, 500, 50, 50, 500, 250}));
}

TEST(DuelSpeech, ALineFeedRightAfterALineFeedIsDrawn)
{
    Play p;
    p.stage.wordShow(0, QStringLiteral("A\n\nB"), false);
    EXPECT_EQ(p.surface.glyphs.size(), 3u);
    EXPECT_EQ(p.surface.glyphs[1], std::make_pair(160, 322));
    EXPECT_EQ(p.surface.glyphs[2], std::make_pair(168, 322));
}

} // namespace
