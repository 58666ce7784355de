#pragma once
// The document of an open scenario: a tree of keyed nodes. Every node carries a
// key that is unique in its tree (for command nodes, the command's bytes as
// hex text plus a suffix), a caption text, optional colours and an expanded
// flag. The reader, writer, edits, clipboard, undo and find all work on this
// class; the item model of the workspace is only a view over it.
#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QString>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace core {

using NodeId = std::int32_t;          // stable for the life of the node; 0 = none
constexpr NodeId kNoNode = 0;

// How a new node is placed against an existing one.
enum class Relation : int { After = 2, Before = 3, LastChild = 4 };

// Receives every structural change, before and after, with the parent and row
// involved, so that a view can mirror the tree without a second copy.
class DocTreeObserver
{
public:
    virtual ~DocTreeObserver() = default;
    virtual void beginInsert(NodeId parent, int row) = 0;
    virtual void endInsert() = 0;
    virtual void beginRemove(NodeId parent, int row) = 0;
    virtual void endRemove() = 0;
    // Moving one node (with its subtree) from (oldParent, oldRow) so that it
    // ends up before the node now at (newParent, newRow) - Qt's convention.
    virtual void beginMove(NodeId oldParent, int oldRow, NodeId newParent, int newRow) = 0;
    virtual void endMove() = 0;
    virtual void nodeChanged(NodeId node) = 0;
    virtual void beginReset() = 0;
    virtual void endReset() = 0;
    // Around a run of many changes (replace all, undo of a step): between the
    // two, node changes may be reported once at the end instead of one by one.
    virtual void beginBatch() {}
    virtual void endBatch() {}
};

// Makes a node's caption from its key when the caption is first asked for.
// A loaded file holds far more nodes than anyone looks at, so the reader
// leaves captions to be made on demand; the source keeps what the captions
// are made from (name tables, settings) as they were at load time.
class CaptionSource
{
public:
    virtual ~CaptionSource() = default;
    // `kind` is the number the node was added with (never 0).
    virtual QString caption(const QString &key, int kind) const = 0;
};

class DocTree
{
public:
    DocTree();
    DocTree(const DocTree &) = delete;
    DocTree &operator=(const DocTree &) = delete;
    DocTree(DocTree &&) noexcept;
    DocTree &operator=(DocTree &&) noexcept;
    ~DocTree();

    // --- building -----------------------------------------------------------
    // Adds the root (only when the tree is empty). Returns kNoNode on failure.
    NodeId addRoot(const QString &key, const QString &text);
    // Adds a node placed against `relative`. Fails (kNoNode, tree unchanged)
    // when the key is already held, the relative does not exist, or a sibling
    // of the root is asked for.
    NodeId add(NodeId relative, Relation relation, const QString &key, const QString &text);
    // Building front to back, as the reader does: appends a last child whose
    // key the caller guarantees is held by no other node, so that the key is
    // only entered in the key index when a lookup first needs it. With
    // `captionKind` > 0 the caption is made by the caption source from the
    // key when first read; with 0 it is `text`.
    NodeId appendNew(NodeId parent, QString key, int captionKind, const QString &text = QString());
    // Renames a node the way setKey does, for a caller that guarantees the new
    // key is held by no other node (the reader rewriting a key it made). A
    // caption still to be made is then made from the new key with
    // `captionKind`, which must give the caption the old key would have.
    void rekeyNew(NodeId n, QString key, int captionKind);
    // Like appendNew, for a command read from a file: its key is the hex text
    // of `length` bytes at `offset` of the record image, "_" and `serial`,
    // made when first asked for. The caller guarantees the serial is held by
    // no other key of the tree.
    NodeId appendRecord(NodeId parent, qsizetype offset, int length, std::uint64_t serial, int captionKind);
    // The bytes that keys of appendRecord are made from; shared, not copied.
    // Moves with the content (swapContent).
    void setRecordImage(const QByteArray &image) { m_recordImage = image; }
    // The source of captions made on demand; set before nodes that use it
    // are read. Moves with the content (swapContent).
    void setCaptionSource(std::shared_ptr<const CaptionSource> source) { m_captions = std::move(source); }
    // Removes the node and its whole subtree. False when the node is unknown.
    bool remove(NodeId node);
    // Moves the node with its subtree to a place against `relative`. Fails when
    // the target lies inside the moved subtree or is the node itself.
    bool move(NodeId node, NodeId relative, Relation relation);
    void clear();
    // Replaces this tree's content with another's (used to swap in a freshly
    // read document only after the whole read succeeded).
    void swapContent(DocTree &other);

