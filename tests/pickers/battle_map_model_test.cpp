#include "pickers/battle_map_model.h"

#include "picker_test_support.h"

#include <gtest/gtest.h>

using namespace pickers;
using pickertest::PickerDocument;

namespace {

const QColor kGround(90, 140, 70);

QImage plainMap(int cells = 10)
{
    QImage img(cells * kBattleCell, cells * kBattleCell, QImage::Format_RGB32);
    img.fill(kGround);
    return img;
}

QColor cellCentre(const QImage &map, int x, int y)
{
    return map.pixelColor(x * kBattleCell + 24, y * kBattleCell + 24);
}

MapMarker square(MarkerShape shape, int x, int y, QColor colour)
{
    return MapMarker{shape, {x, y}, {x, y}, colour, 1};
}

int countShape(const std::vector<MapMarker> &markers, MarkerShape shape)
{
    return int(std::count_if(markers.begin(), markers.end(), [shape](const MapMarker &m) { return m.shape == shape; }));
}

} // namespace

TEST(BattleMapModel, FirstBattleBackgroundOfTheWholeFile)
{
    PickerDocument doc;
    doc.addBattleMap(5, 1);               // not a battle map
    doc.addBattleMap(0xFFFF);             // no map
    doc.addBattleMap(12);
    doc.add(fixtures::PickerRecord(0x27, {{9, 2, 3}, {41, 2, 30}}), doc.addSecondScene());
    EXPECT_EQ(findBattleMapNumber(doc.tree), 12);

    PickerDocument none;
    for (int kind : {0, 1, 2})
        none.addBattleMap(4, kind);
    none.addBattleMap(0xFFFF);
    EXPECT_FALSE(findBattleMapNumber(none.tree));
}

TEST(BattleMapModel, FileNamesScaleAndCells)
{
    EXPECT_EQ(battleMapFileName(7), "M007.JPG");
    EXPECT_EQ(battleMapFileName(46), "M046.JPG");
    EXPECT_EQ(battleMapFileName(1234), "M234.JPG");
    EXPECT_EQ(battleMapScale({1920, 1440}, {1024, 768}), 2);
    EXPECT_EQ(battleMapScale({2400, 1440}, {1024, 768}), 3);
    EXPECT_EQ(battleMapScale({1920, 1600}, {1024, 768}), 3);
    EXPECT_EQ(cellAt({50, 23}, 2), QPoint(2, 0));
    EXPECT_EQ(cellAt({50, 23}, 3), QPoint(3, 1));
    EXPECT_EQ(cellAt({23.5, 24.5}, 2), QPoint(1, 1)); // both round to 24
    EXPECT_EQ(cellAt({22.5, 0}, 2), QPoint(0, 0));    // 22
}

TEST(BattleMapModel, FireThenPutOutLeavesThePlainCell)
{
    for (bool putOutLast : {true, false}) {
        PickerDocument doc;
        const auto set = fixtures::PickerRecord(0x21, {{9, 4, 3}, {21, 4, 4}, {33, 2, 0}});
        const auto out = fixtures::PickerRecord(0x21, {{9, 4, 3}, {21, 4, 4}, {33, 2, 1}});
        doc.add(putOutLast ? set : out);
        doc.add(putOutLast ? out : set);
        BattleMapRequest r;
        const QImage plain = plainMap();
        QImage map = plain;
        paintMarkers(map, plain, battleMapMarkers(doc.tree, r));
        EXPECT_EQ(cellCentre(map, 3, 4) == kGround, putOutLast) << putOutLast;
    }
}

TEST(BattleMapModel, ObstaclesByKind)
{
    PickerDocument doc;
    for (int kind : {0, 1, 2, 3, 5})
        doc.add(0x58, {{9, 2, kind}, {33, 4, kind}, {45, 4, 1}});
    const std::vector<MapMarker> m = battleMapMarkers(doc.tree, {});
    EXPECT_EQ(countShape(m, MarkerShape::Fire), 1);
    EXPECT_EQ(countShape(m, MarkerShape::Ship), 1);
    EXPECT_EQ(countShape(m, MarkerShape::BurningShip), 1);
    const QImage plain = plainMap();
    QImage map = plain;
    paintMarkers(map, plain, m);
    for (int x : {0, 1, 2})
        EXPECT_NE(map.copy(x * 48, 48, 48, 48), plain.copy(x * 48, 48, 48, 48)) << x;
    for (int x : {3, 5})
        EXPECT_EQ(map.copy(x * 48, 48, 48, 48), plain.copy(x * 48, 48, 48, 48)) << x;
}

