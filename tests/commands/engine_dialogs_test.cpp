// Every dialog on the engine, through the dispatch: the catalogue's default
// command opens and OK leaves it as it was; random values in each field's
// range survive opening and OK; Cancel, Esc and the close box change
// nothing. A new engine dialog adds its row to kRows.
#include "commands/common/dialog_engine.h"
#include "commands/common/engine_test_support.h"
#include "support/param_names.h"

#include <set>
#include "core/catalogue.h"
#include "core/key_codec.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <random>

using namespace commands;
using enginetest::CommandNode;

namespace {

struct Row
{
    int code;
    const char *formName;
};

const Row kRows[] = {
    {0x04, "FrmCheck4"},
    {0x08, "FrmMenu8"},
    {0x09, "FrmDelay9"},
    {0x0F, "FrmFinishF"},
    {0x11, "FrmEEXMove11"},
    {0x13, "FrmCase13"},
    {0x1B, "FrmDieSaid1B"},
    {0x1F, "FrmMap1F"},
    {0x21, "FrmThingsAdd21"},
    {0x25, "FrmEntryPlace25"},
    {0x26, "FrmEntryZone26"},
    {0x29, "FrmMapFaceShow29"},
    {0x2A, "FrmMapFaceMove2A"},
    {0x2B, "FrmMapFaceRemove2B"},
    {0x2D, "FrmCharClick2D"},
    {0x2E, "FrmCharMeet2E"},
    {0x30, "FrmCharAdvent30"},
    {0x31, "FrmCharDisappear31"},
    {0x32, "FrmCharMove32"},
    {0x33, "FrmCharDirection33"},
    {0x34, "FrmCharActive34"},
    {0x35, "FrmRModelChange35"},
    {0x36, "FrmIsCharAbility36"},
    {0x37, "FrmIsThings37"},
    {0x38, "FrmSetCharAbility38"},
    {0x39, "FrmCharLvAdd39"},
    {0x3A, "FrmSetThings3A"},
    {0x3B, "FrmJoinChar3B"},
    {0x3C, "FrmIsJoinChar3C"},
    {0x3D, "FrmGetItem3D"},
    {0x3E, "FrmSetCharEquipment3E"},
    {0x3F, "FrmIsTurn3F"},
    {0x40, "FrmIsWhoTurn40"},
    {0x41, "FrmIsMapCharNum41"},
    {0x45, "FrmSetWar45"},
    {0x48, "FrmEnemyEquipment48"},
    {0x4B, "FrmSetCharWar4B"},
    {0x4F, "FrmSetDirection4F"},
    {0x50, "FrmSetActive50"},
    {0x56, "FrmSetWeatherKind56"},
    {0x57, "FrmSetWeather57"},
    {0x58, "FrmSetObstacle58"},
    {0x59, "FrmSpoils59"},
    {0x5C, "FrmImportanceChar5C"},
    {0x5D, "FrmSetTurn5D"},
    {0x62, "FrmVsDeath62"},
    {0x64, "FrmVSActive64"},
    {0x65, "FrmVSAttack65"},
    {0x66, "FrmVSAttack66"},
    {0x6C, "FrmCopyAbility6C"},
    {0x6E, "FrmPercent6E"},
    {0x6F, "FrmDesertItem6F"},
    {0x70, "FrmCopySelectingAbility70"},
    {0x71, "FrmSpecial71"},
    {0x73, "FrmCompareAbility73"},
    {0x74, "FrmSetSave74"},
    {0x75, "FrmSetSModel75"},
    {0x77, "FrmComputeVar77"},
    {0x78, "FrmSetVar78"},
    {0x79, "FrmCompareVar79"},
};

class EngineDialogs : public ::testing::TestWithParam<Row> {};

std::vector<std::pair<std::int64_t, std::int64_t>> rangesOf(int code, int field)
{
    CommandNode cmd(core::defaultRecord(code));
    auto d = workspace::DialogRegistry::instance().createDialog(code, cmd.ctx);
    return static_cast<EngineDialog &>(*d).valueRanges(field);
}

TEST_P(EngineDialogs, DefaultCommandOpensAndOkLeavesIt)
{
    const Row row = GetParam();
    ASSERT_EQ(workspace::DialogRegistry::instance().dialogKind(row.code), workspace::DialogKind::Real);
    CommandNode cmd(core::defaultRecord(row.code));
    const QString key = cmd.key();
    QString formName;
    const bool changed = cmd.edit([&](QDialog &d) {
        formName = d.objectName();
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(formName, QString::fromLatin1(row.formName));
    EXPECT_FALSE(changed);
    EXPECT_EQ(cmd.key(), key);
    EXPECT_EQ(cmd.text(), CommandNode::caption(key));
    EXPECT_EQ(cmd.records, 0);
    EXPECT_EQ(cmd.marks, 0);
}

TEST_P(EngineDialogs, RandomValuesInRangeSurviveLoadAndOk)
{
    const Row row = GetParam();
    const DialogDescription &desc = *engineDialogs().at(row.code);
    std::mt19937 rng(row.code);
    for (int round = 0; round < 8; ++round) {
        QString record = core::defaultRecord(row.code);
        for (std::size_t i = 0; i < desc.fields.size(); ++i) {
            const FieldSpec &f = desc.fields[i];
            const auto ranges = rangesOf(row.code, int(i));
            ASSERT_FALSE(ranges.empty());
            const auto &[lo, hi] = ranges[std::uniform_int_distribution<std::size_t>(0, ranges.size() - 1)(rng)];
            const std::int64_t v = std::uniform_int_distribution<std::int64_t>(lo, hi)(rng);
            core::keyWriteField(record, f.pos, f.kind == FieldKind::Number ? f.width : 2, v);
        }
        SCOPED_TRACE(record.toStdString());
        CommandNode cmd(record);
        // A caption without its parameter words: an untouched OK does not
        // even rebuild it.
        cmd.tree.setText(cmd.node, core::MenuName(row.code));
        EXPECT_FALSE(cmd.edit([](QDialog &d) { enginetest::click(d, "cConfig"); }));
        EXPECT_EQ(cmd.record(), record);
        EXPECT_EQ(cmd.text(), core::MenuName(row.code));
        EXPECT_EQ(cmd.records, 0);
    }
}

TEST_P(EngineDialogs, CancelEscAndCloseChangeNothing)
{
    const Row row = GetParam();
    const std::function<void(QDialog &)> closers[] = {
        [](QDialog &d) { enginetest::click(d, "cCancel"); },
        [](QDialog &d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](QDialog &d) { d.close(); },
    };
    for (const auto &close : closers) {
        CommandNode cmd(core::defaultRecord(row.code));
        const QString key = cmd.key(), caption = cmd.text();
        EXPECT_FALSE(cmd.edit([&](QDialog &d) {
            // Change what can be changed first.
            for (QComboBox *list : d.findChildren<QComboBox *>())
                list->setCurrentIndex(list->count() - 1);
            for (QLineEdit *box : d.findChildren<QLineEdit *>())
                if (box->isVisible())
                    box->setText(QStringLiteral("7"));
            close(d);
            EXPECT_FALSE(d.isVisible());
        }));
        EXPECT_EQ(cmd.key(), key);
        EXPECT_EQ(cmd.text(), caption);
        EXPECT_EQ(cmd.records, 0);
    }
}

void PrintTo(const Row &r, std::ostream *os) { *os << r.formName; }

INSTANTIATE_TEST_SUITE_P(AllRows, EngineDialogs, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row> &info) { return testsupport::caseName(info.param.formName); });

TEST(EngineDialogRows, EveryEngineDialogHasARow)
{
    std::set<int> rows;
    for (const Row &r : kRows)
        rows.insert(r.code);
    for (const auto &[code, desc] : engineDialogs())
        EXPECT_TRUE(rows.count(code)) << desc->formName << " has no row in kRows";
}

} // namespace
