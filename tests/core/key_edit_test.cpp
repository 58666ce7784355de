// Nested-length upkeep on hand-built trees (fixed keys, no node creation).
#include "core/key_codec.h"
#include "core/key_edit.h"
#include "fixtures/nested_length_check.h"

#include <gtest/gtest.h>

#include <map>

using namespace core;

namespace {

std::map<NodeId, QString> allKeys(const DocTree &tree)
{
    std::map<NodeId, QString> keys;
    for (int i = 1; i <= tree.count(); ++i)
        keys[tree.byIndex(i)] = tree.key(tree.byIndex(i));
    return keys;
}

QString wordOf(const DocTree &tree, NodeId n)
{
    const QStringView rec = recordPart(tree.key(n));
    return rec.right(4).toString();
}

// One Section whose body holds a child event of 0x6E that holds another 0x6E
// child event whose nested list holds a dialogue with the text "ABC":
//
//   head-end
//     0100 marker               2
//     6E block (outer)          8 + word
//       0100 marker             2
//       6E block (inner)        8 + word
//         14 "ABC"              8
//         0000 end              2
//       0000 end                2
//     0000 body end
struct TwoDeep : ::testing::Test {
    DocTree tree;
    fixtures::SectionNodes sec;
    NodeId outer = kNoNode, inner = kNoNode, text = kNoNode, head = kNoNode;

    void SetUp() override
    {
        const NodeId scene = fixtures::addScenarioRoot(tree);
        sec = fixtures::addSection(tree, scene, 0);
        head = tree.add(sec.title, Relation::After, QStringLiteral("1400050000_h1"), QString());
        const NodeId body = sec.bodyEnd;
        tree.add(body, Relation::Before, QStringLiteral("0100_1"), QString());
        outer = tree.add(body, Relation::Before, QStringLiteral("6E00040000000000" "1800_2"), QString());
        tree.add(outer, Relation::LastChild, QStringLiteral("0100_3"), QString());
        inner = tree.add(outer, Relation::LastChild, QStringLiteral("6E00040000000000" "0A00_4"), QString());
        text = tree.add(inner, Relation::LastChild, QStringLiteral("1400050041424300_5"), QString());
        tree.add(inner, Relation::LastChild, QStringLiteral("0000_6"), QString());
        tree.add(outer, Relation::LastChild, QStringLiteral("0000_7"), QString());
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree));
    }

    // Rewrites the dialogue's text as a dialog would, after asking first.
    KeyEditResult setText(const QString &newText)
    {
        QString key = tree.key(text);
        const int delta = keyReplaceText(key, 9, newText);
        const KeyEditResult check = keyEditCheck(tree, text, delta);
        if (!check)
            return check;
        EXPECT_TRUE(tree.setKey(text, key));
        return keyEdit(tree, text, delta);
    }
};

TEST_F(TwoDeep, CommandsDirectlyInHeadOrBodyListChangeNoKey)
{
    const auto before = allKeys(tree);
    const NodeId bodyCommand = tree.add(sec.bodyEnd, Relation::Before, QStringLiteral("0A00_9"), QString());
    const auto withBody = allKeys(tree);
    for (NodeId n : {head, bodyCommand, sec.bodyEnd, sec.title}) {
        for (int delta : {5, -3, 70000}) {
            EXPECT_TRUE(keyEdit(tree, n, delta)) << tree.key(n).toStdString();
            EXPECT_EQ(allKeys(tree), withBody);
        }
    }
    tree.remove(bodyCommand);
    EXPECT_EQ(allKeys(tree), before);
}

TEST_F(TwoDeep, ShrinkTwoBlocksDeepShrinksBothWords)
{
    const auto before = allKeys(tree);
    ASSERT_TRUE(keyEdit(tree, text, -3));
    EXPECT_EQ(tree.key(inner), QStringLiteral("6E00040000000000" "0700_4"));
    EXPECT_EQ(tree.key(outer), QStringLiteral("6E00040000000000" "1500_2"));
    // Nothing else moved, the changed command's own key included.
    auto after = allKeys(tree);
    after[inner] = before.at(inner);
    after[outer] = before.at(outer);
    EXPECT_EQ(after, before);
}

TEST_F(TwoDeep, TextEditsKeepWordsConsistent)
{
    for (const QString &t : {QString(), QStringLiteral("가나다라마바사"), QStringLiteral("x"), QString(300, u'w')}) {
        ASSERT_TRUE(setText(t));
        EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree)) << t.toStdString();
    }
}

