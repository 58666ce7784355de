// The dialogs whose units are named by the unit target block: 0x4C, 0x4D,
// 0x4E, 0x53, 0x55 and 0x6D. Each row loads a record, checks what the
// controls show, works the dialog and checks the record OK writes.
#include "commands/battlefield/dialog_test_support.h"
#include "commands/battlefield/fake_battle_map.h"

using namespace battlefieldtest;

namespace {

class UnitTargetDialogs : public ::testing::TestWithParam<Case> {};

TEST_P(UnitTargetDialogs, LoadWorkAndSave) { runCase(GetParam()); }

const Case kCases[] = {
    // --- 0x4D: person, battlefield index or zone ---
    {"4D new command", 0x4D, {},
     {{"oChar", u"on"}, {"gbChar", u"shown"}, {"gbBF", u"hidden"}, {"gbZone", u"hidden"}, {"cbChar", u"無"},
      {"tBFIndex", u"0"}, {"tX0", u"0"}, {"tY1", u"0"}, {"cbArmy", u"모든부대"}, {"cbProperty", u"無"},
      {"cbChange", u"無"}, {"ckPalsy", u"off"}, {"ckRemove", u"off"}, {"tHP", u"0"}, {"tMP", u"0"}},
     {}, {{109, 2, 0}}, nullptr, true},
    // The same bytes read from a file are a stored command.
    {"4D stored as the template keeps its status FFFF", 0x4D, {}, {{"cbChar", u"無"}}, {}, {}},
    {"4D attribute 6 and change 3 are kept", 0x4D, {{93, 2, 6}, {101, 2, 3}},
     {{"cbProperty", u"無 (6)"}, {"cbChange", u"無 (3)"}}, {}, {}},
    {"4D attribute and change chosen", 0x4D, {},
     {},
     [](QDialog &d) {
         choose(d, "cbProperty", 5);
         choose(d, "cbChange", 2);
     },
     {{93, 2, 5}, {101, 2, 2}, {109, 2, 0}}},
    {"4D unknown status bit kept", 0x4D, {{109, 2, 0x81}},
     {{"ckRemove", u"on"}, {"ckPalsy", u"off"}, {"ckPoisoning", u"off"}}, {}, {}},
    {"4D all five status bits kept", 0x4D, {{109, 2, 0x9E}},
     {{"ckPalsy", u"on"}, {"ckNotMagic", u"on"}, {"ckConfuse", u"on"}, {"ckPoisoning", u"on"}, {"ckRemove", u"on"}},
     {}, {}},
    {"4D status ticked", 0x4D, {{109, 2, 0}}, {},
     [](QDialog &d) {
         clickOn(d, "ckConfuse");
         clickOn(d, "ckPoisoning");
     },
     {{109, 2, 0x18}}, u"걸림-혼란+중독 0 0"},
    {"4D mode 3 is the person mode", 0x4D, {{9, 2, 3}, {109, 2, 0}}, {{"oChar", u"on"}}, {}, {}},
    {"4D mode FFFF is the person mode", 0x4D, {{9, 2, 0xFFFF}, {109, 2, 0}}, {{"gbChar", u"shown"}}, {}, {}},
    {"4D index mode to zone keeps the index", 0x4D, {{9, 2, 1}, {25, 4, 7}, {109, 2, 0}},
     {{"oBF", u"on"}, {"gbBF", u"shown"}, {"gbChar", u"hidden"}, {"tBFIndex", u"7"}},
     [](QDialog &d) { clickOn(d, "oZone"); }, {{9, 2, 2}}},
    {"4D corners above 40 kept", 0x4D, {{9, 2, 2}, {37, 4, 41}, {49, 4, 65541}, {109, 2, 0}},
     {{"gbZone", u"shown"}, {"tX0", u"41"}, {"tY0", u"65541"}}, {}, {{37, 4, 41}, {49, 4, 65541}}},
    {"4D index and HP above their limits kept", 0x4D, {{25, 4, 99}, {117, 4, 20000000}, {109, 2, 0}},
     {{"tBFIndex", u"99"}, {"tHP", u"20000000"}}, {}, {{25, 4, 99}, {117, 4, 20000000}}},
    {"4D side beyond the list", 0x4D, {{85, 2, 9}, {109, 2, 0}}, {{"cbArmy", u"모든부대 (9)"}}, {}, {}},
    {"4D typed HP and MP clamp", 0x4D, {{109, 2, 0}}, {},
     [](QDialog &d) {
         typeInto(d, "tHP", QStringLiteral("16777216"));
         typeInto(d, "tMP", QStringLiteral("250"));
         EXPECT_EQ(stateOf(d, "tHP"), QStringLiteral("16777215"));
     },
     {{117, 4, 16777215}, {129, 4, 250}}},
    {"4D a change writes the status as the boxes show it", 0x4D, {{109, 2, 0xFFFF}, {117, 4, 5}}, {},
     [](QDialog &d) { typeInto(d, "tMP", QStringLiteral("9")); }, {{129, 4, 9}, {109, 2, 0}}},
    {"4D untouched keeps a status of FFFF", 0x4D, {{109, 2, 0xFFFF}, {117, 4, 5}}, {{"ckRemove", u"off"}}, {}, {}},
    {"4D new command gets status 0000", 0x4D, {}, {}, {}, {{109, 2, 0}}, nullptr, true},

    // --- 0x4E: person or zone, and the AI policy with its target ---
    {"4E new command", 0x4E, {},
     {{"oChar", u"on"}, {"cbChar0", u"無"}, {"tX0", u"0"}, {"cbArmy", u"모든부대"}, {"cbAI0", u"무조건 출격"},
      {"gbNomal", u"shown"}, {"gbAIChar", u"hidden"}, {"gbCoor", u"hidden"}, {"cbChar1", u"無"}, {"tX2", u"0"},
      {"tY2", u"0"}},
     {}, {}},
    {"4E policy 6 at the list's end", 0x4E, {{81, 2, 6}}, {{"cbAI0", u"퇴각 지점"}, {"gbCoor", u"shown"}}, {}, {}},
    {"4E policy 7 kept", 0x4E, {{81, 2, 7}},
     {{"cbAI0", u"7"}, {"cbAI1", u"7"}, {"cbAI2", u"7"}, {"gbNomal", u"shown"}, {"gbCoor", u"hidden"}}, {}, {}},
    {"4E policy 9", 0x4E, {{81, 2, 9}}, {{"cbAI0", u"9"}, {"gbNomal", u"shown"}}, {}, {}},
    {"4E policy FFFF kept", 0x4E, {{81, 2, 0xFFFF}}, {{"cbAI0", u"65535"}, {"cbAI2", u"65535"}}, {}, {}},
    {"4E policy FFFF, the first item picked", 0x4E, {{81, 2, 0xFFFF}}, {},
     [](QDialog &d) { choose(d, "cbAI0", 0); }, {{81, 2, 0}}},
    {"4E policy 7, another picked and the placeholder picked back", 0x4E, {{81, 2, 7}}, {},
     [](QDialog &d) {
         choose(d, "cbAI1", 3);
         EXPECT_EQ(stateOf(d, "gbAIChar"), QStringLiteral("shown"));
         choose(d, "cbAI2", 7);
         EXPECT_EQ(stateOf(d, "cbAI0"), QStringLiteral("7"));
         EXPECT_EQ(stateOf(d, "gbNomal"), QStringLiteral("shown"));
     },
     {}},
    {"4E policy panels follow the lists", 0x4E, {}, {},
     [](QDialog &d) {
         choose(d, "cbAI0", 3);
         EXPECT_EQ(stateOf(d, "gbAIChar"), QStringLiteral("shown"));
         EXPECT_EQ(stateOf(d, "gbNomal"), QStringLiteral("hidden"));
         EXPECT_EQ(stateOf(d, "cbAI1"), QStringLiteral("공격 무장"));
         choose(d, "cbAI1", 6);
         EXPECT_EQ(stateOf(d, "gbCoor"), QStringLiteral("shown"));
         EXPECT_EQ(stateOf(d, "gbAIChar"), QStringLiteral("hidden"));
         EXPECT_EQ(stateOf(d, "cbAI2"), QStringLiteral("퇴각 지점"));
         EXPECT_EQ(stateOf(d, "cbAI0"), QStringLiteral("퇴각 지점"));
     },
     {{81, 2, 6}}},
    {"4E stored target cell opens its panel", 0x4E, {{81, 2, 4}, {97, 4, 3}, {109, 4, 9}},
     {{"gbCoor", u"shown"}, {"cbAI2", u"도착 지점"}, {"tX2", u"3"}, {"tY2", u"9"}}, {}, {}},
    {"4E hidden target person kept", 0x4E, {{81, 2, 3}, {89, 2, 12}},
     {{"gbAIChar", u"shown"}, {"tNum1", u"12"}},
     [](QDialog &d) { choose(d, "cbAI0", 1); }, {{81, 2, 1}}},
    {"4E target X above 40 kept", 0x4E, {{97, 4, 65541}}, {{"tX2", u"65541"}}, {}, {{97, 4, 65541}}},
    {"4E zone mode", 0x4E, {{9, 2, 1}, {25, 4, 2}, {73, 2, 2}},
     {{"oZone", u"on"}, {"gbZone", u"shown"}, {"gbChar", u"hidden"}, {"tX0", u"2"}, {"cbArmy", u"적군"}},
     [](QDialog &d) { clickOn(d, "oChar"); }, {{9, 2, 0}}},

    // --- 0x53: person or zone, retreat or death ---
    {"53 new command", 0x53, {},
     {{"oChar", u"on"}, {"cbChar", u"無"}, {"tX0", u"0"}, {"cbArmy", u"모든부대"}, {"ckDeath", u"off"}}, {}, {},
     u"퇴각"},
    {"53 death ticked", 0x53, {}, {}, [](QDialog &d) { clickOn(d, "ckDeath"); }, {{81, 2, 1}}, u"사망"},
    {"53 flag 2", 0x53, {{81, 2, 2}}, {{"ckDeath", u"off"}}, {}, {}},
    {"53 mode 2 is the person mode", 0x53, {{9, 2, 2}}, {{"oChar", u"on"}}, {}, {}},
    {"53 zone keeps the person", 0x53, {{17, 2, 5}}, {{"tNum", u"5"}}, [](QDialog &d) { clickOn(d, "oZone"); },
     {{9, 2, 1}}},
    {"53 corner 41 kept", 0x53, {{61, 4, 41}}, {{"tY1", u"41"}}, {}, {{61, 4, 41}}},

    // --- 0x55: person or index, a cell and a facing ---
    {"55 new command", 0x55, {},
     {{"oChar", u"on"}, {"cbChar0", u"無"}, {"tNum0", u"65535"}, {"tBFIndex", u"0"}, {"tX", u"0"}, {"tY", u"0"},
      {"cbDirection", u"묵인방향"}},
     {}, {}},
    {"55 index mode to person keeps the index", 0x55, {{9, 2, 1}, {25, 4, 17}},
     {{"gbBF", u"shown"}, {"gbChar", u"hidden"}, {"tBFIndex", u"17"}}, [](QDialog &d) { clickOn(d, "oChar"); },
     {{9, 2, 0}}},
    {"55 mode 2", 0x55, {{9, 2, 2}}, {{"oChar", u"on"}}, {}, {}},
    {"55 facing 4", 0x55, {{61, 2, 4}}, {{"cbDirection", u"묵인방향"}}, {}, {}},
    {"55 facing 7", 0x55, {{61, 2, 7}}, {{"cbDirection", u"묵인방향 (7)"}}, {}, {}},
    {"55 facing east", 0x55, {{61, 2, 1}}, {{"cbDirection", u"동쪽"}}, {}, {}},
    {"55 cell above 40 kept", 0x55, {{37, 4, 55}, {49, 4, 16777216}}, {{"tX", u"55"}, {"tY", u"16777216"}}, {},
     {{37, 4, 55}, {49, 4, 16777216}}},
    {"55 negative cell kept", 0x55, {{37, 4, -3}}, {{"tX", u"-3"}}, {}, {}},
    {"55 typed index", 0x55, {}, {}, [](QDialog &d) { typeInto(d, "tBFIndex", QStringLiteral("99")); },
     {{25, 4, 40}}},
    {"55 variable person", 0x55, {}, {},
     [](QDialog &d) {
         choose(d, "cbChar0", 1028 + 3);
         EXPECT_EQ(stateOf(d, "tNum0"), QString::number(0xFFFE - 3));
         EXPECT_EQ(stateOf(d, "tName0"), QStringLiteral("*3"));
     },
     {{17, 2, 0xFFFE - 3}}},

    // --- 0x4C: person or index ---
    {"4C new command", 0x4C, {}, {{"oChar", u"on"}, {"cbChar", u"無"}, {"tNum", u"65535"}, {"tBFIndex", u"0"}},
     {}, {}},
    {"4C index to person keeps the index", 0x4C, {{9, 2, 1}, {25, 4, 30}},
     {{"gbBF", u"shown"}, {"tBFIndex", u"30"}}, [](QDialog &d) { clickOn(d, "oChar"); }, {{9, 2, 0}}},
    {"4C mode 5", 0x4C, {{9, 2, 5}}, {{"oChar", u"on"}}, {}, {}},
    {"4C index above 40 kept", 0x4C, {{25, 4, 77}}, {{"tBFIndex", u"77"}}, {}, {{25, 4, 77}}},
    {"4C typed index", 0x4C, {{9, 2, 1}}, {}, [](QDialog &d) { typeInto(d, "tBFIndex", QStringLiteral("41")); },
     {{25, 4, 40}}},

    // --- 0x6D: person or index, reference person, offset, facing, revive ---
    {"6D new command", 0x6D, {},
     {{"oChar", u"on"}, {"cbChar0", u"無"}, {"cbChar1", u"無"}, {"tNum0", u"65535"}, {"tNum1", u"65535"},
      {"tBFIndex", u"0"}, {"tX", u"0"}, {"tY", u"0"}, {"cbDirection", u"묵인방향"}, {"ckRevive", u"off"}},
     {}, {}, u"이동"},
    {"6D revive ticked", 0x6D, {}, {}, [](QDialog &d) { clickOn(d, "ckRevive"); }, {{77, 2, 1}}, u"부활"},
    {"6D flag 2 loads ticked", 0x6D, {{77, 2, 2}}, {{"ckRevive", u"on"}}, {}, {}},
    {"6D reference person in index mode", 0x6D, {{9, 2, 1}, {37, 2, 4}},
     {{"gbBF", u"shown"}, {"tNum1", u"4"}},
     [](QDialog &d) {
         EXPECT_TRUE(child<QWidget>(d, "cbChar1")->isVisibleTo(&d));
         choose(d, "cbChar1", 8);
     },
     {{37, 2, 8}}},
    {"6D offset limit and a stored -1", 0x6D, {{57, 4, -1}, {45, 4, 20000000}},
     {{"tY", u"-1"}, {"tX", u"20000000"}}, [](QDialog &d) { typeInto(d, "tX", QStringLiteral("99999999")); },
     {{45, 4, 16777215}}},
    {"6D facing 9", 0x6D, {{69, 2, 9}}, {{"cbDirection", u"묵인방향 (9)"}}, {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Rows, UnitTargetDialogs, ::testing::ValuesIn(kCases), testsupport::NameFromRow{});

// --- map buttons --------------------------------------------------------

struct MapCase
{
    const char *name;
    int code;
    const char *button;
    std::vector<QPoint> cells;
    int mode;
    std::vector<FieldValue> written;
    const char *switchTo = nullptr;  // an option clicked first
};

class UnitTargetMaps : public ::testing::TestWithParam<MapCase> {};

TEST_P(UnitTargetMaps, PickedCellsReachTheBoxesClamped)
{
    const MapCase &c = GetParam();
    SCOPED_TRACE(c.name);
    const QString record = fixtures::battlefieldRecord(c.code);
    const QString expected = fixtures::withFields(record, c.written);
    FakeBattleMap map(c.cells);
    enginetest::CommandNode cmd(record);
    cmd.edit([&](QDialog &d) {
        if (c.switchTo)
            clickOn(d, c.switchTo);
        clickOn(d, c.button);
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(map.calls, 1);
    EXPECT_EQ(map.mode, c.mode);
    EXPECT_EQ(cmd.record(), expected);
}

const MapCase kMapCases[] = {
    // Corners in the order clicked, bottom-right first.
    {"4D zone", 0x4D, "cMap1", {{20, 30}, {3, 4}}, 3, {{9, 2, 2}, {37, 4, 20}, {49, 4, 30}, {61, 4, 3}, {73, 4, 4}, {109, 2, 0}}, "oZone"},
    {"4D zone clamped", 0x4D, "cMap1", {{45, 2}, {1, 41}}, 3, {{9, 2, 2}, {37, 4, 40}, {49, 4, 2}, {61, 4, 1}, {73, 4, 40}, {109, 2, 0}}, "oZone"},
    {"4E zone", 0x4E, "cMap0", {{6, 7}, {8, 9}}, 3, {{9, 2, 1}, {25, 4, 6}, {37, 4, 7}, {49, 4, 8}, {61, 4, 9}}, "oZone"},
    {"4E target cell", 0x4E, "cMap1", {{12, 50}}, 4, {{97, 4, 12}, {109, 4, 40}}},
    {"53 zone", 0x53, "cMap1", {{5, 6}, {2, 1}}, 3, {{9, 2, 1}, {25, 4, 5}, {37, 4, 6}, {49, 4, 2}, {61, 4, 1}}, "oZone"},
    {"55 cell", 0x55, "cMap1", {{45, 7}}, 4, {{37, 4, 40}, {49, 4, 7}}},
};

void PrintTo(const MapCase &c, std::ostream *os) { *os << c.name; }

INSTANTIATE_TEST_SUITE_P(Rows, UnitTargetMaps, ::testing::ValuesIn(kMapCases), testsupport::NameFromRow{});

// --- start mode ---------------------------------------------------------

TEST(UnitTargetDialogs, StartModeReturnsAfterTheMapPicker)
{
    FakeBattleMap map({{1, 1}});
    enginetest::CommandNode cmd(fixtures::battlefieldRecord(0x55));
    cmd.settings[QStringLiteral("Option/Char_Select")] = QStringLiteral("1");
    cmd.edit([&](QDialog &d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        EXPECT_EQ(stateOf(d, "oNum"), QStringLiteral("on"));
        clickOn(d, "oList");
        EXPECT_TRUE(child<QWidget>(d, "cbChar0")->isVisibleTo(&d));
        clickOn(d, "cMap1");
        EXPECT_EQ(stateOf(d, "oNum"), QStringLiteral("on"));
        EXPECT_TRUE(child<QWidget>(d, "tNum0")->isVisibleTo(&d));
        enginetest::click(d, "cCancel");
    });
}

TEST(UnitTargetDialogs, StartModeOnlyWhileThePersonModeIsChosen)
{
    enginetest::CommandNode cmd(fixtures::battlefieldRecord(0x4C, {{9, 2, 1}}));
    cmd.settings[QStringLiteral("Option/Char_Select")] = QStringLiteral("1");
    cmd.edit([&](QDialog &d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        EXPECT_EQ(stateOf(d, "oList"), QStringLiteral("on"));
        clickOn(d, "oChar");
        EXPECT_TRUE(child<QWidget>(d, "cbChar")->isVisibleTo(&d));
        // The next activation, now in the person mode, applies it.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&d, &activate);
        EXPECT_EQ(stateOf(d, "oNum"), QStringLiteral("on"));
        enginetest::click(d, "cCancel");
    });
}

TEST(UnitTargetDialogs, PairFormSwitchesBothPersons)
{
    enginetest::CommandNode cmd(fixtures::battlefieldRecord(0x6D));
    cmd.edit([&](QDialog &d) {
        clickOn(d, "oNum");
        EXPECT_TRUE(child<QWidget>(d, "tNum0")->isVisibleTo(&d));
        EXPECT_TRUE(child<QWidget>(d, "tNum1")->isVisibleTo(&d));
        clickOn(d, "oList");
        EXPECT_TRUE(child<QWidget>(d, "cbChar0")->isVisibleTo(&d));
        EXPECT_TRUE(child<QWidget>(d, "cbChar1")->isVisibleTo(&d));
        enginetest::click(d, "cCancel");
    });
}

TEST(UnitTargetDialogs, NestedLengthWordAndSerialStay)
{
    const QString record = fixtures::battlefieldRecord(0x6D) + QStringLiteral("2A00");
    enginetest::CommandNode cmd(record);
    cmd.edit([](QDialog &d) {
        clickOn(d, "ckRevive");
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(cmd.record(), fixtures::battlefieldRecord(0x6D, {{77, 2, 1}}) + QStringLiteral("2A00"));
    EXPECT_TRUE(cmd.key().endsWith(QStringLiteral("_77")));
}

TEST(UnitTargetDialogs, CancelChangesNothing)
{
    for (int code : {0x4C, 0x4D, 0x4E, 0x53, 0x55, 0x6D}) {
        SCOPED_TRACE(code);
        enginetest::CommandNode cmd(fixtures::battlefieldRecord(code));
        const QString key = cmd.key(), caption = cmd.text();
        cmd.edit([](QDialog &d) {
            for (QAbstractButton *b : d.findChildren<QAbstractButton *>())
                if (b->isCheckable() && b->isVisibleTo(&d))
                    b->click();
            for (QLineEdit *box : d.findChildren<QLineEdit *>())
                box->setText(QStringLiteral("7"));
            enginetest::click(d, "cCancel");
        });
        EXPECT_EQ(cmd.key(), key);
        EXPECT_EQ(cmd.text(), caption);
        EXPECT_EQ(cmd.records, 0);
        EXPECT_EQ(cmd.marks, 0);
    }
}

} // namespace
