// The items a dialog hands back: what the user changed is taken, everything
// else keeps the stored bytes, whatever the dialog's controls made of them.
#include "core/catalogue.h"
#include "core/untouched_items.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Command 0x24-like records: code word, then items of tag 0x09 (2 bytes),
// tag 0x04 (4 bytes) and tag 0x05 (a text).
const QString kStored = QStringLiteral("2400" "0900BB00" "0400FFFFFFFF" "0500415C6E8000" "_12");

struct Case
{
    const char *name;
    QString shown;   // what the dialog would write right after loading
    QString chosen;  // what it writes at OK
    QString expected;
};

TEST(KeepUntouchedItems, TakesOnlyWhatTheUserChanged)
{
    const std::array<Case, 6> cases{{
        {"untouched OK keeps everything",
         "2400" "0900FF00" "040000000000" "0500415C6E3F00" "_12",
         "2400" "0900FF00" "040000000000" "0500415C6E3F00" "_12", kStored},
        {"a changed track is the user's; the canonicalised rest is not",
         "2400" "0900FF00" "040000000000" "0500415C6E3F00" "_12",
         "2400" "09000500" "040000000000" "0500415C6E3F00" "_12",
         "2400" "09000500" "0400FFFFFFFF" "0500415C6E8000" "_12"},
        {"a 4-byte number is taken whole, never mixed with stored bytes",
         "2400" "0900BB00" "040000000000" "0500415C6E3F00" "_12",
         "2400" "0900BB00" "040005000000" "0500415C6E3F00" "_12",
         "2400" "0900BB00" "040005000000" "0500415C6E8000" "_12"},
        {"an edited text changes the length",
         "2400" "0900BB00" "0400FFFFFFFF" "0500415C6E3F00" "_12",
         "2400" "0900BB00" "0400FFFFFFFF" "05004100" "_12",
         "2400" "0900BB00" "0400FFFFFFFF" "05004100" "_12"},
        {"a value changed and changed back is untouched",
         "2400" "0900FF00" "0400FFFFFFFF" "0500415C6E8000" "_12",
         "2400" "0900FF00" "0400FFFFFFFF" "0500415C6E8000" "_12", kStored},
        {"items that cannot be lined up: the dialog's key",
         "2400" "0900BB00" "0400FFFFFFFF" "0500415C6E8000" "_12",
         "2400" "0900BB00" "0400FFFFFFFF" "0500415C6E8000" "0900" "_12",
         "2400" "0900BB00" "0400FFFFFFFF" "0500415C6E8000" "0900" "_12"},
    }};
    for (const Case &c : cases)
        EXPECT_EQ(core::keepUntouchedItems(kStored, c.shown, c.chosen), c.expected) << c.name;
}

// A block holding a nested list ends its record with the list's length
// word: its items line up as without the list, and the word stays as stored.
TEST(KeepUntouchedItems, BlockWithANestedList)
{
    // 0x2E: two persons and a flag stored as 2, which the dialog shows as 0.
    const QString stored = QStringLiteral("2E00" "02000004" "02000004" "26000200" "0200" "_9");
    const QString shown = QStringLiteral("2E00" "02000004" "02000004" "26000000" "0200" "_9");
    const QString chosen = QStringLiteral("2E00" "02000204" "02000004" "26000000" "0200" "_9");
    EXPECT_EQ(core::keepUntouchedItems(stored, shown, chosen),
              QStringLiteral("2E00" "02000204" "02000004" "26000200" "0200" "_9"));
    EXPECT_EQ(core::keepUntouchedItems(stored, shown, shown), stored);
    // A text edited in such a block: the word after the text stays as stored.
    // (0x12: a text, then a person the dialog shows as none.)
    const QString text = QStringLiteral("1200" "0500414200" "02000500" "0C00" "_4");
    EXPECT_EQ(core::keepUntouchedItems(text, QStringLiteral("1200" "0500414200" "0200FFFF" "0C00" "_4"),
                                       QStringLiteral("1200" "050041424300" "0200FFFF" "0C00" "_4")),
              QStringLiteral("1200" "050041424300" "02000500" "0C00" "_4"));
    // Two bytes behind the record's measured length are the word; a record
    // whose items do not end there is not lined up at all.
    const QString odd = QStringLiteral("2E00" "02000000" "040000000000" "0000" "0200" "_9");
    const QString oddChosen = QStringLiteral("2E00" "02000100" "040000000000" "0300" "0200" "_9");
    EXPECT_EQ(core::keepUntouchedItems(odd, odd, oddChosen), oddChosen);
    // The word is never taken from the dialog.
    EXPECT_EQ(core::keepUntouchedItems(stored, shown, QStringLiteral("2E00" "02000204" "02000004" "26000000" "0400" "_9")),
              QStringLiteral("2E00" "02000204" "02000004" "26000200" "0200" "_9"));
}

TEST(KeepUntouchedItems, ItemsWrittenOnAnyChange)
{
    const QString stored = QStringLiteral("4D00" "02000100" "30000700" "_5");
    const QString shown = QStringLiteral("4D00" "02000100" "30000000" "_5");
    const std::array<int, 1> status{9 + 8};  // the status item (second parameter)
    const core::UntouchedRule rule{status, false};
    // Untouched: the status stays as stored.
    EXPECT_EQ(core::keepUntouchedItems(stored, shown, shown, rule), stored);
    // Anything else changed: the status is written as the dialog computes it.
    EXPECT_EQ(core::keepUntouchedItems(stored, shown, QStringLiteral("4D00" "02000200" "30000000" "_5"), rule),
              QStringLiteral("4D00" "02000200" "30000000" "_5"));
    // A new command takes the dialog's values as they are, but keeps an
    // untouched text.
    EXPECT_EQ(core::keepUntouchedItems(stored, shown, shown, {{}, true}), shown);
    EXPECT_EQ(core::keepUntouchedItems(QStringLiteral("0200" "0500415C6E00" "_3"), QStringLiteral("0200" "0500410A00" "_3"),
                                       QStringLiteral("0200" "0500410A00" "_3"), {{}, true}),
              QStringLiteral("0200" "0500415C6E00" "_3"));
}

} // namespace
