#include "core/param_tags.h"

#include <gtest/gtest.h>

using namespace core;

TEST(ParamTags, WidthsAndItemLengths)
{
    EXPECT_EQ(tagValueWidth(0x04), 4);
    EXPECT_EQ(tagValueWidth(0x05), 0);
    EXPECT_EQ(tagValueWidth(0x35), 0);
    EXPECT_EQ(tagValueWidth(0x02), 2);
    EXPECT_EQ(tagValueWidth(0x45), 2);
    EXPECT_EQ(tagValueWidth(0x99), 2);  // unknown tags are 2-byte values
    for (const TagInfo &t : tagTable()) {
        EXPECT_EQ(t.width, tagValueWidth(t.tag)) << t.tag;
        EXPECT_EQ(tagInfo(t.tag), &t);
    }
    EXPECT_EQ(tagInfo(0x06), nullptr);
    EXPECT_FALSE(tagInfo(0x32)->captioned);

    const QByteArray rec = QByteArray::fromHex("1400" "0400 01000000" "0500 414200" "3500 0200 0100 0200" "2600 0100");
    EXPECT_EQ(itemByteLength(rec, 2), 6);
    EXPECT_EQ(itemByteLength(rec, 8), 5);
    EXPECT_EQ(itemByteLength(rec, 13), 8);
    EXPECT_EQ(itemByteLength(rec, 21), 4);
    EXPECT_FALSE(itemByteLength(rec, 23).has_value());
    EXPECT_FALSE(itemByteLength(QByteArray::fromHex("0500 4142"), 0).has_value());  // no terminator
    EXPECT_FALSE(itemByteLength(QByteArray::fromHex("3500 0300 0100"), 0).has_value());
    EXPECT_FALSE(itemByteLength(QByteArray::fromHex("0400 0100"), 0).has_value());
}

TEST(ParamTags, PersonEncodings)
{
    EXPECT_EQ(variablePersonValue(0), 65534);
    EXPECT_EQ(variablePersonValue(4095), 61439);
    EXPECT_TRUE(isVariablePerson(61439));
    EXPECT_FALSE(isVariablePerson(61438));
    EXPECT_FALSE(isVariablePerson(65535));
    EXPECT_EQ(personNameEntry(5), 5);
    EXPECT_EQ(personNameEntry(65534), 1028);
    EXPECT_EQ(personNameEntry(61439), 1028 + 4095);
    EXPECT_EQ(itemLevelVariableValue(3), 1027);
    EXPECT_EQ(rectVariableValue(5), 16777221);
    EXPECT_EQ(aiPolicyTarget(3), AITarget::Person);
    EXPECT_EQ(aiPolicyTarget(6), AITarget::Cell);
    EXPECT_EQ(aiPolicyTarget(1), AITarget::None);

    NameTables names;
    names.charNames = QStringList{"영"};
    EXPECT_EQ(personCaption(0, &names), QString("영"));
    EXPECT_EQ(personCaption(65534, &names), QString("[Var0]"));
    EXPECT_EQ(personCaption(61439, &names), QString("[Var4095]"));
    EXPECT_EQ(personCaption(65535, &names), QString("無"));
    EXPECT_EQ(personCaption(1027, nullptr), QString("아군직면인물"));
    EXPECT_EQ(personCaption(1024, nullptr), QString("모든 인물"));
    EXPECT_EQ(personCaption(2000, nullptr), QString("[Var63534]"));
    EXPECT_EQ(rectCoordinateCaption(16777216 + 5), QString("[Var5]"));
    EXPECT_EQ(rectCoordinateCaption(16777215), QString("16777215"));
}

