// Captions made on demand: a node appended with a caption kind gets its
// caption from the tree's caption source when first read, exactly once, from
// the key it was read with; an explicit caption always wins.
#include "core/doc_tree.h"

#include <gtest/gtest.h>

#include <memory>

using namespace core;

namespace {

// Captions "<kind>:<key>", counting how many it made.
class CountingSource final : public CaptionSource
{
public:
    QString caption(const QString &key, int kind) const override
    {
        ++made;
        return QString::number(kind) + u':' + key;
    }
    mutable int made = 0;
};

struct LazyTree {
    DocTree tree;
    std::shared_ptr<CountingSource> source = std::make_shared<CountingSource>();
    NodeId root = kNoNode;

    LazyTree()
    {
        root = tree.addRoot("root", "doc");
        tree.setCaptionSource(source);
    }
};

} // namespace

TEST(DocTreeCaptions, MadeOnceWhenFirstReadAndNotBefore)
{
    LazyTree l;
    const NodeId a = l.tree.appendNew(l.root, "A_1", 2);
    const NodeId b = l.tree.appendNew(l.root, "B_2", 1);
    EXPECT_EQ(l.source->made, 0);
    EXPECT_EQ(l.tree.text(b), "1:B_2");
    EXPECT_EQ(l.tree.text(b), "1:B_2");
    EXPECT_EQ(l.source->made, 1);
    EXPECT_EQ(l.tree.text(a), "2:A_1");
    EXPECT_EQ(l.source->made, 2);
    // Kind 0 keeps the text it was given.
    const NodeId c = l.tree.appendNew(l.root, "C_3", 0, "given");
    EXPECT_EQ(l.tree.text(c), "given");
    EXPECT_EQ(l.source->made, 2);
}

TEST(DocTreeCaptions, EditsBeforeTheFirstReadKeepTheirMeaning)
{
    LazyTree l;
    // A caption set before it was ever made is the caption, even when empty.
    const NodeId set = l.tree.appendNew(l.root, "S_1", 2);
    l.tree.setText(set, QString());
    EXPECT_EQ(l.tree.text(set), QString());
    // A rename keeps the caption of the key the node was read with.
    const NodeId renamed = l.tree.appendNew(l.root, "R_2", 2);
    ASSERT_TRUE(l.tree.setKey(renamed, "R2_2"));
    EXPECT_EQ(l.tree.text(renamed), "2:R_2");
    // The reader's own rename hands over the kind that gives the old caption.
    const NodeId block = l.tree.appendNew(l.root, "K_3", 2);
    l.tree.rekeyNew(block, "K0004_3", 3);
    EXPECT_EQ(l.tree.key(block), "K0004_3");
    EXPECT_EQ(l.tree.text(block), "3:K0004_3");
    EXPECT_EQ(l.source->made, 2);
}

TEST(DocTreeCaptions, SourceAndPendingKeysMoveWithTheContent)
{
    DocTree document;
    document.addRoot("old", "old document");
    {
        LazyTree fresh;
        const NodeId n = fresh.tree.appendNew(fresh.root, "N_1", 1);
        document.swapContent(fresh.tree);
        // The swapped-in node is found by key and captioned by the source
        // that came with it, after the tree it was read into is gone.
        ASSERT_EQ(document.find("N_1"), n);
    }
    EXPECT_EQ(document.text(document.find("N_1")), "1:N_1");
    // An ordinary add now sees every appended key.
    EXPECT_EQ(document.add(document.root(), Relation::LastChild, "N_1", "x"), kNoNode);
}

// Keys of commands read from a file are made from the file's bytes when first
// asked for, and behave like any other key from then on.
TEST(DocTreeRecordKeys, MadeFromTheImageWhenFirstAskedFor)
{
    DocTree document;
    NodeId a = kNoNode, b = kNoNode;
    {
        LazyTree fresh;
        fresh.tree.setRecordImage(QByteArray("\x6E\x00\x04\x00\x32\x00", 6));
        a = fresh.tree.appendRecord(fresh.root, 0, 4, 7, 2);
        b = fresh.tree.appendRecord(fresh.root, 4, 2, 12, 0);
        // A record that does not lie inside the image is refused.
        EXPECT_EQ(fresh.tree.appendRecord(fresh.root, 4, 3, 13, 0), kNoNode);
        EXPECT_EQ(fresh.tree.appendRecord(fresh.root, -1, 2, 14, 0), kNoNode);
        document.swapContent(fresh.tree);
    }
    // The image came along with the content.
    EXPECT_EQ(document.find("3200_12"), b);
    EXPECT_EQ(document.key(a), "6E000400_7");
    EXPECT_EQ(document.text(a), "2:6E000400_7");
    EXPECT_EQ(document.add(document.root(), Relation::LastChild, "6E000400_7", "x"), kNoNode);
    ASSERT_TRUE(document.setKey(a, "6E000500_7"));
    EXPECT_EQ(document.find("6E000400_7"), kNoNode);
    EXPECT_EQ(document.find("6E000500_7"), a);
    EXPECT_TRUE(document.remove(b));
    EXPECT_EQ(document.find("3200_12"), kNoNode);
}
