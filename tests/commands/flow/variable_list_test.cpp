// The variable list: which uses of variables it gathers and in what order,
// on a small hand-made tree and on generated scenarios; and the window's
// jump, its cancel and its message for a scenario without variables.
#include "commands/flow/variable_list_dialog.h"
#include "commands/flow/variable_test_record.h"
#include "commands/flow/variable_uses.h"
#include "core/captions.h"
#include "core/eex_reader.h"
#include "core/key_codec.h"
#include "fixtures/flow_fixtures.h"
#include "fixtures/nested_length_check.h"
#include "fixtures/scenario_generator.h"
#include "platform/prompts.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_dispatch.h"

#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace commands::flow;

namespace {

struct Row
{
    int variable;
    QString use;
    friend bool operator==(const Row &, const Row &) = default;
};

std::vector<Row> rowsOf(const std::vector<VariableUse> &uses)
{
    std::vector<Row> rows;
    for (const VariableUse &u : uses)
        rows.push_back({u.variable, u.use});
    return rows;
}

QString setRecord(std::int64_t variable, int value)
{
    return QStringLiteral("0B000400") + core::longToHex(variable, 4) + QStringLiteral("2700") +
           core::longToHex(value, 2);
}

// Body: set Var5 (value 2), test {3,4}/{7}, a query holding {test {3}/{},
// set Var9 False}, an empty test, set Var4095.
struct SmallScenario
{
    core::DocTree own;
    core::DocTree &tree;
    core::NodeId firstTest, nestedTest, emptyTest, firstSet, nestedSet, lastSet;

    SmallScenario() : SmallScenario(own) {}
    explicit SmallScenario(core::DocTree &into) : tree(into)
    {
        const core::NodeId scene = fixtures::addScenarioRoot(tree);
        const fixtures::SectionNodes sec = fixtures::addSection(tree, scene, 0);
        int serial = 0;
        auto add = [&](const QString &record) {
            const QString key = record + QStringLiteral("_s%1").arg(++serial);
            return tree.add(sec.bodyEnd, core::Relation::Before, key,
                            core::commandCaption(key, core::CaptionSite::Creation, false, {}));
        };
        firstSet = add(setRecord(5, 2));
        firstTest = add(variableTestRecord({{3, 4}, {7}}));
        const core::NodeId query = add(QStringLiteral("040026000100"));
        const auto nested = fixtures::addNestedList(
            tree, query, {variableTestRecord({{3}, {}}), setRecord(9, 0)});
        nestedTest = nested[0];
        nestedSet = nested[1];
        for (core::NodeId n : nested)
            tree.setText(n, core::commandCaption(tree.key(n), core::CaptionSite::Creation, false, {}));
        fixtures::setNestedLengths(tree, query);
        emptyTest = add(variableTestRecord({}));
        lastSet = add(setRecord(4095, 1));
    }
};

TEST(VariableUses, TestsFirstThenSettingsEachInDisplayOrder)
{
    SmallScenario s;
    const std::vector<VariableUse> uses = gatherVariableUses(s.tree);
    const std::vector<Row> want = {
        {3, QStringLiteral("시험 True")},  {4, QStringLiteral("시험 True")},  {7, QStringLiteral("시험 False")},
        {3, QStringLiteral("시험 True")},  {5, QStringLiteral("설정 True")},  {9, QStringLiteral("설정 False")},
        {4095, QStringLiteral("설정 True")},
    };
    EXPECT_EQ(rowsOf(uses), want);
    const std::vector<core::NodeId> from = {s.firstTest, s.firstTest, s.firstTest, s.nestedTest,
                                            s.firstSet,  s.nestedSet, s.lastSet};
    ASSERT_EQ(uses.size(), from.size());
    for (std::size_t i = 0; i < uses.size(); ++i)
        EXPECT_EQ(uses[i].key, s.tree.key(from[i])) << i;
    EXPECT_EQ(variableText(12), QStringLiteral("Var12"));
}

// The expected rows straight from the generated records, read byte by byte.
std::vector<Row> expectedRows(const fixtures::GenScenario &scenario)
{
    std::vector<Row> tests, sets;
    for (const fixtures::ExpectedNode &n : fixtures::expectedNodes(scenario)) {
        const QByteArray b = QByteArray::fromHex(n.record.toLatin1());
        auto u16 = [&](int at) { return int(quint8(b.at(at))) | int(quint8(b.at(at + 1))) << 8; };
        if (b.size() < 2)
            continue;
        if (u16(0) == 0x05) {
            const int t = u16(4);
            for (int j = 0; j < t; ++j)
                tests.push_back({u16(6 + 2 * j), QStringLiteral("시험 True")});
            const int f = u16(8 + 2 * t);
            for (int j = 0; j < f; ++j)
                tests.push_back({u16(10 + 2 * t + 2 * j), QStringLiteral("시험 False")});
        } else if (u16(0) == 0x0B) {
            const qint32 v = qint32(quint32(u16(4)) | quint32(u16(6)) << 16);
            sets.push_back({v, u16(10) != 0 ? QStringLiteral("설정 True") : QStringLiteral("설정 False")});
        }
    }
    tests.insert(tests.end(), sets.begin(), sets.end());
    return tests;
}

TEST(VariableUses, GeneratedScenariosListEveryUse)
{
    core::KeySerial serial = 0;
    std::size_t total = 0;
    for (std::uint64_t seed = 1; seed <= 150; ++seed) {
        fixtures::ScenarioGenerator gen(seed);
        const fixtures::GenScenario s = gen.scenario();
        core::DocTree tree;
        ASSERT_TRUE(core::eexLoad(fixtures::scenarioBytes(s), QStringLiteral("g.eex"), tree, serial).ok);
        const std::vector<VariableUse> uses = gatherVariableUses(tree);
        ASSERT_EQ(rowsOf(uses), expectedRows(s)) << "seed " << seed;
        for (const VariableUse &u : uses)
            ASSERT_NE(tree.find(u.key), core::kNoNode);
        total += uses.size();
    }
    EXPECT_GT(total, 20u);
}

// --- the window --------------------------------------------------------------

struct ToolRun
{
    core::DocTree &tree;
    workspace::EditContext ctx{tree};
    platform::ScriptedPrompts prompts;

