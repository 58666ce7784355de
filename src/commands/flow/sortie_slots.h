#pragma once
// The person slots of the own-army sortie command (0x06): five forced
// persons and five barred persons, each a person value. The two lists show
// the person table with "無" last; the forced list also shows "無" in place of
// person 0, who cannot be forced.
#include <array>

namespace commands::flow {

constexpr int kSortieCode = 0x06;
constexpr int kSortieSlots = 5;
constexpr int kSortieItems = 5125;  // the person table, then "無"
constexpr int kSortieLastItem = kSortieItems - 1;

enum class SlotGroup { Forced = 0, Barred = 1 };

constexpr int forcedSlotPos(int i) { return 29 + 8 * i; }
constexpr int barredSlotPos(int i) { return 69 + 8 * i; }
constexpr int slotPos(SlotGroup g, int i) { return g == SlotGroup::Forced ? forcedSlotPos(i) : barredSlotPos(i); }

// The value a list item stands for (item 0 is 0 in both lists).
constexpr int slotValueOfItem(int item)
{
    if (item < 1028)
        return item;
    if (item < kSortieLastItem)
        return 0xFFFE - (item - 1028);
    return 0xFFFF;
}

// The item that shows a stored value: a person or group itself, a variable
// person its "*k" item, 0xFFFF and the values that name nobody "無" (last).
constexpr int slotItemOfValue(int v)
{
    if (v >= 0 && v < 1028)
        return v;
    if (v >= 0xEFFF && v <= 0xFFFE)
        return 66562 - v;
    return kSortieLastItem;
}

// The item a typed number selects: a person, group or variable person, or
// "無" for anything else.
constexpr int slotItemOfNumber(long long v)
{
    if (v >= 0xEFFF && v < 0xFFFF)
        return int(66562 - v);
    if (v >= 0 && v < 1028)
        return int(v);
    return kSortieLastItem;
}

// The number box's text for an item: the forced list shows 0 for "無".
constexpr int slotNumberOfItem(SlotGroup g, int item)
{
    if (item == kSortieLastItem)
        return g == SlotGroup::Forced ? 0 : 0xFFFF;
    return slotValueOfItem(item);
}

} // namespace commands::flow
