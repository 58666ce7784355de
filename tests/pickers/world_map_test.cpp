#include "pickers/world_map_picker.h"

#include "core/game/demo_game_folder.h"
#include "core/game/e5_writer.h"
#include "pickers/map_view.h"
#include "picker_test_support.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>

using namespace pickers;
using fixtures::PickerRecord;
using pickertest::PickerDocument;

namespace {

fixtures::GameFolderOptions withPictures()
{
    fixtures::GameFolderOptions o;
    o.withPictures = true;
    return o;
}

// An "mmap.e5" of `count` entries whose last one is `lastSize` bytes of a
// 640 x 400 picture (padded).
QByteArray mapArchive(int count, int lastSize)
{
    QList<core::game::E5StoredEntry> entries;
    for (int e = 0; e + 1 < count; ++e)
        entries << core::game::E5StoredEntry::raw(QByteArray(16, char(e)));
    QByteArray world = core::game::demoJpeg(640, 400, 5);
    world.append(lastSize - world.size(), '\0');
    entries << core::game::E5StoredEntry::raw(world);
    return core::game::buildE5Archive(entries, core::game::identityDictionary());
}

} // namespace

TEST(WorldMapModel, TheLastEntryIsTheWorldMapOnlyAtItsExactSize)
{
    fixtures::ScopedGameFolder game(withPictures());
    EXPECT_EQ(mapArchiveEntryCount(game.folder()), 3); // the demo archive: two backgrounds and the map
    EXPECT_FALSE(gameWorldMap(game.folder()).isNull());

    const QString path = QDir(game.folder()).filePath("mmap.e5");
    fixtures::WriteFileBytes(path, mapArchive(20, 256000)); // entry 0 at 512: 19.67 rounds to 20
    EXPECT_EQ(mapArchiveEntryCount(game.folder()), 20);
    EXPECT_EQ(gameWorldMap(game.folder()).size(), QSize(640, 400));
    for (int size : {255999, 256001}) {
        fixtures::WriteFileBytes(path, mapArchive(20, size));
        EXPECT_TRUE(gameWorldMap(game.folder()).isNull()) << size;
    }
    QFile::remove(path);
    EXPECT_EQ(mapArchiveEntryCount(game.folder()), -1);
    EXPECT_TRUE(gameWorldMap(game.folder()).isNull());
    EXPECT_EQ(builtInWorldMap().size(), QSize(640, 400));
}

TEST(WorldMapModel, FaceEntriesFromThePersonRecords)
{
    fixtures::ScopedGameFolder game(withPictures());
    EXPECT_EQ(faceEntryFor(game.folder(), 3), 3 + 7);  // the demo persons have face p % 16
    EXPECT_EQ(faceEntryFor(game.folder(), 16), 0);     // face 0 uses entry 0
    EXPECT_EQ(faceEntryFor(game.folder(), 1024), 0);
    FaceCache cache(game.folder());
    EXPECT_FALSE(cache.face(10).isNull());
}

TEST(WorldMapModel, ReplayShowsMovesAndRemovesFaces)
{
    PickerDocument doc;
    doc.add(0x29, {{9, 2, 1}, {17, 4, 100}, {29, 4, 50}});
    doc.add(0x2A, {{9, 2, 2}, {17, 4, 9}, {29, 4, 9}});    // not on the map: no change
    doc.add(0x29, {{9, 2, 3}, {17, 4, 10}, {29, 4, 10}});
    doc.add(0x29, {{9, 2, 3}, {17, 4, 20}, {29, 4, 20}});  // shown again: moves
    doc.add(0x2A, {{9, 2, 1}, {17, 4, 200}, {29, 4, 150}});
    doc.add(0x29, {{9, 2, 4}, {17, 4, 1}, {29, 4, 1}});
    doc.add(0x2B, {{9, 2, 4}});
    doc.add(0x29, {{9, 2, 1028}, {17, 4, 1}, {29, 4, 1}});
    const core::NodeId edited = doc.add(0x2A, {{9, 2, 1}});
    doc.add(0x29, {{9, 2, 5}, {17, 4, 1}, {29, 4, 1}});

    const core::NodeId start = faceReplayStart(doc.tree, edited);
    EXPECT_EQ(start, doc.scene);
    const FaceBoard board = replayFaces(doc.tree, start, doc.tree.key(edited));
    EXPECT_EQ(board[1], QPoint(200, 150));
    EXPECT_FALSE(faceShown(board[2]));
    EXPECT_EQ(board[3], QPoint(20, 20));
    EXPECT_FALSE(faceShown(board[4]));
    EXPECT_FALSE(faceShown(board[5]));

    // A background before the edited node starts the replay there.
    const core::NodeId bg = doc.add(0x27);
    const core::NodeId later = doc.add(0x2A);
    EXPECT_EQ(faceReplayStart(doc.tree, later), bg);
    EXPECT_FALSE(faceShown(replayFaces(doc.tree, bg, doc.tree.key(later))[1]));
}

