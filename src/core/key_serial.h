#pragma once
// The key serial counter: the one number that keeps every node key unique.
// The main window owns it; the reader, node creation, paste and the Section
// builder each take the current value for a key and then advance it. It only
// ever grows (64 bits, so a long session never wraps it).
#include <QString>
#include <QStringView>

#include <cstdint>

namespace core {

using KeySerial = std::uint64_t;

// A key made of a record part, an optional marker (such as "000022" on a
// Section's title comment) and a serial: record + "_" + marker + serial.
// Built in one allocation: the reader makes a key like this for every node.
inline QString serialKey(QStringView record, QStringView marker, KeySerial serial)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = char('0' + serial % 10);
        serial /= 10;
    } while (serial);
    QString key(record.size() + 1 + marker.size() + n, Qt::Uninitialized);
    QChar *p = key.data();
    for (QChar c : record)
        *p++ = c;
    *p++ = u'_';
    for (QChar c : marker)
        *p++ = c;
    while (n)
        *p++ = QLatin1Char(digits[--n]);
    return key;
}

} // namespace core
