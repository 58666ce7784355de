// The battlefield dialogs of fixed fields with a map button or a list of
// their own: the key zone (0x5B), magic (0x6B) and the troop type (0x52).
#include "commands/battlefield/dialog_test_support.h"
#include "commands/battlefield/fake_battle_map.h"
#include "core/name_tables.h"

using namespace battlefieldtest;

namespace {

class FieldDialogs : public ::testing::TestWithParam<Case> {};

TEST_P(FieldDialogs, LoadWorkAndSave) { runCase(GetParam()); }

const Case kCases[] = {
    // --- 0x5B: two corners and "전투 중" ---
    {"5B zone during the battle", 0x5B, {{9, 4, 3}, {21, 4, 4}, {33, 4, 10}, {45, 4, 12}, {57, 2, 1}},
     {{"tX0", u"3"}, {"tY0", u"4"}, {"tX1", u"10"}, {"tY1", u"12"}, {"ckWar", u"on"}}, {}, {},
     u"(3,4) - (10,12) 전투중"},
    {"5B flag 2", 0x5B, {{57, 2, 2}}, {{"ckWar", u"off"}}, {}, {}, u"승리조건"},
    {"5B X above 40 kept", 0x5B, {{9, 4, 55}}, {{"tX0", u"55"}}, {}, {{9, 4, 55}}},
    {"5B typed corner", 0x5B, {}, {}, [](QDialog &d) { typeInto(d, "tY1", QStringLiteral("41")); },
     {{45, 4, 40}}},

    // --- 0x6B: magic at a cell (default counts 58 and 9) ---
    {"6B first effect", 0x6B, {{33, 2, 0}}, {{"cbMagic", u"MEFF-1"}}, {}, {}},
    {"6B last effect", 0x6B, {{33, 2, 57}}, {{"cbMagic", u"MEFF-58"}}, {}, {}},
    {"6B beyond the effects", 0x6B, {{33, 2, 60}}, {{"cbMagic", u"MEFF-58 (60)"}}, {}, {}},
    {"6B first call", 0x6B, {{33, 2, 100}}, {{"cbMagic", u"MCALL00.E5"}}, {}, {}},
    {"6B last call", 0x6B, {{33, 2, 108}}, {{"cbMagic", u"MCALL08.E5"}}, {}, {}},
    {"6B appear", 0x6B, {{33, 2, 109}}, {{"cbMagic", u"나타냄"}}, {}, {}},
    {"6B beyond the calls", 0x6B, {{33, 2, 150}}, {{"cbMagic", u"MCALL08.E5 (150)"}}, {}, {}},
    {"6B above 200", 0x6B, {{33, 2, 250}}, {{"cbMagic", u"MCALL08.E5 (250)"}}, {}, {}},
    {"6B 200", 0x6B, {{33, 2, 200}}, {{"cbMagic", u"MCALL08.E5 (200)"}}, {}, {}},
    {"6B viewpoint", 0x6B, {{41, 2, 1}}, {{"ckViewPoint", u"on"}}, {}, {}, u"시점변화"},
    {"6B no viewpoint", 0x6B, {{41, 2, 3}}, {{"ckViewPoint", u"off"}}, {}, {}, u"시점변화X"},
    {"6B cell above 40 kept", 0x6B, {{21, 4, 70}}, {{"tY", u"70"}}, {}, {{21, 4, 70}}},
    {"6B typed cell above 40", 0x6B, {{21, 4, 70}}, {}, [](QDialog &d) { typeInto(d, "tY", QStringLiteral("41")); },
     {{21, 4, 40}}},
};

INSTANTIATE_TEST_SUITE_P(Rows, FieldDialogs, ::testing::ValuesIn(kCases), testsupport::NameFromRow{});

TEST(FieldDialogs, MagicListFollowsTheSettings)
{
    struct Row
    {
        const char *effects;
        const char *calls;
        int items;
        int chosen;  // the item chosen
        int written;
    } rows[] = {{"", "", 68, 67, 109},          // defaults 58 and 9
                {"58", "12", 71, 70, 112},       // "나타냄" with 12 calls
                {"3", "2", 6, 3, 100},           // the first call
                {"x", "9", 68, 57, 57}};         // not a number: the default
    for (const Row &r : rows) {
        SCOPED_TRACE(r.effects);
        enginetest::CommandNode cmd(fixtures::battlefieldRecord(0x6B));
        cmd.settings[QStringLiteral("Setting/MEffMax")] = QString::fromLatin1(r.effects);
        cmd.settings[QStringLiteral("Setting/MCallMax")] = QString::fromLatin1(r.calls);
        cmd.edit([&](QDialog &d) {
            auto *list = child<QComboBox>(d, "cbMagic");
            EXPECT_EQ(list->count(), r.items);
            EXPECT_EQ(list->itemText(list->count() - 1), QStringLiteral("나타냄"));
            list->setCurrentIndex(r.chosen);
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(fixtures::fieldOf(cmd.key(), 33, 2), std::uint32_t(r.written));
    }
}

struct MapCase
{
    const char *name;
    int code;
    std::vector<QPoint> cells;
    int mode;
    std::vector<FieldValue> written;
};

void PrintTo(const MapCase &c, std::ostream *os) { *os << c.name; }

class FieldDialogMaps : public ::testing::TestWithParam<MapCase> {};

TEST_P(FieldDialogMaps, PickedCellsReachTheBoxesClamped)
{
    const MapCase &c = GetParam();
    SCOPED_TRACE(c.name);
    FakeBattleMap map(c.cells);
    enginetest::CommandNode cmd(fixtures::battlefieldRecord(c.code));
    cmd.edit([](QDialog &d) {
        clickOn(d, "cMap1");
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(map.calls, 1);
    EXPECT_EQ(map.mode, c.mode);
    const QString expected = fixtures::withFields(fixtures::battlefieldRecord(c.code), c.written);
    EXPECT_EQ(cmd.record(), expected);
}

const MapCase kMapCases[] = {
    {"5B corners in the order clicked", 0x5B, {{9, 8}, {2, 1}}, 3, {{9, 4, 9}, {21, 4, 8}, {33, 4, 2}, {45, 4, 1}}},
    {"5B corners clamped", 0x5B, {{41, 0}, {0, 99}}, 3, {{9, 4, 40}, {45, 4, 40}}},
    {"6B one cell", 0x6B, {{14, 41}}, 4, {{9, 4, 14}, {21, 4, 40}}},
};

INSTANTIATE_TEST_SUITE_P(Rows, FieldDialogMaps, ::testing::ValuesIn(kMapCases), testsupport::NameFromRow{});

// --- 0x52: the troop list comes from the name tables ---

core::NameTables troopTables(int count)
{
    core::NameTables t;
    for (int i = 0; i < count; ++i)
        t.troopNames << QStringLiteral("병종%1").arg(i);
    return t;
}

TEST(FieldDialogs, TroopTypesAbove79AreShownAndKept)
{
    // The list offers types 0..79 (240 names); a stored 80 or more shows as
    // a last item of its own in the caption's words and is kept.
    const core::NameTables names = troopTables(240);
    struct Row
    {
        int stored;
        int shown;
        const char16_t *text;
    } rows[] = {{0, 0, u"병종0"}, {79, 79, u"병종79"}, {80, 240, u"병종80 (80)"}, {200, 240, u"병종200 (200)"},
                {12, 12, u"병종12"}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.stored);
        const QString stored = fixtures::battlefieldRecord(0x52, {{9, 2, 12}, {17, 2, r.stored}});
        enginetest::CommandNode cmd(stored);
        cmd.ctx.captions.names = &names;
        EXPECT_FALSE(cmd.edit([&](QDialog &d) {
            EXPECT_EQ(child<QComboBox>(d, "cbTroop")->count(), r.shown == 240 ? 241 : 240);
            EXPECT_EQ(child<QComboBox>(d, "cbTroop")->currentIndex(), r.shown);
            EXPECT_EQ(child<QComboBox>(d, "cbTroop")->currentText().toStdString(),
                      QString::fromUtf16(r.text).toStdString());
            EXPECT_EQ(stateOf(d, "tNum"), QStringLiteral("12"));
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.record(), stored);
    }
    // Picking a listed type replaces a kept one.
    enginetest::CommandNode cmd(fixtures::battlefieldRecord(0x52, {{9, 2, 12}, {17, 2, 120}}));
    cmd.ctx.captions.names = &names;
    cmd.edit([&](QDialog &d) {
        choose(d, "cbTroop", 5);
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(cmd.record(), fixtures::battlefieldRecord(0x52, {{9, 2, 12}, {17, 2, 5}}));
}

TEST(FieldDialogs, TroopChosenAndTablesWithoutTheType)
{
    const core::NameTables small = troopTables(10);
    enginetest::CommandNode cmd(fixtures::battlefieldRecord(0x52, {{17, 2, 30}}));
    cmd.ctx.captions.names = &small;
    cmd.edit([&](QDialog &d) {
        EXPECT_EQ(child<QComboBox>(d, "cbTroop")->currentIndex(), 10);  // 30 kept after the table's 10
        EXPECT_EQ(child<QComboBox>(d, "cbTroop")->currentText(), QStringLiteral("30"));  // as the caption
        choose(d, "cbTroop", 9);
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(fixtures::fieldOf(cmd.key(), 17, 2), 9u);

    // No troop table at all: the stored type is kept.
    enginetest::CommandNode bare(fixtures::battlefieldRecord(0x52, {{17, 2, 30}}));
    bare.edit([](QDialog &d) { enginetest::click(d, "cConfig"); });
    EXPECT_EQ(fixtures::fieldOf(bare.key(), 17, 2), 30u);
}

TEST(FieldDialogs, WindowsAndCancel)
{
    const struct
    {
        int code;
        const char *form;
        const char16_t *title;
    } windows[] = {{0x5B, "FrmImportanceZone5B", u"수정 - 5B : 전장주요구역"},
                   {0x6B, "FrmMagic6B", u"수정 - 6B : 법술"},
                   {0x52, "FrmChangeTroop52", u"수정 - 52 : 병종변경"},
                   {0x4C, "FrmAdventCharHide4C", u"수정 - 4C : 숨은무장출현"},
                   {0x4D, "FrmChangeCondition4D", u"수정 - 4D : 무장상태변경"},
                   {0x4E, "FrmChangeCharPolicy4E", u"수정 - 4E : 무장방침변경"},
                   {0x53, "FrmCharRetreat53", u"수정 - 53 : 전장퇴각"},
                   {0x55, "FrmRevival55", u"수정 - 55 : 전장부활"},
                   {0x6D, "FrmRelativeMove6D", u"수정 - 6D : 상대부활/이동"}};
    for (const auto &w : windows) {
        SCOPED_TRACE(w.form);
        EXPECT_EQ(workspace::DialogRegistry::instance().dialogKind(w.code), workspace::DialogKind::Real);
        enginetest::CommandNode cmd(fixtures::battlefieldRecord(w.code));
        const QString key = cmd.key(), caption = cmd.text();
        cmd.edit([&](QDialog &d) {
            EXPECT_EQ(d.objectName(), QString::fromLatin1(w.form));
            EXPECT_EQ(d.windowTitle(), QString::fromUtf16(w.title));
            for (QComboBox *list : d.findChildren<QComboBox *>())
                list->setCurrentIndex(list->count() - 1);
            for (QLineEdit *box : d.findChildren<QLineEdit *>())
                box->setText(QStringLiteral("3"));
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        EXPECT_EQ(cmd.key(), key);
        EXPECT_EQ(cmd.text(), caption);
        EXPECT_EQ(cmd.records, 0);
    }
}

} // namespace
