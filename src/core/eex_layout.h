#pragma once
// Keys and colours of the structural nodes of a scenario tree, shared by the
// scenario reader and writer (and by whoever builds the same nodes later).
#include "core/key_serial.h"

#include <QColor>
#include <QString>

namespace core {

inline const QString kRootKey = QStringLiteral("Path");
inline const QString kSceneText = QStringLiteral("Scene");
inline const QString kSectionText = QStringLiteral("Section");
// Marker of a locked comment (the comment that heads a Section's condition list).
inline const QString kLockedCommentMarker = QStringLiteral("_000022");

// "Scene_3_".
QString readerSceneKey(int scene);
// "Section_1_10_": the two indexes joined by "_" so (1,10) and (11,0) differ,
// and no key of this form equals the one-number key "Section_<serial>_".
QString readerSectionKey(int scene, int section);
// "0000_1_10_00", the head-end node of the same Section.
QString readerHeadEndKey(int scene, int section);
// "0000_00<serial>", an end node made by the reader.
QString readerEndKey(KeySerial serial);
// "<record>_<serial>" and "<record>_000022<serial>".
QString commandKey(const QString &recordHex, KeySerial serial);
QString lockedCommentKey(const QString &recordHex, KeySerial serial);

// Node colours.
QColor markerTextColor();     // red, child-event markers
QColor commentTextColor();    // green, comments
QColor childBlockBackColor(); // cyan, block command of a child event and its list's end node
QColor arithmeticBackColor(); // pink, variable arithmetic 0x77

constexpr int kCommentCode = 0x02;
constexpr int kMarkerCode = 0x01;
constexpr int kEndCode = 0x00;
constexpr int kArithmeticCode = 0x77;

} // namespace core
