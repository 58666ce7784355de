#include "core/army_slots.h"

#include "core/catalogue.h"
#include "core/key_codec.h"
#include "fixtures/army_fixtures.h"
#include "support/param_names.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

struct LayoutCase
{
    const ArmyTableLayout *layout;
    const char *slotText;
    int bytes;
    int lastChar;
};

const LayoutCase kLayouts[] = {
    {&kAlliedArmyLayout,
     "0200FFFF260000000400000000000400000000002B00FFFF3E00000045000200070001000200FFFF040000000000040000000000",
     1042, 2084},
    {&kEnemyArmyLayout,
     "0200FFFF26000000260000000400000000000400000000002B00FFFF3E00000045000200070001000200FFFF040000000000040000000000",
     4482, 8964},
};

class ArmySlotsLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ArmySlotsLayout, NewCommandMatchesTheTemplateAndReadsAsNewSlots)
{
    const LayoutCase &c = GetParam();
    EXPECT_EQ(newArmySlotText(*c.layout), QString::fromLatin1(c.slotText));
    const QString record = newArmyTableRecord(*c.layout);
    EXPECT_EQ(record.size() / 2, c.bytes);
    EXPECT_EQ(record.size(), c.lastChar);
    EXPECT_EQ(record, defaultRecord(c.layout->code));
    const QString key = fixtures::newArmyKey(*c.layout, 7);
    EXPECT_EQ(key.at(c.lastChar), u'_');
    ASSERT_TRUE(isArmyTableKey(key));
    const auto table = readArmySlots(key);
    ASSERT_EQ(int(table.size()), c.layout->slotCount);
    for (const ArmySlot &s : table) {
        EXPECT_EQ(s, ArmySlot{});
        EXPECT_TRUE(s.isEmpty());
    }
    // The last value of the last slot ends just before the "_".
    const int last = c.layout->slotCount - 1;
    EXPECT_EQ(c.layout->aiYPos(last) + 7, c.lastChar);
}

TEST_P(ArmySlotsLayout, RandomSlotsRoundTripAndKeepTagsCodeAndSerial)
{
    const LayoutCase &c = GetParam();
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        const auto table = fixtures::randomArmySlots(*c.layout, seed);
        const QString key = fixtures::armyKeyWith(*c.layout, table, 42);
        ASSERT_EQ(key.size(), c.lastChar + 3);
        EXPECT_TRUE(key.endsWith("_42"));
        EXPECT_EQ(readArmySlots(key), table) << "seed " << seed;
        // Tags are untouched: each slot still starts with the person tag and
        // the cells carry tag 0x0004.
        for (int i = 0; i < c.layout->slotCount; ++i) {
            EXPECT_EQ(key.mid(c.layout->slotStart(i) - 1, 4), "0200");
            EXPECT_EQ(key.mid(c.layout->xPos(i) - 5, 4), "0400");
            EXPECT_EQ(key.mid(c.layout->aiYPos(i) - 5, 4), "0400");
        }
        EXPECT_EQ(keyCode(key), c.layout->code);
    }
}

void PrintTo(const LayoutCase &c, std::ostream *os) { *os << "army table 0x" << std::hex << c.layout->code; }

INSTANTIATE_TEST_SUITE_P(Both, ArmySlotsLayout, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<LayoutCase> &info) {
                             return testsupport::caseName(info.param.layout == &kAlliedArmyLayout ? "Allied" : "Enemy");
                         });

TEST(ArmySlots, EnemyFlagsAreReadInStoredOrder)
{
    QString key = fixtures::newArmyKey(kEnemyArmyLayout);
    // Slot 3: first flag (reinforcement) 1, second (hidden) 0.
    keyWriteField(key, 17 + 112 * 3, 2, 1);
    const ArmySlot s = readArmySlots(key).at(3);
    EXPECT_EQ(s.relief, 1);
    EXPECT_EQ(s.hidden, 0);
    keyWriteField(key, 25 + 112 * 3, 2, 1);
    keyWriteField(key, 17 + 112 * 3, 2, 0);
    EXPECT_EQ(readArmySlots(key).at(3).relief, 0);
    EXPECT_EQ(readArmySlots(key).at(3).hidden, 1);
}

