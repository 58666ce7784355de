#include "pickers/battle_map_picker.h"

#include "core/key_codec.h"
#include "pickers/map_view.h"
#include "picker_test_support.h"
#include "platform/prompts.h"
#include "workspace/edit_dispatch.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace pickers;
using pickertest::PickerDocument;
using pickertest::runPicker;
using workspace::BattleMapPick;
using workspace::BattleMapRequest;

namespace {

// A game folder with a 480 x 480 battle map 7 (10 x 10 cells; half size on
// the offscreen screen) and a document that names it.
struct ArmyMapTest : ::testing::Test
{
    fixtures::ScopedGameFolder game;
    PickerDocument doc;
    BattleMapRequest request;

    ArmyMapTest()
    {
        fixtures::WriteBattleMap(game.folder(), 7, {480, 480});
        doc.addBattleMap(7);
    }

    std::optional<BattleMapPick> run(workspace::EditContext &ctx, const std::function<void(QDialog &)> &act)
    {
        return runPicker(&BattleMapPicker::pick, ctx, request, act);
    }
    std::optional<BattleMapPick> run(const std::function<void(QDialog &)> &act) { return run(doc.ctx, act); }

    static MapView *view(QDialog &d) { return static_cast<BattleMapPicker &>(d).mapView(); }
    // The centre of a cell on the shown map at scale 2.
    static QPoint at(int x, int y) { return {24 * x + 12, 24 * y + 12}; }
    static void click(QDialog &d, QPoint cell, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseClick(view(d), b, {}, at(cell.x(), cell.y()));
    }
    static void key(QDialog &d, Qt::Key k) { QTest::keyClick(&d, k); }
    // A pointer move as the window system delivers it (QTest::mouseMove sends
    // nothing when the pointer already stands there).
    static void move(QDialog &d, QPoint pos)
    {
        QMouseEvent e(QEvent::MouseMove, pos, view(d)->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view(d), &e);
    }
};

} // namespace

TEST_F(ArmyMapTest, NoBattleMapTellsTheUserAndPicksNothing)
{
    PickerDocument other;
    other.addBattleMap(3, 1);
    request.mode = 4;
    request.x0 = 5;
    platform::ScriptedPrompts prompts;
    other.ctx.prompts = &prompts;
    bool shown = false;
    EXPECT_EQ(run(other.ctx, [&](QDialog &) { shown = true; }), std::nullopt);
    EXPECT_FALSE(shown);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "전장 맵을 찾을 수 없습니다.");
    EXPECT_EQ(prompts.messages[0].title, "Error!");
    EXPECT_EQ(prompts.messages[0].icon, platform::MsgIcon::Exclamation);
}

