// The army table dialogs of 0x46 and 0x47 through the dispatch.
#include "commands/battle_setup/army_table_dialog.h"
#include "commands/common/character_picker.h"
#include "commands/common/engine_test_support.h"
#include "commands/common/number_field.h"
#include "core/army_slots.h"
#include "core/key_codec.h"
#include "fixtures/army_fixtures.h"
#include "platform/prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace commands;
using enginetest::CommandNode;

namespace {

struct ArmyNode
{
    core::NameTables names = fixtures::armyTestNames();
    const core::ArmyTableLayout &layout;
    CommandNode cmd;

    ArmyNode(const core::ArmyTableLayout &l, const std::vector<core::ArmySlot> &table)
        : layout(l), cmd(fixtures::armyRecordWith(l, table))
    {
        cmd.ctx.captions.names = &names;
    }
    explicit ArmyNode(const core::ArmyTableLayout &l) : ArmyNode(l, std::vector<core::ArmySlot>(std::size_t(l.slotCount))) {}

    std::vector<core::ArmySlot> saved() const { return core::readArmySlots(cmd.key()); }
};

template <typename T>
T *child(QDialog &d, const char *name)
{
    T *w = d.findChild<T *>(QLatin1String(name));
    EXPECT_TRUE(w) << name;
    return w;
}

QListWidget *slotList(QDialog &d) { return child<QListWidget>(d, "lChar"); }
QString text(QDialog &d, const char *box) { return child<QLineEdit>(d, box)->text(); }
int item(QDialog &d, const char *list) { return child<QComboBox>(d, list)->currentIndex(); }
bool panelShown(QDialog &d, const char *panel) { return child<QGroupBox>(d, panel)->isVisibleTo(&d); }

TEST(ArmyTableDialog, NewTablesOpenEmptyAndOkLeavesTheKey)
{
    for (const core::ArmyTableLayout *layout : {&core::kAlliedArmyLayout, &core::kEnemyArmyLayout}) {
        ArmyNode node(*layout);
        const QString key = node.cmd.key(), caption = node.cmd.text();
        QString formName, title;
        EXPECT_FALSE(node.cmd.edit([&](QDialog &d) {
            formName = d.objectName();
            title = d.windowTitle();
            QListWidget *list = slotList(d);
            ASSERT_EQ(list->count(), layout->slotCount);
            for (int i = 0; i < list->count(); ++i)
                EXPECT_EQ(list->item(i)->text(), QStringLiteral("無"));
            EXPECT_EQ(list->currentRow(), 0);
            auto *dialog = static_cast<ArmyTableDialog *>(&d);
            EXPECT_EQ(dialog->picker()->list(0)->currentText(), QStringLiteral("無"));
            EXPECT_EQ(dialog->picker()->numberBox(0)->text(), QStringLiteral("65535"));
            EXPECT_FALSE(child<QCheckBox>(d, "ckHide")->isChecked());
            EXPECT_EQ(d.findChild<QCheckBox *>(QStringLiteral("ckRelief")) != nullptr, layout->hasRelief);
            EXPECT_EQ(text(d, "tX0"), QStringLiteral("0"));
            EXPECT_EQ(text(d, "tY0"), QStringLiteral("0"));
            EXPECT_EQ(child<QComboBox>(d, "cbDirection")->currentText(), QStringLiteral("묵인방향"));
            EXPECT_EQ(item(d, "cbLV"), 0);
            EXPECT_EQ(child<QComboBox>(d, "cbLV")->count(), 101);
            EXPECT_EQ(child<QComboBox>(d, "cbArmyLv")->currentText(), QStringLiteral("고급"));
            EXPECT_EQ(child<QComboBox>(d, "cbAI0")->currentText(), QStringLiteral("무조건 출격"));
            EXPECT_TRUE(panelShown(d, "gbNomal"));
            EXPECT_FALSE(panelShown(d, "gbChar"));
            EXPECT_FALSE(panelShown(d, "gbCoor"));
            enginetest::click(d, "cConfig");
            EXPECT_FALSE(d.isVisible());
        }));
        EXPECT_EQ(formName, layout->hasRelief ? "FrmEnemy47" : "FrmAlliedArmy46");
        EXPECT_EQ(title, layout->hasRelief ? QStringLiteral("수정 - 47 : 적군출현설정") : QStringLiteral("수정 - 46 : 우군출현설정"));
        EXPECT_EQ(node.cmd.key(), key);
        EXPECT_EQ(node.cmd.text(), caption);
        EXPECT_EQ(node.cmd.records, 0);
    }
}

TEST(ArmyTableDialog, StoredValuesLoadWithFallbacksAndAreKeptUntouched)
{
    std::vector<core::ArmySlot> table(80);
    core::ArmySlot &s = table[3];
    s.person = 7;
    s.relief = 1;       // first flag: reinforcement
    s.hidden = 0;
    s.x = 50;           // above 40: shown and saved as stored
    s.y = -3;
    s.aiX = 0x10003;    // variable cell 3
    s.aiY = 12;
    s.direction = 0xFFFF;
    s.levelChange = 200; // beyond 2 * 50
    s.troopLimit = 7;
    s.aiPolicy = 1;
    s.aiPerson = 0xFFFE; // variable person 0
    table[5].person = 8;
    table[5].x = 50;     // never shown: stays 50
    table[5].hidden = 2;
    ArmyNode node(core::kEnemyArmyLayout, table);
    const QString caption = node.cmd.text();
    EXPECT_FALSE(node.cmd.edit([&](QDialog &d) {
        EXPECT_EQ(slotList(d)->item(3)->text(), QStringLiteral("장수7"));
        EXPECT_EQ(slotList(d)->item(5)->text(), QStringLiteral("장수8"));
        slotList(d)->setCurrentRow(3);
        EXPECT_TRUE(child<QCheckBox>(d, "ckRelief")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(d, "ckHide")->isChecked());
        EXPECT_EQ(text(d, "tX0"), QStringLiteral("50"));
        EXPECT_EQ(text(d, "tY0"), QStringLiteral("-3"));
        EXPECT_EQ(text(d, "tX1"), QStringLiteral("*3"));
        EXPECT_EQ(item(d, "cbDirection"), 4);
        EXPECT_EQ(child<QComboBox>(d, "cbLV")->currentText(), QStringLiteral("200"));
        EXPECT_EQ(child<QComboBox>(d, "cbArmyLv")->currentText(), QStringLiteral("7"));
        auto *dialog = static_cast<ArmyTableDialog *>(&d);
        EXPECT_EQ(dialog->picker()->numberBox(1)->text(), QStringLiteral("65534"));
        enginetest::click(d, "cConfig");
    }));
    // Only looked at: every slot keeps its stored values, those no item
    // stands for (a level change of 200, a troop limit of 7, a hide flag of
    // 2) included.
    const auto saved = node.saved();
    EXPECT_EQ(saved[3], s);
    EXPECT_EQ(saved[5].x, 50);
    EXPECT_EQ(saved[5].hidden, 2);
    EXPECT_EQ(node.cmd.text(), caption);
    EXPECT_EQ(node.cmd.records, 0);
}

TEST(ArmyTableDialog, VariablePersonAndCoordinateTyping)
{
    ArmyNode node(core::kAlliedArmyLayout);
    EXPECT_TRUE(node.cmd.edit([&](QDialog &d) {
        auto *dialog = static_cast<ArmyTableDialog *>(&d);
        dialog->picker()->list(0)->setCurrentIndex(1028 + 3);
        EXPECT_EQ(dialog->picker()->numberBox(0)->text(), QString::number(0xFFFE - 3));
        EXPECT_EQ(slotList(d)->item(0)->text(), QStringLiteral("*3"));
        auto *tx = child<QLineEdit>(d, "tX0");
        tx->clear();
        QTest::keyClicks(tx, QStringLiteral("57"));
        EXPECT_EQ(tx->text(), QStringLiteral("40"));
        auto *ty = child<QLineEdit>(d, "tY0");
        ty->clear();
        QTest::keyClicks(ty, QStringLiteral("-a*12"));  // "-" and letters are refused
        EXPECT_EQ(ty->text(), QStringLiteral("*12"));
        enginetest::click(d, "cConfig");
    }));
    const auto saved = node.saved();
    EXPECT_EQ(saved[0].person, 0xFFFE - 3);
    EXPECT_EQ(saved[0].x, 40);
    EXPECT_EQ(saved[0].y, 0x10000 + 12);

    // Reopened, the same entry and person.
    node.cmd.edit([&](QDialog &d) {
        EXPECT_EQ(slotList(d)->item(0)->text(), QStringLiteral("*3"));
        EXPECT_EQ(static_cast<ArmyTableDialog &>(d).picker()->list(0)->currentIndex(), 1031);
        EXPECT_EQ(text(d, "tY0"), QStringLiteral("*12"));
        enginetest::click(d, "cCancel");
    });
}

TEST(ArmyTableDialog, PolicyChoosesThePanelAndTargetsSurvive)
{
    std::vector<core::ArmySlot> table(20);
    table[0].person = 1;
    table[0].aiPerson = 12;
    table[0].aiX = 6;
    table[0].aiY = 9;
    ArmyNode node(core::kAlliedArmyLayout, table);
    node.cmd.edit([&](QDialog &d) {
        const struct { int policy; const char *panel; } cases[] = {
            {3, "gbChar"}, {4, "gbCoor"}, {2, "gbNomal"}, {5, "gbChar"}, {6, "gbCoor"}, {0, "gbNomal"}, {1, "gbNomal"}};
        for (const auto &c : cases) {
            child<QComboBox>(d, "cbAI0")->setCurrentIndex(c.policy);
            for (const char *p : {"gbNomal", "gbChar", "gbCoor"})
                EXPECT_EQ(panelShown(d, p), QLatin1String(p) == QLatin1String(c.panel)) << c.policy << p;
            for (const char *ai : {"cbAI0", "cbAI1", "cbAI2"})
                EXPECT_EQ(item(d, ai), c.policy);
        }
        // The visible panel's own list changes the policy too.
        child<QComboBox>(d, "cbAI1")->setCurrentIndex(4);
        child<QComboBox>(d, "cbAI2")->setCurrentIndex(2);
        enginetest::click(d, "cConfig");
    });
    const auto saved = node.saved();
    EXPECT_EQ(saved[0].aiPolicy, 2);
    EXPECT_EQ(saved[0].aiPerson, 12);
    EXPECT_EQ(saved[0].aiX, 6);
    EXPECT_EQ(saved[0].aiY, 9);
}

TEST(ArmyTableDialog, CopyPasteDeleteAndTheDuplicateCheck)
{
    std::vector<core::ArmySlot> table(20);
    table[0].person = 5;
    table[0].hidden = 1;
    table[0].x = 4;
    table[0].aiPolicy = 3;
    table[0].aiPerson = 1025;
    table[2].person = 9;  // shares the name of person 5
    ArmyNode node(core::kAlliedArmyLayout, table);
    platform::ScriptedPrompts prompts;
    const QString key = node.cmd.key();
    node.cmd.edit([&](QDialog &d) {
        QListWidget *list = slotList(d);
        // Two entries named alike: refused, the later one selected.
        enginetest::click(d, "cConfig");
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_EQ(prompts.messages[0].text, QStringLiteral("중복된 인물이 존재합니다!"));
        EXPECT_EQ(prompts.messages[0].title, QStringLiteral("Error!"));
        EXPECT_EQ(prompts.messages[0].icon, platform::MsgIcon::Exclamation);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(list->currentRow(), 2);
        EXPECT_EQ(node.cmd.key(), key);

        // Delete (with any modifier) empties the slot.
        QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier);
        EXPECT_EQ(list->item(2)->text(), QStringLiteral("無"));

        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);  // nothing
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("無"));
        QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(list->item(1)->text(), QStringLiteral("Alder"));
        EXPECT_TRUE(panelShown(d, "gbChar"));
        enginetest::click(d, "cConfig");
        EXPECT_EQ(prompts.messages.size(), 2);
        EXPECT_EQ(list->currentRow(), 1);
        // Clear the copy, and OK goes through.
        QTest::keyClick(list, Qt::Key_Delete);
        enginetest::click(d, "cConfig");
        EXPECT_FALSE(d.isVisible());
    });
    const auto saved = node.saved();
    EXPECT_EQ(saved[0], table[0]);
    EXPECT_EQ(saved[1], core::ArmySlot{});
    EXPECT_EQ(saved[2], core::ArmySlot{});
}

