// An author reads a whole scenario: every command of a generated 1 MB file
// opened in its dialog and confirmed without a change leaves the file byte
// for byte as it was, with no edit recorded and nothing marked.
//
// The commands are shared out over shards (every shard loads the file and
// takes every n-th command), so the runs go side by side.
#include "commands/common/engine_test_support.h"
#include "core/catalogue.h"
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "core/tree_queries.h"
#include "fixtures/scenario_generator.h"
#include "fixtures/unit_fixtures.h"
#include "platform/prompts.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_dispatch.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

constexpr int kShards = 4;

const QByteArray &generatedFile()
{
    static const QByteArray bytes = [] {
        fixtures::GeneratorOptions options;
        options.targetBytes = 1 << 20;
        fixtures::ScenarioGenerator generator(20261210, options);
        return fixtures::scenarioBytes(generator.scenario());
    }();
    return bytes;
}

class WholeFileUntouched : public ::testing::TestWithParam<int>
{
};

TEST_P(WholeFileUntouched, EveryDialogConfirmedUnchangedLeavesTheBytes)
{
    const int shard = GetParam();
    core::DocTree tree;
    core::KeySerial serial;
    const core::game::GameData &game = fixtures::unitGameData();
    core::CaptionContext captions;
    captions.names = &game.names;
    const core::EexLoadResult loaded = core::eexLoad(generatedFile(), QStringLiteral("big.eex"), tree, serial, captions);
    ASSERT_TRUE(loaded.ok) << loaded.errorDetail.toStdString();

    workspace::EditContext ctx(tree);
    ctx.gameData = &game;
    ctx.captions = captions;
    ctx.readSetting = [](const QString &, const QString &) { return QString(); };
    ctx.writeSetting = [](const QString &, const QString &, const QString &) { return true; };
    int records = 0;
    int marks = 0;
    ctx.recordEdit = [&](core::NodeId, const QString &, const QString &, const QString &, const QString &) {
        ++records;
    };
    ctx.markModified = [&] { ++marks; };
    platform::ScriptedPrompts prompts;
    workspace::ScopedDialogRunner runner([](QDialog &d, workspace::EditContext &) {
        d.show();
        if (auto *ok = d.findChild<QPushButton *>(QStringLiteral("cConfig")))
            ok->click();
        if (d.isVisible())
            d.reject();
    });

    {
        const core::EexSerializeResult fresh = core::eexSerialize(tree);
        ASSERT_TRUE(fresh.ok && fresh.bytes == generatedFile()) << "the file does not survive a load and save";
    }
    int opened = 0;
    int index = 0;
    for (core::NodeId n = tree.root(); n != core::kNoNode; n = tree.nextInOrder(n)) {
        if (!workspace::canOpenEditor(tree, n) || !core::hasEditDialog(core::nodeNumber(tree, n)))
            continue;
        if (index++ % kShards != shard)
            continue;
        tree.setSelected(n);
        const QString key = tree.key(n);
        EXPECT_FALSE(workspace::editNodeInDialog(ctx)) << key.toStdString();
        EXPECT_EQ(tree.key(n).toStdString(), key.toStdString());
        ++opened;
        if (HasFailure())
            break;
    }
    EXPECT_GT(opened, 100);
    EXPECT_EQ(records, 0);
    EXPECT_EQ(marks, 0);
    const core::EexSerializeResult saved = core::eexSerialize(tree);
    ASSERT_TRUE(saved.ok);
    EXPECT_TRUE(saved.bytes == generatedFile()) << "the saved file differs after " << opened << " dialogs";
}

INSTANTIATE_TEST_SUITE_P(Shards, WholeFileUntouched, ::testing::Range(0, kShards),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return "Shard" + std::to_string(info.param);
                         });

} // namespace
