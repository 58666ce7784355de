#include "core/menu_key_load.h"

#include "core/key_codec.h"
#include "core/param_tags.h"
#include "platform/cp949.h"

#include <optional>

namespace core {

namespace {

// Reads little-endian values from the record part; every read is bounded by
// the record, so a short key gives nullopt instead of a read past its end.
class HexReader
{
public:
    explicit HexReader(QStringView hex) : m_hex(hex) {}
    qsizetype size() const { return m_hex.size(); }

    std::optional<int> byte(int pos) const
    {
        if (pos < 1 || pos + 1 > m_hex.size())
            return std::nullopt;
        const int hi = hexDigitValue(m_hex[pos - 1]);
        const int lo = hexDigitValue(m_hex[pos]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        return hi * 16 + lo;
    }
    std::optional<int> u16(int pos) const
    {
        const auto lo = byte(pos), hi = byte(pos + 2);
        if (!lo || !hi)
            return std::nullopt;
        return *lo | *hi << 8;
    }
    std::optional<std::int32_t> s32(int pos) const
    {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) {
            const auto b = byte(pos + 2 * i);
            if (!b)
                return std::nullopt;
            v = v << 8 | std::uint32_t(*b);
        }
        return std::int32_t(v);
    }

private:
    QStringView m_hex;
};

// Flag words that some commands put in place of the caller's, by the number
// of flags already shown.
void replaceFlagWords(int code, int flagCount, QStringView &sTrue, QStringView &sFalse)
{
    struct Row { int code; int count; const char16_t *t; const char16_t *f; };
    static constexpr Row kRows[] = {
        {0x21, 1, u"지연無(소리X)", u"추가후지연(소리)"},
        {0x58, 1, u"지연無(소리X)", u"추가후지연(소리)"},
        {0x2C, 1, u"줄바꿈", u"이어짐"},
        {0x2C, 2, u"대기", u"대기X"},
        {0x3D, 1, u"메세지On", u"메세지Off"},
        {0x4F, 1, u"동작전지연", u"동작전지연無"},
        {0x4F, 2, u"동작후지연", u"동작후지연無"},
        {0x50, 1, u"동작후지연", u"동작후지연無"},
        {0x63, 1, u"지연", u"지연X"},
        {0x65, 1, u"회심일격", u"보통공격"},
        {0x66, 1, u"명중X", u"명중"},
        {0x73, 1, u"지력", u"無"},
        {0x73, 2, u"통솔", u"無"},
        {0x73, 3, u"민첩", u"無"},
        {0x73, 4, u"행운", u"無"},
    };
    if (code == 0x73)
        sFalse = u"無";  // every flag of 0x73, replaced or not
    for (const Row &r : kRows) {
        if (r.code == code && r.count == flagCount) {
            sTrue = r.t;
            sFalse = r.f;
            return;
        }
    }
}

void appendText(QString &out, const QByteArray &bytes)
{
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) { ascii = false; break; }
    const QString text = ascii ? QString::fromLatin1(bytes) : platform::Cp949::decode(bytes);
    for (QChar c : text) {
        if (c == u'\n')
            out += u"\\n";
        else
            out += c;
    }
}

void appendRectCoordinate(QString &out, std::int32_t v)
{
    if (v >= kRectVariableBase) {
        out += u"[Var";
        appendDecimal(out, v - kRectVariableBase);
        out += u']';
    } else {
        appendDecimal(out, v);
    }
}

class Walk
{
public:
    Walk(QString &out, QStringView work, int code, const MenuKeyLoadArgs &args, const CaptionContext &ctx)
        : m_out(out), m_key(work), m_code(code), m_args(args), m_sTrue(args.sTrue), m_sFalse(args.sFalse),
          m_mode(args.byCoor), m_savedMode(args.byCoor)
    {
        m_words.names = ctx.names;
        m_words.settings = ctx.settings;
        m_words.army = args.army;
    }

