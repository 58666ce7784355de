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
// of the text with the runs' heads and ends removed, in palette entry index,
// opened by `head` as stored ("[C" and its two digits, "[C00" or "[C0a"
// kept as they are, though another entry may have the same colour).
struct ColorSpan
{
    int start = 0;
    int length = 0;
    int index = 0;
    QString head;
    bool operator==(const ColorSpan &) const = default;
};

struct LoadedMarkup
{
    QString text;               // the runs' inner texts in place of the runs
    QList<ColorSpan> spans;     // in text order, never overlapping
};

// Takes the well-formed runs out of the text: "[C", two hex digits naming a
// palette entry (not FF), at least one character without "[C" or "]", then
// "]". Anything else stays as its characters, uncoloured: a "[C" with no "]"
// after it, bad digits, an empty run (no word would show it), or a "[C"
// before the "]" (nested runs) keeps the whole stretch up to that "]", so no
// character outside a well-formed run takes a colour.
LoadedMarkup loadColorMarkup(const QString &text);

// A piece of the box's text and its colour (nullopt: the box's default,
// uncoloured). Line breaks come as their own pieces ("\r\n", no colour),
// which never close or open a run. A piece of a loaded run carries the run's
// number and stored head: while it keeps the run's colour it is written with
// that head, and only pieces of the same run share one.
struct ColoredPiece
{
    QString text;
    std::optional<std::uint32_t> color;
    bool lineBreak = false;
    int run = -1;
    QString head;
};

// The palette entry of a colour: the last of the equal entries (pure blue is
// 3A, black 1F); -1 when no entry has the colour.
int paletteIndexOf(std::uint32_t color);

// The mark-up of coloured pieces: a run opens where a colour begins, a
// change of colour closes the run and opens the next ("][C"), the default
// colour closes it, and a run still open at the end is closed. A colour of
// no palette entry is stored as uncoloured. Uncoloured pieces are written as
// they are, so mark-up the box shows as characters stays as it was.
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