namespace {

struct WorldMapTest : ::testing::Test
{
    fixtures::ScopedGameFolder game{withPictures()};
    PickerDocument doc;
    workspace::WorldMapRequest request{.start = {}, .person = 3, .moving = true};

    WorldMapTest()
    {
        doc.add(0x29, {{9, 2, 3}, {17, 4, 100}, {29, 4, 100}});
        doc.ctx.node = doc.add(0x2A, {{9, 2, 3}});
    }
    std::optional<QPoint> run(const std::function<void(QDialog &)> &act)
    {
        return pickertest::runPicker(&WorldMapPicker::pick, doc.ctx, request, act);
    }
    static WorldMapPicker &picker(QDialog &d) { return static_cast<WorldMapPicker &>(d); }
    static void move(QDialog &d, QPoint pos)
    {
        QWidget *v = picker(d).mapView();
        QMouseEvent e(QEvent::MouseMove, pos, v->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(v, &e);
    }
};

} // namespace

TEST_F(WorldMapTest, AnyButtonPicksThePointer)
{
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
        const std::optional<QPoint> at = run([&](QDialog &d) {
            move(d, {300, 200});
            EXPECT_EQ(d.windowTitle(), "(300, 200)");
            QTest::mouseClick(picker(d).mapView(), b, {}, QPoint(1, 2));
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_EQ(at, QPoint(1, 2));
    }
}

TEST_F(WorldMapTest, ReplayedFaceAndTheMoveLine)
{
    const std::optional<QPoint> at = run([&](QDialog &d) {
        EXPECT_EQ(picker(d).faces()[3], QPoint(100, 100));
        const QImage before = picker(d).mapView()->picture();
        move(d, {400, 100});
        const QImage shown = picker(d).composed();
        // The line runs from the middle of the replayed face to the middle
        // of the face under the pointer; between the two faces it is white.
        EXPECT_EQ(shown.pixelColor(340, 160), QColor(255, 255, 255));
        EXPECT_NE(shown.pixelColor(450, 150), before.pixelColor(450, 150)); // the face under the pointer
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(at, std::nullopt);
}

TEST_F(WorldMapTest, TheFaceAndLineAreDrawnAtTheBoxesBeforeAnyMove)
{
    request.start = {400, 100};
    run([&](QDialog &d) {
        const QImage before = picker(d).mapView()->picture();
        const QImage shown = picker(d).composed();
        EXPECT_EQ(shown.pixelColor(340, 160), QColor(255, 255, 255)); // the move line
        EXPECT_NE(shown.pixelColor(450, 150), before.pixelColor(450, 150)); // the face under the pointer
        EXPECT_EQ(d.windowTitle(), "(400, 100)");
    });
}

TEST_F(WorldMapTest, NoPersonDrawsASquareBeforeAnyMove)
{
    request.person = 65535;
    request.start = {400, 100};
    run([&](QDialog &d) {
        const QImage shown = picker(d).composed();
        EXPECT_EQ(shown.pixelColor(400, 100), QColor(255, 255, 255));
        EXPECT_EQ(shown.pixelColor(519, 219), QColor(255, 255, 255));
    });
}

TEST_F(WorldMapTest, NoPersonDrawsASquareAndNoLine)
{
    request.person = 65535;
    run([&](QDialog &d) {
        move(d, {400, 100});
        const QImage shown = picker(d).composed();
        const QColor white(255, 255, 255);
        EXPECT_EQ(shown.pixelColor(400, 100), white);
        EXPECT_EQ(shown.pixelColor(519, 219), white);
        EXPECT_EQ(shown.pixelColor(460, 219), white);
        EXPECT_NE(shown.pixelColor(520, 220), white);
        EXPECT_NE(shown.pixelColor(340, 160), white);
    });
}

TEST_F(WorldMapTest, PositionsAsFarAsFourBytesReachStayFarOffAndOpenThePicker)
{
    constexpr int kFar = 1 << 24;
    EXPECT_EQ(boundedFacePoint(INT_MAX, INT_MIN), QPoint(kFar, -kFar));
    EXPECT_EQ(boundedFacePoint(-1, 4294967295LL), QPoint(-1, kFar));
    // The face moved from a place that far, with boxes holding as much.
    doc.add(fixtures::PickerRecord(0x29, {{9, 2, 3}, {17, 4, 0x7FFFFFFF}, {29, 4, 0x7FFFFFF0}}), doc.ctx.node);
    request.start = {INT_MAX, INT_MAX};
    const std::optional<QPoint> at = run([&](QDialog &d) {
        EXPECT_EQ(picker(d).faces()[3], QPoint(kFar, kFar));
        move(d, {200, 100});
        picker(d).composed();
        QTest::mouseClick(picker(d).mapView(), Qt::LeftButton, {}, QPoint(200, 100));
    });
    EXPECT_EQ(at, QPoint(200, 100));
}

