// The window's operations on a loaded scenario, at every scenario size, each
// beside a baseline measured in the same run:
//   expand_all    "선택한 메뉴 펼치기" on the root of a shown document, until
//                 the view has laid out; baseline: QTreeView::expandAll on a
//                 QStandardItemModel of the same shape;
//   find          find by a text that occurs nowhere, from the first Scene to
//                 the end, on a freshly opened document; baseline: a plain
//                 substring scan of the same captions;
//   replace_all   replace all "a" by "b" on a freshly opened document;
//   undo_replace  undo of that replace all;
// and at 60 MB (a file as authors write them):
//   replace_many       replace all " " by "_", which rewrites about half
//                      the text commands;
//   undo_replace_many  undo of that replace all.
// After a replace all, `held_bytes` is what the document holds (tree, keys,
// captions, history) and `held_peak_bytes` the most it held during the
// replace, for the memory lines of the table.
#include "scenario_bench_support.h"

#include "heap_counter.h"

#include "core/edit_history.h"
#include "core/find_replace.h"
#include "core/undo_redo.h"
#include "workspace/doc_tree_model.h"
#include "workspace/document.h"
#include "workspace/scenario_tree_view.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>

#include <memory>
#include <vector>

namespace {

using bench::Scenario;
using bench::ScenarioSize;

const QString kAbsent = QStringLiteral("@@@@");

// A shown document holding the scenario, root and Scenes expanded.
struct ShownDocument {
    std::unique_ptr<workspace::ScenarioTreeView> view;
    workspace::Document *doc = nullptr;

    bool open(const Scenario &s)
    {
        doc = new workspace::Document(1);
        view.reset(doc->view());
        core::DocTree fresh;
        if (!bench::loadScenario(s, fresh))
            return false;
        doc->tree().swapContent(fresh);
        view->resize(800, 600);
        view->show();
        QApplication::processEvents();
        return true;
    }
    void settle()
    {
        view->doItemsLayout();
        QApplication::processEvents();
    }
};

void expandAll(benchmark::State &state, const ScenarioSize &size)
{
    const Scenario &s = bench::scenario(size);
    ShownDocument shown;
    if (!shown.open(s)) {
        state.SkipWithError("load failed");
        return;
    }
    core::DocTree &tree = shown.doc->tree();
    const std::int64_t peak = bench::peakBytesDuring([&] {
        shown.view->spreadFold(tree.root(), true);
        shown.settle();
    });
    for (auto _ : state) {
        state.PauseTiming();
        shown.view->spreadFold(tree.root(), false);
        shown.settle();
        state.ResumeTiming();
        shown.view->spreadFold(tree.root(), true);
        shown.settle();
    }
    bench::reportScenarioCounters(state, tree.count(), s.bytes.size(), peak);
}

// The tree's shape with its captions, for the baselines.
struct CaptionNode {
    QString text;
    std::vector<CaptionNode> children;
};

CaptionNode captionsOf(const core::DocTree &tree, core::NodeId node)
{
    CaptionNode out{tree.text(node), {}};
    out.children.reserve(std::size_t(tree.childCount(node)));
    for (core::NodeId c = tree.firstChild(node); c != core::kNoNode; c = tree.next(c))
        out.children.push_back(captionsOf(tree, c));
    return out;
}

void fill(QStandardItem *item, const CaptionNode &node)
{
    for (const CaptionNode &c : node.children) {
        auto *child = new QStandardItem(c.text);
        fill(child, c);
        item->appendRow(child);
    }
}

void baselineExpandAll(benchmark::State &state, const ScenarioSize &size)
{
    const Scenario &s = bench::scenario(size);
    CaptionNode captions;
    int nodes = 0;
    {
        core::DocTree tree;
        if (!bench::loadScenario(s, tree)) {
            state.SkipWithError("load failed");
            return;
        }
        captions = captionsOf(tree, tree.root());
        nodes = tree.count();
    }
    QStandardItemModel model;
    auto *root = new QStandardItem(captions.text);
    fill(root, captions);
    model.appendRow(root);
    captions = {};
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setHeaderHidden(true);
    view.setModel(&model);
    view.resize(800, 600);
    view.show();
    QApplication::processEvents();
    const std::int64_t peak = bench::peakBytesDuring([&] {
        view.expandAll();
        view.doItemsLayout();
        QApplication::processEvents();
    });
    for (auto _ : state) {
        state.PauseTiming();
        view.collapseAll();
        view.doItemsLayout();
        QApplication::processEvents();
        state.ResumeTiming();
        view.expandAll();
        view.doItemsLayout();
        QApplication::processEvents();
    }
    bench::reportScenarioCounters(state, nodes, s.bytes.size(), peak);
}

void find(benchmark::State &state, const ScenarioSize &size)
{
    const Scenario &s = bench::scenario(size);
    const core::FindQuery query{core::FindMode::ByText, 0, kAbsent};
    std::int64_t nodes = 0, peak = -1;
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = std::make_unique<core::DocTree>();
        if (!bench::loadScenario(s, *tree))
            state.SkipWithError("load failed");
        nodes = tree->count();
        state.ResumeTiming();
        core::NodeId found = core::kNoNode;
        const std::int64_t p = bench::peakBytesDuring(
            [&] { found = core::findFrom(*tree, core::findStartOfTree(*tree), query); });
        benchmark::DoNotOptimize(found);
        state.PauseTiming();
        peak = std::max(peak, p);
        tree.reset();
        state.ResumeTiming();
    }
    bench::reportScenarioCounters(state, nodes, s.bytes.size(), peak);
}

