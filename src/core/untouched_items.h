#pragma once
// Looking is not editing. A command dialog shows a stored key through its
// controls, and its controls cannot always show what is stored (a track
// beyond the list, a text with bytes that are not CP949, FFFF where a list
// expects 0..N). So the key a dialog hands back is not taken as it is: every
// parameter item the user did not change keeps its stored bytes.
//
// Three keys of one command take part: the stored key, the key the dialog
// would write right after it loaded (what its controls show), and the key it
// writes at OK (what the user chose). An item that reads the same in the last
// two was not changed by the user and comes from the stored key; any other
// item is the user's. Items are compared whole (tag and value), so a changed
// 4-byte number is never mixed with stored bytes. A block holding a nested
// list ends its key with the list's length word, after its items: that word
// is always kept as stored (the length upkeep alone changes it).
#include <QString>

#include <span>

namespace core {

struct UntouchedRule
{
    // Character positions (1-based, as the dialogs address fields) of items
    // that OK writes as the dialog computes them as soon as anything else
    // changed, although no control shows them.
    std::span<const int> writtenOnChange = {};
    // A command the user added in this session and has not confirmed yet
    // takes the values the dialog writes, untouched or not: nothing stored
    // can be lost there. Its text is kept like any other text. The caller
    // knows this from how the command came to be, never from its key.
    bool newCommand = false;
    // Character positions of items the user set as a whole (a paste or a
    // clear writes every field it shows): written as the dialog computes
    // them, also where they read as the dialog first showed them.
    std::span<const int> touched = {};
};

QString keepUntouchedItems(const QString &stored, const QString &shown, const QString &chosen,
                           const UntouchedRule &rule = {});

} // namespace core
