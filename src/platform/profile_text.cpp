#include "platform/profile_text.h"

#include "platform/cp949.h"

namespace platform {

namespace {
#ifdef Q_OS_WIN
const QByteArray kNativeEol = QByteArrayLiteral("\r\n");
#else
const QByteArray kNativeEol = QByteArrayLiteral("\n");
#endif

bool isBlank(char c) { return c == ' ' || c == '\t'; }

int firstNonBlank(const QByteArray &raw)
{
    int i = 0;
    while (i < raw.size() && isBlank(raw.at(i)))
        ++i;
    return i;
}
} // namespace

bool isValidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        unsigned min;
        unsigned cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1; min = 0x80; cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2; min = 0x800; cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3; min = 0x10000; cp = c & 0x07;
        } else {
            return false;
        }
        if (n - i - 1 < extra)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = p[i + k];
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

QString ProfileText::normal(const QString &name) { return name.trimmed().toCaseFolded(); }

QString ProfileText::decode(const QByteArray &raw) const
{
    return m_encoding == Encoding::Utf8 ? QString::fromUtf8(raw) : Cp949::decode(raw);
}

bool ProfileText::encode(const QString &text, QByteArray *out) const
{
    if (m_encoding == Encoding::Cp949) {
        if (!Cp949::canEncode(text))
            return false;
        *out = Cp949::encode(text);
        return true;
    }
    // A lone surrogate has no UTF-8 form; refuse it rather than write "?".
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return false;
    }
    *out = text.toUtf8();
    return true;
}

// The structural characters "[", "]", "=" and ";" are ASCII and can be
// neither a CP949 trail byte nor part of a UTF-8 sequence, so lines are
// split on bytes and only the names and values are decoded.
void ProfileText::classify(Line &line) const
{
    const QByteArray &raw = line.raw;
    const int start = firstNonBlank(raw);
    line.kind = Kind::Other;
    if (start >= raw.size() || raw.at(start) == ';')
        return;
    if (raw.at(start) == '[') {
        int close = raw.indexOf(']', start + 1);
        if (close < 0)
            close = raw.size();
        line.kind = Kind::Section;
        line.name = normal(decode(raw.mid(start + 1, close - start - 1)));
        return;
    }
    const int eq = raw.indexOf('=');
    if (eq < 0)
        return;
    const QString key = normal(decode(raw.left(eq)));
    if (key.isEmpty())
        return;
    line.kind = Kind::Entry;
    line.name = key;
    line.valueStart = eq + 1;
}

ProfileText ProfileText::parse(const QByteArray &input)
{
    ProfileText text;
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text.m_bom = bytes.left(3);
        bytes.remove(0, 3);
    }
    text.m_encoding = isValidUtf8(bytes) ? Encoding::Utf8 : Encoding::Cp949;

    qsizetype pos = 0;
    while (pos < bytes.size()) {
        Line line;
        const qsizetype nl = bytes.indexOf('\n', pos);
        if (nl < 0) {
            line.raw = bytes.mid(pos);
            pos = bytes.size();
        } else {
            qsizetype end = nl;
            if (end > pos && bytes.at(end - 1) == '\r')
                --end;
            line.raw = bytes.mid(pos, end - pos);
            line.eol = bytes.mid(end, nl + 1 - end);
            pos = nl + 1;
            if (text.m_eol.isEmpty())
                text.m_eol = line.eol;
        }
        text.classify(line);
        text.m_lines.append(std::move(line));
    }
    if (text.m_eol.isEmpty())
        text.m_eol = kNativeEol;
    return text;
}

QByteArray ProfileText::bytes() const
{
    QByteArray out = m_bom;
    for (const Line &line : m_lines)
        out += line.raw + line.eol;
    return out;
}

int ProfileText::findKey(const QString &section, const QString &key) const
{
    const QString wantSection = normal(section), wantKey = normal(key);
    bool inSection = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if (line.kind == Kind::Section)
            inSection = line.name == wantSection;
        else if (inSection && line.kind == Kind::Entry && line.name == wantKey)
            return i;
    }
    return -1;
}

namespace {
// A value written in double quotes reads without them (one pair only), as
// profile readers have always handed it back: "a b" reads a b.
QString withoutQuotes(const QString &value)
{
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        return value.mid(1, value.size() - 2);
    return value;
}
} // namespace

