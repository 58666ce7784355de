// Saving the tree of a generated 1 MB scenario: serialization alone, and the
// whole atomic save to a temporary folder.
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "fixtures/scenario_generator.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

struct Loaded {
    core::DocTree tree;
    Loaded()
    {
        fixtures::GeneratorOptions opt;
        opt.targetBytes = 1 << 20;
        opt.armyTables = false;
        opt.itemlessRunPercent = 2;
        fixtures::ScenarioGenerator gen(2024, opt);
        core::KeySerial serial = 0;
        core::eexLoad(fixtures::scenarioBytes(gen.scenario()), QStringLiteral("bench.eex"), tree, serial);
    }
};

const core::DocTree &loadedTree()
{
    static Loaded l;
    return l.tree;
}

void BM_SerializeMegabyteScenario(benchmark::State &state)
{
    const core::DocTree &tree = loadedTree();
    for (auto _ : state) {
        const core::EexSerializeResult s = core::eexSerialize(tree);
        if (!s.ok)
            state.SkipWithError("serialize failed");
        benchmark::DoNotOptimize(s.bytes.data());
    }
}

void BM_SaveMegabyteScenario(benchmark::State &state)
{
    const core::DocTree &tree = loadedTree();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.eex"));
    for (auto _ : state) {
        if (!core::eexWrite(tree, path).ok)
            state.SkipWithError("save failed");
    }
}

} // namespace

BENCHMARK(BM_SerializeMegabyteScenario)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveMegabyteScenario)->Unit(benchmark::kMillisecond);
