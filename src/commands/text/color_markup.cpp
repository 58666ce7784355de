#include "commands/text/color_markup.h"

#include "core/color_table.h"
#include "core/key_codec.h"
#include "platform/cp949.h"

namespace commands {

namespace {

const QString kRunHead = QStringLiteral("[C");

// The palette entry named by the two characters after "[C"; -1 when they
// are not two hex digits or name no entry (FF).
int runIndex(const QString &text, int head)
{
    if (head + 4 > text.size())
        return -1;
    const int high = core::hexDigitValue(text[head + 2]);
    const int low = core::hexDigitValue(text[head + 3]);
    if (high < 0 || low < 0)
        return -1;
    const int index = high * 16 + low;
    return index < core::kColorTableSize ? index : -1;
}

} // namespace

LoadedMarkup loadColorMarkup(const QString &source)
{
    LoadedMarkup out;
    int pos = 0;
    while (pos < source.size()) {
        const int head = source.indexOf(kRunHead, pos);
        if (head < 0)
            break;
        const int close = source.indexOf(u']', head + 2);
        if (close < 0)
            break;
        const int index = runIndex(source, head);
        const int nested = source.indexOf(kRunHead, head + 2);
        const bool wellFormed = index >= 0 && close > head + 4 && (nested < 0 || nested > close);
        if (!wellFormed) {
            // The whole stretch up to its "]" stays as characters.
            out.text += source.mid(pos, close + 1 - pos);
            pos = close + 1;
            continue;
        }
        out.text += source.mid(pos, head - pos);
        const int innerLength = close - head - 4;
        out.spans.append({int(out.text.size()), innerLength, index, source.mid(head, 4)});
        out.text += source.mid(head + 4, innerLength);
        pos = close + 1;
    }
    out.text += source.mid(pos);
    return out;
}

int paletteIndexOf(std::uint32_t color)
{
    const core::ColorTableArray &table = core::colorTable();
    int found = -1;
    for (int j = 0; j < int(table.size()); ++j) {
        if ((table[std::size_t(j)] & 0xFFFFFFu) == (color & 0xFFFFFFu))
            found = j;
    }
    return found;
}

namespace {

// The run a piece is written in: its stored head while it keeps its run's
// colour, otherwise the palette entry of its colour (a new run).
struct RunMark
{
    int run = -1;
    QString head;
    bool operator==(const RunMark &) const = default;
};

std::optional<RunMark> runMarkOf(const ColoredPiece &piece)
{
    if (!piece.color)
        return std::nullopt;
    const std::uint32_t colour = *piece.color & 0xFFFFFFu;
    if (piece.run >= 0) {
        const int stored = runIndex(piece.head, 0);
        if (stored >= 0 && (core::colorTable()[std::size_t(stored)] & 0xFFFFFFu) == colour)
            return RunMark{piece.run, piece.head};
    }
    const int index = paletteIndexOf(colour);
    if (index < 0)
        return std::nullopt;
    return RunMark{-1, kRunHead + QStringLiteral("%1").arg(index, 2, 16, QLatin1Char('0')).toUpper()};
}

} // namespace

QString markupFromPieces(const QList<ColoredPiece> &pieces)
{
    QString out;
    std::optional<RunMark> current;   // the open run
    QString breaks;                   // line breaks not yet written
    for (const ColoredPiece &piece : pieces) {
        if (piece.lineBreak) {
            breaks += piece.text;
            continue;
        }
        if (piece.text.isEmpty())
            continue;
        const std::optional<RunMark> mark = runMarkOf(piece);
        // A run that ends at a line break closes before it; one that goes on
        // stays open across it.
        if (mark != current && current)
            out += u']';
        out += breaks;
        breaks.clear();
        if (mark != current && mark)
            out += mark->head;
        current = mark;
        out += piece.text;
    }
    if (current)
        out += u']';
    out += breaks;
    return out;
}

QString storedTextFromBox(const QString &boxText)
{
    QString t = boxText;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

int storedByteLength(const QString &storedText)
{
    return int(platform::Cp949::encode(storedText).size());
}

const QList<ColorButton> &colorButtons()
{
    static const QList<ColorButton> buttons = {
        {u"Black", -1}, {u"Red", 40},     {u"Orange", 37}, {u"Yellow", 69}, {u"Green", 85},
        {u"Blue", 58},  {u"Purple", 117}, {u"Gray", 24},   {u"Gal", 156},   {u"Pink", 124},
    };
    return buttons;
}

std::uint32_t colorButtonColor(const ColorButton &button)
{
    return button.paletteIndex < 0 ? 0u : core::colorTable()[std::size_t(button.paletteIndex)];
}

} // namespace commands