TEST(ArmySlots, PositionsMatchTheFixedTable)
{
    // Spot checks of the key positions of slot i for both codes.
    for (int i : {0, 1, 19}) {
        EXPECT_EQ(kAlliedArmyLayout.personPos(i), 9 + 104 * i);
        EXPECT_EQ(kAlliedArmyLayout.hiddenPos(i), 17 + 104 * i);
        EXPECT_EQ(kAlliedArmyLayout.xPos(i), 25 + 104 * i);
        EXPECT_EQ(kAlliedArmyLayout.directionPos(i), 49 + 104 * i);
        EXPECT_EQ(kAlliedArmyLayout.aiPersonPos(i), 81 + 104 * i);
        EXPECT_EQ(kAlliedArmyLayout.aiYPos(i), 101 + 104 * i);
    }
    for (int i : {0, 1, 79}) {
        EXPECT_EQ(kEnemyArmyLayout.reliefPos(i), 17 + 112 * i);
        EXPECT_EQ(kEnemyArmyLayout.hiddenPos(i), 25 + 112 * i);
        EXPECT_EQ(kEnemyArmyLayout.yPos(i), 45 + 112 * i);
        EXPECT_EQ(kEnemyArmyLayout.troopPos(i), 73 + 112 * i);
        EXPECT_EQ(kEnemyArmyLayout.aiXPos(i), 97 + 112 * i);
        EXPECT_EQ(kEnemyArmyLayout.aiYPos(i), 109 + 112 * i);
    }
}

TEST(ArmySlots, PersonEdgeValuesAndEmptySlots)
{
    std::vector<ArmySlot> table(20);
    table[0].person = 0xFFFE;      // variable person 0: occupied
    table[1].person = 5124;        // names nobody, but not empty
    table[2].person = 0xFFFF;      // empty even with other values set
    table[2].x = 12;
    table[2].aiPolicy = 4;
    table[3].person = 1027;
    const QString key = fixtures::armyKeyWith(kAlliedArmyLayout, table);
    const auto back = readArmySlots(key);
    EXPECT_FALSE(back[0].isEmpty());
    EXPECT_FALSE(back[1].isEmpty());
    EXPECT_EQ(back[1].person, 5124);
    EXPECT_TRUE(back[2].isEmpty());
    EXPECT_EQ(back[2].x, 12);
    EXPECT_EQ(back[3].person, 1027);
}

TEST(ArmySlots, WrongCodeOrShortKeyGivesNoSlots)
{
    EXPECT_TRUE(readArmySlots("4500_1").empty());
    QString shortKey = fixtures::newArmyKey(kAlliedArmyLayout);
    shortKey.remove(100, 8);
    EXPECT_FALSE(isArmyTableKey(shortKey));
    EXPECT_TRUE(readArmySlots(shortKey).empty());
    EXPECT_EQ(armyTableLayout(0x48), nullptr);
}

TEST(OwnUnitPlacement, RoundTripAndDefaults)
{
    const QString fresh = defaultRecord(kOwnPlacementCode) + "_3";
    const auto p0 = readOwnUnitPlacement(fresh);
    ASSERT_TRUE(p0.has_value());
    EXPECT_EQ(*p0, OwnUnitPlacement{});
    for (const OwnUnitPlacement &p : {OwnUnitPlacement{3, 12, 7, 2, 1}, OwnUnitPlacement{-1, 0x10005, INT32_MIN, 0xFFFF, 2}}) {
        const QString key = fixtures::ownPlacementKey(p);
        EXPECT_EQ(readOwnUnitPlacement(key), p);
        EXPECT_EQ(key.size(), 56 + 2);
    }
    EXPECT_FALSE(readOwnUnitPlacement("4B00040003000000_1").has_value());
    EXPECT_FALSE(readOwnUnitPlacement(fixtures::newArmyKey(kAlliedArmyLayout)).has_value());
}

} // namespace
