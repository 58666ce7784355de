#include "workspace/doc_tree_model.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace core;
using workspace::DocTreeModel;

namespace {
// The tester aborts through QTest on a violation; with the Fatal mode a
// violation ends the test program, which CTest reports as a failure.
struct Harness {
    DocTree tree;
    DocTreeModel model{&tree};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};
} // namespace

TEST(DocTreeModel, ScriptedEditsKeepTheModelConsistent)
{
    Harness h;
    DocTree &t = h.tree;
    const NodeId root = t.addRoot("Path", "doc");
    const NodeId s = t.add(root, Relation::LastChild, "Scene_0_", "Scene");
    const NodeId sec = t.add(s, Relation::LastChild, "Section_0_0_", "Section");
    const NodeId e = t.add(sec, Relation::LastChild, "0000_0_0_00", "0 : end");
    t.add(e, Relation::LastChild, "0000_001", "0 : end");
    t.add(e, Relation::Before, "020005004100_0000222", "comment");
    t.setText(e, "changed");
    t.move(t.find("020005004100_0000222"), e, Relation::After);
    EXPECT_EQ(h.model.rowCount(h.model.indexOf(sec)), 2);
    EXPECT_EQ(h.model.data(h.model.indexOf(e)).toString(), "changed");
    EXPECT_EQ(h.model.nodeAt(h.model.indexOf(e)), e);
    t.remove(s);
    EXPECT_EQ(h.model.rowCount(h.model.indexOf(root)), 0);
    t.clear();
    EXPECT_EQ(h.model.rowCount(), 0);
}

TEST(DocTreeModel, RandomEditsKeepTheModelConsistent)
{
    Harness h;
    DocTree &t = h.tree;
    t.addRoot("Path", "doc");
    QRandomGenerator rng(12345);
    int serial = 0;
    for (int step = 0; step < 3000; ++step) {
        const NodeId target = t.byIndex(1 + int(rng.bounded(t.count())));
        const int op = int(rng.bounded(10));
        if (op < 5) {
            const Relation rel = target == t.root() ? Relation::LastChild
                                                    : Relation(2 + int(rng.bounded(3)));
            ++serial;
            t.add(target, rel, QString("k%1").arg(serial), QString::number(serial));
        } else if (op < 7 && target != t.root()) {
            t.remove(target);
        } else if (op < 9 && target != t.root()) {
            const NodeId other = t.byIndex(1 + int(rng.bounded(t.count())));
            const Relation rel = other == t.root() ? Relation::LastChild
                                                   : Relation(2 + int(rng.bounded(3)));
            t.move(target, other, rel);
        } else {
            t.setText(target, QString("t%1").arg(step));
        }
    }
    // Every node's index maps back to the node.
    for (int i = 1; i <= t.count(); ++i) {
        const NodeId n = t.byIndex(i);
        EXPECT_EQ(h.model.nodeAt(h.model.indexOf(n)), n);
    }
}

// Many changes in one batch reach a view as one relayout, not one lookup of
// each changed row; the expanded flag is no data change at all.
TEST(DocTreeModel, ChangesInABatchAreReportedOnceAtItsEnd)
{
    core::DocTree tree;
    workspace::DocTreeModel model(&tree);
    const core::NodeId root = tree.addRoot(QStringLiteral("Path"), QStringLiteral("Scenario"));
    std::vector<core::NodeId> nodes;
    for (int i = 0; i < 5; ++i)
        nodes.push_back(tree.add(root, core::Relation::LastChild, QStringLiteral("k%1").arg(i), QStringLiteral("t")));
    int dataChanged = 0, layoutChanged = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++dataChanged; });
    QObject::connect(&model, &QAbstractItemModel::layoutChanged, [&] { ++layoutChanged; });

    tree.setText(nodes[0], QStringLiteral("one"));
    EXPECT_EQ(dataChanged, 1);
    {
        const core::DocTree::Batch outer(tree);
        {
            const core::DocTree::Batch inner(tree);
            for (core::NodeId n : nodes)
                tree.setText(n, QStringLiteral("batched"));
        }
        EXPECT_EQ(layoutChanged, 0);
        tree.setKey(nodes[1], QStringLiteral("k1b"));
    }
    EXPECT_EQ(dataChanged, 1);
    EXPECT_EQ(layoutChanged, 1);
    EXPECT_EQ(model.data(model.indexOf(nodes[3])).toString(), QStringLiteral("batched"));

    // A batch that changed nothing says nothing.
    { const core::DocTree::Batch empty(tree); }
    tree.setExpanded(root, true);
    EXPECT_EQ(dataChanged, 1);
    EXPECT_EQ(layoutChanged, 1);
}
