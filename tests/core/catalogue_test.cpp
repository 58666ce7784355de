#include "core/catalogue.h"
#include "core/key_codec.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Catalogue, DisplayNamesHaveHexPrefixWithoutLeadingZero)
{
    EXPECT_EQ(menuName(0), QString("0 : 사건결속"));
    EXPECT_EQ(menuName(10), QString("A : 후부변량초기화"));
    EXPECT_EQ(menuName(0x1F), QString("1F : 지도시점변화"));
    EXPECT_EQ(menuName(0x79), QString("79 : 변량시험"));
    EXPECT_EQ(menuName(0x1E), QString("1E : 무장동작"));
    EXPECT_EQ(menuName(0x34), QString("34 : 무장동작"));
    EXPECT_EQ(menuName(0x05), QString("5 : 변량시험"));
    EXPECT_TRUE(menuName(-1).isEmpty());
    EXPECT_TRUE(menuName(0x7A).isEmpty());
    ASSERT_EQ(menuNames().size(), kCommandCount);
    for (int c = 0; c < kCommandCount; ++c) {
        EXPECT_EQ(menuNames().at(c), menuName(c));
        EXPECT_TRUE(menuName(c).startsWith(QString::number(c, 16).toUpper() + " : ")) << c;
        EXPECT_GT(commandName(c).size(), 0) << c;
    }
    EXPECT_TRUE(commandName(0x10).endsWith(u"지도"));
}

TEST(Catalogue, BlockCommandsAreExactlyTheTwentyFive)
{
    const int blocks[] = {0x02, 0x03, 0x04, 0x05, 0x07, 0x12, 0x13, 0x25, 0x26, 0x2D, 0x2E, 0x36, 0x37,
                          0x3C, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x5E, 0x6D, 0x6E, 0x75, 0x76, 0x79};
    int count = 0;
    for (int c = -2; c < 0x100; ++c) {
        const bool expected = std::find(std::begin(blocks), std::end(blocks), c) != std::end(blocks);
        EXPECT_EQ(isBlockMenu(c), expected) << c;
        count += isBlockMenu(c);
    }
    EXPECT_EQ(count, 25);
    EXPECT_TRUE(isBlockMenu(0x6D));
    EXPECT_TRUE(isBlockMenu(0x6E));
    EXPECT_FALSE(isBlockMenu(0x6C));
    EXPECT_FALSE(isBlockMenu(0x73));
    EXPECT_FALSE(isBlockMenu(0x00));
    EXPECT_FALSE(isBlockMenu(0x01));
}

TEST(Catalogue, EveryDefaultRecordHasItsListedLength)
{
    for (int c = 0; c < kCommandCount; ++c) {
        const QString rec = defaultRecord(c);
        EXPECT_EQ(rec.size() % 2, 0) << c;
        EXPECT_EQ(rec.size() / 2, defaultRecordLength(c)) << c;
        EXPECT_EQ(keyCode(rec), c) << c;
        EXPECT_EQ(rec, rec.toUpper()) << c;
    }
    EXPECT_EQ(defaultRecordLength(0x46), 1042);
    EXPECT_EQ(defaultRecordLength(0x47), 4482);
    EXPECT_EQ(defaultRecord(0x46).size(), 2 * 1042);
    EXPECT_EQ(defaultRecord(0x47).size(), 2 * 4482);
}

TEST(Catalogue, DefaultRecordsSpelledOut)
{
    struct Case { int code; const char *text; const char *hex; };
    const Case cases[] = {
        {0x00, "", "0000"},
        {0x2E, "", "2E000200FFFF0200FFFF26000000"},
        {0x14, "", "1400050000"},
        {0x14, "AB", "14000500414200"},
        {0x15, "A", "15000200FFFF0200FFFF05004100"},
        {0x3F, "", "3F0004000000000024000000"},
        {0x05, "", "0500 3500 0100 0000 3500 0000"},
        {0x12, "ignored", "120005000002 00FFFF"},
        {0x72, "ignored", "7200040000000000050000"},
        {0x67, "X", "670004000100000005005800"},
        {0x2C, "", "2C0005000026000000260000002600 0000"},
    };
    for (const Case &c : cases) {
        const QString expected = QString::fromLatin1(c.hex).remove(' ');
        EXPECT_EQ(defaultRecord(c.code, QString::fromLatin1(c.text)), expected) << c.code;
    }
    // A text the caller gives lengthens only the commands that take it.
    EXPECT_EQ(defaultRecord(0x02, QString("대화")).size() / 2, 5 + 4);
    EXPECT_TRUE(takesCallerText(0x60));
    EXPECT_FALSE(takesCallerText(0x12));
    EXPECT_FALSE(takesCallerText(0x72));
    EXPECT_TRUE(defaultRecord(0x7A).isEmpty());
}

TEST(Catalogue, ArmyTablesRepeatTheirSlot)
{
    const QString slot46 = "0200FFFF260000000400000000000400000000002B00FFFF3E00000045000200070001000200FFFF0400000000000400000000" "00";
    EXPECT_EQ(slot46.size(), 2 * 52);
    const QString r46 = defaultRecord(0x46);
    EXPECT_EQ(r46, "4600" + slot46.repeated(20));
    EXPECT_EQ(armySlotCount(0x46), 20);
    EXPECT_EQ(armySlotCount(0x47), 80);
    EXPECT_EQ(armySlotCount(0x45), 0);
    // The enemy slot has a second flag right after the first.
    const QString r47 = defaultRecord(0x47);
    EXPECT_EQ(r47.mid(4, 24), "0200FFFF2600000026000000");
}