void baselineFind(benchmark::State &state, const ScenarioSize &size)
{
    const Scenario &s = bench::scenario(size);
    std::vector<QString> captions;
    {
        core::DocTree tree;
        if (!bench::loadScenario(s, tree)) {
            state.SkipWithError("load failed");
            return;
        }
        for (core::NodeId n = tree.root(); n != core::kNoNode; n = tree.nextInOrder(n))
            captions.push_back(tree.text(n));
    }
    for (auto _ : state) {
        std::size_t hit = captions.size();
        for (std::size_t i = 0; i < captions.size(); ++i)
            if (captions[i].contains(kAbsent)) {
                hit = i;
                break;
            }
        benchmark::DoNotOptimize(hit);
    }
    bench::reportScenarioCounters(state, std::int64_t(captions.size()), s.bytes.size(), 0);
}

// A freshly opened and shown document with its history, as the window holds it.
struct OpenTree {
    ShownDocument shown;
    bool ok_;
    core::KeySerial serial = 1u << 30;
    core::DocTree &tree;
    core::EditContext ctx;
    explicit OpenTree(const Scenario &s, bool &ok)
        : ok_(shown.open(s)), tree(shown.doc->tree()),
          ctx{tree, serial, shown.doc->history(), bench::captionContext()}
    {
        ok = ok_;
    }
};

const QString kFew = QStringLiteral("a");      // few texts hold it
const QString kMany = QStringLiteral(" ");     // about half the texts hold a blank

void replaceAllOf(benchmark::State &state, const ScenarioSize &size, const QString &find, const QString &replace)
{
    const Scenario &s = bench::scenario(size);
    std::int64_t nodes = 0, peak = -1, held = -1, heldAtPeak = -1, replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::int64_t before = bench::heapCounting() ? bench::heapBytes() : 0;
        bool ok = false;
        auto open = std::make_unique<OpenTree>(s, ok);
        if (!ok)
            state.SkipWithError("load failed");
        nodes = open->tree.count();
        core::findFrom(open->tree, core::findStartOfTree(open->tree),
                       core::FindQuery{core::FindMode::ByText, 0, kAbsent});
        const std::int64_t opened = bench::heapCounting() ? bench::heapBytes() - before : 0;
        state.ResumeTiming();
        core::ReplaceOutcome out;
        const std::int64_t p = bench::peakBytesDuring([&] {
            out = core::replaceAll(open->ctx, find, replace);
            open->shown.settle();
        });
        replaced = std::int64_t(out.replaced.size());
        state.PauseTiming();
        peak = std::max(peak, p);
        if (bench::heapCounting()) {
            held = bench::heapBytes() - before;
            heldAtPeak = opened + p;
        }
        open.reset();
        state.ResumeTiming();
    }
    bench::reportScenarioCounters(state, nodes, s.bytes.size(), peak);
    state.counters["held_bytes"] = double(held);
    state.counters["held_peak_bytes"] = double(heldAtPeak);
    state.counters["replaced"] = double(replaced);
}

void undoReplaceAllOf(benchmark::State &state, const ScenarioSize &size, const QString &find,
                      const QString &replace)
{
    const Scenario &s = bench::scenario(size);
    std::int64_t nodes = 0, peak = -1;
    for (auto _ : state) {
        state.PauseTiming();
        bool ok = false;
        auto open = std::make_unique<OpenTree>(s, ok);
        if (!ok)
            state.SkipWithError("load failed");
        nodes = open->tree.count();
        core::replaceAll(open->ctx, find, replace);
        open->shown.settle();
        state.ResumeTiming();
        const std::int64_t p = bench::peakBytesDuring([&] {
            ok = core::undo(open->ctx).ok;
            open->shown.settle();
        });
        if (!ok)
            state.SkipWithError("undo failed");
        state.PauseTiming();
        peak = std::max(peak, p);
        open.reset();
        state.ResumeTiming();
    }
    bench::reportScenarioCounters(state, nodes, s.bytes.size(), peak);
}

void replaceAll(benchmark::State &state, const ScenarioSize &size)
{
    replaceAllOf(state, size, kFew, QStringLiteral("b"));
}
void undoReplaceAll(benchmark::State &state, const ScenarioSize &size)
{
    undoReplaceAllOf(state, size, kFew, QStringLiteral("b"));
}
void replaceMany(benchmark::State &state, const ScenarioSize &size)
{
    replaceAllOf(state, size, kMany, QStringLiteral("_"));
}
void undoReplaceMany(benchmark::State &state, const ScenarioSize &size)
{
    undoReplaceAllOf(state, size, kMany, QStringLiteral("_"));
}

[[maybe_unused]] const bool registered = [] {
    bench::registerPerScenario("expand_all", expandAll, 3);
    bench::registerPerScenario("baseline_expand_all", baselineExpandAll, 3);
    bench::registerPerScenario("find", find, 3);
    bench::registerPerScenario("baseline_find", baselineFind);
    bench::registerPerScenario("replace_all", replaceAll, 3);
    bench::registerPerScenario("undo_replace", undoReplaceAll, 3);
    bench::registerAtLargeScenario("replace_all", replaceAll, 1);
    bench::registerAtLargeScenario("replace_many", replaceMany, 1);
    bench::registerAtLargeScenario("undo_replace_many", undoReplaceMany, 1);
    return true;
}();

} // namespace
