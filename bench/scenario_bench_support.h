#pragma once
// What the scenario benchmarks share: generated scenarios of fixed sizes
// (bytes in memory and a file on disk), the caption context a loaded document
// uses, a peak-memory probe, and one registration helper that adds a
// benchmark once per scenario size.
//
// Benchmarks registered here are named "<operation>/<size>" (for example
// "load_model/1MB" or "baseline_standard_model/1MB"); scripts/bench.sh builds
// its table from those names. A new operation (find all, replace all, undo
// of many edits...) registers with registerPerScenario and adds one row to
// the table in scripts/bench.sh.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/name_tables.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace bench {

struct ScenarioSize {
    const char *label;     // "1MB": the part of the benchmark name after the slash
    int bytes;             // target size handed to the generator
    bool authors = false;  // shaped as authors write them, not as dense as can be
};

// The sizes every scenario benchmark runs at: small, typical, large.
const std::vector<ScenarioSize> &scenarioSizes();
// A 60 MB scenario as authors write them (army tables and longer commands,
// about 28 bytes a node): the file the long operations (save, replace all
// with many hits, undo) are measured on.
const ScenarioSize &largeScenarioSize();

// A generated scenario of the given size, made once per run.
struct Scenario {
    QByteArray bytes;
    QString path;  // the same bytes as a file in a temporary folder
};
const Scenario &scenario(const ScenarioSize &size);

// Name tables and caption settings as a loaded game would give them, so the
// captions built during a load look up names as in the editor.
const core::CaptionContext &captionContext();

// Loads the scenario into `tree` with captions; false when the load failed.
bool loadScenario(const Scenario &s, core::DocTree &tree);

// The highest growth of the heap while `work` ran, in bytes (what `work`
// freed again still counts); -1 where the heap is not counted.
std::int64_t peakBytesDuring(const std::function<void()> &work);

// Adds the benchmark "<operation>/<size label>" for every scenario size, in
// milliseconds. The function receives the size it runs at. Benchmarks that
// set up a fresh document outside the timed part of every iteration give a
// fixed number of `iterations`, so a short operation does not repeat a long
// set-up hundreds of times.
using ScenarioBenchmark = void (*)(benchmark::State &, const ScenarioSize &);
void registerPerScenario(const char *operation, ScenarioBenchmark fn, int iterations = 0);
// The same at the large scenario only.
void registerAtLargeScenario(const char *operation, ScenarioBenchmark fn, int iterations = 0);

// Fills the counters the table reads: nodes, file bytes and peak bytes.
void reportScenarioCounters(benchmark::State &state, std::int64_t nodes, std::int64_t fileBytes,
                            std::int64_t peakBytes);

} // namespace bench
