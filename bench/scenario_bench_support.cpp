#include "scenario_bench_support.h"

#include "heap_counter.h"

#include "core/eex_reader.h"
#include "fixtures/scenario_generator.h"

#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <string>

namespace bench {

const std::vector<ScenarioSize> &scenarioSizes()
{
    static const std::vector<ScenarioSize> sizes{
        {"100KB", 100 * 1024},
        {"1MB", 1024 * 1024},
        {"4MB", 4 * 1024 * 1024},
        {"20MB", 20 * 1024 * 1024},
    };
    return sizes;
}

namespace {

QTemporaryDir &scenarioFolder()
{
    static QTemporaryDir dir;
    return dir;
}

Scenario makeScenario(const ScenarioSize &size)
{
    // Many small commands and no army tables: the most nodes per megabyte,
    // the hardest case for a load.
    fixtures::GeneratorOptions opt;
    opt.targetBytes = size.bytes;
    opt.armyTables = false;
    opt.itemlessRunPercent = 2;
    fixtures::ScenarioGenerator gen(2024, opt);
    Scenario s;
    s.bytes = fixtures::scenarioBytes(gen.scenario());
    s.path = scenarioFolder().filePath(QStringLiteral("scenario_%1.eex").arg(QLatin1String(size.label)));
    QFile file(s.path);
    if (!file.open(QIODevice::WriteOnly) || file.write(s.bytes) != s.bytes.size())
        s.path.clear();
    return s;
}

} // namespace

const Scenario &scenario(const ScenarioSize &size)
{
    static std::map<std::string, std::unique_ptr<Scenario>> made;
    auto &slot = made[size.label];
    if (!slot)
        slot = std::make_unique<Scenario>(makeScenario(size));
    return *slot;
}

const core::CaptionContext &captionContext()
{
    static const core::NameTables names = [] {
        core::NameTables n;
        for (int i = 0; i < 1024; ++i)
            n.charNames << QStringLiteral("인물%1").arg(i);
        for (int i = 0; i < 116; ++i)
            n.itemNames << QStringLiteral("도구%1").arg(i);
        for (int i = 0; i < 40; ++i)
            n.troopNames << QStringLiteral("병종%1").arg(i);
        return n;
    }();
    static const core::CaptionSettings settings{40, 50, 58, 9};
    static const core::CaptionContext ctx{&names, &settings};
    return ctx;
}

bool loadScenario(const Scenario &s, core::DocTree &tree)
{
    static core::KeySerial serial = 0;
    return core::eexLoadFile(s.path, tree, serial, captionContext()).ok;
}

std::int64_t peakBytesDuring(const std::function<void()> &work)
{
    if (!heapCounting())
        return -1;
    const std::int64_t before = heapBytes();
    resetHeapPeak();
    work();
    return heapPeak() - before;
}

void registerPerScenario(const char *operation, ScenarioBenchmark fn, int iterations)
{
    for (const ScenarioSize &size : scenarioSizes()) {
        const std::string name = std::string(operation) + "/" + size.label;
        auto *b = benchmark::RegisterBenchmark(name.c_str(), [fn, size](benchmark::State &state) { fn(state, size); })
                      ->Unit(benchmark::kMillisecond);
        if (iterations > 0)
            b->Iterations(iterations);
        else
            b->MinTime(0.5);
    }
}

void reportScenarioCounters(benchmark::State &state, std::int64_t nodes, std::int64_t fileBytes,
                            std::int64_t peakBytes)
{
    state.counters["nodes"] = double(nodes);
    state.counters["file_bytes"] = double(fileBytes);
    state.counters["peak_bytes"] = double(peakBytes);
}

} // namespace bench
