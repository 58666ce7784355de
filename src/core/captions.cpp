// One table of caption arguments per command code; the words themselves come
// from the caption walk.
#include "core/captions.h"

#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/menu_key_load.h"
#include "core/param_tags.h"

#include <vector>

namespace core {

namespace {

// Sites that show the display name alone.
enum : unsigned { kHead = 1u << 0, kBody = 1u << 1, kCreate = 1u << 2 };

struct Row {
    int code;
    const char16_t *sTrue;
    const char16_t *sFalse;
    int byCoor;
    bool army;
    int start1, len1, start2, len2;
    unsigned nameOnly;
};

// clang-format off
constexpr Row kRows[] = {
    // The structural codes and the army tables never show parameter words
    // (0x00/0x01 have none anyway).
    {0x00, nullptr, nullptr, 0, false, 0, 0, 0, 0, kHead | kBody | kCreate},
    {0x01, nullptr, nullptr, 0, false, 0, 0, 0, 0, kHead | kBody | kCreate},
    {0x45, nullptr, nullptr, 0, false, 0, 0, 0, 0, kHead | kBody | kCreate},
    {0x46, nullptr, nullptr, 0, false, 0, 0, 0, 0, kHead | kBody | kCreate},
    {0x47, nullptr, nullptr, 0, false, 0, 0, 0, 0, kHead | kBody | kCreate},
    // A loaded 0x28 shows its number; a new or rebuilt one its name alone.
    {0x28, nullptr, nullptr, 0, false, 0, 0, 0, 0, kCreate},
    // 0x5E shows its persons only in a body list.
    {0x5E, nullptr, nullptr, 0, false, 0, 0, 0, 0, kHead | kCreate},
    {0x04, u"예", u"아니오", 0, false, 0, 0, 0, 0, 0},
    {0x1F, nullptr, nullptr, 1, false, 0, 0, 0, 0, 0},
    {0x25, nullptr, nullptr, 1, false, 0, 0, 0, 0, 0},
    {0x29, nullptr, nullptr, 1, false, 0, 0, 0, 0, 0},
    {0x2A, nullptr, nullptr, 1, false, 0, 0, 0, 0, 0},
    {0x30, nullptr, nullptr, 1, false, 0, 0, 0, 0, 0},
    {0x32, nullptr, nullptr, 1, false, 0, 0, 0, 0, 0},
    {0x4E, nullptr, nullptr, 1, false, 0, 0, 0, 0, 0},
    {0x55, nullptr, nullptr, 1, false, 0, 0, 0, 0, 0},
    {0x21, u"시점변화", u"시점변화X", 1, false, 0, 0, 0, 0, 0},
    {0x58, u"시점변화", u"시점변화X", 1, false, 0, 0, 0, 0, 0},
    {0x6B, u"시점변화", u"시점변화X", 1, false, 0, 0, 0, 0, 0},
    {0x3D, u"시점변화", u"시점변화X", 0, false, 0, 0, 0, 0, 0},
    {0x26, nullptr, nullptr, 2, false, 0, 0, 0, 0, 0},
    {0x2C, u"새로덮음X", u"새로덮음", 0, false, 0, 0, 0, 0, 0},
    {0x2E, u"인접(8방향)", u"인접(4방향)", 0, false, 0, 0, 0, 0, 0},
    {0x36, nullptr, nullptr, 0, false, 21, 12, 33, 8, 0},
    {0x37, nullptr, nullptr, 0, false, 13, 12, 25, 8, 0},
    {0x3C, nullptr, nullptr, 0, false, 13, 8, 21, 8, 0},
    {0x3F, nullptr, nullptr, 0, false, 5, 12, 17, 8, 0},
    {0x41, nullptr, nullptr, 0, false, 13, 12, 25, 8, 0},
    {0x4B, u"숨음", u"숨지않음", 1, false, 0, 0, 0, 0, 0},
    {0x4F, u"반대방향", u"정방향", 0, false, 0, 0, 0, 0, 0},
    {0x50, u"동작전지연", u"동작전지연無", 0, false, 0, 0, 0, 0, 0},
    {0x52, nullptr, nullptr, 0, true, 0, 0, 0, 0, 0},
    {0x53, u"사망", u"퇴각", 0, false, 0, 0, 0, 0, 0},
    {0x59, u"결말", u"평상시", 0, false, 0, 0, 0, 0, 0},
    {0x5B, u"전투중", u"승리조건", 2, false, 0, 0, 0, 0, 0},
    {0x60, u"아군무장", u"적군무장", 0, false, 0, 0, 0, 0, 0},
    {0x63, u"아군무장", u"적군무장", 0, false, 0, 0, 0, 0, 0},
    {0x64, u"아군무장", u"적군무장", 0, false, 0, 0, 0, 0, 0},
    {0x65, u"아군무장", u"적군무장", 0, false, 0, 0, 0, 0, 0},
    {0x66, u"아군무장", u"적군무장", 0, false, 0, 0, 0, 0, 0},
    {0x62, u"적군무장", u"아군무장", 0, false, 0, 0, 0, 0, 0},
    {0x6D, u"부활", u"이동", 1, false, 0, 0, 0, 0, 0},
    {0x73, u"무력", u"無", 0, false, 0, 0, 0, 0, 0},
    {0x74, u"가능", u"불가능", 0, false, 0, 0, 0, 0, 0},
};
// clang-format on

// Indexed by code; codes without a row use the defaults.
struct Index {
    const Row *byCode[kCommandCount] = {};
    Index()
    {
        for (const Row &r : kRows)
            byCode[r.code] = &r;
    }
};

const Row *rowOf(int code)
{
    static const Index index;
    return isValidCode(code) ? index.byCode[code] : nullptr;
}

unsigned siteBit(CaptionSite site)
{
    switch (site) {
    case CaptionSite::ReaderHead: return kHead;
    case CaptionSite::ReaderBody: return kBody;
    case CaptionSite::Creation: return kCreate;
    }
    return 0;
}

// Where the character at `pos` of a key stands after KeyChange exchanged the
// stretches (a, len1) and (b, len2).
int exchangedPos(int pos, const CaptionArgs &a)
{
    const int s1 = a.start1, s2 = a.start2;
    if (pos < s1 || pos >= s2 + a.len2)
        return pos;
    if (pos < s1 + a.len1)
        return pos - s1 + s2 + a.len2 - a.len1;
    if (pos < s2)
        return pos + a.len2 - a.len1;
    return pos - s2 + s1;
}

} // namespace

CaptionArgs captionArgs(int code, CaptionSite site)
{
    CaptionArgs a;
    const Row *r = rowOf(code);
    if (!r)
        return a;
    a.sTrue = r->sTrue ? QStringView(r->sTrue) : QStringView();
    a.sFalse = r->sFalse ? QStringView(r->sFalse) : QStringView();
    a.byCoor = r->byCoor;
    a.army = r->army;
    a.start1 = r->start1;
    a.len1 = r->len1;
    a.start2 = r->start2;
    a.len2 = r->len2;
    a.nameOnly = (r->nameOnly & siteBit(site)) != 0;
    return a;
}

QString commandCaption(const QString &key, CaptionSite site, bool child, const CaptionContext &ctx)
{
    const int code = keyCode(key);
    const CaptionArgs a = captionArgs(code, site);
    QString out;
    out.reserve(64);
    out += menuName(code);
    if (a.nameOnly)
        return out;
    MenuKeyLoadArgs args;
    args.sTrue = a.sTrue;
    args.sFalse = a.sFalse;
    args.byCoor = a.byCoor;
    args.army = a.army;
    args.child = child;
    // The exchange needs the whole stretch in the record; a cut key is shown
    // in stored order instead.
    if (a.len1 > 0 && recordPart(key).size() >= a.start2 + a.len2 - 1)
        appendMenuKeyWords(out, KeyChange(key, a.start1, a.len1, a.start2, a.len2), args, ctx);
    else
        appendMenuKeyWords(out, key, args, ctx);
    return out;
}

} // namespace core

