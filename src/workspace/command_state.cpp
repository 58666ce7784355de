#include "workspace/command_state.h"

#include "core/edit_units.h"
#include "core/key_codec.h"
#include "core/structure_edits.h"
#include "core/tree_queries.h"
#include "workspace/edit_dispatch.h"

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

// The broad rule of each kind before the engines narrow it.
CommandState kindRule(NodeKind kind)
{
    CommandState s;
    switch (kind) {
    case NodeKind::None:
    case NodeKind::Root:
        break;
    case NodeKind::LockedComment:
        s.edit = true;
        break;
    case NodeKind::SceneOrSection:
        s.add = s.remove = s.copy = s.cut = s.paste = s.moveUp = s.moveDown = true;
        break;
    case NodeKind::Marker:
        s.edit = s.add = s.addChild = s.remove = s.paste = s.moveUp = s.moveDown = true;
        break;
    case NodeKind::EndNode:
        s.edit = s.add = s.addChild = s.paste = true;
        break;
    case NodeKind::BlockWithList:
        s.edit = s.remove = s.copy = s.cut = s.moveUp = s.moveDown = true;
        break;
    case NodeKind::Command:
        s.edit = s.add = s.addChild = s.remove = s.copy = s.cut = s.paste = s.moveUp = s.moveDown = true;
        break;
    }
    return s;
}

} // namespace

CommandState ToolState(const CommandStateInput &in)
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
    s.spread = s.fold = true;

    const CommandState rule = kindRule(nodeKindOf(tree, n));
    s.edit = rule.edit && canOpenEditor(tree, n);
    s.add = rule.add && core::canAdd(tree, n);
    s.addChild = rule.addChild && core::canAddChild(tree, n);
    s.remove = rule.remove && core::canDelete(tree, n);
    s.copy = rule.copy && core::canCopy(tree, n);
    s.cut = rule.cut && s.copy && s.remove;
    s.paste = rule.paste && in.clipboard && in.multiKeys.isEmpty() && core::canPaste(tree, *in.clipboard, n);
    s.moveUp = rule.moveUp && core::canMoveUp(tree, n);
    s.moveDown = rule.moveDown && core::canMoveDown(tree, n);
    return s;
}

std::span<const CommandItem> CommandItems()
{
    static const CommandItem items[] = {
        {"mnuEditnodes", &CommandState::edit},   {"mnuaddnodes", &CommandState::add},
        {"mnuchildnodes", &CommandState::addChild}, {"mnuDelete", &CommandState::remove},
        {"mnuCopy", &CommandState::copy},        {"mnuCut", &CommandState::cut},
        {"mnupaste", &CommandState::paste},      {"mnuUpmove", &CommandState::moveUp},
        {"mnuDownmove", &CommandState::moveDown}, {"mnuHistoryCancle", &CommandState::undo},
        {"mnuAgain", &CommandState::redo},       {"mnuSpread", &CommandState::spread},
        {"mnuFold", &CommandState::fold},
    };
    return items;
}

} // namespace workspace
