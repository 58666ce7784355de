#include "commands/duel/duel_stage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace commands::duel {

namespace {

constexpr int kStandY = 144;
constexpr int kAttackY = 128;
constexpr int kStartX[2] = {360, 168};

constexpr FrameSet kPoseSets[] = {
    FrameSet::Waiting, FrameSet::Atk4, FrameSet::Atk1, FrameSet::HandUp, FrameSet::Defence,
    FrameSet::Breath1, FrameSet::Breath2, FrameSet::Hited, FrameSet::Move2,
};

constexpr FrameSet kAttackSets[] = {FrameSet::Atk1, FrameSet::Atk2, FrameSet::Atk3, FrameSet::Atk4};

int other(int c) { return c == 0 ? 1 : 0; }

} // namespace

bool isMirrored(FrameSet set)
{
    switch (set) {
    case FrameSet::Breath1:
    case FrameSet::Breath2:
    case FrameSet::Hited:
    case FrameSet::HandUp:
        return false;
    default:
        return true;
    }
}

bool isAttackSet(FrameSet set)
{
    return set == FrameSet::Atk1 || set == FrameSet::Atk2 || set == FrameSet::Atk3 || set == FrameSet::Atk4;
}

std::int64_t waitAmount(double base, double speed)
{
    const double amount = std::nearbyint(base / speed * 10000.0);
    // A speed of 0 (only a hand-edited setting gives it) waits as long as the
    // fixed-point amount can hold; a negative one not at all.
    if (!(amount < 9.2e18))
        return std::numeric_limits<std::int64_t>::max();
    if (!(amount > 0))
        return 0;
    return std::int64_t(amount);
}

DuelStage::DuelStage(DuelSurface &surface, Sleeper sleeper) : m_surface(surface), m_sleep(std::move(sleeper))
{
    resetFighters();
}

void DuelStage::wait(double base)
{
    m_sleep(waitAmount(base, speed));
}

void DuelStage::resetFighters()
{
    for (int c = 0; c < 2; ++c) {
        fighters[c].show = false;
        fighters[c].out = false;
        fighters[c].active = 0;
        fighters[c].dir = c;
    }
}

int DuelStage::frameIndex(int c, FrameSet set) const
{
    return isMirrored(set) ? 2 * c + fighters[c].dir : c;
}

void DuelStage::drawSet(int c, FrameSet set)
{
    const int x = fighters[c].x;
    if (isAttackSet(set))
        m_surface.drawFrame(set, frameIndex(c, set), x - 16, kAttackY);
    else
        m_surface.drawFrame(set, frameIndex(c, set), x, kStandY);
}

void DuelStage::charDraw(int c, int pose)
{
    if (pose < 0 || pose >= int(std::size(kPoseSets)))
        return;
    drawSet(c, kPoseSets[pose]);
}

void DuelStage::backDraw(int c)
{
    m_surface.restoreStrip();
    if (fighters[c].show)
        charDraw(c, fighters[c].active);
}

void DuelStage::move(int c, int dx)
{
    // The position is a 16-bit field; a walk beyond it stops at its end.
    fighters[c].x = std::clamp(fighters[c].x + dx, -32768, 32767);
}

bool DuelStage::canAct(int c) const
{
    return !fighters[c].out && fighters[c].show;
}

bool DuelStage::attackerReady(int a) const
{
    return canAct(a);
}

void DuelStage::steps(int c, std::span<const Step> list, int pose)
{
    for (const Step &s : list) {
        backDraw(other(c));
        move(c, s.move * sign(c));
        drawSet(c, s.set);
        m_surface.show();
        if (s.wait > 0)
            wait(s.wait);
    }
    fighters[c].active = pose;
}

// --- the actions that are frames in a row ---------------------------------------

