// Random edit sequences on generated scenarios: after every edit the tree
// saves, reads back to the same shape with right nested lengths; then undoing
// everything gives the original bytes and redoing everything the edited ones.
#include "core/catalogue.h"
#include "core/clipboard_ops.h"
#include "core/structure_edits.h"
#include "core/undo_redo.h"
#include "edit_history_test_doc.h"
#include "fixtures/scenario_generator.h"
#include "fixtures/tree_walk.h"

#include <cstdio>
#include <random>

using namespace core;
using namespace edit_test;

namespace {

struct Fuzz {
    std::mt19937_64 rng;
    Doc &d;
    Clipboard &clip;

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    NodeId anyNode() { return d.tree.byIndex(pick(1, d.tree.count())); }
    QStringList someKeys()
    {
        QStringList keys;
        for (int n = pick(2, 4); n > 0; --n)
            keys << d.tree.key(anyNode());
        return keys;
    }
    EditResult step()
    {
        const NodeId n = anyNode();
        const QStringList multi = pick(0, 3) == 0 ? someKeys() : QStringList();
        static const int codes[] = {0x0A, 0x0F, 0x04, 0x6E, 0x03, 0x14};
        static const int blocks[] = {0x03, 0x04, 0x6E, 0x2D};
        switch (pick(0, 7)) {
        case 0: copyNodes(d.tree, n, multi, clip); return {};
        case 1: return cutNodes(d.ctx, n, multi, clip);
        case 2: return pasteNodes(d.ctx, clip, n);
        case 3: return addCommand(d.ctx, n, codes[pick(0, 5)]);
        case 4: return addChildEvent(d.ctx, n, blocks[pick(0, 3)]);
        case 5: return deleteNodes(d.ctx, n, multi);
        case 6: return moveUp(d.ctx, n, multi);
        default: return moveDown(d.ctx, n, multi);
        }
    }
};

TEST(UndoRandom, RandomEditsSaveReadBackAndUndoToTheOriginalBytes)
{
    fixtures::GeneratorOptions opt;
    opt.maxScenes = 2;
    opt.maxSections = 2;
    opt.maxBody = 6;
    opt.maxNested = 3;
    opt.maxDepth = 3;
    opt.armyTables = false;
    int changes = 0;
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        fixtures::ScenarioGenerator gen(seed, opt);
        Doc d(fixtures::scenarioBytes(gen.scenario()));
        Clipboard clip;
        Fuzz fuzz{std::mt19937_64(seed * 7919), d, clip};
        // The bytes after every edit and the undo steps it left (a multi
        // delete or cut leaves a step per removed unit).
        std::vector<QByteArray> states{d.bytes()};
        std::vector<int> stepCounts{0};
        // Stop while a multi-selection's steps still fit the history.
        for (int i = 0; i < 150 && d.history.undoStepCount() < EditHistory::kMaxSteps - 8; ++i) {
            const EditResult r = fuzz.step();
            const QByteArray now = d.bytes();
            if (!r.changed) {
                ASSERT_EQ(now, states.back()) << "a refused edit changed the tree, step " << i;
                ASSERT_EQ(d.history.undoStepCount(), stepCounts.back()) << "step " << i;
                continue;
            }
            ++changes;
            ASSERT_FALSE(now.isEmpty()) << "step " << i;
            ASSERT_TRUE(fixtures::nestedLengthsConsistent(d.tree)) << "step " << i;
            Doc reread(now);
            ASSERT_EQ(fixtures::treeNodes(reread.tree), fixtures::treeNodes(d.tree)) << "step " << i;
            ASSERT_GT(d.history.undoStepCount(), stepCounts.back()) << "step " << i;
            states.push_back(now);
            stepCounts.push_back(d.history.undoStepCount());
        }
        for (int i = int(states.size()) - 2; i >= 0; --i) {
            while (d.history.undoStepCount() > stepCounts[std::size_t(i)])
                ASSERT_TRUE(undo(d.ctx).ok) << "undo to state " << i;
            ASSERT_EQ(d.bytes(), states[std::size_t(i)]) << "undo to state " << i;
        }
        for (std::size_t i = 1; i < states.size(); ++i) {
            while (d.history.undoStepCount() < stepCounts[i])
                ASSERT_TRUE(redo(d.ctx).ok) << "redo to state " << i;
            ASSERT_EQ(d.bytes(), states[i]) << "redo to state " << i;
        }
    }
    EXPECT_GT(changes, 2000);
    std::printf("random edits applied: %d\n", changes);
}

} // namespace
