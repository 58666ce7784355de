#include "pickers/stage_map_picker.h"

#include "core/game/sprite_palette.h"
#include "core/game/unit_sprites.h"
#include "pickers/map_view.h"
#include "picker_test_support.h"
#include "platform/prompts.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>

using namespace pickers;
using fixtures::PickerRecord;
using pickertest::PickerDocument;


TEST(StageMapModel, CellsAndPoints)
{
    EXPECT_EQ(stageMapPoint({50, 50}), QPoint(336, 200));
    EXPECT_EQ(stageMapPoint({60, 40}), QPoint(496, 200));
    EXPECT_EQ(stageMapPoint({20, 5}), QPoint(456, -100));
    EXPECT_EQ(stageMapPoint({50, 51}), QPoint(328, 204));
    const std::pair<QPointF, QPoint> cells[] = {
        {{336, 200}, {50, 50}}, {{0, 0}, {4, 46}},   {{639, 0}, {43, 7}},
        {{0, 399}, {53, 96}},   {{639, 399}, {93, 56}}, {{340, 204}, {50, 51}},
    };
    for (const auto &[pos, cell] : cells)
        EXPECT_EQ(stageCellAt(pos), cell) << pos.x() << "," << pos.y();
}

TEST(StageMapModel, InnerBackgroundIsTheNearestBackgroundBefore)
{
    PickerDocument doc;
    doc.add(0x27, {{9, 2, 2}, {33, 2, 4}});
    const core::NodeId later = doc.add(0x27, {{9, 2, 2}, {33, 2, 1}});
    const core::NodeId edited = doc.add(0x30);
    const auto bg = findInnerBackground(doc.tree, edited);
    ASSERT_TRUE(bg);
    EXPECT_EQ(bg->node, later);
    EXPECT_EQ(bg->number, 1);

    // Across a Scene, and only an inner background counts.
    const core::NodeId otherEnd = doc.addSecondScene();
    const core::NodeId there = doc.add(PickerRecord(0x30), otherEnd);
    EXPECT_EQ(findInnerBackground(doc.tree, there)->node, later);
    doc.add(PickerRecord(0x27, {{9, 2, 3}, {33, 2, 1}}), there);
    EXPECT_FALSE(findInnerBackground(doc.tree, there));
    PickerDocument none;
    none.add(0x27, {{9, 2, 2}, {33, 2, 0xFFFF}});
    EXPECT_FALSE(findInnerBackground(none.tree, none.add(0x30)));
}

TEST(StageMapModel, ReplayAppliesTheUnitCommandsUpToTheEditedNode)
{
    PickerDocument doc;
    const core::NodeId bg = doc.add(0x27, {{9, 2, 2}, {33, 2, 0}});
    doc.add(0x32, {{9, 2, 0}, {17, 2, 6}, {37, 4, 1}, {49, 4, 1}});           // 6 not on stage yet
    doc.add(0x30, {{9, 2, 5}, {17, 4, 10}, {29, 4, 20}, {41, 2, 2}});
    doc.add(0x30, {{9, 2, 7}, {17, 4, 30}, {29, 4, 30}, {41, 2, 0}});
    doc.add(0x32, {{9, 2, 0xFFFF}, {17, 2, 5}, {37, 4, 11}, {49, 4, 21}, {61, 2, 1}});
    doc.add(0x33, {{9, 2, 5}, {25, 2, 3}});
    doc.add(0x31, {{9, 2, 1}, {17, 2, 7}});                                   // zone mode: no change
    doc.add(0x32, {{9, 2, 1}, {17, 2, 7}, {37, 4, 2}, {49, 4, 2}});           // zone mode: no change
    doc.add(0x30, {{9, 2, 1024}, {17, 4, 3}, {29, 4, 3}});                    // a group
    doc.add(0x30, {{9, 2, 1028}, {17, 4, 3}, {29, 4, 3}});                    // past the stage
    const core::NodeId edited = doc.add(0x31, {{9, 2, 0}, {17, 2, 5}});
    doc.add(0x30, {{9, 2, 8}, {17, 4, 1}, {29, 4, 1}});

    const Stage stage = replayStage(doc.tree, bg, doc.tree.key(edited));
    ASSERT_EQ(stage.size(), size_t(kStagePersons));
    EXPECT_EQ(stage[5].x, 11);
    EXPECT_EQ(stage[5].y, 21);
    EXPECT_EQ(stage[5].dir, 3);
    EXPECT_EQ(stage[7].x, 30);
    EXPECT_FALSE(stage[6].onStage());
    EXPECT_TRUE(stage[1024].onStage());
    EXPECT_FALSE(stage[8].onStage());
    EXPECT_EQ(replayStage(doc.tree, bg, QStringLiteral("none"))[5].onStage(), false); // the disappearance plays
}

