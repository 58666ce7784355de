#include "commands/text/preview_passes.h"

namespace commands {

namespace {

constexpr int kBubbleX = 4;
constexpr int kBubbleFirstY = 22;
constexpr int kBubblePitch = 20;
constexpr int kNarrationPitch = 30;

bool isBlankLine(const QString &line)
{
    return line.isEmpty() || line == QStringLiteral("\r\n");
}

} // namespace

bool isNarrationPage(const DialoguePages &pages, int page)
{
    return pages.pageFace.value(page, kNarrationFace) == kNarrationFace;
}

bool runTalkPass(const DialoguePages &pages, TalkViewState &state, const TalkSurfaces &surfaces,
                 const GameFont &font, const GlyphPause &pause)
{
    state.done = false;
    state.row = 0;
    state.skip = false;
    state.rowsDrawn.clear();
    const bool narration = isNarrationPage(pages, state.page);
    QImage &surface = narration ? *surfaces.narration : *surfaces.bubble;
    if (narration)
        surface = surfaces.narrationBackground;
    else
        surface.fill(Qt::white);
    if (surfaces.prepare)
        surfaces.prepare(narration);

    const int start = pages.pageStart.value(state.page);
    const int next = pages.pageStart.value(state.page + 1);
    const int leftX = narration ? 0 : kBubbleX;
    const int rowLimit = narration ? kNarrationRows : kFaceRows;
    FontColor color = narration ? kFontNavy : kFontBlack;
    bool running = true;
    while (running) {
        const QString line = pages.dialogueLines.value(start + state.lineCounter);
        const int y = narration ? kNarrationPitch * state.row : kBubbleFirstY + kBubblePitch * state.row;
        int x = leftX;
        QString drawn;
        bool lineFeed = false;
        for (int pos = 0;;) {
            QChar c;
            FontColor glyphColor = color;
            if (narration) {
                if (pos >= line.size())
                    break;
                c = line[pos];
            } else {
                const MarkupStep step = scanMarkup(line, pos, color, kFontBlack);
                if (step.end)
                    break;
                c = step.ch;
                pos = step.pos;
                glyphColor = step.color;
            }
            ++pos;
            if (c == u'\n') {
                lineFeed = true;
                break;
            }
            x += font.drawChar(surface, x, y, c, glyphColor);
            if (c != u'\r')
                drawn += c;
            if (!pause())
                return false;
        }
        state.rowsDrawn << drawn;
        if (!lineFeed)
            break;   // the characters ran out: the pass ends
        ++state.lineCounter;
        const int at = start + state.lineCounter;
        if (at == next - 1)
            break;
        if (!narration && at == next - 2 && isBlankLine(pages.dialogueLines.value(at)))
            break;
        ++state.row;
        if (state.row == rowLimit)
            break;
    }
    state.done = true;
    return true;
}

ClickStep talkClick(const DialoguePages &pages, TalkViewState &state)
{
    state.skip = true;
    const int limit = isNarrationPage(pages, state.page) ? kNarrationRows : kFaceRows;
    if (state.row == limit)
        return ClickStep::Continue;
    if (!state.done)
        return ClickStep::None;
    if (state.page + 1 >= pages.pageCount())
        return ClickStep::Close;
    state.lineCounter = 0;
    ++state.page;
    return ClickStep::NextPage;
}

bool runExplanationPass(const QStringList &lines, ExplanationState &state, QImage &surface,
                        const QImage &background, const GameFont &font, const GlyphPause &pause)
{
    state.skip = false;
    state.row = 0;
    state.done = false;
    state.rowsDrawn.clear();
    surface = background;
    QString drawn;
    for (int i = state.firstLine; i < lines.size(); ++i) {
        int x = 0;
        for (QChar c : lines[i]) {
            if (c == u'\n') {
                state.rowsDrawn << drawn;
                drawn.clear();
                ++state.row;
                if (i == lines.size() - 1) {
                    state.row = 0;
                    state.done = true;
                    return true;
                }
                if (state.row == kNarrationRows)
                    return true;
            } else if (c != u'\r') {
                drawn += c;
            }
            // The line feed that did not end the pass is drawn too, as glyph
            // 0 on the new row.
            x += font.drawChar(surface, x, kNarrationPitch * state.row, c, kFontNavy);
            if (!pause())
                return false;
        }
    }
    if (!drawn.isEmpty())
        state.rowsDrawn << drawn;
    state.done = true;
    return true;
}

ClickStep explanationClick(ExplanationState &state)
{
    state.skip = true;
    if (state.row == kNarrationRows) {
        state.firstLine += kNarrationRows;
        return ClickStep::Continue;
    }
    return state.done ? ClickStep::Close : ClickStep::None;
}

void drawChoiceLine(QImage &box, const GameFont &font, const QString &line, FontColor lineColor, QRgb background)
{
    box.fill(background);
    FontColor color = lineColor;
    int x = 0;
    for (int pos = 0;;) {
        const MarkupStep step = scanMarkup(line, pos, color, lineColor);
        if (step.end)
            break;
        x += font.drawChar(box, x, 0, step.ch, step.color, 2);
        pos = step.pos + 1;
    }
}

} // namespace commands
