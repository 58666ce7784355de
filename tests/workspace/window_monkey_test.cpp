// An author who clicks everything the window lets them: on a generated
// scenario, nodes are picked (one, or several with Ctrl and Shift held) and
// whatever Edit item is enabled at that moment is used, adds answered with
// any code, over and over with undo and redo among them. After every step
// every nested length matches its list, and at the end the file saves and
// reads back to the same commands.
//
// A failure prints the seed and the step, so it can be replayed.
#include "edit_window_fixture.h"

#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "core/key_codec.h"
#include "fixtures/nested_length_check.h"
#include "fixtures/scenario_generator.h"
#include "workspace/actions.h"
#include "workspace/add_dialogs/add_dialogs.h"

#include <QRandomGenerator>

using namespace edit_window;

namespace {

constexpr int kSteps = 700;

QByteArray generatedFile(quint32 seed)
{
    fixtures::GeneratorOptions options;
    options.targetBytes = 40 << 10;
    options.armyTables = false;
    fixtures::ScenarioGenerator generator(seed, options);
    return fixtures::scenarioBytes(generator.scenario());
}

QStringList records(const core::DocTree &tree)
{
    QStringList out;
    for (core::NodeId n = tree.firstChild(tree.root()); n != core::kNoNode; n = tree.nextInOrder(n))
        out << core::recordPart(tree.key(n)).toString();
    return out;
}

struct WindowMonkey : EditWindow, ::testing::WithParamInterface<quint32>
{
};

TEST_P(WindowMonkey, EveryEnabledEditKeepsTheScenarioWhole)
{
    const quint32 seed = GetParam();
    ASSERT_TRUE(openBytes("monkey.eex", generatedFile(seed)));
    ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree()));
    workspace::add_dialogs::ScriptedAddDialogs adds;
    QRandomGenerator rng(seed);
    const workspace::Actions &a = w.actions();
    const std::vector<QAction *> items = {a.undo, a.redo, a.addNode, a.addChildNode, a.deleteNodes, a.moveUp,
                                          a.moveDown, a.cut, a.copy, a.paste, a.undo, a.paste};
    int used = 0;
    for (int step = 0; step < kSteps; ++step) {
        const core::NodeId node = tree().byIndex(1 + int(rng.bounded(quint32(tree().count()))));
        switch (rng.bounded(6)) {
        case 0:
            edit->handleNodeClick(node, Qt::ControlModifier);
            break;
        case 1:
            edit->handleNodeClick(node, Qt::ShiftModifier);
            break;
        default:
            select(node);
            edit->handleNodeClick(node, Qt::NoModifier);
            break;
        }
        QAction *item = items[rng.bounded(quint32(items.size()))];
        if (!item->isEnabled())
            continue;
        // Any code at all, as a user may type it: most are refused.
        adds.answers.push_back(int(rng.bounded(0x80u)));
        item->trigger();
        adds.answers.clear();
        ++used;
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree()))
            << "seed " << seed << " step " << step << " item " << item->objectName().toStdString();
    }
    EXPECT_GT(used, kSteps / 4);

    const core::EexSerializeResult saved = core::eexSerialize(tree());
    ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    core::DocTree again;
    core::KeySerial serial;
    const core::EexLoadResult reread = core::eexLoad(saved.bytes, QStringLiteral("monkey.eex"), again, serial);
    ASSERT_TRUE(reread.ok) << reread.errorDetail.toStdString();
    EXPECT_EQ(records(again), records(tree()));
}

INSTANTIATE_TEST_SUITE_P(Seeds, WindowMonkey, ::testing::Values(11u, 2026u, 90001u),
                         [](const ::testing::TestParamInfo<quint32> &info) {
                             return "Seed" + std::to_string(info.param);
                         });

} // namespace
