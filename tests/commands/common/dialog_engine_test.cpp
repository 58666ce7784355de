// The dialog engine on descriptions made for the test: list fallbacks and
// kept values, flags, choices of two, the settings behind the level lists,
// and the window the description names.
#include "commands/common/common_lists.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/list_sources.h"
#include "commands/common/number_field.h"
#include "engine_test_support.h"
#include "core/key_codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace commands;
using enginetest::CommandNode;

namespace {

// The field layout of the equipment command 0x3E.
const FieldSpec kEquipment[] = {
    personField(9),
    listField(17, "cbWeapon", u"무기", equipmentList(ListSource::Weapon, 0x3B)),
    listField(25, "cbWLv", u"Lv", itemLevelList()),
    listField(33, "cbDefence", u"방어구", equipmentList(ListSource::Defence, 0x3C)),
    listField(41, "cbDLv", u"Lv", itemLevelList()),
    listField(49, "cbAssist", u"보조", equipmentList(ListSource::Assist, 0x3D)),
};
const DialogDescription kEquipmentDialog{.code = 0x3E, .formName = "FrmTestEquip", .title = u"수정 - 3E : 시험",
                                         .fields = kEquipment};

// Person, ability with "無", a number, a comparison (the layout of 0x36).
const FieldSpec kAbilityTest[] = {
    personField(9),
    listField(17, "cbAbility", u"능력", fixedListWithNone(core::abilityWords(), u"無")),
    numberField(25, "tCompareNum", u"숫자"),
    listField(37, "cbCompare", u"비교", comparisonList()),
};
const DialogDescription kAbilityDialog{.code = 0x36, .formName = "FrmTestAbility", .title = u"수정 - 36 : 시험",
                                       .fields = kAbilityTest};

// A direction, a flag, a choice of two and a level change, no person; the
// values sit where the record of 0x3B keeps its 2-byte items.
const FieldSpec kMixed[] = {
    listField(9, "cbDirection", u"방향", directionList()),
    checkField(17, "ckFlag", u"표시"),
    optionPairField(25, u"방식", "oFirst", u"처음", "oSecond", u"둘째"),
    listField(33, "cbLV", u"Lv", levelChangeList()),
};
const DialogDescription kMixedDialog{.code = 0x3B, .formName = "FrmTestMixed", .title = u"수정 - 시험",
                                     .fields = kMixed};

QString record(int code, std::initializer_list<std::pair<int, int>> values, int length)
{
    QString r = core::LongToHex(code, 2) + QString(length * 2 - 4, u'0');
    for (const auto &[pos, v] : values)
        core::keyWriteField(r, pos, 2, v);
    return r;
}

struct Opened
{
    CommandNode cmd;
    std::unique_ptr<EngineDialog> d;
    Opened(const QString &rec, const DialogDescription &desc, QHash<QString, QString> settings = {}) : cmd(rec)
    {
        cmd.settings = std::move(settings);
        d = std::make_unique<EngineDialog>(cmd.ctx, desc);
    }
    QComboBox *list(const char *name) { return d->findChild<QComboBox *>(QLatin1String(name)); }
    QString saved()
    {
        d->configButton()->click();
        return cmd.record();
    }
};

TEST(DialogEngine, WindowAndControlsCarryTheDescribedNames)
{
    Opened o(record(0x36, {{9, 0xFFFF}}, 20), kAbilityDialog);
    EXPECT_EQ(o.d->objectName(), QStringLiteral("FrmTestAbility"));
    EXPECT_EQ(o.d->windowTitle(), QStringLiteral("수정 - 36 : 시험"));
    for (const char *name : {"cbChar", "tNum", "tName", "oList", "oNum", "oName", "cbAbility", "tCompareNum",
                             "cbCompare", "cConfig", "cCancel"})
        EXPECT_TRUE(o.d->findChild<QWidget *>(QLatin1String(name))) << name;
    EXPECT_EQ(o.list("cbAbility")->count(), 17);
}

TEST(DialogEngine, FixedListsFallBackOrKeepWhatTheCaptionNames)
{
    struct Case
    {
        int ability, compare;
        int abilityItem, compareItem;
        const char16_t *compareText;
        int savedAbility, savedCompare;
    } cases[] = {
        {3, 0, 3, 0, u">=", 3, 0},
        {0xFFFF, 2, 16, 2, u"= ", 0xFFFF, 2},
        {0x20, 3, 16, 3, u"≠", 0xFFFF, 3},  // the fourth comparison survives OK
        {16, 9, 16, 2, u"= ", 0xFFFF, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.compare);
        Opened o(record(0x36, {{9, 1}, {17, c.ability}, {37, c.compare}}, 20), kAbilityDialog);
        EXPECT_EQ(o.list("cbAbility")->currentIndex(), c.abilityItem);
        EXPECT_EQ(o.list("cbCompare")->currentIndex(), c.compareItem);
        EXPECT_EQ(o.list("cbCompare")->currentText(), QString::fromUtf16(c.compareText));
        const QString saved = o.saved();
        EXPECT_EQ(core::HexToLong(saved, 17, 2), c.savedAbility);
        EXPECT_EQ(core::HexToLong(saved, 37, 2), c.savedCompare);
    }
}

TEST(DialogEngine, DirectionFlagChoiceAndLevelChange)
{
    struct Case
    {
        int dir, flag, choice, level;
        const char *charLvMax;
        int dirItem;
        bool checked, second;
        const char16_t *levelText;
        int savedDir, savedFlag, savedChoice, savedLevel;
    } cases[] = {
        {2, 1, 1, 51, "50", 2, true, true, u"- Lv 1", 2, 1, 1, 51},
        {0xFFFF, 0, 0, 0, "50", 4, false, false, u"+ Lv 0", 0xFFFF, 0, 0, 0},
        {5, 2, 2, 101, "50", 4, false, false, u"- Lv 51", 0xFFFF, 0, 0, 101},  // kept: above 2N
        {4, 7, 9, 3, "", 4, false, false, u"+ Lv 3", 0xFFFF, 0, 0, 3},       // no setting: 50
        {1, 1, 0, 2, "abc", 1, true, false, u"+ Lv 2", 1, 1, 0, 2},
        {1, 1, 0, 2, "0", 1, true, false, u"- Lv 2", 1, 1, 0, 2},  // kept, in the caption's words
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.level);
        Opened o(record(0x3B, {{9, c.dir}, {17, c.flag}, {25, c.choice}, {33, c.level}}, 18), kMixedDialog,
                 {{QStringLiteral("Setting/CharLvMax"), QString::fromLatin1(c.charLvMax)}});
        EXPECT_EQ(o.list("cbDirection")->currentIndex(), c.dirItem);
        EXPECT_EQ(o.d->findChild<QCheckBox *>("ckFlag")->isChecked(), c.checked);
        EXPECT_EQ(o.d->findChild<QRadioButton *>("oSecond")->isChecked(), c.second);
        EXPECT_EQ(o.d->findChild<QRadioButton *>("oFirst")->isChecked(), !c.second);
        EXPECT_EQ(o.list("cbLV")->currentText(), QString::fromUtf16(c.levelText));
        const QString saved = o.saved();
        EXPECT_EQ(core::HexToLong(saved, 9, 2), c.savedDir);
        EXPECT_EQ(core::HexToLong(saved, 17, 2), c.savedFlag);
        EXPECT_EQ(core::HexToLong(saved, 25, 2), c.savedChoice);
        EXPECT_EQ(core::HexToLong(saved, 33, 2), c.savedLevel);
    }
}

