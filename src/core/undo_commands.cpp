#include "core/undo_commands.h"

#include "core/edit_units.h"
#include "core/key_codec.h"
#include "core/key_edit.h"

namespace core {

namespace {

QStringList keysOf(const DocTree &tree, std::initializer_list<NodeId> nodes)
{
    QStringList keys;
    for (NodeId n : nodes)
        keys << tree.key(n);
    return keys;
}

// True when the nodes are consecutive siblings in this order.
bool isRun(const DocTree &tree, const std::vector<NodeId> &run)
{
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (run[i] == kNoNode)
            return false;
        if (i > 0 && tree.next(run[i - 1]) != run[i])
            return false;
    }
    return !run.empty();
}

} // namespace

// How many units an undo or redo does between two reports.
constexpr std::int64_t kUnitsPerReport = 1024;

void UndoRun::advance()
{
    if (++done % kUnitsPerReport == 0 && progress)
        progress(done, total);
}

UndoRun &RecordCommand::undoRun() const
{
    static UndoRun none;
    return m_undoRun ? *m_undoRun : none;
}

RecordCommand::RecordCommand(const UndoTarget &target, RecordKind kind, QStringList parts,
                             std::vector<NodeId> focusNodes)
    : m_target(target), m_kind(kind), m_parts(std::move(parts))
{
    for (NodeId n : focusNodes)
        m_focus.push_back(refs().name(n));
    setText(m_parts.join(kRecordSeparator));
}

NodeId RecordCommand::focus() const
{
    for (NodeId name : m_focus)
        if (const NodeId n = live(name); n != kNoNode)
            return n;
    return kNoNode;
}

bool RecordCommand::putBack(const std::vector<NodeSnapshot> &nodes, const std::vector<NodeId> &names,
                            NodeId anchor, Relation where)
{
    if (anchor == kNoNode || nodes.empty())
        return false;
    KeySerial unused = 0;  // kept keys draw no serials
    const InsertResult r = insertSnapshots(tree(), unused, nodes, anchor, where, SnapshotKeys::Kept);
    if (!r)
        return false;
    std::size_t next = 0;
    for (NodeId n : r.nodes)
        refs().rebindBranch(tree(), n, names, next);
    return true;
}

// --- replace key ---------------------------------------------------------------

ReplaceKeyCommand::ReplaceKeyCommand(const UndoTarget &target, NodeId node, const QString &oldKey,
                                     const QString &oldCaption)
    : RecordCommand(target, RecordKind::Edit,
                    {target.tree->key(node), target.tree->text(node), oldKey, oldCaption}, {node})
    , m_node(refs().name(node))
    , m_oldKey(oldKey)
    , m_oldCaption(oldCaption)
    , m_newKey(target.tree->key(node))
    , m_newCaption(target.tree->text(node))
{
}

bool ReplaceKeyCommand::set(const QString &key, const QString &caption)
{
    const NodeId node = live(m_node);
    if (node == kNoNode)
        return false;
    const QString current = tree().key(node);
    if (key != current && tree().contains(key))
        return false;
    const int delta = recordLength(key) - recordLength(current);
    if (!keyEditCheck(tree(), node, delta))
        return false;
    tree().setKey(node, key);
    tree().setText(node, caption);
    keyEdit(tree(), node, delta);
    return true;
}

bool ReplaceKeyCommand::undoRecord() { return set(m_oldKey, m_oldCaption); }

bool ReplaceKeyCommand::redoRecord() { return set(m_newKey, m_newCaption); }

// --- replace texts ---------------------------------------------------------------

namespace {

// True for a record part a key can be remade from: upper-case hex pairs.
bool plainHex(QStringView record)
{
    if (record.size() % 2 != 0)
        return false;
    for (QChar c : record) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F')))
            return false;
    }
    return true;
}

// The key of a record's bytes with the suffix (serial) the node has.
QString remadeKey(QByteArrayView bytes, QStringView suffix)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString key(2 * bytes.size() + suffix.size(), Qt::Uninitialized);
    QChar *p = key.data();
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *p++ = QLatin1Char(kDigits[u >> 4]);
        *p++ = QLatin1Char(kDigits[u & 15]);
    }
    for (QChar c : suffix)
        *p++ = c;
    return key;
}

} // namespace

