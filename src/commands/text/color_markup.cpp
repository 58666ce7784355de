#include "commands/text/color_markup.h"

#include "core/color_table.h"
#include "core/key_codec.h"
#include "platform/cp949.h"

namespace commands {

namespace {

const QString kRunHead = QStringLiteral("[C");

// The two characters after "[C" read as hex as far as they are hex digits.
int runIndex(const QString &text, int head)
{
    int value = 0;
    for (int i = head + 2; i < head + 4 && i < text.size(); ++i) {
        const int d = core::hexDigitValue(text[i]);
        if (d < 0)
            break;
        value = value * 16 + d;
    }
    return value;
}

} // namespace

LoadedMarkup loadColorMarkup(const QString &source)
{
    LoadedMarkup out;
    out.text = source;
    QString &text = out.text;
    int from = 0;
    for (;;) {
        const int head = text.indexOf(kRunHead, from);
        if (head < 0)
            break;
        const int close = text.indexOf(u']', head + 1);
        const int index = runIndex(text, head);
        // Not a run: no end, no room for the digits, or an index past the
        // palette. Look further on.
        if (close < 0 || close < head + 4 || index >= core::kColorTableSize) {
            from = head + 2;
            continue;
        }
        const int innerLength = close - head - 4;
        const QString inner = text.mid(head + 4, innerLength);
        text.replace(head, close - head + 1, inner);
        out.spans.append({head, innerLength, index});
        from = 0;
    }
    // Spans were found on the text as it stood then; keep them inside the
    // final text.
    for (ColorSpan &s : out.spans) {
        s.start = std::min(s.start, int(text.size()));
        s.length = std::max(0, std::min(s.length, int(text.size()) - s.start));
    }
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

QString markupFromPieces(const QList<ColoredPiece> &pieces)
{
    QString out;
    bool anyColour = false;
    std::optional<std::uint32_t> current;   // colour of the open run
    QString breaks;                         // line breaks not yet written
    for (const ColoredPiece &piece : pieces) {
        if (piece.lineBreak) {
            breaks += piece.text;
            continue;
        }
        if (piece.text.isEmpty())
            continue;
        std::optional<std::uint32_t> colour = piece.color;
        int index = -1;
        if (colour) {
            index = paletteIndexOf(*colour);
            if (index < 0)
                colour.reset();
        }
        // A run that ends at a line break closes before it; one that goes on
        // with the same colour stays open across it.
        if (colour != current && current)
            out += u']';
        out += breaks;
        breaks.clear();
        if (colour != current && colour) {
            out += kRunHead + QStringLiteral("%1").arg(index, 2, 16, QLatin1Char('0')).toUpper();
            anyColour = true;
        }
        current = colour;
        out += piece.text;
    }
    if (current)
        out += u']';
    out += breaks;
    if (!anyColour) {
        // No coloured word: the plain text, whatever it holds.
        QString plain;
        for (const ColoredPiece &piece : pieces)
            plain += piece.text;
        return plain;
    }
    const int lastHead = out.lastIndexOf(kRunHead);
    if (lastHead >= 0 && out.indexOf(u']', lastHead) < 0)
        out += u']';
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
