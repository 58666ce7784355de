#pragma once
// A detached copy of a node with its branch, and the two primitives that put
// such copies into a tree and take runs of nodes out of it.
//
// A snapshot carries what travels with a node when it is copied, cut, moved
// away and back, or kept by an undo record: key, caption, text colour,
// expanded state and children. Background colours do not travel; a node put
// back from a snapshot shows the tree's default background.
//
// Both primitives are all or nothing: every key, every nested-length word
// around the place and the Section's byte budget are checked before the tree
// is touched, so a refusal leaves the tree and the key serial as they were.
#include "core/doc_tree.h"
#include "core/key_serial.h"

#include <QColor>
#include <QString>

#include <vector>

namespace core {

struct NodeSnapshot {
    QString key;
    QString text;
    QColor textColor;
    bool expanded = false;
    std::vector<NodeSnapshot> children;
};

// The node and its whole branch. `keepExpanded` false gives a collapsed top
// node (the branch below keeps its states).
NodeSnapshot takeSnapshot(const DocTree &tree, NodeId node, bool keepExpanded = true);
// The bytes the snapshot would take in a file.
int snapshotByteLength(const NodeSnapshot &snapshot);
// True for a snapshot of a command with its nested list (not a Scene
// or Section, which also have children).
bool isChildEventSnapshot(const NodeSnapshot &snapshot);
bool isSceneSnapshot(const NodeSnapshot &snapshot);
bool isSectionSnapshot(const NodeSnapshot &snapshot);

enum class SnapshotKeys {
    Fresh,  // every key gets the serial counter appended (the next free one when taken)
    Kept,   // keys as stored; a key already in the tree refuses the insert
};

enum class InsertError {
    None,
    BadTarget,         // the target is unknown, or the relation is not before/after
    KeyTaken,          // a kept key is already in the tree
    NestedTooLong,     // a pasted or enclosing nested list would pass 65,535 bytes
    SectionTooLong,    // the Section's length words would pass 65,535 bytes
    NestedWordUnusable,  // an enclosing block's word is unreadable or its new key taken
};

struct InsertResult {
    std::vector<NodeId> nodes;  // the top nodes inserted, in order
    InsertError error = InsertError::None;
    explicit operator bool() const { return error == InsertError::None; }
};

// Inserts the snapshots as consecutive siblings before or after `target`.
// The nested-length word of every inserted block is rebuilt from its list,
// and the blocks around the place grow by the bytes inserted.
InsertResult insertSnapshots(DocTree &tree, KeySerial &keySerial, const std::vector<NodeSnapshot> &run,
                             NodeId target, Relation where, SnapshotKeys keys);

// Removes consecutive siblings with their branches; the blocks around them
// lose their bytes. False (nothing removed) when the nodes are not one run of
// siblings or an enclosing word cannot take the change.
bool removeRun(DocTree &tree, const std::vector<NodeId> &run);

} // namespace core