TEST_F(TwoDeep, WordsCarryPastOneByteAndBack)
{
    ASSERT_TRUE(setText(QString(250, u'a')));
    EXPECT_EQ(wordOf(tree, inner), QStringLiteral("0101"));  // 8 + 247 + 2 = 257
    ASSERT_TRUE(setText(QStringLiteral("ABC")));
    EXPECT_EQ(wordOf(tree, inner), QStringLiteral("0A00"));
}

// Every ancestor is checked before any is written: a refusal at the outer
// block leaves the inner one (which could have taken it) untouched.
TEST_F(TwoDeep, RefusesLengthsOutsideTheWordAndChangesNothing)
{
    struct Case {
        const char *name;
        const char *outerWord;
        const char *innerWord;
        int delta;
        bool innerBlocks;
        std::int64_t wouldBe;
    };
    const Case cases[] = {
        {"outer over 65535", "FEFF", "0A00", 2, false, 65536},
        {"inner over 65535", "FEFF", "FFFF", 1, true, 65536},
        {"inner under 2", "1800", "0300", -2, true, 1},
        {"outer under 2", "0300", "0A00", -2, false, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(tree.setKey(outer, QStringLiteral("6E00040000000000%1_2").arg(QLatin1String(c.outerWord))));
        ASSERT_TRUE(tree.setKey(inner, QStringLiteral("6E00040000000000%1_4").arg(QLatin1String(c.innerWord))));
        const auto before = allKeys(tree);
        const KeyEditResult check = keyEditCheck(tree, text, c.delta);
        const KeyEditResult r = keyEdit(tree, text, c.delta);
        EXPECT_FALSE(check);
        EXPECT_FALSE(r);
        EXPECT_EQ(r.status, KeyEditStatus::LengthOutOfRange);
        EXPECT_EQ(r.blocker, c.innerBlocks ? inner : outer);
        EXPECT_EQ(r.wouldBe, c.wouldBe);
        EXPECT_EQ(check.blocker, r.blocker);
        EXPECT_EQ(allKeys(tree), before);
    }
}

TEST_F(TwoDeep, LimitsThemselvesAreAccepted)
{
    ASSERT_TRUE(tree.setKey(outer, QStringLiteral("6E00040000000000FDFF_2")));
    ASSERT_TRUE(keyEdit(tree, text, 2));
    EXPECT_EQ(wordOf(tree, outer), QStringLiteral("FFFF"));
    ASSERT_TRUE(tree.setKey(inner, QStringLiteral("6E00040000000000" "0500_4")));
    ASSERT_TRUE(keyEdit(tree, text, -3));
    EXPECT_EQ(wordOf(tree, inner), QStringLiteral("0200"));
}

TEST_F(TwoDeep, RefusesWhenANewKeyIsHeldElsewhere)
{
    // A stray node already holds the key the inner block would get.
    tree.add(sec.bodyEnd, Relation::Before, QStringLiteral("6E00040000000000" "0B00_4"), QString());
    const auto before = allKeys(tree);
    const KeyEditResult r = keyEdit(tree, text, 1);
    EXPECT_EQ(r.status, KeyEditStatus::KeyTaken);
    EXPECT_EQ(r.blocker, inner);
    EXPECT_EQ(allKeys(tree), before);
}

TEST_F(TwoDeep, RefusesAnUnreadableWord)
{
    ASSERT_TRUE(tree.setKey(outer, QStringLiteral("6E000400000000001G00_2")));
    const auto before = allKeys(tree);
    const KeyEditResult r = keyEdit(tree, text, 1);
    EXPECT_EQ(r.status, KeyEditStatus::DamagedWord);
    EXPECT_EQ(r.blocker, outer);
    EXPECT_EQ(allKeys(tree), before);
}

// A damaged file can make any command the block of a child event: the reader
// then keys it with the nested length behind its record, and the writer
// writes that word for every command with children. So a dialogue holding a
// list takes the change in its word like a block menu does.
TEST_F(TwoDeep, ACommandOfAnyCodeHoldingAListTakesTheChangeInItsWord)
{
    // The dialogue with its word (2: the end record below), the words around
    // grown by that word and the end record.
    ASSERT_TRUE(tree.setKey(text, QStringLiteral("1400050041424300" "0200_5")));
    const NodeId below = tree.add(text, Relation::LastChild, QStringLiteral("0000_9"), QString());
    ASSERT_TRUE(tree.setKey(inner, QStringLiteral("6E00040000000000" "0E00_4")));
    ASSERT_TRUE(tree.setKey(outer, QStringLiteral("6E00040000000000" "1C00_2")));
    ASSERT_TRUE(holdsNestedList(tree, text));
    EXPECT_EQ(nestedLength(tree, text), 2);

    const NodeId added = tree.add(below, Relation::Before, QStringLiteral("0A00_10"), QString());
    ASSERT_TRUE(keyEditNode(tree, added, ownByteLength(tree, added), NodeChange::Inserted));
    EXPECT_EQ(tree.key(text), QStringLiteral("1400050041424300" "0400_5"));
    EXPECT_EQ(wordOf(tree, inner), QStringLiteral("1000"));
    EXPECT_EQ(wordOf(tree, outer), QStringLiteral("1E00"));
}

TEST_F(TwoDeep, NodeInsertedAndRemovedKeepWordsConsistent)
{
    const NodeId added = tree.add(text, Relation::After, QStringLiteral("0B000400010000002700000000_10"), QString());
    ASSERT_TRUE(keyEditNode(tree, added, ownByteLength(tree, added), NodeChange::Inserted));
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree));
    EXPECT_EQ(wordOf(tree, inner), QStringLiteral("1700"));  // 10 + 13

    // The inner child event goes as a whole: marker, then the block's branch.
    const NodeId marker = tree.previous(inner);
    ASSERT_TRUE(keyEditNode(tree, inner, branchByteLength(tree, inner), NodeChange::Removed));
    tree.remove(inner);
    ASSERT_TRUE(keyEditNode(tree, marker, ownByteLength(tree, marker), NodeChange::Removed));
    tree.remove(marker);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree));
    EXPECT_EQ(wordOf(tree, outer), QStringLiteral("0200"));
}

