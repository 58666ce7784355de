#pragma once
// Creating command nodes in a scenario tree: the key from the command's
// default record (or a complete key from the caller) with a serial from the
// main window's counter, the caption, the place against a given node, the
// colours, and the nested lengths of the block commands around the new node.
//
// Creation never selects the node, marks the document changed or records an
// undo step; callers do what they need of that. A failed creation leaves the
// tree and the serial counter exactly as they were.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "core/key_edit.h"
#include "core/eex_layout.h"
#include "core/key_serial.h"

#include <QColor>
#include <QString>

#include <cstdint>

namespace core {

// The marker of a Section's title comment, between "_" and the serial.
inline constexpr char16_t kTitleCommentMarker[] = u"000022";

struct MenuNodeRequest {
    int code = 0;                        // 0x00..0x79
    NodeId selected = kNoNode;           // the node the new one is placed against
    QString word;                        // the text of a command with a text item
    bool sectionTitle = false;           // code 0x02: the new comment heads a Section
    Relation where = Relation::Before;   // ignored by code 0x00 (always the last child)
    std::int32_t firstNumber = 0;        // code 0x0B: the value of its first item
    QString key;                         // a complete key (serial included) instead of the default
    bool child = false;                  // handed to the caption of block commands
    QColor backColor;                    // invalid or white: the tree's default
};

enum class NodeAddError {
    None,
    BadCode,           // not 0x00..0x79 (or, for a child event, not a block command)
    BadPlacement,      // the selected node cannot take the node there
    KeyTaken,          // the caller's key is already in the tree
    NotABlock,         // an end node asked for under a node that cannot open a nested list
    LengthOutOfRange,  // an enclosing nested length would leave 2..65535
    NestedWordUnusable,  // an enclosing block's word is unreadable or its new key is taken
};

struct NodeAddResult {
    NodeId node = kNoNode;
    NodeAddError error = NodeAddError::None;
    explicit operator bool() const { return error == NodeAddError::None; }
};

// The key a new node of this request gets at the given serial (no check
// against a tree).
QString defaultNodeKey(const MenuNodeRequest &request, KeySerial serial);

// Creates one command node. On success the serial counter has advanced past
// the serial the key took; on failure nothing has changed.
NodeAddResult menuNodeAdd(DocTree &tree, KeySerial &keySerial, const MenuNodeRequest &request,
                          const CaptionContext &captions);

// Gives the block command above a just-added end node its nested-length word
// (0, the end node's own bytes follow) and grows the blocks around it by the
// word's two bytes.
KeyEditResult blockLenAppend(DocTree &tree, NodeId endNode);

// Creates a whole child event: the marker placed against `selected` by
// `where`, the block command `code` right after it (cyan) and the end node of
// its empty nested list (cyan). Returns the block command. All or nothing.
NodeAddResult childEventAdd(DocTree &tree, KeySerial &keySerial, int code, NodeId selected, Relation where,
                            const CaptionContext &captions);

} // namespace core
