#pragma once
// The story-map unit sprites: every map model has two sheets in "PMAPOBJ.e5"
// (entry 2m facing south, entry 2m + 1 facing north), each 20 frames of
// 48 x 64 palette-indexed pixels stored frame under frame. East and west are
// the left-right mirror images of the south and north sheets.
//
// Missing or short files never fail: absent bytes read as palette index 0,
// the key colour, so the sprite is simply transparent.
#include <QImage>
#include <QPoint>
#include <QString>

class QPainter;

namespace core::game {

constexpr int kUnitFrameWidth = 48;
constexpr int kUnitFrameHeight = 64;
constexpr int kUnitSheetFrames = 20;
constexpr int kUnitFrameBytes = kUnitFrameWidth * kUnitFrameHeight;  // 3,072
constexpr int kUnitSheetBytes = kUnitFrameBytes * kUnitSheetFrames;  // 61,440
constexpr int kUnitPoseCount = 18;
// The point a sprite stands on falls on this pixel of its frame.
constexpr QPoint kUnitSpriteFoot{24, 56};

inline const QString kUnitSpriteArchiveName = QStringLiteral("PMAPOBJ.e5");

// The archive entry of a model's sheet (0 south, 1 north).
constexpr int unitSheetEntry(int model, int sheet) { return 2 * model + sheet; }

// The 61,440 pixel bytes of the sheet in `entry` of the folder's sprite
// archive. A raw entry is read as a full sheet whatever its sizes say.
QByteArray unitSheetBytes(const QString &folder, int entry);

// The whole sheet (48 x 1,280) / one frame (48 x 64) as an indexed picture
// in the sprite palette (see sprite_palette.h). A frame outside 0..19 is
// all transparent.
QImage unitSpriteSheet(const QString &folder, int entry);
QImage unitSpriteFrame(const QString &folder, int entry, int frame);
// The same cut from sheet bytes already read.
QImage unitFrameFromSheet(const QByteArray &sheet, int frame);

// Frame shown for a pose of the unit commands: pose 0 is frame 0, pose k is
// frame k + 2 (frames 1 and 2 are never shown). The list's nineteenth item
// (pose 18, "none") gives 20, past the sheet: an empty frame.
constexpr int poseFrame(int pose) { return pose == 0 ? 0 : pose + 2; }

// Sheet and mirroring of a facing: 0 north (sheet 1), 1 east (sheet 0
// mirrored), 2 south (sheet 0), 3 west (sheet 1 mirrored). Any other value
// (the default facing 0xFFFF) is shown as south.
struct FacingSheet
{
    int sheet = 0;
    bool mirrored = false;
};
FacingSheet sheetForFacing(int facing);

// Left-right mirror image, in the same format.
QImage mirrorLeftRight(const QImage &image);

// The 32 bytes of person record p in the data archive (the file named by
// [FileName] Data, default "Data.e5"); empty when it cannot be read.
QByteArray personRecordBytes(const QString &folder, int person);

// A person's map model: the byte at +15 of person record p in the data
// archive (the file named by [FileName] Data, default "Data.e5"). -1 when the
// file cannot be read or the person lies outside it.
int personMapModel(const QString &folder, int person);

// A person's sprite ready to draw: frame `frame` of the sheet chosen by the
// facing, mirrored when the facing asks, key colour fully transparent
// (Format_ARGB32_Premultiplied). A person without a readable model gives a
// transparent frame.
QImage personSprite(const QString &folder, int person, int facing, int frame = 0);
// The same for a known model.
QImage modelSprite(const QString &folder, int model, int facing, int frame = 0);

// Draws a transparent-keyed sprite so that `mapPoint` falls on its foot pixel.
void drawUnitSprite(QPainter &painter, QPoint mapPoint, const QImage &sprite);

} // namespace core::game
