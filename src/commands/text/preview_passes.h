#pragma once
// The drawing passes of the text previews, apart from their windows: which
// lines go on which rows, where a pass stops and what a click does next.
// The windows supply the surfaces and the pause after each glyph.
#include "commands/common/dialogue_pages.h"
#include "commands/common/game_font.h"

#include <QImage>
#include <QStringList>

#include <functional>

namespace commands {

// Called after each glyph; false stops the pass (the window is closing).
using GlyphPause = std::function<bool()>;

// --- dialogue pages ------------------------------------------------------------

constexpr int kFaceRows = 3;        // rows of a page with a face
constexpr int kNarrationRows = 4;   // rows of a narration page

struct TalkViewState
{
    int page = 0;
    int lineCounter = 0;   // from the page's first line
    int row = 0;
    bool skip = false;
    bool done = false;
    QStringList rowsDrawn; // what this pass drew, one entry per row
};

struct TalkSurfaces
{
    QImage *bubble = nullptr;            // 321 x 80, white
    QImage *narration = nullptr;         // 305 x 106, on its texture
    QImage narrationBackground;          // the texture the narration is cleared to
    // Called once the page's surface is cleared, before its text (the face,
    // the speaker's name, which parts of the window show).
    std::function<void(bool narration)> prepare;
};

bool isNarrationPage(const DialoguePages &pages, int page);
// One drawing pass of the current page from its line counter on. False when
// the pause asked to stop.
bool runTalkPass(const DialoguePages &pages, TalkViewState &state, const TalkSurfaces &surfaces,
                 const GameFont &font, const GlyphPause &pause);

enum class ClickStep { None, Continue, NextPage, Close };
// A click: sets the skip flag and says what follows (Continue: the same page
// goes on from its next line; NextPage: the line counter is reset and the
// page moved on already).
ClickStep talkClick(const DialoguePages &pages, TalkViewState &state);

// --- text pages ----------------------------------------------------------------

struct ExplanationState
{
    int firstLine = 0;
    int row = 0;
    bool skip = false;
    bool done = false;
    QStringList rowsDrawn;
};

bool runExplanationPass(const QStringList &lines, ExplanationState &state, QImage &surface,
                        const QImage &background, const GameFont &font, const GlyphPause &pause);
ClickStep explanationClick(ExplanationState &state);

// --- choice lines --------------------------------------------------------------

// Clears the box to `background` and draws the line from x 0 with mark-up,
// `lineColor` outside runs, full-width glyphs 2 pixels down.
void drawChoiceLine(QImage &box, const GameFont &font, const QString &line, FontColor lineColor,
                    QRgb background);

} // namespace commands