TEST(StageMapModel, StopInsideANestedListEndsOnlyThatList)
{
    PickerDocument doc;
    const core::NodeId bg = doc.add(0x27, {{9, 2, 2}, {33, 2, 0}});
    const core::NodeId block = doc.add(0x2E);
    doc.add(PickerRecord(0x30, {{9, 2, 1}, {17, 4, 1}, {29, 4, 1}}), block, core::Relation::LastChild);
    const core::NodeId edited = doc.add(PickerRecord(0x33, {{9, 2, 1}}), block, core::Relation::LastChild);
    doc.add(PickerRecord(0x30, {{9, 2, 2}, {17, 4, 1}, {29, 4, 1}}), block, core::Relation::LastChild);
    doc.add(QStringLiteral("0000"), block, core::Relation::LastChild);
    doc.add(0x30, {{9, 2, 3}, {17, 4, 1}, {29, 4, 1}});
    const Stage stage = replayStage(doc.tree, bg, doc.tree.key(edited));
    EXPECT_TRUE(stage[1].onStage());
    EXPECT_FALSE(stage[2].onStage());
    EXPECT_TRUE(stage[3].onStage());
}

namespace {

struct StageMapTest : ::testing::Test
{
    fixtures::ScopedGameFolder game{[] {
        fixtures::GameFolderOptions o;
        o.withPictures = true;
        return o;
    }()};
    PickerDocument doc;
    workspace::StageMapRequest request{.twoPoint = false, .start = {}, .facingIndex = 0, .person = 7}; // model 7
    core::NodeId edited = core::kNoNode;

    StageMapTest()
    {
        fixtures::WriteFileBytes(QDir(game.folder()).filePath("PMAPOBJ.e5"), fixtures::MarkedSpriteArchive(8));
        core::writeINI("Setting", "MMap1Max", "0");
        doc.add(0x27, {{9, 2, 2}, {33, 2, 1}});
        doc.add(0x30, {{9, 2, 9}, {17, 4, 50}, {29, 4, 50}, {41, 2, 2}}); // person 9: model 1
        edited = doc.add(0x30);
        doc.ctx.node = edited;
    }

    std::optional<workspace::StageMapPick> run(workspace::EditContext &ctx, const std::function<void(QDialog &)> &act)
    {
        return pickertest::runPicker(&StageMapPicker::pick, ctx, request, act);
    }
    std::optional<workspace::StageMapPick> run(const std::function<void(QDialog &)> &act) { return run(doc.ctx, act); }

    static StageMapPicker &picker(QDialog &d) { return static_cast<StageMapPicker &>(d); }
    static void move(QDialog &d, QPoint pos)
    {
        QWidget *v = picker(d).mapView();
        QMouseEvent e(QEvent::MouseMove, pos, v->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(v, &e);
    }
    static void click(QDialog &d, QPoint pos, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseClick(picker(d).mapView(), b, {}, pos);
    }
    static QColor colour(int entry) { return core::game::spritePalette()[fixtures::MarkedSpriteIndex(entry, 0)]; }
};

} // namespace

TEST_F(StageMapTest, NoInnerBackgroundTellsTheUser)
{
    PickerDocument other;
    other.add(0x27, {{9, 2, 3}, {33, 2, 1}});
    other.ctx.node = other.add(0x30);
    platform::ScriptedPrompts prompts;
    other.ctx.prompts = &prompts;
    EXPECT_EQ(run(other.ctx, [](QDialog &) { ADD_FAILURE(); }), std::nullopt);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "내배경을 찾을 수 없습니다.");
    EXPECT_EQ(prompts.messages[0].title, "Error!");
}

