// Opening damaged files beside an undamaged one of about the same size, all
// through the window's own open (Documents::openFiles: the reading thread,
// the tab, the shown tree and the warning or refusal, answered by scripted
// prompts), one after the other in one process:
//   open_damaged/8MB/undamaged        a generated 8 MB scenario, one Scene;
//   open_damaged/8MB/scene_twice      the same with its Scene listed twice in
//                                     the Scene table;
//   open_damaged/8MB/scene_4x         listed four times;
//   open_damaged/8MB/stray_after_end  4 stray bytes after the last Scene;
//   open_damaged/8MB/unknown_codes    an unknown code in every Section's body
//                                     (a warning per Section, and a check of
//                                     what a save writes).
// Tearing down the tab is not timed. scripts/bench.sh prints these rows with
// the ratio of each to the undamaged open, in time and in peak heap.
#include "scenario_bench_support.h"

#include "fixtures/scenario_generator.h"

#include "core/settings.h"
#include "platform/prompts.h"
#include "workspace/document.h"
#include "workspace/documents.h"
#include "workspace/main_window.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kBytes = 8 << 20;

QByteArray putLong(QByteArray bytes, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((v >> (8 * i)) & 0xFF);
    return bytes;
}

// The one-Scene file with its Scene table naming the Scene `times` times.
QByteArray sceneListed(const QByteArray &file, int times)
{
    QByteArray out = file.left(10);
    const quint32 scene = 10 + 4 * quint32(times);
    for (int i = 0; i < times; ++i)
        out += QByteArray(4, '\0');
    for (int i = 0; i < times; ++i)
        out = putLong(out, 10 + 4 * i, scene);
    return out + file.mid(14);
}

fixtures::GenScenario generated()
{
    fixtures::GeneratorOptions opt;
    opt.targetBytes = kBytes;
    opt.armyTables = false;
    opt.itemlessRunPercent = 2;
    return fixtures::ScenarioGenerator(2024, opt).scenario();
}

QByteArray damaged(const std::string &kind)
{
    static const fixtures::GenScenario scenario = generated();
    static const QByteArray file = fixtures::scenarioBytes(scenario);
    if (kind == "scene_twice")
        return sceneListed(file, 2);
    if (kind == "scene_4x")
        return sceneListed(file, 4);
    if (kind == "stray_after_end")
        return file + QByteArray::fromHex("5A5A5A5A");
    if (kind == "unknown_codes") {
        fixtures::GenScenario s = scenario;
        for (fixtures::GenScene &scene : s.scenes)
            for (fixtures::GenSection &section : scene.sections)
                section.body.insert(section.body.begin(), fixtures::GenCommand{QByteArray::fromHex("FF00"), false, {}});
        return fixtures::scenarioBytes(s);
    }
    return file;
}

struct Window {
    QTemporaryDir dir;
    QString previousIni = core::iniPath();
    platform::ScriptedPrompts prompts;
    workspace::MainWindow window;
    workspace::Documents *docs = nullptr;

    Window()
    {
        core::setIniPath(dir.filePath(QStringLiteral("Q_T.ini")));
        docs = new workspace::Documents(window);
        window.resize(1000, 700);
        window.show();
        QApplication::processEvents();
    }
    ~Window() { core::setIniPath(previousIni); }

    // Opens the file as the Open command does; true when a tab came of it.
    bool open(const QString &path)
    {
        prompts.messages.clear();
        const bool opened = docs->openFiles({path});
        QApplication::processEvents();
        return opened;
    }
    void close()
    {
        while (docs->tabCount() > 0)
            docs->closeTab();
        QApplication::processEvents();
    }
};

// One window for all the opens; it goes before the application does.
Window *g_window = nullptr;

void dropWindow()
{
    delete g_window;
    g_window = nullptr;
}

Window &window()
{
    if (!g_window) {
        g_window = new Window;
        qAddPostRoutine(dropWindow);
    }
    return *g_window;
}

void openDamaged(benchmark::State &state, const std::string &kind)
{
    Window &w = window();
    const QByteArray bytes = damaged(kind);
    const QString path = w.dir.filePath(QString::fromStdString(kind) + QStringLiteral(".eex"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
            state.SkipWithError("cannot write the file");
            return;
        }
    }
    std::int64_t nodes = 0;
    bool opened = false;
    const std::int64_t peak = bench::peakBytesDuring([&] {
        opened = w.open(path);
        nodes = opened ? w.docs->current()->tree().count() : 0;
    });
    const bool warned = !w.prompts.messages.isEmpty() && opened;
    w.close();
    for (auto _ : state) {
        w.open(path);
        state.PauseTiming();
        w.close();
        state.ResumeTiming();
    }
    QFile::remove(path);
    bench::reportScenarioCounters(state, nodes, bytes.size(), peak);
    // 0: opened quietly, 1: opened with a warning, 2: refused.
    state.counters["outcome"] = opened ? (warned ? 1 : 0) : 2;
}

[[maybe_unused]] const bool registered = [] {
    for (const char *kind : {"undamaged", "scene_twice", "scene_4x", "stray_after_end", "unknown_codes"}) {
        const std::string name = std::string("open_damaged/8MB/") + kind;
        benchmark::RegisterBenchmark(name.c_str(), [k = std::string(kind)](benchmark::State &s) { openDamaged(s, k); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    return true;
}();

} // namespace
