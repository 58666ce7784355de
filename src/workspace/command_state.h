#pragma once
// Which edit commands the selected node can take: the enabled state of every
// Edit menu item and of the toolbar buttons that share them, computed from
// the tree, the selected node, the clipboard, the history and the
// multi-selection alone, so a table test can check it without a window.
//
// A node is put in one kind (tested in this order): locked comment, root,
// Scene or Section, child-event marker, end node, block with a nested list,
// other command, and the kind alone decides. Where an enabled command cannot
// act on the node (the first node of a list moving up, a child event in a
// Section's head list, a Section pasted before a command) the command itself
// refuses: silently for the moves and child events, with a message for paste.
#include "core/clipboard_ops.h"
#include "core/doc_tree.h"
#include "core/edit_history.h"
#include "workspace/actions.h"

#include <QStringList>

#include <span>

namespace workspace {

enum class NodeKind { None, LockedComment, Root, SceneOrSection, Marker, EndNode, BlockWithList, Command };

NodeKind nodeKindOf(const core::DocTree &tree, core::NodeId node);

struct CommandStateInput
{
    const core::DocTree *tree = nullptr;  // null: no document open
    core::NodeId selected = core::kNoNode;
    const core::Clipboard *clipboard = nullptr;
    const core::EditHistory *history = nullptr;
    // Keys of the multi-selection; while it holds any, Paste stays off (adding
    // a node to the selection takes Paste away).
    QStringList multiKeys;
};

struct CommandState
{
    bool edit = false;
    bool add = false;
    bool addChild = false;
    bool remove = false;
    bool copy = false;
    bool cut = false;
    bool paste = false;
    bool moveUp = false;
    bool moveDown = false;
    bool undo = false;
    bool redo = false;
    bool spread = false;
    bool fold = false;

    friend bool operator==(const CommandState &, const CommandState &) = default;
};

// refreshCommandState and ToolEnabled in one: the state after a click on `selected`.
CommandState commandStateFor(const CommandStateInput &input);

// The menu item each field drives. The toolbar buttons
// "삭제", "복사", "잘라내기" and "붙여넣기" share the actions of their items.
struct CommandItem
{
    ActionSlot action;
    bool CommandState::*field;
};
std::span<const CommandItem> commandItems();

} // namespace workspace
