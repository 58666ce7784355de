#pragma once
// The quick-add keys U, I, O and P (slots 0 to 3) and their settings in
// section "Fast_Add" of the settings file: key "0".."3" the code as decimal
// text, key "0Child".."3Child" "True" or "False".
#include <QString>

#include <array>

namespace workspace::add_dialogs {

constexpr int kFastAddSlots = 4;

struct FastAddSlot
{
    int code = 2;
    bool child = false;  // insert as a child event
};

struct FastAddCodes
{
    std::array<FastAddSlot, kFastAddSlots> entries;  // "slots" is a Qt keyword
};

// The letter of a slot's key: 'U', 'I', 'O', 'P'.
QChar fastAddKeyLetter(int slot);

// Reads the four slots. The child flag is set unless the stored text is
// exactly "False". A code is kept when it is a decimal number 2..0x79 and,
// for a child slot, a block code; anything else (missing, not a number, out
// of range) reads as 2.
FastAddCodes readFastAdd();
// The same rule for one stored pair of texts.
FastAddSlot parseFastAddSlot(const QString &codeText, const QString &childText);

// True when a slot with this code and flag may be saved.
bool fastAddSlotValid(int code, bool child);

// Writes one slot as the dialog saves it: the child flag first, then the
// code. False when the settings file could not be written.
bool writeFastAddSlot(int slot, const FastAddSlot &value);

} // namespace workspace::add_dialogs
