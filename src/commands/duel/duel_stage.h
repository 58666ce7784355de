#pragma once
// The duel stage's logic: the two fighters' drawing state, the speed divisor
// of every wait, and every animation of the preview (entrances, single
// actions, the two kinds of attack, death, the result label, speech) as
// calls on a drawing surface and a sleeper. Nothing here needs a window, so
// the sequences are tested with a recording surface and a sleeper that does
// not wait.
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace commands::duel {

// The frame sets of a fighter, in the order they are prepared. The first
// three and the four attack sets and the parry hold the stored frame and its
// mirror image per fighter (index 2 × fighter + facing); the others one
// frame per fighter (index fighter).
enum class FrameSet {
    Move1, Move2, Waiting, Breath1, Breath2, Atk1, Atk2, Atk3, Atk4, Defence, Hited, HandUp,
};
inline constexpr int kFrameSetCount = 12;
bool isMirrored(FrameSet set);
bool isAttackSet(FrameSet set);   // 128-pixel frames drawn 16 pixels left of and above the fighter's place

struct Fighter
{
    int x = 0;           // left edge of the 96-pixel frame
    bool show = false;   // on stage
    int dir = 0;         // 0 frames as stored, 1 mirrored
    bool out = false;    // retreated for good
    int active = 0;      // the pose a strip restore draws him in
};

// What the animations draw with. Every frame is composited mask first, then
// sprite; nothing becomes visible before show().
class DuelSurface
{
public:
    virtual ~DuelSurface() = default;
    // Copies the fighters' strip back from the background.
    virtual void restoreStrip() = 0;
    virtual void drawFrame(FrameSet set, int index, int x, int y) = 0;
    // The frame whitened to `level` (0 plain .. 1 white), through the mask.
    virtual void drawBrightened(FrameSet set, int index, int x, int y, float level) = 0;
    virtual void show() = 0;
    // Greys every frame of the fighter (masks excepted), and his face.
    virtual void grayFrames(int fighter) = 0;
    virtual void grayFace(int fighter) = 0;
    virtual void setLabelVisible(bool visible) = 0;
    // Speech: the fighter's balloon afresh, and one character's glyph in
    // black at the pen; returns the advance (8 or 16).
    virtual void drawBalloon(int fighter) = 0;
    virtual int drawSpeechGlyph(QChar ch, int x, int y) = 0;
};

// A wait in 1/10,000 millisecond (the platform's fixed-point amount).
using Sleeper = std::function<void(std::int64_t tenThousandths)>;

// The fixed-point amount of a wait of `base` milliseconds at `speed`:
// base / speed, rounded half to even.
std::int64_t waitAmount(double base, double speed);

class DuelStage
{
public:
    DuelStage(DuelSurface &surface, Sleeper sleeper);

    std::array<Fighter, 2> fighters;
    double speed = 1.0;
    bool talkSkip = false;
    // Whether each fighter's troop shoots with a bow.
    std::array<bool, 2> bowTroop{false, false};

    // Waits `base` milliseconds divided by the speed read now.
    void wait(double base);
    // Fighter fields as the preview opens them: off stage, facing his number.
    void resetFighters();

    // --- drawing a fighter ---
    void charDraw(int c, int pose);
    void backDraw(int c);

    // --- the script's calls ---
    void advent(int c);
    void active(int c, int action);
    void die(int c);
    void labelShow();
    void attack1(int c, int result, bool power);
    void attack2(int c, int kind, bool hit);
    void timeDelay(std::int32_t count);
    void wordShow(int c, const QString &text, bool delay);

    // --- single actions ---
    void turn(int c);
    void retreat(int c);

    // --- attacks of the first kind ---
    void strikeAttack(int a, bool power);
    void defenceAttack(int a, bool power);
    void defenceBackAttack(int a, bool power);
    void backAttack(int a, bool power);
    void evadeAttack(int a, bool power);
    // --- attacks of the second kind ---
    void standAttack(int a, bool hit);
    void moveAttack(int a, bool hit);
    void eachAttack(int a);

    // Where speech rows start and the names are drawn.
    static constexpr int kSpeechX = 160;
    static constexpr int kSpeechY[2] = {302, 30};
    static constexpr int kSpeechPitch = 20;
    static constexpr int kSpeechRows = 3;

    // One frame of an action: the set drawn, the move forward (in the
    // fighter's facing) and the wait after it.
    struct Step {
        FrameSet set;
        int move;
        double wait;
    };
    // An action (by its code) that is frames in a row; the fighter keeps
    // `pose` afterwards.
    struct StepAction {
        int action;
        std::span<const Step> steps;
        int pose;
        int rounds = 1;
    };
    static const StepAction *stepAction(int action);

private:
    bool canAct(int c) const;
    bool attackerReady(int a) const;
    int frameIndex(int c, FrameSet set) const;
    void drawSet(int c, FrameSet set);
    void steps(int c, std::span<const Step> list, int pose);
    int sign(int c) const { return fighters[c].dir == 1 ? 1 : -1; }
    void move(int c, int dx);
    void turnTo(int d, int a);
    // Draws the defender (of attacker a) over the restored strip and waits.
    void showDefender(int a, FrameSet set, int x, double ms);
    // An attack in which the defender turns to the attacker and afterwards
    // faces where it did before; nothing when the attacker is not ready.
    void faceOff(int a, const std::function<void(int d)> &attack);
    void attackFrame(int a, int k);
    void flash(int a, int k);
    void swing(int a, double firstWait, bool power, bool flashes);
    void closingBlow(int a);

    DuelSurface &m_surface;
    Sleeper m_sleep;
};

} // namespace commands::duel
