// Loading a generated 1 MB scenario (about 40,000 commands) with captions,
// and a 2 MB one, which should take about twice as long.
#include "core/eex_reader.h"
#include "fixtures/scenario_generator.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray scenarioOf(int megabytes)
{
    fixtures::GeneratorOptions opt;
    opt.targetBytes = megabytes << 20;
    opt.armyTables = false;  // with few runs of item-less commands: about 40,000 commands a megabyte
    opt.itemlessRunPercent = 2;
    fixtures::ScenarioGenerator gen(2024, opt);
    return fixtures::scenarioBytes(gen.scenario());
}

const QByteArray &megabyteScenario(int megabytes)
{
    static const QByteArray one = scenarioOf(1);
    static const QByteArray two = scenarioOf(2);
    return megabytes == 1 ? one : two;
}

void BM_LoadMegabyteScenario(benchmark::State &state)
{
    const QByteArray &bytes = megabyteScenario(int(state.range(0)));
    core::KeySerial serial = 0;
    std::int64_t nodes = 0;
    for (auto _ : state) {
        core::DocTree tree;
        const core::EexLoadResult r = core::eexLoad(bytes, QStringLiteral("bench.eex"), tree, serial);
        if (!r.ok)
            state.SkipWithError("load failed");
        nodes = tree.count();
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["nodes"] = double(nodes);
    state.counters["bytes"] = double(bytes.size());
}

} // namespace

// The first load pays for fresh memory pages; a longer run shows the steady cost.
BENCHMARK(BM_LoadMegabyteScenario)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The bench folder's one entry point (the build links benchmark without its main).
