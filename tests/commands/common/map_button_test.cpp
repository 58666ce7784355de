#include "commands/common/map_button.h"
#include "commands/common/tab_caption.h"
#include "core/doc_tree.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_context.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
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

// Writes a cell into whatever boxes the call names, and notes which tool ran.
struct FakePickers {
    QStringList ran;
    workspace::ScopedDialogOverride battle{workspace::kBattleMapPickerTool,
                                           [this](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
                                               ran << QStringLiteral("battle");
                                               for (int i = 0; i < 2; ++i)
                                                   if (ctx.armyMap.xBox[i] && ctx.armyMap.yBox[i]) {
                                                       ctx.armyMap.xBox[i]->setText(QString::number(10 + i));
                                                       ctx.armyMap.yBox[i]->setText(QString::number(20 + i));
                                                   }
                                               return nullptr;
                                           }};
    workspace::ScopedDialogOverride stage{workspace::kStageMapPickerTool,
                                          [this](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
                                              ran << QStringLiteral("stage%1").arg(ctx.stageMap.twoPoint ? 2 : 1);
                                              ctx.stageMap.xBox->setText(QStringLiteral("30"));
                                              ctx.stageMap.yBox->setText(QStringLiteral("31"));
                                              return nullptr;
                                          }};
};

TEST(MapButton, TheTabCaptionChoosesBattleMapOrStageAndTheBoxesAreLetGo)
{
    const MapButtonRow zone{
        .target = MapTarget::BattleOrStage, .mode = 3, .x0 = "tX0", .y0 = "tY0", .x1 = "tX1", .y1 = "tY1"};
    struct Case { const char *root; const char *ran; const char *x0; const char *x1; };
    const Case cases[] = {
        {"Scenario", "battle", "10", "11"},
        {"/data/S_05.eex", "battle", "10", "11"},
        {"C:\\game\\R_05.eex", "stage2", "30", ""},
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
        EXPECT_EQ(d.ctx.armyMap.xBox[0], nullptr);
        EXPECT_EQ(d.ctx.armyMap.yBox[1], nullptr);
        EXPECT_EQ(d.ctx.stageMap.xBox, nullptr);
        EXPECT_EQ(d.ctx.stageMap.y2Box, nullptr);
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

TEST(MapButton, StageCellHandsTheFacingListAndThePerson)
{
    const MapButtonRow cell{.target = MapTarget::Stage, .x0 = "tX0", .y0 = "tY0", .direction = "cbDirection"};
    MapDialog d{QStringLiteral("R_01.eex")};
    QComboBox *handed = nullptr;
    int person = -1;
    workspace::ScopedDialogOverride stage{workspace::kStageMapPickerTool,
                                          [&](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
                                              handed = ctx.stageMap.dirCombo;
                                              person = ctx.stageMap.person;
                                              EXPECT_FALSE(ctx.stageMap.twoPoint);
                                              return nullptr;
                                          }};
    commands::openMapPicker(d.dialog, d.ctx, cell, 7);
    EXPECT_EQ(handed, d.facing);
    EXPECT_EQ(person, 7);
    EXPECT_EQ(d.ctx.stageMap.dirCombo, nullptr);
}

} // namespace