namespace {

using S = DuelStage::Step;
using F = FrameSet;

constexpr S kGo[] = {{F::Move1, 32, 60}, {F::Move2, 32, 60}, {F::Move2, 32, 60}};
constexpr S kSmallGo[] = {{F::Move1, 16, 75}, {F::Move2, 16, 150}};
constexpr S kSmallBack[] = {{F::Move1, -16, 70}, {F::Move2, -16, 150}};
constexpr S kHandUp[] = {{F::HandUp, 0, 150}};
constexpr S kDefence[] = {{F::Defence, 0, 150}};
constexpr S kHited[] = {{F::Hited, 0, 0}};
constexpr S kReadyAttack[] = {{F::Atk1, 0, 150}};
constexpr S kAttack[] = {{F::Atk1, 0, 50}, {F::Atk2, 0, 50}, {F::Atk3, 0, 50}, {F::Atk4, 0, 50}};
constexpr S kDoubleAttack[] = {{F::Atk1, 0, 100}, {F::Atk2, 0, 100}, {F::Atk3, 0, 100}, {F::Atk4, 0, 100}};
constexpr S kBreath1[] = {{F::Breath1, 0, 150}};
constexpr S kBreath2[] = {{F::Breath1, 0, 500}, {F::Breath2, 0, 500}, {F::Breath1, 0, 500},
                          {F::Breath2, 0, 500}, {F::Breath1, 0, 500}, {F::Breath2, 0, 150}};

// By action code: the frames, the pose the fighter keeps, and how often.
constexpr DuelStage::StepAction kStepActions[] = {
    {2, kGo, 8},          {3, kSmallGo, 8},      {4, kSmallBack, 8},        {5, kHandUp, 3},
    {6, kDefence, 4},     {7, kHited, 7},        {8, kReadyAttack, 2},      {9, kAttack, 1},
    {10, kDoubleAttack, 1, 2}, {11, kBreath1, 5}, {12, kBreath2, 6},
};

} // namespace

const DuelStage::StepAction *DuelStage::stepAction(int action)
{
    for (const StepAction &a : kStepActions)
        if (a.action == action)
            return &a;
    return nullptr;
}

// --- the script's calls -------------------------------------------------------

void DuelStage::advent(int c)
{
    Fighter &f = fighters[c];
    if (f.show)
        return;
    f.x = kStartX[c];
    f.show = true;
    const int i = frameIndex(c, FrameSet::Waiting);
    // Single precision, as the fade was timed with: ten passes, the last
    // one just above 0.
    for (float level = 1.0f; level >= 0.0f; level -= 0.1f) {
        m_surface.drawBrightened(FrameSet::Waiting, i, f.x, kStandY, level);
        m_surface.show();
        wait(60);
    }
    m_surface.drawFrame(FrameSet::Waiting, i, f.x, kStandY);
    m_surface.show();
}

void DuelStage::active(int c, int action)
{
    switch (action) {
    case 0:
        backDraw(other(c));
        m_surface.drawFrame(FrameSet::Waiting, frameIndex(c, FrameSet::Waiting), fighters[c].x, kStandY);
        fighters[c].active = 0;
        return;
    case 1: turn(c); return;
    case 13: retreat(c); return;
    default:
        if (const StepAction *a = stepAction(action); a && canAct(c)) {
            for (int round = 0; round < a->rounds; ++round)
                steps(c, a->steps, a->pose);
        }
        return;  // 14, 15 (the two dances) show nothing
    }
}

void DuelStage::die(int c)
{
    if (!canAct(c))
        return;
    m_surface.grayFrames(c);
    backDraw(other(c));
    charDraw(c, fighters[c].active);
    m_surface.show();
    m_surface.grayFace(c);
    wait(1000);
}

void DuelStage::labelShow()
{
    m_surface.setLabelVisible(true);
    wait(1500);
    m_surface.setLabelVisible(false);
}

void DuelStage::attack1(int c, int result, bool power)
{
    switch (result) {
    case 0: strikeAttack(c, power); return;
    case 1: defenceAttack(c, power); return;
    case 2: defenceBackAttack(c, power); return;
    case 3: backAttack(c, power); return;
    case 4: evadeAttack(c, power); return;
    default: return;
    }
}

void DuelStage::attack2(int c, int kind, bool hit)
{
    switch (kind) {
    case 0: standAttack(c, hit); return;
    case 1: moveAttack(c, hit); return;
    case 2: eachAttack(c); return;
    default: return;
    }
}

void DuelStage::timeDelay(std::int32_t count)
{
    // count × 100 in 32 bits; beyond that the count no dialog stores.
    const std::int64_t ms = std::int64_t(count) * 100;
    wait(double(std::clamp<std::int64_t>(ms, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max())));
}

