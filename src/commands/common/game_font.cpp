#include "commands/common/game_font.h"

#include "core/color_table.h"
#include "core/game/game_files.h"
#include "core/key_codec.h"
#include "platform/cp949.h"

#include <QFile>

namespace commands {

namespace {

// The full-width font is about 100 KB; nothing past this can hold a glyph
// that a CP949 code reaches, so a stray huge file is not read whole.
constexpr qint64 kMaxFontBytes = 1 << 20;

QByteArray readFont(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(kMaxFontBytes);
}

QRgb toRgb(FontColor c)
{
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

void setPixel(QImage &surface, int x, int y, QRgb rgb)
{
    if (x >= 0 && y >= 0 && x < surface.width() && y < surface.height())
        surface.setPixel(x, y, rgb);
}

} // namespace

std::uint32_t glyphCode(QChar c)
{
    const QByteArray bytes = platform::Cp949::encode(QString(c));
    if (bytes.size() >= 2)
        return std::uint32_t(quint8(bytes[0])) * 256u + quint8(bytes[1]);
    if (bytes.size() == 1)
        return quint8(bytes[0]);
    return 0;
}

bool isFullWidthCode(std::uint32_t code)
{
    return code > 0xA1A0 && (code < 0xAEFF || (code > 0xB0A0 && code < 0xC8FF));
}

GlyphLocation glyphLookup(std::uint32_t code)
{
    GlyphLocation g;
    if (isFullWidthCode(code)) {
        const int lead = int(code >> 8);
        const int trail = int(code & 0xFF);
        const int row = lead < 0xB0 ? lead - 0xA1 : lead - 0xA4;
        g.fullWidth = true;
        g.index = row * 94 + (trail - 0xA1);
        g.offset = 30 * qint64(g.index) + 2;
        g.recordLength = 28;
        g.advance = 16;
        return g;
    }
    g.index = (code >= 32 && code <= 127) ? int(code) - 32 : 0;
    g.offset = 16 * qint64(g.index);
    return g;
}

GameFont::GameFont(QByteArray halfFont, QByteArray fullFont)
    : m_half(std::move(halfFont)), m_full(std::move(fullFont))
{
}

GameFont GameFont::fromFolder(const QString &folder)
{
    return GameFont(readFont(core::game::gameFilePath(folder, kHalfFontFile)),
                    readFont(core::game::gameFilePath(folder, kFullFontFile)));
}

GameFont GameFont::fromSettings()
{
    return fromFolder(core::game::folderLoad());
}

QByteArray GameFont::glyphRecord(const GlyphLocation &glyph) const
{
    const QByteArray &file = glyph.fullWidth ? m_full : m_half;
    QByteArray record(glyph.recordLength, '\0');
    for (int i = 0; i < glyph.recordLength; ++i) {
        const qint64 at = glyph.offset + i;
        if (at >= 0 && at < file.size())
            record[i] = file[at];
    }
    return record;
}

int GameFont::drawGlyph(QImage &surface, int x, int y, std::uint32_t code, FontColor color,
                        int fullDrop) const
{
    const GlyphLocation glyph = glyphLookup(code);
    const QByteArray record = glyphRecord(glyph);
    const QRgb rgb = toRgb(color);
    for (int k = 0; k < glyph.recordLength; ++k) {
        const quint8 bits = quint8(record[k]);
        if (!bits)
            continue;
        const int px = glyph.fullWidth ? x + 8 * (k % 2) : x;
        const int py = glyph.fullWidth ? y + fullDrop + k / 2 : y + k;
        for (int i = 0; i < 8; ++i) {
            if (bits & (0x80 >> i))
                setPixel(surface, px + i, py, rgb);
        }
    }
    return glyph.advance;
}

int GameFont::drawPlain(QImage &surface, int x, int y, const QString &text, FontColor color,
                        int fullDrop) const
{
    for (QChar c : text)
        x += drawChar(surface, x, y, c, color, fullDrop);
    return x;
}

int GameFont::drawOutlined(QImage &surface, int x, int y, const QString &text,
                           FontColor outline) const
{
    static constexpr int kAround[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                          {1, 0},   {-1, 1}, {0, 1},  {1, 1}};
    for (const auto &d : kAround)
        drawPlain(surface, x + d[0], y + d[1], text, outline);
    return drawPlain(surface, x, y, text, kFontWhite);
}

int textAdvance(const QString &text)
{
    int width = 0;
    for (QChar c : text)
        width += glyphLookup(glyphCode(c)).advance;
    return width;
}

QString nameUpToDigit(const QString &name)
{
    for (int i = 0; i < name.size(); ++i) {
        if (name[i] >= u'0' && name[i] <= u'9')
            return name.left(i);
    }
    return name;
}

FontColor markupColor(int index, FontColor defaultColor)
{
    if (index < 0 || index >= core::kColorTableSize)
        return defaultColor;
    return core::colorTable()[std::size_t(index)];
}

namespace {

// The two characters after "[C" read as hex as far as they are hex digits.
int markupIndex(const QString &line, int at)
{
    int value = 0;
    for (int i = at; i < at + 2 && i < line.size(); ++i) {
        const int d = core::hexDigitValue(line[i]);
        if (d < 0)
            break;
        value = value * 16 + d;
    }
    return value;
}

} // namespace

MarkupStep scanMarkup(const QString &line, int pos, FontColor &current, FontColor defaultColor)
{
    for (;;) {
        if (pos >= line.size())
            return {};
        if (line[pos] == u'[' && pos + 1 < line.size() && line[pos + 1] == u'C') {
            current = markupColor(markupIndex(line, pos + 2), defaultColor);
            pos += 4;
            if (pos >= line.size())
                return {};
        }
        if (line[pos] == u']') {
            ++pos;
            current = defaultColor;
            continue;
        }
        MarkupStep step;
        step.end = false;
        step.ch = line[pos];
        step.pos = pos;
        step.color = current;
        return step;
    }
}

} // namespace commands
