#include "workspace/command_state.h"

#include "core/edit_units.h"
#include "core/tree_queries.h"

namespace workspace {

using core::DocTree;
using core::NodeId;

NodeKind nodeKindOf(const DocTree &tree, NodeId node)
{
    if (!tree.isValid(node))
        return NodeKind::None;
    if (core::isLockedComment(tree, node))
        return NodeKind::LockedComment;
    if (core::isRootNode(tree, node))
        return NodeKind::Root;
    if (core::isSceneNode(tree, node) || core::isSectionNode(tree, node))
        return NodeKind::SceneOrSection;
    if (core::isMarkerNode(tree, node))
        return NodeKind::Marker;
    if (core::isEndNode(tree, node))
        return NodeKind::EndNode;
    if (tree.childCount(node) > 0)
        return NodeKind::BlockWithList;
    return NodeKind::Command;
}

namespace {

// The items each kind enables after a click. Paste here means "when the
// clipboard holds a node"; Move up and Move down always go together.
struct KindRow
{
    NodeKind kind;
    // edit add child delete copy cut paste up/down
    const char *flags;
};

constexpr KindRow kKindRows[] = {
    {NodeKind::None, "00000000"},          {NodeKind::Root, "00000000"},
    {NodeKind::LockedComment, "10000000"}, {NodeKind::SceneOrSection, "01011111"},
    {NodeKind::Marker, "11110011"},        {NodeKind::EndNode, "11100010"},
    {NodeKind::BlockWithList, "10011101"}, {NodeKind::Command, "11111111"},
};

CommandState kindRule(NodeKind kind)
{
    CommandState s;
    for (const KindRow &row : kKindRows) {
        if (row.kind != kind)
            continue;
        auto on = [&](int i) { return row.flags[i] == '1'; };
        s.edit = on(0);
        s.add = on(1);
        s.addChild = on(2);
        s.remove = on(3);
        s.copy = on(4);
        s.cut = on(5);
        s.paste = on(6);
        s.moveUp = s.moveDown = on(7);
    }
    return s;
}

} // namespace

CommandState commandStateFor(const CommandStateInput &in)
{
    CommandState s;
    if (!in.tree)
        return s;
    const DocTree &tree = *in.tree;
    const NodeId n = in.selected;
    if (in.history) {
        s.undo = in.history->canUndo();
        s.redo = in.history->canRedo();
    }
    if (!tree.isValid(n))
        return s;
    const CommandState rule = kindRule(nodeKindOf(tree, n));
    s.edit = rule.edit;
    s.add = rule.add;
    s.addChild = rule.addChild;
    s.remove = rule.remove;
    s.copy = rule.copy;
    s.cut = rule.cut;
    s.paste = rule.paste && in.clipboard && !in.clipboard->isEmpty() && in.multiKeys.isEmpty();
    s.moveUp = rule.moveUp;
    s.moveDown = rule.moveDown;
    s.spread = s.fold = true;
    return s;
}

std::span<const CommandItem> commandItems()
{
    static const CommandItem items[] = {
        {&Actions::editNode, &CommandState::edit},   {&Actions::addNode, &CommandState::add},
        {&Actions::addChildNode, &CommandState::addChild}, {&Actions::deleteNodes, &CommandState::remove},
        {&Actions::copy, &CommandState::copy},        {&Actions::cut, &CommandState::cut},
        {&Actions::paste, &CommandState::paste},      {&Actions::moveUp, &CommandState::moveUp},
        {&Actions::moveDown, &CommandState::moveDown}, {&Actions::undo, &CommandState::undo},
        {&Actions::redo, &CommandState::redo},       {&Actions::expand, &CommandState::spread},
        {&Actions::collapse, &CommandState::fold},
    };
    return items;
}

} // namespace workspace
