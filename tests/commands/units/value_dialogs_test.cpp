// The unit dialogs that are only fields: ability, quantity, join, turn and
// side tests and settings, equipment and items. What the shared engine
// checks do not: the fallbacks of the stored values, the captions of the
// exchanged tests, the level and item numbering, the greyed level change.
#include "commands/common/engine_test_support.h"
#include "commands/units/unit_test_support.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "fixtures/unit_fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using enginetest::CommandNode;
using fixtures::unitRecord;

namespace {

using unittest::list;
using unittest::box;
using unittest::useGameData;

QString caption(const CommandNode &cmd, bool child = false)
{
    return core::commandCaption(cmd.key(), core::CaptionSite::Creation, child, cmd.ctx.captions);
}

// A stored value outside a list shows as a placeholder (the caption's word
// for it, else the item it loads as, else its number; with the number where
// the word is an item's) and an untouched OK writes it back as stored.
struct Kept {
    int code;
    int pos;
    const char *listName;
    int stored;
    const char16_t *shown;
};

const Kept kKept[] = {
    {0x36, 17, "cbAbility", 0x20, u"無 (32)"},
    {0x36, 37, "cbCompare", 3, u"≠"},  // the fourth comparison in the caption's word
    {0x38, 25, "cbOperator", 3, u"- (3)"},  // no caption word: as it loads
    {0x37, 9, "cbThings", 7, u"야심 (7)"},
    {0x37, 29, "cbCompare", 3, u"≠"},
    {0x3A, 17, "cbOperator", 9, u"- (9)"},
    {0x3F, 21, "cbCompare", 0xFFFF, u"65535"},
    {0x40, 9, "cbTurn", 5, u"적군차례 (5)"},
    {0x41, 9, "cbArmy", 9, u"모든부대 (9)"},
    {0x41, 37, "cbZone", 2, u"맵 전체 (2)"},
    {0x3B, 17, "cbJoin", 7, u"탈퇴 (7)"},
    {0x3B, 25, "cbLV", 101, u"- Lv 51"},
    {0x3C, 25, "cbCompare", 5, u"= (5)"},
    {0x3D, 17, "cbItemLv", 10, u"Lv10"},
    {0x3D, 17, "cbItemLv", 0x405, u"[Var5]"},
    {0x3D, 17, "cbItemLv", 0xFFFF, u"DefLv (65535)"},
    {0x3E, 41, "cbDLv", 12, u"Lv12"},
    {0x3E, 17, "cbWeapon", 0xFFFF, u"묵인장비"},
};

TEST(UnitValueDialogs, OutOfListValuesShowAsPlaceholdersAndAreKept)
{
    for (const Kept &f : kKept) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(f.code, 0, 16).arg(f.listName).toStdString());
        const QString stored = unitRecord(f.code, {{f.pos, 2, f.stored}});
        CommandNode cmd(stored);
        EXPECT_FALSE(cmd.edit([&](QDialog &d) {
            EXPECT_EQ(list(d, f.listName)->currentText().toStdString(), QString::fromUtf16(f.shown).toStdString());
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.record(), stored);
    }
}

TEST(UnitValueDialogs, AbilityTestIsCaptionedComparisonFirstAndKeepsItsOrder)
{
    const QString stored = unitRecord(0x36, {{9, 2, 1}, {17, 2, 3}, {25, 4, 100}, {37, 2, 0}});
    CommandNode cmd(stored);
    useGameData(cmd);
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 36 : 무장능력시험"));
        EXPECT_EQ(list(d, "cbChar")->currentText(), QStringLiteral("인물1"));
        EXPECT_EQ(list(d, "cbAbility")->currentText(), QStringLiteral("Cri"));
        EXPECT_EQ(box(d, "tCompareNum")->text(), QStringLiteral("100"));
        EXPECT_EQ(list(d, "cbCompare")->currentText(), QStringLiteral(">="));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), stored);
    EXPECT_EQ(cmd.records, 0);

    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        box(d, "tCompareNum")->setText(QStringLiteral("101"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), unitRecord(0x36, {{9, 2, 1}, {17, 2, 3}, {25, 4, 101}, {37, 2, 0}}));
    const QString text = cmd.text();
    EXPECT_EQ(text, caption(cmd));
    EXPECT_LT(text.indexOf(QStringLiteral(">=")), text.indexOf(QStringLiteral("101")));
}

