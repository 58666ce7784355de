// Undo and redo across a thousand random edits, made through the roads the
// window uses (the dispatch's key change, adds, deletes, moves, cut and
// paste), with undos and redos mixed in: after every step every nested length
// is right, each undo or redo gives the bytes of the state it returns to, and
// undoing everything gives the original bytes.
#include "core/clipboard_ops.h"
#include "core/edit_history_test_doc.h"
#include "core/find_replace.h"
#include "core/key_codec.h"
#include "core/structure_edits.h"
#include "core/undo_redo.h"
#include "fixtures/scenario_generator.h"
#include "workspace/edit_dispatch.h"

#include <cstdio>
#include <random>

using namespace core;
using namespace edit_test;

namespace {

struct RandomEdits {
    std::mt19937_64 rng;
    Doc &d;
    Clipboard &clip;
    int keyChanges = 0;

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    NodeId anyNode() { return d.tree.byIndex(pick(1, d.tree.count())); }
    QStringList someKeys()
    {
        QStringList keys;
        for (int n = pick(2, 4); n > 0; --n)
            keys << d.tree.key(anyNode());
        return keys;
    }
    // A new text for a command that carries one, through the dispatch's road.
    bool changeKey()
    {
        for (int tries = 0; tries < 20; ++tries) {
            const NodeId n = anyNode();
            if (!isCommandNode(d.tree, n))
                continue;
            const std::optional<int> start = replaceTextStart(keyCode(d.tree.key(n)));
            if (!start || !keyTextAt(d.tree.key(n), *start).terminated)
                continue;
            QString key = d.tree.key(n);
            const int delta = keyReplaceText(key, *start, QString(pick(0, 12), QLatin1Char('a' + pick(0, 25))));
            const bool changed =
                workspace::applyKeyChange(d.tree, n, workspace::KeyChange{key, delta, false}, {}, {}, &d.history);
            keyChanges += changed ? 1 : 0;
            return changed;
        }
        return false;
    }
    bool edit()
    {
        const NodeId n = anyNode();
        const QStringList multi = pick(0, 3) == 0 ? someKeys() : QStringList();
        static const int codes[] = {0x0A, 0x0F, 0x04, 0x6E, 0x03, 0x14};
        static const int blocks[] = {0x03, 0x04, 0x6E, 0x2D};
        switch (pick(0, 8)) {
        case 0: copyNodes(d.tree, n, multi, clip); return false;
        case 1: return cutNodes(d.ctx, n, multi, clip).changed;
        case 2: return pasteNodes(d.ctx, clip, n).changed;
        case 3: return addCommand(d.ctx, n, codes[pick(0, 5)]).changed;
        case 4: return addChildEvent(d.ctx, n, blocks[pick(0, 3)]).changed;
        case 5: return deleteNodes(d.ctx, n, multi).changed;
        case 6: return moveUp(d.ctx, n, multi).changed;
        case 7: return moveDown(d.ctx, n, multi).changed;
        default: return changeKey();
        }
    }
};

// The bytes at the history's present place are those it had there before.
// A place between the steps of one multi-selection edit was never seen: the
// first visit sets it.
void expectState(std::vector<QByteArray> &states, const Doc &d, const char *what)
{
    QByteArray &expected = states[std::size_t(d.history.undoStepCount())];
    if (expected.isEmpty())
        expected = d.bytes();
    else
        EXPECT_EQ(d.bytes(), expected) << what << " to " << d.history.undoStepCount();
}

TEST(UndoRandomEdits, AThousandEditsWithUndoAndRedoKeepEveryLengthAndUndoToTheOriginal)
{
    fixtures::GeneratorOptions opt;
    opt.maxScenes = 2;
    opt.maxSections = 2;
    opt.maxBody = 6;
    opt.maxNested = 3;
    opt.maxDepth = 3;
    opt.armyTables = false;
    int edits = 0, walks = 0, keyChanges = 0;
    std::uint64_t seed = 1;
    for (; edits < 1000; ++seed) {
        SCOPED_TRACE(seed);
        fixtures::ScenarioGenerator gen(seed, opt);
        Doc d(fixtures::scenarioBytes(gen.scenario()));
        Clipboard clip;
        RandomEdits r{std::mt19937_64(seed * 104729), d, clip};
        // The bytes at each place of the history: states[i] after i steps.
        std::vector<QByteArray> states{d.bytes()};
        // Stop while a multi-selection's steps still fit the history.
        for (int i = 0; i < 60 && d.history.undoStepCount() < EditHistory::kMaxSteps - 8; ++i) {
            const int action = r.pick(0, 9);
            if (action == 0 && d.history.canUndo()) {
                ASSERT_TRUE(undo(d.ctx).ok) << "undo, step " << i;
                ++walks;
                expectState(states, d, "undo");
            } else if (action == 1 && d.history.canRedo()) {
                ASSERT_TRUE(redo(d.ctx).ok) << "redo, step " << i;
                ++walks;
                expectState(states, d, "redo");
            } else {
                const int before = d.history.undoStepCount();
                const QByteArray was = d.bytes();
                if (!r.edit()) {
                    ASSERT_EQ(d.bytes(), was) << "a refused edit changed the tree, step " << i;
                    ASSERT_EQ(d.history.undoStepCount(), before) << "step " << i;
                    continue;
                }
                ++edits;
                ASSERT_GT(d.history.undoStepCount(), before) << "step " << i;
                // A multi delete or cut leaves a step per unit: the states
                // between them are not compared.
                states.resize(std::size_t(d.history.undoStepCount()) + 1);
                states.back() = d.bytes();
                for (int s = before + 1; s < d.history.undoStepCount(); ++s)
                    states[std::size_t(s)].clear();
            }
            ASSERT_TRUE(fixtures::nestedLengthsConsistent(d.tree)) << "step " << i;
        }
        while (d.history.canUndo()) {
            ASSERT_TRUE(undo(d.ctx).ok);
            ASSERT_TRUE(fixtures::nestedLengthsConsistent(d.tree));
            expectState(states, d, "undo all");
        }
        ASSERT_EQ(d.bytes(), states.front());
        keyChanges += r.keyChanges;
    }
    EXPECT_GT(walks, 100);
    EXPECT_GT(keyChanges, 50);
    std::printf("edits %d (key changes %d), undos and redos between them %d, scenarios %d\n", edits, keyChanges,
                walks, int(seed - 1));
}

} // namespace