ReplaceTextsCommand::ReplaceTextsCommand(const UndoTarget &target, NodeId node, const QString &oldKey,
                                         const QString &oldCaption, const CaptionContext &captions)
    : RecordCommand(target, RecordKind::Edit,
                    {target.tree->key(node), target.tree->text(node), oldKey, oldCaption}, {node})
{
    add(node, oldKey, oldCaption, captions);
}

void ReplaceTextsCommand::add(NodeId node, const QString &oldKey, const QString &oldCaption,
                              const CaptionContext &captions)
{
    const auto i = std::uint32_t(m_nodes.size());
    m_nodes.push_back(refs().name(node));
    const QString &newKey = tree().key(node);
    const QStringView oldRecord = recordPart(oldKey);
    if (plainHex(oldRecord) && plainHex(recordPart(newKey)) && keySuffix(oldKey) == keySuffix(newKey)) {
        for (qsizetype at = 0; at < oldRecord.size(); at += 2)
            m_bytes.append(char(hexDigitValue(oldRecord[at]) * 16 + hexDigitValue(oldRecord[at + 1])));
    } else {
        m_keptBefore.insert(i, oldKey);
        m_keptAfter.insert(i, newKey);
    }
    m_ends.push_back(std::uint32_t(m_bytes.size()));
    if (commandCaption(oldKey, CaptionSite::Creation, holdsNestedList(tree(), node), captions) != oldCaption)
        m_keptCaptions.insert(i, oldCaption);
}

void ReplaceTextsCommand::squeeze()
{
    m_nodes.shrink_to_fit();
    m_ends.shrink_to_fit();
    m_bytes.squeeze();
}

std::size_t ReplaceTextsCommand::heldBytes() const
{
    std::size_t kept = 0;
    for (const auto *map : {&m_keptBefore, &m_keptAfter, &m_keptCaptions})
        for (const QString &text : *map)
            kept += sizeof(QString) + std::size_t(text.capacity()) * sizeof(QChar);
    return m_nodes.capacity() * sizeof(NodeId) + m_ends.capacity() * sizeof(std::uint32_t)
        + std::size_t(m_bytes.capacity()) + kept;
}

QByteArrayView ReplaceTextsCommand::bytesOf(std::size_t i) const
{
    const std::uint32_t from = i == 0 ? 0 : m_ends[i - 1];
    return QByteArrayView(m_bytes.constData() + from, m_ends[i] - from);
}

// Puts command i into its state before the replace (`before`) or after it,
// from the record bytes of that state; the bytes of the state it leaves are
// appended to `left`. False, with the command and `left` as they were, when it
// does not fit.
bool ReplaceTextsCommand::setEntry(std::size_t i, bool before, QByteArrayView bytes, QByteArray *left)
{
    const NodeId node = live(m_nodes[i]);
    if (node == kNoNode)
        return false;
    const QString &current = tree().key(node);
    const auto index = std::uint32_t(i);
    const QHash<std::uint32_t, QString> &kept = before ? m_keptBefore : m_keptAfter;
    const auto k = kept.constFind(index);
    const bool keptKey = k != kept.cend();
    if (!keptKey && left && !plainHex(recordPart(current)))
        return false;  // never expected: the key was plain hex when recorded
    const QString key = keptKey ? *k : remadeKey(bytes, keySuffix(current));
    if (key != current && tree().contains(key))
        return false;
    const int delta = recordLength(key) - recordLength(current);
    if (!keyEditCheck(tree(), node, delta))
        return false;
    const bool child = holdsNestedList(tree(), node);
    QString caption;
    if (const auto c = m_keptCaptions.constFind(index); before && c != m_keptCaptions.cend())
        caption = *c;
    else
        caption = commandCaption(key, CaptionSite::Creation, child, undoRun().captions);
    if (left && !keptKey) {
        const QStringView record = recordPart(current);
        for (qsizetype at = 0; at < record.size(); at += 2)
            left->append(char(hexDigitValue(record[at]) * 16 + hexDigitValue(record[at + 1])));
    }
    tree().setKey(node, key);
    tree().setText(node, caption);
    keyEdit(tree(), node, delta);
    return true;
}

