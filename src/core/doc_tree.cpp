#include "core/doc_tree.h"

#include "core/key_serial.h"

#include <algorithm>
#include <utility>

namespace core {

namespace {
const QString kEmpty;
}

DocTree::DocTree() = default;
DocTree::~DocTree() = default;
DocTree::DocTree(DocTree &&other) noexcept { swapContent(other); }
DocTree &DocTree::operator=(DocTree &&other) noexcept
{
    if (this != &other) {
        clear();
        swapContent(other);
    }
    return *this;
}

bool DocTree::isValid(NodeId node) const { return ok(node); }

DocTree::Node &DocTree::NodeStore::push(Node &&node)
{
    const std::size_t b = block(m_size);
    if (b == m_blocks.size())
        m_blocks.push_back(static_cast<Node *>(::operator new(sizeof(Node) * blockSize(b))));
    Node *slot = new (m_blocks[b] + (m_size - blockStart(b))) Node(std::move(node));
    ++m_size;
    return *slot;
}

void DocTree::NodeStore::clear()
{
    for (std::size_t i = 0; i < m_size; ++i)
        (*this)[i].~Node();
    for (Node *b : m_blocks)
        ::operator delete(b);
    m_blocks.clear();
    m_size = 0;
}

void DocTree::NodeStore::swap(NodeStore &other) noexcept
{
    std::swap(m_blocks, other.m_blocks);
    std::swap(m_size, other.m_size);
}

namespace {

constexpr std::uint32_t kHashBasis = 2166136261u;
constexpr std::uint32_t kHashPrime = 16777619u;
constexpr char kHexDigits[] = "0123456789ABCDEF";

inline std::uint32_t hashUnit(std::uint32_t h, char16_t c) { return (h ^ c) * kHashPrime; }

// The decimal digits of a serial, most significant first; returns the count.
int serialDigits(std::uint64_t serial, char (&out)[24])
{
    char rev[24];
    int n = 0;
    do {
        rev[n++] = char('0' + serial % 10);
        serial /= 10;
    } while (serial);
    for (int i = 0; i < n; ++i)
        out[i] = rev[n - 1 - i];
    return n;
}

} // namespace

std::uint32_t DocTree::keyHash(QStringView key)
{
    std::uint32_t h = kHashBasis;
    for (QChar c : key)
        h = hashUnit(h, c.unicode());
    return h;
}

std::uint32_t DocTree::nodeKeyHash(const Node &node) const
{
    if (node.keyLength <= 0)
        return keyHash(node.key);
    // The key serialKey would make: the record's hex, "_" and the serial.
    const auto *d = reinterpret_cast<const std::uint8_t *>(m_recordImage.constData()) + node.keyOffset;
    std::uint32_t h = kHashBasis;
    for (std::int32_t i = 0; i < node.keyLength; ++i) {
        h = hashUnit(h, char16_t(kHexDigits[d[i] >> 4]));
        h = hashUnit(h, char16_t(kHexDigits[d[i] & 15]));
    }
    h = hashUnit(h, u'_');
    char digits[24];
    const int n = serialDigits(node.keySerial, digits);
    for (int i = 0; i < n; ++i)
        h = hashUnit(h, char16_t(digits[i]));
    return h;
}

bool DocTree::nodeKeyEquals(const Node &node, const QString &key) const
{
    if (node.keyLength <= 0)
        return node.key == key;
    char digits[24];
    const int n = serialDigits(node.keySerial, digits);
    const qsizetype hexLength = 2 * qsizetype(node.keyLength);
    if (key.size() != hexLength + 1 + n)
        return false;
    const auto *d = reinterpret_cast<const std::uint8_t *>(m_recordImage.constData()) + node.keyOffset;
    const QChar *k = key.constData();
    for (std::int32_t i = 0; i < node.keyLength; ++i) {
        if (k[2 * i] != QLatin1Char(kHexDigits[d[i] >> 4]) || k[2 * i + 1] != QLatin1Char(kHexDigits[d[i] & 15]))
            return false;
    }
    if (k[hexLength] != u'_')
        return false;
    for (int i = 0; i < n; ++i)
        if (k[hexLength + 1 + i] != QLatin1Char(digits[i]))
            return false;
    return true;
}

NodeId DocTree::KeyIndex::find(const QString &key, std::uint32_t hash, const DocTree &tree) const
{
    if (m_slots.empty())
        return kNoNode;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot &slot = m_slots[i];
        if (slot.id == kNoNode)
            return kNoNode;
        if (slot.hash == hash && tree.nodeKeyEquals(tree.m_nodes[std::size_t(slot.id) - 1], key))
            return slot.id;
    }
}

