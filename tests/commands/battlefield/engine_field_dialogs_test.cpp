// The battlefield dialogs on the dialog engine: key person (0x5C), turn count
// (0x5D), special request (0x71), save switch (0x74), facing (0x4F), action
// (0x50) and special shape (0x75).
#include "commands/battlefield/dialog_test_support.h"

using namespace battlefieldtest;

namespace {

class EngineFieldDialogs : public ::testing::TestWithParam<Case> {};

TEST_P(EngineFieldDialogs, LoadWorkAndSave) { runCase(GetParam()); }

const Case kCases[] = {
    {"5C nobody", 0x5C, {{9, 2, 0xFFFF}}, {{"cbChar", u"無"}, {"tNum", u"65535"}, {"tName", u"無"}}, {}, {}},
    {"5C variable person 14", 0x5C, {{9, 2, 0xFFFE - 14}},
     {{"tNum", u"65520"}, {"tName", u"*14"}}, {}, {}},
    {"5C number typed", 0x5C, {}, {}, [](QDialog &d) {
         clickOn(d, "oNum");
         typeInto(d, "tNum", QStringLiteral("1028"));
         EXPECT_EQ(stateOf(d, "tNum"), QStringLiteral("65535"));
         typeInto(d, "tNum", QStringLiteral("1027"));
     },
     {{9, 2, 1027}}},

    {"5D operation 5", 0x5D, {{9, 2, 5}}, {{"cbOperator", u"- (5)"}}, {}, {}},
    {"5D add", 0x5D, {{9, 2, 1}, {17, 4, 30}}, {{"cbOperator", u"+ "}, {"tOperationNum", u"30"}}, {}, {}},
    {"5D number above the limit kept", 0x5D, {{17, 4, 20000000}}, {{"tOperationNum", u"20000000"}}, {},
     {{17, 4, 20000000}}},
    {"5D negative number kept", 0x5D, {{17, 4, -2}}, {{"tOperationNum", u"-2"}}, {}, {}},
    {"5D typed", 0x5D, {}, {}, [](QDialog &d) {
         typeInto(d, "tOperationNum", QStringLiteral("16777216"));
         EXPECT_EQ(stateOf(d, "tOperationNum"), QStringLiteral("16777215"));
     },
     {{17, 4, 16777215}}},
    {"5D emptied", 0x5D, {{17, 4, 9}}, {}, [](QDialog &d) { child<QLineEdit>(d, "tOperationNum")->clear(); },
     {{17, 4, 0}}},

    {"71 every byte FF", 0x71, {{9, 4, -1}}, {{"tNum", u"-1"}}, {}, {}},
    {"71 emptied", 0x71, {{9, 4, 5}}, {}, [](QDialog &d) { child<QLineEdit>(d, "tNum")->clear(); }, {{9, 4, 0}}},
    {"71 no limit", 0x71, {}, {}, [](QDialog &d) { typeInto(d, "tNum", QStringLiteral("99999999")); },
     {{9, 4, 99999999}}},

    {"74 flag 5 allows", 0x74, {{9, 2, 5}}, {{"ckSave", u"on"}}, {}, {}, u"가능"},
    {"74 flag 0", 0x74, {{9, 2, 0}}, {{"ckSave", u"off"}}, {}, {}, u"불가능"},

    {"4F new command", 0x4F, {},
     {{"cbChar0", u"無"}, {"cbChar1", u"無"}, {"cbDirection", u"묵인방향"}, {"ckRight", u"off"},
      {"ckBeforeDelay", u"off"}, {"ckAfterDelay", u"off"}},
     {}, {}, u"정방향 동작전지연無 동작후지연無"},
    {"4F facing 4", 0x4F, {{25, 2, 4}}, {{"cbDirection", u"묵인방향"}}, {}, {}},
    {"4F second person and facing independent", 0x4F, {{17, 2, 7}, {25, 2, 1}},
     {{"tNum1", u"7"}, {"cbDirection", u"동쪽"}},
     [](QDialog &d) {
         choose(d, "cbChar1", 9);
         EXPECT_EQ(stateOf(d, "cbDirection"), QStringLiteral("동쪽"));
         choose(d, "cbDirection", 3);
         EXPECT_EQ(stateOf(d, "tNum1"), QStringLiteral("9"));
     },
     {{17, 2, 9}, {25, 2, 3}}},
    {"4F reverse ticked", 0x4F, {}, {}, [](QDialog &d) { clickOn(d, "ckRight"); }, {{33, 2, 1}},
     u"반대방향 동작전지연無 동작후지연無"},
    {"4F flag 2", 0x4F, {{41, 2, 2}}, {{"ckBeforeDelay", u"off"}}, {}, {}},

    {"50 action 0", 0x50, {{17, 2, 0}}, {{"cbActive", u"無"}}, {}, {}},
    {"50 action FFFF", 0x50, {{17, 2, 0xFFFF}}, {{"cbActive", u"無"}}, {}, {}},
    {"50 action 13", 0x50, {{17, 2, 13}}, {{"cbActive", u"無 (13)"}}, {}, {}},
    {"50 action 200", 0x50, {{17, 2, 200}}, {{"cbActive", u"無 (200)"}}, {}, {}},
    {"50 attack", 0x50, {{17, 2, 6}}, {{"cbActive", u"공격"}}, {}, {}, u"공격 동작전지연無 동작후지연無"},

    {"75 shape 300", 0x75, {{17, 2, 300}}, {{"tCompareNum", u"300"}}, {}, {}, u"S형상-300"},
    // The field holds 2 bytes: the box stops at 65,535 instead of keeping the low bits.
    {"75 shape typed above the limit", 0x75, {}, {}, [](QDialog &d) {
         typeInto(d, "tCompareNum", QStringLiteral("70000"));
         EXPECT_EQ(stateOf(d, "tCompareNum"), QStringLiteral("65535"));
     },
     {{17, 2, 0xFFFF}}},
    {"75 shape 65535 typed", 0x75, {}, {}, [](QDialog &d) { typeInto(d, "tCompareNum", QStringLiteral("65535")); },
     {{17, 2, 0xFFFF}}},
    {"75 variable person 0", 0x75, {{9, 2, 0xFFFE}}, {{"tName", u"*0"}}, {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Rows, EngineFieldDialogs, ::testing::ValuesIn(kCases), testsupport::NameFromRow{});

TEST(EngineFieldDialogs, SpecialShapeFocusLeavesTheMode)
{
    enginetest::CommandNode cmd(fixtures::battlefieldRecord(0x75));
    cmd.edit([](QDialog &d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        auto *num = child<QLineEdit>(d, "tNum");
        num->setVisible(true);
        num->setFocus();
        EXPECT_EQ(stateOf(d, "oList"), QStringLiteral("on"));
        enginetest::click(d, "cCancel");
    });
}

} // namespace