namespace core {

QString captionWordsAt(const QString &key, int pos, bool child, const CaptionContext &ctx)
{
    const QStringView record = recordPart(key);
    if (pos < 5 || pos + 3 > record.size() - (child ? 4 : 0))
        return {};
    const int code = keyCode(key);
    const CaptionArgs a = captionArgs(code, CaptionSite::Creation);
    const ValueWordsContext tagWords{ctx.names, ctx.settings, a.army};
    const auto wordsOfTag = [&] {
        const int tag = keyField(record, pos - 4, 2) & 0xFFFF;
        return valueWords(tag, keyField(record, pos, 2) & 0xFFFF, tagWords).trimmed();
    };
    // A caption of the name alone: the words the item's tag gives.
    if (a.nameOnly)
        return wordsOfTag();
    MenuKeyLoadArgs args;
    args.sTrue = a.sTrue;
    args.sFalse = a.sFalse;
    args.byCoor = a.byCoor;
    args.army = a.army;
    args.child = child;
    std::vector<ShownItem> shown;
    args.shown = &shown;
    QString words;
    const bool exchanged = a.len1 > 0 && record.size() >= a.start2 + a.len2 - 1;
    appendMenuKeyWords(words, exchanged ? KeyChange(key, a.start1, a.len1, a.start2, a.len2) : key, args, ctx);
    const int walked = exchanged ? exchangedPos(pos, a) : pos;
    for (const ShownItem &item : shown)
        if (item.valuePos == walked)
            return QStringView(words).mid(item.from, item.to - item.from).trimmed().toString();
    // Passed over: the words of its tag.
    return wordsOfTag();
}

} // namespace core
