// Start to first shown window: the in-process start-up steps (settings file,
// option marks, menus, toolbar) up to the window being exposed; the program
// case also runs the real folder check, loading the name tables from a
// fixture game folder, and the first activation with its untitled scenario.
// The budget is 500 ms; this runs well below it.
#include "fixtures/game_folder_builder.h"
#include "core/settings.h"
#include "platform/prompts.h"
#include "workspace/main_window.h"
#include "workspace/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <benchmark/benchmark.h>

namespace {

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "storyloom_bench";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

void StartToShownWindow(benchmark::State &state, bool freshSettings)
{
    ensureApplication();
    QTemporaryDir dir;
    for (auto _ : state) {
        if (freshSettings) {
            state.PauseTiming();
            QFile::remove(dir.filePath("Q_T.ini"));
            state.ResumeTiming();
        }
        workspace::StartupConfig config;
        config.programPath = dir.filePath("storyloom");
        config.iniPath = dir.filePath("Q_T.ini");
        config.instanceName = "storyloom-bench-" + QUuid::createUuid().toString(QUuid::Id128).left(12);
        config.registerAssociation = false;
        workspace::Startup startup(config, {});
        startup.prepare();
        workspace::MainWindow *w = startup.showWindow();
        const bool exposed = QTest::qWaitForWindowExposed(w, 2000);
        benchmark::DoNotOptimize(exposed);
        state.PauseTiming();
        startup.window()->close();
        state.ResumeTiming();
    }
}

// What the program does: documents, the folder check with the name tables
// of a fixture game folder, and the window shown with its first tab.
void ProgramStartToShownWindow(benchmark::State &state)
{
    ensureApplication();
    platform::ScriptedPrompts prompts; // a problem would answer, never block
    fixtures::ScopedGameFolder game;
    const QString ini = game.iniPath();
    int names = 0;
    for (auto _ : state) {
        workspace::StartupConfig config;
        config.programPath = QFileInfo(ini).dir().filePath("storyloom");
        config.iniPath = ini;
        config.instanceName = "storyloom-bench-" + QUuid::createUuid().toString(QUuid::Id128).left(12);
        config.registerAssociation = false;
        workspace::Startup startup(config, workspace::programStartupHooks());
        startup.prepare();
        workspace::MainWindow *w = startup.showWindow();
        const bool exposed = QTest::qWaitForWindowExposed(w, 2000);
        benchmark::DoNotOptimize(exposed);
        state.PauseTiming();
        names = int(w->gameData().names.charNames.size());
        startup.window()->close();
        state.ResumeTiming();
    }
    if (names == 0 || !prompts.messages.isEmpty())
        state.SkipWithError("the name tables were not loaded from the fixture folder");
}

BENCHMARK(ProgramStartToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(StartToShownWindow, existing_settings, false)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(StartToShownWindow, first_start, true)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

