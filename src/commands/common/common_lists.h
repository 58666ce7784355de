#pragma once
// The lists that many command dialogs share, as ready list rows: the
// comparison, the direction, the levels and the equipment. A stored value a
// list cannot show (the fourth comparison, a level above the current setting
// or held in a variable, equipment while no game folder is read) shows as a
// placeholder with its caption word and keeps its value through OK.
#include "commands/common/dialog_description.h"
#include "core/param_tags.h"

namespace commands {

inline constexpr QStringView kComparisonItems[] = {u">=", u"< ", u"= "};
inline constexpr QStringView kOperationItems[] = {u"= ", u"+ ", u"- "};
inline constexpr QStringView kDirectionItems[] = {u"북쪽", u"동쪽", u"남쪽", u"서쪽"};

// ">=", "< ", "= "; 3 shows as "≠".
constexpr ListSpec comparisonList()
{
    ListSpec l = fixedList(kComparisonItems, 2);
    l.unlisted = Unlisted::Keep;
    l.captionTag = core::tags::Comparison;
    return l;
}

// "= ", "+ ", "- ".
constexpr ListSpec operationList() { return fixedList(kOperationItems, 2); }

// Four directions and "묵인방향" (0xFFFF).
constexpr ListSpec directionList() { return fixedListWithNone(kDirectionItems, u"묵인방향"); }

constexpr ListSpec itemLevelList()
{
    return sourceList(ListSource::ItemLevel, Unlisted::Keep, core::tags::ItemLevel);
}

constexpr ListSpec levelChangeList()
{
    return sourceList(ListSource::LevelChange, Unlisted::Keep, core::tags::LevelChange);
}

// source: Weapon, Defence or Assist; tag: 0x3B, 0x3C or 0x3D.
constexpr ListSpec equipmentList(ListSource source, int tag)
{
    return sourceList(source, Unlisted::Keep, tag);
}

} // namespace commands