// --- list values no item stands for --------------------------------------

// One list of a slot: the values stored in slots 1, 2, ... with what the
// list shows for each, and the real item picked over a placeholder with the
// value it writes. Slot 0 holds a new slot's value.
struct SlotListCase
{
    const char *list;
    int core::ArmySlot::*member;
    int ownItems;
    std::vector<std::pair<int, const char16_t *>> stored;
    int pickedItem;
    int pickedValue;
};

const SlotListCase kSlotLists[] = {
    {"cbDirection", &core::ArmySlot::direction, 5,
     {{4, u"묵인방향"}, {0xFFFF, u"묵인방향"}, {5, u"5"}, {0xFFFE, u"65534"}}, 4, 0xFFFF},
    {"cbLV", &core::ArmySlot::levelChange, 101, {{100, u"- Lv 50"}, {101, u"101"}, {0xFFFF, u"65535"}}, 0, 0},
    {"cbArmyLv", &core::ArmySlot::troopLimit, 3, {{2, u"고급"}, {3, u"3"}, {0xFFFF, u"65535"}}, 2, 2},
    {"cbAI0", &core::ArmySlot::aiPolicy, 7, {{6, u"퇴각 지점"}, {7, u"7"}, {0xFFFF, u"65535"}}, 0, 0},
};