// Undo goes last to first and redo first to last, so every state on the way
// is one the replace itself passed through.
bool ReplaceTextsCommand::swapTo(bool before)
{
    const std::size_t n = m_nodes.size();
    QByteArray left;  // the bytes of the states left, in the order handled
    left.reserve(m_bytes.size());
    std::vector<std::uint32_t> leftAt(n), leftSize(n);
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = before ? n - 1 - k : k;
        leftAt[i] = std::uint32_t(left.size());
        if (!setEntry(i, before, bytesOf(i), &left)) {
            // Back to where the step started, newest change first.
            for (std::size_t j = k; j-- > 0;) {
                const std::size_t back = before ? n - 1 - j : j;
                setEntry(back, !before, QByteArrayView(left.constData() + leftAt[back], leftSize[back]), nullptr);
            }
            return false;
        }
        leftSize[i] = std::uint32_t(left.size()) - leftAt[i];
        undoRun().advance();
    }
    // The bytes of the states left, now in the order of the commands.
    QByteArray packed;
    packed.reserve(left.size());
    for (std::size_t i = 0; i < n; ++i) {
        packed.append(left.constData() + leftAt[i], leftSize[i]);
        m_ends[i] = std::uint32_t(packed.size());
    }
    m_bytes = std::move(packed);
    return true;
}

bool ReplaceTextsCommand::undoRecord() { return swapTo(true); }

bool ReplaceTextsCommand::redoRecord() { return swapTo(false); }

// --- insert run ------------------------------------------------------------------

namespace {

QStringList insertParts(const DocTree &tree, RecordKind kind, const std::vector<NodeId> &run, NodeId anchor)
{
    if (kind == RecordKind::AddChildEvent && run.size() == 2)
        return keysOf(tree, {run[1], run[0], tree.firstChild(run[1]), anchor});
    return keysOf(tree, {run.front(), anchor});
}

std::vector<NodeId> insertFocus(const DocTree &tree, RecordKind kind, const std::vector<NodeId> &run, NodeId anchor)
{
    if (kind == RecordKind::AddChildEvent && run.size() == 2)
        return {run[1], run[0], tree.firstChild(run[1]), anchor};
    return {run.front(), anchor};
}

} // namespace

InsertRunCommand::InsertRunCommand(const UndoTarget &target, RecordKind kind, const std::vector<NodeId> &run,
                                   NodeId anchor)
    : RecordCommand(target, kind, insertParts(*target.tree, kind, run, anchor),
                    insertFocus(*target.tree, kind, run, anchor))
    , m_anchor(refs().name(anchor))
{
    for (NodeId n : run) {
        m_run.push_back(refs().name(n));
        const std::vector<NodeId> names = refs().branchNames(tree(), n);
        m_branch.insert(m_branch.end(), names.begin(), names.end());
    }
}

bool InsertRunCommand::undoRecord()
{
    std::vector<NodeId> run;
    for (NodeId name : m_run)
        run.push_back(live(name));
    const NodeId anchor = live(m_anchor);
    if (!isRun(tree(), run) || anchor == kNoNode || tree().next(run.back()) != anchor)
        return false;
    std::vector<NodeSnapshot> nodes;
    for (NodeId n : run)
        nodes.push_back(takeSnapshot(tree(), n));
    if (!removeRun(tree(), run))
        return false;
    m_nodes = std::move(nodes);
    return true;
}

bool InsertRunCommand::redoRecord()
{
    if (m_nodes.empty() || !putBack(m_nodes, m_branch, live(m_anchor), Relation::Before))
        return false;
    m_nodes.clear();
    return true;
}

// --- remove node ------------------------------------------------------------------

namespace {

NodeId neighbourOf(const DocTree &tree, NodeId node, bool lastOfList)
{
    return lastOfList ? tree.previous(node) : tree.next(node);
}

} // namespace