void DuelStage::wordShow(int c, const QString &text, bool delay)
{
    talkSkip = false;
    m_surface.drawBalloon(c);
    int x = kSpeechX;
    int row = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar ch = text[i];
        if (ch == QChar(10)) {
            ++row;
            x = kSpeechX;
            if (row == kSpeechRows) {
                if (delay)
                    wait(500);
                m_surface.drawBalloon(c);
                talkSkip = false;
                row = 0;
            }
            // The character after a line feed is drawn in the same pass, so a
            // second line feed right after one is a glyph, not a row.
            if (++i >= text.size())
                break;
            ch = text[i];
        }
        const int advance = m_surface.drawSpeechGlyph(ch, x, kSpeechY[c] + kSpeechPitch * row);
        if (!talkSkip)
            wait(50);
        x += advance;
    }
    if (delay)
        wait(500);
    wait(250);
    m_surface.show();
}

// --- single actions -----------------------------------------------------------

void DuelStage::turn(int c)
{
    if (!canAct(c))
        return;
    fighters[c].dir = fighters[c].dir == 0 ? 1 : 0;
    backDraw(other(c));
    charDraw(c, 0);
    m_surface.show();
    wait(150);
    fighters[c].active = 0;
}

void DuelStage::retreat(int c)
{
    if (!canAct(c))
        return;
    backDraw(other(c));
    m_surface.show();
    wait(150);
    fighters[c].out = true;
    fighters[c].show = false;
}

// --- attacks ----------------------------------------------------------------

void DuelStage::turnTo(int d, int a)
{
    fighters[d].dir = fighters[a].dir == 1 ? 0 : 1;
}

void DuelStage::attackFrame(int a, int k)
{
    const FrameSet set = kAttackSets[k - 1];
    m_surface.drawFrame(set, frameIndex(a, set), fighters[a].x - 16, kAttackY);
}

void DuelStage::flash(int a, int k)
{
    const FrameSet set = kAttackSets[k - 1];
    // Single precision from 0.1 in steps of 0.1: the tenth value lies just
    // above 1, so there are nine passes.
    for (float t = 0.1f; t <= 1.0f; t += 0.1f) {
        m_surface.drawBrightened(set, frameIndex(a, set), fighters[a].x - 16, kAttackY, t);
        m_surface.show();
        wait(30);
    }
}

void DuelStage::swing(int a, double firstWait, bool power, bool flashes)
{
    const int d = other(a);
    const bool bow = bowTroop[a];
    backDraw(d);
    attackFrame(a, 1);
    m_surface.show();
    wait(firstWait);
    if (flashes && power && !bow)
        flash(a, 1);
    backDraw(d);
    attackFrame(a, 2);
    m_surface.show();
    if (flashes && power && bow)
        flash(a, 2);
    wait(bow ? 200 : 80);
    backDraw(d);
    attackFrame(a, 3);
    m_surface.show();
}

void DuelStage::closingBlow(int a)
{
    backDraw(other(a));
    attackFrame(a, 4);
    m_surface.show();
    wait(150);
}

void DuelStage::showDefender(int a, FrameSet set, int x, double ms)
{
    const int d = other(a);
    backDraw(a);
    m_surface.drawFrame(set, frameIndex(d, set), x, kStandY);
    m_surface.show();
    wait(ms);
}

void DuelStage::faceOff(int a, const std::function<void(int d)> &attack)
{
    if (!attackerReady(a))
        return;
    const int d = other(a);
    const int remembered = fighters[d].dir;
    turnTo(d, a);
    attack(d);
    fighters[d].dir = remembered;
}

void DuelStage::strikeAttack(int a, bool power)
{
    if (!attackerReady(a))
        return;
    const int d = other(a);
    swing(a, 80, power, true);
    wait(80);
    fighters[a].active = 1;
    fighters[d].active = 7;
    backDraw(a);
    m_surface.drawBrightened(FrameSet::Hited, d, fighters[d].x - 16 * sign(d), kStandY, 0.8f);
    m_surface.show();
    wait(80);
    closingBlow(a);
}

