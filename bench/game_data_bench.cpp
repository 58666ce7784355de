// Loading every name table from a synthetic game folder (target: well under
// 50 ms, since it runs at start-up and on every folder change).
#include "core/game/game_data.h"
#include "fixtures/game_folder_builder.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GameDataLoad(benchmark::State &state)
{
    fixtures::ScopedGameFolder game;
    core::game::GameData data;
    for (auto _ : state) {
        const auto report = core::game::gameDataLoad(data, game.folder());
        benchmark::DoNotOptimize(report);
        benchmark::DoNotOptimize(data.names.charNames.data());
    }
}
BENCHMARK(BM_GameDataLoad)->Unit(benchmark::kMillisecond);

} // namespace

