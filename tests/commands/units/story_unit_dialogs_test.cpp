// The story-map unit dialogs with a sprite preview (0x30, 0x33, 0x34, 0x35):
// which sheet and frame the preview shows and when it redraws, the stage
// picker behind the Map button, and the fallbacks of pose and facing.
#include "commands/common/character_picker.h"
#include "commands/common/engine_test_support.h"
#include "commands/units/unit_test_support.h"
#include "commands/common/tab_caption.h"
#include "commands/units/unit_dialog.h"
#include "core/game/sprite_palette.h"
#include "fixtures/game_folder_builder.h"
#include "fixtures/picker_fixtures.h"
#include "fixtures/unit_fixtures.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using commands::PreviewDraw;
using commands::UnitDialog;
using enginetest::CommandNode;
using fixtures::unitRecord;

namespace {

using unittest::list;
using unittest::box;
using unittest::useGameData;

std::optional<PreviewDraw> drawn(QDialog &d)
{
    return static_cast<UnitDialog &>(d).lastDraw();
}

// --- the choice of sheet, frame and mirror as plain functions -------------

TEST(UnitPreviewChoice, FacingChoosesSheetAndMirrorPoseChoosesFrame)
{
    constexpr int m = 3;
    struct Case {
        int pose, facing;
        PreviewDraw expected;
    } cases[] = {
        {0, 0, {2 * m + 1, 0, false}},  // north: back sheet
        {1, 1, {2 * m, 3, true}},       // east: front mirrored
        {5, 2, {2 * m, 7, false}},      // south
        {17, 3, {2 * m + 1, 19, true}}, // west: back mirrored
        {0, 4, {2 * m, 0, false}},      // the default facing looks south
        {18, 2, {2 * m, 20, false}},    // "無 ": one past the sheet, empty
    };
    for (const Case &c : cases)
        EXPECT_EQ(commands::facingPreview(m, c.pose, c.facing), c.expected) << c.pose << " " << c.facing;
    EXPECT_EQ(commands::frontPreview(m, 1), (PreviewDraw{2 * m, 3, false}));
    EXPECT_EQ(commands::frontPreview(m, 0), (PreviewDraw{2 * m, 0, false}));
    EXPECT_EQ(commands::modelPreview(205), (PreviewDraw{410, 0, false}));
}

TEST(UnitPreviewChoice, TabCaptionsWithAnSTakeTheBattleMap)
{
    EXPECT_TRUE(commands::takesBattleMap(QStringLiteral("Scenario")));
    EXPECT_TRUE(commands::takesBattleMap(QStringLiteral("Scenario *")));
    EXPECT_TRUE(commands::takesBattleMap(QStringLiteral("MAIN_S.EEX")));
    EXPECT_FALSE(commands::takesBattleMap(QStringLiteral("battle01.eex")));
    EXPECT_FALSE(commands::takesBattleMap(QStringLiteral("eex *")));
}

// --- 0x30 ------------------------------------------------------------------

TEST(UnitAppearDialog, NewCommandOpensWithNobodyAndTheDefaultFacing)
{
    CommandNode cmd(unitRecord(0x30));
    useGameData(cmd);
    const QString key = cmd.key();
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 30 : 무장출현"));
        EXPECT_EQ(list(d, "cbChar")->currentText(), QStringLiteral("無"));
        EXPECT_EQ(box(d, "tX")->text(), QStringLiteral("0"));
        EXPECT_EQ(list(d, "cbDirection")->currentText(), QStringLiteral("묵인방향"));
        EXPECT_EQ(list(d, "cbActive")->currentText(), QStringLiteral("보통"));
        EXPECT_EQ(list(d, "cbActive")->count(), 19);
        EXPECT_FALSE(drawn(d));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.key(), key);
}