    void run()
    {
        int pos = 5;
        while (pos <= m_key.size()) {
            const auto tag = m_key.u16(pos);
            if (!tag)
                return;  // a cut tag: nothing more can be shown
            m_out += u' ';
            pos += 4;
            m_setSkip = false;
            const qsizetype from = m_out.size();
            const int valuePos = pos;
            const bool whole = item(*tag, pos);
            if (m_args.shown)
                m_args.shown->push_back({*tag, valuePos, from, m_out.size()});
            if (!whole)
                return;
            if (m_pendingSkip && !m_setSkip) {
                pos += m_pendingSkip;
                m_pendingSkip = 0;
            }
            pos += 4;
        }
    }

private:
    void setMode(int mode)
    {
        m_savedMode = m_mode;
        m_mode = mode;
    }
    void setSkip(int chars)
    {
        m_pendingSkip = chars;
        m_setSkip = true;
    }

    // Handles the value at pos; false ends the walk (the key ends inside it).
    bool item(int tag, int &pos)
    {
        switch (tag) {
        case tags::Number: return number(pos);
        case tags::Text: return text(pos);
        case tags::VariableList: return list(pos);
        default: break;
        }
        const auto v = m_key.u16(pos);
        if (!v)
            return false;
        switch (tag) {
        case tags::Flag: flag(*v); break;
        case tags::AIPolicy: aiPolicy(*v, pos); break;
        case tags::TargetMode:
            appendValueWords(m_out, tag, *v, m_words);
            if (*v == 0 || *v == 65535) {
                setSkip(56);
            } else {
                setMode(2);
                pos += 8;
            }
            break;
        case tags::BackgroundKind:
            appendValueWords(m_out, tag, *v, m_words);
            switch (*v) {
            case 0: setSkip(24); break;
            case 1: pos += 8; setSkip(16); break;
            case 2: pos += 16; setSkip(8); break;
            case 3: pos += 24; break;
            default: break;
            }
            break;
        case tags::Area:
            appendValueWords(m_out, tag, *v, m_words);
            if (*v == 1)
                setMode(2);
            else
                pos += 48;
            break;
        case tags::PersonOrUnit:
            appendValueWords(m_out, tag, *v, m_words);
            if (*v == 1) {
                setMode(0);
                pos += 8;
            } else {
                setSkip(12);
            }
            break;
        case tags::PersonUnitOrZone:
            appendValueWords(m_out, tag, *v, m_words);
            switch (*v) {
            case 0: setSkip(68); break;
            case 1: setMode(0); pos += 8; setSkip(56); break;
            case 2: setMode(2); pos += 20; break;
            default: break;
            }
            break;
        default: appendValueWords(m_out, tag, *v, m_words); break;
        }
        return true;
    }

    void aiPolicy(int v, int &pos)
    {
        appendValueWords(m_out, tags::AIPolicy, v, m_words);
        switch (v) {
        case 0: case 1: case 2: pos += 32; break;
        case 3: case 5: setSkip(24); break;
        case 4: case 6: setMode(1); pos += 8; break;
        default: break;
        }
    }

    void flag(int v)
    {
        replaceFlagWords(m_code, m_flagCount, m_sTrue, m_sFalse);
        m_out += flagIsSet(v) ? m_sTrue : m_sFalse;
        ++m_flagCount;
    }

