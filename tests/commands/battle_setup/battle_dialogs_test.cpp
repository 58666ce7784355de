// The battle set-up dialogs on the engine: battle variables (0x45), enemy
// equipment (0x48), own-unit placement (0x4B), obstacles (0x58), spoils (0x59).
#include "commands/common/character_picker.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/engine_test_support.h"
#include "commands/common/number_field.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "fixtures/army_fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace commands;
using enginetest::CommandNode;

namespace {

template <typename T>
T *child(QDialog &d, const char *name)
{
    T *w = d.findChild<T *>(QLatin1String(name));
    EXPECT_TRUE(w) << name;
    return w;
}
QComboBox *combo(QDialog &d, const char *name) { return child<QComboBox>(d, name); }
QLineEdit *box(QDialog &d, const char *name) { return child<QLineEdit>(d, name); }

// A record with the given 2- or 4-byte values written at their positions.
QString recordWith(int code, std::initializer_list<std::tuple<int, int, std::int64_t>> fields)
{
    QString record = core::defaultRecord(code);
    for (const auto &[pos, width, value] : fields)
        core::keyWriteField(record, pos, width, value);
    return record;
}

// ---------------------------------------------------------------- 0x45

TEST(BattleVariables, LevelAndWeatherOutsideTheListsAreKept)
{
    // A level or pattern no item stands for shows as a last item of its own.
    struct Case { int level; int shownLevel; const char *levelText; int pattern; int shownPattern; };
    const Case cases[] = {
        {50, 50, "+ Lv 50", 5, 5},
        {51, 51, "- Lv 1", 0, 0},
        {100, 100, "- Lv 50", 6, 6},
        {101, 101, "- Lv 51", 0xFFFF, 6},  // the caption's words
    };
    for (const Case &c : cases) {
        // Flags, the paired values and every tag hold marks that must survive.
        CommandNode cmd(recordWith(0x45, {{9, 2, 1}, {17, 2, 0x1234}, {45, 2, 0xBEEF}, {61, 2, 7}, {37, 2, c.level},
                                          {85, 2, c.pattern}, {53, 2, 3}}));
        cmd.settings[QStringLiteral("Setting/CharLvMax")] = QStringLiteral("50");
        const QString before = cmd.key(), caption = cmd.text();
        EXPECT_FALSE(cmd.edit([&](QDialog &d) {
            EXPECT_EQ(combo(d, "cbLV")->count(), c.level > 100 ? 102 : 101);
            EXPECT_EQ(combo(d, "cbLV")->currentIndex(), c.shownLevel);
            EXPECT_EQ(combo(d, "cbLV")->currentText(), QLatin1String(c.levelText));
            EXPECT_EQ(combo(d, "cbWeather")->currentIndex(), c.shownPattern);
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.key(), before);
        EXPECT_EQ(cmd.text(), caption);
    }
}

TEST(BattleVariables, NewCommandAndTheTwoPickers)
{
    CommandNode cmd(core::defaultRecord(0x45));
    const QString caption = cmd.text();
    EXPECT_TRUE(cmd.edit([&](QDialog &d) {
        auto &dialog = static_cast<EngineDialog &>(d);
        CharacterPicker *picker = dialog.picker();
        ASSERT_TRUE(picker);
        ASSERT_EQ(picker->elementCount(), 2);
        EXPECT_EQ(picker->numberBox(0)->text(), QStringLiteral("65535"));
        EXPECT_EQ(picker->numberBox(1)->text(), QStringLiteral("65535"));
        EXPECT_EQ(combo(d, "cbWeatherKind")->currentText(), QStringLiteral("맑음"));
        EXPECT_EQ(combo(d, "cbWeather")->currentText(), QStringLiteral("맑음/맑음/흐림/맑음/맑음"));
        picker->option(core::CharSelectMode::Number)->click();
        EXPECT_TRUE(picker->numberBox(0)->isVisible());
        EXPECT_TRUE(picker->numberBox(1)->isVisible());
        picker->numberBox(1)->setText(QStringLiteral("12"));
        EXPECT_EQ(picker->numberBox(0)->text(), QStringLiteral("65535"));
        box(d, "tTurn")->setText(QStringLiteral("30"));
        combo(d, "cbWeatherKind")->setCurrentIndex(4);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(core::keyField(cmd.key(), 25, 4), 30);
    EXPECT_EQ(core::keyField(cmd.key(), 53, 2), 0xFFFF);
    EXPECT_EQ(core::keyField(cmd.key(), 69, 2), 12);
    EXPECT_EQ(core::keyField(cmd.key(), 77, 2), 4);
    EXPECT_EQ(cmd.text(), caption);
    EXPECT_EQ(cmd.records, 1);
}

TEST(BattleVariables, MoneyAndTurnsAboveTheLimitOpenAsStoredAndTypingIsLimited)
{
    struct Case { int code; int pos; const char *box; std::int64_t stored; const char *shown; };
    const Case cases[] = {
        {0x45, 25, "tTurn", 16777216, "16777216"},
        {0x45, 25, "tTurn", -2, "-2"},
        {0x59, 9, "tNum", 0x7FFFFFFF, "2147483647"},
        {0x59, 9, "tNum", 16777215, "16777215"},
    };
    for (const Case &c : cases) {
        CommandNode cmd(recordWith(c.code, {{c.pos, 4, c.stored}}));
        cmd.edit([&](QDialog &d) {
            EXPECT_EQ(box(d, c.box)->text(), QLatin1String(c.shown));
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(core::keyField(cmd.key(), c.pos, 4), c.stored);

        CommandNode typed(recordWith(c.code, {}));
        typed.edit([&](QDialog &d) {
            box(d, c.box)->clear();
            QTest::keyClicks(box(d, c.box), QStringLiteral("16777216"));
            EXPECT_EQ(box(d, c.box)->text(), QStringLiteral("16777215"));
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(core::keyField(typed.key(), c.pos, 4), 16777215);
    }
}

// ---------------------------------------------------------------- 0x48

TEST(EnemyEquipment, NewCommandOpensOnDefaultsAndItemsSaveByTheirValue)
{
    core::NameTables names = fixtures::armyTestNames();
    names.weaponNames = QStringList(116);
    names.weaponNames[3] = QStringLiteral("철검") + QString(39, u' ') + QStringLiteral("5");
    CommandNode cmd(core::defaultRecord(0x48));
    cmd.ctx.captions.names = &names;
    cmd.edit([&](QDialog &d) {
        EXPECT_EQ(static_cast<EngineDialog &>(d).picker()->list(0)->currentText(), QStringLiteral("無"));
        for (const char *list : {"cbWeapon", "cbDefence", "cbAssist"})
            EXPECT_TRUE(combo(d, list)->currentText().startsWith(QStringLiteral("묵인장비"))) << list;
        for (const char *list : {"cbWLv", "cbDLv"})
            EXPECT_EQ(combo(d, list)->currentText(), QStringLiteral("DefLv"));
        ASSERT_EQ(combo(d, "cbWeapon")->count(), 3);
        combo(d, "cbWeapon")->setCurrentIndex(2);
        combo(d, "cbDLv")->setCurrentIndex(9);
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(core::keyField(cmd.key(), 17, 2), 5);
    EXPECT_EQ(core::keyField(cmd.key(), 41, 2), 9);
    EXPECT_TRUE(cmd.text().startsWith(core::menuName(0x48)));
    EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
}

// ---------------------------------------------------------------- 0x4B

struct FakeBattleMap
{
    // The picker: records what it was asked and picks `cell` when set.
    std::vector<workspace::BattleMapRequest> calls;
    std::optional<QPoint> cell;

    // Runs `act` with this picker standing in.
    void during(const std::function<void()> &act)
    {
        workspace::ScopedMapPickers fake({.battle = [this](workspace::EditContext &,
                                                           const workspace::BattleMapRequest &r) {
            calls.push_back(r);
            return cell ? std::optional(workspace::BattleMapPick{*cell, std::nullopt, {}}) : std::nullopt;
        }});
        act();
    }
};

TEST(OwnUnitPlacementDialog, StoredValuesLoadAndAreKept)
{
    // A facing of 4 selects the default facing, one past it shows as an item
    // of its own (index 5); a hide flag of 2 opens clear; an untouched OK
    // keeps all of them.
    struct Case { std::int64_t x; int facing; int hidden; const char *shownX; int shownFacing; bool checked;
                  std::int64_t savedX; int savedFacing; int savedHidden; };
    const Case cases[] = {
        {0, 0xFFFF, 0, "0", 4, false, 0, 0xFFFF, 0},
        {7, 2, 1, "7", 2, true, 7, 2, 1},
        {0x10005, 4, 2, "65541", 4, false, 0x10005, 4, 2},
        {41, 5, 0, "41", 5, false, 41, 5, 0},
        {-3, 0, 0, "-3", 0, false, -3, 0, 0},
    };
    for (const Case &c : cases) {
        CommandNode cmd(recordWith(0x4B, {{21, 4, c.x}, {45, 2, c.facing}, {53, 2, c.hidden}}));
        cmd.edit([&](QDialog &d) {
            EXPECT_EQ(box(d, "tX")->text(), QLatin1String(c.shownX));
            EXPECT_EQ(combo(d, "cbDirection")->currentIndex(), c.shownFacing);
            EXPECT_EQ(child<QCheckBox>(d, "ckHide")->isChecked(), c.checked);
            enginetest::click(d, "cConfig");
        });
        const auto p = core::readOwnUnitPlacement(cmd.key());
        ASSERT_TRUE(p);
        EXPECT_EQ(p->x, c.savedX);
        EXPECT_EQ(p->direction, c.savedFacing);
        EXPECT_EQ(p->hidden, c.savedHidden);
        EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
    }
}

TEST(OwnUnitPlacementDialog, MapPlacesTheUnitAndCancelKeepsTheNode)
{
    for (bool ok : {true, false}) {
        CommandNode cmd(recordWith(0x4B, {{9, 4, 3}, {21, 4, 2}, {33, 4, 2}}));
        const QString key = cmd.key(), caption = cmd.text();
        FakeBattleMap map;
        map.cell = QPoint(12, 7);
        cmd.edit([&](QDialog &d) {
            map.during([&] { child<QPushButton>(d, "cMap1")->click(); });
            ASSERT_EQ(map.calls.size(), 1u);
            EXPECT_EQ(map.calls[0].mode, 5);
            EXPECT_FALSE(map.calls[0].whole);
            EXPECT_EQ(map.calls[0].sortieIndex, box(d, "tBFIndex")->text().toInt());
            EXPECT_EQ(QPoint(map.calls[0].x0, map.calls[0].y0), QPoint(2, 2));
            EXPECT_EQ(box(d, "tX")->text(), QStringLiteral("12"));
            EXPECT_EQ(box(d, "tY")->text(), QStringLiteral("7"));
            QTest::keyClicks(box(d, "tY"), QStringLiteral("1"));  // 71: over the limit
            EXPECT_EQ(box(d, "tY")->text(), QStringLiteral("40"));
            enginetest::click(d, ok ? "cConfig" : "cCancel");
        });
        if (ok) {
            EXPECT_EQ(core::readOwnUnitPlacement(cmd.key()), (core::OwnUnitPlacement{3, 12, 40, 0xFFFF, 0}));
        } else {
            EXPECT_EQ(cmd.key(), key);
            EXPECT_EQ(cmd.text(), caption);
            EXPECT_EQ(cmd.records, 0);
        }
    }
}

// ---------------------------------------------------------------- 0x58

TEST(ObstacleDialog, GateKindsFollowTheSetting)
{
    struct Case { const char *gateMax; int stored; int items; const char *last; int shown; int saved; };
    // A kind past the gates of the moment shows as a last item of its own,
    // named as the caption names it, and is kept.
    const Case cases[] = {
        {"186", 96, 97, "Gate-185", 96, 96},
        {"186", 97, 98, "Gate-187", 97, 97},
        {"186", 0xFFFF, 98, "Gate-131063", 97, 0xFFFF},
        {"7", 7, 8, "Gate-7", 7, 7},
        {"7", 6, 7, "Gate-5", 6, 6},
        {"8", 7, 8, "Gate-7", 7, 7},
    };
    for (const Case &c : cases) {
        CommandNode cmd(recordWith(0x58, {{9, 2, c.stored}}));
        cmd.settings[QStringLiteral("Setting/GateMax")] = QLatin1String(c.gateMax);
        cmd.edit([&](QDialog &d) {
            QComboBox *kinds = combo(d, "cbThings");
            EXPECT_EQ(kinds->count(), c.items) << c.gateMax;
            EXPECT_EQ(kinds->itemText(kinds->count() - 1), QLatin1String(c.last));
            EXPECT_EQ(kinds->currentIndex(), c.shown) << c.gateMax << " " << c.stored;
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(core::keyField(cmd.key(), 9, 2), c.saved);
    }
}

TEST(ObstacleDialog, ListsFlagsAndCells)
{
    CommandNode cmd(recordWith(0x58, {{17, 2, 0xFFFF}, {25, 2, 29}, {33, 4, 0x10000}, {57, 2, 2}, {65, 2, 1}}));
    EXPECT_FALSE(cmd.edit([&](QDialog &d) {
        // An action of 0xFFFF has no item: kept, under the caption's "만듬"
        // and its number, which tell it from the item "만듬".
        EXPECT_EQ(combo(d, "cbMake")->currentText(), QStringLiteral("만듬 (65535)"));
        EXPECT_EQ(combo(d, "cbMake")->currentIndex(), 2);
        EXPECT_EQ(combo(d, "cbGround")->currentText(), QStringLiteral("지하"));
        EXPECT_EQ(combo(d, "cbGround")->count(), 30);
        EXPECT_EQ(box(d, "tX")->text(), QStringLiteral("65536"));
        EXPECT_FALSE(child<QCheckBox>(d, "ckViewPoint")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(d, "ckDelay")->isChecked());
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.key().mid(16, 4), QStringLiteral("FFFF"));
    EXPECT_EQ(core::keyField(cmd.key(), 33, 4), 0x10000);
    EXPECT_EQ(core::keyField(cmd.key(), 57, 2), 2);
    EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));

    CommandNode plain(recordWith(0x58, {{25, 2, 30}}));
    plain.edit([&](QDialog &d) {
        EXPECT_EQ(combo(d, "cbGround")->currentText(), QStringLiteral("30"));  // past the list: kept
        enginetest::click(d, "cCancel");
    });
}

TEST(ObstacleDialog, MapShowsTheUnsavedKindAndCancelKeepsTheNode)
{
    CommandNode cmd(recordWith(0x58, {{33, 4, 3}, {45, 4, 4}}));
    const QString key = cmd.key(), caption = cmd.text();
    FakeBattleMap map;
    map.cell = QPoint(9, 10);
    cmd.edit([&](QDialog &d) {
        combo(d, "cbThings")->setCurrentIndex(1);  // "배"
        map.during([&] { child<QPushButton>(d, "cMap1")->click(); });
        ASSERT_EQ(map.calls.size(), 1u);
        EXPECT_EQ(map.calls[0].mode, 6);
        EXPECT_EQ(map.calls[0].objectNode, cmd.node);
        EXPECT_EQ(map.calls[0].objectKind, 1);
        EXPECT_EQ(QPoint(map.calls[0].x0, map.calls[0].y0), QPoint(3, 4));
        EXPECT_EQ(box(d, "tX")->text(), QStringLiteral("9"));
        EXPECT_EQ(box(d, "tY")->text(), QStringLiteral("10"));
        enginetest::click(d, "cCancel");
    });
    EXPECT_EQ(cmd.key(), key);
    EXPECT_EQ(cmd.text(), caption);
    EXPECT_EQ(cmd.records, 0);
}

// ---------------------------------------------------------------- 0x59

TEST(SpoilsDialog, ItemNumberingAndStoredValuesKept)
{
    CommandNode cmd(recordWith(0x59, {{21, 2, 116}, {29, 2, 12}, {37, 2, 133}, {45, 2, 0xFFFF}, {53, 2, 142},
                                      {61, 2, 4}, {69, 2, 2}}));
    cmd.settings[QStringLiteral("Setting/ItemLvMax")] = QStringLiteral("12");
    cmd.edit([&](QDialog &d) {
        EXPECT_EQ(combo(d, "cbItem0")->currentText(), QStringLiteral("116"));  // past the table: kept
        EXPECT_EQ(combo(d, "cbItem0")->count(), 118);
        EXPECT_EQ(combo(d, "cbItemLv0")->count(), 13);
        EXPECT_EQ(combo(d, "cbItemLv0")->currentText(), QStringLiteral("Lv12"));  // its own item, not Lv9
        EXPECT_EQ(combo(d, "cbItem1")->currentIndex(), 107);
        EXPECT_EQ(combo(d, "cbItemLv1")->currentText(), QStringLiteral("DefLv (65535)"));
        EXPECT_EQ(combo(d, "cbItem2")->currentIndex(), 117);
        EXPECT_EQ(combo(d, "cbItemLv2")->currentIndex(), 4);
        EXPECT_FALSE(child<QCheckBox>(d, "ckFinal")->isChecked());
        enginetest::click(d, "cConfig");
    });
    // Untouched, every stored value comes back as it was.
    const QString k = cmd.key();
    EXPECT_EQ(core::keyField(k, 21, 2), 116);
    EXPECT_EQ(core::keyField(k, 29, 2), 12);
    EXPECT_EQ(core::keyField(k, 37, 2), 133);
    EXPECT_EQ(core::keyField(k, 45, 2), 0xFFFF);
    EXPECT_EQ(core::keyField(k, 53, 2), 142);
    EXPECT_EQ(core::keyField(k, 61, 2), 4);
    EXPECT_EQ(core::keyField(k, 69, 2), 2);
    EXPECT_EQ(cmd.text(), CommandNode::caption(k));
}

TEST(SpoilsDialog, LevelsPastTheListShowWhatIsStoredAndKeepIt)
{
    // ItemLvMax is 9 by default: levels 0..9 have items of their own.
    struct Case { int stored; const char *shown; };
    const Case cases[] = {{9, "Lv9"}, {10, "Lv10"}, {200, "Lv200"}, {1023, "Lv1023"}, {1024, "[Var0]"},
                          {0xFFFE, "[Var64510]"}, {0xFFFF, "DefLv (65535)"}, {0, "DefLv"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        CommandNode cmd(recordWith(0x59, {{29, 2, c.stored}, {45, 2, c.stored}}));
        const QString key = cmd.key();
        EXPECT_FALSE(cmd.edit([&](QDialog &d) {
            EXPECT_EQ(combo(d, "cbItemLv0")->currentText(), QLatin1String(c.shown));
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.key(), key);
        // Picking a real item writes it; the other row keeps its value.
        EXPECT_TRUE(cmd.edit([&](QDialog &d) {
            combo(d, "cbItemLv0")->setCurrentIndex(3);
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(core::keyField(cmd.key(), 29, 2), 3);
        EXPECT_EQ(core::keyField(cmd.key(), 45, 2), c.stored);
    }
}

TEST(SpoilsDialog, ChangingOneRowChangesOnlyItsCharacters)
{
    CommandNode cmd(core::defaultRecord(0x59));
    const QString before = cmd.key();
    cmd.edit([&](QDialog &d) {
        EXPECT_EQ(box(d, "tNum")->text(), QStringLiteral("0"));
        combo(d, "cbItem1")->setCurrentIndex(104);
        combo(d, "cbItemLv1")->setCurrentIndex(3);
        child<QCheckBox>(d, "ckFinal")->setChecked(false);
        enginetest::click(d, "cConfig");
    });
    const QString after = cmd.key();
    ASSERT_EQ(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i) {
        const int pos = i + 1;
        const bool inRow = (pos >= 37 && pos <= 40) || (pos >= 45 && pos <= 48);
        if (!inRow) {
            EXPECT_EQ(after[i], before[i]) << "char " << pos;
        }
    }
    EXPECT_EQ(core::keyField(after, 37, 2), 130);
    EXPECT_EQ(core::keyField(after, 45, 2), 3);
}

} // namespace
