#pragma once
// The replay walk of the story-stage and world-map pickers: from a start
// node through the rest of its list, every nested list included, up to the
// edited node. A stop inside a nested list of a command ends only that
// nested walk (the commands after the block in the outer list still play);
// a stop under a Scene or Section ends the whole walk.
#include "core/doc_tree.h"

#include <QString>

#include <functional>

namespace pickers {

using ReplayVisitor = std::function<void(core::NodeId node, int code)>;

// Calls `visit` for every command node reached, in order. Returns true when
// the node whose key is endKey was reached.
bool replayFrom(const core::DocTree &tree, core::NodeId start, const QString &endKey, const ReplayVisitor &visit);

// Round half to even, as the pickers' entry arithmetic rounds.
qint64 roundHalfEven(double value);

} // namespace pickers