TEST(UnitAppearDialog, FacingAndPoseOutsideTheirListsShowAsTheCaptionAndAreKept)
{
    for (int facing : {0xFFFF, 7, 4}) {
        for (int pose : {0xFFFF, 0x12}) {
            const QString stored = unitRecord(0x30, {{9, 2, 4}, {41, 2, facing}, {49, 2, pose}, {17, 4, -3}});
            CommandNode cmd(stored);
            EXPECT_FALSE(cmd.edit([&](QDialog &d) {
                // The caption's words: every facing from 4 on is the default
                // facing (4 selects its item), every pose past the list "無";
                // a placeholder adds the number that tells it from the item.
                EXPECT_EQ(list(d, "cbDirection")->currentText(),
                          facing == 7 ? QStringLiteral("묵인방향 (7)") : QStringLiteral("묵인방향"));
                EXPECT_EQ(list(d, "cbDirection")->currentIndex(), facing == 7 ? 5 : 4);
                EXPECT_EQ(list(d, "cbActive")->currentText(),
                          pose == 0xFFFF ? QStringLiteral("無 ") : QStringLiteral("無 (18)"));
                EXPECT_EQ(box(d, "tX")->text(), QStringLiteral("-3"));
                enginetest::click(d, "cConfig");
            }));
            EXPECT_EQ(cmd.record(), stored);
        }
    }
    // A facing chosen by the user replaces a kept one; the pose stays.
    CommandNode cmd(unitRecord(0x30, {{9, 2, 4}, {41, 2, 7}, {49, 2, 0x12}, {17, 4, -3}}));
    cmd.edit([](QDialog &d) {
        list(d, "cbDirection")->setCurrentIndex(2);
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(cmd.record(), unitRecord(0x30, {{9, 2, 4}, {41, 2, 2}, {49, 2, 0x12}, {17, 4, -3}}));
}

// A stage picker that checks what it is asked and places the unit at
// (12, 34) facing west.
struct StagePick {
    int calls = 0;
    int person = -1;
    int facingHanded = -1;
    workspace::ScopedMapPickers tool{{.stage = [this](workspace::EditContext &,
                                                      const workspace::StageMapRequest &r) {
        ++calls;
        EXPECT_FALSE(r.twoPoint);
        person = r.person;
        facingHanded = r.facingIndex;
        return std::optional(workspace::StageMapPick{QPoint(12, 34), std::nullopt, 3});
    }}};
};

TEST(UnitAppearDialog, MapButtonPlacesTheUnitOnTheStage)
{
    StagePick pick;
    CommandNode cmd(unitRecord(0x30, {{9, 2, 1027}}));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        enginetest::click(d, "cMap1");
        EXPECT_EQ(box(d, "tX")->text(), QStringLiteral("12"));
        EXPECT_EQ(box(d, "tY")->text(), QStringLiteral("34"));
        EXPECT_EQ(list(d, "cbDirection")->currentText(), QStringLiteral("서쪽"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(pick.calls, 1);
    EXPECT_EQ(pick.person, 1027);
    EXPECT_EQ(pick.facingHanded, 4);
    EXPECT_EQ(cmd.record(), unitRecord(0x30, {{9, 2, 1027}, {17, 4, 12}, {29, 4, 34}, {41, 2, 3}}));

    for (int person : {0xFFFF, 0xFFFE, 0xEFFF}) {
        StagePick other;
        CommandNode nobody(unitRecord(0x30, {{9, 2, person}}));
        nobody.edit([](QDialog &d) {
            enginetest::click(d, "cMap1");
            enginetest::click(d, "cCancel");
        });
        EXPECT_EQ(other.person, 0) << person;
        EXPECT_EQ(nobody.record(), unitRecord(0x30, {{9, 2, person}}));  // cancelled after the pick
    }
}

TEST(UnitAppearDialog, PreviewFollowsPersonFacingAndPose)
{
    StagePick pick;
    CommandNode cmd(unitRecord(0x30, {{9, 2, 5}, {41, 2, 2}, {49, 2, 1}}));
    useGameData(cmd);
    const int m = fixtures::unitMapModel(5);
    cmd.edit([&](QDialog &d) {
        EXPECT_EQ(drawn(d), (PreviewDraw{2 * m, 3, false}));
        enginetest::click(d, "cMap1");  // turns the unit west
        EXPECT_EQ(drawn(d), (PreviewDraw{2 * m + 1, 3, true}));
        list(d, "cbChar")->setCurrentIndex(1028 + 3);  // a variable person: kept
        EXPECT_EQ(drawn(d), (PreviewDraw{2 * m + 1, 3, true}));
        list(d, "cbChar")->setCurrentIndex(9);
        const int m9 = fixtures::unitMapModel(9);
        EXPECT_EQ(drawn(d), (PreviewDraw{2 * m9 + 1, 3, true}));
        list(d, "cbActive")->setCurrentIndex(17);
        EXPECT_EQ(drawn(d), (PreviewDraw{2 * m9 + 1, 19, true}));
        enginetest::click(d, "cCancel");
    });
}

// --- 0x33, 0x34 ------------------------------------------------------------

TEST(UnitFacingDialog, PreviewRedrawsForPoseAndFacingButNotForAVariablePerson)
{
    CommandNode cmd(unitRecord(0x33, {{9, 2, 20}, {17, 2, 0}, {25, 2, 0}}));
    useGameData(cmd);
    const int m = fixtures::unitMapModel(20);
    EXPECT_TRUE(cmd.edit([&](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 33 : 무장방향"));
        EXPECT_EQ(drawn(d), (PreviewDraw{2 * m + 1, 0, false}));
        list(d, "cbActive")->setCurrentIndex(1);
        list(d, "cbDirection")->setCurrentIndex(1);
        EXPECT_EQ(drawn(d), (PreviewDraw{2 * m, 3, true}));
        list(d, "cbChar")->setCurrentIndex(5124);  // "無": kept
        EXPECT_EQ(drawn(d), (PreviewDraw{2 * m, 3, true}));
        list(d, "cbDirection")->setCurrentIndex(4);  // redrawn for nobody: empty
        EXPECT_FALSE(drawn(d));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), QStringLiteral("33000200FFFF0D0001002B00FFFF"));
}

TEST(UnitFacingDialog, StoredValuesOutsideTheListsAreKept)
{
    const QString stored = unitRecord(0x33, {{17, 2, 0x12}, {25, 2, 7}});
    CommandNode cmd(stored);
    EXPECT_FALSE(cmd.edit([](QDialog &d) { enginetest::click(d, "cConfig"); }));
    EXPECT_EQ(cmd.record(), stored);
}

TEST(UnitPoseDialog, PreviewShowsTheFrontSheetAndNothingForNoPose)
{
    CommandNode cmd(unitRecord(0x34, {{9, 2, 12}, {17, 2, 0xFFFF}}));
    useGameData(cmd);
    const int m = fixtures::unitMapModel(12);
    EXPECT_TRUE(cmd.edit([&](QDialog &d) {
        EXPECT_EQ(list(d, "cbActive")->currentText(), QStringLiteral("無 "));
        EXPECT_EQ(drawn(d), (PreviewDraw{2 * m, 20, false}));
        list(d, "cbActive")->setCurrentIndex(17);
        EXPECT_EQ(drawn(d), (PreviewDraw{2 * m, 19, false}));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), QStringLiteral("340002000C000D001100"));
}

TEST(UnitFacingDialog, PreviewPicturesTheSheetFromTheGameFolder)
{
    fixtures::ScopedGameFolder folder;
    fixtures::WriteFileBytes(QDir(folder.folder()).filePath(QStringLiteral("PMAPOBJ.e5")),
                             fixtures::MarkedSpriteArchive(8, true));
    core::game::GameData data = fixtures::unitGameData();
    data.folder = folder.folder();
    CommandNode cmd(unitRecord(0x33, {{9, 2, 3}, {17, 2, 1}, {25, 2, 3}}));
    cmd.ctx.gameData = &data;
    const int sheet = 2 * fixtures::unitMapModel(3) + 1;
    cmd.edit([&](QDialog &d) {
        const QImage shown = d.findChild<QLabel *>(QStringLiteral("pbModel"))->pixmap().toImage();
        ASSERT_EQ(shown.size(), QSize(48, 64));
        // The marked frame fills its left half; mirrored, the right half.
        const QRgb mark = core::game::spritePalette()[fixtures::MarkedSpriteIndex(sheet, 3)];
        EXPECT_EQ(qAlpha(shown.pixel(2, 10)), 0);
        EXPECT_EQ(shown.pixel(45, 10) & 0xFFFFFF, mark & 0xFFFFFF);
        enginetest::click(d, "cCancel");
    });
}

// --- 0x35 ------------------------------------------------------------------

TEST(UnitModelChangeDialog, ModelListFromTheSettingAndItsLastItem)
{
    CommandNode cmd(unitRecord(0x35, {{17, 2, 206}}));
    cmd.settings.insert(QStringLiteral("Setting/PMapObjMax"), QStringLiteral("206"));
    // Model 206 is past the 206 items of the setting: shown in the caption's
    // words and kept.
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 35 : 무장평조변경"));
        QComboBox *models = list(d, "cbModel");
        EXPECT_EQ(models->count(), 207);
        EXPECT_EQ(models->itemText(0), QStringLiteral("평조번호-1"));
        EXPECT_EQ(models->itemText(205), QStringLiteral("평조번호-411"));
        EXPECT_EQ(models->currentIndex(), 206);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record().mid(16, 4), QStringLiteral("CE00"));
}

TEST(UnitModelChangeDialog, OnlyTheModelRedrawsThePreview)
{
    CommandNode cmd(unitRecord(0x35));
    useGameData(cmd);
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(list(d, "cbChar")->currentText(), QStringLiteral("無"));
        EXPECT_EQ(drawn(d), (PreviewDraw{0, 0, false}));
        list(d, "cbChar")->setCurrentIndex(6);
        EXPECT_EQ(drawn(d), (PreviewDraw{0, 0, false}));
        list(d, "cbModel")->setCurrentIndex(3);
        EXPECT_EQ(drawn(d), (PreviewDraw{6, 0, false}));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), QStringLiteral("35000200060013000300"));
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("평조번호-7")));
}

} // namespace
