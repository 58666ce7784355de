#include "core/eex_layout.h"

namespace core {

// Built by concatenation: the reader makes these for every Section and end
// record, and formatting with arg() costs several times as much.
QString readerSceneKey(int scene) { return QStringLiteral("Scene_") + QString::number(scene) + u'_'; }

QString readerSectionKey(int scene, int section)
{
    return QStringLiteral("Section_") + QString::number(scene) + u'_' + QString::number(section) + u'_';
}

QString readerHeadEndKey(int scene, int section)
{
    return QStringLiteral("0000_") + QString::number(scene) + u'_' + QString::number(section) + QStringLiteral("_00");
}

QString readerEndKey(KeySerial serial) { return serialKey(u"0000", u"00", serial); }

QString commandKey(const QString &recordHex, KeySerial serial) { return serialKey(recordHex, {}, serial); }

QString lockedCommentKey(const QString &recordHex, KeySerial serial)
{
    return serialKey(recordHex, QStringView(kLockedCommentMarker).mid(1), serial);
}

QColor markerTextColor() { return QColor(255, 0, 0); }
QColor commentTextColor() { return QColor(0, 128, 0); }
QColor childBlockBackColor() { return QColor(0, 255, 255); }
QColor arithmeticBackColor() { return QColor(255, 70, 132); }

} // namespace core