void DocTree::KeyIndex::insert(std::uint32_t hash, NodeId id)
{
    // At most three quarters full: short probe runs with a spread-out hash,
    // and a quarter less memory than keeping half of the slots empty.
    if (4 * (m_count + 1) > 3 * m_slots.size())
        grow();
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_slots[i].id != kNoNode)
        i = (i + 1) & mask;
    m_slots[i] = Slot{hash, id};
    ++m_count;
}

void DocTree::KeyIndex::remove(std::uint32_t hash, NodeId id)
{
    if (m_slots.empty())
        return;
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_slots[i].id != id) {
        if (m_slots[i].id == kNoNode)
            return;
        i = (i + 1) & mask;
    }
    --m_count;
    // Close the gap: move later entries of the run back unless their home
    // slot lies after the gap (then they must stay where they are).
    std::size_t j = i;
    for (;;) {
        m_slots[i] = Slot{};
        for (;;) {
            j = (j + 1) & mask;
            if (m_slots[j].id == kNoNode)
                return;
            const std::size_t home = m_slots[j].hash & mask;
            const bool staysPut = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (!staysPut)
                break;
        }
        m_slots[i] = m_slots[j];
        i = j;
    }
}

void DocTree::KeyIndex::grow()
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot &slot : old) {
        if (slot.id == kNoNode)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].id != kNoNode)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

void DocTree::KeyIndex::clear()
{
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_count = 0;
}

void DocTree::KeyIndex::swap(KeyIndex &other) noexcept
{
    std::swap(m_slots, other.m_slots);
    std::swap(m_count, other.m_count);
}

NodeId DocTree::find(const QString &key) const
{
    indexPending();
    return m_byKey.find(key, keyHash(key), *this);
}

void DocTree::indexPending() const
{
    for (; m_indexed < m_nodes.size(); ++m_indexed) {
        const Node &node = m_nodes[m_indexed];
        // Keys still to be made are hashed from their bytes, not made.
        if (node.alive)
            m_byKey.insert(nodeKeyHash(node), NodeId(m_indexed + 1));
    }
}

void DocTree::makeCaption(const Node &node) const
{
    const int kind = node.captionKind;
    node.captionKind = 0;
    if (m_captions)
        node.text = m_captions->caption(keyOf(node), kind);
}

const QString &DocTree::keyOf(const Node &node) const
{
    if (node.keyLength > 0) {
        static const char digits[] = "0123456789ABCDEF";
        const qsizetype bytes = node.keyLength;
        const auto *d = reinterpret_cast<const std::uint8_t *>(m_recordImage.constData()) + node.keyOffset;
        QString hex(2 * bytes, Qt::Uninitialized);
        QChar *p = hex.data();
        for (qsizetype i = 0; i < bytes; ++i) {
            *p++ = QLatin1Char(digits[d[i] >> 4]);
            *p++ = QLatin1Char(digits[d[i] & 15]);
        }
        // Made in place of the bytes: the same characters nodeKeyHash hashed.
        node.key = serialKey(hex, {}, node.keySerial);
        node.keyLength = 0;
    }
    return node.key;
}

NodeId DocTree::appendRecord(NodeId parent, qsizetype offset, int length, std::uint64_t serial, int captionKind)
{
    // A record outside the image cannot be made into a key later.
    if (length <= 0 || offset < 0 || offset + length > m_recordImage.size())
        return kNoNode;
    const NodeId id = appendNew(parent, QString(), captionKind);
    if (id != kNoNode) {
        Node &node = at(id);
        node.keyOffset = std::uint32_t(offset);
        node.keyLength = length;
        node.keySerial = serial;
    }
    return id;
}

NodeId DocTree::appendNew(NodeId parent, QString key, int captionKind, const QString &text)
{
    if (!ok(parent))
        return kNoNode;
    const int row = int(at(parent).children.size());
    if (m_observer)
        m_observer->beginInsert(parent, row);
    Node node;
    node.key = std::move(key);
    node.text = text;
    node.parent = parent;
    node.row = row;
    node.captionKind = std::uint8_t(captionKind);
    node.alive = true;
    m_nodes.push(std::move(node));
    const NodeId id = NodeId(m_nodes.size());
    ++m_liveCount;
    // The order of addition is rebuilt when first asked for.
    m_orderDirty = true;
    at(parent).children.push_back(id);
    if (m_observer)
        m_observer->endInsert();
    return id;
}

