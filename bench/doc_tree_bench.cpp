// Building a large document tree and looking keys up in it.
#include "core/doc_tree.h"

#include <benchmark/benchmark.h>

namespace {

using core::DocTree;
using core::NodeId;
using core::Relation;

// Keys made beforehand, so that only the tree's own work is timed.
QStringList makeKeys(int nodes)
{
    QStringList keys;
    keys.reserve(nodes);
    for (int i = 0; i < nodes; ++i)
        keys << (i % 100 == 1 ? QStringLiteral("Section_%1_").arg(i) : QStringLiteral("1400050000_%1").arg(i));
    return keys;
}

// A flat-ish tree like a loaded scenario: Sections of 100 commands each.
void buildTree(DocTree &tree, const QStringList &keys)
{
    const QString caption = QStringLiteral("14 : 대화");
    const NodeId root = tree.addRoot(QStringLiteral("Path"), QStringLiteral("Scenario"));
    NodeId section = root;
    for (int i = 1; i < keys.size(); ++i) {
        if (i % 100 == 1)
            section = tree.add(root, Relation::LastChild, keys[i], QStringLiteral("Section"));
        else
            tree.add(section, Relation::LastChild, keys[i], caption);
    }
}

void BM_BuildTree(benchmark::State &state)
{
    const QStringList keys = makeKeys(int(state.range(0)));
    for (auto _ : state) {
        DocTree tree;
        buildTree(tree, keys);
        benchmark::DoNotOptimize(tree.count());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BuildTree)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Complexity();

// Key lookup stays flat as the tree grows.
void BM_FindKey(benchmark::State &state)
{
    DocTree tree;
    buildTree(tree, makeKeys(int(state.range(0))));
    const QString key = QStringLiteral("1400050000_%1").arg(state.range(0) / 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.find(key));
}
BENCHMARK(BM_FindKey)->Arg(1'000)->Arg(100'000);

} // namespace