std::vector<core::ArmySlot> tableFor(const core::ArmyTableLayout &layout, const SlotListCase &c)
{
    std::vector<core::ArmySlot> table(std::size_t(layout.slotCount));
    for (std::size_t i = 0; i < c.stored.size(); ++i)
        table[i + 1].*c.member = c.stored[i].first;
    return table;
}

bool isOwnValue(const SlotListCase &c, int value)
{
    return value < c.ownItems || (c.member == &core::ArmySlot::direction && value == 0xFFFF);
}

// Shows a slot and checks its list: the slot's own text, and a placeholder
// item only where the slot's value has no item.
void expectSlotShown(QDialog &d, const SlotListCase &c, int row, const QString &text, bool placeholder)
{
    SCOPED_TRACE(row);
    slotList(d)->setCurrentRow(row);
    auto *box = child<QComboBox>(d, c.list);
    EXPECT_EQ(box->currentText(), text);
    EXPECT_EQ(box->count(), c.ownItems + (placeholder ? 1 : 0));
    if (c.member == &core::ArmySlot::aiPolicy) {
        for (const char *other : {"cbAI1", "cbAI2"})
            EXPECT_EQ(child<QComboBox>(d, other)->currentText(), text) << other;
    }
}

TEST(ArmyTableDialog, SlotListsShowStoredValuesPastTheirItemsAndKeepThem)
{
    for (const core::ArmyTableLayout *layout : {&core::kAlliedArmyLayout, &core::kEnemyArmyLayout}) {
        for (const SlotListCase &c : kSlotLists) {
            SCOPED_TRACE(c.list);
            ArmyNode node(*layout, tableFor(*layout, c));
            const QString key = node.cmd.key();
            EXPECT_FALSE(node.cmd.edit([&](QDialog &d) {
                const QString first = child<QComboBox>(d, c.list)->currentText();
                // Back and forth, so that each slot follows every other.
                const int n = int(c.stored.size());
                std::vector<int> rows;
                for (int r = n; r >= 0; --r)
                    rows.push_back(r);
                for (int r = 1; r <= n; ++r)
                    rows.insert(rows.end(), {0, r});
                for (int row : rows) {
                    if (row == 0)
                        expectSlotShown(d, c, 0, first, false);
                    else
                        expectSlotShown(d, c, row, QString::fromUtf16(c.stored[std::size_t(row - 1)].second),
                                        !isOwnValue(c, c.stored[std::size_t(row - 1)].first));
                }
                enginetest::click(d, "cConfig");
                EXPECT_FALSE(d.isVisible());
            }));
            EXPECT_EQ(node.cmd.key(), key);
            EXPECT_EQ(node.cmd.records, 0);
        }
    }
}