TEST(BattleMapModel, OwnUnitsAndArmySlots)
{
    PickerDocument doc;
    doc.add(0x4B, {{9, 4, 0}, {21, 4, 0}, {33, 4, 0}});      // unplaced
    doc.add(0x4B, {{9, 4, 1}, {21, 4, 0}, {33, 4, 5}});
    doc.add(0x4B, {{9, 4, 2}, {21, 4, 65541}, {33, 4, 1}});  // a variable: off the map
    doc.add(0x4B, {{9, 4, 6000}, {21, 4, 2}, {33, 4, 2}});   // not a person: shown only in modes 1, 2
    doc.add(0x46, {{9, 2, 0xFFFF}, {25, 4, 3}, {37, 4, 3}, {9 + 104, 2, 1024}, {25 + 104, 4, 4}, {37 + 104, 4, 4}});
    doc.add(0x46, {{9, 2, 7}, {25, 4, 8}, {37, 4, 8}});       // a second army table is not drawn
    doc.add(0x47, {{9 + 112 * 79, 2, 12}, {33 + 112 * 79, 4, 6}, {45 + 112 * 79, 4, 6}});

    BattleMapRequest r;
    r.mode = 4;
    r.x0 = 9;
    r.y0 = 9;
    const std::vector<MapMarker> m = battleMapMarkers(doc.tree, r);
    const QColor red(255, 0, 0), orange(255, 127, 0), blue(0, 0, 255);
    const std::vector<MapMarker> expected = {
        square(MarkerShape::SmallSquare, 0, 5, red),
        square(MarkerShape::SmallSquare, 65541, 1, red),
        square(MarkerShape::SmallSquare, 4, 4, orange),
        square(MarkerShape::SmallSquare, 6, 6, blue),
        MapMarker{MarkerShape::Frame, {9, 9}, {9, 9}, QColor(0, 255, 0), 6},
    };
    // The default slots of the enemy table are empty (0xFFFF) but slot 79.
    EXPECT_EQ(m, expected);

    const QImage plain = plainMap();
    QImage map = plain;
    paintMarkers(map, plain, m);
    EXPECT_EQ(cellCentre(map, 0, 5), red);
    EXPECT_EQ(cellCentre(map, 0, 0), kGround);
    EXPECT_EQ(cellCentre(map, 4, 4), orange);
    EXPECT_EQ(cellCentre(map, 3, 3), kGround);
    EXPECT_EQ(cellCentre(map, 8, 8), kGround);
    EXPECT_EQ(map.pixelColor(0 * 48 + 11, 5 * 48 + 24), kGround); // the small square starts at +12

    r.mode = 2;
    const std::vector<MapMarker> army = battleMapMarkers(doc.tree, r);
    EXPECT_EQ(countShape(army, MarkerShape::SmallSquare), 4); // 0x46 slot and three placed own units
}

TEST(BattleMapModel, OpenerUnitsSkipEmptySlotsAndHighlightTheEditedOne)
{
    PickerDocument doc;
    BattleMapRequest r;
    r.mode = 1;
    r.unitNames = {"갑", "無", "을", "병"};
    r.unitX = {1, 2, 3, 4};
    r.unitY = {1, 2, 3, 4};
    r.x0 = 3;
    r.y0 = 3;
    const std::vector<MapMarker> expected = {
        square(MarkerShape::LargeSquare, 1, 1, QColor(255, 127, 0)),
        square(MarkerShape::LargeSquare, 3, 3, QColor(255, 255, 0)),
        square(MarkerShape::LargeSquare, 4, 4, QColor(255, 127, 0)),
    };
    EXPECT_EQ(battleMapMarkers(doc.tree, r), expected);
    r.mode = 2;
    EXPECT_EQ(battleMapMarkers(doc.tree, r)[1].colour, QColor(0, 127, 255));
}

TEST(BattleMapModel, EditedThingShowsItsDialogValues)
{
    PickerDocument doc;
    const core::NodeId edited = doc.add(0x21, {{9, 4, 1}, {21, 4, 1}, {33, 2, 1}});
    BattleMapRequest r;
    r.mode = 6;
    r.objectNode = edited;
    r.x0 = 3;
    r.y0 = 4;
    r.objectKind = 0;
    const std::vector<MapMarker> m = battleMapMarkers(doc.tree, r);
    ASSERT_FALSE(m.empty());
    EXPECT_EQ(m[0], square(MarkerShape::Fire, 3, 4, QColor()));
    EXPECT_EQ(countShape(m, MarkerShape::PlainCell), 0);
}

TEST(BattleMapModel, RectangleFrameIsSortedAndOneUnitPlacementUsesTheBoxes)
{
    PickerDocument doc;
    doc.add(0x4B, {{9, 4, 1}, {21, 4, 5}, {33, 4, 5}});
    doc.add(0x4B, {{9, 4, 2}, {21, 4, 6}, {33, 4, 6}});
    BattleMapRequest r;
    r.mode = 3;
    r.x0 = 9, r.y0 = 2, r.x1 = 4, r.y1 = 7;
    const std::vector<MapMarker> m = battleMapMarkers(doc.tree, r);
    EXPECT_EQ(m.back(), (MapMarker{MarkerShape::Frame, {4, 2}, {9, 7}, QColor(0, 255, 0), 3}));
    EXPECT_EQ(countShape(battleMapMarkers(doc.tree, r, ReplayPass::CornerSet), MarkerShape::Frame), 0);

    r = {};
    r.mode = 5;
    r.sortieIndex = 2;
    r.x0 = 1, r.y0 = 2;
    const std::vector<MapMarker> expected = {
        square(MarkerShape::LargeSquare, 5, 5, QColor(255, 0, 0)),
        square(MarkerShape::LargeSquare, 1, 2, QColor(255, 255, 127)),
    };
    EXPECT_EQ(battleMapMarkers(doc.tree, r), expected);
    r.whole = true;
    EXPECT_TRUE(battleMapMarkers(doc.tree, r).empty());
}
