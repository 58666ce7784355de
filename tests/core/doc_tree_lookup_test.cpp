// Finding nodes by key through long runs of adds, removals and renames:
// every live key must lead to its node and no removed or renamed-away key
// to any node, also when many keys collide in the index.
#include "core/doc_tree.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <map>

using namespace core;

namespace {

// Checks every key the tree should hold, and a sample of keys it must not.
void expectLookupsMatch(const DocTree &t, const std::map<QString, NodeId> &expected,
                        const std::vector<QString> &gone)
{
    ASSERT_EQ(t.count(), int(expected.size()));
    for (const auto &[key, id] : expected) {
        ASSERT_EQ(t.find(key), id) << key.toStdString();
        ASSERT_EQ(t.key(id), key);
    }
    for (const QString &key : gone) {
        if (!expected.count(key)) {
            ASSERT_EQ(t.find(key), kNoNode) << key.toStdString();
        }
    }
}

} // namespace

TEST(DocTreeLookup, RandomAddsRemovalsAndRenamesKeepEveryKeyFindable)
{
    for (const int keySpace : {40, 5000}) {  // few keys: many repeats and clashes; many: index growth
        DocTree t;
        std::map<QString, NodeId> expected;
        std::vector<QString> gone;
        QRandomGenerator rng(7 + keySpace);
        expected["root"] = t.addRoot("root", "doc");
        for (int step = 0; step < 6000; ++step) {
            const NodeId target = t.byIndex(1 + int(rng.bounded(t.count())));
            const QString key = QString("k%1").arg(rng.bounded(keySpace));
            const int op = int(rng.bounded(12));
            if (op >= 10) {
                // Appended the reader's way: entered in the index only when
                // a lookup, add, rename or removal next needs it.
                const QString fresh = QString("a%1").arg(step);
                const NodeId id = t.appendNew(target, fresh, 0, fresh);
                ASSERT_NE(id, kNoNode);
                expected[fresh] = id;
            } else if (op < 6) {
                const NodeId id = t.add(target, Relation::LastChild, key, key);
                EXPECT_EQ(id == kNoNode, expected.count(key) == 1);
                if (id != kNoNode)
                    expected[key] = id;
            } else if (op < 8 && target != t.root()) {
                // The subtree goes too: forget every key no longer in the tree.
                t.remove(target);
                for (auto it = expected.begin(); it != expected.end();) {
                    if (!t.isValid(it->second)) {
                        gone.push_back(it->first);
                        it = expected.erase(it);
                    } else {
                        ++it;
                    }
                }
            } else if (target != t.root()) {
                const QString old = t.key(target);
                const bool renamed = t.setKey(target, key);
                EXPECT_EQ(renamed, expected.count(key) == 0 || old == key);
                if (renamed && old != key) {
                    expected.erase(old);
                    gone.push_back(old);
                    expected[key] = target;
                }
            }
            if (step % 500 == 0)
                expectLookupsMatch(t, expected, gone);
        }
        expectLookupsMatch(t, expected, gone);
    }
}
