#include "core/key_codec.h"

#include <cstdint>

#include "platform/cp949.h"

namespace core {

namespace {
const char kDigits[] = "0123456789ABCDEF";
} // namespace

QStringView recordPart(const QString &key)
{
    const qsizetype i = key.indexOf(u'_');
    return i < 0 ? QStringView(key) : QStringView(key).left(i);
}

QStringView keySuffix(const QString &key)
{
    const qsizetype i = key.indexOf(u'_');
    return i < 0 ? QStringView() : QStringView(key).mid(i);
}

std::optional<QByteArray> recordBytes(const QString &key)
{
    const QStringView rec = recordPart(key);
    if (rec.size() % 2 != 0)
        return std::nullopt;
    QByteArray out(rec.size() / 2, '\0');
    for (qsizetype i = 0; i < out.size(); ++i) {
        const int hi = hexDigitValue(rec[2 * i]);
        const int lo = hexDigitValue(rec[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out[i] = char(hi * 16 + lo);
    }
    return out;
}

int recordLength(const QString &key) { return int(recordPart(key).size() / 2); }

QString bytesToHex(const QByteArray &bytes)
{
    QString out(bytes.size() * 2, Qt::Uninitialized);
    QChar *p = out.data();
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *p++ = QLatin1Char(kDigits[u >> 4]);
        *p++ = QLatin1Char(kDigits[u & 15]);
    }
    return out;
}

int keyCode(const QString &key)
{
    const QStringView rec = recordPart(key);
    if (rec.size() < 4)
        return -1;
    const auto v = hexToLong(rec, 1, 2);
    return v ? int(*v) : -1;
}

std::optional<std::int32_t> hexToLong(QStringView hex, int pos, int n)
{
    if (pos < 1 || n < 1 || n > 4)
        return std::nullopt;
    std::uint32_t value = 0;
    int digits = 0;
    // Bytes in reverse order; digits past the end are simply missing.
    for (int j = n - 1; j >= 0; --j) {
        for (int k = 0; k < 2; ++k) {
            const qsizetype at = qsizetype(pos - 1) + 2 * j + k;
            if (at >= hex.size())
                continue;
            const int d = hexDigitValue(hex[at]);
            if (d < 0)
                return std::nullopt;
            value = (value << 4) | std::uint32_t(d);
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    return std::int32_t(value);
}

std::int32_t keyField(QStringView key, int pos, int n)
{
    return hexToLong(key, pos, n).value_or(0);
}

QString longToHex(std::int64_t value, int n, bool swap)
{
    if (n < 1) n = 1;
    if (n > 4) n = 4;
    const auto v = std::uint32_t(value);
    QString out(2 * n, Qt::Uninitialized);
    for (int i = 0; i < n; ++i) {
        const int byteIndex = swap ? i : (n - 1 - i);  // which byte lands at pair i
        const unsigned b = (v >> (8 * byteIndex)) & 0xFF;
        out[2 * i] = QLatin1Char(kDigits[b >> 4]);
        out[2 * i + 1] = QLatin1Char(kDigits[b & 15]);
    }
    return out;
}

bool writeHexAt(QStringView hex, int offset, QByteArray &buffer)
{
    if (offset < 0)
        return false;
    QByteArray bytes;
    int pending = -1;
    for (QChar c : hex) {
        if (c == u' ')
            continue;
        const int d = hexDigitValue(c);
        if (d < 0)
            return false;
        if (pending < 0) {
            pending = d;
        } else {
            bytes.append(char(pending * 16 + d));
            pending = -1;
        }
    }
    if (bytes.isEmpty())
        return false;
    if (buffer.size() < offset + bytes.size())
        buffer.resize(offset + bytes.size(), '\0');
    std::copy(bytes.begin(), bytes.end(), buffer.begin() + offset);
    return true;
}

QString wAscii(const QString &text)
{
    return bytesToHex(platform::Cp949::encode(text));
}

int integerLong(std::uint8_t first, std::uint8_t second) { return first + 256 * second; }

namespace {
// The field lies inside the record part: a write never reaches the "_" and the
// serial after it, and never changes the key's length.
bool fieldInRecord(const QString &key, int pos, int n)
{
    return n >= 1 && n <= 4 && pos >= 1 && pos - 1 + 2 * n <= recordPart(key).size();
}
} // namespace

void keyWriteField(QString &key, int pos, int n, std::int64_t value)
{
    if (!fieldInRecord(key, pos, n))
        return;
    key.replace(pos - 1, 2 * n, longToHex(value, n, true));
}

bool keyWriteFieldChecked(QString &key, int pos, int n, std::int64_t value)
{
    if (!fieldInRecord(key, pos, n))
        return false;
    const std::int64_t limit = std::int64_t(1) << (8 * n);
    if (value < 0 || value >= limit)
        return false;
    key.replace(pos - 1, 2 * n, longToHex(value, n, true));
    return true;
}

bool keyValueApply(const QString &boxText, QString &key, int pos, bool longValue)
{
    bool ok = false;
    const qlonglong v = boxText.trimmed().toLongLong(&ok);
    // The field holds 2 or 4 bytes, read signed or unsigned.
    const qlonglong lowest = longValue ? qlonglong(INT32_MIN) : -32768;
    const qlonglong highest = longValue ? qlonglong(UINT32_MAX) : 65535;
    const int width = longValue ? 4 : 2;
    if (!ok || v < lowest || v > highest || !fieldInRecord(key, pos, width))
        return false;
    keyWriteField(key, pos, width, v);
    return true;
}

QString keyValueShow(const QString &key, int pos, bool longValue, bool hex)
{
    const std::int32_t v = keyField(key, pos, longValue ? 4 : 2);
    if (longValue && hex)
        return QString::number(std::uint32_t(v), 16).toUpper();
    return QString::number(v);
}

KeyText keyTextAt(const QString &key, int pos)
{
    KeyText out;
    const QStringView rec = recordPart(key);
    qsizetype at = pos - 1;
    while (at >= 0 && at + 1 < rec.size()) {
        const int hi = hexDigitValue(rec[at]);
        const int lo = hexDigitValue(rec[at + 1]);
        if (hi < 0 || lo < 0)
            break;
        at += 2;
        const char b = char(hi * 16 + lo);
        if (b == 0) {
            out.terminated = true;
            break;
        }
        out.bytes.append(b);
    }
    out.endPos = int(at) + 1;
    return out;
}

QString keyTextString(const QString &key, int pos)
{
    return platform::Cp949::decode(keyTextAt(key, pos).bytes);
}

int keyReplaceTextBytes(QString &key, int pos, const QByteArray &bytes)
{
    const KeyText old = keyTextAt(key, pos);
    const int oldLen = old.bytes.size() + (old.terminated ? 1 : 0);
    QByteArray stored = bytes;
    stored.append('\0');
    key.replace(pos - 1, old.endPos - pos, bytesToHex(stored));
    return int(stored.size()) - oldLen;
}

int keyReplaceText(QString &key, int pos, const QString &text)
{
    return keyReplaceTextBytes(key, pos, platform::Cp949::encode(text));
}

} // namespace core
