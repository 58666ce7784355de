// Our side of the scenario table, at every scenario size:
//   load        the file into a document tree, captions included;
//   load_model  the same, swapped into an open document whose item model is
//               shown in a tree view (offscreen), as opening a file does;
//   save        the atomic save of the loaded tree (also at 60 MB).
// Tearing down the previous document is not timed: only the operation is.
#include "scenario_bench_support.h"

#include "core/eex_writer.h"
#include "workspace/doc_tree_model.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeView>

namespace {

using bench::Scenario;
using bench::ScenarioSize;

void load(benchmark::State &state, const ScenarioSize &size)
{
    const Scenario &s = bench::scenario(size);
    std::int64_t nodes = 0;
    const std::int64_t peak = bench::peakBytesDuring([&] {
        core::DocTree tree;
        bench::loadScenario(s, tree);
        nodes = tree.count();
    });
    for (auto _ : state) {
        auto tree = std::make_unique<core::DocTree>();
        if (!bench::loadScenario(s, *tree))
            state.SkipWithError("load failed");
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    bench::reportScenarioCounters(state, nodes, s.bytes.size(), peak);
}

// An open document as the workspace holds it: the tree, its model and a
// shown view. The root and the Scenes start expanded.
struct OpenDocument {
    core::DocTree tree;
    workspace::DocTreeModel model{&tree};
    QTreeView view;

    OpenDocument()
    {
        view.setModel(&model);
        view.resize(800, 600);
        view.show();
        QApplication::processEvents();
    }

    bool open(const Scenario &s)
    {
        core::DocTree fresh;
        if (!bench::loadScenario(s, fresh))
            return false;
        tree.swapContent(fresh);
        view.expandToDepth(1);
        view.doItemsLayout();
        QApplication::processEvents();
        return true;
    }
};

void loadModel(benchmark::State &state, const ScenarioSize &size)
{
    const Scenario &s = bench::scenario(size);
    std::int64_t nodes = 0;
    const std::int64_t peak = bench::peakBytesDuring([&] {
        OpenDocument doc;
        doc.open(s);
        nodes = doc.tree.count();
    });
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<OpenDocument>();
        state.ResumeTiming();
        if (!doc->open(s))
            state.SkipWithError("load failed");
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    bench::reportScenarioCounters(state, nodes, s.bytes.size(), peak);
}

void save(benchmark::State &state, const ScenarioSize &size)
{
    const Scenario &s = bench::scenario(size);
    core::DocTree tree;
    if (!bench::loadScenario(s, tree)) {
        state.SkipWithError("load failed");
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.eex"));
    const std::int64_t peak = bench::peakBytesDuring([&] { core::eexWrite(tree, path); });
    for (auto _ : state) {
        if (!core::eexWrite(tree, path).ok)
            state.SkipWithError("save failed");
    }
    bench::reportScenarioCounters(state, tree.count(), s.bytes.size(), peak);
}

[[maybe_unused]] const bool registered = [] {
    bench::registerPerScenario("load", load);
    bench::registerPerScenario("load_model", loadModel);
    bench::registerPerScenario("save", save);
    bench::registerAtLargeScenario("save", save);
    // Later operations on a loaded document (find all, replace all, undo of
    // 1,000 edits) register here the same way.
    return true;
}();

} // namespace
