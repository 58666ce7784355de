#pragma once
// The command catalogue: for each of the 122 command codes (0x00..0x79) its
// display name, the record a new command of that code starts with, and
// whether it is a block command (one that can open a nested list).
// Everything comes from one constant table in catalogue.cpp.
#include <QString>
#include <QStringList>

namespace core {

constexpr int kCommandCount = 122;   // codes 0x00..0x79

bool isValidCode(int code);
// "0 : 사건결속", "1F : 지도시점변화"; empty for a code outside 0..0x79.
QString menuName(int code);
bool isBlockMenu(int code);
// The default record as upper-case hex (no "_" suffix), with `text` placed in
// the text item that takes the caller's text (empty for the others).
QString defaultRecord(int code, const QString &text = QString());

// The command's own name without the "code : " prefix ("사건결속").
QString commandName(int code);
// All 122 display names in code order (the list the add and find dialogs show).
const QStringList &menuNames();
// Byte length of the default record, code word included, with an empty
// caller text; -1 for an invalid code.
int defaultRecordLength(int code);
// True when the default record holds the text item that takes the caller's
// text (codes 02, 14..1A, 2C, 60, 63, 67, 69).
bool takesCallerText(int code);
// The default items in "tag:value" notation as the catalogue lists them
// ("26:0", "05:text", "35:[0] 35:[]"); for the army tables 0x46 and 0x47 the
// items of one slot (see armySlotCount).
QString defaultItemsNotation(int code);
// Number of army slots of 0x46 (20) and 0x47 (80); 0 for every other code.
int armySlotCount(int code);
// Whether the command has an edit dialog (97 of the 122 do); false for a
// code outside 0..0x79.
bool hasEditDialog(int code);

} // namespace core
