#pragma once
// Small queries on the scenario tree: the structural nodes by their text, a
// command node's code from its caption, and the search walk that find, the
// map views and the text dialogs use.
#include "core/doc_tree.h"

#include <QString>

namespace core {

// Exact, case-sensitive comparisons with the structural node texts.
bool isScene(const QString &nodeText);
bool isSection(const QString &nodeText);

// The command code written in hex by the first two characters of a command
// node's caption ("4 : 문의시험" gives 4, "4B : ..." gives 0x4B); -1 when the
// text does not start with a code (the root, a Scene or a Section).
int nodeNumber(const QString &nodeText);
int nodeNumber(const DocTree &tree, NodeId node);

// How MenuFind matches: options 0..2 by code, 3 and above by text.
constexpr int kFindByTextOption = 3;

// Walks the tree in display order (backward when upFind) from `node`, testing
// `node` itself first, to the next command node whose code is findNum
// (findOption <= 2) or whose caption contains strFind (findOption >= 3,
// case-sensitive). The root (key "Path"), Scene and Section nodes are never
// matched. Returns true with `node` on the match; false with `node` where the
// walk ended: the root for a forward walk (and for a backward walk that
// started on or reached the root), the first Scene for a backward walk.
bool menuFind(const DocTree &tree, NodeId &node, int findOption, int findNum, const QString &strFind,
              bool upFind);

} // namespace core
