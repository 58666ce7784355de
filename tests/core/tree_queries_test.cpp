#include "core/catalogue.h"
#include "core/tree_queries.h"

#include <gtest/gtest.h>

using namespace core;

TEST(TreeQueries, StructuralTextsCompareExactly)
{
    EXPECT_TRUE(isScene("Scene"));
    EXPECT_FALSE(isScene("scene"));
    EXPECT_FALSE(isScene("Scene "));
    EXPECT_TRUE(isSection("Section"));
    EXPECT_FALSE(isSection("section"));
    EXPECT_FALSE(isSection("Scene"));
}

TEST(TreeQueries, NodeNumberReadsTheCaptionPrefix)
{
    EXPECT_EQ(nodeNumber(QString("4 : 문의시험")), 4);
    EXPECT_EQ(nodeNumber(QString("4B : 아군출현설정 3 (10,12)")), 0x4B);
    EXPECT_EQ(nodeNumber(menuName(0)), 0);
    EXPECT_EQ(nodeNumber(menuName(0xA)), 0xA);
    for (int c = 0; c < kCommandCount; ++c)
        EXPECT_EQ(nodeNumber(menuName(c)), c) << c;
    EXPECT_EQ(nodeNumber(QString("Scene")), -1);
    EXPECT_EQ(nodeNumber(QString("Section")), -1);
    EXPECT_EQ(nodeNumber(QString("/home/a/S_00.eex")), -1);
    EXPECT_EQ(nodeNumber(QString()), -1);
}

namespace {
// Path
//   Scene
//     Section
//       2 : comment            (head)
//       0 : 사건결속            (head end, holds the body)
//         14 : 대화 hello
//         6E : 확률시험
//           14 : 대화 inner
//           0 : 사건결속
//         0 : 사건결속
//   Scene
//     Section
//       0 : 사건결속
//         0 : 사건결속
struct FindTree {
    DocTree t;
    NodeId root, scene1, sec1, comment, headEnd1, talk1, block, talkInner, blockEnd, bodyEnd1, scene2, sec2,
        headEnd2, bodyEnd2;
    FindTree()
    {
        root = t.addRoot("Path", "/x/S_00.eex");
        scene1 = t.add(root, Relation::LastChild, "Scene_0_", "Scene");
        sec1 = t.add(scene1, Relation::LastChild, "sec0", "Section");
        comment = t.add(sec1, Relation::LastChild, "020005004100_0000221", menuName(2) + " A");
        headEnd1 = t.add(sec1, Relation::LastChild, "0000_00", menuName(0));
        talk1 = t.add(headEnd1, Relation::LastChild, "k1", menuName(0x14) + " hello");
        block = t.add(headEnd1, Relation::LastChild, "k2", menuName(0x6E) + " 50");
        talkInner = t.add(block, Relation::LastChild, "k3", menuName(0x14) + " inner");
        blockEnd = t.add(block, Relation::LastChild, "k4", menuName(0));
        bodyEnd1 = t.add(headEnd1, Relation::LastChild, "k5", menuName(0));
        scene2 = t.add(root, Relation::LastChild, "Scene_1_", "Scene");
        sec2 = t.add(scene2, Relation::LastChild, "sec1", "Section");
        headEnd2 = t.add(sec2, Relation::LastChild, "0000_10", menuName(0));
        bodyEnd2 = t.add(headEnd2, Relation::LastChild, "k6", menuName(0));
    }
};
} // namespace

TEST(TreeQueries, MenuFindForwardByCodeAndText)
{
    FindTree f;
    NodeId n = f.root;
    EXPECT_TRUE(menuFind(f.t, n, 0, 0x14, QString(), false));
    EXPECT_EQ(n, f.talk1);
    // The start node itself is tested first.
    EXPECT_TRUE(menuFind(f.t, n, 0, 0x14, QString(), false));
    EXPECT_EQ(n, f.talk1);
    n = f.t.nextInOrder(n);
    EXPECT_TRUE(menuFind(f.t, n, 1, 0x14, QString(), false));
    EXPECT_EQ(n, f.talkInner);
    n = f.t.nextInOrder(n);
    EXPECT_FALSE(menuFind(f.t, n, 2, 0x14, QString(), false));
    EXPECT_EQ(n, f.root);

    n = f.scene1;
    EXPECT_TRUE(menuFind(f.t, n, 3, 0, "inner", false));
    EXPECT_EQ(n, f.talkInner);
    n = f.scene1;
    EXPECT_FALSE(menuFind(f.t, n, 3, 0, "Inner", false));  // case-sensitive
    EXPECT_EQ(n, f.root);
    // Code 0 stops at the first caption equal to the end name: the head end.
    n = f.root;
    EXPECT_TRUE(menuFind(f.t, n, 0, 0, QString(), false));
    EXPECT_EQ(n, f.headEnd1);
    // An empty text matches the first node that is not structural.
    n = f.root;
    EXPECT_TRUE(menuFind(f.t, n, 3, 0, QString(), false));
    EXPECT_EQ(n, f.comment);
}

TEST(TreeQueries, MenuFindClimbsOutOfNestedListsIntoTheNextScene)
{
    FindTree f;
    NodeId n = f.blockEnd;
    n = f.t.nextInOrder(n);  // body end of the first Section
    ASSERT_EQ(n, f.bodyEnd1);
    n = f.t.nextInOrder(n);
    ASSERT_EQ(n, f.scene2);
    EXPECT_TRUE(menuFind(f.t, n, 0, 0, QString(), false));
    EXPECT_EQ(n, f.headEnd2);
    // From the last node onwards nothing is found and the walk ends on the root.
    n = f.bodyEnd2;
    EXPECT_FALSE(menuFind(f.t, n, 0, 0x14, QString(), false));
    EXPECT_EQ(n, f.root);
}

TEST(TreeQueries, MenuFindBackward)
{
    FindTree f;
    NodeId n = f.bodyEnd2;
    EXPECT_TRUE(menuFind(f.t, n, 0, 0x14, QString(), true));
    EXPECT_EQ(n, f.talkInner);  // the last 0x14 in display order
    n = f.t.previousInOrder(n);
    EXPECT_TRUE(menuFind(f.t, n, 0, 0x14, QString(), true));
    EXPECT_EQ(n, f.talk1);
    n = f.t.previousInOrder(n);
    EXPECT_FALSE(menuFind(f.t, n, 0, 0x14, QString(), true));
    EXPECT_EQ(n, f.scene1);  // stops on the first Scene
}

TEST(TreeQueries, MenuFindBackwardFromTheRootStaysOnTheRoot)
{
    FindTree f;
    NodeId n = f.root;
    EXPECT_FALSE(menuFind(f.t, n, 0, 0x14, QString(), true));
    EXPECT_EQ(n, f.root);
    // A tree without Scenes: the backward walk climbs to the root and ends there.
    DocTree t;
    const NodeId r = t.addRoot("Path", "p");
    const NodeId a = t.add(r, Relation::LastChild, "a", menuName(0x14));
    NodeId m = a;
    EXPECT_FALSE(menuFind(t, m, 0, 0x15, QString(), true));
    EXPECT_EQ(m, r);
    // A root alone, forward.
    DocTree lone;
    NodeId lr = lone.addRoot("Path", "p");
    EXPECT_FALSE(menuFind(lone, lr, 0, 0, QString(), false));
    EXPECT_EQ(lr, lone.root());
}