TEST(DialogEngine, EquipmentAndItemLevels)
{
    // Without game data: only the two fixed items; stored items keep their value.
    {
        Opened o(record(0x3E, {{9, 0xFFFF}, {17, 12}, {25, 12}, {33, 1}, {41, 1024 + 3}, {49, 0xFFFF}}, 26),
                 kEquipmentDialog, {{QStringLiteral("Setting/ItemLvMax"), QStringLiteral("9")}});
        EXPECT_EQ(o.list("cbWeapon")->count(), 3);  // two fixed items and the kept one
        EXPECT_EQ(o.list("cbWLv")->currentText(), QStringLiteral("Lv12"));
        EXPECT_EQ(o.list("cbDefence")->currentIndex(), 1);
        EXPECT_EQ(o.list("cbDLv")->currentText(), QStringLiteral("[Var3]"));
        EXPECT_EQ(o.list("cbAssist")->currentIndex(), 0);
        EXPECT_EQ(o.list("cbWLv")->count(), 11);
        const QString saved = o.saved();
        EXPECT_EQ(core::HexToLong(saved, 17, 2), 12);
        EXPECT_EQ(core::HexToLong(saved, 25, 2), 12);
        EXPECT_EQ(core::HexToLong(saved, 33, 2), 1);
        EXPECT_EQ(core::HexToLong(saved, 41, 2), 1027);
        EXPECT_EQ(core::HexToLong(saved, 49, 2), 0);  // 0xFFFF means the default: written as 0
    }
    // With names: an item of another list falls back to "묵인장비".
    core::NameTables names;
    names.weaponNames = QStringList(116);
    names.defenceNames = QStringList(116);
    names.assistNames = QStringList(116);
    names.weaponNames[10] = QStringLiteral("Sword") + QString(39, u' ') + QStringLiteral("12");
    names.defenceNames[11] = QStringLiteral("Mail") + QString(38, u' ') + QStringLiteral("13");
    CommandNode cmd(record(0x3E, {{9, 0xFFFF}, {17, 13}, {25, 0}, {33, 13}, {41, 0}, {49, 0}}, 26));
    cmd.ctx.captions.names = &names;
    EngineDialog d(cmd.ctx, kEquipmentDialog);
    auto *weapon = d.findChild<QComboBox *>("cbWeapon");
    EXPECT_EQ(weapon->count(), 3);
    EXPECT_EQ(weapon->currentIndex(), 0);
    EXPECT_EQ(d.findChild<QComboBox *>("cbDefence")->currentIndex(), 2);
    weapon->setCurrentIndex(2);
    d.configButton()->click();
    EXPECT_EQ(core::HexToLong(cmd.record(), 17, 2), 12);
    EXPECT_EQ(core::HexToLong(cmd.record(), 33, 2), 13);
}

