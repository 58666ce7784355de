// The dialogs of the commands that name cells or points, on their own
// records: what they show of stored values, what OK writes, and what their
// map buttons hand the pickers and take back from them.
#include "commands/common/engine_test_support.h"
#include "commands/common/fake_map_pickers.h"
#include "commands/common/tab_caption.h"
#include "commands/presentation/map_button_dialog.h"
#include "fixtures/presentation_fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using enginetest::CommandNode;
using fixtures::commandRecord;

namespace {

constexpr int kPerson = 0x02;
constexpr int kLong = 0x04;

QString cell1F(std::int64_t x, std::int64_t y)
{
    return commandRecord(0x1F, {{kLong, 4, x}, {kLong, 4, y}});
}
QString thing21(std::int64_t x, std::int64_t y, int kind, int view, int delay)
{
    return commandRecord(0x21, {{kLong, 4, x}, {kLong, 4, y}, {0x10, 2, kind}, {0x26, 2, view}, {0x26, 2, delay}});
}
QString personPoint(int code, int person, std::int64_t x, std::int64_t y)
{
    return commandRecord(code, {{kPerson, 2, person}, {kLong, 4, x}, {kLong, 4, y}});
}
QString zone26(int person, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    return commandRecord(0x26, {{kPerson, 2, person}, {kLong, 4, x1}, {kLong, 4, y1}, {kLong, 4, x2}, {kLong, 4, y2}});
}
QString person2B(int person)
{
    return commandRecord(0x2B, {{kPerson, 2, person}});
}

QString shown(QDialog &d, const QString &name)
{
    if (auto *box = d.findChild<QLineEdit *>(name))
        return box->text();
    if (auto *list = d.findChild<QComboBox *>(name))
        return list->currentText() + u'#' + QString::number(list->currentIndex());
    if (auto *check = d.findChild<QCheckBox *>(name))
        return check->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
    return QStringLiteral("<missing>");
}

struct LoadCase {
    const char *what;
    QString record;
    QMap<QString, QString> expected;  // control -> text (lists: "text#index")
    QString afterOk;                  // the record OK leaves
};

TEST(PresentationMapDialogs, StoredValuesShowAndOkWritesWhatIsShown)
{
    const LoadCase cases[] = {
        {"1F point", cell1F(12, 7), {{"tX", "12"}, {"tY", "7"}}, cell1F(12, 7)},
        {"1F beyond the map kept", cell1F(41, 0x10005), {{"tX", "41"}, {"tY", "65541"}}, cell1F(41, 0x10005)},
        {"1F at the limit", cell1F(40, 0), {{"tX", "40"}, {"tY", "0"}}, cell1F(40, 0)},
        {"21 new", thing21(0, 0, 0, 0, 0),
         {{"tX", "0"}, {"tY", "0"}, {"cbThings", "방화#0"}, {"ckViewPoint", "off"}, {"ckDelay", "off"}},
         thing21(0, 0, 0, 0, 0)},
        {"21 odd kind and flags are kept", thing21(3, 4, 2, 2, 1),
         {{"cbThings", "#2"}, {"ckViewPoint", "off"}, {"ckDelay", "on"}}, thing21(3, 4, 2, 2, 1)},
        {"25 group and far cell", personPoint(0x25, 1025, 41, 5),
         {{"tNum", "1025"}, {"cbChar", "#1025"}, {"tX", "41"}, {"tY", "5"}}, personPoint(0x25, 1025, 41, 5)},
        {"26 cells beyond 40 stay", zone26(0xFFFF, 100, 250, 3, 4),
         {{"tNum", "65535"}, {"tX0", "100"}, {"tY0", "250"}, {"tX1", "3"}, {"tY1", "4"}},
         zone26(0xFFFF, 100, 250, 3, 4)},
        {"29 pixels", personPoint(0x29, 7, 320, 200), {{"tNum", "7"}, {"tX", "320"}, {"tY", "200"}},
         personPoint(0x29, 7, 320, 200)},
        {"29 negative", personPoint(0x29, 0xFFFF, -1, 0x7FFFFFFF), {{"tX", "-1"}, {"tY", "2147483647"}},
         personPoint(0x29, 0xFFFF, -1, 0x7FFFFFFF)},
        {"2A variable person", personPoint(0x2A, 0xFFFE - 14, 5, 6),
         {{"tNum", QString::number(65534 - 14)}, {"cbChar", "*14#" + QString::number(1028 + 14)}},
         personPoint(0x2A, 0xFFFE - 14, 5, 6)},
        {"2B nobody", person2B(0xFFFF), {{"tNum", "65535"}, {"cbChar", "無#5124"}}, person2B(0xFFFF)},
    };
    for (const LoadCase &c : cases) {
        SCOPED_TRACE(c.what);
        CommandNode cmd(c.record);
        const bool changed = cmd.edit([&](QDialog &d) {
            for (auto it = c.expected.begin(); it != c.expected.end(); ++it) {
                const QString got = shown(d, it.key());
                if (it.value().startsWith(u'#'))
                    EXPECT_TRUE(got.endsWith(it.value())) << it.key().toStdString() << " " << got.toStdString();
                else
                    EXPECT_EQ(got, it.value()) << it.key().toStdString();
            }
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(cmd.record(), c.afterOk);
        EXPECT_EQ(changed, c.afterOk != c.record);
        EXPECT_EQ(cmd.records, changed ? 1 : 0);
        EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
    }
}

TEST(PresentationMapDialogs, CancelKeepsAValueTheBoxesWouldLimit)
{
    CommandNode cmd(cell1F(41, 2));
    const QString key = cmd.key();
    EXPECT_FALSE(cmd.edit([](QDialog &d) { enginetest::click(d, "cCancel"); }));
    EXPECT_EQ(cmd.key(), key);
}

struct EditCase {
    const char *what;
    QString record;
    std::function<void(QDialog &)> act;
    QString afterOk;
    const char *captionHas;
};

void type(QDialog &d, const char *box, const QString &text)
{
    auto *b = d.findChild<QLineEdit *>(QLatin1String(box));
    ASSERT_NE(b, nullptr) << box;
    b->selectAll();
    QTest::keyClicks(b, text);
}

TEST(PresentationMapDialogs, OkWritesEachEditedField)
{
    const EditCase cases[] = {
        {"1F typed cell, 41 stops at 40", cell1F(0, 0),
         [](QDialog &d) {
             type(d, "tX", "12");
             type(d, "tY", "41");
         },
         cell1F(12, 40), "(12,40)"},
        {"21 every field", thing21(0, 0, 0, 0, 0),
         [](QDialog &d) {
             type(d, "tX", "9");
             type(d, "tY", "8");
             d.findChild<QComboBox *>("cbThings")->setCurrentIndex(1);
             d.findChild<QCheckBox *>("ckViewPoint")->setChecked(true);
             d.findChild<QCheckBox *>("ckDelay")->setChecked(true);
         },
         thing21(9, 8, 1, 1, 1), "시점변화"},
        {"25 person and cell", personPoint(0x25, 0xFFFF, 0, 0),
         [](QDialog &d) {
             d.findChild<QComboBox *>("cbChar")->setCurrentIndex(1026);
             type(d, "tX", "3");
             type(d, "tY", "39");
         },
         personPoint(0x25, 1026, 3, 39), "(3,39)"},
        {"26 corners without limit", zone26(0, 0, 0, 0, 0),
         [](QDialog &d) {
             type(d, "tX0", "100");
             type(d, "tY0", "2");
             type(d, "tX1", "65536");
             type(d, "tY1", "4");
         },
         zone26(0, 100, 2, 65536, 4), ""},
        {"2A person by number, point", personPoint(0x2A, 0xFFFF, 0, 0),
         [](QDialog &d) {
             d.findChild<QComboBox *>("cbChar")->setCurrentIndex(5);
             type(d, "tX", "640");
             type(d, "tY", "480");
         },
         personPoint(0x2A, 5, 640, 480), "(640,480)"},
        {"2B chosen person", person2B(0xFFFF),
         [](QDialog &d) { d.findChild<QComboBox *>("cbChar")->setCurrentIndex(1028 + 3); },
         person2B(0xFFFE - 3), ""},
    };
    for (const EditCase &c : cases) {
        SCOPED_TRACE(c.what);
        CommandNode cmd(c.record);
        EXPECT_TRUE(cmd.edit([&](QDialog &d) {
            c.act(d);
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.record(), c.afterOk);
        EXPECT_EQ(cmd.records, 1);
        EXPECT_EQ(cmd.marks, 1);
        EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
        EXPECT_TRUE(cmd.text().contains(QString::fromUtf8(c.captionHas))) << cmd.text().toStdString();
    }
}

// --- the map buttons --------------------------------------------------------

struct PickCase {
    const char *what;
    QString record;
    QString rootText;        // the document's root: its path, or "Scenario"
    const char *button;
    // The one picker the button must open: it checks what it is asked and
    // answers.
    workspace::MapPickers picker;
    QMap<QString, QString> boxesAfter;
};

using workspace::BattleMapPick;
using workspace::BattleMapRequest;
using workspace::EditContext;
using workspace::StageMapPick;
using workspace::StageMapRequest;
using workspace::WorldMapRequest;

workspace::MapPickers battle(std::function<std::optional<BattleMapPick>(EditContext &, const BattleMapRequest &)> f)
{
    return {.battle = std::move(f)};
}

// A two-corner call of the battle map that answers nothing.
const workspace::MapPickers kCornersAsked = battle([](EditContext &, const BattleMapRequest &r) {
    EXPECT_EQ(r.mode, 3);
    return std::nullopt;
});

TEST(PresentationMapDialogs, MapButtonsAskThePickerWithTheirBoxesAndTakeItsCells)
{
    const PickCase cases[] = {
        {"1F one cell", cell1F(1, 2), "Scenario", "cMap1",
         battle([](EditContext &, const BattleMapRequest &r) {
             EXPECT_EQ(r.mode, 4);
             EXPECT_EQ(QPoint(r.x0, r.y0), QPoint(1, 2));
             EXPECT_EQ(QPoint(r.x1, r.y1), QPoint(0, 0));
             return BattleMapPick{QPoint(41, 17), std::nullopt, {}};
         }),
         {{"tX", "40"}, {"tY", "17"}}},
        {"21 object cell with the chosen kind", thing21(1, 2, 0, 0, 0), "Scenario", "cMap1",
         battle([](EditContext &ctx, const BattleMapRequest &r) {
             EXPECT_EQ(r.mode, 6);
             EXPECT_EQ(r.objectNode, ctx.node);
             EXPECT_EQ(r.objectKind, 1);
             return BattleMapPick{QPoint(5, 6), std::nullopt, {}};
         }),
         {{"tX", "5"}, {"tY", "6"}}},
        {"25 one cell", personPoint(0x25, 0xFFFF, 0, 0), "S_01.eex", "cMap1",
         battle([](EditContext &, const BattleMapRequest &r) {
             EXPECT_EQ(r.mode, 4);
             EXPECT_EQ(r.objectNode, core::kNoNode);
             return BattleMapPick{QPoint(50, 3), std::nullopt, {}};
         }),
         {{"tX", "40"}, {"tY", "3"}}},
        {"26 battle scenario: two corners, unsorted", zone26(0xFFFF, 7, 8, 9, 10), "/data/S_05.eex", "cMap1",
         battle([](EditContext &, const BattleMapRequest &r) {
             EXPECT_EQ(r.mode, 3);
             EXPECT_EQ(QPoint(r.x0, r.y0), QPoint(7, 8));
             EXPECT_EQ(QPoint(r.x1, r.y1), QPoint(9, 10));
             return BattleMapPick{QPoint(30, 20), QPoint(2, 1), {}};
         }),
         {{"tX0", "30"}, {"tY0", "20"}, {"tX1", "2"}, {"tY1", "1"}}},
        {"26 untitled counts as battle", zone26(0xFFFF, 0, 0, 0, 0), "Scenario", "cMap1", kCornersAsked,
         {{"tX0", "0"}}},
        {"26 story scenario: the stage, two points", zone26(0xFFFF, 0, 0, 0, 0), "/users/someone/R_05.eex",
         "cMap1",
         {.stage =
              [](EditContext &, const StageMapRequest &r) {
                  EXPECT_TRUE(r.twoPoint);
                  EXPECT_EQ(r.facingIndex, -1);
                  // A right click after the first point: only the first is picked.
                  return std::optional(StageMapPick{QPoint(60, 7), std::nullopt, std::nullopt});
              }},
         {{"tX0", "60"}, {"tY0", "7"}, {"tX1", "0"}, {"tY1", "0"}}},
        {"26 story file name holding an s", zone26(0xFFFF, 0, 0, 0, 0), "R_base.eex", "cMap1", kCornersAsked, {}},
        {"29 shows a face", personPoint(0x29, 12, 10, 20), "R_01.eex", "cMapShow",
         {.world =
              [](EditContext &, const WorldMapRequest &r) {
                  EXPECT_EQ(r.start, QPoint(10, 20));
                  EXPECT_EQ(r.person, 12);
                  EXPECT_FALSE(r.moving);
                  return std::optional(QPoint(512, 384));
              }},
         {{"tX", "512"}, {"tY", "384"}}},
        {"2A moves a variable person's face", personPoint(0x2A, 0xFFFE - 2, 10, 20), "R_01.eex", "cMapShow",
         {.world =
              [](EditContext &, const WorldMapRequest &r) -> std::optional<QPoint> {
                  EXPECT_EQ(r.person, 0xFFFE - 2);
                  EXPECT_TRUE(r.moving);
                  return std::nullopt;
              }},
         {{"tX", "10"}, {"tY", "20"}}},
    };
    for (const PickCase &c : cases) {
        SCOPED_TRACE(c.what);
        CommandNode cmd(c.record);
        cmd.tree.setText(cmd.tree.root(), c.rootText);
        enginetest::FakeMapPickers pickers(c.picker);
        cmd.edit([&](QDialog &d) {
            if (QString::fromUtf8(c.what).startsWith(u"21"))
                d.findChild<QComboBox *>("cbThings")->setCurrentIndex(1);
            d.findChild<QPushButton *>(QLatin1String(c.button))->click();
            for (auto it = c.boxesAfter.begin(); it != c.boxesAfter.end(); ++it)
                EXPECT_EQ(shown(d, it.key()), it.value()) << it.key().toStdString();
            enginetest::click(d, "cCancel");
        });
        EXPECT_EQ(pickers.runs(), 1);
        EXPECT_EQ(cmd.key(), c.record + QStringLiteral("_77"));
    }
}

TEST(PresentationMapDialogs, PickedCellsReachTheKeyOnOk)
{
    CommandNode cmd(zone26(1024, 0, 0, 0, 0));
    enginetest::FakeMapPickers pickers(battle([](EditContext &, const BattleMapRequest &) {
        return BattleMapPick{QPoint(4, 3), QPoint(2, 1), {}};
    }));
    cmd.tree.setText(cmd.tree.root(), QStringLiteral("Scenario"));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        enginetest::click(d, "cMap1");
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), zone26(1024, 4, 3, 2, 1));
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("(4,3)"))) << cmd.text().toStdString();
}

TEST(PresentationMapDialogs, BattleScenarioIsToldByAnSInTheTabCaption)
{
    const struct {
        const char *rootText;
        bool battle;
    } cases[] = {
        {"Scenario", true},        {"S_05.eex", true},       {"/x/s_05.EEX", true}, {"R_05.eex", false},
        {"R_base.eex", true},      {"/saves/R_05.eex", false}, {"R_05.eex *", false}, {"", false},
        {"C:\\Game\\Saves\\R_05.EEX", false}, {"C:\\Game\\S_01.EEX", true},
    };
    for (const auto &c : cases) {
        core::DocTree tree;
        tree.addRoot(QStringLiteral("Path"), QString::fromUtf8(c.rootText));
        EXPECT_EQ(commands::takesBattleMap(commands::documentTabCaption(tree)), c.battle) << c.rootText;
    }
}

} // namespace
