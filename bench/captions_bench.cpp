// Caption building runs once per command while a file loads: 100,000 keys
// must stay well below a tenth of a second.
#include "core/captions.h"
#include "core/catalogue.h"

#include <benchmark/benchmark.h>

#include <QStringList>

namespace {

QStringList sampleKeys()
{
    QStringList keys;
    for (int c = 0; c < core::kCommandCount; ++c) {
        if (c == 0x46 || c == 0x47)
            continue;
        keys << core::defaultRecord(c, c % 3 ? QStringLiteral("대화 한 줄") : QString()) + "_" + QString::number(c);
    }
    return keys;
}

void BM_Caption100k(benchmark::State &state)
{
    const QStringList keys = sampleKeys();
    core::NameTables names;
    for (int i = 0; i < 1024; ++i)
        names.charNames << QStringLiteral("인물%1").arg(i);
    const core::CaptionSettings settings{40, 50, 58, 9};
    const core::CaptionContext ctx{&names, &settings};
    for (auto _ : state) {
        qsizetype total = 0;
        for (int i = 0; i < 100000; ++i)
            total += core::commandCaption(keys[i % keys.size()], core::CaptionSite::ReaderBody, false, ctx).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_Caption100k)->Unit(benchmark::kMillisecond);

} // namespace

