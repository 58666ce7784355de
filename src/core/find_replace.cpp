#include "core/find_replace.h"

#include "core/key_codec.h"
#include "core/edit_units.h"
#include "core/key_edit.h"
#include "core/section_check.h"
#include "core/tree_queries.h"
#include "platform/cp949.h"

#include <QHash>

#include <array>

namespace core {

// --- find -------------------------------------------------------------------

namespace {

// MenuFind's test of one node, on a caption that is made for the test only.
bool findMatches(const DocTree &tree, NodeId n, const FindQuery &query)
{
    const QString text = tree.textPreview(n);
    // A key still to be made is a command's: never the root, a Scene or a Section.
    if (tree.pendingRecord(n).isEmpty() && (tree.key(n) == u"Path" || isScene(text) || isSection(text)))
        return false;
    if (int(query.mode) >= kFindByTextOption)
        return text.contains(query.text, Qt::CaseSensitive);
    return nodeNumber(text) == query.code;
}

} // namespace

NodeId findFrom(const DocTree &tree, NodeId start, const FindQuery &query, const WorkProgress &progress,
                bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    if (query.mode == FindMode::None || !tree.isValid(start))
        return kNoNode;
    // The forward walk of MenuFind: display order from `start`, itself
    // included, to the end of the tree.
    std::int64_t visited = 0;
    if (progress && !progress(0, tree.count())) {
        if (cancelled)
            *cancelled = true;
        return kNoNode;
    }
    for (NodeId node = start; node != kNoNode;) {
        if (findMatches(tree, node, query))
            return node;
        if (progress && ++visited % kNodesPerReport == 0 && !progress(visited, tree.count())) {
            if (cancelled)
                *cancelled = true;
            return kNoNode;
        }
        node = tree.nextInOrder(node);
    }
    return kNoNode;
}

NodeId findStartOfTree(const DocTree &tree) { return tree.firstChild(tree.root()); }

NodeId findStartAfter(const DocTree &tree, NodeId selected)
{
    if (!tree.isValid(selected))
        return findStartOfTree(tree);
    return tree.nextInOrder(selected);
}

// --- the text-bearing commands ----------------------------------------------

namespace {

constexpr std::array<ReplaceTextField, 12> kTextFields{{
    {0x12, 9},   // 선택문
    {0x14, 9},   // 대화
    {0x15, 25},  // 대화2: after the two persons
    {0x16, 9},   // 정보
    {0x17, 9},   // 장소명
    {0x18, 9},   // 사건명
    {0x19, 9},   // 승리조건
    {0x1A, 9},   // 현재승리조건
    {0x2C, 9},   // 지도글자보기
    {0x60, 17},  // 일기무장등장
    {0x63, 17},  // 일기대사
    {0x69, 9},   // 방백
}};

constexpr char16_t kReplacementChar = 0xFFFD;

bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// The stored text as characters, one per stored character, and where each
// character's bytes begin (with the end as a last entry), so that matches
// found in the characters map back onto the stored bytes exactly.
struct CharMap {
    QString chars;
    std::vector<int> byteStart;
};

CharMap charMap(const QByteArray &stored)
{
    CharMap m;
    const int n = int(stored.size());
    m.byteStart.reserve(std::size_t(n) + 1);
    bool ascii = true;
    for (int i = 0; i < n; ++i) {
        if ((unsigned char)stored[i] >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        m.chars = QString::fromLatin1(stored);
        for (int i = 0; i <= n; ++i)
            m.byteStart.push_back(i);
        return m;
    }
    // Valid text: one character per lead-byte pair or single byte.
    const QString decoded = platform::Cp949::decode(stored);
    if (!decoded.contains(QChar(kReplacementChar))) {
        for (int i = 0; i < n;) {
            m.byteStart.push_back(i);
            i += (isLeadByte((unsigned char)stored[i]) && i + 1 < n) ? 2 : 1;
        }
        if (m.byteStart.size() == std::size_t(decoded.size())) {
            m.byteStart.push_back(n);
            m.chars = decoded;
            return m;
        }
        m.byteStart.clear();
    }
    // Damaged text: a byte that starts no valid character stands for one
    // replacement character, so it never swallows the byte after it.
    for (int i = 0; i < n;) {
        m.byteStart.push_back(i);
        const unsigned char b = (unsigned char)stored[i];
        if (b < 0x80) {
            m.chars += QChar(char16_t(b));
            ++i;
            continue;
        }
        if (isLeadByte(b) && i + 1 < n) {
            const QString pair = platform::Cp949::decode(stored.mid(i, 2));
            if (pair.size() == 1 && pair.at(0) != QChar(kReplacementChar)) {
                m.chars += pair;
                i += 2;
                continue;
            }
        }
        m.chars += QChar(kReplacementChar);
        ++i;
    }
    m.byteStart.push_back(n);
    return m;
}

} // namespace

std::span<const ReplaceTextField> replaceTextFields() { return kTextFields; }

std::optional<int> replaceTextStart(int code)
{
    for (const ReplaceTextField &f : kTextFields)
        if (f.code == code)
            return f.start;
    return std::nullopt;
}

QString userLineBreaks(const QString &typed)
{
    QString out = typed;
    out.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return out;
}

TextReplacer::TextReplacer(const QString &find, const QString &replace)
    : m_find(find), m_replaceBytes(platform::Cp949::encode(replace))
{
    // A match is a run of whole stored characters, each stored as its own
    // code, so a text whose bytes lack the find text's bytes cannot match.
    if (!find.contains(QChar(kReplacementChar)) && platform::Cp949::canEncode(find))
        m_findBytes = platform::Cp949::encode(find);
}

std::optional<QByteArray> TextReplacer::apply(const QByteArray &stored) const
{
    if (m_find.isEmpty())
        return std::nullopt;
    if (!m_findBytes.isEmpty() && !stored.contains(m_findBytes))
        return std::nullopt;
    const CharMap m = charMap(stored);
    qsizetype at = m.chars.indexOf(m_find);
    if (at < 0)
        return std::nullopt;
    QByteArray out;
    out.reserve(stored.size() + m_replaceBytes.size());
    qsizetype kept = 0;  // first character not yet copied
    while (at >= 0) {
        const int from = m.byteStart[std::size_t(kept)];
        out.append(stored.constData() + from, m.byteStart[std::size_t(at)] - from);
        out.append(m_replaceBytes);
        kept = at + m_find.size();
        at = m.chars.indexOf(m_find, kept);
    }
    const int from = m.byteStart[std::size_t(kept)];
    out.append(stored.constData() + from, stored.size() - from);
    return out;
}

// --- replace ----------------------------------------------------------------

namespace {

// The byte lengths of the Sections a run of replacements touches, worked out
// once and then kept up to date, so replacing all does not sum a Section
// again for every text that grows in it.
class SectionBudget
{
public:
    explicit SectionBudget(const DocTree &tree) : m_tree(tree) {}