TEST_F(ArmyMapTest, AMapFileThatIsNoPictureIsNamedInTheError)
{
    QDir(game.folder()).mkpath("Map");
    QFile bad(QDir(game.folder()).filePath("Map/M013.JPG"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    PickerDocument other;
    other.addBattleMap(13);
    platform::ScriptedPrompts prompts;
    other.ctx.prompts = &prompts;
    EXPECT_EQ(run(other.ctx, [](QDialog &) { ADD_FAILURE(); }), std::nullopt);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "전장 맵 그림 파일(M013.JPG)을 읽을 수 없습니다.");
    EXPECT_EQ(prompts.messages[0].title, "Error!");
}

TEST_F(ArmyMapTest, OneCellModesPickTheClickedCell)
{
    for (int mode : {1, 2, 4, 5, 6}) {
        SCOPED_TRACE(mode);
        request.mode = mode;
        request.x1 = request.sortieIndex = 3;
        const std::optional<BattleMapPick> pick = run([&](QDialog &d) {
            EXPECT_EQ(static_cast<BattleMapPicker &>(d).scale(), 2);
            EXPECT_EQ(d.windowTitle(), "맵 좌표 찍기");
            move(d, QPoint(50, 23));
            EXPECT_EQ(d.windowTitle(), "(2, 0)");
            click(d, {6, 2});
            EXPECT_FALSE(d.isVisible());
        });
        ASSERT_TRUE(pick);
        EXPECT_EQ(pick->first, QPoint(6, 2));
        EXPECT_EQ(pick->second, std::nullopt); // the sortie index box of mode 5 stays
        EXPECT_TRUE(pick->run.empty());
    }
}

TEST_F(ArmyMapTest, RightButtonAndEscPickNothing)
{
    request.mode = 4;
    request.x0 = 1;
    for (bool useKey : {false, true})
        EXPECT_EQ(run([&](QDialog &d) {
                      useKey ? key(d, Qt::Key_Escape) : click(d, {5, 5}, Qt::RightButton);
                      EXPECT_FALSE(d.isVisible());
                  }),
                  std::nullopt);
}

TEST_F(ArmyMapTest, RectangleTakesTwoClicksInClickOrder)
{
    request.mode = 3;
    std::optional<BattleMapPick> pick = run([&](QDialog &d) {
        click(d, {9, 2});
        EXPECT_TRUE(d.isVisible());
        move(d, at(4, 7));
        // The rectangle follows the pointer: its edge lies on the line
        // between cells 3 and 4 across.
        const QImage shown = view(d)->composed();
        EXPECT_EQ(shown.pixelColor(24 * 4, 24 * 5), QColor(0, 255, 0));
        EXPECT_EQ(shown.pixelColor(24 * 10 - 1, 24 * 5), QColor(0, 255, 0));
        click(d, {4, 7});
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_TRUE(pick);
    EXPECT_EQ(pick->first, QPoint(9, 2));
    EXPECT_EQ(pick->second, QPoint(4, 7));

    // A right click after the first corner picks nothing at all.
    pick = run([&](QDialog &d) {
        click(d, {9, 2});
        click(d, {4, 7}, Qt::RightButton);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(pick, std::nullopt);
}

TEST_F(ArmyMapTest, ReplayedMarkersShowOnTheShownMap)
{
    doc.add(0x4B, {{9, 4, 1}, {21, 4, 2}, {33, 4, 3}});
    request.mode = 1;
    request.unitNames = {"갑", "無", "을"};
    request.unitX = {1, 0, 5};
    request.unitY = {1, 0, 5};
    request.x0 = 5;
    request.y0 = 5;
    run([&](QDialog &d) {
        const QImage &shown = static_cast<BattleMapPicker &>(d).shownMap();
        EXPECT_EQ(shown.size(), QSize(240, 240));
        EXPECT_EQ(shown.pixelColor(at(2, 3)), QColor(255, 0, 0));
        EXPECT_EQ(shown.pixelColor(at(1, 1)), QColor(255, 127, 0));
        EXPECT_EQ(shown.pixelColor(at(5, 5)), QColor(255, 255, 0));
        EXPECT_NE(shown.pixelColor(at(0, 0)), QColor(255, 127, 0));
        key(d, Qt::Key_Escape);
    });
}

TEST_F(ArmyMapTest, MarkerEdgesStaySharpOnTheScaledMap)
{
    // Mode 4 frames the boxes' cell with a 6-pixel line centred on the cell
    // lines: pixels 141..146 across on the full map, three pixels shown.
    request.mode = 4;
    request.x0 = 3;
    request.y0 = 3;
    run([&](QDialog &d) {
        const QImage &shown = static_cast<BattleMapPicker &>(d).shownMap();
        const QColor green(0, 255, 0), ground = shown.pixelColor(at(8, 8));
        ASSERT_NE(ground, green);
        int greens = 0;
        for (int x = 24 * 3 - 12; x < 24 * 3 + 12; ++x) {
            const QColor c = shown.pixelColor(x, at(3, 3).y());
            EXPECT_TRUE(c == green || c == ground) << x << ": " << c.name().toStdString();
            greens += c == green;
        }
        EXPECT_EQ(greens, 3);
        key(d, Qt::Key_Escape);
    });
}

namespace {

// Whole-list run from the pop-up command: a parent with three own-unit
// placements and the end node; the real picker answers, the workspace
// places.
struct WholeRunTest : ArmyMapTest
{
    core::NodeId parent = core::kNoNode;
    std::vector<core::NodeId> units;
    std::vector<QString> oldKeys;

    WholeRunTest()
    {
        parent = doc.add(0x2E);
        for (int i = 0; i < 3; ++i) {
            units.push_back(doc.add(fixtures::PickerRecord(0x4B, {{9, 4, i}, {21, 4, 5}, {33, 4, 7}}), parent,
                                    core::Relation::LastChild));
            oldKeys.push_back(doc.tree.key(units.back()));
        }
        doc.add(QStringLiteral("0000"), parent, core::Relation::LastChild);
        doc.tree.setSelected(parent);
    }
    void runWhole(const std::function<void(QDialog &)> &act)
    {
        pickertest::ScopedPickerRun run(act);
        workspace::runWholeArmyPlacement(doc.ctx);
    }
    QPoint cellOf(int i) const
    {
        const QString &k = doc.tree.key(units[size_t(i)]);
        return {core::keyField(k, 21, 4), core::keyField(k, 33, 4)};
    }
};

} // namespace

TEST_F(WholeRunTest, LastPlacementCommitsEveryUnit)
{
    runWhole([&](QDialog &d) {
        click(d, {12 % 10, 3});
        click(d, {1, 1});
        EXPECT_TRUE(d.isVisible());
        click(d, {2, 2});
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(cellOf(0), QPoint(2, 3));
    EXPECT_EQ(cellOf(1), QPoint(1, 1));
    EXPECT_EQ(cellOf(2), QPoint(2, 2));
    ASSERT_EQ(doc.records.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(doc.records[size_t(i)].node, units[size_t(i)]);
        EXPECT_EQ(doc.records[size_t(i)].oldKey, oldKeys[size_t(i)]);
        EXPECT_EQ(doc.records[size_t(i)].newKey, doc.tree.key(units[size_t(i)]));
        // Only the two cell fields change; the serial stays.
        QString expect = oldKeys[size_t(i)];
        expect.replace(20, 8, core::longToHex(cellOf(i).x(), 4, true));
        expect.replace(32, 8, core::longToHex(cellOf(i).y(), 4, true));
        EXPECT_EQ(doc.tree.key(units[size_t(i)]), expect);
        EXPECT_TRUE(doc.tree.text(units[size_t(i)]).startsWith("4B : "));
    }
    EXPECT_EQ(doc.tree.key(units[0]).mid(20, 8), "02000000");
    EXPECT_EQ(doc.marks, 1);
}

TEST_F(WholeRunTest, EscCommitsWhatIsPlaced)
{
    runWhole([&](QDialog &d) {
        click(d, {9, 3});
        click(d, {4, 4});
        key(d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(cellOf(0), QPoint(9, 3));
    EXPECT_EQ(doc.tree.key(units[0]).mid(20, 8), "09000000");
    EXPECT_EQ(doc.tree.key(units[0]).mid(32, 8), "03000000");
    EXPECT_EQ(cellOf(1), QPoint(4, 4));
    EXPECT_EQ(doc.tree.key(units[2]), oldKeys[2]);
    EXPECT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(doc.marks, 1);
}

TEST_F(WholeRunTest, RightButtonWithdrawsTheLastPlacement)
{
    runWhole([&](QDialog &d) {
        auto &picker = static_cast<BattleMapPicker &>(d);
        const QColor before = picker.shownMap().pixelColor(at(4, 4));
        click(d, {1, 1});
        click(d, {4, 4});
        EXPECT_EQ(picker.shownMap().pixelColor(at(4, 4)), QColor(255, 0, 0));
        click(d, {0, 0}, Qt::RightButton);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(picker.runCount(), 1);
        EXPECT_EQ(picker.shownMap().pixelColor(at(4, 4)), before);
        EXPECT_EQ(picker.shownMap().pixelColor(at(1, 1)), QColor(255, 0, 0));
        click(d, {6, 6});
        click(d, {7, 7});
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(cellOf(0), QPoint(1, 1));
    EXPECT_EQ(cellOf(1), QPoint(6, 6));
    EXPECT_EQ(cellOf(2), QPoint(7, 7));
}

TEST_F(WholeRunTest, CancellingBeforeAnyPlacement)
{
    runWhole([&](QDialog &d) { click(d, {1, 1}, Qt::RightButton); });
    EXPECT_EQ(doc.marks, 0);
    runWhole([&](QDialog &d) { key(d, Qt::Key_Escape); });
    EXPECT_EQ(doc.marks, 1); // Esc marks the tab even when nothing was placed
    EXPECT_TRUE(doc.records.empty());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(doc.tree.key(units[size_t(i)]), oldKeys[size_t(i)]);
}