TEST(ArmyTableDialog, RealItemPickedOverAPlaceholderIsWrittenForItsSlotOnly)
{
    for (const SlotListCase &c : kSlotLists) {
        SCOPED_TRACE(c.list);
        const std::vector<core::ArmySlot> table = tableFor(core::kEnemyArmyLayout, c);
        ArmyNode node(core::kEnemyArmyLayout, table);
        const int justPast = int(c.stored.size()) - 1;  // rows of the two values past the items
        const int farPast = int(c.stored.size());
        EXPECT_TRUE(node.cmd.edit([&](QDialog &d) {
            auto *box = child<QComboBox>(d, c.list);
            slotList(d)->setCurrentRow(justPast);
            box->setCurrentIndex(c.pickedItem);
            // The far slot: a real item, then its placeholder again.
            slotList(d)->setCurrentRow(farPast);
            box->setCurrentIndex(c.pickedItem);
            box->setCurrentIndex(c.ownItems);
            EXPECT_EQ(box->currentText(), QString::fromUtf16(c.stored.back().second));
            // The picked item stays with its slot; the slot before shows its own.
            slotList(d)->setCurrentRow(justPast);
            EXPECT_EQ(box->currentIndex(), c.pickedItem);
            EXPECT_EQ(box->count(), c.ownItems);
            enginetest::click(d, "cConfig");
        }));
        std::vector<core::ArmySlot> expected = table;
        expected[std::size_t(justPast)].*c.member = c.pickedValue;
        EXPECT_EQ(node.saved(), expected);
        EXPECT_EQ(node.cmd.records, 1);
    }
}