TEST(UnitValueDialogs, BlockTestsHeadingANestedListKeepTheLengthWordOutOfKeyAndCaption)
{
    struct Case {
        int code;
        const char *box;
    } cases[] = {{0x36, "tCompareNum"}, {0x37, "tCompareNum"}, {0x3F, "tCompareNum"}, {0x41, "tCompareNum"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        const QString record = core::defaultRecord(c.code) + QStringLiteral("3412");
        CommandNode cmd(record);
        cmd.tree.add(cmd.node, core::Relation::LastChild, QStringLiteral("FFFF_c1"), QStringLiteral("end"));
        EXPECT_TRUE(cmd.edit([&](QDialog &d) {
            box(d, c.box)->setText(QStringLiteral("12"));
            enginetest::click(d, "cConfig");
        }));
        EXPECT_TRUE(cmd.record().endsWith(QStringLiteral("3412")));
        EXPECT_EQ(cmd.record().size(), record.size());
        EXPECT_EQ(cmd.text(), caption(cmd, true));
        EXPECT_FALSE(cmd.text().contains(QStringLiteral("4660")));  // 0x1234
        EXPECT_EQ(cmd.records, 1);
    }
}

TEST(UnitValueDialogs, SettingsWriteTheirFieldsInStoredOrder)
{
    CommandNode cmd(unitRecord(0x38));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 38 : 무장능력설정"));
        list(d, "cbChar")->setCurrentIndex(5);
        list(d, "cbAbility")->setCurrentIndex(16);
        list(d, "cbOperator")->setCurrentIndex(1);
        box(d, "tOperationNum")->setText(QStringLiteral("16777216"));
        EXPECT_EQ(box(d, "tOperationNum")->text(), QStringLiteral("16777215"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), QStringLiteral("380002000500") + QStringLiteral("2300FFFF34000100") + QStringLiteral("0400FFFFFF00"));
    EXPECT_EQ(cmd.text(), caption(cmd));

    CommandNode things(unitRecord(0x3A));
    EXPECT_TRUE(things.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 3A : 돈,SceIndex,야심설정"));
        list(d, "cbThings")->setCurrentIndex(1);
        list(d, "cbOperator")->setCurrentIndex(2);
        box(d, "tCompareNum")->setText(QStringLiteral("250"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(things.record(), QStringLiteral("3A002800010034000200") + QStringLiteral("0400FA000000"));
}

TEST(UnitValueDialogs, NegativeStoredNumbersComeBackUnchanged)
{
    for (int code : {0x36, 0x37, 0x38, 0x3A, 0x3F, 0x41}) {
        SCOPED_TRACE(code);
        const int pos = code == 0x3F ? 9 : code == 0x36 ? 25 : code == 0x38 ? 33 : code == 0x3A ? 25 : 17;
        const QString stored = unitRecord(code, {{pos, 4, -1}});
        CommandNode cmd(stored);
        EXPECT_FALSE(cmd.edit([](QDialog &d) {
            const auto boxes = d.findChildren<QLineEdit *>();
            bool shown = false;
            for (QLineEdit *b : boxes)
                shown = shown || b->text() == QStringLiteral("-1");
            EXPECT_TRUE(shown);
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.record(), stored);
    }
}

TEST(UnitValueDialogs, LeavingGreysTheLevelChangeAndJoiningBringsItBack)
{
    CommandNode cmd(unitRecord(0x3B, {{17, 2, 2}, {25, 2, 3}}));
    core::CaptionSettings settings;
    settings.charLvMax = 50;
    cmd.ctx.captions.settings = &settings;
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_FALSE(list(d, "cbLV")->isEnabled());
        EXPECT_EQ(list(d, "cbLV")->currentText(), QStringLiteral("+ Lv 3"));
        list(d, "cbJoin")->setCurrentIndex(1);
        EXPECT_TRUE(list(d, "cbLV")->isEnabled());
        EXPECT_EQ(list(d, "cbLV")->count(), 101);
        list(d, "cbLV")->setCurrentIndex(51);
        EXPECT_EQ(list(d, "cbLV")->currentText(), QStringLiteral("- Lv 1"));
        list(d, "cbJoin")->setCurrentIndex(2);
        EXPECT_FALSE(list(d, "cbLV")->isEnabled());
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record().mid(16, 4), QStringLiteral("0200"));
    EXPECT_EQ(cmd.record().mid(24, 4), QStringLiteral("3300"));  // a greyed list writes what it shows
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("탈퇴")));
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("- Lv 1")));
}

TEST(UnitValueDialogs, LevelChangeListFollowsTheSettingOfTheMoment)
{
    CommandNode cmd(unitRecord(0x3B, {{25, 2, 1}}));
    cmd.settings.insert(QStringLiteral("Setting/CharLvMax"), QStringLiteral("0"));
    // One item, "+ Lv 0"; the stored 1 it cannot show is kept.
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(list(d, "cbLV")->count(), 2);
        EXPECT_EQ(list(d, "cbLV")->itemText(0), QStringLiteral("+ Lv 0"));
        EXPECT_EQ(list(d, "cbLV")->currentIndex(), 1);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record().mid(24, 4), QStringLiteral("0100"));
}

