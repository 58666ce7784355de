#pragma once
// Nested-length upkeep. A block command that holds a nested list ends its
// record with a 16-bit word: the byte length of that list as the file stores
// it, end record included. Whenever bytes appear in or vanish from a nested
// list, every block command around the change must take the difference.
//
// Changes are all or nothing: every enclosing word is checked first (it must
// stay within 2..65535 and its new key must be free) and only then written,
// so a refused change leaves every key as it was.
#include "core/doc_tree.h"

#include <cstdint>
#include <optional>

namespace core {

// An empty nested list is its end record alone; the word is 16 bits.
constexpr int kMinNestedLength = 2;
constexpr int kMaxNestedLength = 65535;

enum class KeyEditStatus {
    Applied,
    NotInTree,          // the node is unknown
    LengthOutOfRange,   // an enclosing word would leave 2..65535
    DamagedWord,        // an enclosing block's key has no readable word
    KeyTaken,           // an enclosing block's new key is held by another node
};

struct KeyEditResult {
    KeyEditStatus status = KeyEditStatus::Applied;
    NodeId blocker = kNoNode;   // the enclosing block that refused
    std::int64_t wouldBe = 0;   // the nested length it would have got
    explicit operator bool() const { return status == KeyEditStatus::Applied; }
};

// True for a block command that holds a nested list (and so ends its record
// with the nested-length word).
bool holdsNestedList(const DocTree &tree, NodeId node);
// The nested-length word of such a block; nullopt for any other node or a
// word that is not four hex digits.
std::optional<int> nestedLength(const DocTree &tree, NodeId block);
// The byte length of the node's own record (nested-length word included).
int ownByteLength(const DocTree &tree, NodeId node);
// The bytes the node and its whole branch take in the file.
int branchByteLength(const DocTree &tree, NodeId node);

// Can `delta` bytes be added to every block command enclosing `node`? Callers
// that are about to change a command's length ask this first.
KeyEditResult keyEditCheck(const DocTree &tree, NodeId node, int delta);

// This command's record changed by `delta` bytes (a text or list item was
// rewritten): every block command enclosing it takes the change. The command's
// own key is not touched.
KeyEditResult keyEdit(DocTree &tree, NodeId command, int delta);

// A node bringing `bytes` bytes to the file was inserted here (call right
// after inserting it) or is about to be removed from here (call right before
// removing it, while it is still in place). `bytes` is ownByteLength for a
// lone node, branchByteLength for a node with its branch.
enum class NodeChange { Inserted, Removed };
KeyEditResult keyEditNode(DocTree &tree, NodeId node, int bytes, NodeChange change);

} // namespace core
