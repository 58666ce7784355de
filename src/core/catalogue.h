#pragma once
// The command catalogue: for each of the 122 command codes (0x00..0x79) its
// display name, the record a new command of that code starts with, and
// whether it is a block command (one that can open a nested list).
#include <QString>

namespace core {

constexpr int kCommandCount = 122;   // codes 0x00..0x79

bool isValidCode(int code);
// "0 : 사건결속", "1F : 지도시점변화"; empty for a code outside 0..0x79.
QString MenuName(int code);
bool IsBlockMenu(int code);
// The default record as upper-case hex (no "_" suffix), with `text` placed in
// the text item that takes the caller's text (empty for the others).
QString defaultRecord(int code, const QString &text = QString());

} // namespace core