    // --- queries ------------------------------------------------------------
    int count() const { return m_liveCount; }
    bool isValid(NodeId node) const;
    NodeId root() const { return m_root; }
    NodeId find(const QString &key) const;
    bool contains(const QString &key) const { return find(key) != kNoNode; }
    // 1-based index in order of addition; index 1 is the root. Removals close
    // the gaps, like the tree control the editor was first written for.
    NodeId byIndex(int index) const;
    int indexOf(NodeId node) const;

    NodeId parent(NodeId n) const { return ok(n) ? at(n).parent : kNoNode; }
    int childCount(NodeId n) const { return ok(n) ? int(at(n).children.size()) : 0; }
    NodeId child(NodeId n, int row) const;
    NodeId firstChild(NodeId n) const;
    NodeId lastChild(NodeId n) const;
    NodeId next(NodeId n) const;      // next sibling
    NodeId previous(NodeId n) const;  // previous sibling
    NodeId firstSibling(NodeId n) const;
    NodeId lastSibling(NodeId n) const;
    int row(NodeId n) const { return ok(n) ? at(n).row : -1; }
    // Depth below the root (root = 0).
    int depth(NodeId n) const;
    bool isAncestor(NodeId ancestor, NodeId n) const;
    // Pre-order (display order) walk over the whole tree.
    NodeId nextInOrder(NodeId n) const;
    NodeId previousInOrder(NodeId n) const;

    // --- node data ----------------------------------------------------------
    const QString &key(NodeId n) const;
    const QString &text(NodeId n) const;
    // The caption as text() gives it, without keeping a caption (or key) that
    // is still to be made: a search over every node then leaves the tree as
    // small as it was.
    QString textPreview(NodeId n) const;
    // The record bytes a key still to be made is made from (its hex text
    // before "_"); empty once the key is made or set.
    QByteArrayView pendingRecord(NodeId n) const;
    QColor textColor(NodeId n) const;        // invalid = the view's default
    QColor backColor(NodeId n) const;
    // The flag the view shows; changing it is not a change of the node's
    // data, so observers are not told (the view applies it itself).
    bool expanded(NodeId n) const { return ok(n) && at(n).expanded; }

    // Renaming to a key held by another node fails and changes nothing.
    bool setKey(NodeId n, const QString &key);
    void setText(NodeId n, const QString &text);
    void setTextColor(NodeId n, const QColor &c);
    void setBackColor(NodeId n, const QColor &c);
    void setExpanded(NodeId n, bool expanded);

    NodeId selected() const { return ok(m_selected) ? m_selected : kNoNode; }
    void setSelected(NodeId n) { m_selected = ok(n) ? n : kNoNode; }

    // Groups the changes made while it lives into one batch for the observer.
    class Batch
    {
    public:
        explicit Batch(const DocTree &tree) : m_observer(tree.m_observer)
        {
            if (m_observer)
                m_observer->beginBatch();
        }
        ~Batch()
        {
            if (m_observer)
                m_observer->endBatch();
        }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        DocTreeObserver *m_observer;
    };

    void setObserver(DocTreeObserver *observer) { m_observer = observer; }
    DocTreeObserver *observer() const { return m_observer; }

private:
    // 112 bytes a node (with x86-64 and Qt 6); keys and captions still to be
    // made take nothing more.
    struct Node {
        mutable QString key;         // made on first reading when keyLength > 0
        mutable QString text;        // made on first reading when captionKind > 0
        std::vector<NodeId> children;
        std::uint64_t keySerial = 0;
        NodeId parent = kNoNode;
        int row = 0;
        std::uint32_t keyOffset = 0;
        mutable std::int32_t keyLength = 0;
        QRgb textColor = 0;          // colours as ARGB, valid when their flag is set
        QRgb backColor = 0;
        mutable std::uint8_t captionKind = 0;
        bool hasTextColor = false;
        bool hasBackColor = false;
        bool expanded = false;
        bool alive = false;
    };

    // Nodes live in blocks that double in size and never move: a growing tree
    // neither copies its nodes nor holds two copies of them while it grows.
    class NodeStore
    {
    public:
        NodeStore() = default;
        NodeStore(const NodeStore &) = delete;
        NodeStore &operator=(const NodeStore &) = delete;
        ~NodeStore() { clear(); }

