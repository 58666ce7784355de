#include "pickers/battle_map_picker.h"

#include "core/key_codec.h"
#include "pickers/map_view.h"
#include "picker_test_support.h"
#include "platform/prompts.h"
#include "workspace/edit_dispatch.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace pickers;
using pickertest::PickerDocument;
using pickertest::runTool;

namespace {

// A game folder with a 480 x 480 battle map 7 (10 x 10 cells; half size on
// the offscreen screen) and a document that names it.
struct ArmyMapTest : ::testing::Test
{
    fixtures::ScopedGameFolder game;
    PickerDocument doc;
    QLineEdit x0, y0, x1, y1;

    ArmyMapTest()
    {
        fixtures::WriteBattleMap(game.folder(), 7, {480, 480});
        doc.addBattleMap(7);
        auto &call = doc.ctx.armyMap;
        call = {};
        call.xBox[0] = &x0;
        call.yBox[0] = &y0;
        call.xBox[1] = &x1;
        call.yBox[1] = &y1;
    }

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

TEST_F(ArmyMapTest, NoBattleMapTellsTheUserAndWritesNothing)
{
    PickerDocument other;
    other.addBattleMap(3, 1);
    other.ctx.armyMap = doc.ctx.armyMap;
    other.ctx.armyMap.mode = 4;
    x0.setText("5");
    platform::ScriptedPrompts prompts;
    other.ctx.prompts = &prompts;
    bool shown = false;
    EXPECT_FALSE(runTool(workspace::kBattleMapPickerTool, other.ctx, [&](QDialog &) { shown = true; }));
    EXPECT_FALSE(shown);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "전장 맵을 찾을 수 없습니다.");
    EXPECT_EQ(prompts.messages[0].title, "Error!");
    EXPECT_EQ(prompts.messages[0].icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(x0.text(), "5");
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
    other.ctx.armyMap = doc.ctx.armyMap;
    platform::ScriptedPrompts prompts;
    other.ctx.prompts = &prompts;
    EXPECT_FALSE(runTool(workspace::kBattleMapPickerTool, other.ctx, [](QDialog &) { ADD_FAILURE(); }));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "전장 맵 그림 파일(M013.JPG)을 읽을 수 없습니다.");
    EXPECT_EQ(prompts.messages[0].title, "Error!");
}

TEST_F(ArmyMapTest, OneCellModesWriteTheClickedCell)
{
    for (int mode : {1, 2, 4, 5, 6}) {
        SCOPED_TRACE(mode);
        doc.ctx.armyMap.mode = mode;
        x0.clear();
        y0.clear();
        x1.setText("3");
        EXPECT_TRUE(runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) {
            EXPECT_EQ(static_cast<BattleMapPicker &>(d).scale(), 2);
            EXPECT_EQ(d.windowTitle(), "맵 좌표 찍기");
            move(d, QPoint(50, 23));
            EXPECT_EQ(d.windowTitle(), "(2, 0)");
            click(d, {6, 2});
            EXPECT_FALSE(d.isVisible());
        }));
        EXPECT_EQ(x0.text(), "6");
        EXPECT_EQ(y0.text(), "2");
        EXPECT_EQ(x1.text(), "3"); // the sortie index box of mode 5 stays
    }
}

TEST_F(ArmyMapTest, RightButtonAndEscWriteNothing)
{
    doc.ctx.armyMap.mode = 4;
    x0.setText("1");
    for (bool useKey : {false, true})
        runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) {
            useKey ? key(d, Qt::Key_Escape) : click(d, {5, 5}, Qt::RightButton);
            EXPECT_FALSE(d.isVisible());
        });
    EXPECT_EQ(x0.text(), "1");
    EXPECT_TRUE(y0.text().isEmpty());
}

TEST_F(ArmyMapTest, RectangleTakesTwoClicksInClickOrder)
{
    doc.ctx.armyMap.mode = 3;
    runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) {
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
    EXPECT_EQ(QStringList({x0.text(), y0.text(), x1.text(), y1.text()}), QStringList({"9", "2", "4", "7"}));

    for (QLineEdit *b : {&x0, &y0, &x1, &y1})
        b->setText("1");
    runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) {
        click(d, {9, 2});
        click(d, {4, 7}, Qt::RightButton);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(QStringList({x0.text(), y0.text(), x1.text(), y1.text()}), QStringList({"1", "1", "1", "1"}));
}

TEST_F(ArmyMapTest, ReplayedMarkersShowOnTheShownMap)
{
    doc.add(0x4B, {{9, 4, 1}, {21, 4, 2}, {33, 4, 3}});
    QListWidget list;
    list.addItems({"갑", "無", "을"});
    auto &call = doc.ctx.armyMap;
    call.mode = 1;
    call.list = &list;
    call.unitX = {1, 0, 5};
    call.unitY = {1, 0, 5};
    x0.setText("5");
    y0.setText("5");
    runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) {
        const QImage &shown = static_cast<BattleMapPicker &>(d).shownMap();
        EXPECT_EQ(shown.size(), QSize(240, 240));
        EXPECT_EQ(shown.pixelColor(at(2, 3)), QColor(255, 0, 0));
        EXPECT_EQ(shown.pixelColor(at(1, 1)), QColor(255, 127, 0));
        EXPECT_EQ(shown.pixelColor(at(5, 5)), QColor(255, 255, 0));
        EXPECT_NE(shown.pixelColor(at(0, 0)), QColor(255, 127, 0));
        key(d, Qt::Key_Escape);
    });
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(call.unitX, (std::vector<int>{1, 0, 5}));
}

TEST_F(ArmyMapTest, MarkerEdgesStaySharpOnTheScaledMap)
{
    // Mode 4 frames the boxes' cell with a 6-pixel line centred on the cell
    // lines: pixels 141..146 across on the full map, three pixels shown.
    doc.ctx.armyMap.mode = 4;
    x0.setText("3");
    y0.setText("3");
    runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) {
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

// Whole-list run: a parent with three own-unit placements and the end node.
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
        workspace::prepareWholeArmyRun(doc.ctx);
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
    runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) {
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
        expect.replace(20, 8, core::LongToHex(cellOf(i).x(), 4, true));
        expect.replace(32, 8, core::LongToHex(cellOf(i).y(), 4, true));
        EXPECT_EQ(doc.tree.key(units[size_t(i)]), expect);
        EXPECT_TRUE(doc.tree.text(units[size_t(i)]).startsWith("4B : "));
    }
    EXPECT_EQ(doc.tree.key(units[0]).mid(20, 8), "02000000");
    EXPECT_EQ(doc.marks, 1);
}

TEST_F(WholeRunTest, EscCommitsWhatIsPlaced)
{
    runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) {
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
    runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) {
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
    runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) { click(d, {1, 1}, Qt::RightButton); });
    EXPECT_EQ(doc.marks, 0);
    runTool(workspace::kBattleMapPickerTool, doc.ctx, [&](QDialog &d) { key(d, Qt::Key_Escape); });
    EXPECT_EQ(doc.marks, 1); // Esc marks the tab even when nothing was placed
    EXPECT_TRUE(doc.records.empty());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(doc.tree.key(units[size_t(i)]), oldKeys[size_t(i)]);
}
