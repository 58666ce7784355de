#include "commands/common/map_button.h"
#include "commands/common/tab_caption.h"
#include "core/doc_tree.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_context.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <climits>
#include <optional>
#include <gtest/gtest.h>

namespace {

using commands::MapButtonRow;
using commands::MapTarget;

struct MapDialog {
    core::DocTree tree;
    workspace::EditContext ctx{tree};
    QDialog dialog;
    QLineEdit *x0 = box("tX0"), *y0 = box("tY0"), *x1 = box("tX1"), *y1 = box("tY1");
    QComboBox *facing = new QComboBox(&dialog);

    explicit MapDialog(const QString &rootText)
    {
        tree.addRoot(QStringLiteral("Path"), rootText);
        facing->setObjectName(QStringLiteral("cbDirection"));
    }
    QLineEdit *box(const char *name)
    {
        auto *b = new QLineEdit(&dialog);
        b->setObjectName(QLatin1String(name));
        return b;
    }
};

// Answers a cell (two corners for the battle map's mode 3), and notes which
// picker ran and what it was asked.
struct FakePickers {
    QStringList ran;
    std::vector<workspace::BattleMapRequest> battleAsked;
    workspace::ScopedMapPickers scope{{
        .battle =
            [this](workspace::EditContext &, const workspace::BattleMapRequest &r) {
                ran << QStringLiteral("battle");
                battleAsked.push_back(r);
                workspace::BattleMapPick pick{QPoint(10, 20), std::nullopt, {}};
                if (r.mode == 3)
                    pick.second = QPoint(11, 21);
                return std::optional(pick);
            },
        .stage =
            [this](workspace::EditContext &, const workspace::StageMapRequest &r) {
                ran << QStringLiteral("stage%1").arg(r.twoPoint ? 2 : 1);
                return std::optional(workspace::StageMapPick{QPoint(30, 31), std::nullopt, std::nullopt});
            },
    }};
};

TEST(MapButton, TheTabCaptionChoosesBattleMapOrStageAndTheAnswerFillsTheBoxes)
{
    const MapButtonRow zone{
        .target = MapTarget::BattleOrStage, .mode = 3, .x0 = "tX0", .y0 = "tY0", .x1 = "tX1", .y1 = "tY1"};
    struct Case { const char *root; const char *ran; const char *x0; const char *x1; const char *y1; };
    const Case cases[] = {
        {"Scenario", "battle", "10", "11", "21"},
        {"/data/S_05.eex", "battle", "10", "11", "21"},
        // A stage pick closed after the first point fills the first pair only.
        {"C:\\game\\R_05.eex", "stage2", "30", "", ""},
    };
    for (const Case &c : cases) {
        FakePickers pickers;
        MapDialog d{QString::fromUtf8(c.root)};
        QPushButton *button = commands::makeMapButton(d.dialog, d.ctx, zone);
        EXPECT_EQ(button->objectName(), QStringLiteral("cMap1"));
        EXPECT_FALSE(button->autoDefault());
        button->click();
        EXPECT_EQ(pickers.ran, QStringList{QLatin1String(c.ran)}) << c.root;
        EXPECT_EQ(d.x0->text(), QLatin1String(c.x0));
        EXPECT_EQ(d.x1->text(), QLatin1String(c.x1));
        EXPECT_EQ(d.y1->text(), QLatin1String(c.y1));
    }
}

TEST(MapButton, TheBoxesAsTheyStandAreTheRequestAndACancelLeavesThem)
{
    EXPECT_EQ(commands::numberInBox(QStringLiteral("12")), 12);
    const struct {
        const char *x0, *y0;
        int readX, readY;
    } cases[] = {{"12", "-3", 12, -3}, {"*5", "", 0, 0}, {" 7x", "99999999999", 7, INT_MAX}, {"+4", "-", 4, 0}};
    for (const auto &c : cases) {
        MapDialog d{QStringLiteral("Scenario")};
        d.x0->setText(QLatin1String(c.x0));
        d.y0->setText(QLatin1String(c.y0));
        std::optional<workspace::BattleMapRequest> asked;
        workspace::ScopedMapPickers cancel({.battle = [&](workspace::EditContext &, const workspace::BattleMapRequest &r) {
            asked = r;
            return std::optional<workspace::BattleMapPick>();
        }});
        commands::openMapPicker(d.dialog, d.ctx, {.target = MapTarget::Battle, .x0 = "tX0", .y0 = "tY0"});
        ASSERT_TRUE(asked);
        EXPECT_EQ(asked->mode, 4);
        EXPECT_EQ(QPoint(asked->x0, asked->y0), QPoint(c.readX, c.readY)) << c.x0 << " " << c.y0;
        EXPECT_EQ(d.x0->text(), QLatin1String(c.x0));
        EXPECT_EQ(d.y0->text(), QLatin1String(c.y0));
    }
}

TEST(MapButton, TheKindTheWindowToldWinsOverTheRootText)
{
    using workspace::ScenarioKind;
    MapDialog d{QStringLiteral("Scenario")};
    EXPECT_EQ(commands::scenarioKind(d.ctx), ScenarioKind::Battle);
    d.ctx.scenarioKind = ScenarioKind::Story;
    EXPECT_EQ(commands::scenarioKind(d.ctx), ScenarioKind::Story);
    {
        FakePickers pickers;
        const MapButtonRow zone{
            .target = MapTarget::BattleOrStage, .mode = 3, .x0 = "tX0", .y0 = "tY0", .x1 = "tX1", .y1 = "tY1"};
        commands::openMapPicker(d.dialog, d.ctx, zone, 0);
        EXPECT_EQ(pickers.ran, QStringList{QStringLiteral("stage2")});
    }
    d.ctx.scenarioKind = ScenarioKind::Battle;
    commands::ScopedTabCaption tab(QStringLiteral("R_01.eex *"));
    EXPECT_EQ(commands::scenarioKind(d.ctx), ScenarioKind::Story);
}

TEST(MapButton, StageCellAsksWithTheFacingAndThePersonAndTakesTheFacingBack)
{
    const MapButtonRow cell{.target = MapTarget::Stage, .x0 = "tX0", .y0 = "tY0", .direction = "cbDirection"};
    MapDialog d{QStringLiteral("R_01.eex")};
    d.facing->addItems({"북", "동", "남", "서", "기본"});
    d.facing->setCurrentIndex(4);
    d.x0->setText(QStringLiteral("8"));
    d.y0->setText(QStringLiteral("9"));
    std::optional<workspace::StageMapRequest> asked;
    workspace::ScopedMapPickers stage({.stage = [&](workspace::EditContext &, const workspace::StageMapRequest &r) {
        asked = r;
        return std::optional(workspace::StageMapPick{QPoint(1, 2), std::nullopt, 3});
    }});
    commands::openMapPicker(d.dialog, d.ctx, cell, 7);
    ASSERT_TRUE(asked);
    EXPECT_FALSE(asked->twoPoint);
    EXPECT_EQ(asked->start, QPoint(8, 9));
    EXPECT_EQ(asked->facingIndex, 4);
    EXPECT_EQ(asked->person, 7);
    EXPECT_EQ(d.x0->text(), QStringLiteral("1"));
    EXPECT_EQ(d.y0->text(), QStringLiteral("2"));
    EXPECT_EQ(d.facing->currentIndex(), 3);
}

} // namespace
