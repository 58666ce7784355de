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
inline QString serialKey(QStringView record, QStringView marker, KeySerial serial)
{
    QString key;
    key.reserve(record.size() + 1 + marker.size() + 20);
    key.append(record);
    key.append(u'_');
    key.append(marker);
    key.append(QString::number(serial));
    return key;
}

} // namespace core
