#include "core/doc_tree.h"

#include <gtest/gtest.h>

using namespace core;

namespace {
QStringList childKeys(const DocTree &t, NodeId n)
{
    QStringList keys;
    for (NodeId c = t.firstChild(n); c != kNoNode; c = t.next(c))
        keys << t.key(c);
    return keys;
}
} // namespace

TEST(DocTree, RelationsPlaceNodes)
{
    DocTree t;
    const NodeId root = t.addRoot("Path", "x");
    const NodeId a = t.add(root, Relation::LastChild, "a", "A");
    const NodeId c = t.add(root, Relation::LastChild, "c", "C");
    t.add(c, Relation::Before, "b", "B");
    t.add(c, Relation::After, "d", "D");
    t.add(a, Relation::Before, "first", "");
    EXPECT_EQ(childKeys(t, root), (QStringList{"first", "a", "b", "c", "d"}));
    EXPECT_EQ(t.byIndex(1), root);
    EXPECT_EQ(t.count(), 6);
    EXPECT_EQ(t.firstSibling(c), t.find("first"));
    EXPECT_EQ(t.lastSibling(a), t.find("d"));
    EXPECT_EQ(t.parent(c), root);
    EXPECT_EQ(t.row(c), 3);
    // The root has no siblings.
    EXPECT_EQ(t.add(root, Relation::After, "x", ""), kNoNode);
}

TEST(DocTree, DuplicateKeysFailAndChangeNothing)
{
    DocTree t;
    const NodeId root = t.addRoot("Path", "");
    const NodeId a = t.add(root, Relation::LastChild, "a", "A");
    const NodeId b = t.add(root, Relation::LastChild, "b", "B");
    EXPECT_EQ(t.add(root, Relation::LastChild, "a", "again"), kNoNode);
    EXPECT_EQ(t.count(), 3);
    EXPECT_FALSE(t.setKey(b, "a"));
    EXPECT_EQ(t.key(b), "b");
    EXPECT_EQ(t.find("a"), a);
    EXPECT_TRUE(t.setKey(b, "z"));
    EXPECT_EQ(t.find("z"), b);
    EXPECT_EQ(t.find("b"), kNoNode);
}

TEST(DocTree, RemoveTakesTheSubtreeAndIndexesClose)
{
    DocTree t;
    const NodeId root = t.addRoot("Path", "");
    const NodeId a = t.add(root, Relation::LastChild, "a", "");
    t.add(a, Relation::LastChild, "a1", "");
    t.add(a, Relation::LastChild, "a2", "");
    const NodeId b = t.add(root, Relation::LastChild, "b", "");
    t.setSelected(t.find("a1"));
    EXPECT_TRUE(t.remove(a));
    EXPECT_EQ(t.count(), 2);
    EXPECT_FALSE(t.contains("a1"));
    EXPECT_EQ(t.selected(), kNoNode);
    EXPECT_EQ(t.byIndex(2), b);
    EXPECT_EQ(t.indexOf(b), 2);
    EXPECT_EQ(t.row(b), 0);
    // The key of a removed node can be used again.
    EXPECT_NE(t.add(root, Relation::LastChild, "a", ""), kNoNode);
}

TEST(DocTree, MoveReordersWholeSubtrees)
{
    DocTree t;
    const NodeId root = t.addRoot("Path", "");
    const NodeId a = t.add(root, Relation::LastChild, "a", "");
    const NodeId a1 = t.add(a, Relation::LastChild, "a1", "");
    const NodeId b = t.add(root, Relation::LastChild, "b", "");
    EXPECT_TRUE(t.move(a, b, Relation::After));
    EXPECT_EQ(childKeys(t, root), (QStringList{"b", "a"}));
    EXPECT_EQ(t.parent(a1), a);
    EXPECT_FALSE(t.move(a, a1, Relation::After));  // into its own subtree
    EXPECT_TRUE(t.move(b, a1, Relation::Before));
    EXPECT_EQ(childKeys(t, a), (QStringList{"b", "a1"}));
    EXPECT_EQ(t.row(a1), 1);
}

TEST(DocTree, DisplayOrderWalk)
{
    DocTree t;
    const NodeId root = t.addRoot("Path", "");
    const NodeId a = t.add(root, Relation::LastChild, "a", "");
    t.add(a, Relation::LastChild, "a1", "");
    t.add(t.find("a1"), Relation::LastChild, "a11", "");
    t.add(root, Relation::LastChild, "b", "");
    QStringList order;
    for (NodeId n = root; n != kNoNode; n = t.nextInOrder(n))
        order << t.key(n);
    EXPECT_EQ(order, (QStringList{"Path", "a", "a1", "a11", "b"}));
    QStringList back;
    for (NodeId n = t.find("b"); n != kNoNode; n = t.previousInOrder(n))
        back << t.key(n);
    EXPECT_EQ(back, (QStringList{"b", "a11", "a1", "a", "Path"}));
}

TEST(DocTree, WhiteBackgroundMeansDefault)
{
    DocTree t;
    const NodeId root = t.addRoot("Path", "");
    t.setBackColor(root, QColor(255, 255, 255));
    EXPECT_FALSE(t.backColor(root).isValid());
    t.setBackColor(root, QColor(0, 255, 255));
    EXPECT_EQ(t.backColor(root), QColor(0, 255, 255));
}

TEST(DocTree, SwapContentExchangesDocuments)
{
    DocTree a, b;
    a.addRoot("Path", "old");
    b.addRoot("Path", "new");
    b.add(b.root(), Relation::LastChild, "x", "");
    a.swapContent(b);
    EXPECT_EQ(a.text(a.root()), "new");
    EXPECT_EQ(a.count(), 2);
    EXPECT_EQ(b.text(b.root()), "old");
}