TEST(UnitValueDialogs, JoinTestIsCaptionedComparisonFirst)
{
    CommandNode cmd(unitRecord(0x3C));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정- 3C : 무장가입시험"));
        EXPECT_EQ(list(d, "cbCompare")->currentText(), QStringLiteral("≠ "));
        list(d, "cbJoin")->setCurrentIndex(1);
        list(d, "cbCompare")->setCurrentIndex(1);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), QStringLiteral("3C000200FFFF0E0001003A000100"));
    const QString text = cmd.text();
    EXPECT_EQ(text, caption(cmd));
    EXPECT_LT(text.indexOf(u'='), text.indexOf(QStringLiteral("보존가입")));
}

TEST(UnitValueDialogs, ItemNumberingSkipsTheCodesBetweenDataAndStarItems)
{
    struct Case {
        int stored;
        int index;
        int saved;
    } cases[] = {{0xFFFF, 116, 0xFFFF}, {103, 103, 103}, {104, 104, 104}, {135, 109, 135},
                 {116, 117, 116}, {142, 117, 142}, {0, 0, 0}};  // 117: a kept code past the table
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        CommandNode cmd(unitRecord(0x3D, {{9, 2, c.stored}}));
        useGameData(cmd);
        cmd.edit([&](QDialog &d) {
            EXPECT_EQ(list(d, "cbItem")->count(), c.index == 117 ? 118 : 117);
            EXPECT_EQ(list(d, "cbItem")->currentIndex(), c.index);
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(core::keyField(cmd.key(), 9, 2), c.saved);
    }
}

TEST(UnitValueDialogs, ItemGainWritesEveryField)
{
    CommandNode cmd(unitRecord(0x3D, {{25, 2, 4}}));
    useGameData(cmd);
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 3D : 물품획득"));
        auto *check = d.findChild<QCheckBox *>(QStringLiteral("ckPoint"));
        EXPECT_FALSE(check->isChecked());  // a flag above 1 loads clear
        check->setChecked(true);
        list(d, "cbItem")->setCurrentIndex(104);
        list(d, "cbItemLv")->setCurrentIndex(9);
        EXPECT_EQ(list(d, "cbItemLv")->currentText(), QStringLiteral("Lv9"));
        list(d, "cbChar")->setCurrentIndex(1024);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), QStringLiteral("3D001700820049000900260001000200") + QStringLiteral("0004"));
    EXPECT_EQ(cmd.text(), caption(cmd));
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("시점변화")));
}

