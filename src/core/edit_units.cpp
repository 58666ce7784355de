#include "core/edit_units.h"

#include "core/eex_layout.h"
#include "core/key_codec.h"
#include "core/key_edit.h"

#include <QSet>
#include <QStringList>

#include <algorithm>

namespace core {

bool isRootNode(const DocTree &tree, NodeId n) { return n != kNoNode && n == tree.root(); }

bool isSceneNode(const DocTree &tree, NodeId n)
{
    return tree.isValid(n) && !isRootNode(tree, n) && tree.key(n).startsWith(u"Scene_");
}

bool isSectionNode(const DocTree &tree, NodeId n) { return tree.isValid(n) && tree.key(n).startsWith(u"Section_"); }

bool isStructuralNode(const DocTree &tree, NodeId n)
{
    return isRootNode(tree, n) || isSceneNode(tree, n) || isSectionNode(tree, n);
}

bool isCommandNode(const DocTree &tree, NodeId n)
{
    return tree.isValid(n) && !isStructuralNode(tree, n) && keyCode(tree.key(n)) >= 0;
}

bool isLockedComment(const DocTree &tree, NodeId n)
{
    return isCommandNode(tree, n) && keyCode(tree.key(n)) == kCommentCode
        && tree.key(n).contains(kLockedCommentMarker);
}

bool isEndNode(const DocTree &tree, NodeId n) { return isCommandNode(tree, n) && keyCode(tree.key(n)) == kEndCode; }

bool isMarkerNode(const DocTree &tree, NodeId n)
{
    return isCommandNode(tree, n) && keyCode(tree.key(n)) == kMarkerCode;
}

bool isHeadListNode(const DocTree &tree, NodeId n) { return isSectionNode(tree, tree.parent(n)); }

bool isChildEventBlock(const DocTree &tree, NodeId n)
{
    return isCommandNode(tree, n) && holdsNestedList(tree, n) && isMarkerNode(tree, tree.previous(n));
}

EditUnit unitOf(const DocTree &tree, NodeId n)
{
    if (!tree.isValid(n))
        return {};
    if (isChildEventBlock(tree, n))
        return {tree.previous(n), n};
    if (isMarkerNode(tree, n) && isChildEventBlock(tree, tree.next(n)))
        return {n, tree.next(n)};
    return {n, n};
}

std::vector<NodeId> unitNodes(const DocTree &tree, const EditUnit &unit)
{
    std::vector<NodeId> nodes;
    if (!unit.isValid())
        return nodes;
    for (NodeId n = unit.first; n != kNoNode; n = tree.next(n)) {
        nodes.push_back(n);
        if (n == unit.last)
            break;
    }
    return nodes;
}

EditUnit previousUnit(const DocTree &tree, const EditUnit &unit)
{
    return unit.isValid() ? unitOf(tree, tree.previous(unit.first)) : EditUnit{};
}

EditUnit nextUnit(const DocTree &tree, const EditUnit &unit)
{
    return unit.isValid() ? unitOf(tree, tree.next(unit.last)) : EditUnit{};
}

int unitByteLength(const DocTree &tree, const EditUnit &unit)
{
    int total = 0;
    for (NodeId n : unitNodes(tree, unit))
        total += branchByteLength(tree, n);
    return total;
}

NodeId enclosingSection(const DocTree &tree, NodeId n)
{
    for (NodeId a = n; a != kNoNode; a = tree.parent(a))
        if (isSectionNode(tree, a))
            return a;
    return kNoNode;
}

int sectionByteLength(const DocTree &tree, NodeId section)
{
    int total = 2;  // the body list's length word
    for (int r = 0; r < tree.childCount(section); ++r)
        total += branchByteLength(tree, tree.child(section, r));
    return total;
}

bool sectionCanGrow(const DocTree &tree, NodeId n, int extra)
{
    const NodeId section = enclosingSection(tree, n);
    return section == kNoNode || sectionByteLength(tree, section) + extra <= kMaxSectionBytes;
}

std::vector<EditUnit> selectedUnits(const DocTree &tree, NodeId selected, const QStringList &multiKeys)
{
    std::vector<NodeId> picked;
    if (multiKeys.isEmpty()) {
        if (tree.isValid(selected))
            picked.push_back(selected);
    } else {
        for (const QString &key : multiKeys)
            if (!key.isEmpty() && tree.contains(key))
                picked.push_back(tree.find(key));
    }
    std::vector<EditUnit> units;
    QSet<NodeId> inUnits;
    for (NodeId n : picked) {
        const EditUnit u = unitOf(tree, n);
        if (std::find(units.begin(), units.end(), u) != units.end())
            continue;
        units.push_back(u);
        for (NodeId m : unitNodes(tree, u))
            inUnits.insert(m);
    }
    // Only the top-most: a node inside a selected branch goes with that branch.
    std::vector<EditUnit> top;
    for (const EditUnit &u : units) {
        bool inner = false;
        for (NodeId a = tree.parent(u.first); a != kNoNode && !inner; a = tree.parent(a))
            inner = inUnits.contains(a);
        if (!inner)
            top.push_back(u);
    }
    return top;
}

namespace {

std::vector<int> pathOf(const DocTree &tree, NodeId n)
{
    std::vector<int> path;
    for (NodeId a = n; a != kNoNode; a = tree.parent(a))
        path.push_back(tree.row(a));
    std::reverse(path.begin(), path.end());
    return path;
}

} // namespace

std::vector<EditUnit> unitsInTreeOrder(const DocTree &tree, std::vector<EditUnit> units)
{
    std::vector<std::pair<std::vector<int>, EditUnit>> keyed;
    keyed.reserve(units.size());
    for (const EditUnit &u : units)
        keyed.emplace_back(pathOf(tree, u.first), u);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<EditUnit> out;
    out.reserve(keyed.size());
    for (auto &k : keyed)
        out.push_back(k.second);
    return out;
}

} // namespace core

namespace core {

bool moveRunTo(DocTree &tree, const std::vector<NodeId> &run, int targetRow)
{
    if (run.empty() || !tree.isValid(run.front()))
        return false;
    const NodeId parent = tree.parent(run.front());
    const int k = int(run.size());
    const int current = tree.row(run.front());
    if (targetRow < 0 || targetRow + k > tree.childCount(parent))
        return false;
    if (targetRow == current)
        return true;
    if (targetRow < current) {
        const NodeId anchor = tree.child(parent, targetRow);
        for (NodeId n : run)
            if (!tree.move(n, anchor, Relation::Before))
                return false;
        return true;
    }
    NodeId anchor = tree.child(parent, targetRow - 1 + k);
    for (NodeId n : run) {
        if (!tree.move(n, anchor, Relation::After))
            return false;
        anchor = n;
    }
    return true;
}

} // namespace core