TEST(ArmyTableDialog, CopiedPlaceholdersPasteAsTheyAreAndDeleteClearsThem)
{
    std::vector<core::ArmySlot> table(20);
    table[2].direction = 9;
    table[2].levelChange = 300;
    table[2].troopLimit = 0xFFFF;
    table[2].aiPolicy = 12;
    ArmyNode node(core::kAlliedArmyLayout, table);
    node.cmd.edit([&](QDialog &d) {
        QListWidget *list = slotList(d);
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        list->setCurrentRow(6);
        QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(child<QComboBox>(d, "cbDirection")->currentText(), QStringLiteral("9"));
        EXPECT_EQ(child<QComboBox>(d, "cbLV")->currentText(), QStringLiteral("300"));
        EXPECT_EQ(child<QComboBox>(d, "cbArmyLv")->currentText(), QStringLiteral("65535"));
        EXPECT_EQ(child<QComboBox>(d, "cbAI2")->currentText(), QStringLiteral("12"));
        EXPECT_TRUE(panelShown(d, "gbNomal"));
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_Delete);
        EXPECT_EQ(child<QComboBox>(d, "cbDirection")->count(), 5);
        EXPECT_EQ(child<QComboBox>(d, "cbLV")->currentText(), QStringLiteral("+ Lv 0"));
        EXPECT_EQ(child<QComboBox>(d, "cbAI0")->count(), 7);
        enginetest::click(d, "cConfig");
    });
    const auto saved = node.saved();
    EXPECT_EQ(saved[6], table[2]);
    EXPECT_EQ(saved[2], core::ArmySlot{});
}

// A slot shows its stored cells as they are, also past the box limit of
// 40; a copy carries what the slot holds and shows, and the paste gives it
// to the other slot unchanged.
TEST(ArmyTableDialog, CopyAndPasteCarryCellsPastTheBoxLimit)
{
    // The friendly table only: the enemy table's buffer must stay untouched
    // for the paste before any copy.
    for (const core::ArmyTableLayout *layout : {&core::kAlliedArmyLayout}) {
        std::vector<core::ArmySlot> table(std::size_t(layout->slotCount));
        table[3].person = 11;
        table[3].x = 155;
        table[3].y = 41;
        table[3].aiPolicy = 4;
        table[3].aiX = 300;
        table[3].aiY = 0x10007;
        table[3].relief = layout->hasRelief ? 1 : 0;
        ArmyNode node(*layout, table);
        node.cmd.edit([&](QDialog &d) {
            QListWidget *list = slotList(d);
            list->setCurrentRow(3);
            EXPECT_EQ(text(d, "tX0"), QStringLiteral("155"));
            QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
            list->setCurrentRow(8);
            QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(text(d, "tX0"), QStringLiteral("155"));
            EXPECT_EQ(text(d, "tY0"), QStringLiteral("41"));
            EXPECT_EQ(text(d, "tX1"), QStringLiteral("300"));
            EXPECT_EQ(text(d, "tY1"), QStringLiteral("*7"));
            EXPECT_EQ(list->item(8)->text(), list->item(3)->text());
            // The source slot gives way, so the names do not clash.
            list->setCurrentRow(3);
            QTest::keyClick(list, Qt::Key_Delete);
            enginetest::click(d, "cConfig");
            EXPECT_FALSE(d.isVisible());
        });
        const auto saved = node.saved();
        EXPECT_EQ(saved[8], table[3]);
        EXPECT_EQ(saved[3], core::ArmySlot{});
    }
}