NodeId DocTree::newNode(const QString &key, const QString &text, NodeId parent)
{
    Node node;
    node.key = key;
    node.text = text;
    node.parent = parent;
    node.alive = true;
    m_nodes.push(std::move(node));
    const NodeId id = NodeId(m_nodes.size());
    ++m_liveCount;
    if (!m_orderDirty)
        m_orderIndex.push_back(id);
    return id;
}

NodeId DocTree::addRoot(const QString &key, const QString &text)
{
    if (m_root != kNoNode || contains(key))
        return kNoNode;
    indexPending();
    if (m_observer)
        m_observer->beginInsert(kNoNode, 0);
    m_root = newNode(key, text, kNoNode);
    m_byKey.insert(keyHash(key), m_root);
    m_indexed = m_nodes.size();
    at(m_root).row = 0;
    if (m_observer)
        m_observer->endInsert();
    return m_root;
}

bool DocTree::placement(NodeId relative, Relation relation, NodeId &parent, int &row) const
{
    if (!ok(relative))
        return false;
    switch (relation) {
    case Relation::LastChild:
        parent = relative;
        row = int(at(relative).children.size());
        return true;
    case Relation::After:
    case Relation::Before:
        parent = at(relative).parent;
        if (parent == kNoNode)
            return false;  // the root has no siblings
        row = at(relative).row + (relation == Relation::After ? 1 : 0);
        return true;
    }
    return false;
}

NodeId DocTree::add(NodeId relative, Relation relation, const QString &key, const QString &text)
{
    NodeId parent = kNoNode;
    int row = 0;
    if (!placement(relative, relation, parent, row))
        return kNoNode;
    // The key is hashed once: loading a file adds every node through here.
    const std::uint32_t hash = keyHash(key);
    indexPending();
    if (m_byKey.find(key, hash, *this) != kNoNode)
        return kNoNode;
    if (m_observer)
        m_observer->beginInsert(parent, row);
    const NodeId id = newNode(key, text, parent);
    m_byKey.insert(hash, id);
    m_indexed = m_nodes.size();
    auto &children = at(parent).children;
    children.insert(children.begin() + row, id);
    renumber(parent, row);
    if (m_observer)
        m_observer->endInsert();
    return id;
}

void DocTree::renumber(NodeId parent, int fromRow)
{
    auto &children = at(parent).children;
    for (std::size_t r = std::size_t(std::max(0, fromRow)); r < children.size(); ++r)
        at(children[r]).row = int(r);
}

void DocTree::killSubtree(NodeId n)
{
    // Iterative so that deep nesting cannot overflow the stack.
    std::vector<NodeId> stack{n};
    while (!stack.empty()) {
        const NodeId cur = stack.back();
        stack.pop_back();
        Node &node = at(cur);
        for (NodeId c : node.children)
            stack.push_back(c);
        if (std::size_t(cur) <= m_indexed)
            m_byKey.remove(nodeKeyHash(node), cur);
        node.alive = false;
        node.captionKind = 0;
        node.children.clear();
        node.children.shrink_to_fit();
        node.key.clear();
        node.keyLength = 0;
        node.text.clear();
        --m_liveCount;
    }
    m_orderDirty = true;
}

bool DocTree::remove(NodeId node)
{
    if (!ok(node))
        return false;
    if (node == m_root) {
        clear();
        return true;
    }
    indexPending();
    const NodeId parent = at(node).parent;
    const int row = at(node).row;
    if (m_observer)
        m_observer->beginRemove(parent, row);
    auto &children = at(parent).children;
    children.erase(children.begin() + row);
    renumber(parent, row);
    killSubtree(node);
    if (m_selected != kNoNode && !ok(m_selected))
        m_selected = kNoNode;
    if (m_observer)
        m_observer->endRemove();
    return true;
}

bool DocTree::move(NodeId node, NodeId relative, Relation relation)
{
    if (!ok(node) || node == m_root || !ok(relative))
        return false;
    if (relative == node || isAncestor(node, relative))
        return false;
    NodeId newParent = kNoNode;
    int newRow = 0;
    if (!placement(relative, relation, newParent, newRow))
        return false;
    const NodeId oldParent = at(node).parent;
    const int oldRow = at(node).row;
    if (oldParent == newParent && (newRow == oldRow || newRow == oldRow + 1))
        return true;  // already there
    if (m_observer)
        m_observer->beginMove(oldParent, oldRow, newParent, newRow);
    auto &from = at(oldParent).children;
    from.erase(from.begin() + oldRow);
    if (oldParent == newParent && newRow > oldRow)
        --newRow;
    auto &to = at(newParent).children;
    to.insert(to.begin() + newRow, node);
    at(node).parent = newParent;
    renumber(oldParent, oldParent == newParent ? std::min(oldRow, newRow) : oldRow);
    if (oldParent != newParent)
        renumber(newParent, newRow);
    if (m_observer)
        m_observer->endMove();
    return true;
}

