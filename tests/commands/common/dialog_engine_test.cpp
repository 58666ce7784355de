// The dialog engine on descriptions made for the test: stored values the
// lists cannot show (placeholders that keep them), flags, choices of two,
// the settings behind the level lists, and the window the description names.
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
    QString r = core::longToHex(code, 2) + QString(length * 2 - 4, u'0');
    for (const auto &[pos, v] : values)
        core::keyWriteField(r, pos, 2, v);
    return r;
}

struct Opened
{
    CommandNode cmd;
    std::unique_ptr<EngineDialog> d;
    // Shown at once, as the dispatch shows it: what it shows now is its
    // picture of the stored key.
    Opened(const QString &rec, const DialogDescription &desc, QHash<QString, QString> settings = {}) : cmd(rec)
    {
        cmd.settings = std::move(settings);
        d = std::make_unique<EngineDialog>(cmd.ctx, desc);
        d->show();
    }
    QComboBox *list(const char *name) { return d->findChild<QComboBox *>(QLatin1String(name)); }
    // The record OK hands back (the stored one when nothing changed).
    QString saved()
    {
        cmd.ctx.change.reset();
        d->configButton()->click();
        return cmd.ctx.change ? cmd.ctx.change->key.section(u'_', 0, 0) : cmd.record();
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

TEST(DialogEngine, StoredValuesOutsideFixedListsShowAsPlaceholdersAndAreKept)
{
    struct Case
    {
        int ability, compare;
        int abilityItem, compareItem;
        const char16_t *abilityText, *compareText;
    } cases[] = {
        {3, 0, 3, 0, nullptr, u">="},
        {0xFFFF, 2, 16, 2, u"無", u"= "},
        {0x20, 3, 17, 3, u"無 (32)", u"≠"},  // the fourth comparison in the caption's word
        {16, 9, 17, 3, u"無 (16)", u"9"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.compare);
        const QString stored = record(0x36, {{9, 1}, {17, c.ability}, {37, c.compare}}, 20);
        Opened o(stored, kAbilityDialog);
        EXPECT_EQ(o.list("cbAbility")->currentIndex(), c.abilityItem);
        if (c.abilityText)
            EXPECT_EQ(o.list("cbAbility")->currentText(), QString::fromUtf16(c.abilityText));
        EXPECT_EQ(o.list("cbCompare")->currentIndex(), c.compareItem);
        EXPECT_EQ(o.list("cbCompare")->currentText(), QString::fromUtf16(c.compareText));
        EXPECT_EQ(o.saved(), stored);
    }
    // Picking an item replaces the kept value; the other fields stay.
    const QString stored = record(0x36, {{9, 1}, {17, 0x20}, {37, 9}}, 20);
    Opened o(stored, kAbilityDialog);
    o.list("cbCompare")->setCurrentIndex(1);
    QString expected = stored;
    core::keyWriteField(expected, 37, 2, 1);
    EXPECT_EQ(o.saved(), expected);
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
    } cases[] = {
        {2, 1, 1, 51, "50", 2, true, true, u"- Lv 1"},
        {0xFFFF, 0, 0, 0, "50", 4, false, false, u"+ Lv 0"},
        {5, 2, 2, 101, "50", 5, false, false, u"- Lv 51"},  // above 2N: the caption's words
        {4, 7, 9, 3, "", 4, false, false, u"+ Lv 3"},       // 4 is the default facing; no setting: 50
        {1, 1, 0, 2, "abc", 1, true, false, u"+ Lv 2"},
        {1, 1, 0, 2, "0", 1, true, false, u"- Lv 2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.level);
        const QString stored = record(0x3B, {{9, c.dir}, {17, c.flag}, {25, c.choice}, {33, c.level}}, 18);
        Opened o(stored, kMixedDialog, {{QStringLiteral("Setting/CharLvMax"), QString::fromLatin1(c.charLvMax)}});
        EXPECT_EQ(o.list("cbDirection")->currentIndex(), c.dirItem);
        EXPECT_EQ(o.d->findChild<QCheckBox *>("ckFlag")->isChecked(), c.checked);
        EXPECT_EQ(o.d->findChild<QRadioButton *>("oSecond")->isChecked(), c.second);
        EXPECT_EQ(o.d->findChild<QRadioButton *>("oFirst")->isChecked(), !c.second);
        EXPECT_EQ(o.list("cbLV")->currentText(), QString::fromUtf16(c.levelText));
        // Untouched, every field is written back as stored, flags above 1
        // and values past the lists included.
        EXPECT_EQ(o.saved(), stored);
    }
    // One field changed: only its item is written; a stored flag of 7 stays.
    const QString stored = record(0x3B, {{9, 5}, {17, 7}, {25, 9}, {33, 101}}, 18);
    Opened o(stored, kMixedDialog, {{QStringLiteral("Setting/CharLvMax"), QStringLiteral("50")}});
    o.list("cbDirection")->setCurrentIndex(1);
    QString expected = stored;
    core::keyWriteField(expected, 9, 2, 1);
    EXPECT_EQ(o.saved(), expected);
}

TEST(DialogEngine, EquipmentAndItemLevels)
{
    // Without game data: only the two fixed items; stored items keep their
    // value and show in the caption's words.
    {
        const QString stored =
            record(0x3E, {{9, 0xFFFF}, {17, 12}, {25, 12}, {33, 1}, {41, 1024 + 3}, {49, 0xFFFF}}, 26);
        Opened o(stored, kEquipmentDialog, {{QStringLiteral("Setting/ItemLvMax"), QStringLiteral("9")}});
        EXPECT_EQ(o.list("cbWeapon")->count(), 3);  // two fixed items and the kept one
        EXPECT_EQ(o.list("cbWeapon")->currentIndex(), 2);
        EXPECT_EQ(o.list("cbWLv")->currentText(), QStringLiteral("Lv12"));
        EXPECT_EQ(o.list("cbDefence")->currentIndex(), 1);
        EXPECT_EQ(o.list("cbDLv")->currentText(), QStringLiteral("[Var3]"));
        EXPECT_EQ(o.list("cbAssist")->currentIndex(), 2);
        EXPECT_EQ(o.list("cbWLv")->count(), 11);
        EXPECT_EQ(o.saved(), stored);
    }
    // With names: an item of another list is kept as well; choosing a
    // weapon writes it and nothing else.
    core::NameTables names;
    names.weaponNames = QStringList(116);
    names.defenceNames = QStringList(116);
    names.assistNames = QStringList(116);
    names.weaponNames[10] = QStringLiteral("Sword") + QString(39, u' ') + QStringLiteral("12");
    names.defenceNames[11] = QStringLiteral("Mail") + QString(38, u' ') + QStringLiteral("13");
    const QString stored = record(0x3E, {{9, 0xFFFF}, {17, 13}, {25, 0}, {33, 13}, {41, 0}, {49, 0}}, 26);
    CommandNode cmd(stored);
    cmd.ctx.captions.names = &names;
    EngineDialog d(cmd.ctx, kEquipmentDialog);
    d.show();
    auto *weapon = d.findChild<QComboBox *>("cbWeapon");
    EXPECT_EQ(weapon->count(), 4);
    EXPECT_EQ(weapon->currentIndex(), 3);
    EXPECT_EQ(d.findChild<QComboBox *>("cbDefence")->currentIndex(), 2);
    weapon->setCurrentIndex(2);
    d.configButton()->click();
    ASSERT_TRUE(cmd.ctx.change.has_value());
    QString expected = stored;
    core::keyWriteField(expected, 17, 2, 12);
    EXPECT_EQ(cmd.ctx.change->key.section(u'_', 0, 0), expected);
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
    // Codes past the table have no item: a dialog keeps them as placeholders.
    for (int code : {116, 129, 142, 0xFFFE})
        EXPECT_EQ(items.indexOf(code), std::nullopt) << code;
}

} // namespace
