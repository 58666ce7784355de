#pragma once
// Stored keys drawn over the whole range of each field, not only what a
// dialog's lists can show: the shape of every code's record comes from the
// catalogue's default record, its values from a seeded generator. Shared by
// the tests that open every dialog on such keys.
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/param_tags.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace testsupport {

// Two-byte values at the edges of every list and encoding the commands use:
// list ends, the person groups and variable persons, item levels held in
// variables, FFFE and FFFF.
inline constexpr std::array<quint32, 30> kWordEdges{
    0, 1, 2, 3, 4, 5, 6, 7, 9, 0x0F, 0x1F, 0x27, 0x28, 0x4F, 0x50, 0x63, 0x64, 0x73, 0xBB, 0xFF,
    0x100, 0x3FF, 0x400, 0x405, 0x4FF, 0xEFFE, 0xEFFF, 0xF000, 0xFFFE, 0xFFFF};
// Four-byte values: limits of the boxes, variable ranges, the signed edges.
inline constexpr std::array<quint32, 12> kLongEdges{
    0, 1, 40, 100, 0xFFFF, 0x10000, 0xFFFFFF, 0x1000000, 0x1000005, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};

// Texts as real files hold them: Hangul, bytes that are not valid CP949 (a
// lone lead byte, bytes no table maps), a literal backslash-n, line feeds,
// colour mark-up well formed, malformed and nested.
inline const std::vector<QByteArray> &textPool()
{
    static const std::vector<QByteArray> pool{
        QByteArray(),
        QByteArray("\xB0\xA1\xB3\xAA\xB4\xD9"),              // 가나다
        QByteArray("a\x80\xFF" "b"),                           // not CP949
        QByteArray("end\xB0"),                                 // lone lead byte
        QByteArray("line\\nbreak"),                            // literal backslash-n
        QByteArray("one\ntwo\r\nthree"),
        QByteArray("[C00ab][C05cd][CZZef]"),
        QByteArray("[C3A[CFEin]ner]\n[C01open"),
        QByteArray("\xB0\xA1[C12\xB3\xAA]\x81\x41"),
    };
    return pool;
}

// A value of a field `width` bytes wide: mostly an edge, else any value.
inline quint32 drawValue(QRandomGenerator &rng, int width)
{
    const bool edge = rng.bounded(4) != 0;
    if (width == 4)
        return edge ? kLongEdges[rng.bounded(int(kLongEdges.size()))] : rng.generate();
    return edge ? kWordEdges[rng.bounded(int(kWordEdges.size()))] : rng.bounded(0x10000);
}

inline void appendLE(QByteArray &out, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// What drawRecord puts into the values: drawn at random, 0 everywhere,
// FFFF (FFFFFFFF) everywhere, or the catalogue's template itself (the
// record a new command starts with) with a text drawn from the pool.
inline constexpr int kDrawnFill = 0;
inline constexpr int kZeroFill = 1;
inline constexpr int kOnesFill = 2;
inline constexpr int kTemplateFill = 3;

// A record of the code's item layout (the catalogue's default record) with
// its values filled as `fill` says.
inline QString drawRecord(int code, QRandomGenerator &rng, int fill)
{
    const QByteArray def = core::recordBytes(core::defaultRecord(code)).value_or(QByteArray());
    QByteArray out = def.left(2);
    int at = 2;
    while (at < def.size()) {
        const std::optional<int> len = core::itemByteLength(def, at);
        if (!len)
            break;
        const int tag = quint8(def[at]) | quint8(def[at + 1]) << 8;
        if (fill == kTemplateFill && !core::isTextTag(tag)) {
            out += def.mid(at, *len);
            at += *len;
            continue;
        }
        appendLE(out, quint32(tag), 2);
        if (core::isTextTag(tag)) {
            const bool drawn = fill == kDrawnFill || fill == kTemplateFill;
            out += drawn ? textPool()[rng.bounded(int(textPool().size()))] : QByteArray();
            out.append('\0');
        } else if (core::isListTag(tag)) {
            const int n = fill == 0 ? rng.bounded(4) : 0;
            appendLE(out, quint32(n), 2);
            for (int i = 0; i < n; ++i)
                appendLE(out, drawValue(rng, 2), 2);
        } else {
            const int width = core::tagValueWidth(tag);
            appendLE(out, fill == 1 ? 0u : fill == 2 ? 0xFFFFFFFFu : drawValue(rng, width), width);
        }
        at += *len;
    }
    return core::bytesToHex(out);
}

inline std::vector<int> codesWithDialogs()
{
    std::vector<int> codes;
    for (int code = 0; code < core::kCommandCount; ++code)
        if (core::hasEditDialog(code))
            codes.push_back(code);
    return codes;
}

// "Code2E": a case name for a row of codes.
inline std::string codeCaseName(int code)
{
    return "Code" + QString::number(code, 16).toUpper().rightJustified(2, u'0').toStdString();
}

} // namespace testsupport
