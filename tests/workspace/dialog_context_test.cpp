// What the window puts into the context of a dialog besides the document:
// the kind of scenario its tab's caption tells, and how a dialog selects a
// node in the tree view.
#include "edit_window_fixture.h"

#include "workspace/edit_context.h"

#include <QTabWidget>

using namespace edit_window;
using core::NodeId;
using workspace::ScenarioKind;

namespace {

using DialogContextWindow = EditWindow;

TEST_F(DialogContextWindow, TheTabCaptionTellsTheScenarioKind)
{
    EXPECT_EQ(w.tabStrip()->tabText(w.tabStrip()->currentIndex()), "a.eex");
    EXPECT_EQ(edit->dialogContext().scenarioKind, ScenarioKind::Story);
    ASSERT_TRUE(openBytes("map_s01.eex", sample()));
    EXPECT_EQ(edit->dialogContext().scenarioKind, ScenarioKind::Battle);
    w.tabStrip()->setCurrentIndex(0);
    EXPECT_EQ(edit->dialogContext().scenarioKind, ScenarioKind::Story);
    docs->closeAll();
    EXPECT_EQ(edit->dialogContext().scenarioKind, std::nullopt);
}

TEST_F(DialogContextWindow, SelectingANodeSelectsItInTheView)
{
    const NodeId c = byRecord(C);
    ASSERT_NE(view()->selectedNode(), c);
    workspace::EditContext ctx = edit->dialogContext();
    ASSERT_TRUE(ctx.selectNode);
    ctx.selectNode(c);
    EXPECT_EQ(view()->selectedNode(), c);
    EXPECT_EQ(tree().selected(), c);
}

TEST(ScenarioKindOfCaption, AnSInTheCaptionMeansABattleScenario)
{
    const struct {
        const char *caption;
        ScenarioKind kind;
    } cases[] = {{"Scenario", ScenarioKind::Battle}, {"Scenario *", ScenarioKind::Battle},
                 {"MAIN_S.EEX", ScenarioKind::Battle}, {"battle01.eex", ScenarioKind::Story},
                 {"eex *", ScenarioKind::Story},     {"", ScenarioKind::Story}};
    for (const auto &c : cases)
        EXPECT_EQ(workspace::scenarioKindOfCaption(QString::fromUtf8(c.caption)), c.kind) << c.caption;
}

} // namespace