TEST(UnitValueDialogs, EquipmentListsHoldTheirOwnItemsAndWriteTheirValues)
{
    CommandNode cmd(unitRecord(0x3E, {{17, 2, 2 + 11}, {49, 2, 0xFFFF}}));
    useGameData(cmd);
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        // 11 is armour: in the weapon field it names nothing the list holds,
        // so it shows as a kept item after the list's own.
        EXPECT_EQ(list(d, "cbWeapon")->currentIndex(), 2 + 58);
        EXPECT_EQ(list(d, "cbAssist")->currentIndex(), 2 + 29);
        EXPECT_EQ(list(d, "cbWeapon")->count(), 2 + 58 + 1);
        EXPECT_EQ(list(d, "cbDefence")->count(), 2 + 29);
        EXPECT_EQ(list(d, "cbAssist")->count(), 2 + 29 + 1);
        EXPECT_EQ(list(d, "cbWLv")->count(), 10);
        // Items by their trailing value: code 10 and the star item 104 (code 130).
        QComboBox *weapons = list(d, "cbWeapon");
        weapons->setCurrentIndex(weapons->findText(QStringLiteral("물품10"), Qt::MatchStartsWith));
        list(d, "cbDefence")->setCurrentIndex(1);
        list(d, "cbDLv")->setCurrentIndex(9);
        QComboBox *assists = list(d, "cbAssist");
        assists->setCurrentIndex(assists->findText(QStringLiteral("물품107"), Qt::MatchStartsWith));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record().mid(16, 4), QStringLiteral("0C00"));
    EXPECT_EQ(cmd.record().mid(32, 4), QStringLiteral("0100"));
    EXPECT_EQ(cmd.record().mid(40, 4), QStringLiteral("0900"));
    EXPECT_EQ(core::keyField(cmd.key(), 49, 2), 2 + 107 + 26);
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("장비無")));

    CommandNode star(unitRecord(0x3E));
    useGameData(star);
    EXPECT_TRUE(star.edit([](QDialog &d) {
        QComboBox *weapons = list(d, "cbWeapon");
        weapons->setCurrentIndex(weapons->findText(QStringLiteral("물품104"), Qt::MatchStartsWith));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(core::keyField(star.key(), 17, 2), 132);
}

TEST(UnitValueDialogs, EquipmentWithoutGameDataOffersTheTwoFixedItems)
{
    // Without game data the stored equipment 40 is kept, not wiped to 0.
    CommandNode cmd(unitRecord(0x3E, {{17, 2, 1}, {33, 2, 40}}));
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(list(d, "cbWeapon")->count(), 2);
        EXPECT_EQ(list(d, "cbWeapon")->currentIndex(), 1);
        EXPECT_EQ(list(d, "cbDefence")->count(), 3);
        EXPECT_EQ(list(d, "cbDefence")->currentIndex(), 2);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record().mid(32, 4), QStringLiteral("2800"));
}

TEST(UnitValueDialogs, UnitCountHidesItsRectangleOnTheWholeMapAndKeepsIt)
{
    const QString stored = unitRecord(0x41, {{37, 2, 0}, {45, 4, 3}, {57, 4, 7}, {69, 4, 10}, {81, 4, 2}});
    CommandNode cmd(stored);
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_FALSE(box(d, "tX0")->isVisible());
        EXPECT_FALSE(box(d, "tY1")->isVisible());
        EXPECT_FALSE(d.findChild<QWidget *>(QStringLiteral("cMap1"))->isVisible());
        list(d, "cbZone")->setCurrentIndex(1);
        EXPECT_TRUE(box(d, "tX0")->isVisible());
        EXPECT_TRUE(d.findChild<QWidget *>(QStringLiteral("cMap1"))->isVisible());
        EXPECT_EQ(box(d, "tX1")->text(), QStringLiteral("10"));
        box(d, "tY0")->setText(QStringLiteral("41"));
        EXPECT_EQ(box(d, "tY0")->text(), QStringLiteral("40"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), unitRecord(0x41, {{37, 2, 1}, {45, 4, 3}, {57, 4, 40}, {69, 4, 10}, {81, 4, 2}}));
    EXPECT_EQ(cmd.text(), caption(cmd));
}

TEST(UnitValueDialogs, CancelAfterChangesLeavesKeyAndCaption)
{
    for (int code : {0x36, 0x37, 0x38, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41}) {
        SCOPED_TRACE(code);
        CommandNode cmd(unitRecord(code));
        const QString key = cmd.key(), text = cmd.text();
        EXPECT_FALSE(cmd.edit([](QDialog &d) {
            for (QComboBox *l : d.findChildren<QComboBox *>())
                l->setCurrentIndex(1);
            enginetest::click(d, "cCancel");
        }));
        EXPECT_EQ(cmd.key(), key);
        EXPECT_EQ(cmd.text(), text);
        EXPECT_EQ(cmd.records, 0);
    }
}

} // namespace