    bool canGrow(NodeId node, int delta)
    {
        if (delta <= 0)
            return true;
        const NodeId section = enclosingSection(m_tree, node);
        return section == kNoNode || length(section) + delta <= kMaxSectionBytes;
    }
    void grew(NodeId node, int delta)
    {
        const NodeId section = enclosingSection(m_tree, node);
        if (section != kNoNode)
            m_lengths[section] = length(section) + delta;
    }

private:
    int length(NodeId section)
    {
        auto it = m_lengths.find(section);
        if (it == m_lengths.end())
            it = m_lengths.insert(section, sectionByteLength(m_tree, section));
        return *it;
    }

    const DocTree &m_tree;
    QHash<NodeId, int> m_lengths;
};

// A command's key and caption from before its rewrite.
struct Before {
    QString key;
    QString caption;
};

ReplaceNodeStatus replaceIn(DocTree &tree, NodeId node, const TextReplacer &replacer, const CaptionContext &captions,
                            SectionBudget &budget, Before *before)
{
    if (!isCommandNode(tree, node))
        return ReplaceNodeStatus::NoMatch;
    const QString &key = tree.key(node);
    const int code = keyCode(key);
    const std::optional<int> start = replaceTextStart(code);
    if (!start)
        return ReplaceNodeStatus::NoMatch;
    const KeyText old = keyTextAt(key, *start);
    if (!old.terminated)
        return ReplaceNodeStatus::NoMatch;  // a cut text is left alone
    const std::optional<QByteArray> bytes = replacer.apply(old.bytes);
    if (!bytes)
        return ReplaceNodeStatus::NoMatch;
    if (*bytes == old.bytes)
        return ReplaceNodeStatus::Unchanged;

    QString newKey = key;
    const int delta = keyReplaceTextBytes(newKey, *start, *bytes);
    if (delta != 0 && (!keyEditCheck(tree, node, delta) || !budget.canGrow(node, delta)))
        return ReplaceNodeStatus::TooLong;
    const QString preKey = key;
    const QString preText = tree.text(node);
    if (!tree.setKey(node, newKey))
        return ReplaceNodeStatus::NoMatch;  // the serial suffix keeps keys apart; never expected
    if (delta != 0) {
        keyEdit(tree, node, delta);
        budget.grew(node, delta);
    }
    tree.setText(node, commandCaption(newKey, CaptionSite::Creation, holdsNestedList(tree, node), captions));
    if (before)
        *before = {preKey, preText};
    return ReplaceNodeStatus::Replaced;
}

// For a command whose key is still to be made: false when its stored text
// surely stays as it is (no text field, a cut text, or no match), read from
// the record bytes without making the key.
bool mayReplace(const DocTree &tree, NodeId node, const TextReplacer &replacer)
{
    const QByteArrayView record = tree.pendingRecord(node);
    if (record.isEmpty())
        return true;  // a made key: the full test decides
    if (record.size() < 2)
        return false;
    const int code = int(std::uint8_t(record[0])) | (int(std::uint8_t(record[1])) << 8);
    const std::optional<int> start = replaceTextStart(code);
    if (!start)
        return false;
    const qsizetype from = (*start - 1) / 2;
    if (from >= record.size())
        return false;
    const qsizetype end = record.sliced(from).indexOf('\0');
    if (end < 0)
        return false;  // a cut text is left alone
    return replacer.apply(record.sliced(from, end).toByteArray()).has_value();
}

} // namespace

ReplaceNodeStatus replaceInNode(DocTree &tree, NodeId node, const TextReplacer &replacer,
                                const CaptionContext &captions)
{
    SectionBudget budget(tree);
    return replaceIn(tree, node, replacer, captions, budget, nullptr);
}

ReplaceOutcome replaceNext(EditContext &ctx, const QString &find, const QString &replace)
{
    ReplaceOutcome out;
    const TextReplacer replacer(userLineBreaks(find), userLineBreaks(replace));
    if (replacer.isEmpty())
        return out;
    DocTree &tree = ctx.tree;
    SectionBudget budget(tree);
    NodeId node = tree.isValid(tree.selected()) ? tree.selected() : findStartOfTree(tree);
    for (; node != kNoNode; node = tree.nextInOrder(node)) {
        if (!mayReplace(tree, node, replacer))
            continue;
        Before before;
        switch (replaceIn(tree, node, replacer, ctx.captions, budget, &before)) {
        case ReplaceNodeStatus::NoMatch:
            continue;
        case ReplaceNodeStatus::TooLong:
            out.tooLong.push_back(node);
            continue;
        case ReplaceNodeStatus::Unchanged:
            out.found = node;
            return out;
        case ReplaceNodeStatus::Replaced: {
            out.found = node;
            RecordPtr record = makeRecord(tree, ctx.history, RecordKind::Edit, node, before.key, before.caption);
            out.refused = takeBackIfUnsaveableAfter(
                tree, {enclosingSection(tree, node)}, [&] { record->undoRecord(); }, [&] { record->redoRecord(); });
            if (!out.refused.isEmpty())
                return out;
            out.replaced.push_back(node);
            ctx.history.record(std::move(record));
            return out;
        }
        }
    }
    return out;
}

ReplaceOutcome replaceAll(EditContext &ctx, const QString &find, const QString &replace,
                          const WorkProgress &progress)
{
    ReplaceOutcome out;
    const TextReplacer replacer(userLineBreaks(find), userLineBreaks(replace));
    if (replacer.isEmpty())
        return out;
    DocTree &tree = ctx.tree;
    const DocTree::Batch batch(tree);
    std::unique_ptr<ReplaceTextsCommand> rewrites;  // one record for every rewritten command
    SectionBudget budget(tree);
    std::int64_t visited = 0;
    if (progress)
        progress(0, tree.count());
    for (NodeId node = findStartOfTree(tree); node != kNoNode; node = tree.nextInOrder(node)) {
        if (progress && ++visited % kNodesPerReport == 0)
            progress(visited, tree.count());
        if (!mayReplace(tree, node, replacer))
            continue;
        Before before;
        switch (replaceIn(tree, node, replacer, ctx.captions, budget, &before)) {
        case ReplaceNodeStatus::NoMatch:
            break;
        case ReplaceNodeStatus::TooLong:
            out.tooLong.push_back(node);
            break;
        case ReplaceNodeStatus::Unchanged:
            if (out.found == kNoNode)
                out.found = node;
            break;
        case ReplaceNodeStatus::Replaced:
            if (out.found == kNoNode)
                out.found = node;
            out.replaced.push_back(node);
            if (rewrites)
                rewrites->add(node, before.key, before.caption, ctx.captions);
            else
                rewrites = std::make_unique<ReplaceTextsCommand>(UndoTarget{&tree, &ctx.history.refs()}, node,
                                                                 before.key, before.caption, ctx.captions);
            break;
        }
    }
    // One step: replace all is undone as a whole.
    if (rewrites) {
        rewrites->squeeze();
        // Every Section a text changed in is read back as the save reads it:
        // in a damaged document the look-ahead can start inside a record, so
        // any text's letters may change how its Section reads. The commands
        // come in display order, so a Section's come together.
        std::vector<NodeId> sections;
        for (NodeId n : out.replaced) {
            const NodeId s = enclosingSection(tree, n);
            if (sections.empty() || sections.back() != s)
                sections.push_back(s);
        }
        // Taken back and made again with the captions the replace made.
        UndoRun run;
        run.captions = ctx.captions;
        rewrites->setRun(&run);
        out.refused = takeBackIfUnsaveableAfter(
            tree, sections, [&] { rewrites->undoRecord(); }, [&] { rewrites->redoRecord(); });
        rewrites->setRun(nullptr);
        if (!out.refused.isEmpty()) {
            out.replaced.clear();
            out.tooLong.clear();
            return out;
        }
        ctx.history.record(std::move(rewrites));
    }
    return out;
}

} // namespace core