void DocTree::clear()
{
    if (m_observer)
        m_observer->beginReset();
    m_nodes.clear();
    m_byKey.clear();
    m_indexed = 0;
    m_recordImage.clear();
    m_root = kNoNode;
    m_selected = kNoNode;
    m_liveCount = 0;
    m_orderIndex.clear();
    m_orderDirty = false;
    if (m_observer)
        m_observer->endReset();
}

void DocTree::swapContent(DocTree &other)
{
    if (m_observer)
        m_observer->beginReset();
    if (other.m_observer)
        other.m_observer->beginReset();
    m_nodes.swap(other.m_nodes);
    m_byKey.swap(other.m_byKey);
    std::swap(m_indexed, other.m_indexed);
    std::swap(m_captions, other.m_captions);
    std::swap(m_recordImage, other.m_recordImage);
    std::swap(m_root, other.m_root);
    std::swap(m_selected, other.m_selected);
    std::swap(m_liveCount, other.m_liveCount);
    std::swap(m_orderIndex, other.m_orderIndex);
    std::swap(m_orderDirty, other.m_orderDirty);
    if (other.m_observer)
        other.m_observer->endReset();
    if (m_observer)
        m_observer->endReset();
}

void DocTree::rebuildOrderIndex() const
{
    m_orderIndex.clear();
    m_orderIndex.reserve(std::size_t(m_liveCount));
    for (std::size_t i = 0; i < m_nodes.size(); ++i)
        if (m_nodes[i].alive)
            m_orderIndex.push_back(NodeId(i + 1));
    m_orderDirty = false;
}

NodeId DocTree::byIndex(int index) const
{
    if (m_orderDirty)
        rebuildOrderIndex();
    if (index < 1 || std::size_t(index) > m_orderIndex.size())
        return kNoNode;
    return m_orderIndex[std::size_t(index) - 1];
}

int DocTree::indexOf(NodeId node) const
{
    if (!ok(node))
        return 0;
    if (m_orderDirty)
        rebuildOrderIndex();
    auto it = std::lower_bound(m_orderIndex.begin(), m_orderIndex.end(), node);
    return (it != m_orderIndex.end() && *it == node) ? int(it - m_orderIndex.begin()) + 1 : 0;
}

NodeId DocTree::child(NodeId n, int row) const
{
    if (!ok(n) || row < 0 || std::size_t(row) >= at(n).children.size())
        return kNoNode;
    return at(n).children[std::size_t(row)];
}

NodeId DocTree::firstChild(NodeId n) const { return child(n, 0); }
NodeId DocTree::lastChild(NodeId n) const { return child(n, childCount(n) - 1); }

NodeId DocTree::next(NodeId n) const
{
    if (!ok(n) || at(n).parent == kNoNode)
        return kNoNode;
    return child(at(n).parent, at(n).row + 1);
}

NodeId DocTree::previous(NodeId n) const
{
    if (!ok(n) || at(n).parent == kNoNode)
        return kNoNode;
    return child(at(n).parent, at(n).row - 1);
}

NodeId DocTree::firstSibling(NodeId n) const
{
    if (!ok(n))
        return kNoNode;
    return at(n).parent == kNoNode ? n : firstChild(at(n).parent);
}

NodeId DocTree::lastSibling(NodeId n) const
{
    if (!ok(n))
        return kNoNode;
    return at(n).parent == kNoNode ? n : lastChild(at(n).parent);
}

int DocTree::depth(NodeId n) const
{
    int d = -1;
    for (NodeId cur = n; ok(cur); cur = at(cur).parent)
        ++d;
    return d;
}

bool DocTree::isAncestor(NodeId ancestor, NodeId n) const
{
    if (!ok(ancestor) || !ok(n))
        return false;
    for (NodeId cur = at(n).parent; cur != kNoNode; cur = at(cur).parent)
        if (cur == ancestor)
            return true;
    return false;
}

NodeId DocTree::nextInOrder(NodeId n) const
{
    if (!ok(n))
        return kNoNode;
    if (!at(n).children.empty())
        return at(n).children.front();
    for (NodeId cur = n; cur != kNoNode; cur = at(cur).parent) {
        const NodeId sib = next(cur);
        if (sib != kNoNode)
            return sib;
    }
    return kNoNode;
}

