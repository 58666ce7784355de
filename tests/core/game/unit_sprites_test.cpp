#include "core/game/unit_sprites.h"

#include "core/game/sprite_palette.h"
#include "fixtures/game_folder_builder.h"
#include "fixtures/picker_fixtures.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

using namespace core::game;
using namespace fixtures;

namespace {

// A game folder whose sprite archive holds eight marked models, odd sheets packed.
struct SpriteFolder
{
    SpriteFolder() { WriteFileBytes(QDir(game.folder()).filePath("PMAPOBJ.e5"), MarkedSpriteArchive(8, true)); }
    QString folder() const { return game.folder(); }
    ScopedGameFolder game;
};

} // namespace

TEST(UnitSprites, PoseRule)
{
    EXPECT_EQ(poseFrame(0), 0);
    EXPECT_EQ(poseFrame(1), 3);
    EXPECT_EQ(poseFrame(9), 11);
    EXPECT_EQ(poseFrame(17), 19);
    EXPECT_EQ(poseFrame(18), 20);
}

TEST(UnitSprites, FacingRule)
{
    struct Row { int facing, sheet; bool mirrored; };
    for (const Row r : {Row{0, 1, false}, Row{1, 0, true}, Row{2, 0, false}, Row{3, 1, true}, Row{0xFFFF, 0, false}}) {
        EXPECT_EQ(sheetForFacing(r.facing).sheet, r.sheet) << r.facing;
        EXPECT_EQ(sheetForFacing(r.facing).mirrored, r.mirrored) << r.facing;
    }
}

TEST(UnitSprites, FramesFromRawAndPackedSheets)
{
    SpriteFolder f;
    for (int entry : {14, 15}) { // 14 raw, 15 packed
        const QImage sheet = unitSpriteSheet(f.folder(), entry);
        ASSERT_EQ(sheet.size(), QSize(48, 1280));
        EXPECT_EQ(sheet.pixelIndex(0, 64 * 3), MarkedSpriteIndex(entry, 3)) << entry;
        for (int frame : {0, 3, 19}) {
            const QImage img = unitSpriteFrame(f.folder(), entry, frame);
            ASSERT_EQ(img.size(), QSize(48, 64));
            EXPECT_EQ(img.pixelIndex(0, 0), MarkedSpriteIndex(entry, frame)) << entry << " " << frame;
            EXPECT_EQ(img.pixelIndex(23, 63), MarkedSpriteIndex(entry, frame));
            EXPECT_EQ(img.pixelIndex(24, 0), 0);
        }
    }
}

TEST(UnitSprites, MissingArchiveAndFramesPastTheSheetAreTransparent)
{
    SpriteFolder f;
    const QImage past = unitSpriteFrame(f.folder(), 14, poseFrame(18));
    ASSERT_EQ(past.size(), QSize(48, 64));
    EXPECT_EQ(past.pixelIndex(0, 0), 0);
    EXPECT_EQ(unitSpriteFrame(QDir(f.folder()).filePath("nowhere"), 0, 0).pixelIndex(0, 0), 0);
    EXPECT_EQ(unitSheetBytes(f.folder(), -1).size(), kUnitSheetBytes);
}

TEST(UnitSprites, PersonModelFromTheDataArchive)
{
    SpriteFolder f;
    EXPECT_EQ(personMapModel(f.folder(), 7), 7);   // the demo persons have model p % 8
    EXPECT_EQ(personMapModel(f.folder(), 15), 7);
    EXPECT_EQ(personMapModel(f.folder(), 1024), -1);
    QFile::remove(f.game.path("Data.e5"));
    EXPECT_EQ(personMapModel(f.folder(), 7), -1);
    EXPECT_EQ(qAlpha(personSprite(f.folder(), 7, 2).pixel(0, 0)), 0);
}

TEST(UnitSprites, PersonSpriteFollowsTheFacing)
{
    SpriteFolder f;
    const QColor south = spritePalette()[MarkedSpriteIndex(14, 0)];
    const QColor north = spritePalette()[MarkedSpriteIndex(15, 0)];
    struct Row { int facing; QColor colour; bool mirrored; };
    for (const Row r : {Row{2, south, false}, Row{1, south, true}, Row{0, north, false}, Row{3, north, true}}) {
        const QImage img = personSprite(f.folder(), 7, r.facing);
        const int opaqueX = r.mirrored ? 47 : 0, clearX = r.mirrored ? 0 : 47;
        EXPECT_EQ(img.pixelColor(opaqueX, 10), r.colour) << r.facing;
        EXPECT_EQ(qAlpha(img.pixel(clearX, 10)), 0) << r.facing;
    }
}

TEST(UnitSprites, DrawPutsTheFootOnTheMapPoint)
{
    SpriteFolder f;
    QImage map(200, 200, QImage::Format_RGB32);
    map.fill(Qt::white);
    {
        QPainter p(&map);
        drawUnitSprite(p, QPoint(100, 100), personSprite(f.folder(), 7, 2));
    }
    const QColor body = spritePalette()[MarkedSpriteIndex(14, 0)];
    EXPECT_EQ(map.pixelColor(76, 44), body);             // frame pixel (0, 0)
    EXPECT_EQ(map.pixelColor(75, 44), QColor(Qt::white)); // left of the frame
    EXPECT_EQ(map.pixelColor(100, 100), QColor(Qt::white)); // right half is transparent
    EXPECT_EQ(map.pixelColor(99, 100), body);
}

TEST(UnitSprites, MirrorIsLeftRight)
{
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(Qt::black);
    img.setPixel(0, 1, qRgb(1, 2, 3));
    const QImage m = mirrorLeftRight(img);
    EXPECT_EQ(m.pixel(2, 1), qRgb(1, 2, 3));
    EXPECT_EQ(m.pixel(0, 1), qRgb(0, 0, 0));
}
