// Replace all over a generated 1 MB scenario (over 90,000 command nodes,
// end nodes included), with a find text that is common (a blank: most texts
// hold one, so most text commands are rewritten, recorded and re-captioned)
// and one that occurs
// nowhere (the cost of the walk and the text scan alone); and find by text
// from the first Scene to the end.
#include "core/eex_reader.h"
#include "core/find_replace.h"
#include "core/key_codec.h"
#include "fixtures/scenario_generator.h"

#include <benchmark/benchmark.h>

namespace {

const QByteArray &megabyteScenario()
{
    static const QByteArray bytes = [] {
        fixtures::GeneratorOptions opt;
        opt.targetBytes = 1 << 20;
        opt.armyTables = false;
        opt.itemlessRunPercent = 2;
        fixtures::ScenarioGenerator gen(2024, opt);
        return fixtures::scenarioBytes(gen.scenario());
    }();
    return bytes;
}

int commandCount(const core::DocTree &tree)
{
    int n = 0;
    for (core::NodeId i = tree.firstChild(tree.root()); i != core::kNoNode; i = tree.nextInOrder(i))
        n += core::keyCode(tree.key(i)) >= 0 ? 1 : 0;
    return n;
}

void replaceAllBench(benchmark::State &state, const QString &find)
{
    std::int64_t replaced = 0, commands = 0;
    for (auto _ : state) {
        state.PauseTiming();
        core::DocTree tree;
        core::KeySerial serial = 0;
        core::EditHistory history;
        if (!core::eexLoad(megabyteScenario(), QStringLiteral("bench.eex"), tree, serial).ok)
            state.SkipWithError("load failed");
        commands = commandCount(tree);
        core::EditContext ctx{tree, serial, history};
        state.ResumeTiming();

        const core::ReplaceOutcome out = core::replaceAll(ctx, find, QStringLiteral("__"));
        replaced = std::int64_t(out.replaced.size());
        benchmark::DoNotOptimize(replaced);
    }
    state.counters["commands"] = double(commands);
    state.counters["replaced"] = double(replaced);
}

void BM_ReplaceAllCommonText(benchmark::State &state) { replaceAllBench(state, QStringLiteral(" ")); }
void BM_ReplaceAllAbsentText(benchmark::State &state) { replaceAllBench(state, QStringLiteral("@@@@")); }

void BM_FindTextToTheEnd(benchmark::State &state)
{
    core::DocTree tree;
    core::KeySerial serial = 0;
    core::eexLoad(megabyteScenario(), QStringLiteral("bench.eex"), tree, serial);
    const core::FindQuery query{core::FindMode::ByText, 0, QStringLiteral("@@@@")};
    for (auto _ : state)
        benchmark::DoNotOptimize(core::findFrom(tree, core::findStartOfTree(tree), query));
}

} // namespace

BENCHMARK(BM_ReplaceAllCommonText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReplaceAllAbsentText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FindTextToTheEnd)->Unit(benchmark::kMillisecond);
