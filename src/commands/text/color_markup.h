#pragma once
// Colour mark-up of game texts: a stored text colours a run of words as
// "[C" + two hex digits of a palette index + the words + "]". The text
// dialogs show runs as coloured words and turn coloured words back into
// runs; the conversions live here, free of widgets, so they can be tested
// on their own.
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace commands {

// A coloured stretch of the loaded text: characters [start, start + length)
// of the text with the runs' heads and ends removed, in palette entry index.
struct ColorSpan
{
    int start = 0;
    int length = 0;
    int index = 0;
    bool operator==(const ColorSpan &) const = default;
};

struct LoadedMarkup
{
    QString text;               // the runs' inner texts in place of the runs
    QList<ColorSpan> spans;     // applied in order; a later span wins
};

// Takes every complete run out of the text, first to last, each search
// starting again from the beginning (so a "[C" left inside an earlier run's
// words can open a later run). A "[C" without a "]" after it, or whose
// digits name no palette entry (FF), stays as its characters.
LoadedMarkup loadColorMarkup(const QString &text);

// A piece of the box's text and its colour (nullopt: the box's default,
// uncoloured). Line breaks come as their own pieces ("\r\n", no colour),
// which never close or open a run.
struct ColoredPiece
{
    QString text;
    std::optional<std::uint32_t> color;
    bool lineBreak = false;
};

// The palette entry of a colour: the last of the equal entries (pure blue is
// 3A, black 1F); -1 when no entry has the colour.
int paletteIndexOf(std::uint32_t color);

// The mark-up of coloured pieces: a run opens where a colour begins, a
// change of colour closes the run and opens the next ("][C"), the default
// colour closes it, and a run still open at the end is closed. A colour of
// no palette entry is stored as uncoloured.
QString markupFromPieces(const QList<ColoredPiece> &pieces);

// The stored form of a box text: CR LF -> one line feed.
QString storedTextFromBox(const QString &boxText);
// Byte length of a text as the key stores it (CP949, no terminator).
int storedByteLength(const QString &storedText);

// The colour buttons of the text dialogs: key (also the tooltip) and colour.
struct ColorButton
{
    const char16_t *key;
    int paletteIndex;   // -1: plain black (the value 0)
};
const QList<ColorButton> &colorButtons();
std::uint32_t colorButtonColor(const ColorButton &button);

} // namespace commands
