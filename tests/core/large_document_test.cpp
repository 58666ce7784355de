// What keeps large scenarios cheap: searches and replacements read the
// commands they do not change from the stored bytes, without making (and
// keeping) their keys and captions; the key index finds keys that were never
// made; and the walks report progress and stop when asked.
#include "core/edit_history_test_doc.h"
#include "core/find_replace.h"
#include "core/tree_queries.h"
#include "core/undo_redo.h"
#include "fixtures/scenario_generator.h"

#include <gtest/gtest.h>

#include <set>

using namespace core;
using edit_test::Doc;

namespace {

QByteArray generated(std::uint64_t seed)
{
    fixtures::GeneratorOptions opt;
    opt.targetBytes = 100 * 1024;
    opt.armyTables = false;
    fixtures::ScenarioGenerator gen(seed, opt);
    return fixtures::scenarioBytes(gen.scenario());
}

std::vector<NodeId> allNodes(const DocTree &tree)
{
    std::vector<NodeId> out;
    for (NodeId n = tree.root(); n != kNoNode; n = tree.nextInOrder(n))
        out.push_back(n);
    return out;
}

std::set<NodeId> pendingNodes(const DocTree &tree)
{
    std::set<NodeId> out;
    for (NodeId n : allNodes(tree))
        if (!tree.pendingRecord(n).isEmpty())
            out.insert(n);
    return out;
}

QStringList keysInOrder(const DocTree &tree)
{
    QStringList keys;
    for (NodeId n : allNodes(tree))
        keys << tree.key(n);
    return keys;
}

// Every match of a query from the first Scene on, as repeated finds give them.
std::vector<NodeId> everyMatch(const DocTree &tree, const FindQuery &q)
{
    std::vector<NodeId> out;
    for (NodeId n = findFrom(tree, findStartOfTree(tree), q); n != kNoNode;
         n = findFrom(tree, findStartAfter(tree, n), q))
        out.push_back(n);
    return out;
}

std::vector<NodeId> everyMenuFind(const DocTree &tree, const FindQuery &q)
{
    std::vector<NodeId> out;
    NodeId n = findStartOfTree(tree);
    while (n != kNoNode && menuFind(tree, n, int(q.mode), q.code, q.text, false)) {
        out.push_back(n);
        n = findStartAfter(tree, n);
    }
    return out;
}

TEST(LargeDocument, FindGivesMenuFindsMatchesWithoutKeepingKeysOrCaptions)
{
    const QByteArray bytes = generated(7);
    const std::vector<FindQuery> queries{
        {FindMode::ByText, 0, QStringLiteral("a")},     {FindMode::ByText, 0, QStringLiteral("대화")},
        {FindMode::ByText, 0, QStringLiteral("@@@@")},  {FindMode::ByText, 0, QString()},
        {FindMode::ByList, 0x14, QString()},            {FindMode::ByNumber, 0x02, QString()},
        {FindMode::ByNumber, 0x00, QString()},
    };
    for (const FindQuery &q : queries) {
        Doc ours(bytes), reference(bytes);
        const std::set<NodeId> pendingBefore = pendingNodes(ours.tree);
        ASSERT_GT(pendingBefore.size(), 1000u);
        const std::vector<NodeId> found = everyMatch(ours.tree, q);
        EXPECT_EQ(found, everyMenuFind(reference.tree, q)) << q.text.toStdString() << " " << q.code;
        EXPECT_EQ(pendingNodes(ours.tree), pendingBefore) << q.text.toStdString() << " " << q.code;
    }
}

TEST(LargeDocument, FindReportsProgressAndStopsWhenAsked)
{
    Doc d(generated(3));
    const FindQuery absent{FindMode::ByText, 0, QStringLiteral("@@@@")};
    std::vector<std::int64_t> reports;
    bool cancelled = true;
    EXPECT_EQ(findFrom(d.tree, findStartOfTree(d.tree), absent,
                       [&](std::int64_t done, std::int64_t total) {
                           EXPECT_EQ(total, d.tree.count());
                           reports.push_back(done);
                           return true;
                       },
                       &cancelled),
              kNoNode);
    EXPECT_FALSE(cancelled);
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports.front(), 0);
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));

    // Stopped after the first report: nothing found, the stop reported.
    int calls = 0;
    const FindQuery anyCommand{FindMode::ByText, 0, QString()};
    EXPECT_EQ(findFrom(d.tree, findStartOfTree(d.tree), absent, [&](auto, auto) { return ++calls < 2; }, &cancelled),
              kNoNode);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(findFrom(d.tree, findStartOfTree(d.tree), anyCommand, [](auto, auto) { return false; }, &cancelled),
              kNoNode);
    EXPECT_TRUE(cancelled);
}