        std::size_t size() const { return m_size; }
        Node &operator[](std::size_t i) { return m_blocks[block(i)][i - blockStart(block(i))]; }
        const Node &operator[](std::size_t i) const { return m_blocks[block(i)][i - blockStart(block(i))]; }
        Node &push(Node &&node);
        void clear();
        void swap(NodeStore &other) noexcept;

    private:
        // Blocks double from 64 nodes up to 4,096 and then stay at that size:
        // a small tree stays small, and a large one never asks for one huge
        // piece of memory, which the allocator would map afresh (and the
        // system fault in page by page) on every load instead of reusing.
        static constexpr std::size_t kFirstBlock = 64;
        static constexpr std::size_t kGrowingBlocks = 7;  // 64 << 6 = 4,096 nodes
        static constexpr std::size_t kLargestBlock = kFirstBlock << (kGrowingBlocks - 1);
        static constexpr std::size_t kGrowingNodes = kFirstBlock * ((std::size_t(1) << kGrowingBlocks) - 1);
        static std::size_t block(std::size_t i)
        {
            if (i < kGrowingNodes)
                return std::size_t(std::bit_width(i / kFirstBlock + 1)) - 1;
            return kGrowingBlocks + (i - kGrowingNodes) / kLargestBlock;
        }
        static std::size_t blockStart(std::size_t b)
        {
            if (b < kGrowingBlocks)
                return kFirstBlock * ((std::size_t(1) << b) - 1);
            return kGrowingNodes + (b - kGrowingBlocks) * kLargestBlock;
        }
        static std::size_t blockSize(std::size_t b) { return b < kGrowingBlocks ? kFirstBlock << b : kLargestBlock; }

        std::vector<Node *> m_blocks;  // raw storage; nodes below m_size are constructed
        std::size_t m_size = 0;
    };

    // Node ids by key: open addressing over (hash, id) pairs, so that a
    // lookup compares keys only on a full hash match and growing moves eight
    // bytes a node without touching the keys.
    class KeyIndex
    {
    public:
        NodeId find(const QString &key, std::uint32_t hash, const DocTree &tree) const;
        // Enters a key known to be absent.
        void insert(std::uint32_t hash, NodeId id);
        void remove(std::uint32_t hash, NodeId id);
        void clear();
        void swap(KeyIndex &other) noexcept;

    private:
        struct Slot {
            std::uint32_t hash = 0;
            NodeId id = kNoNode;  // kNoNode: empty
        };
        void grow();

        std::vector<Slot> m_slots;  // a power of two in size, at most three quarters full
        std::size_t m_count = 0;
    };
    // A hash of the key's characters; the same for a key still to be made,
    // hashed from its record bytes and serial without making it.
    static std::uint32_t keyHash(QStringView key);
    std::uint32_t nodeKeyHash(const Node &node) const;
    bool nodeKeyEquals(const Node &node, const QString &key) const;

    bool ok(NodeId n) const { return n > 0 && std::size_t(n) <= m_nodes.size() && m_nodes[std::size_t(n) - 1].alive; }
    Node &at(NodeId n) { return m_nodes[std::size_t(n) - 1]; }
    const Node &at(NodeId n) const { return m_nodes[std::size_t(n) - 1]; }
    // Stores a new node; the caller enters its key in the index.
    NodeId newNode(const QString &key, const QString &text, NodeId parent);
    void renumber(NodeId parent, int fromRow);
    void killSubtree(NodeId n);
    void rebuildOrderIndex() const;
    bool placement(NodeId relative, Relation relation, NodeId &parent, int &row) const;

    // Enters the keys of nodes appended by appendNew in the index.
    void indexPending() const;
    // Makes the caption of a node whose caption is still to be made.
    void makeCaption(const Node &node) const;
    // The node's key, made first when it is still to be made.
    const QString &keyOf(const Node &node) const;

    NodeStore m_nodes;
    mutable KeyIndex m_byKey;
    mutable std::size_t m_indexed = 0;  // nodes [0, m_indexed) are in m_byKey
    std::shared_ptr<const CaptionSource> m_captions;
    QByteArray m_recordImage;
    NodeId m_root = kNoNode;
    NodeId m_selected = kNoNode;
    int m_liveCount = 0;
    mutable std::vector<NodeId> m_orderIndex;  // live nodes in addition order
    mutable bool m_orderDirty = false;
    DocTreeObserver *m_observer = nullptr;
};

} // namespace core
