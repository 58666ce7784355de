#pragma once
// The lists that many command dialogs share, as ready list rows: the
// comparison, the direction, the levels and the equipment. A stored value a
// list cannot show but whose caption still names it (the fourth comparison,
// a level above the current setting or held in a variable, equipment while
// no game folder is read) keeps its value through OK.
#include "commands/common/dialog_description.h"
#include "core/param_tags.h"

namespace commands {

namespace keeps {
// Comparison 3, "≠", which the three-item list does not offer.
constexpr bool fourthComparison(int value, int) { return value == 3; }
// A level the current setting does not reach (0xFFFF means the default).
constexpr bool aboveList(int value, int size) { return value >= size && value != 0xFFFF; }
// Any item while the list holds only its two fixed items (no game data).
constexpr bool equipmentWithoutNames(int value, int size) { return size <= 2 && value >= 2 && value != 0xFFFF; }
} // namespace keeps

inline constexpr QStringView kComparisonItems[] = {u">=", u"< ", u"= "};
inline constexpr QStringView kOperationItems[] = {u"= ", u"+ ", u"- "};
inline constexpr QStringView kDirectionItems[] = {u"북쪽", u"동쪽", u"남쪽", u"서쪽"};

// ">=", "< ", "= "; 3 kept as "≠", anything above loads as "= ".
constexpr ListSpec comparisonList()
{
    ListSpec l = fixedList(kComparisonItems, 2);
    l.unlisted = Unlisted::Keep;
    l.keeps = keeps::fourthComparison;
    l.captionTag = core::tags::Comparison;
    return l;
}

// "= ", "+ ", "- "; anything above loads as "- ".
constexpr ListSpec operationList() { return fixedList(kOperationItems, 2); }

// Four directions and "묵인방향" (0xFFFF), which every value above 3 loads as.
constexpr ListSpec directionList() { return fixedListWithNone(kDirectionItems, u"묵인방향"); }

constexpr ListSpec itemLevelList()
{
    ListSpec l = sourceList(ListSource::ItemLevel, Unlisted::Keep, core::tags::ItemLevel);
    l.keeps = keeps::aboveList;
    return l;
}

constexpr ListSpec levelChangeList()
{
    ListSpec l = sourceList(ListSource::LevelChange, Unlisted::Keep, core::tags::LevelChange);
    l.keeps = keeps::aboveList;
    return l;
}

// source: Weapon, Defence or Assist; tag: 0x3B, 0x3C or 0x3D.
constexpr ListSpec equipmentList(ListSource source, int tag)
{
    ListSpec l = sourceList(source, Unlisted::Keep, tag);
    l.keeps = keeps::equipmentWithoutNames;
    return l;
}

} // namespace commands
