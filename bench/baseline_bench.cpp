// The baselines the scenario table divides by, at every scenario size:
//   baseline_standard_model  filling a QStandardItemModel with the captions of
//                            the loaded scenario, in the same tree shape (the
//                            captions are ready in memory; the model is filled
//                            detached from any view, its fastest way);
//   baseline_read            a plain read of the file's bytes;
//   baseline_write           a plain atomic write of the same bytes.
#include "scenario_bench_support.h"

#include <QFile>
#include <QSaveFile>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace {

using bench::Scenario;
using bench::ScenarioSize;

// The captions of a loaded document in its tree shape.
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

void fillModel(QStandardItemModel &model, const CaptionNode &root)
{
    auto *item = new QStandardItem(root.text);
    fill(item, root);
    model.appendRow(item);
}

void standardModel(benchmark::State &state, const ScenarioSize &size)
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
    const std::int64_t peak = bench::peakBytesDuring([&] {
        QStandardItemModel model;
        fillModel(model, captions);
    });
    for (auto _ : state) {
        auto model = std::make_unique<QStandardItemModel>();
        fillModel(*model, captions);
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    bench::reportScenarioCounters(state, nodes, s.bytes.size(), peak);
}

void readBytes(benchmark::State &state, const ScenarioSize &size)
{
    const Scenario &s = bench::scenario(size);
    const auto readOnce = [&] {
        QFile file(s.path);
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        return bytes;
    };
    const std::int64_t peak = bench::peakBytesDuring([&] { readOnce(); });
    for (auto _ : state) {
        const QByteArray bytes = readOnce();
        if (bytes.size() != s.bytes.size())
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(bytes.constData());
    }
    bench::reportScenarioCounters(state, 0, s.bytes.size(), peak);
}

void writeBytes(benchmark::State &state, const ScenarioSize &size)
{
    const Scenario &s = bench::scenario(size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("written.eex"));
    const auto writeOnce = [&] {
        QSaveFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(s.bytes) == s.bytes.size() && file.commit();
    };
    const std::int64_t peak = bench::peakBytesDuring([&] { writeOnce(); });
    for (auto _ : state) {
        if (!writeOnce())
            state.SkipWithError("write failed");
    }
    bench::reportScenarioCounters(state, 0, s.bytes.size(), peak);
}

[[maybe_unused]] const bool registered = [] {
    bench::registerPerScenario("baseline_standard_model", standardModel);
    bench::registerPerScenario("baseline_read", readBytes);
    bench::registerPerScenario("baseline_write", writeBytes);
    bench::registerAtLargeScenario("baseline_write", writeBytes);
    return true;
}();

} // namespace
