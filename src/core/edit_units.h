#pragma once
// What the tree edits need to know about a node before touching it: its kind
// (root, Scene, Section, locked comment, end node, child-event marker, block
// with a nested list), the unit it moves and deletes with (a child event's
// marker and its block are one unit), and the byte budget of its Section.
//
// Kinds are read from keys and codes, never from caption substrings, so a
// comment whose text happens to read like a code-0 caption is still a comment.
#include "core/doc_tree.h"

#include <QString>
#include <vector>

namespace core {

// A Section's length word and its body word are 16 bits.
constexpr int kMaxSectionBytes = 65535;

bool isRootNode(const DocTree &tree, NodeId n);
bool isSceneNode(const DocTree &tree, NodeId n);
bool isSectionNode(const DocTree &tree, NodeId n);
bool isStructuralNode(const DocTree &tree, NodeId n);  // root, Scene or Section
// The code-2 comment that heads every Section; keeps its place for good.
bool isLockedComment(const DocTree &tree, NodeId n);
// A code-0 node: a list's end node or a Section's head-end node.
bool isEndNode(const DocTree &tree, NodeId n);
bool isMarkerNode(const DocTree &tree, NodeId n);
// A command node: not structural, its key starts with a command code.
bool isCommandNode(const DocTree &tree, NodeId n);
// A node standing in a Section's head list (the head-end node included).
bool isHeadListNode(const DocTree &tree, NodeId n);

// A run of consecutive siblings that edits treat as one: a child event's
// marker with its block command, or any other node alone.
struct EditUnit {
    NodeId first = kNoNode;
    NodeId last = kNoNode;
    bool isValid() const { return first != kNoNode; }
    bool isChildEvent() const { return first != last; }
    friend bool operator==(const EditUnit &, const EditUnit &) = default;
};

EditUnit unitOf(const DocTree &tree, NodeId n);
std::vector<NodeId> unitNodes(const DocTree &tree, const EditUnit &unit);
EditUnit previousUnit(const DocTree &tree, const EditUnit &unit);
EditUnit nextUnit(const DocTree &tree, const EditUnit &unit);
// The block of a child event (the unit's second node): nothing may be put
// in front of it, or the marker would lose its block.
bool isChildEventBlock(const DocTree &tree, NodeId n);
// Bytes the unit's nodes and their branches take in the file.
int unitByteLength(const DocTree &tree, const EditUnit &unit);

// The Section a node belongs to (the node itself for a Section); kNoNode
// above Sections.
NodeId enclosingSection(const DocTree &tree, NodeId n);
// The Section's length word as the writer would compute it (head list, body
// word, body list).
int sectionByteLength(const DocTree &tree, NodeId section);
// Would `extra` more bytes next to `n` still fit its Section's 16-bit words?
bool sectionCanGrow(const DocTree &tree, NodeId n, int extra);

// The selection an edit acts on: the multi-selection's keys when there are
// any, else the selected node. Keys no longer in the tree are skipped, nodes
// inside the branch of another selected node are dropped, and a marker and
// its block count once. Units come in selection order.
std::vector<EditUnit> selectedUnits(const DocTree &tree, NodeId selected, const QStringList &multiKeys);
// The same units in display order.
std::vector<EditUnit> unitsInTreeOrder(const DocTree &tree, std::vector<EditUnit> units);

} // namespace core

namespace core {

// Moves a run of consecutive siblings within their list so that its first
// node ends at `targetRow` (a row of the list as it will be afterwards).
// The list keeps its bytes, so no nested length changes.
bool moveRunTo(DocTree &tree, const std::vector<NodeId> &run, int targetRow);

} // namespace core