RemoveNodeCommand::RemoveNodeCommand(const UndoTarget &target, NodeId node, bool lastOfList)
    : RecordCommand(target, RecordKind::Delete,
                    {target.tree->key(neighbourOf(*target.tree, node, lastOfList)),
                     lastOfList ? kDeletedAfterNeighbour : kDeletedBeforeNeighbour, target.tree->key(node)},
                    {neighbourOf(*target.tree, node, lastOfList), node})
    , m_node(refs().name(node))
    , m_neighbour(refs().name(neighbourOf(tree(), node, lastOfList)))
    , m_afterNeighbour(lastOfList)
    , m_branch(refs().branchNames(tree(), node))
    , m_snapshot(takeSnapshot(tree(), node))
{
}

bool RemoveNodeCommand::undoRecord()
{
    return putBack({m_snapshot}, m_branch, live(m_neighbour),
                   m_afterNeighbour ? Relation::After : Relation::Before);
}

bool RemoveNodeCommand::redoRecord()
{
    const NodeId node = live(m_node);
    const NodeId neighbour = live(m_neighbour);
    if (node == kNoNode || neighbour == kNoNode)
        return false;
    if ((m_afterNeighbour ? tree().previous(node) : tree().next(node)) != neighbour)
        return false;
    NodeSnapshot snapshot = takeSnapshot(tree(), node);
    if (!removeRun(tree(), {node}))
        return false;
    m_snapshot = std::move(snapshot);
    return true;
}

// --- move run -----------------------------------------------------------------------

MoveRunCommand::MoveRunCommand(const UndoTarget &target, bool up, const std::vector<NodeId> &run, int from)
    : RecordCommand(target, up ? RecordKind::MoveUp : RecordKind::MoveDown, {target.tree->key(run.front())},
                    {run.front()})
    , m_parent(refs().name(target.tree->parent(run.front())))
    , m_from(from)
    , m_to(target.tree->row(run.front()))
{
    for (NodeId n : run)
        m_run.push_back(refs().name(n));
}

bool MoveRunCommand::moveFromTo(int at, int to)
{
    std::vector<NodeId> run;
    for (NodeId name : m_run)
        run.push_back(live(name));
    if (!isRun(tree(), run) || tree().parent(run.front()) != live(m_parent) || tree().row(run.front()) != at)
        return false;
    return moveRunTo(tree(), run, to);
}

bool MoveRunCommand::undoRecord() { return moveFromTo(m_to, m_from); }

bool MoveRunCommand::redoRecord() { return moveFromTo(m_from, m_to); }

// --- step ---------------------------------------------------------------------------

StepCommand::StepCommand(EditStep step) : m_records(std::move(step.records))
{
    if (!m_records.empty())
        setText(m_records.front()->text());
}

void StepCommand::setRun(UndoRun *run)
{
    for (const RecordPtr &r : m_records)
        r->setRun(run);
}

std::int64_t StepCommand::workUnits() const
{
    std::int64_t units = 0;
    for (const RecordPtr &r : m_records)
        units += r->workUnits();
    return units;
}

void StepCommand::undo()
{
    m_failed = false;
    for (int i = int(m_records.size()) - 1; i >= 0; --i) {
        if (m_records[std::size_t(i)]->undoRecord())
            continue;
        for (std::size_t j = std::size_t(i) + 1; j < m_records.size(); ++j)
            m_records[j]->redoRecord();
        m_failed = true;
        m_focus = kNoNode;
        return;
    }
    m_focus = m_records.empty() ? kNoNode : m_records.front()->focus();
    restoreSelection();
}

void StepCommand::redo()
{
    m_failed = false;
    if (!m_pushed) {
        m_pushed = true;  // the action itself made these changes
        return;
    }
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i]->redoRecord())
            continue;
        for (int j = int(i) - 1; j >= 0; --j)
            m_records[std::size_t(j)]->undoRecord();
        m_failed = true;
        m_focus = kNoNode;
        return;
    }
    m_focus = m_records.empty() ? kNoNode : m_records.back()->focus();
    restoreSelection();
}

void StepCommand::restoreSelection()
{
    if (m_focus != kNoNode)
        m_records.front()->document().setSelected(m_focus);
}

} // namespace core
