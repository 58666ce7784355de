#include "core/eex_layout.h"

namespace core {

QString readerSceneKey(int scene) { return QStringLiteral("Scene_%1_").arg(scene); }

QString readerSectionKey(int scene, int section) { return QStringLiteral("Section_%1_%2_").arg(scene).arg(section); }

QString readerHeadEndKey(int scene, int section) { return QStringLiteral("0000_%1_%2_00").arg(scene).arg(section); }

QString readerEndKey(KeySerial serial) { return QStringLiteral("0000_00") + QString::number(serial); }

QString commandKey(const QString &recordHex, KeySerial serial)
{
    return recordHex + u'_' + QString::number(serial);
}

QString lockedCommentKey(const QString &recordHex, KeySerial serial)
{
    return recordHex + kLockedCommentMarker + QString::number(serial);
}

QColor markerTextColor() { return QColor(255, 0, 0); }
QColor commentTextColor() { return QColor(0, 128, 0); }
QColor childBlockBackColor() { return QColor(0, 255, 255); }
QColor arithmeticBackColor() { return QColor(255, 70, 132); }

} // namespace core