TEST_F(TwoDeep, ZeroChangeAndUnknownNode)
{
    const auto before = allKeys(tree);
    EXPECT_TRUE(keyEdit(tree, text, 0));
    EXPECT_EQ(allKeys(tree), before);
    EXPECT_EQ(keyEdit(tree, 9999, 2).status, KeyEditStatus::NotInTree);
    EXPECT_EQ(allKeys(tree), before);
}

TEST(NestedLengthQueries, WordAndLengthsOfNodes)
{
    DocTree tree;
    const NodeId scene = fixtures::addScenarioRoot(tree);
    const auto sec = fixtures::addSection(tree, scene, 0);
    const NodeId block = tree.add(sec.bodyEnd, Relation::Before, QStringLiteral("03000A00_1"), QString());
    EXPECT_FALSE(holdsNestedList(tree, block));
    EXPECT_FALSE(nestedLength(tree, block));
    tree.add(block, Relation::LastChild, QStringLiteral("1400050041424300_2"), QString());
    tree.add(block, Relation::LastChild, QStringLiteral("0000_3"), QString());
    EXPECT_TRUE(holdsNestedList(tree, block));
    EXPECT_EQ(nestedLength(tree, block), 10);
    EXPECT_EQ(ownByteLength(tree, block), 4);
    EXPECT_EQ(branchByteLength(tree, block), 14);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree));
    EXPECT_FALSE(holdsNestedList(tree, sec.headEnd));  // holds the body, but has no word
    EXPECT_FALSE(holdsNestedList(tree, sec.section));
}

// The checker itself must catch a wrong word, a missing end node and a
// non-block holding a list.
TEST(NestedLengthChecker, FindsTheFaultsItIsFor)
{
    DocTree tree;
    const NodeId scene = fixtures::addScenarioRoot(tree);
    const auto sec = fixtures::addSection(tree, scene, 0);
    const NodeId block = tree.add(sec.bodyEnd, Relation::Before, QStringLiteral("6E000400000000000300_1"), QString());
    const NodeId end = tree.add(block, Relation::LastChild, QStringLiteral("0000_2"), QString());
    EXPECT_EQ(fixtures::nestedLengthProblems(tree).size(), 1);  // word 3, list 2
    tree.setKey(block, QStringLiteral("6E000400000000000200_1"));
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree));
    tree.setKey(end, QStringLiteral("0A00_2"));
    EXPECT_FALSE(fixtures::nestedLengthsConsistent(tree));  // no end node
    tree.setKey(end, QStringLiteral("0000_2"));
    tree.setKey(block, QStringLiteral("1400040000000000" "0200_1"));
    EXPECT_FALSE(fixtures::nestedLengthsConsistent(tree));  // not a block code
}

} // namespace