    explicit ToolRun(core::DocTree &t) : tree(t) { ctx.prompts = &prompts; }

    void run(const std::function<void(VariableListDialog &)> &act)
    {
        workspace::ScopedDialogRunner runner([&](QDialog &d, workspace::EditContext &) {
            d.show();
            act(static_cast<VariableListDialog &>(d));
            if (d.isVisible())
                d.reject();
        });
        workspace::showVariableListDialog(ctx);
    }
};

TEST(VariableListDialog, FindSelectsTheChosenRowsCommand)
{
    SmallScenario s;
    s.tree.setSelected(s.emptyTest);
    ToolRun tool(s.tree);
    tool.run([&](VariableListDialog &w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("변량 리스트"));
        QTreeWidget *lv = w.findChild<QTreeWidget *>("LV");
        EXPECT_EQ(lv->headerItem()->text(0), QStringLiteral(" 변량"));
        EXPECT_EQ(lv->headerItem()->text(1), QStringLiteral(" 용도"));
        ASSERT_EQ(lv->topLevelItemCount(), 7);
        EXPECT_EQ(lv->currentItem(), lv->topLevelItem(0));
        EXPECT_EQ(lv->topLevelItem(3)->text(0), QStringLiteral("Var3"));
        EXPECT_EQ(lv->topLevelItem(5)->text(1), QStringLiteral("설정 False"));
        lv->setCurrentItem(lv->topLevelItem(5));
        w.findChild<QPushButton *>("cFind")->click();
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(s.tree.selected(), s.nestedSet);
    EXPECT_TRUE(tool.prompts.messages.isEmpty());
}

TEST(VariableListDialog, FindHandsTheCommandToTheWorkspacesSelection)
{
    SmallScenario s;
    ToolRun tool(s.tree);
    std::vector<core::NodeId> handed;
    tool.ctx.selectNode = [&](core::NodeId n) { handed.push_back(n); };
    tool.run([](VariableListDialog &w) {
        w.list()->setCurrentItem(w.list()->topLevelItem(3));
        w.findChild<QPushButton *>("cFind")->click();
    });
    EXPECT_EQ(handed, std::vector<core::NodeId>{s.nestedTest});
    EXPECT_EQ(s.tree.selected(), s.nestedTest);
}

TEST(VariableListDialog, CancelLeavesTheSelection)
{
    SmallScenario s;
    s.tree.setSelected(s.emptyTest);
    ToolRun tool(s.tree);
    tool.run([](VariableListDialog &w) {
        w.list()->setCurrentItem(w.list()->topLevelItem(2));
        w.findChild<QPushButton *>("cCancel")->click();
    });
    EXPECT_EQ(s.tree.selected(), s.emptyTest);
}

TEST(VariableListDialog, AnEmptyListSaysSoAndStillOpens)
{
    core::DocTree tree;
    const core::NodeId scene = fixtures::addScenarioRoot(tree);
    const fixtures::SectionNodes sec = fixtures::addSection(tree, scene, 0);
    const core::NodeId delay = tree.add(sec.bodyEnd, core::Relation::Before, QStringLiteral("0900040001000000_1"),
                                        QStringLiteral("9 : 지연"));
    tree.setSelected(delay);
    ToolRun tool(tree);
    int shown = 0;
    tool.run([&](VariableListDialog &w) {
        ++shown;
        EXPECT_TRUE(w.isEmpty());
    });
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(tool.prompts.messages.size(), 1);
    EXPECT_EQ(tool.prompts.messages.first().text, QStringLiteral("변량을 찾을 수 없습니다."));
    EXPECT_EQ(tool.prompts.messages.first().title, QStringLiteral("Not Found!"));
    EXPECT_EQ(tool.prompts.messages.first().icon, platform::MsgIcon::Information);

    // A variable test with both lists empty: the same message, the same
    // empty list.
    const core::NodeId empty = tree.add(sec.bodyEnd, core::Relation::Before, variableTestRecord({}) + QStringLiteral("_2"),
                                        QStringLiteral("5 : 변량시험"));
    tool.run([&](VariableListDialog &w) {
        ++shown;
        EXPECT_TRUE(w.isEmpty());
        w.findChild<QPushButton *>("cFind")->click();  // nothing to jump to
    });
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(tree.selected(), delay);
    EXPECT_EQ(tool.prompts.messages.size(), 2);
    EXPECT_NE(empty, core::kNoNode);
}

} // namespace
