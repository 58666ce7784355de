#include "workspace/add_dialogs/fast_add_settings.h"

#include "core/catalogue.h"
#include "core/settings.h"
#include "workspace/add_dialogs/code_box.h"

namespace workspace::add_dialogs {

namespace {
const QString kSection = QStringLiteral("Fast_Add");

QString codeKey(int slot) { return QString::number(slot); }
QString childKey(int slot) { return QString::number(slot) + QStringLiteral("Child"); }

// Digits only: a hand-edited "+5", "5x" or "0x10" is no stored code.
bool parseDecimal(const QString &text, int *value)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    *value = text.toInt();
    return true;
}
} // namespace

QChar fastAddKeyLetter(int slot)
{
    static const char kLetters[kFastAddSlots] = {'U', 'I', 'O', 'P'};
    return slot >= 0 && slot < kFastAddSlots ? QLatin1Char(kLetters[slot]) : QChar();
}

bool fastAddSlotValid(int code, bool child)
{
    if (code < kLowestCode || code > kHighestCode)
        return false;
    return !child || core::isBlockMenu(code);
}

FastAddSlot parseFastAddSlot(const QString &codeText, const QString &childText)
{
    FastAddSlot slot;
    // Compared case-sensitively: only the exact "False" clears the flag.
    slot.child = childText != QStringLiteral("False");
    int code = 0;
    if (parseDecimal(codeText.trimmed(), &code) && fastAddSlotValid(code, slot.child))
        slot.code = code;
    return slot;
}

FastAddCodes readFastAdd()
{
    FastAddCodes codes;
    for (int i = 0; i < kFastAddSlots; ++i)
        codes.entries[size_t(i)] = parseFastAddSlot(core::readINI(kSection, codeKey(i)),
                                                  core::readINI(kSection, childKey(i)));
    return codes;
}

bool writeFastAddSlot(int slot, const FastAddSlot &value)
{
    const bool childWritten =
        core::writeINI(kSection, childKey(slot), value.child ? QStringLiteral("True") : QStringLiteral("False"));
    const bool codeWritten = core::writeINI(kSection, codeKey(slot), QString::number(value.code));
    return childWritten && codeWritten;
}

} // namespace workspace::add_dialogs
