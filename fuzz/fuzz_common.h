#pragma once
// What several fuzz targets share: a trap that libFuzzer reports, the nodes
// of a tree in display order, and name tables of made-up names so captions
// take their name-lookup paths.
#include "core/doc_tree.h"
#include "core/name_tables.h"

#include <QStringList>

#include <cstdlib>
#include <vector>

namespace fuzzing {

inline void check(bool ok)
{
    if (!ok)
        std::abort();
}

inline void collect(const core::DocTree &tree, core::NodeId n, std::vector<core::NodeId> &out)
{
    for (core::NodeId c = tree.firstChild(n); c != core::kNoNode; c = tree.next(c)) {
        out.push_back(c);
        collect(tree, c, out);
    }
}

// Every node below the root, parents before children.
inline std::vector<core::NodeId> allNodes(const core::DocTree &tree)
{
    std::vector<core::NodeId> out;
    if (tree.root() != core::kNoNode)
        collect(tree, tree.root(), out);
    return out;
}

inline core::NameTables madeUpNames()
{
    core::NameTables t;
    const auto fill = [](QStringList &list, int count, const char *prefix) {
        for (int i = 0; i < count; ++i)
            list << QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i);
    };
    fill(t.charNames, 5124, "인물");
    fill(t.itemNames, 116, "도구");
    fill(t.weaponNames, 116, "무기");
    fill(t.defenceNames, 116, "방어");
    fill(t.assistNames, 116, "보조");
    fill(t.troopNames, 80, "병종");
    return t;
}

} // namespace fuzzing