QString ProfileText::value(const QString &section, const QString &key) const
{
    const int i = findKey(section, key);
    if (i < 0)
        return QString();
    const Line &line = m_lines.at(i);
    return withoutQuotes(decode(line.raw.mid(line.valueStart)).trimmed());
}

bool ProfileText::contains(const QString &section, const QString &key) const
{
    return findKey(section, key) >= 0;
}

bool ProfileText::set(const QString &section, const QString &key, const QString &value)
{
    const QVector<Line> before = m_lines;
    if (!store(section, key, value))
        return false;
    if (m_encoding == Encoding::Cp949 && !keepsCp949Readable()) {
        m_lines = before;
        return false;
    }
    return true;
}

// CP949 text whose bytes happen to form valid UTF-8 would be read back as
// UTF-8. When a write produces that, the whole text moves to UTF-8 (the same
// characters, one encoding throughout); if some line is not clean CP949 the
// write is refused instead.
bool ProfileText::keepsCp949Readable()
{
    QByteArray all;
    bool ascii = true;
    for (const Line &line : std::as_const(m_lines)) {
        all += line.raw + line.eol;
        for (char c : line.raw)
            ascii = ascii && uchar(c) < 0x80;
    }
    if (!isValidUtf8(all))
        return true;
    if (ascii) {
        m_encoding = Encoding::Utf8;
        return true;
    }
    for (const Line &line : std::as_const(m_lines))
        if (!Cp949::isValid(line.raw))
            return false;
    m_encoding = Encoding::Utf8;
    for (Line &line : m_lines) {
        line.raw = Cp949::decode(line.raw).toUtf8();
        classify(line);
    }
    return true;
}

bool ProfileText::store(const QString &section, const QString &key, const QString &value)
{
    static const QString kBreaks = QStringLiteral("\r\n") + QChar(0);
    auto hasAny = [](const QString &s, const QString &chars) {
        for (QChar c : chars)
            if (s.contains(c))
                return true;
        return false;
    };
    const QString sectionName = section.trimmed(), keyName = key.trimmed();
    if (hasAny(value, kBreaks) || sectionName.isEmpty() || keyName.isEmpty()
        || hasAny(sectionName, kBreaks + QStringLiteral("]"))
        || hasAny(keyName, kBreaks + QStringLiteral("="))
        || keyName.startsWith('[') || keyName.startsWith(';'))
        return false;

    QByteArray valueBytes;
    if (!encode(value, &valueBytes))
        return false;

    const int found = findKey(section, key);
    if (found >= 0) {
        Line &line = m_lines[found];
        line.raw = line.raw.left(line.valueStart) + valueBytes;
        return true;
    }

    QByteArray keyBytes;
    if (!encode(keyName, &keyBytes))
        return false;
    Line entry;
    entry.raw = keyBytes + '=' + valueBytes;
    entry.eol = m_eol;
    classify(entry);

    // The end of the section is its last line that holds something other
    // than blanks or a comment, so blank lines and a comment that introduces
    // the next section stay where they are.
    const QString wantSection = normal(section);
    int insertAfter = -1;
    bool inSection = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if (line.kind == Kind::Section) {
            if (insertAfter >= 0)
                break;
            inSection = line.name == wantSection;
            if (inSection)
                insertAfter = i;
        } else if (inSection && line.kind == Kind::Entry) {
            insertAfter = i;
        } else if (inSection && firstNonBlank(line.raw) < line.raw.size()
                   && line.raw.at(firstNonBlank(line.raw)) != ';') {
            insertAfter = i;
        }
    }

    if (insertAfter >= 0) {
        if (m_lines[insertAfter].eol.isEmpty())
            m_lines[insertAfter].eol = m_eol;
        m_lines.insert(insertAfter + 1, entry);
        return true;
    }

    QByteArray sectionBytes;
    if (!encode(sectionName, &sectionBytes))
        return false;
    Line header;
    header.raw = '[' + sectionBytes + ']';
    header.eol = m_eol;
    classify(header);
    if (!m_lines.isEmpty() && m_lines.last().eol.isEmpty())
        m_lines.last().eol = m_eol;
    m_lines.append(header);
    m_lines.append(entry);
    return true;
}

} // namespace platform
