#include "commands/common/list_sources.h"

#include "commands/common/placeholder_item.h"
#include "core/game/game_data.h"
#include "core/key_codec.h"
#include "core/key_edit.h"
#include "core/param_tags.h"
#include "core/settings.h"

#include <algorithm>
#include <cmath>

namespace commands {

namespace {

constexpr int kNone = 0xFFFF;
constexpr int kItemCount = 116;
constexpr int kStarItemFirst = 104;  // items of the star file: code = index + 26
constexpr int kStarCodeShift = 26;

void add(BuiltList &l, const QString &text, int value)
{
    l.texts << text;
    l.values.push_back(value);
}

// The value an equipment entry stands for: the number after its last blank.
std::optional<int> trailingValue(const QString &text)
{
    const qsizetype blank = text.lastIndexOf(u' ');
    bool ok = false;
    const int v = text.mid(blank + 1).toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

void addEquipment(BuiltList &l, const ListSpec &spec, const core::NameTables *tables)
{
    int blanks = 21;
    const QStringList *entries = nullptr;
    switch (spec.source) {
    case ListSource::Weapon:
        entries = tables ? &tables->weaponNames : nullptr;
        break;
    case ListSource::Defence:
        blanks = 22;
        entries = tables ? &tables->defenceNames : nullptr;
        break;
    default:
        blanks = 19;
        entries = tables ? &tables->assistNames : nullptr;
        break;
    }
    const QString gap(blanks, u' ');
    add(l, QStringLiteral("묵인장비") + gap + u'0', 0);
    add(l, QStringLiteral("장비無") + gap + u'1', 1);
    if (!entries)
        return;
    for (const QString &e : *entries) {
        if (e.isEmpty())
            continue;
        if (const std::optional<int> v = trailingValue(e))
            add(l, e, *v);
    }
}

// The item list: index i is code i (or i + 26 from the star file); a stored
// code also selects by its index, so an uncanonical 104..115 reaches its item.
// A code past the table selects nothing (-1): the list keeps it as it is.
int itemAlias(int value, int size)
{
    if (value == kNone)
        return size - 1;
    const int index = value < kStarItemFirst + kStarCodeShift ? value : value - kStarCodeShift;
    return index >= 0 && index < size - 1 ? index : -1;
}

// The same without "無": 0xFFFF has no item either.
int itemOnlyAlias(int value, int size)
{
    if (value == kNone)
        return -1;
    const int index = value < kStarItemFirst + kStarCodeShift ? value : value - kStarCodeShift;
    return index >= 0 && index < size ? index : -1;
}

// The facings: 0..3 and the default facing, which 0xFFFF and 4 both stand
// for, as the captions read them.
int facingAlias(int value, int size)
{
    if (value == kNone)
        return size - 1;
    return value >= 0 && value < size ? value : -1;
}

// The tag whose caption words name the values of a source's items.
constexpr int kSourceTags[] = {
    0,                          // Fixed: the description's own
    core::tags::LevelChange,    // LevelChange
    core::tags::ItemLevel,      // ItemLevel
    core::tags::MapModel,       // MapModel
    core::tags::Obstacle,       // ObstacleKind
    core::tags::Item,           // Item
    core::tags::Item,           // ItemOnly
    core::tags::Weapon,         // Weapon
    core::tags::Armour,         // Defence
    core::tags::Assist,         // Assist
};
static_assert(std::size(kSourceTags) == std::size_t(ListSource::Assist) + 1);

// The settings the caption words read: those of the tree's captions, else
// the settings file's, as the program loads them for its captions.
core::CaptionSettings captionSettings(const workspace::ProgramServices &ctx)
{
    if (ctx.captions.settings)
        return *ctx.captions.settings;
    core::CaptionSettings s;
    s.mmap1Max = readSettingCount(ctx, kMMap1Max);
    s.charLvMax = readSettingCount(ctx, kCharLvMax);
    s.mEffMax = readSettingCount(ctx, kMEffMax);
    s.mCallMax = readSettingCount(ctx, kMCallMax);
    return s;
}

// The caption's word for a value under a tag (`army`: the tag 0x03 names a
// troop type, as in a troop change), else `otherwise`, else the number.
QString captionPlaceholder(int captionTag, int value, const workspace::ProgramServices &ctx, const QString &otherwise,
                           bool army)
{
    const core::CaptionSettings settings = captionSettings(ctx);
    const core::ValueWordsContext words{ctx.nameTables(), &settings, army};
    QString text = captionTag ? core::valueWords(captionTag, value, words).trimmed() : QString();
    if (text.isEmpty())
        text = otherwise.isEmpty() ? QString::number(value) : otherwise;
    return text;
}

} // namespace

int readSettingCount(const workspace::ProgramServices &ctx, const SettingCount &count)
{
    const QString text = ctx.readSetting(QStringLiteral("Setting"), QString::fromLatin1(count.key));
    double v = 0;
    if (!core::parseLeadingNumber(text, &v) || !std::isfinite(v))
        return count.fallback;
    return int(std::clamp<double>(std::nearbyint(v), count.min, count.max));
}

std::optional<int> BuiltList::indexOf(int value) const
{
    if (alias) {
        const int index = alias(value, size());
        return index >= 0 ? std::optional<int>(index) : std::nullopt;
    }
    const auto it = std::find(values.begin(), values.end(), value);
    if (it == values.end())
        return std::nullopt;
    return int(it - values.begin());
}

BuiltList buildList(const ListSpec &spec, const workspace::ProgramServices &ctx)
{
    BuiltList l;
    switch (spec.source) {
    case ListSource::Fixed:
        for (std::size_t i = 0; i < spec.words.size(); ++i)
            add(l, spec.words[i].toString(), int(i));
        if (spec.noneItem)
            add(l, QString::fromUtf16(spec.noneItem), kNone);
        if (spec.captionTag == core::tags::Direction && spec.noneItem)
            l.alias = facingAlias;
        break;
    case ListSource::LevelChange: {
        const int n = readSettingCount(ctx, kCharLvMax);
        for (int j = 0; j <= n; ++j)
            add(l, QStringLiteral("+ Lv ") + QString::number(j), j);
        for (int k = 1; k <= n; ++k)
            add(l, QStringLiteral("- Lv ") + QString::number(k), n + k);
        break;
    }
    case ListSource::ItemLevel: {
        const int m = readSettingCount(ctx, kItemLvMax);
        add(l, QStringLiteral("DefLv"), 0);
        for (int k = 1; k <= m; ++k)
            add(l, QStringLiteral("Lv") + QString::number(k), k);
        break;
    }
    case ListSource::MapModel: {
        const int n = readSettingCount(ctx, kPMapObjMax);
        for (int j = 0; j < n; ++j)
            add(l, QStringLiteral("평조번호-") + QString::number(2 * j + 1), j);
        break;
    }
    case ListSource::ObstacleKind: {
        for (const char16_t *w : {u"불", u"배", u"불타는배", u"미지"})
            add(l, QString::fromUtf16(w), l.size());
        const int g = readSettingCount(ctx, kGateMax);
        // Gates come in pairs: GateMax counts both halves, so an odd count
        // lists the gates of the even number below it.
        for (int j = 0; 2 * j + 2 <= g; ++j)
            add(l, QStringLiteral("Gate-") + QString::number(2 * j + 1), l.size());
        break;
    }
    case ListSource::Item:
    case ListSource::ItemOnly: {
        const core::NameTables *t = ctx.nameTables();
        for (int i = 0; i < kItemCount; ++i) {
            const QString name = t && i < t->itemNames.size() ? t->itemNames.at(i) : QString();
            add(l, name, i < kStarItemFirst ? i : i + kStarCodeShift);
        }
        if (spec.source == ListSource::Item) {
            add(l, QStringLiteral("無"), kNone);
            l.alias = itemAlias;
        } else {
            l.alias = itemOnlyAlias;
        }
        break;
    }
    case ListSource::Weapon:
    case ListSource::Defence:
    case ListSource::Assist:
        addEquipment(l, spec, ctx.nameTables());
        break;
    }
    return l;
}

int captionTagOf(const ListSpec &spec)
{
    return spec.captionTag ? spec.captionTag : kSourceTags[std::size_t(spec.source)];
}

QString placeholderText(int captionTag, int value, const workspace::ProgramServices &ctx, const QString &otherwise)
{
    return captionPlaceholder(captionTag, value, ctx, otherwise, false);
}

QString troopPlaceholderText(int value, const workspace::ProgramServices &ctx)
{
    return captionPlaceholder(core::tags::ArmySide, value, ctx, {}, true);
}

QString placeholderText(const ListSpec &spec, int value, const workspace::ProgramServices &ctx)
{
    return placeholderText(captionTagOf(spec), value, ctx);
}

QString captionWordAt(const workspace::EditContext &ctx, const QString &key, int pos)
{
    const core::CaptionSettings settings = captionSettings(ctx);
    const core::CaptionContext captions{ctx.nameTables(), &settings};
    const bool child = ctx.node != core::kNoNode && core::holdsNestedList(ctx.doc(), ctx.node);
    return core::captionWordsAt(key, pos, child, captions);
}

QString listWordAt(const ListSpec &spec, const workspace::EditContext &ctx, const QString &key, int pos)
{
    const QString word = captionWordAt(ctx, key, pos);
    const int tag = captionTagOf(spec);
    if (!word.isEmpty() || !tag)
        return word;
    const core::CaptionSettings settings = captionSettings(ctx);
    const core::ValueWordsContext words{ctx.nameTables(), &settings, false};
    return core::valueWords(tag, core::keyField(key, pos, 2) & 0xFFFF, words).trimmed();
}

int selectStored(const ListSpec &spec, BuiltList &items, int value, const QString &captionWord)
{
    if (const std::optional<int> listed = items.indexOf(value))
        return *listed;
    // No item stands for the stored value: a placeholder shows it and keeps
    // it until the user picks another item. Where the caption shows nothing
    // for it, it reads as the item the list loads it as.
    QString word = captionWord;
    if (word.isEmpty() && spec.unlisted == Unlisted::FallbackItem) {
        const int fallback = loadedIndex(spec, items, value);
        if (fallback >= 0)
            word = items.texts.at(fallback);
    }
    items.texts << placeholderText(word, value, items.texts);
    items.values.push_back(value);
    return items.size() - 1;
}

int loadedIndex(const ListSpec &spec, const BuiltList &items, int value)
{
    if (const std::optional<int> listed = items.indexOf(value))
        return *listed;
    if (items.size() == 0)
        return -1;
    const int fallback = spec.fallbackItem < 0 ? items.size() + spec.fallbackItem : spec.fallbackItem;
    return std::clamp(fallback, 0, items.size() - 1);
}

} // namespace commands
