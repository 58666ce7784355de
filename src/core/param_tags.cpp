#include "core/param_tags.h"

#include <algorithm>
#include <array>

namespace core {

namespace {

using W = QStringView;

constexpr W kPoses[] = {u"보통", u"하궤", u"검홍", u"거수", u"곡", u"신수", u"작읍", u"반좌검홍", u"반좌거수",
                        u"반좌곡", u"도하", u"단슬궤지", u"피박", u"휘검양기", u"칼부림침", u"매장", u"기신",
                        u"단수거기"};
constexpr W kWeatherPatterns[] = {u"맑음", u"맑음/맑음/흐림/맑음/맑음", u"맑음/맑음/비/흐림/눈",
                                  u"흐림/맑음/비/흐림/눈", u"비/흐림/호우/눈/눈", u"호우/비/호우/눈/눈"};
constexpr W kAbilities[] = {u"Atk", u"Def", u"Spr", u"Cri", u"Mor", u"HP", u"MP", u"HPCur",
                            u"MPCur", u"Lv", u"무력", u"통솔", u"지력", u"민첩", u"운", u"얼굴"};
constexpr W kTerrains[] = {u"평지", u"초원", u"산림", u"황야", u"산지", u"돌산", u"벼랑", u"설원", u"다리", u"여울",
                           u"습지", u"연못", u"소하", u"대하", u"울짱", u"성벽", u"성내", u"성문", u"성지", u"관문",
                           u"요새", u"마을", u"병영", u"가옥", u"보물고", u"도랑", u"불", u"배", u"제단", u"지하"};
constexpr W kFieldActions[] = {u"거기무기", u"방어", u"공격受", u"허약", u"예비공격", u"공격",
                               u"두번공격", u"느린진행", u"날씨", u"졸도", u"쾌속진행", u"중속진행"};
constexpr W kDuelActions[] = {u"후전", u"전이", u"소보전이", u"소보후퇴", u"거기무기", u"방어", u"공격受", u"예비공격",
                              u"공격", u"두번공격", u"졸도", u"날씨", u"퇴각", u"무도1", u"무도2"};
constexpr W kPersonAttributes[] = {
    u"R형상", u"얼굴", u"공격력", u"방어력", u"정신력", u"순발력", u"사기", u"HP", u"MP", u"무력", u"통솔",
    u"지력", u"민첩", u"운", u"출전횟수", u"퇴각횟수", u"아군표식", u"병종", u"인물등급", u"인물경험치", u"무기",
    u"무기등급", u"무기경험치", u"방어구", u"방어구등급", u"방어구경험치", u"보조도구", u"전장특수형상", u"전장번호",
    u"전장X좌표", u"전장Y좌표", u"전장행동표식", u"전장인물방향", u"HPCur", u"MPCur", u"전장인물공격상태",
    u"전장인물방어상태", u"전장인물정신상태", u"전장인물순발상태", u"전장인물사기상태", u"전장인물이동상태",
    u"전장인물건강상태"};
constexpr W kWeatherNames[] = {u"맑음", u"흐림", u"비", u"호우", u"눈"};
constexpr W kArmySides[] = {u"아군", u"우군", u"적군", u"원군", u"아군And우군", u"적군And원군", u"모든부대"};
constexpr W kDirections[] = {u"북쪽", u"동쪽", u"남쪽", u"서쪽"};
constexpr W kAIPolicies[] = {u"적이 오면 출격", u"무조건 출격", u"항상 제자리", u"공격 무장",
                             u"도착 지점", u"동행 무장", u"퇴각 지점"};
constexpr W kOperandKinds[] = {u"상수", u"지침변량(*p)", u"지침변량(p)", u"지침변량(&p)", u"정형변량(a)", u"정형변량(&a)"};
constexpr W kOperators[] = {u"+=", u"-=", u"=", u"*=", u"/=", u"%="};
constexpr W kGroupPersons[] = {u"모든 인물", u"아군or우군", u"적군", u"아군직면인물"};
constexpr W kBattleStats[] = {u"Atk", u"Def", u"Spr", u"Cri", u"Mor", u"Speed"};
constexpr W kUpDown[] = {u"하락 ", u"정상 ", u"상승 "};
constexpr W kComparisons[] = {u">=", u"<", u"=", u"≠"};
constexpr W kMovies[] = {u"LOGO.AVI", u"OPEN.AVI", u"END.AVI", u"PRESS.AVI"};
constexpr W kBackgroundKinds[] = {u"외배경", u"중국지도", u"내배경", u"전장지도"};
constexpr W kPersonUnitZone[] = {u"CharIndex", u"BFIndex", u"구역"};
constexpr W kObstacles[] = {u"불", u"배", u"불타는배", u"미지"};
constexpr W kDuelResults[] = {u"명중", u"격당", u"격당후퇴", u"후퇴"};
constexpr W kLeftVariableKinds[] = {u"지침변량(*p)", u"지침변량(p)", u"정형변량"};
constexpr W kVariableComparisons[] = {u"==", u">=", u"<="};
constexpr W kSetAddSub[] = {u"=", u"+", u"-"};

// Face sets: the person whose faces a set holds, then the expression. The
// four names are the editor's own.
constexpr W kFacePersons[] = {u"카델린", u"무르젠", u"베사린", u"도르한"};

template <std::size_t N>
constexpr std::span<const W> span(const W (&a)[N])
{
    return std::span<const W>(a, N);
}

// Appends list[v] when v indexes the list; otherwise the fallback rule.
enum class Outside { Nothing, Decimal };
template <std::size_t N>
void appendWord(QString &out, const W (&list)[N], int v, Outside outside)
{
    if (v >= 0 && std::size_t(v) < N)
        out += list[v];
    else if (outside == Outside::Decimal)
        appendDecimal(out, v);
}

void appendTwoDigits(QString &out, std::int64_t v)
{
    // "0" & v, cut to its last two characters (5 -> 05, 123 -> 23, -1 -> -1).
    QString s = QString::number(v);
    s.prepend(u'0');
    out += QStringView(s).right(2);
}

void appendVar(QString &out, std::int64_t k)
{
    out += u"[Var";
    appendDecimal(out, k);
    out += u']';
}

// A name from one of the game's tables, or the number when the table has no
// entry for it (not loaded, or a value the game does not define).
void appendName(QString &out, const QStringList *list, int index, int shownValue)
{
    if (list && index >= 0 && index < list->size())
        out += list->at(index);
    else
        appendDecimal(out, shownValue);
}

void appendPerson(QString &out, int v, const NameTables *names)
{
    if (v == kNoPerson) {
        out += u"無";
    } else if (v < 1028) {
        if (names && v < names->charNames.size())
            out += names->charNames.at(v);
        else if (isGroupPerson(v))
            out += kGroupPersons[v - kGroupAll];
        else
            appendDecimal(out, v);
    } else {
        appendVar(out, personVariableIndex(v));
    }
}

void appendItem(QString &out, int v, const NameTables *names)
{
    const QStringList *items = names ? &names->itemNames : nullptr;
    if (v == 65535)
        out += u"無";
    else if (v <= 115)
        appendName(out, items, v, v);
    else if (v >= 130 && v <= 141)
        appendName(out, items, v - 26, v);
    else
        appendDecimal(out, v);
}

void appendEquipment(QString &out, int v, const NameTables *names)
{
    const QStringList *items = names ? &names->itemNames : nullptr;
    if (v == 0 || v == 65535) {
        out += u"묵인장비";
    } else if (v == 1) {
        out += u"장비無";
    } else {
        const int index = v - 2 < 130 ? v - 2 : v - 28;
        appendName(out, items, index <= 115 ? index : -1, v);
    }
}

void appendStatusBits(QString &out, int v)
{
    if (v == 0 || v == 65535) {
        out += u"無";
        return;
    }
    out += (v & 0x80) ? W(u"풀림-") : W(u"걸림-");
    static constexpr struct { int bit; W word; } kStates[] = {
        {0x02, u"마비"}, {0x04, u"금책"}, {0x08, u"혼란"}, {0x10, u"중독"}};
    int shown = 0;
    for (const auto &s : kStates) {
        if (!(v & s.bit))
            continue;
        if (shown++)
            out += u'+';
        out += s.word;
    }
}

void appendLevelChange(QString &out, int v, int charLvMax)
{
    if (v <= charLvMax) {
        out += u"+ Lv ";
        appendDecimal(out, v);
    } else {
        out += u"- Lv ";
        appendDecimal(out, std::int64_t(v) - charLvMax);
    }
}

void appendMagic(QString &out, int v, int e, int c)
{
    if (v <= 99) {
        out += u"MEFF-";
        appendDecimal(out, v >= e ? e : v + 1);
    } else if (v <= std::int64_t(c) + 99) {
        out += u"MCALL";
        appendTwoDigits(out, v - 100);
        out += u".E5";
    } else if (v == std::int64_t(c) + 100) {
        out += u"나타냄";
    } else {
        out += u"MCALL";
        appendTwoDigits(out, std::int64_t(c) - 1);
        out += u".E5";
    }
}

void appendFaceSet(QString &out, int v)
{
    int person = 2;
    W expr = u"정상";
    switch (v) {
    case 0: person = 0; expr = u"보통"; break;
    case 1: person = 0; expr = u"놀람"; break;
    case 2: person = 0; expr = u"분노"; break;
    case 3: person = 0; expr = u"기쁨"; break;
    case 4: person = 1; expr = u"부상"; break;
    case 128: person = 1; expr = u"외눈"; break;
    case 16: person = 2; expr = u"사악"; break;
    case 32: person = 3; expr = u"황제"; break;
    default: break;
    }
    out += kFacePersons[person];
    out += u'-';
    out += expr;
}

void appendForcedPerson(QString &out, int v, const NameTables *names)
{
    if (v == 0)
        out += u"無";
    else if (v < 1028)
        appendPerson(out, v, names);
    else if (v <= 5123)
        appendVar(out, v - 1028);
    else if (isVariablePerson(v))  // as the dialogs store it
        appendVar(out, personVariableIndex(v));
    else
        out += u"無";
}

void appendBarredPerson(QString &out, int v, const NameTables *names)
{
    if (v < 1028)
        appendPerson(out, v, names);
    else if (isVariablePerson(v))  // as the dialogs store it
        appendVar(out, personVariableIndex(v));
    else
        out += u"無";
}

int setting(const ValueWordsContext &ctx, int CaptionSettings::*field)
{
    return ctx.settings ? ctx.settings->*field : 0;
}

constexpr TagInfo kTags[] = {
    {0x02, 2, "person (PersonRef)", true},
    {0x03, 2, "army side, or troop type in 0x52", true},
    {0x04, 4, "number, cell coordinate or variable number", true},
    {0x05, 0, "text, CP949 ended by 00", true},
    {0x07, 2, "AI policy, followed by target person and cell", true},
    {0x09, 2, "music track", true},
    {0x0C, 2, "outer background", true},
    {0x0D, 2, "unit pose", true},
    {0x0E, 2, "kind of joining", true},
    {0x10, 2, "fire", true},
    {0x12, 2, "ending kind", true},
    {0x13, 2, "map model", true},
    {0x15, 2, "battle map", true},
    {0x17, 2, "game item number", true},
    {0x18, 2, "up or down", true},
    {0x1A, 2, "whole-map choice", true},
    {0x1B, 2, "movie", true},
    {0x1C, 2, "inner background", true},
    {0x1E, 2, "sound effect", true},
    {0x22, 2, "weather pattern", true},
    {0x23, 2, "ability", true},
    {0x24, 2, "comparison", true},
    {0x26, 2, "flag, words by command", true},
    {0x27, 2, "flag True/False", true},
    {0x28, 2, "resource", true},
    {0x2B, 2, "direction", true},
    {0x2C, 2, "target mode: person or zone", true},
    {0x2D, 2, "background kind", true},
    {0x2E, 2, "flag True/False", true},
    {0x2F, 2, "battle stat", true},
    {0x30, 2, "status bits", true},
    {0x32, 2, "value before each person of 0x45", false},
    {0x34, 2, "set, add or subtract", true},
    {0x35, 0, "variable list: count, then numbers", true},
    {0x36, 2, "free-action number", true},
    {0x37, 2, "scenario file", true},
    {0x38, 2, "forced person slot", true},
    {0x39, 2, "barred person slot", true},
    {0x3A, 2, "equality", true},
    {0x3B, 2, "weapon", true},
    {0x3C, 2, "armour", true},
    {0x3D, 2, "assist item", true},
    {0x3E, 2, "level change", true},
    {0x3F, 2, "area: whole map or zone", true},
    {0x40, 2, "target: person or field unit", true},
    {0x41, 2, "target: person, field unit or zone", true},
    {0x42, 2, "obstacle kind", true},
    {0x43, 2, "create or remove", true},
    {0x44, 2, "terrain", true},
    {0x45, 2, "troop-class limit of a unit slot", false},
    {0x46, 2, "battlefield action", true},
    {0x47, 2, "weather kind", true},
    {0x48, 2, "whose turn", true},
    {0x49, 2, "item level", true},
    {0x4A, 2, "face set", true},
    {0x4B, 2, "magic", true},
    {0x4C, 2, "duel action", true},
    {0x4D, 2, "result of the first duel attack", true},
    {0x4E, 2, "kind of the second duel attack", true},
    {0x4F, 2, "duel background", true},
    {0x50, 2, "special model", true},
    {0x51, 2, "kind of the left variable", true},
    {0x52, 2, "kind of an operand", true},
    {0x53, 2, "operator", true},
    {0x54, 2, "copy direction", true},
    {0x55, 2, "person attribute", true},
    {0x56, 2, "comparison of variables", true},
};

} // namespace

int tagValueWidth(int tag)
{
    if (tag == tags::Number)
        return 4;
    if (tag == tags::Text || tag == tags::VariableList)
        return 0;
    return 2;
}

std::optional<int> itemByteLength(QByteArrayView record, int offset)
{
    const auto u16 = [&](qsizetype at) -> std::optional<int> {
        if (at < 0 || at + 2 > record.size())
            return std::nullopt;
        return int(quint8(record[at])) | int(quint8(record[at + 1])) << 8;
    };
    const auto tag = u16(offset);
    if (!tag)
        return std::nullopt;
    int len = 0;
    if (*tag == tags::Text) {
        const qsizetype end = record.indexOf('\0', offset + 2);
        if (end < 0)
            return std::nullopt;
        len = int(end - offset) + 1;
    } else if (*tag == tags::VariableList) {
        const auto n = u16(offset + 2);
        if (!n)
            return std::nullopt;
        len = 4 + 2 * *n;
    } else {
        len = 2 + tagValueWidth(*tag);
    }
    if (offset + qsizetype(len) > record.size())
        return std::nullopt;
    return len;
}

std::span<const TagInfo> tagTable() { return std::span<const TagInfo>(kTags, std::size(kTags)); }

const TagInfo *tagInfo(int tag)
{
    const auto it = std::lower_bound(std::begin(kTags), std::end(kTags), tag,
                                     [](const TagInfo &t, int v) { return t.tag < v; });
    return it != std::end(kTags) && it->tag == tag ? it : nullptr;
}

AITarget aiPolicyTarget(int policy)
{
    switch (policy) {
    case 3: case 5: return AITarget::Person;
    case 4: case 6: return AITarget::Cell;
    default: return AITarget::None;
    }
}

std::span<const QStringView> poseWords() { return span(kPoses); }
std::span<const QStringView> weatherPatternWords() { return span(kWeatherPatterns); }
std::span<const QStringView> abilityWords() { return span(kAbilities); }
std::span<const QStringView> terrainWords() { return span(kTerrains); }
std::span<const QStringView> fieldActionWords() { return span(kFieldActions); }
std::span<const QStringView> duelActionWords() { return span(kDuelActions); }
std::span<const QStringView> personAttributeWords() { return span(kPersonAttributes); }
std::span<const QStringView> weatherNames() { return span(kWeatherNames); }
std::span<const QStringView> armySideWords() { return span(kArmySides); }
std::span<const QStringView> directionWords() { return span(kDirections); }
std::span<const QStringView> aiPolicyWords() { return span(kAIPolicies); }
std::span<const QStringView> operandKindWords() { return span(kOperandKinds); }
std::span<const QStringView> operatorWords() { return span(kOperators); }
std::span<const QStringView> groupPersonWords() { return span(kGroupPersons); }

void appendDecimal(QString &out, std::int64_t v)
{
    char16_t buf[24];
    int i = 24;
    const bool neg = v < 0;
    std::uint64_t u = neg ? std::uint64_t(0) - std::uint64_t(v) : std::uint64_t(v);
    do {
        buf[--i] = char16_t(u'0' + u % 10);
        u /= 10;
    } while (u);
    if (neg)
        buf[--i] = u'-';
    out.append(QStringView(buf + i, 24 - i));
}

void appendValueWords(QString &out, int tag, int v, const ValueWordsContext &ctx)
{
    const NameTables *names = ctx.names;
    switch (tag) {
    case tags::Person: appendPerson(out, v, names); break;
    case tags::ArmySide:
        if (ctx.army)
            appendName(out, names ? &names->troopNames : nullptr, v, v);
        else
            out += kArmySides[std::min(v, 6)];
        break;
    case tags::Number: appendDecimal(out, v); break;
    case tags::AIPolicy: appendWord(out, kAIPolicies, v, Outside::Nothing); break;
    case tags::Track:
        if (v == 255) {
            out += u"無";
        } else {
            out += u"Track";
            appendDecimal(out, v + 2);
        }
        break;
    case tags::OuterBackground:
        if (v <= setting(ctx, &CaptionSettings::mmap1Max) - 1) {
            out += u"MMAP-";
            appendDecimal(out, v + 1);
        } else {
            out += u"無";
        }
        break;
    case tags::Pose:
        if (v < int(std::size(kPoses)))
            out += kPoses[v];
        else
            out += u"無";
        break;
    case tags::JoinKind: out += v == 0 ? W(u"Data가입") : v == 1 ? W(u"보존가입") : W(u"탈퇴"); break;
    case tags::Fire: out += v == 1 ? W(u"소화") : W(u"방화"); break;
    case tags::Ending: out += v == 0 ? W(u"사실") : v == 1 ? W(u"중간") : W(u"가상"); break;
    case tags::MapModel:
        out += u"평조번호-";
        appendDecimal(out, 2 * v + 1);
        break;
    case tags::BattleMap:
        if (v == 65535) {
            out += u"無";
        } else {
            out += u"HM";
            appendTwoDigits(out, v);
        }
        break;
    case tags::Item: appendItem(out, v, names); break;
    case tags::UpDown:
        if (v < 3)
            out += kUpDown[v];
        else
            out += u"無";
        break;
    case tags::WholeMap: out += v == 0 ? W(u"중국지도") : W(u"無"); break;
    case tags::Movie:
        if (v < 4) {
            out += kMovies[v];
        } else {
            out += u"영상";
            appendDecimal(out, v);
        }
        break;
    case tags::InnerBackground:
        if (v == 65535) {
            out += u"無";
        } else {
            out += u"MMAP-";
            appendDecimal(out, std::int64_t(setting(ctx, &CaptionSettings::mmap1Max)) + v + 1);
        }
        break;
    case tags::Sound:
        if (v < 100) {
            out += u"SE";
            appendTwoDigits(out, v);
        } else if (v < 200) {
            out += u"SE_M_";
            appendTwoDigits(out, v - 100);
        } else {
            out += u"SE_E_";
            appendTwoDigits(out, v - 200);
        }
        out += u".WAV";
        break;
    case tags::WeatherPattern: appendWord(out, kWeatherPatterns, v, Outside::Nothing); break;
    case tags::Ability: appendWord(out, kAbilities, v, Outside::Nothing); break;
    case tags::Comparison: appendWord(out, kComparisons, v, Outside::Nothing); break;
    case tags::TrueFalse:
    case tags::TrueFalse2: out += flagIsSet(v) ? W(u"True") : W(u"False"); break;
    case tags::Resource: out += v == 0 ? W(u"돈") : v == 1 ? W(u"SceIndex") : W(u"야심"); break;
    case tags::Direction:
        if (v < 4)
            out += kDirections[v];
        else
            out += u"묵인방향";
        break;
    case tags::TargetMode: out += (v == 0 || v == 65535) ? W(u"CharIndex") : W(u"구역"); break;
    case tags::BackgroundKind: appendWord(out, kBackgroundKinds, v, Outside::Nothing); break;
    case tags::BattleStat:
        if (v < int(std::size(kBattleStats)))
            out += kBattleStats[v];
        else
            out += u"無";
        break;
    case tags::StatusBits: appendStatusBits(out, v); break;
    case tags::SetAddSub: appendWord(out, kSetAddSub, v, Outside::Nothing); break;
    case tags::FreeAction: appendDecimal(out, v); break;
    case tags::ScenarioFile:
        out += (v % 2 == 0) ? W(u"S_") : W(u"R_");
        appendTwoDigits(out, (v + 1) / 2);
        out += u".EEX";
        break;
    case tags::ForcedPerson: appendForcedPerson(out, v, names); break;
    case tags::BarredPerson: appendBarredPerson(out, v, names); break;
    case tags::Equality: out += v == 0 ? W(u"≠") : W(u"="); break;
    case tags::Weapon:
    case tags::Armour:
    case tags::Assist: appendEquipment(out, v, names); break;
    case tags::LevelChange: appendLevelChange(out, v, setting(ctx, &CaptionSettings::charLvMax)); break;
    case tags::Area: out += v == 1 ? W(u"지정구역") : W(u"맵 전체"); break;
    case tags::PersonOrUnit: out += v == 1 ? W(u"BFIndex") : W(u"CharIndex"); break;
    case tags::PersonUnitOrZone: appendWord(out, kPersonUnitZone, v, Outside::Nothing); break;
    case tags::Obstacle:
        if (v < 4) {
            out += kObstacles[v];
        } else {
            out += u"Gate-";
            appendDecimal(out, 2 * (v - 4) + 1);
        }
        break;
    case tags::CreateRemove: out += (v == 0 || v == 65535) ? W(u"만듬") : W(u"없앰"); break;
    case tags::Terrain: appendWord(out, kTerrains, v, Outside::Decimal); break;
    case tags::FieldAction:
        if (v >= 1 && v <= 12)
            out += kFieldActions[v - 1];
        else
            out += u"無";
        break;
    case tags::WeatherKind: appendWord(out, kWeatherNames, v, Outside::Decimal); break;
    case tags::Turn: out += v == 0 ? W(u"아군차례") : v == 1 ? W(u"우군차례") : W(u"적군차례"); break;
    case tags::ItemLevel:
        if (v == 0 || v == 65535) {
            out += u"DefLv";
        } else if (v < kItemLevelVariableBase) {
            out += u"Lv";
            appendDecimal(out, v);
        } else {
            appendVar(out, v - kItemLevelVariableBase);
        }
        break;
    case tags::FaceSet: appendFaceSet(out, v); break;
    case tags::Magic:
        appendMagic(out, v, setting(ctx, &CaptionSettings::mEffMax), setting(ctx, &CaptionSettings::mCallMax));
        break;
    case tags::DuelAction:
        if (v >= 1 && v <= 15)
            out += kDuelActions[v - 1];
        else
            out += u"無";
        break;
    case tags::DuelResult:
        if (v < 4)
            out += kDuelResults[v];
        else
            out += u"회피";
        break;
    case tags::DuelAttackKind: out += v == 0 ? W(u"제자리공격") : v == 1 ? W(u"이동공격") : W(u"서로돌격"); break;
    case tags::DuelBackground:
        out += u"Logo-";
        appendDecimal(out, v + 1);
        break;
    case tags::SpecialModel:
        out += u"S형상-";
        appendDecimal(out, v);
        break;
    case tags::LeftVariableKind: appendWord(out, kLeftVariableKinds, v, Outside::Nothing); break;
    case tags::OperandKind: appendWord(out, kOperandKinds, v, Outside::Decimal); break;
    case tags::Operator: appendWord(out, kOperators, v, Outside::Decimal); break;
    case tags::CopyDirection: out += v == 0 ? W(u"<==") : W(u"==>"); break;
    case tags::PersonAttribute: appendWord(out, kPersonAttributes, v, Outside::Decimal); break;
    case tags::VariableComparison: appendWord(out, kVariableComparisons, v, Outside::Nothing); break;
    default: break;  // tags without words (and the flag 0x26, whose words the caller owns)
    }
}

QString valueWords(int tag, int v, const ValueWordsContext &ctx)
{
    QString s;
    appendValueWords(s, tag, v, ctx);
    return s;
}

QString personCaption(int v, const NameTables *names)
{
    QString s;
    appendPerson(s, v, names);
    return s;
}

QString itemLevelCaption(int v) { return valueWords(tags::ItemLevel, v, {}); }
QString statusBitsCaption(int v) { return valueWords(tags::StatusBits, v, {}); }

QString levelChangeCaption(int v, int charLvMax)
{
    QString s;
    appendLevelChange(s, v, charLvMax);
    return s;
}

QString magicCaption(int v, int mEffMax, int mCallMax)
{
    QString s;
    appendMagic(s, v, mEffMax, mCallMax);
    return s;
}

QString faceSetCaption(int v) { return valueWords(tags::FaceSet, v, {}); }

QString rectCoordinateCaption(std::int64_t v)
{
    QString s;
    if (v >= kRectVariableBase)
        appendVar(s, v - kRectVariableBase);
    else
        appendDecimal(s, v);
    return s;
}

} // namespace core
