#include "platform/cp949.h"

#include <QStringDecoder>
#include <QStringEncoder>

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
} // namespace

QString Cp949::decode(const QByteArray &bytes)
{
    QStringDecoder dec(kCodecName, QStringDecoder::Flag::Stateless);
    if (!dec.isValid())
        return QString::fromLatin1(bytes);
    // A lead byte at the very end waits for a trail byte that never comes
    // and would vanish; a closing 00 makes the decoder show it as U+FFFD.
    if (!bytes.isEmpty() && quint8(bytes.back()) >= 0x81) {
        QString text = dec(bytes + '\0');
        if (text.endsWith(QChar(u'\0')))
            text.chop(1);
        return text;
    }
    return dec(bytes);
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
    QStringDecoder dec(kCodecName, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInvalidToNull);
    if (!dec.isValid())
        return false;
    QString s = dec(bytes);
    return !dec.hasError() && !s.contains(QChar(0xFFFD));
}

bool Cp949::available()
{
    return QStringDecoder(kCodecName).isValid();
}

} // namespace platform
