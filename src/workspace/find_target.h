#pragma once
// What the find and replace windows reach of the current document. The main
// window fills it for the current tab each time a window asks; with no
// document open the provider gives nothing and both windows do nothing.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/edit_context.h"
#include "core/edit_history.h"
#include "core/key_serial.h"

#include <functional>
#include <optional>

namespace workspace {

struct FindTarget {
    core::DocTree *tree = nullptr;
    core::EditHistory *history = nullptr;
    core::KeySerial *keySerial = nullptr;
    core::CaptionContext captions;
    // Marks the tab modified.
    std::function<void()> markModified;
    // Selects the node in the view and scrolls it into sight.
    std::function<void(core::NodeId)> selectNode;
    // Optional: the history gained a step (the undo and redo items follow it).
    std::function<void()> historyChanged;

    bool canEdit() const { return tree && history && keySerial; }
    core::EditContext editContext() const { return {*tree, *keySerial, *history, captions}; }
    // Makes `node` the tree's selected node and shows it.
    void select(core::NodeId node) const
    {
        tree->setSelected(node);
        if (selectNode)
            selectNode(node);
    }
};

using FindTargetProvider = std::function<std::optional<FindTarget>()>;

} // namespace workspace