    bool number(int &pos)
    {
        const auto v = m_key.s32(pos);
        if (!v)
            return false;
        int mode = m_mode;
        if (m_code == 0x4B && !m_firstNumberSeen) {
            // The first number of 0x4B is a unit count, not a coordinate.
            m_firstNumberSeen = true;
            setMode(0);
            mode = 0;
        }
        bool ok = true;
        if (mode == 0) {
            if (m_code == 0x0B)
                m_out += u"Var";
            appendDecimal(m_out, *v);
            pos += 4;
        } else if (mode == 1) {
            const auto y = m_key.s32(pos + 12);
            if (y) {
                m_out += u'(';
                appendDecimal(m_out, *v);
                m_out += u',';
                appendDecimal(m_out, *y);
                m_out += u')';
                pos += 16;
            } else {
                appendDecimal(m_out, *v);
                ok = false;
            }
        } else {
            const auto next = m_key.u16(pos + 8);
            if (!next || *next != tags::Number) {
                appendDecimal(m_out, *v);
                pos += 4;
            } else {
                const auto y1 = m_key.s32(pos + 12), x2 = m_key.s32(pos + 24), y2 = m_key.s32(pos + 36);
                if (y1 && x2 && y2) {
                    m_out += u'(';
                    appendRectCoordinate(m_out, *v);
                    m_out += u',';
                    appendRectCoordinate(m_out, *y1);
                    m_out += u") - (";
                    appendRectCoordinate(m_out, *x2);
                    m_out += u',';
                    appendRectCoordinate(m_out, *y2);
                    m_out += u')';
                    pos += 40;
                } else {
                    appendDecimal(m_out, *v);
                    ok = false;
                }
            }
        }
        m_mode = m_savedMode;
        return ok;
    }

    bool text(int &pos)
    {
        QByteArray bytes;
        int at = pos;
        bool terminated = false;
        for (;;) {
            const auto b = m_key.byte(at);
            if (!b)
                break;
            at += 2;
            if (*b == 0) {
                terminated = true;
                break;
            }
            bytes.append(char(*b));
        }
        if (m_args.strGetRead && m_args.fileText)
            bytes = *m_args.fileText;
        if (!bytes.isEmpty())
            appendText(m_out, bytes);
        pos = at - 4;  // the caller steps 4 on, landing right after the 00
        return terminated;
    }

    bool list(int &pos)
    {
        const auto n = m_key.u16(pos);
        if (!n)
            return false;
        if (m_firstList)
            m_out += u'[';
        bool ok = true;
        if (*n == 0) {
            m_out += u"無";
        } else {
            for (int i = 0; i < *n; ++i) {
                const auto num = m_key.u16(pos + 4 + 4 * i);
                if (!num) {
                    ok = false;
                    break;
                }
                if (i)
                    m_out += u' ';
                m_out += u"Var";
                appendDecimal(m_out, *num);
            }
        }
        if (!ok)
            return false;
        m_out += m_firstList ? QStringView(u" ;") : QStringView(u"]");
        m_firstList = !m_firstList;
        pos += 4 * *n;
        return true;
    }

    QString &m_out;
    HexReader m_key;
    int m_code;
    const MenuKeyLoadArgs &m_args;
    ValueWordsContext m_words;
    QStringView m_sTrue, m_sFalse;
    int m_mode, m_savedMode;
    int m_flagCount = 0;
    int m_pendingSkip = 0;
    bool m_setSkip = false;
    bool m_firstList = true;
    bool m_firstNumberSeen = false;
};

} // namespace

void appendMenuKeyWords(QString &out, const QString &key, const MenuKeyLoadArgs &args, const CaptionContext &ctx)
{
    QStringView work = recordPart(key);
    if (args.child)
        work.chop(std::min<qsizetype>(4, work.size()));
    const auto code = HexReader(work).u16(1);
    if (!code)
        return;
    Walk(out, work, *code, args, ctx).run();
}

QString menuKeyLoad(const QString &key, const MenuKeyLoadArgs &args, const CaptionContext &ctx)
{
    QString words;
    appendMenuKeyWords(words, key, args, ctx);
    return words;
}

QString KeyChange(const QString &str, int start1, int len1, int start2, int len2)
{
    const QStringView s(str);
    const auto piece = [&](qsizetype from, qsizetype len) {
        from = std::clamp<qsizetype>(from, 0, s.size());
        len = std::clamp<qsizetype>(len, 0, s.size() - from);
        return s.mid(from, len);
    };
    const qsizetype a = start1 - 1, b = start2 - 1;
    QString out;
    out.reserve(str.size());
    out += piece(0, a);
    out += piece(b, len2);
    out += piece(a + len1, b - (a + len1));
    out += piece(a, len1);
    out += piece(b + len2, s.size());
    return out;
}

} // namespace core
