#pragma once
// The items of a dialog's lists, built from the description's source, the
// game's name tables and the settings of the moment, each item with the
// value it writes into the key.
#include "commands/common/dialog_description.h"
#include "workspace/edit_context.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace commands {

// The counts the lists read from [Setting]: missing or not a number gives the
// default, a number outside the bounds the nearer bound.
struct SettingCount {
    const char *key;
    int fallback;
    int min;
    int max;
};
inline constexpr SettingCount kCharLvMax{"CharLvMax", 50, 0, 1000};
inline constexpr SettingCount kItemLvMax{"ItemLvMax", 9, 0, 1023};
inline constexpr SettingCount kPMapObjMax{"PMapObjMax", 206, 1, 4096};
inline constexpr SettingCount kGateMax{"GateMax", 186, 0, 2000};
int readSettingCount(const workspace::ProgramServices &ctx, const SettingCount &count);

struct BuiltList {
    QStringList texts;
    std::vector<int> values;  // parallel to texts

    int size() const { return int(texts.size()); }
    // The item a stored value selects by the source's own numbering, or
    // nullopt when no item stands for it.
    std::optional<int> indexOf(int value) const;
    // Sources whose items are reached by more than one stored value (the item
    // list's uncanonical codes).
    int (*alias)(int value, int size) = nullptr;
};

BuiltList buildList(const ListSpec &spec, const workspace::ProgramServices &ctx);
// The item a stored value selects: its own, else a placeholder item appended
// to the list that shows the value (placeholderText) and writes it back.
int selectStored(const ListSpec &spec, BuiltList &items, int value, const workspace::ProgramServices &ctx);
// The item the list's own rule gives a value (its fallback item where none
// stands for it); -1 for an empty list. For what the user would get from
// the list alone, not for loading a stored value.
int loadedIndex(const ListSpec &spec, const BuiltList &items, int value);

// The text of a placeholder item for a stored value that the list cannot
// show: the caption's word for it, or the number when the caption has none.
QString placeholderText(const ListSpec &spec, int value, const workspace::ProgramServices &ctx);

} // namespace commands
