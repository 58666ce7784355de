// Placeholder until the catalogue table lands: codes and names only.
#include "core/catalogue.h"

namespace core {

bool isValidCode(int code) { return code >= 0 && code < kCommandCount; }

QString MenuName(int code)
{
    if (!isValidCode(code))
        return QString();
    return QString::number(code, 16).toUpper() + QStringLiteral(" : ");
}

bool IsBlockMenu(int code)
{
    static const int blocks[] = {0x02, 0x03, 0x04, 0x05, 0x07, 0x12, 0x13, 0x25, 0x26, 0x2D, 0x2E, 0x36, 0x37,
                                 0x3C, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x5E, 0x6D, 0x6E, 0x75, 0x76, 0x79};
    for (int b : blocks)
        if (b == code)
            return true;
    return false;
}

QString defaultRecord(int code, const QString &)
{
    return isValidCode(code) ? QString::number(code & 0xFF, 16).toUpper().rightJustified(2, '0') + "00" : QString();
}

} // namespace core
