#pragma once
// Faces of "face.e5" for the previews: entry n of the archive is a picture
// (person face number f is entry f + 7; face number 0 is entry 0).
#include <QImage>
#include <QString>

namespace commands {

inline const QString kFaceArchive = QStringLiteral("face.e5");

// The face entry shown for a face number.
int faceEntryOf(int faceNumber);
// Entry `entry` of the game folder's face archive as a picture; a null image
// when the archive or entry is missing or the bytes are no picture.
QImage facePicture(const QString &folder, int entry);

} // namespace commands