TEST_F(StageMapTest, ReplayedPersonsStandOnTheirCells)
{
    run([&](QDialog &d) {
        const QImage &map = picker(d).mapView()->picture();
        EXPECT_EQ(map.size(), QSize(640, 400));
        // Person 9 faces south: sheet entry 2, opaque left half.
        EXPECT_EQ(map.pixelColor(336 - 24, 200 - 56), colour(2));
        EXPECT_NE(map.pixelColor(336 + 23, 200 - 56), colour(2));
    });
}

TEST_F(StageMapTest, OnePointPicksCellAndFacing)
{
    request.facingIndex = 4; // the default facing is placed as west
    std::optional<workspace::StageMapPick> pick = run([&](QDialog &d) {
        EXPECT_EQ(picker(d).placeFacing(), 3);
        move(d, {340, 204});
        EXPECT_EQ(d.windowTitle(), "(50, 51)");
        // West: sheet entry 15 mirrored, so the opaque half is on the right.
        const QImage shown = picker(d).composed();
        EXPECT_EQ(shown.pixelColor(328 - 24 + 47, 204 - 56), colour(15));
        click(d, {340, 204});
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->first, QPoint(50, 51));
    EXPECT_EQ(pick->second, std::nullopt);
    EXPECT_EQ(pick->facing, 3);

    request.start = pick->first;
    request.facingIndex = 3;
    pick = run([&](QDialog &d) {
        EXPECT_EQ(picker(d).placeFacing(), 3);
        QTest::keyClick(&d, Qt::Key_W);
        EXPECT_EQ(picker(d).placeFacing(), 0);
        QTest::keyClick(&d, Qt::Key_D);
        EXPECT_EQ(picker(d).placeFacing(), 1);
        click(d, {336, 200});
    });
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->first, QPoint(50, 50));
    EXPECT_EQ(pick->facing, 1);
}

TEST_F(StageMapTest, RightButtonPicksNothing)
{
    request.start = {1, 0};
    request.facingIndex = 2;
    EXPECT_EQ(run([&](QDialog &d) {
                  click(d, {336, 200}, Qt::RightButton);
                  EXPECT_FALSE(d.isVisible());
              }),
              std::nullopt);
}

TEST_F(StageMapTest, TwoPointsPickBothCorners)
{
    request.twoPoint = true;
    request.facingIndex = -1;
    std::optional<workspace::StageMapPick> pick = run([&](QDialog &d) {
        click(d, {336, 200});
        EXPECT_TRUE(d.isVisible());
        ASSERT_TRUE(picker(d).answer());
        EXPECT_EQ(picker(d).answer()->first, QPoint(50, 50));
        move(d, {496, 200});
        const QImage shown = picker(d).composed();
        // The zone's first edge runs from cell (50, 50) towards (60, 50).
        EXPECT_EQ(shown.pixelColor(stageMapPoint({55, 50})), QColor(255, 0, 0));
        click(d, {496, 200});
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->first, QPoint(50, 50));
    EXPECT_EQ(pick->second, QPoint(60, 40));
    EXPECT_EQ(pick->facing, std::nullopt);

    pick = run([&](QDialog &d) {
        click(d, {1, 1});
        click(d, {336, 200}, Qt::RightButton);
    });
    ASSERT_TRUE(pick); // the first corner stays picked
    EXPECT_EQ(pick->first.x(), 4);
    EXPECT_EQ(pick->second, std::nullopt);
}

TEST_F(StageMapTest, CellsAsFarAsFourBytesReachStayFarOffAndOpenThePicker)
{
    constexpr int kFar = 1 << 24;
    EXPECT_EQ(stageMapPoint({INT_MAX, INT_MIN}), QPoint(kFar, -204));
    EXPECT_EQ(stageMapPoint({INT_MIN, INT_MIN}), QPoint(336, -kFar));
    EXPECT_EQ(stageMapPoint({-1, 0x7FFFFFFF}), QPoint(-kFar, kFar));
    // A person placed that far, and boxes holding as much, still open the
    // picker and let a cell be picked.
    doc.add(fixtures::PickerRecord(0x30, {{9, 2, 7}, {17, 4, 0x7FFFFFFF}, {29, 4, -0x7FFFFFFF}, {41, 2, 1}}), edited);
    request.start = {INT_MAX, INT_MIN};
    const std::optional<workspace::StageMapPick> pick = run([&](QDialog &d) {
        move(d, {336, 200});
        click(d, {336, 200});
    });
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->first, QPoint(50, 50));
}

