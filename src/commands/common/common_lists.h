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

// The list with the tag whose caption word names a value it keeps.
constexpr ListSpec captioned(ListSpec l, int captionTag)
{
    l.captionTag = captionTag;
    return l;
}

// ">=", "< ", "= "; 3 shows as "≠".
constexpr ListSpec comparisonList()
{
    ListSpec l = fixedList(kComparisonItems, 2);
    l.unlisted = Unlisted::Keep;
    l.captionTag = core::tags::Comparison;
    return l;
}

// "= ", "+ ", "- "; a value above 2 loads as "- ", which its placeholder reads.
constexpr ListSpec operationList()
{
    ListSpec l = fixedList(kOperationItems, 2);
    l.captionTag = core::tags::SetAddSub;
    return l;
}

// Four directions and "묵인방향", which 0xFFFF and 4 select; a facing above 4
// keeps its value under the caption's "묵인방향".
constexpr ListSpec directionList()
{
    ListSpec l = fixedListWithNone(kDirectionItems, u"묵인방향");
    l.captionTag = core::tags::Direction;
    return l;
}

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
