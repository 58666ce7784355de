#pragma once
// Which commands of a document are new: added in this session by an add
// dialog or a quick-add key and not yet confirmed in their own dialog. A
// dialog may give such a command the values it shows, as nothing stored can
// be lost there (a new duel appearance takes the stand "無" for its FFFF).
// Whether a command is new is known only from how its node came to be, never
// from its key: a command read from a file, pasted, restored by undo or redo
// is stored, whatever bytes it holds.
//
// A node counts as new while it keeps the serial its add gave it, so a node
// of a tree read afresh, which may get the same number, is never taken for
// it. Its first OK makes it a stored command like any other.
#include "core/doc_tree.h"

#include <QString>

#include <unordered_map>

namespace workspace {

class NewCommands
{
public:
    // The command node an add has just made.
    void add(const core::DocTree &tree, core::NodeId node);
    bool contains(const core::DocTree &tree, core::NodeId node) const;
    // Its dialog was confirmed: from now on it is a stored command.
    void settle(core::NodeId node);

private:
    std::unordered_map<core::NodeId, QString> m_serials;  // node -> its key's "_" and serial
};

} // namespace workspace
