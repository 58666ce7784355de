#pragma once
// The caption of a command node: the command's display name followed by its
// parameters in words. The words depend on where the node is made (the
// reader's head list, the reader's body or nested lists, or node creation,
// which also serves every later rebuild after an edit).
#include "core/name_tables.h"

#include <QString>

namespace core {

enum class CaptionSite { ReaderHead, ReaderBody, Creation };

// Settings values that some captions read (upper bounds of numbered lists).
struct CaptionSettings {
    int mmap1Max = 0;
    int charLvMax = 0;
    int mEffMax = 0;
    int mCallMax = 0;
};

struct CaptionContext {
    const NameTables *names = nullptr;        // may be null: no names loaded
    const CaptionSettings *settings = nullptr; // may be null: defaults
};

// `child`: the node holds a nested list, so its record ends with the nested
// length word, which is not a parameter.
QString commandCaption(const QString &key, CaptionSite site, bool child, const CaptionContext &ctx);

// The words the caption of `key` shows for the 2-byte value whose first hex
// digit stands at the 1-based key position `pos`, without the item's blank
// and trimmed. An item the caption passes over (a target the mode hides, a
// command whose caption is its name alone) gets the words its tag gives the
// value; empty when there are none (a tag or value without words). What a
// dialog's list shows for a stored value it has no item for.
QString captionWordsAt(const QString &key, int pos, bool child, const CaptionContext &ctx);

// The caption arguments of one command code: the flag words, the display of
// 4-byte items, whether tag 0x03 is a troop type, and the two stretches of
// the key to exchange so the comparison reads before its number.
struct CaptionArgs {
    QStringView sTrue;
    QStringView sFalse;
    int byCoor = 0;
    bool army = false;
    int start1 = 0, len1 = 0, start2 = 0, len2 = 0;  // len1 == 0: no exchange
    bool nameOnly = false;                           // no parameter words at this site
};
CaptionArgs captionArgs(int code, CaptionSite site);

} // namespace core
