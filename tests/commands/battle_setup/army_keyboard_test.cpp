// The keyboard commands of the army tables (0x46, 0x47) on slots as real
// files hold them: empty slots with flags FFFF or 2, cells past 40, persons
// that name nobody, list values past their items. A paste or a clear sets
// every field of its slot: after OK each field of that slot is what its
// controls showed right after the command, and every other slot keeps its
// stored bytes.
#include "commands/battle_setup/army_table_dialog.h"
#include "commands/common/character_picker.h"
#include "commands/common/engine_test_support.h"
#include "commands/common/number_field.h"
#include "commands/common/placeholder_item.h"
#include "core/army_slots.h"
#include "core/key_codec.h"
#include "fixtures/army_fixtures.h"
#include "platform/prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

using namespace commands;
using enginetest::CommandNode;

namespace {

constexpr int kFlagFFFF = 0xFFFF;

// A slot of a real file that no dialog wrote: flags and lists at FFFF, cells
// past every limit.
core::ArmySlot emptyAsStored(int flags, std::int32_t x)
{
    core::ArmySlot s;
    s.relief = flags;
    s.hidden = flags;
    s.x = x;
    s.y = 0xFFFF;
    s.direction = 0xFFFF;
    s.levelChange = 0xFFFF;
    s.troopLimit = 0xFFFF;
    s.aiPolicy = 0xFFFF;
    s.aiX = -1;
    s.aiY = 0x7FFFFFFF;
    return s;
}

// The stored slots the cases work on, by name; they stand at the first two
// and the last three slots of the table, every other slot is empty with
// flags FFFF.
enum Shape { Unit, EmptyFFFF, EmptyTwo, Nobody, Variable, kShapes };

core::ArmySlot storedShape(Shape shape, bool enemy)
{
    core::ArmySlot s;
    switch (shape) {
    case Unit:  // a visible unit, as a dialog writes it
        s.person = 7;
        s.x = 3;
        s.y = 4;
        s.direction = 1;
        s.levelChange = 2;
        s.troopLimit = 1;
        s.aiPolicy = 3;
        s.aiPerson = 12;
        s.aiX = 6;
        s.aiY = 7;
        break;
    case EmptyFFFF:
        s = emptyAsStored(kFlagFFFF, 41);
        break;
    case EmptyTwo:
        s = emptyAsStored(2, 50);
        s.y = 100;
        s.direction = 4;
        s.aiX = 45;
        break;
    case Nobody:  // a person past the name table, a variable cell
        s.person = 2000;
        s.relief = 2;
        s.hidden = 1;
        s.x = 0x10003;
        s.y = 40;
        s.direction = 7;
        s.levelChange = 150;
        s.troopLimit = 3;
        s.aiPolicy = 9;
        s.aiPerson = 0x0405;
        break;
    case Variable:  // the person in variable 0, a group as target
        s.person = 0xFFFE;
        s.relief = 1;
        s.hidden = kFlagFFFF;
        s.x = 12;
        s.y = 13;
        s.direction = 0;
        s.levelChange = 100;
        s.troopLimit = 0;
        s.aiPolicy = 6;
        s.aiPerson = 1024;
        s.aiX = 0x10000;
        s.aiY = 3;
        break;
    case kShapes:
        break;
    }
    if (!enemy)
        s.relief = 0;  // the friendly slot has no such item
    return s;
}

int slotOf(Shape shape, const core::ArmyTableLayout &layout)
{
    return shape < 2 ? int(shape) : layout.slotCount - kShapes + int(shape);
}

std::vector<core::ArmySlot> storedTable(const core::ArmyTableLayout &layout)
{
    std::vector<core::ArmySlot> table(std::size_t(layout.slotCount), emptyAsStored(kFlagFFFF, 41));
    if (!layout.hasRelief)
        for (core::ArmySlot &s : table)
            s.relief = 0;
    for (int k = 0; k < kShapes; ++k)
        table[std::size_t(slotOf(Shape(k), layout))] = storedShape(Shape(k), layout.hasRelief);
    return table;
}

// The slot as the controls show it, in stored values: the persons as their
// number boxes read, the cells by the coordinate text rule, the lists as
// the value of their selected item (the default facing as FFFF).
std::int32_t cellOfText(const QString &text)
{
    if (text.startsWith(u'*'))
        return 0x10000 + text.mid(1).toInt();
    return std::int32_t(text.toLongLong());
}

core::ArmySlot shownSlot(QDialog &d)
{
    auto &dialog = static_cast<ArmyTableDialog &>(d);
    auto box = [&](const char *name) { return d.findChild<QLineEdit *>(QLatin1String(name))->text(); };
    auto list = [&](const char *name) {
        const auto *c = d.findChild<QComboBox *>(QLatin1String(name));
        return itemValue(c, c->currentIndex());
    };
    core::ArmySlot s;
    s.person = int(dialog.picker()->numberBox(0)->text().toLongLong());
    s.aiPerson = int(dialog.picker()->numberBox(1)->text().toLongLong());
    if (auto *relief = d.findChild<QCheckBox *>(QStringLiteral("ckRelief")))
        s.relief = relief->isChecked() ? 1 : 0;
    s.hidden = d.findChild<QCheckBox *>(QStringLiteral("ckHide"))->isChecked() ? 1 : 0;
    s.x = cellOfText(box("tX0"));
    s.y = cellOfText(box("tY0"));
    s.aiX = cellOfText(box("tX1"));
    s.aiY = cellOfText(box("tY1"));
    s.direction = list("cbDirection") == 4 ? 0xFFFF : list("cbDirection");
    s.levelChange = list("cbLV");
    s.troopLimit = list("cbArmyLv");
    s.aiPolicy = list("cbAI0");
    for (const char *other : {"cbAI1", "cbAI2"})
        EXPECT_EQ(list(other), s.aiPolicy) << other;
    return s;
}

// What each keyboard command leaves in the controls: a new slot after a clear, zeros after
// a paste before any copy.
core::ArmySlot zeroSlot()
{
    core::ArmySlot s;
    s.person = s.aiPerson = 0;
    s.direction = s.levelChange = s.troopLimit = s.aiPolicy = 0;
    return s;
}

// One row: an optional copy, then an optional paste and an optional clear,
// each on a slot of the named shape. No copy before a paste: the paste is the
// run's first.
struct Case
{
    const char *what;
    std::optional<Shape> copyFrom;
    std::optional<Shape> pasteTo;
    std::optional<Shape> clear;
    Qt::KeyboardModifiers clearModifiers = Qt::NoModifier;
};

const Case kCases[] = {
    {"a unit moved into an empty slot with flags FFFF", Unit, EmptyFFFF, Unit},
    {"a variable person moved into an empty slot with flags 2", Variable, EmptyTwo, Variable},
    {"a person who names nobody copied over flags FFFF", Nobody, EmptyFFFF, {}},
    {"an empty slot with flags FFFF copied over a unit", EmptyFFFF, Unit, {}},
    {"an empty slot with flags 2 copied over a hidden flag FFFF", EmptyTwo, Variable, {}},
    {"a slot copied onto itself", EmptyFFFF, EmptyFFFF, {}},
    {"clear flags FFFF", {}, {}, EmptyFFFF},
    {"clear flags 2 with Shift", {}, {}, EmptyTwo, Qt::ShiftModifier},
    {"clear a person who names nobody with Ctrl", {}, {}, Nobody, Qt::ControlModifier},
    {"clear a hidden flag FFFF", {}, {}, Variable},
    {"paste before any copy over flags FFFF", {}, EmptyFFFF, {}},
    {"paste before any copy over flags 2", {}, EmptyTwo, {}},
    {"paste before any copy over a person who names nobody", {}, Nobody, {}},
};

// The node, with or without a nested list behind the record.
std::unique_ptr<CommandNode> armyNode(const core::ArmyTableLayout &layout, bool nested, core::NameTables &names)
{
    const QString record = fixtures::armyRecordWith(layout, storedTable(layout));
    auto cmd = std::make_unique<CommandNode>(record + (nested ? QStringLiteral("0200") : QString()));
    if (nested)
        cmd->tree.add(cmd->node, core::Relation::LastChild, QStringLiteral("0000_n1"), QStringLiteral("0 : "));
    cmd->ctx.captions.names = &names;
    return cmd;
}

void runCase(const core::ArmyTableLayout &layout, bool nested, const Case &c)
{
    SCOPED_TRACE(testing::Message() << std::hex << "code " << layout.code << (nested ? " nested: " : ": ") << c.what);
    core::NameTables names = fixtures::armyTestNames();
    auto cmd = armyNode(layout, nested, names);
    const QString stored = cmd->key();
    platform::ScriptedPrompts prompts;
    if (!c.copyFrom)
        resetArmyCopyBuffers();

    std::map<int, core::ArmySlot> shown;  // slot -> as its controls showed it
    std::optional<core::ArmySlot> copied;
    cmd->edit([&](QDialog &d) {
        QListWidget *list = d.findChild<QListWidget *>(QStringLiteral("lChar"));
        if (c.copyFrom) {
            list->setCurrentRow(slotOf(*c.copyFrom, layout));
            copied = shownSlot(d);
            QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        }
        if (c.pasteTo) {
            const int row = slotOf(*c.pasteTo, layout);
            list->setCurrentRow(row);
            QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
            shown[row] = shownSlot(d);
            core::ArmySlot expected = copied ? *copied : zeroSlot();
            if (!layout.hasRelief)
                expected.relief = 0;
            EXPECT_EQ(shown[row], expected) << "the paste shows the copy";
        }
        if (c.clear) {
            const int row = slotOf(*c.clear, layout);
            list->setCurrentRow(row);
            QTest::keyClick(list, Qt::Key_Delete, c.clearModifiers);
            shown[row] = shownSlot(d);
            EXPECT_EQ(shown[row], core::ArmySlot{}) << "the clear shows a new slot";
            EXPECT_EQ(list->item(row)->text(), QStringLiteral("無"));
        }
        enginetest::click(d, "cConfig");
        EXPECT_FALSE(d.isVisible()) << "OK refused";
    });
    EXPECT_TRUE(prompts.messages.empty());

    const QString saved = cmd->key();
    ASSERT_EQ(saved.size(), stored.size());
    EXPECT_EQ(saved.mid(layout.recordChars()), stored.mid(layout.recordChars())) << "nested word and serial";
    for (int i = 0; i < layout.slotCount; ++i) {
        SCOPED_TRACE(i);
        const int from = layout.slotStart(i) - 1;
        if (const auto it = shown.find(i); it != shown.end())
            EXPECT_EQ(core::readArmySlot(saved, layout, i), it->second) << "written as shown";
        else
            EXPECT_EQ(saved.mid(from, layout.slotChars), stored.mid(from, layout.slotChars)) << "kept as stored";
    }
    EXPECT_EQ(saved.left(4), stored.left(4));
}

class ArmyKeyboard : public ::testing::TestWithParam<int>
{
};

TEST_P(ArmyKeyboard, PasteAndClearWriteEveryFieldOfTheSlotAsShown)
{
    const core::ArmyTableLayout &layout = *core::armyTableLayout(GetParam());
    for (bool nested : {false, true})
        for (const Case &c : kCases)
            runCase(layout, nested, c);
    resetArmyCopyBuffers();
}

INSTANTIATE_TEST_SUITE_P(Tables, ArmyKeyboard, ::testing::Values(0x46, 0x47),
                         [](const auto &info) { return info.param == 0x46 ? "Allied46" : "Enemy47"; });

// An untouched slot keeps its stored bytes also when another slot was pasted
// over and cleared, and when the user only looked at it.
TEST(ArmyKeyboardLooking, SlotsOnlyLookedAtKeepTheirBytes)
{
    for (const core::ArmyTableLayout *layout : {&core::kAlliedArmyLayout, &core::kEnemyArmyLayout}) {
        SCOPED_TRACE(layout->code);
        core::NameTables names = fixtures::armyTestNames();
        auto cmd = armyNode(*layout, false, names);
        const QString stored = cmd->key();
        EXPECT_FALSE(cmd->edit([&](QDialog &d) {
            QListWidget *list = d.findChild<QListWidget *>(QStringLiteral("lChar"));
            for (int k = 0; k < kShapes; ++k)
                list->setCurrentRow(slotOf(Shape(k), *layout));
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd->key(), stored);
        EXPECT_EQ(cmd->records, 0);
    }
}

} // namespace