NodeId DocTree::previousInOrder(NodeId n) const
{
    if (!ok(n))
        return kNoNode;
    NodeId prev = previous(n);
    if (prev == kNoNode)
        return at(n).parent;
    while (!at(prev).children.empty())
        prev = at(prev).children.back();
    return prev;
}

const QString &DocTree::key(NodeId n) const { return ok(n) ? keyOf(at(n)) : kEmpty; }
const QString &DocTree::text(NodeId n) const
{
    if (!ok(n))
        return kEmpty;
    const Node &node = at(n);
    if (node.captionKind)
        makeCaption(node);
    return node.text;
}
QColor DocTree::textColor(NodeId n) const
{
    return ok(n) && at(n).hasTextColor ? QColor::fromRgba(at(n).textColor) : QColor();
}
QColor DocTree::backColor(NodeId n) const
{
    return ok(n) && at(n).hasBackColor ? QColor::fromRgba(at(n).backColor) : QColor();
}

QString DocTree::textPreview(NodeId n) const
{
    if (!ok(n))
        return QString();
    const Node &node = at(n);
    if (!node.captionKind)
        return node.text;
    if (!m_captions)
        return QString();
    if (node.keyLength <= 0)
        return m_captions->caption(node.key, node.captionKind);
    // The key is made for the caption only, in a buffer kept between calls.
    static thread_local QString scratch;
    char digits[24];
    const int digitCount = serialDigits(node.keySerial, digits);
    const qsizetype hexLength = 2 * qsizetype(node.keyLength);
    scratch.resize(hexLength + 1 + digitCount);
    QChar *p = scratch.data();
    const auto *d = reinterpret_cast<const std::uint8_t *>(m_recordImage.constData()) + node.keyOffset;
    for (std::int32_t i = 0; i < node.keyLength; ++i) {
        *p++ = QLatin1Char(kHexDigits[d[i] >> 4]);
        *p++ = QLatin1Char(kHexDigits[d[i] & 15]);
    }
    *p++ = u'_';
    for (int i = 0; i < digitCount; ++i)
        *p++ = QLatin1Char(digits[i]);
    return m_captions->caption(scratch, node.captionKind);
}

QByteArrayView DocTree::pendingRecord(NodeId n) const
{
    if (!ok(n) || at(n).keyLength <= 0)
        return {};
    return QByteArrayView(m_recordImage.constData() + at(n).keyOffset, at(n).keyLength);
}

bool DocTree::setKey(NodeId n, const QString &key)
{
    if (!ok(n))
        return false;
    if (keyOf(at(n)) == key)
        return true;
    const std::uint32_t hash = keyHash(key);
    indexPending();
    if (m_byKey.find(key, hash, *this) != kNoNode)
        return false;
    // A caption still to be made belongs to the key it was read with.
    if (at(n).captionKind)
        makeCaption(at(n));
    m_byKey.remove(keyHash(at(n).key), n);
    at(n).key = key;
    m_byKey.insert(hash, n);
    if (m_observer)
        m_observer->nodeChanged(n);
    return true;
}

void DocTree::rekeyNew(NodeId n, QString key, int captionKind)
{
    if (!ok(n))
        return;
    Node &node = at(n);
    if (node.captionKind)
        node.captionKind = std::uint8_t(captionKind);
    if (std::size_t(n) <= m_indexed) {
        setKey(n, key);
        return;
    }
    node.key = std::move(key);
    node.keyLength = 0;
    if (m_observer)
        m_observer->nodeChanged(n);
}

void DocTree::setText(NodeId n, const QString &text)
{
    if (!ok(n))
        return;
    Node &node = at(n);
    if (node.captionKind)
        node.captionKind = 0;
    else if (node.text == text)
        return;
    node.text = text;
    if (m_observer)
        m_observer->nodeChanged(n);
}

void DocTree::setTextColor(NodeId n, const QColor &c)
{
    if (!ok(n))
        return;
    at(n).hasTextColor = c.isValid();
    at(n).textColor = c.isValid() ? c.rgba() : 0;
    if (m_observer)
        m_observer->nodeChanged(n);
}

void DocTree::setBackColor(NodeId n, const QColor &c)
{
    if (!ok(n))
        return;
    // White is the tree's own background: storing it means "default".
    const bool shown = c.isValid() && c.rgb() != qRgb(255, 255, 255);
    at(n).hasBackColor = shown;
    at(n).backColor = shown ? c.rgba() : 0;
    if (m_observer)
        m_observer->nodeChanged(n);
}

void DocTree::setExpanded(NodeId n, bool expanded)
{
    if (ok(n))
        at(n).expanded = expanded;
}

} // namespace core
