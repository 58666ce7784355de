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
// Counts that caption words read as well.
inline constexpr SettingCount kMMap1Max{"MMap1Max", 40, 0, 4096};
inline constexpr SettingCount kMEffMax{"MEffMax", 58, 0, 100};
inline constexpr SettingCount kMCallMax{"MCallMax", 9, 0, 99};
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
// to the list that shows the value and writes it back. The placeholder reads
// `captionWord`, the caption's word for the value; where that is empty, a
// list that loads such values as one of its items reads as that item does
// (see placeholderText for the rest).
int selectStored(const ListSpec &spec, BuiltList &items, int value, const QString &captionWord);
// The item the list's own rule gives a value (its fallback item where none
// stands for it); -1 for an empty list. For what the user would get from
// the list alone, not for loading a stored value.
int loadedIndex(const ListSpec &spec, const BuiltList &items, int value);

// The word the tree's caption shows for the stored 2-byte value at the key
// position `pos` of `key`, the key of the node the dialog edits
// (core::captionWordsAt, with the names and settings the lists read); empty
// where it shows none. What a placeholder for that value reads.
QString captionWordAt(const workspace::EditContext &ctx, const QString &key, int pos);

// The word a list's placeholder reads for the stored value at `pos` of
// `key`: the caption's (captionWordAt), else the one the list's own tag
// gives it; empty where neither has one.
QString listWordAt(const ListSpec &spec, const workspace::EditContext &ctx, const QString &key, int pos);

// The word the tree's caption gives a value under `captionTag`; where that
// has none, `otherwise`, or the number when that is empty too. For lists
// whose values the caption does not show at one key position.
QString placeholderText(int captionTag, int value, const workspace::ProgramServices &ctx,
                        const QString &otherwise = {});
// The same for a list of the description: the caption word of its tag (a
// list of the game's tables knows its own), or the number.
QString placeholderText(const ListSpec &spec, int value, const workspace::ProgramServices &ctx);
// The placeholder of a troop type, which a troop change's caption names from
// the troop table (the number where the table has no such type).
QString troopPlaceholderText(int value, const workspace::ProgramServices &ctx);
// The caption tag of a list: its own, else the tag of its source's values.
int captionTagOf(const ListSpec &spec);

} // namespace commands
