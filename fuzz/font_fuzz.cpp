// The game-font renderer with font files and text from the input: glyphs are
// looked up and drawn at any position, also partly or wholly outside the
// surface, and never write outside it. Input: half-font length (2 bytes),
// full-font length (2 bytes), x, y, colour byte, then the fonts, then the
// text as CP949.
#include "commands/common/game_font.h"
#include "fuzz_common.h"
#include "platform/cp949.h"

#include <QImage>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 7)
        return 0;
    std::size_t at = 7;
    const auto take = [&](std::size_t len) {
        len = std::min(len, size - at);
        QByteArray b(reinterpret_cast<const char *>(data + at), qsizetype(len));
        at += len;
        return b;
    };
    const std::size_t halfLen = std::size_t(data[0]) << 8 | data[1];
    const std::size_t fullLen = std::size_t(data[2]) << 8 | data[3];
    const int x = int(std::int8_t(data[4])) * 2, y = int(std::int8_t(data[5]));
    const commands::FontColor colour = commands::FontColor(data[6]) * 0x010203u;
    QByteArray half = take(halfLen);
    QByteArray full = take(fullLen);
    const QString text = platform::Cp949::decode(take(size));
    const commands::GameFont font(std::move(half), std::move(full));
    QImage surface(64, 32, QImage::Format_RGB32);
    surface.fill(0);
    font.drawPlain(surface, x, y, text, colour, data[5] % 4);
    font.drawOutlined(surface, x, y, text.left(8), colour);
    for (const QChar c : text.left(16)) {
        const commands::GlyphLocation g = commands::glyphLookup(commands::glyphCode(c));
        fuzzing::check(font.glyphRecord(g).size() == g.recordLength);
    }
    return 0;
}