TEST(ParamTags, ValueWordsByTag)
{
    const CaptionSettings s{40, 50, 58, 9};
    const ValueWordsContext ctx{nullptr, &s, false};
    struct Case { int tag; int v; const char *words; };
    const Case cases[] = {
        {0x03, 0, "아군"}, {0x03, 5, "적군And원군"}, {0x03, 6, "모든부대"}, {0x03, 300, "모든부대"},
        {0x09, 255, "無"}, {0x09, 0, "Track2"},
        {0x0C, 39, "MMAP-40"}, {0x0C, 40, "無"}, {0x1C, 0, "MMAP-41"}, {0x1C, 65535, "無"},
        {0x0D, 17, "단수거기"}, {0x0D, 18, "無"},
        {0x13, 2, "평조번호-5"}, {0x15, 5, "HM05"}, {0x15, 123, "HM23"},
        {0x18, 0, "하락 "}, {0x18, 3, "無"}, {0x1B, 3, "PRESS.AVI"}, {0x1B, 9, "영상9"},
        {0x1E, 5, "SE05.WAV"}, {0x1E, 99, "SE99.WAV"}, {0x1E, 100, "SE_M_00.WAV"}, {0x1E, 199, "SE_M_99.WAV"},
        {0x1E, 200, "SE_E_00.WAV"},
        {0x22, 5, "호우/비/호우/눈/눈"}, {0x22, 6, ""}, {0x23, 15, "얼굴"}, {0x23, 16, ""},
        {0x24, 3, "≠"}, {0x24, 7, ""}, {0x2B, 4, "묵인방향"}, {0x2B, 65535, "묵인방향"},
        {0x2F, 6, "無"}, {0x30, 0x0A, "걸림-마비+혼란"}, {0x30, 0x80, "풀림-"}, {0x30, 0x9E, "풀림-마비+금책+혼란+중독"},
        {0x30, 0, "無"}, {0x30, 0x41, "걸림-"},
        {0x34, 2, "-"}, {0x34, 3, ""},
        {0x37, 0, "S_00.EEX"}, {0x37, 1, "R_01.EEX"}, {0x37, 2, "S_01.EEX"}, {0x37, 3, "R_02.EEX"}, {0x37, 4, "S_02.EEX"},
        {0x3E, 0, "+ Lv 0"}, {0x3E, 50, "+ Lv 50"}, {0x3E, 51, "- Lv 1"},
        {0x42, 3, "미지"}, {0x42, 4, "Gate-1"}, {0x42, 5, "Gate-3"}, {0x43, 65535, "만듬"}, {0x43, 1, "없앰"},
        {0x44, 29, "지하"}, {0x44, 30, "30"}, {0x46, 12, "중속진행"}, {0x46, 0, "無"}, {0x47, 4, "눈"},
        {0x48, 2, "적군차례"}, {0x49, 0, "DefLv"}, {0x49, 65535, "DefLv"}, {0x49, 1023, "Lv1023"}, {0x49, 1024, "[Var0]"},
        {0x4A, 3, "카델린-기쁨"}, {0x4A, 128, "무르젠-외눈"}, {0x4A, 16, "베사린-사악"}, {0x4A, 7, "베사린-정상"},
        {0x4A, 32, "도르한-황제"},
        {0x4B, 0, "MEFF-1"}, {0x4B, 57, "MEFF-58"}, {0x4B, 80, "MEFF-58"}, {0x4B, 100, "MCALL00.E5"},
        {0x4B, 108, "MCALL08.E5"}, {0x4B, 109, "나타냄"}, {0x4B, 150, "MCALL08.E5"},
        {0x4C, 15, "무도2"}, {0x4C, 16, "無"}, {0x4D, 4, "회피"}, {0x4E, 2, "서로돌격"}, {0x4F, 0, "Logo-1"},
        {0x50, 3, "S형상-3"}, {0x51, 3, ""}, {0x52, 5, "정형변량(&a)"}, {0x53, 5, "%="}, {0x55, 41, "전장인물건강상태"},
        {0x56, 2, "<="}, {0x56, 3, ""}, {0x36, 12, "12"}, {0x3A, 0, "≠"}, {0x3A, 2, "="}, {0x10, 1, "소화"},
        {0x38, 0, "無"}, {0x39, 0, "0"}, {0x32, 4, ""}, {0x45, 2, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(valueWords(c.tag, c.v, ctx), QString::fromUtf8(c.words)) << std::hex << c.tag << " " << std::dec << c.v;
}

TEST(ParamTags, EquipmentAndItemsUseTheStarItemsToo)
{
    NameTables names;
    for (int i = 0; i < 116; ++i)
        names.itemNames << QString("I%1").arg(i);
    const ValueWordsContext ctx{&names, nullptr, false};
    EXPECT_EQ(valueWords(0x3B, 2, ctx), QString("I0"));
    EXPECT_EQ(valueWords(0x3B, 105, ctx), QString("I103"));
    EXPECT_EQ(valueWords(0x3C, 132, ctx), QString("I104"));
    EXPECT_EQ(valueWords(0x3D, 143, ctx), QString("I115"));
    EXPECT_EQ(valueWords(0x3D, 144, ctx), QString("144"));
    EXPECT_EQ(valueWords(0x3D, 118, ctx), QString("118"));
    EXPECT_EQ(valueWords(0x3D, 0, ctx), QString("묵인장비"));
    EXPECT_EQ(valueWords(0x17, 130, ctx), QString("I104"));
    EXPECT_EQ(valueWords(0x17, 115, ctx), QString("I115"));
    EXPECT_EQ(valueWords(0x17, 129, ctx), QString("129"));
    EXPECT_EQ(valueWords(0x17, 142, ctx), QString("142"));
}

TEST(ParamTags, WordListsHaveTheirSizes)
{
    EXPECT_EQ(poseWords().size(), 18u);
    EXPECT_EQ(weatherPatternWords().size(), 6u);
    EXPECT_EQ(abilityWords().size(), 16u);
    EXPECT_EQ(terrainWords().size(), 30u);
    EXPECT_EQ(fieldActionWords().size(), 12u);
    EXPECT_EQ(duelActionWords().size(), 15u);
    EXPECT_EQ(personAttributeWords().size(), 42u);
    EXPECT_EQ(weatherNames().size(), 5u);
    EXPECT_EQ(aiPolicyWords().size(), 7u);
}