void DuelStage::defenceAttack(int a, bool power)
{
    if (!attackerReady(a))
        return;
    const int d = other(a);
    turnTo(d, a);
    swing(a, 70, power, true);
    wait(80);
    fighters[a].active = 1;
    fighters[d].active = 4;
    showDefender(a, FrameSet::Defence, fighters[d].x - 16 * sign(d), 80);
    closingBlow(a);
}

void DuelStage::defenceBackAttack(int a, bool power)
{
    faceOff(a, [&](int d) {
        swing(a, 80, power, true);
        fighters[a].active = 1;
        fighters[d].active = 4;
        const float levels[] = {1.0f, 0.9f, 0.8f, 0.0f, 0.0f};
        for (int pass = 0; pass < 5; ++pass) {
            backDraw(a);
            m_surface.drawBrightened(FrameSet::Defence, frameIndex(d, FrameSet::Defence), fighters[d].x, kStandY,
                                     levels[pass]);
            m_surface.show();
            wait(50);
            if (pass < 4)
                move(d, -24 * sign(d));
        }
        closingBlow(a);
    });
}

void DuelStage::backAttack(int a, bool power)
{
    faceOff(a, [&](int d) {
        swing(a, 80, power, true);
        fighters[a].active = 1;
        fighters[d].active = 8;
        const struct {
            FrameSet set;
            double wait;
            bool back;
        } pictures[] = {
            {FrameSet::Waiting, 50, true}, {FrameSet::Move1, 40, true}, {FrameSet::Move2, 40, true},
            {FrameSet::Move1, 40, false},  {FrameSet::Move2, 40, false},
        };
        for (const auto &p : pictures) {
            showDefender(a, p.set, fighters[d].x, p.wait);
            if (p.back)
                move(d, -32 * sign(d));
        }
        closingBlow(a);
    });
}

void DuelStage::evadeAttack(int a, bool power)
{
    if (!attackerReady(a))
        return;
    const int d = other(a);
    swing(a, 80, power, true);
    fighters[a].active = 1;
    fighters[d].active = 0;
    move(d, -192 * sign(a));
    fighters[d].dir = fighters[a].dir;
    backDraw(a);
    m_surface.show();
    wait(150);
    showDefender(a, FrameSet::Waiting, fighters[d].x, 150);
}

void DuelStage::standAttack(int a, bool hit)
{
    faceOff(a, [&](int d) {
        swing(a, 80, false, false);
        const int shift = 32 * sign(a);
        move(a, shift);
        move(d, shift);
        fighters[a].active = 1;
        fighters[d].active = hit ? 7 : 4;
        backDraw(a);
        const FrameSet set = hit ? FrameSet::Hited : FrameSet::Defence;
        m_surface.drawBrightened(set, frameIndex(d, set), fighters[d].x - 16 * sign(d), kStandY, 0.8f);
        m_surface.show();
        wait(80);
        closingBlow(a);
    });
}

void DuelStage::moveAttack(int a, bool hit)
{
    faceOff(a, [&](int d) {
        // The strip is not restored during the dash: each frame stays as a trail.
        for (int k : {1, 1, 2, 2, 3, 3}) {
            move(a, 24 * sign(a));
            attackFrame(a, k);
            m_surface.show();
            wait(20);
        }
        fighters[a].active = 1;
        fighters[d].active = hit ? 7 : 4;
        showDefender(a, hit ? FrameSet::Hited : FrameSet::Defence, fighters[d].x - 16 * sign(d), 20);
        move(a, 24 * sign(a));
        attackFrame(a, 3);
        m_surface.show();
        wait(20);
        move(a, 24 * sign(a));
        closingBlow(a);
    });
}

void DuelStage::eachAttack(int a)
{
    faceOff(a, [&](int d) {
        fighters[0].active = 8;
        fighters[1].active = 8;
        for (int pass = 1; pass <= 12; ++pass) {
            move(a, 24 * sign(a));
            move(d, 24 * sign(d));
            if (pass == 6) {
                backDraw(a);
                m_surface.drawBrightened(FrameSet::Move2, frameIndex(d, FrameSet::Move2), fighters[d].x, kStandY,
                                         0.8f);
                m_surface.show();
                wait(40);
            } else {
                showDefender(a, pass % 2 == 1 ? FrameSet::Move1 : FrameSet::Move2, fighters[d].x, 40);
            }
        }
        wait(1000);
    });
}

} // namespace commands::duel
