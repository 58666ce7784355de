// Undo of 1,000 edits: one step of 1,000 parameter edits (the kind a replace
// all records) spread over a loaded scenario, undone at once. Loading and
// editing are not timed, only the undo.
#include "scenario_bench_support.h"

#include "core/edit_history.h"
#include "core/key_codec.h"
#include "core/undo_redo.h"

namespace {

constexpr int kEdits = 1000;

// Rewrites the serial of up to kEdits command keys spread over the tree and
// records each rewrite, as an edit dialog does; returns the step.
core::EditStep editSpread(core::DocTree &tree, core::EditHistory &history)
{
    std::vector<core::NodeId> commands;
    for (core::NodeId n = tree.firstChild(tree.root()); n != core::kNoNode; n = tree.nextInOrder(n))
        if (core::keyCode(tree.key(n)) >= 2 && tree.childCount(n) == 0)
            commands.push_back(n);
    core::EditStep step;
    const std::size_t stride = std::max<std::size_t>(1, commands.size() / kEdits);
    for (std::size_t i = 0; i < commands.size() && int(step.records.size()) < kEdits; i += stride) {
        const core::NodeId n = commands[i];
        const QString oldKey = tree.key(n), oldText = tree.text(n);
        if (!tree.setKey(n, oldKey + u'9'))
            continue;
        tree.setText(n, oldText + u'*');
        step.records.push_back(core::makeRecord(tree, history, core::RecordKind::Edit, n, oldKey, oldText));
    }
    return step;
}

void undoThousandEdits(benchmark::State &state, const bench::ScenarioSize &size)
{
    const bench::Scenario &s = bench::scenario(size);
    std::int64_t nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        core::DocTree tree;
        core::KeySerial serial = 1u << 30;
        core::EditHistory history;
        if (!bench::loadScenario(s, tree))
            state.SkipWithError("load failed");
        nodes = tree.count();
        history.push(editSpread(tree, history));
        core::EditContext ctx{tree, serial, history};
        state.ResumeTiming();
        if (!core::undo(ctx).ok)
            state.SkipWithError("undo failed");
        state.PauseTiming();
        tree.clear();
        state.ResumeTiming();
    }
    bench::reportScenarioCounters(state, nodes, s.bytes.size(), -1);
}

[[maybe_unused]] const bool registered = [] {
    bench::registerPerScenario("undo_1000", undoThousandEdits, 10);
    return true;
}();

} // namespace