TEST(ArmyTableDialog, CopyBufferOutlivesTheDialog)
{
    std::vector<core::ArmySlot> table(20);
    table[4].person = 11;
    table[4].direction = 2;
    table[4].aiY = 0x10001;
    ArmyNode first(core::kAlliedArmyLayout, table);
    first.cmd.edit([&](QDialog &d) {
        slotList(d)->setCurrentRow(4);
        QTest::keyClick(slotList(d), Qt::Key_C, Qt::ControlModifier);
        enginetest::click(d, "cCancel");
    });
    ArmyNode second(core::kAlliedArmyLayout);
    second.cmd.edit([&](QDialog &d) {
        slotList(d)->setCurrentRow(7);
        QTest::keyClick(slotList(d), Qt::Key_V, Qt::ControlModifier);
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(second.saved()[7], table[4]);
}

TEST(ArmyTableDialog, EnemyPasteBeforeAnyCopyFillsZeros)
{
    resetArmyCopyBuffers();  // as at the program's start, whatever ran before
    ArmyNode node(core::kEnemyArmyLayout);
    node.cmd.edit([&](QDialog &d) {
        slotList(d)->setCurrentRow(79);
        QTest::keyClick(slotList(d), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(item(d, "cbDirection"), 0);
        EXPECT_EQ(item(d, "cbArmyLv"), 0);
        EXPECT_EQ(item(d, "cbAI0"), 0);
        enginetest::click(d, "cConfig");
    });
    core::ArmySlot zero;
    zero.person = zero.aiPerson = 0;
    zero.direction = zero.levelChange = zero.troopLimit = zero.aiPolicy = 0;
    EXPECT_EQ(node.saved()[79], zero);
}

TEST(ArmyTableDialog, MapButtonsCallThePickerAndTakeTheCell)
{
    for (const core::ArmyTableLayout *layout : {&core::kAlliedArmyLayout, &core::kEnemyArmyLayout}) {
        std::vector<core::ArmySlot> table(std::size_t(layout->slotCount));
        table[1].person = 3;
        table[1].x = 8;
        table[1].y = 9;
        ArmyNode node(*layout, table);
        std::vector<int> modes;
        node.cmd.edit([&](QDialog &d) {
            workspace::ScopedMapPickers fake({.battle = [&](workspace::EditContext &,
                                                            const workspace::BattleMapRequest &r) {
                QStringList names;
                for (int i = 0; i < slotList(d)->count(); ++i)
                    names << slotList(d)->item(i)->text();
                EXPECT_EQ(r.unitNames, names);
                EXPECT_EQ(int(r.unitX.size()), layout->slotCount);
                if (int(r.unitX.size()) > 1) {
                    // The unit cells of the working copy, as they stand now.
                    EXPECT_EQ(r.unitX[1], modes.empty() ? 8 : 12);
                    EXPECT_EQ(r.unitY[1], modes.empty() ? 9 : 40);
                }
                modes.push_back(r.mode);
                return workspace::BattleMapPick{QPoint(12, 47), std::nullopt, {}};
            }});
            slotList(d)->setCurrentRow(1);
            child<QPushButton>(d, "cMap0")->click();
            EXPECT_EQ(text(d, "tX0"), QStringLiteral("12"));
            EXPECT_EQ(text(d, "tY0"), QStringLiteral("40"));
            child<QComboBox>(d, "cbAI0")->setCurrentIndex(4);
            child<QPushButton>(d, "cMap1")->click();
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(modes, (std::vector<int>{layout->hasRelief ? 2 : 1, 4}));
        const auto saved = node.saved();
        EXPECT_EQ(saved[1].x, 12);
        EXPECT_EQ(saved[1].y, 40);
        EXPECT_EQ(saved[1].aiX, 12);
        EXPECT_EQ(saved[1].aiY, 40);
    }
}

TEST(ArmyTableDialog, CancelAfterEditsChangesNothing)
{
    ArmyNode node(core::kEnemyArmyLayout);
    const QString key = node.cmd.key(), caption = node.cmd.text();
    EXPECT_FALSE(node.cmd.edit([&](QDialog &d) {
        static_cast<ArmyTableDialog &>(d).picker()->list(0)->setCurrentIndex(4);
        child<QCheckBox>(d, "ckRelief")->setChecked(true);
        child<QLineEdit>(d, "tX0")->setText(QStringLiteral("5"));
        QTest::keyClick(&d, Qt::Key_Escape);
    }));
    EXPECT_EQ(node.cmd.key(), key);
    EXPECT_EQ(node.cmd.text(), caption);
    EXPECT_EQ(node.cmd.records, 0);
}

} // namespace