TEST(LargeDocument, ReplaceAllMakesOnlyWhatItChangesAndUndoGivesTheFileBack)
{
    const QByteArray bytes = generated(11);
    Doc d(bytes);
    const std::set<NodeId> pendingBefore = pendingNodes(d.tree);
    std::vector<std::int64_t> reports;
    const ReplaceOutcome out = replaceAll(d.ctx, QStringLiteral(" "), QStringLiteral("_\\n"),
                                          [&](std::int64_t done, std::int64_t) {
                                              reports.push_back(done);
                                              return false;  // replace all goes on all the same
                                          });
    ASSERT_GT(out.replaced.size(), 10u);
    ASSERT_FALSE(reports.empty());
    const std::set<NodeId> replaced(out.replaced.begin(), out.replaced.end());
    std::set<NodeId> expected;
    for (NodeId n : pendingBefore)
        if (!replaced.count(n))
            expected.insert(n);
    EXPECT_EQ(pendingNodes(d.tree), expected);

    // Replace one walks the same way: only the command it rewrites gets its key made.
    Doc one(bytes);
    const std::set<NodeId> pendingInOne = pendingNodes(one.tree);
    const ReplaceOutcome first = replaceNext(one.ctx, QStringLiteral(" "), QStringLiteral("_"));
    ASSERT_EQ(first.replaced.size(), 1u);
    std::set<NodeId> stillPending = pendingInOne;
    stillPending.erase(first.replaced.front());
    EXPECT_EQ(pendingNodes(one.tree), stillPending);

    const QByteArray changed = d.bytes();
    EXPECT_NE(changed, bytes);
    ASSERT_TRUE(undo(d.ctx).ok);
    EXPECT_EQ(d.bytes(), bytes);
    Doc fresh(bytes);
    EXPECT_EQ(keysInOrder(d.tree), keysInOrder(fresh.tree));
    ASSERT_TRUE(redo(d.ctx).ok);
    EXPECT_EQ(d.bytes(), changed);
}

TEST(LargeDocument, KeysNeverMadeAreFoundByKey)
{
    const QByteArray bytes = generated(5);
    Doc ours(bytes), other(bytes);
    const std::vector<NodeId> nodes = allNodes(other.tree);
    int checked = 0;
    for (std::size_t i = 1; i < nodes.size(); i += 97) {
        const NodeId n = nodes[i];
        const bool pending = !ours.tree.pendingRecord(n).isEmpty();
        const QString key = other.tree.key(n);
        EXPECT_EQ(ours.tree.find(key), n) << key.toStdString();
        // Found from its bytes: the key was not made for the lookup.
        EXPECT_EQ(!ours.tree.pendingRecord(n).isEmpty(), pending);
        // One character more is no key of this tree.
        EXPECT_EQ(ours.tree.find(key + u'Z'), kNoNode);
        checked += pending;
    }
    EXPECT_GT(checked, 20);
    // A node removed before its key was made leaves the index, whether the
    // index was built before the removal or after it.
    NodeId gone = kNoNode;
    for (std::size_t i = nodes.size() / 2; gone == kNoNode && i < nodes.size(); ++i)
        if (!ours.tree.pendingRecord(nodes[i]).isEmpty() && ours.tree.childCount(nodes[i]) == 0)
            gone = nodes[i];
    const QString goneKey = other.tree.key(gone);
    Doc unindexed(bytes);
    for (Doc *doc : {&ours, &unindexed}) {
        ASSERT_FALSE(doc->tree.pendingRecord(gone).isEmpty());
        ASSERT_TRUE(doc->tree.remove(gone));
        EXPECT_EQ(doc->tree.find(goneKey), kNoNode);
    }
}

} // namespace
