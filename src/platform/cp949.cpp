#include "platform/cp949.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <atomic>

namespace platform {

namespace {
constexpr const char *kCodecName = "windows-949";

// Encodes one character; returns false when CP949 has no code for it.
bool encodeChar(QStringEncoder &enc, QStringView ch, QByteArray &out)
{
    enc.resetState();
    QByteArray bytes = enc(ch);
    if (enc.hasError() || bytes.isEmpty())
        return false;
    // ICU substitutes 0x1A (SUB) for unmappable characters without always
    // raising an error; a real SUB character is never passed to this codec.
    if (bytes == QByteArray(1, '\x1A') && ch != QStringView(u"\x1A"))
        return false;
    out += bytes;
    return true;
}

constexpr QChar kReplacement(u'\uFFFD');

// What the codec makes of a few bytes on their own: one character, or U+FFFD
// when they are not exactly one character.
char16_t decodeAlone(QByteArrayView bytes)
{
    QStringDecoder dec(kCodecName, QStringDecoder::Flag::Stateless);
    // A closing 00 makes the decoder show a lead byte waiting for its trail
    // byte instead of dropping it.
    QByteArray terminated = bytes.toByteArray();
    terminated.append('\0');
    const QString s = dec(terminated);
    return s.size() == 2 && s[1] == QChar(u'\0') ? s[0].unicode() : kReplacement.unicode();
}

// Lead bytes 81..FE take a trail byte 41..FE; the codec is asked about each
// pair once, the first time it is met (0: not asked yet). The relaxed
// atomics make a race harmless: both threads store the same answer.
constexpr int kFirstLead = 0x81, kLastLead = 0xFE, kFirstTrail = 0x41, kLastTrail = 0xFE;
constexpr int kTrails = kLastTrail - kFirstTrail + 1;
std::array<std::atomic<char16_t>, (kLastLead - kFirstLead + 1) * kTrails> g_pairs{};
std::array<std::atomic<char16_t>, 0x80> g_singles{};

// The character of a lead and trail byte; 0 when they are no character.
char16_t pairChar(quint8 lead, quint8 trail)
{
    if (lead < kFirstLead || lead > kLastLead || trail < kFirstTrail || trail > kLastTrail)
        return 0;
    std::atomic<char16_t> &slot = g_pairs[std::size_t((lead - kFirstLead) * kTrails + trail - kFirstTrail)];
    char16_t c = slot.load(std::memory_order_relaxed);
    if (c == 0) {
        const char pair[2] = {char(lead), char(trail)};
        c = decodeAlone(QByteArrayView(pair, 2));
        slot.store(c, std::memory_order_relaxed);
    }
    return c == kReplacement.unicode() ? 0 : c;
}

// A byte from 80 on standing alone: the codec's character (80 and FF have
// one), or U+FFFD.
char16_t singleChar(quint8 b)
{
    std::atomic<char16_t> &slot = g_singles[b - 0x80];
    char16_t c = slot.load(std::memory_order_relaxed);
    if (c == 0) {
        const char one = char(b);
        c = decodeAlone(QByteArrayView(&one, 1));
        slot.store(c, std::memory_order_relaxed);
    }
    return c;
}
} // namespace

QString Cp949::decode(const QByteArray &bytes, QList<qsizetype> *starts)
{
    QString text;
    text.reserve(bytes.size());
    if (starts) {
        starts->clear();
        starts->reserve(bytes.size() + 1);
    }
    const bool codec = available();
    for (qsizetype i = 0; i < bytes.size();) {
        if (starts)
            starts->append(i);
        const quint8 b = quint8(bytes[i]);
        if (b < 0x80 || !codec) {
            text += QChar(char16_t(b));
            ++i;
            continue;
        }
        if (i + 1 < bytes.size()) {
            if (const char16_t pair = pairChar(b, quint8(bytes[i + 1]))) {
                text += QChar(pair);
                i += 2;
                continue;
            }
        }
        text += QChar(singleChar(b));
        ++i;
    }
    if (starts)
        starts->append(bytes.size());
    return text;
}

QByteArray Cp949::encode(const QString &text)
{
    QStringEncoder enc(kCodecName, QStringEncoder::Flag::Stateless);
    QByteArray out;
    out.reserve(text.size() * 2);
    if (!enc.isValid()) {
        for (QChar c : text)
            out += c.unicode() < 0x80 ? char(c.unicode()) : '?';
        return out;
    }
    // Fast path: the whole text at once when it is plain ASCII.
    bool ascii = true;
    for (QChar c : text)
        if (c.unicode() >= 0x80) { ascii = false; break; }
    if (ascii)
        return text.toLatin1();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() < 0x80) {
            out += char(text.at(i).unicode());
            continue;
        }
        qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringView ch(text.constData() + i, len);
        if (!encodeChar(enc, ch, out)) {
            out += '?';
            // The converter's error flag survives resetState(); start afresh.
            enc = QStringEncoder(kCodecName, QStringEncoder::Flag::Stateless);
        }
        i += len - 1;
    }
    return out;
}

bool Cp949::canEncode(const QString &text)
{
    QStringEncoder enc(kCodecName, QStringEncoder::Flag::Stateless);
    if (!enc.isValid())
        return false;
    QByteArray scratch;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() < 0x80)
            continue;
        qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (!encodeChar(enc, QStringView(text.constData() + i, len), scratch))
            return false;
        i += len - 1;
    }
    return true;
}

bool Cp949::isValid(const QByteArray &bytes)
{
    return available() && !decode(bytes).contains(kReplacement);
}

bool Cp949::available()
{
    static const bool valid = QStringDecoder(kCodecName).isValid();
    return valid;
}

} // namespace platform
