// The battlefield unit dialogs with a mode (0x31 person or zone, 0x32 person
// or battlefield index) and the Map buttons of 0x31, 0x32 and 0x41.
#include "commands/common/character_picker.h"
#include "commands/common/engine_test_support.h"
#include "commands/units/unit_test_support.h"
#include "commands/common/tab_caption.h"
#include "commands/units/unit_dialog.h"
#include "fixtures/unit_fixtures.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

using enginetest::CommandNode;
using fixtures::unitRecord;

namespace {

using unittest::list;
using unittest::box;
using unittest::option;

bool shown(QDialog &d, const char *name)
{
    auto *w = d.findChild<QWidget *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w && w->isVisible();
}

void activate(QDialog &d)
{
    QEvent e(QEvent::WindowActivate);
    QApplication::sendEvent(&d, &e);
}

// A battle-map picker that notes its mode and picks the cells given, in
// click order (x, y of the first cell, then of the second).
struct BattlePick {
    int calls = 0;
    int mode = -1;
    std::vector<int> cells;
    workspace::ScopedMapPickers tool{{.battle = [this](workspace::EditContext &,
                                                       const workspace::BattleMapRequest &r) {
        ++calls;
        mode = r.mode;
        workspace::BattleMapPick pick{QPoint(cells.at(0), cells.at(1)), std::nullopt, {}};
        if (cells.size() >= 4)
            pick.second = QPoint(cells[2], cells[3]);
        return std::optional(pick);
    }}};
    explicit BattlePick(std::vector<int> c) : cells(std::move(c)) {}
};

// --- 0x31 ------------------------------------------------------------------

TEST(UnitDisappearDialog, NewCommandOpensOnThePerson)
{
    CommandNode cmd(unitRecord(0x31));
    const QString key = cmd.key();
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 31 : 무장소멸"));
        EXPECT_TRUE(option(d, "oChar")->isChecked());
        EXPECT_TRUE(shown(d, "cbChar"));
        EXPECT_FALSE(shown(d, "tX0"));
        EXPECT_FALSE(shown(d, "cbArmy"));
        EXPECT_FALSE(shown(d, "cMap1"));
        EXPECT_EQ(list(d, "cbArmy")->currentText(), QStringLiteral("모든부대"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.key(), key);
}

TEST(UnitDisappearDialog, ZonePickedOnTheBattleMapKeepsTheHiddenPerson)
{
    BattlePick pick({3, 7, 10, 2});
    CommandNode cmd(unitRecord(0x31, {{17, 2, 42}}));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        option(d, "oZone")->setChecked(true);
        EXPECT_FALSE(shown(d, "cbChar"));
        EXPECT_TRUE(shown(d, "tY1"));
        EXPECT_TRUE(shown(d, "cMap1"));
        enginetest::click(d, "cMap1");
        EXPECT_EQ(box(d, "tX0")->text(), QStringLiteral("3"));
        EXPECT_EQ(box(d, "tY0")->text(), QStringLiteral("7"));
        EXPECT_EQ(box(d, "tX1")->text(), QStringLiteral("10"));
        EXPECT_EQ(box(d, "tY1")->text(), QStringLiteral("2"));
        list(d, "cbArmy")->setCurrentIndex(2);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(pick.mode, 3);
    EXPECT_EQ(cmd.record(), unitRecord(0x31, {{9, 2, 1}, {17, 2, 42}, {25, 4, 3}, {37, 4, 7}, {49, 4, 10},
                                               {61, 4, 2}, {73, 2, 2}}));
}

TEST(UnitDisappearDialog, BackToThePersonKeepsTheZoneAndOddModesLoadAsPerson)
{
    const QString zone = unitRecord(0x31, {{9, 2, 1}, {25, 4, 5}, {61, 4, 6}, {73, 2, 9}});
    CommandNode cmd(zone);
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_TRUE(option(d, "oZone")->isChecked());
        option(d, "oChar")->setChecked(true);
        box(d, "tNum")->setText(QStringLiteral("8"));
        enginetest::click(d, "cConfig");
    }));
    // The zone's own fields, untouched, keep their stored values.
    EXPECT_EQ(cmd.record(), unitRecord(0x31, {{9, 2, 0}, {17, 2, 8}, {25, 4, 5}, {61, 4, 6}, {73, 2, 9}}));

    // A mode above 1 opens as a person and, untouched, is kept.
    for (int mode : {2, 0xFFFF}) {
        CommandNode odd(unitRecord(0x31, {{9, 2, mode}}));
        EXPECT_FALSE(odd.edit([](QDialog &d) {
            EXPECT_TRUE(option(d, "oChar")->isChecked());
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(odd.record(), unitRecord(0x31, {{9, 2, mode}})) << mode;
    }
}

TEST(UnitDisappearDialog, CoordinatesStopAtTheLastCell)
{
    CommandNode cmd(unitRecord(0x31, {{9, 2, 1}}));
    cmd.edit([](QDialog &d) {
        for (const char *name : {"tX0", "tY0", "tX1", "tY1"}) {
            box(d, name)->setText(QStringLiteral("41"));
            EXPECT_EQ(box(d, name)->text(), QStringLiteral("40")) << name;
        }
        enginetest::click(d, "cCancel");
    });
    EXPECT_EQ(cmd.record(), unitRecord(0x31, {{9, 2, 1}}));
}

TEST(UnitDisappearDialog, StartModeAppliesOnlyWhileThePersonIsChosen)
{
    CommandNode cmd(unitRecord(0x31, {{9, 2, 1}}));
    cmd.settings.insert(QStringLiteral("Option/Char_Select"), QStringLiteral("1"));
    cmd.edit([](QDialog &d) {
        activate(d);
        EXPECT_TRUE(option(d, "oList")->isChecked());
        option(d, "oChar")->setChecked(true);
        EXPECT_TRUE(shown(d, "cbChar"));
        activate(d);
        EXPECT_TRUE(option(d, "oNum")->isChecked());
        EXPECT_TRUE(shown(d, "tNum"));
        enginetest::click(d, "cCancel");
    });
}

// --- 0x32 ------------------------------------------------------------------

TEST(UnitMoveDialog, BattlefieldIndexModeShowsItsBoxAndSwitchingBackKeepsIt)
{
    CommandNode cmd(unitRecord(0x32, {{9, 2, 1}, {25, 4, 12}}));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 32 : 무장이동"));
        EXPECT_TRUE(shown(d, "tBFIndex"));
        EXPECT_FALSE(shown(d, "cbChar"));
        EXPECT_TRUE(shown(d, "cMap1"));
        box(d, "tBFIndex")->setText(QStringLiteral("41"));
        EXPECT_EQ(box(d, "tBFIndex")->text(), QStringLiteral("40"));
        option(d, "oChar")->setChecked(true);
        EXPECT_FALSE(shown(d, "tBFIndex"));
        EXPECT_TRUE(shown(d, "cbChar"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), unitRecord(0x32, {{9, 2, 0}, {25, 4, 40}}));

    CommandNode odd(unitRecord(0x32, {{9, 2, 2}, {37, 4, -1}}));
    odd.edit([](QDialog &d) {
        EXPECT_TRUE(option(d, "oChar")->isChecked());
        EXPECT_EQ(box(d, "tX")->text(), QStringLiteral("-1"));
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(odd.record(), unitRecord(0x32, {{9, 2, 2}, {37, 4, -1}}));
}

TEST(UnitMoveDialog, UntitledDocumentsPickTheCellOnTheBattleMap)
{
    BattlePick pick({9, 11});
    CommandNode cmd(unitRecord(0x32));
    // No main window: the caption is the root's text, "Scenario" while untitled.
    cmd.tree.setText(cmd.tree.root(), QStringLiteral("Scenario"));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        enginetest::click(d, "cMap1");
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(pick.mode, 4);
    EXPECT_EQ(cmd.record(), unitRecord(0x32, {{37, 4, 9}, {49, 4, 11}}));
}

TEST(UnitMoveDialog, FilesWithoutAnSPickOnTheStageWithThePerson)
{
    commands::ScopedTabCaption tab(QStringLiteral("battle01.eex"));
    BattlePick battle({1, 1});
    struct Case {
        int person;
        int handed;
    } cases[] = {{1025, 1025}, {0xFFFF, 0}, {0xFFFE, 0}, {7, 7}};
    for (const Case &c : cases) {
        int handed = -1;
        workspace::ScopedMapPickers stage({.stage = [&](workspace::EditContext &,
                                                        const workspace::StageMapRequest &r) {
            handed = r.person;
            EXPECT_GE(r.facingIndex, 0); // the facing list goes along
            return std::optional(workspace::StageMapPick{QPoint(20, 16777216), std::nullopt, 2});
        }});
        CommandNode cmd(unitRecord(0x32, {{17, 2, c.person}}));
        cmd.edit([](QDialog &d) {
            enginetest::click(d, "cMap1");
            EXPECT_EQ(box(d, "tY")->text(), QStringLiteral("16777215"));
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(handed, c.handed) << c.person;
        EXPECT_EQ(cmd.record(), unitRecord(0x32, {{17, 2, c.person}, {37, 4, 20}, {49, 4, 16777215}, {61, 2, 2}}));
    }
    EXPECT_EQ(battle.calls, 0);
}

// --- 0x41 ------------------------------------------------------------------

TEST(UnitCountTestDialog, RectanglePickedInClickOrderAndCancelKeepsTheKey)
{
    BattlePick pick({10, 2, 3, 7});
    const QString stored = unitRecord(0x41, {{37, 2, 1}});
    CommandNode cmd(stored);
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        enginetest::click(d, "cMap1");
        EXPECT_EQ(box(d, "tX0")->text(), QStringLiteral("10"));
        EXPECT_EQ(box(d, "tY1")->text(), QStringLiteral("7"));
        enginetest::click(d, "cCancel");
    }));
    EXPECT_EQ(pick.mode, 3);
    EXPECT_EQ(cmd.record(), stored);
    EXPECT_EQ(cmd.records, 0);
}

} // namespace