TEST(ListSources, SettingCountsFallBackAndAreBounded)
{
    CommandNode cmd(QStringLiteral("3900"));
    struct Case
    {
        const char *text;
        int value;
    } cases[] = {{"", 50}, {"abc", 50}, {"20", 20}, {" 7 ", 7}, {"-5", 0}, {"999999", 1000}};
    for (const Case &c : cases) {
        cmd.settings[QStringLiteral("Setting/CharLvMax")] = QString::fromLatin1(c.text);
        EXPECT_EQ(readSettingCount(cmd.ctx, kCharLvMax), c.value) << c.text;
    }
    ListSpec gates = sourceList(ListSource::ObstacleKind);
    const QStringList fixedKinds{"불", "배", "불타는배", "미지"};
    cmd.settings[QStringLiteral("Setting/GateMax")] = QStringLiteral("7");
    EXPECT_EQ(buildList(gates, cmd.ctx).texts, fixedKinds + QStringList({"Gate-1", "Gate-3", "Gate-5"}));
    cmd.settings[QStringLiteral("Setting/GateMax")] = QStringLiteral("8");
    EXPECT_EQ(buildList(gates, cmd.ctx).texts, fixedKinds + QStringList({"Gate-1", "Gate-3", "Gate-5", "Gate-7"}));
    cmd.settings[QStringLiteral("Setting/GateMax")] = QStringLiteral("1");
    EXPECT_EQ(buildList(gates, cmd.ctx).texts, fixedKinds);
    cmd.settings[QStringLiteral("Setting/PMapObjMax")] = QStringLiteral("0");
    EXPECT_EQ(buildList(sourceList(ListSource::MapModel), cmd.ctx).texts, QStringList({"평조번호-1"}));
}

TEST(ListSources, ItemListNumbersTheStarItemsAfterAGap)
{
    CommandNode cmd(QStringLiteral("3D00"));
    const BuiltList items = buildList(sourceList(ListSource::Item), cmd.ctx);
    ASSERT_EQ(items.size(), 117);
    EXPECT_EQ(items.values[103], 103);
    EXPECT_EQ(items.values[104], 130);
    EXPECT_EQ(items.values[116], 0xFFFF);
    EXPECT_EQ(items.indexOf(131), 105);
    EXPECT_EQ(items.indexOf(105), 105);  // an uncanonical code reaches its item
    EXPECT_EQ(items.indexOf(0xFFFF), 116);
    EXPECT_EQ(items.indexOf(142), 116);
}

} // namespace
