#include "core/eex_reader.h"

#include "core/catalogue.h"
#include "core/eex_converter.h"
#include "core/eex_writer.h"
#include "core/key_codec.h"
#include "core/record_lengths.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <new>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <initializer_list>

namespace core {

namespace {

// Numbers with thousands separators, whatever the desktop's locale.
QLocale groupedNumbers()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    return c;
}


// Zero bytes behind the file's end: lists that run past the end read them as
// end records. Reads beyond them are load errors.
constexpr std::int64_t kPadding = 123;
// Child events nest far less deeply in any real scenario; the limit keeps a
// damaged file from exhausting the stack.
constexpr int kMaxNesting = 400;

// --- the look-ahead's tag signatures ----------------------------------------

struct Signature {
    std::uint8_t count = 0;
    std::array<std::uint8_t, 3> tags{};
};

struct SignatureRow {
    std::initializer_list<std::uint8_t> tags;
    std::initializer_list<std::uint8_t> codes;
};

enum : std::uint8_t { kNoItems = 0xFE, kAlwaysYes = 0xFD };

std::array<Signature, kHighestCode + 1> buildSignatures()
{
    static const SignatureRow rows[] = {
        {{0x05}, {0x02, 0x14, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x69}},
        {{0x26}, {0x04, 0x62, 0x74}},
        {{0x2E}, {0x08}},
        {{0x04}, {0x09, 0x13, 0x6E, 0x71, 0x72, 0x76}},
        {{0x12}, {0x0F}},
        {{0x37}, {0x11}},
        {{0x4A}, {0x20}},
        {{0x1B}, {0x22}},
        {{0x09}, {0x24}},
        {{0x36}, {0x28}},
        {{0x02}, {0x2B, 0x2D, 0x5C}},
        {{0x48}, {0x40}},
        {{0x40}, {0x4C}},
        {{0x47}, {0x56}},
        {{0x22}, {0x57}},
        {{0x17}, {0x6F}},
        {{0x35, 0x35}, {0x05}},
        {{0x2E, 0x04}, {0x06}},
        {{0x04, 0x27}, {0x0B}},
        {{0x05, 0x02}, {0x12}},
        {{0x05, 0x26}, {0x2C}},
        {{0x02, 0x02}, {0x15, 0x2E, 0x4F, 0x5E, 0x68, 0x6C, 0x70}},
        {{0x02, 0x27}, {0x1B}},
        {{0x04, 0x04}, {0x1F, 0x21, 0x4B, 0x5B, 0x6B}},
        {{0x1E, 0x04}, {0x23}},
        {{0x02, 0x04}, {0x25, 0x26, 0x29, 0x2A, 0x30, 0x39, 0x73}},
        {{0x2D, 0x0C}, {0x27}},
        {{0x2C, 0x02}, {0x31, 0x4E, 0x53}},
        {{0x40, 0x02}, {0x32, 0x55, 0x6D}},
        {{0x02, 0x0D}, {0x33, 0x34}},
        {{0x02, 0x13}, {0x35}},
        {{0x02, 0x23}, {0x36, 0x38}},
        {{0x28, 0x04}, {0x37}},
        {{0x28, 0x34}, {0x3A}},
        {{0x02, 0x0E}, {0x3B, 0x3C}},
        {{0x17, 0x49}, {0x3D}},
        {{0x02, 0x3B}, {0x3E, 0x48}},
        {{0x04, 0x24}, {0x3F}},
        {{0x03, 0x04}, {0x41}},
        {{0x02, 0x26}, {0x46}},
        {{0x04, 0x38}, {0x4A}},
        {{0x41, 0x02}, {0x4D}},
        {{0x02, 0x46}, {0x50}},
        {{0x02, 0x03}, {0x52}},
        {{0x42, 0x43}, {0x58}},
        {{0x04, 0x17}, {0x59}},
        {{0x34, 0x04}, {0x5D}},
        {{0x26, 0x05}, {0x60, 0x63}},
        {{0x26, 0x4C}, {0x64}},
        {{0x26, 0x4D}, {0x65}},
        {{0x26, 0x4E}, {0x66}},
        {{0x04, 0x05}, {0x67}},
        {{0x02, 0x50}, {0x75}},
        {{0x51, 0x04}, {0x77}},
        {{0x04, 0x54}, {0x78}},
        {{0x52, 0x04}, {0x79}},
        {{0x26, 0x26, 0x04}, {0x45}},
        {{0x02, 0x26, 0x26}, {0x47}},
    };
    static const std::uint8_t itemless[] = {0x03, 0x07, 0x0A, 0x0C, 0x0D, 0x0E, 0x10, 0x1C, 0x1D, 0x1E, 0x2F,
                                            0x42, 0x43, 0x44, 0x49, 0x51, 0x54, 0x5A, 0x5F, 0x61, 0x6A};
    std::array<Signature, kHighestCode + 1> t{};
    for (const SignatureRow &r : rows) {
        Signature s;
        for (std::uint8_t tag : r.tags)
            s.tags[s.count++] = tag;
        for (std::uint8_t c : r.codes)
            t[c] = s;
    }
    for (std::uint8_t c : itemless)
        t[c].count = kNoItems;
    t[0x00].count = kAlwaysYes;
    t[0x01].count = kAlwaysYes;
    return t;
}

const std::array<Signature, kHighestCode + 1> &signatures()
{
    static const auto t = buildSignatures();
    return t;
}

int looksLike(const std::uint8_t *d, std::int64_t size, int code, std::int64_t offset)
{
    if (code < 0 || code > kHighestCode)
        return 0;
    const Signature &sig = signatures()[std::size_t(code)];
    if (sig.count == kAlwaysYes)
        return 1;
    if (sig.count == kNoItems)
        return 2;
    auto word = [&](std::int64_t o) -> std::int64_t {
        if (o < 0 || o + 2 > size)
            return -1;
        return std::int64_t(d[o]) | (std::int64_t(d[o + 1]) << 8);
    };
    std::int64_t q = offset + 2;
    for (int i = 0; i < sig.count; ++i) {
        const int tag = sig.tags[std::size_t(i)];
        if (word(q) != tag)
            return 0;
        if (i + 1 == sig.count)
            break;
        switch (tag) {
        case 0x04:
            q += 6;
            break;
        case 0x05: {
            std::int64_t e = q + 2;
            while (e < size && d[e] != 0)
                ++e;
            if (e >= size)
                return 0;
            q = e + 1;
            break;
        }
        case 0x35: {
            const std::int64_t p = word(q + 2);
            if (p < 0)
                return 0;
            q = q + 4 + 2 * p;
            break;
        }
        default:
            q += 4;
            break;
        }
    }
    return 1;
}

// --- hex text ---------------------------------------------------------------

QString hexText(const std::uint8_t *d, int length)
{
    return QString::fromLatin1(QByteArray::fromRawData(reinterpret_cast<const char *>(d), length).toHex().toUpper());
}

// Captions of the nodes the reader adds, made when first shown. The name
// tables are implicitly shared lists, so keeping a copy costs nothing and
// the captions read the names as they were when the file was read.
class ReaderCaptions final : public CaptionSource
{
public:
    static constexpr int kHead = 1;
    static constexpr int kBody = 2;
    // A body command whose key has since had the nested length of its child
    // event put in front of the serial: captioned as it was read.
    static constexpr int kBlock = 3;

    explicit ReaderCaptions(const CaptionContext &ctx)
    {
        if (ctx.names) {
            m_names = *ctx.names;
            m_ctx.names = &m_names;
        }
        if (ctx.settings) {
            m_settings = *ctx.settings;
            m_ctx.settings = &m_settings;
        }
    }

    QString caption(const QString &key, int kind) const override
    {
        if (kind == kBlock) {
            QString asRead = key;
            const qsizetype cut = asRead.indexOf(u'_');
            if (cut >= 4)
                asRead.remove(cut - 4, 4);
            return commandCaption(asRead, CaptionSite::ReaderBody, false, m_ctx);
        }
        return commandCaption(key, kind == kHead ? CaptionSite::ReaderHead : CaptionSite::ReaderBody, false, m_ctx);
    }

private:
    NameTables m_names;
    CaptionSettings m_settings;
    CaptionContext m_ctx;
};

QString hexWord(int v)
{
    static const char digits[] = "0123456789ABCDEF";
    const int lo = v & 0xFF, hi = (v >> 8) & 0xFF;
    const char s[4] = {digits[lo >> 4], digits[lo & 15], digits[hi >> 4], digits[hi & 15]};
    return QString::fromLatin1(s, 4);
}

struct LoadFailure {
    std::int64_t offset;
    QString detail;
};

// Thrown when the progress callback asks the load to stop.
struct LoadCancelled {};

// Thrown when the tree would hold more of the file than eexReadBudget allows.
struct LoadOverlapping {
    std::int64_t offset;
    std::int64_t repeatedScene;  // -1: Sections overlap, not the Scene table
    int repeatedSceneTimes;
};

// How much work passes between two calls of the progress callback.
constexpr std::int64_t kWorkPerReport = 64 * 1024;

// --- the reader -------------------------------------------------------------

// Builds a DocTree, or an EexFlatTree for a check of saved bytes.
template <class Tree>
class Reader
{
public:
    Reader(const QByteArray &file, Tree &tree, KeySerial &serial, const CaptionContext &captions,
           const WorkProgress &progress)
        : m_tree(tree), m_serial(serial), m_captions(captions), m_progress(progress)
    {
        m_image.reserve(file.size() + kPadding);
        m_image.append(file);
        m_image.append(QByteArray(kPadding, '\0'));
        m_d = reinterpret_cast<const std::uint8_t *>(m_image.constData());
        m_size = m_image.size();
        m_fileSize = file.size();
        // A well-formed file is read once; reading far more bytes than the
        // file holds means its Scenes and Sections overlap over and over.
        m_workLimit = eexReadBudget(m_fileSize);
        m_lookAheadMemo.assign(std::size_t(m_size), -1);
    }

    void load(const QString &path)
    {
        const NodeId root = m_tree.addRoot(kRootKey, path);
        m_tree.setCaptionSource(std::make_shared<ReaderCaptions>(m_captions));
        m_tree.setRecordImage(m_image);
        const std::int64_t first = u32(10);
        const std::int64_t scenes = roundHalfEvenQuarter(first - 10);
        m_scenes = scenes;
        // What the tree holds of the file: the header and Scene table, every
        // Scene's count and every Section from its length word to where its
        // lists ended. A save writes exactly these stretches again.
        m_held.push_back({0, 10 + 4 * std::max<std::int64_t>(scenes, 0)});
        std::vector<NodeId> sectionsToShow;
        for (std::int64_t s = 0; s < scenes; ++s) {
            m_scene = int(s);
            m_section = -1;
            const std::int64_t offset = u32(10 + 4 * s);
            m_sceneOffset = offset;
            const int sectionCount = u16(offset);
            m_held.push_back({offset, offset + 2});
            const NodeId sceneNode = addNode(root, readerSceneKey(int(s)), kSceneText);
            std::int64_t start = offset + 4;
            for (int c = 0; c < sectionCount; ++c) {
                m_section = c;
                const NodeId sectionNode =
                    addNode(sceneNode, readerSectionKey(int(s), c), kSectionText);
                if (c > 0)
                    start += m_lastLength + 2;
                m_lastLength = u16(start - 2);
                m_sectionStart = start;
                m_sectionEnd = start + m_lastLength;
                m_sectionClosed = m_lastLength >= 2 && wordOrMinus(m_sectionEnd - 2) == kEndCode;
                m_seek = start;
                readHead(sectionNode);
                const std::int64_t bodyLengthAt = m_seek;
                m_seek += 2;  // the body length, recomputed on saving
                readList(m_headEnd);
                // A Section reads from its own bytes alone (its length words
                // included: the look-ahead looks at the body length and stops
                // where the Section length ends it), so one whose saved bytes
                // are those of the file reads back the same: only one that
                // parts from its bytes or its length words needs the check.
                if (m_seek > m_fileSize || u16(bodyLengthAt) != m_seek - bodyLengthAt - 2 ||
                    m_seek - start != m_lastLength)
                    m_saveDoubtful = true;
                m_held.push_back({start - 2, m_seek});
                // What the length word claims beyond the lists belongs to
                // this Section: a warning about those bytes names it.
                if (m_seek < start + m_lastLength)
                    m_tails.push_back({m_seek, start + m_lastLength, m_scene, m_section});
                // Saving recomputes the length word; one that cannot hold
                // the lists as read makes the save fail.
                if (m_seek - start > 0xFFFF)
                    m_saveDoubtful = true;
                sectionsToShow.push_back(sectionNode);
            }
            m_tree.setExpanded(sceneNode, sectionCount > 0);
        }
        m_tree.setExpanded(root, true);
        for (NodeId n : sectionsToShow)
            m_tree.setExpanded(n, true);
        m_scene = -1;
        m_section = -1;
        warnUnheldBytes();
    }

    // True when a save of the tree may be refused: the reader had to part
    // from a Section's bytes somewhere, or a Section grew beyond its length
    // word. Bytes dropped or added between, around or by whole Sections
    // (skipped, after the end, read twice) change no Section's reading.
    bool saveDoubtful() const { return m_saveDoubtful; }

    std::vector<EexLoadWarning> takeWarnings() { return std::move(m_warnings); }
    std::int64_t seek() const { return m_seek; }

private:
    [[noreturn]] void fail(std::int64_t offset, const QString &detail) { throw LoadFailure{offset, detail}; }

    // The tree would hold far more than the file: say whether the Scene
    // table names the Scene being read more than once.
    [[noreturn]] void overlapping()
    {
        int times = 0;
        for (std::int64_t s = 0; s < m_scenes && 14 + 4 * s <= m_size; ++s)
            if (u32(10 + 4 * s) == m_sceneOffset)
                ++times;
        throw LoadOverlapping{m_seek, times > 1 ? m_sceneOffset : -1, times > 1 ? times : 0};
    }

    static std::int64_t roundHalfEvenQuarter(std::int64_t x)
    {
        // x / 4 to the nearest whole number, ties to the even one.
        std::int64_t q = x / 4, r = x % 4;
        if (r < 0) {
            r += 4;
            --q;
        }
        if (r > 2 || (r == 2 && (q & 1)))
            ++q;
        return q;
    }

    int u16(std::int64_t o)
    {
        if (o < 0 || o + 2 > m_size)
            fail(o < 0 ? m_seek : o, QStringLiteral("read beyond the file"));
        return int(m_d[o]) | (int(m_d[o + 1]) << 8);
    }

    std::int64_t u32(std::int64_t o)
    {
        if (o < 0 || o + 4 > m_size)
            fail(o, QStringLiteral("read beyond the file"));
        return std::int64_t(m_d[o]) | (std::int64_t(m_d[o + 1]) << 8) | (std::int64_t(m_d[o + 2]) << 16) |
               (std::int64_t(m_d[o + 3]) << 24);
    }

    void spendWork(std::int64_t bytes)
    {
        m_work += bytes;
        if (m_work > m_workLimit)
            overlapping();
        if (m_progress && m_work >= m_nextReport) {
            m_nextReport = m_work + kWorkPerReport;
            if (!m_progress(std::min(m_work, m_fileSize), m_fileSize))
                throw LoadCancelled{};
        }
    }

    // Every key the reader makes is new in the tree: command and end keys
    // end in the serial, which counts up with every node, and the Scene,
    // Section and head-end keys are numbered by their place in the file.
    NodeId addNode(NodeId parent, QString key, const QString &text, int bytes = 2, int captionKind = 0)
    {
        spendWork(bytes);
        const NodeId n = m_tree.appendNew(parent, std::move(key), captionKind, text);
        if (n == kNoNode)
            fail(m_seek, QStringLiteral("no node to add to"));
        return n;
    }

    // A command's node whose key the tree makes from the record's bytes
    // when first asked for.
    NodeId addRecord(NodeId parent, std::int64_t p, int length, KeySerial serial, int captionKind)
    {
        const NodeId n = m_tree.appendRecord(parent, qsizetype(p), length, serial, captionKind);
        if (n == kNoNode)
            fail(m_seek, QStringLiteral("record runs beyond the file"));
        return n;
    }

    MeasuredRecord measure(std::int64_t p)
    {
        const auto m = measureRecord(m_d, std::size_t(m_size), std::size_t(p));
        if (!m)
            fail(m_seek, QStringLiteral("record runs beyond the file"));
        return *m;
    }

    void warn(EexLoadWarning::Kind kind, std::int64_t offset, std::int64_t bytes)
    {
        // A run of unknown codes is one warning.
        if (kind == EexLoadWarning::Kind::UnknownCode && !m_warnings.empty()) {
            EexLoadWarning &last = m_warnings.back();
            if (last.kind == kind && last.scene == m_scene && last.section == m_section &&
                last.offset + last.byteCount == offset) {
                last.byteCount += bytes;
                return;
            }
        }
        switch (kind) {
        case EexLoadWarning::Kind::UnknownCode:
        case EexLoadWarning::Kind::MarkerDropped:
        case EexLoadWarning::Kind::MarkerAssumed:
        case EexLoadWarning::Kind::NestedLengthRepaired:
        case EexLoadWarning::Kind::BytesPastEnd:
        case EexLoadWarning::Kind::Unsaveable:
            m_saveDoubtful = true;  // a Section's saved bytes differ from the file's
            break;
        case EexLoadWarning::Kind::BytesAfterEnd:
        case EexLoadWarning::Kind::BytesSkipped:
        case EexLoadWarning::Kind::BytesReadTwice:
            break;
        }
        EexLoadWarning w;
        w.kind = kind;
        w.scene = m_scene;
        w.section = m_section;
        w.offset = offset;
        w.byteCount = bytes;
        m_warnings.push_back(std::move(w));
    }

    // Saving writes the held stretches one after another: bytes of the file
    // outside all of them are dropped, bytes inside two of them written twice,
    // and the zeros read behind the file's end written as well.
    void warnUnheldBytes()
    {
        std::sort(m_tails.begin(), m_tails.end(), [](const Tail &a, const Tail &b) { return a.from < b.from; });
        // How many held stretches cover each byte of the file: where none
        // does, the bytes are dropped; where k do, written k times. The
        // stretch of bytes held more than once is one warning, however
        // often it is named.
        std::vector<std::pair<std::int64_t, int>> edges;
        edges.reserve(2 * m_held.size());
        std::int64_t pastEnd = 0;
        for (const auto &[from, to] : m_held) {
            pastEnd += std::max<std::int64_t>(0, to - std::max(from, m_fileSize));
            const std::int64_t end = std::min(to, m_fileSize);
            if (end > from) {
                edges.push_back({from, +1});
                edges.push_back({end, -1});
            }
        }
        std::sort(edges.begin(), edges.end());
        std::int64_t at = 0;
        int depth = 0;
        EexLoadWarning *twice = nullptr;
        for (const auto &[offset, step] : edges) {
            if (offset > at) {
                if (depth == 0) {
                    warnSkipped(at, offset);
                    twice = nullptr;
                } else if (depth > 1) {
                    const std::int64_t extra = (depth - 1) * (offset - at);
                    if (twice && twice->offset + twice->stretch == at) {
                        twice->byteCount += extra;
                        twice->stretch += offset - at;
                    } else {
                        warn(EexLoadWarning::Kind::BytesReadTwice, at, extra);
                        twice = &m_warnings.back();
                        twice->stretch = offset - at;
                    }
                }
                at = offset;
            }
            depth += step;
        }
        if (m_fileSize > at)
            warn(EexLoadWarning::Kind::BytesAfterEnd, at, m_fileSize - at);
        if (pastEnd > 0)
            warn(EexLoadWarning::Kind::BytesPastEnd, m_fileSize, pastEnd);
    }

    // Bytes from..to that no Scene or Section holds; the parts inside what a
    // Section's length word claims name that Section.
    void warnSkipped(std::int64_t from, std::int64_t to)
    {
        while (from < to) {
            // The last tail starting at or before `from`, and the first after it.
            auto after = std::upper_bound(m_tails.begin(), m_tails.end(), from,
                                          [](std::int64_t o, const Tail &t) { return o < t.from; });
            std::int64_t stop = to;
            m_scene = -1;
            m_section = -1;
            if (after != m_tails.begin() && std::prev(after)->to > from) {
                const Tail &inside = *std::prev(after);
                m_scene = inside.scene;
                m_section = inside.section;
                stop = std::min(to, inside.to);
            } else if (after != m_tails.end()) {
                stop = std::min(to, after->from);
            }
            warn(EexLoadWarning::Kind::BytesSkipped, from, stop - from);
            from = stop;
        }
        m_scene = -1;
        m_section = -1;
    }

    // Bytes the tree gains (or loses) in the innermost open nested list.
    void countListBytes(std::int64_t bytes)
    {
        if (!m_openBytes.empty())
            m_openBytes.back() += bytes;
    }

    // A nested length that does not match the list read under it would make
    // every save fail; it takes the list's length, and the user is told.
    void repairNestedLength(NodeId block, std::int64_t nAt, int stored, std::int64_t real)
    {
        QString key = m_tree.key(block);
        const qsizetype cut = key.indexOf(u'_');
        if (cut < 4 || real > 0xFFFF || keyField(key, int(cut) - 3, 2) == real)
            return;
        key.replace(cut - 4, 4, hexWord(int(real)));
        m_tree.rekeyNew(block, key, ReaderCaptions::kBlock);
        warn(EexLoadWarning::Kind::NestedLengthRepaired, nAt, 0);
        m_warnings.back().storedLength = stored;
        m_warnings.back().listLength = int(real);
    }

    // Keeps the nested length of every open child event equal to the bytes
    // its list will hold in the tree when the tree and the file part ways.
    void adjustOpenLengths(int delta)
    {
        for (NodeId block : m_openBlocks) {
            QString key = m_tree.key(block);
            const qsizetype cut = key.indexOf(u'_');
            if (cut < 4)
                continue;
            const int n = int(keyField(key, int(cut) - 3, 2)) + delta;
            key.replace(cut - 4, 4, hexWord(n));
            m_tree.rekeyNew(block, key, ReaderCaptions::kBlock);
        }
    }

    void setColours(NodeId n, int code)
    {
        if (code == kCommentCode)
            m_tree.setTextColor(n, commentTextColor());
        else if (code == kMarkerCode)
            m_tree.setTextColor(n, markerTextColor());
        else if (code == kArithmeticCode)
            m_tree.setBackColor(n, arithmeticBackColor());
    }

    // One Section's condition list. Every command whose record can be
    // delimited becomes a node, so nothing of a head list is lost.
    void readHead(NodeId section)
    {
        for (;;) {
            const std::int64_t p = m_seek;
            const int code = u16(p);
            if (code == kEndCode) {
                m_seek = p + 2;
                m_headEnd = addNode(section, readerHeadEndKey(m_scene, m_section), menuName(0));
                ++m_serial;
                return;
            }
            if (code > kHighestCode) {
                spendWork(2);
                m_seek = p + 2;
                warn(EexLoadWarning::Kind::UnknownCode, p, 2);
                ++m_serial;
                continue;
            }
            const MeasuredRecord m = measure(p);
            spendWork(m.length);
            m_seek = p + m.length;
            const NodeId n =
                code == kCommentCode
                    ? addNode(section, lockedCommentKey(hexText(m_d + p, m.length), m_serial),
                              QString(), 0, ReaderCaptions::kHead)
                    : addRecord(section, p, m.length, m_serial, ReaderCaptions::kHead);
            setColours(n, code);
            ++m_serial;
        }
    }

    // A body or nested list up to and including its end record.
    void readList(NodeId parent)
    {
        for (;;) {
            int code;
            if (m_rewind) {
                m_rewind = false;
                if (m_rewoundFrom.contains(m_seek))
                    fail(m_seek, QStringLiteral("look-ahead makes no progress"));
                m_rewoundFrom.insert(m_seek);
                if (m_seek - 4 < 0)
                    fail(m_seek, QStringLiteral("look-ahead before the file"));
                m_seek -= 4;
                code = kMarkerCode;
                m_assumedMarker = true;
            } else {
                code = u16(m_seek);
            }
            if (menuAdd(code, parent) == kEndCode && !m_rewind)
                return;
        }
    }

    // Reads one command of an action list at the read position; returns its
    // code (-1 when nothing was added).
    int menuAdd(int code, NodeId parent)
    {
        const std::int64_t p = m_seek;
        m_seek = p + 2;
        m_lastAdded = kNoNode;
        if (code > kHighestCode) {
            spendWork(2);
            warn(EexLoadWarning::Kind::UnknownCode, p, 2);
            adjustOpenLengths(-2);
            return -1;
        }
        if (code == kEndCode) {
            m_lastAdded = addNode(parent, readerEndKey(m_serial), menuName(0));
            countListBytes(2);
            ++m_serial;
            return kEndCode;
        }
        if (code == kMarkerCode) {
            childEvent(p, parent);
            return kMarkerCode;
        }
        const MeasuredRecord m = measure(p);
        spendWork(m.length);
        m_seek = p + m.length;
        const KeySerial serial = m_serial++;
        if (!m_childFlag) {
            const int next = u16(m_seek);
            if (next != 0 && lookAhead(m_seek) == 0 && wordOrMinus(p - 2) == kMarkerCode &&
                lookAhead(m_seek + 2) != 0) {
                // The bytes behind do not read as a command: this command must
                // be the block command of a child event whose marker the record
                // before took in as its last word. The list loop reads that
                // child event instead. Without such a word there is no marker
                // to find: a block command read from the record before's last
                // word would only double bytes, and the command stays as it is.
                // Nor is one assumed where no nested list would follow: such a
                // marker explains nothing, and any record ending in 01 00 that
                // an edit puts before a damaged command would conjure it up.
                m_rewind = true;
                m_seek = p;
                return code;
            }
        }
        const NodeId n = addRecord(parent, p, m.length, serial, ReaderCaptions::kBody);
        countListBytes(m.length);
        setColours(n, code);
        m_lastAdded = n;
        return code;
    }

    // Whether the bytes at `at` start a command, looking past commands
    // without items. Answers are remembered by position, so a long run of
    // such commands is walked once, not once per command.
    //
    // In a Section whose length word ends it with an end record, as every
    // saved Section ends, a look-ahead from inside sees nothing behind that
    // end (a nested list cannot start there). So a saved Section reads the
    // same whatever follows it: a save's Sections can be checked one at a
    // time, and moving one cannot change how the one before it reads.
    int lookAhead(std::int64_t at)
    {
        std::vector<std::int64_t> &walked = m_walked;
        walked.clear();
        const std::int64_t bound = m_sectionClosed && at >= m_sectionStart && at <= m_sectionEnd
                                       ? std::min(m_sectionEnd, m_size)
                                       : m_size;
        int v = 0;
        for (std::int64_t o = at;; o += 2) {
            if (o < 0 || o + 2 > bound) {
                v = 0;
                break;
            }
            const std::int8_t known = m_lookAheadMemo[std::size_t(o)];
            if (known >= 0) {
                v = known;
                break;
            }
            walked.push_back(o);
            // An unknown code is passed over when read, so the look-ahead
            // passes over it too: it sees the bytes as a save will write them.
            const int code = wordOrMinus(o);
            v = code > kHighestCode ? 2 : looksLike(m_d, bound, code, o);
            if (v != 2)
                break;
        }
        for (std::int64_t o : walked)
            m_lookAheadMemo[std::size_t(o)] = std::int8_t(v);
        return v;
    }

    int wordOrMinus(std::int64_t o) const
    {
        if (o < 0 || o + 2 > m_size)
            return -1;
        return int(m_d[o]) | (int(m_d[o + 1]) << 8);
    }

    void childEvent(std::int64_t p, NodeId parent)
    {
        const bool assumed = m_assumedMarker;
        m_assumedMarker = false;
        if (int(m_openBlocks.size()) >= kMaxNesting)
            fail(p, QStringLiteral("child events nest too deeply"));
        const KeySerial markerSerial = m_serial++;
        // Further markers directly behind the first make no node of their
        // own; a real marker keeps their bytes in its record. Unknown codes
        // among them are passed over and warned, as the look-ahead passes
        // over them, so the block command is the first known code behind.
        // An assumed marker stands for the last word of the record before,
        // and the block command is the command behind that word.
        QString record = QStringLiteral("0100");
        if (assumed)
            m_seek += 2;
        for (int code = u16(m_seek); !assumed && (code == kMarkerCode || code > kHighestCode); code = u16(m_seek)) {
            if (code > kHighestCode) {
                spendWork(2);
                warn(EexLoadWarning::Kind::UnknownCode, m_seek, 2);
                adjustOpenLengths(-2);
            } else {
                record += QStringLiteral("0100");
            }
            m_seek += 2;
        }
        const NodeId marker = addNode(parent, commandKey(record, markerSerial), menuName(1));
        m_tree.setTextColor(marker, markerTextColor());
        const int markerBytes = int(record.size() / 2);
        countListBytes(markerBytes);
        // An assumed marker adds its two bytes: the record before keeps the
        // word it stands for.
        if (assumed) {
            warn(EexLoadWarning::Kind::MarkerAssumed, p, 2);
            adjustOpenLengths(2);
        }

        m_childFlag = true;
        menuAdd(u16(m_seek), parent);
        m_childFlag = false;
        const NodeId block = m_lastAdded;
        auto dropMarker = [&]() {
            m_tree.remove(marker);
            countListBytes(-markerBytes);
            adjustOpenLengths(-markerBytes);
            warn(EexLoadWarning::Kind::MarkerDropped, p, markerBytes);
        };
        if (block == kNoNode) {
            dropMarker();
            return;
        }
        m_tree.setBackColor(block, childBlockBackColor());
        ++m_serial;

        if (lookAhead(m_seek + 2) == 0) {
            // No nested list follows. The marker stays a node of its own (an
            // assumed one too, as warned), so the save writes it and a second
            // reading makes the same choice; without it, the look-ahead
            // behind the command before would meet the block command, and
            // read it differently.
            m_saveDoubtful = true;
            return;
        }
        const std::int64_t nestedAt = m_seek;
        const int nested = u16(m_seek);
        QString key = m_tree.key(block);
        key.insert(key.indexOf(u'_'), hexWord(nested));
        m_tree.rekeyNew(block, std::move(key), ReaderCaptions::kBlock);
        countListBytes(2);
        m_seek += 2;

        m_openBlocks.push_back(block);
        m_openBytes.push_back(0);
        readList(block);
        const std::int64_t listBytes = m_openBytes.back();
        m_openBytes.pop_back();
        m_openBlocks.pop_back();
        countListBytes(listBytes);
        repairNestedLength(block, nestedAt, nested, listBytes);
        if (m_lastAdded != kNoNode)
            m_tree.setBackColor(m_lastAdded, childBlockBackColor());
        ++m_serial;
    }

    QByteArray m_image;
    const std::uint8_t *m_d = nullptr;
    std::int64_t m_size = 0;      // the image, padding included
    std::int64_t m_fileSize = 0;  // the file alone
    Tree &m_tree;
    KeySerial &m_serial;
    const CaptionContext &m_captions;
    const WorkProgress &m_progress;
    std::int64_t m_nextReport = 0;

    std::int64_t m_seek = 0;
    int m_lastLength = 0;
    std::int64_t m_sectionStart = 0;  // the Section being read: behind its length word
    std::int64_t m_sectionEnd = 0;    // and where its length word says it ends
    bool m_sectionClosed = false;     // its last word there is an end record
    int m_scene = -1;
    int m_section = -1;
    NodeId m_headEnd = kNoNode;
    NodeId m_lastAdded = kNoNode;
    bool m_childFlag = false;
    bool m_rewind = false;         // the look-ahead asks the list loop for a child event
    bool m_assumedMarker = false;  // the marker being read is such a child event's
    QSet<std::int64_t> m_rewoundFrom;
    std::vector<NodeId> m_openBlocks;
    std::vector<std::int64_t> m_openBytes;  // per open block: the bytes its list holds so far
    std::vector<std::pair<std::int64_t, std::int64_t>> m_held;  // stretches of the file the tree holds
    struct Tail {
        std::int64_t from, to;  // bytes a Section's length word claims behind its lists
        int scene, section;
    };
    std::vector<Tail> m_tails;
    std::int64_t m_sceneOffset = 0;
    std::int64_t m_scenes = 0;
    bool m_saveDoubtful = false;
    std::vector<EexLoadWarning> m_warnings;
    std::vector<std::int64_t> m_walked;        // lookAhead's scratch list
    std::vector<std::int8_t> m_lookAheadMemo;  // per offset: -1 unknown, else the answer
    std::int64_t m_work = 0;
    std::int64_t m_workLimit = 0;
};

} // namespace

namespace {

EexLoadResult readOnce(const QByteArray &fileBytes, const QString &path, DocTree &tree, KeySerial &keySerial,
                       const CaptionContext &captions, const WorkProgress &progress, bool &doubtful)
{
    return eexLoadGuarded(tree, [&] {
        tree.clear();
        EexLoadResult result;
        result.fileSize = fileBytes.size();
        Reader<DocTree> reader(fileBytes, tree, keySerial, captions, progress);
        try {
            reader.load(path);
            result.ok = true;
        } catch (const LoadCancelled &) {
            tree.clear();
            result.failure = EexLoadFailure::Cancelled;
            return result;
        } catch (const LoadFailure &f) {
            result.ok = false;
            result.failure = EexLoadFailure::Damaged;
            result.errorOffset = f.offset;
            result.errorDetail = f.detail;
        } catch (const LoadOverlapping &o) {
            // Nothing of such a file is worth keeping: the open is refused.
            tree.clear();
            result.failure = EexLoadFailure::Overlapping;
            result.errorOffset = o.offset;
            result.repeatedScene = o.repeatedScene;
            result.repeatedSceneTimes = o.repeatedSceneTimes;
            result.errorDetail = QStringLiteral("Scenes or Sections overlap beyond the read budget");
            return result;
        }
        doubtful = result.ok && reader.saveDoubtful();
        result.warnings = reader.takeWarnings();
        return result;
    });
}

// Readings of a damaged file's saved bytes, at most this many, before the
// document is declared unsaveable.
constexpr int kMaxSettlingPasses = 8;

// What settling a damaged file may cost, in bytes read into a tree: a check
// of the tree's save (serializing, reading it back flat and comparing) costs
// about kCheckCost of a reading, a reading of the saved bytes into the tree
// one more. Together with the first reading (at most eexReadBudget) the open
// stays within about three times that of an undamaged file of the size; a
// tree that has not settled by then is left as it is and says it cannot be
// saved. The allowance (about a tenth of a second of reading) lets files of
// the size real scenarios have settle as often as they need to.
constexpr double kCheckCost = 2.0;
constexpr double kSettleBudget = 3.0;
constexpr std::int64_t kSettleAllowance = 4 * 1024 * 1024;

std::int64_t saveSizeAfter(std::int64_t readBytes, const std::vector<EexLoadWarning> &warnings, int pass)
{
    for (const EexLoadWarning &w : warnings)
        if (w.pass == pass)
            readBytes += eexSaveByteChange(w);
    return readBytes;
}

// Where the tree parted from the file, the look-ahead may read the saved bytes
// differently: a byte dropped or added changes what an earlier look ahead
// sees. So the tree's save is checked as a save checks it, and while it reads
// back differently the tree is read again from its own save: the document
// shows what a save writes. The bytes each pass drops or adds are warned as
// well. A document that cannot be saved says so before the author works on
// it. Only one tree is held at a time: the check reads the save into a flat
// list, and a new reading replaces the tree.
void settle(EexLoadResult &result, DocTree &tree, KeySerial &keySerial, const QString &path,
            const CaptionContext &captions, const WorkProgress &progress)
{
    auto unsaveable = [&](const QString &reason, int scene, int section) {
        EexLoadWarning w;
        w.kind = EexLoadWarning::Kind::Unsaveable;
        w.scene = scene;
        w.section = section;
        w.reason = reason;
        result.warnings.push_back(std::move(w));
    };
    const double budget = kSettleBudget * double(result.fileSize) + double(kSettleAllowance);
    std::int64_t size = saveSizeAfter(result.fileSize, result.warnings, 0);
    double spent = double(std::max(result.fileSize, size));
    for (int pass = 1;; ++pass) {
        spent += kCheckCost * double(size);
        const EexSerializeResult checked = eexSerializeChecked(tree);
        if (checked.ok)
            return;
        if (pass >= kMaxSettlingPasses || spent + (1 + 2 * kCheckCost) * double(size) > budget)
            return unsaveable(checked.message, checked.scene, checked.section);
        const EexSerializeResult saved = eexSerialize(tree);
        if (!saved.ok)
            return unsaveable(saved.message, saved.scene, saved.section);
        {
            EexFlatTree flat;
            const EexLoadResult readable = eexReadFlat(saved.bytes, flat);
            if (readable.failure == EexLoadFailure::OutOfMemory)
                throw std::bad_alloc();
            if (!readable.ok)
                return unsaveable(checked.message, checked.scene, checked.section);
        }
        // The saved bytes read, but into another tree: that tree replaces
        // this one, which goes first so that only one is held.
        tree.clear();
        bool doubtful = false;
        EexLoadResult reread = readOnce(saved.bytes, path, tree, keySerial, captions, progress, doubtful);
        if (reread.failure == EexLoadFailure::Cancelled)
            throw LoadCancelled{};
        if (!reread.ok)  // only memory can fail it now: the flat reading read these bytes
            throw std::bad_alloc();
        spent += (1 + kCheckCost) * double(size);
        for (EexLoadWarning &w : reread.warnings) {
            w.pass = pass;
            result.warnings.push_back(std::move(w));
        }
        size = saveSizeAfter(size, result.warnings, pass);
    }
}

EexLoadResult readInto(const QByteArray &fileBytes, const QString &path, DocTree &tree, KeySerial &keySerial,
                       const CaptionContext &captions, const WorkProgress &progress)
{
    bool doubtful = false;
    EexLoadResult result = readOnce(fileBytes, path, tree, keySerial, captions, progress, doubtful);
    if (doubtful) {
        bool cancelled = false;
        eexLoadGuarded(tree, [&] {
            try {
                settle(result, tree, keySerial, path, captions, progress);
            } catch (const LoadCancelled &) {
                cancelled = true;
            }
            return EexLoadResult{};
        });
        if (cancelled) {
            tree.clear();
            EexLoadResult stopped;
            stopped.failure = EexLoadFailure::Cancelled;
            stopped.fileSize = fileBytes.size();
            return stopped;
        }
        if (tree.root() == kNoNode) {
            EexLoadResult failed;
            failed.failure = EexLoadFailure::OutOfMemory;
            failed.fileSize = fileBytes.size();
            failed.errorDetail = QStringLiteral("out of memory");
            return failed;
        }
    }
    return result;
}

} // namespace

std::int64_t eexReadBudget(std::int64_t fileBytes)
{
    return std::max<std::int64_t>(fileBytes, 0) * 9 / 8 + 64 * 1024;
}

EexLoadResult eexLoad(const QByteArray &fileBytes, const QString &path, DocTree &tree, KeySerial &keySerial,
                      const CaptionContext &captions, const WorkProgress &progress)
{
    // A file the converter would pass over as converted before is refused
    // by name, unless it is also exactly a file of this editor's layout:
    // read as one, it saves into the same bytes (as every save this editor
    // writes does, so no save of it is ever refused here).
    if (isExtendedLayout(fileBytes)) {
        bool doubtful = false;
        EexLoadResult plain = readOnce(fileBytes, path, tree, keySerial, captions, progress, doubtful);
        if (plain.failure == EexLoadFailure::Cancelled || plain.failure == EexLoadFailure::OutOfMemory)
            return plain;
        if (plain.ok && eexSerialize(tree).bytes == fileBytes)
            return plain;
        tree.clear();
        EexLoadResult refused;
        refused.failure = EexLoadFailure::ExtendedLayout;
        refused.fileSize = fileBytes.size();
        return refused;
    }
    return readInto(fileBytes, path, tree, keySerial, captions, progress);
}

EexLoadResult eexReadFlat(const QByteArray &bytes, EexFlatTree &flat)
{
    EexLoadResult result;
    result.fileSize = bytes.size();
    KeySerial serial = 0;
    const CaptionContext noCaptions;  // the reader keeps references to these two
    const WorkProgress noProgress;
    try {
        Reader<EexFlatTree> reader(bytes, flat, serial, noCaptions, noProgress);
        try {
            reader.load(QString());
            result.ok = true;
        } catch (const LoadFailure &f) {
            result.failure = EexLoadFailure::Damaged;
            result.errorOffset = f.offset;
            result.errorDetail = f.detail;
        } catch (const LoadOverlapping &o) {
            result.failure = EexLoadFailure::Overlapping;
            result.errorOffset = o.offset;
        }
        result.warnings = reader.takeWarnings();
    } catch (const std::bad_alloc &) {
        result.ok = false;
        result.failure = EexLoadFailure::OutOfMemory;
    }
    return result;
}

NodeId EexFlatTree::push(NodeId parent, Node node)
{
    if (parent != kNoNode) {
        if (parent < 1 || parent > size())
            return kNoNode;
        node.depth = m_nodes[std::size_t(parent) - 1].depth + 1;
    }
    m_nodes.push_back(node);
    return NodeId(m_nodes.size());
}

NodeId EexFlatTree::addRoot(const QString &key, const QString &)
{
    if (!m_nodes.empty())
        return kNoNode;
    m_keys.push_back(key);
    return push(kNoNode, Node{0, 0, 0, 0, true});
}

NodeId EexFlatTree::appendNew(NodeId parent, QString key, int, const QString &)
{
    m_keys.push_back(std::move(key));
    return push(parent, Node{0, 0, 0, std::int32_t(m_keys.size() - 1), true});
}

NodeId EexFlatTree::appendRecord(NodeId parent, qsizetype offset, int length, std::uint64_t, int)
{
    if (offset < 0 || length < 0 || offset + length > m_image.size())
        return kNoNode;
    return push(parent, Node{0, length, std::uint32_t(offset), -1, true});
}

bool EexFlatTree::remove(NodeId n)
{
    // The reader removes only a marker it has just added, which has no children.
    if (n < 1 || n > size())
        return false;
    m_nodes[std::size_t(n) - 1].alive = false;
    return true;
}

QString EexFlatTree::key(NodeId n) const
{
    const Node &node = m_nodes[std::size_t(n) - 1];
    if (node.key >= 0)
        return m_keys[std::size_t(node.key)];
    return hexText(reinterpret_cast<const std::uint8_t *>(m_image.constData()) + node.offset, node.length) +
           QStringLiteral("_0");
}

void EexFlatTree::rekeyNew(NodeId n, QString key, int)
{
    Node &node = m_nodes[std::size_t(n) - 1];
    if (node.key >= 0) {
        m_keys[std::size_t(node.key)] = std::move(key);
        return;
    }
    m_keys.push_back(std::move(key));
    node.key = std::int32_t(m_keys.size() - 1);
}

QByteArrayView EexFlatTree::recordBytes(int i) const
{
    const Node &node = m_nodes[std::size_t(i)];
    if (node.key >= 0)
        return {};
    return QByteArrayView(m_image.constData() + node.offset, node.length);
}

QStringView EexFlatTree::recordHex(int i) const
{
    const Node &node = m_nodes[std::size_t(i)];
    if (node.key < 0)
        return {};
    return recordPart(m_keys[std::size_t(node.key)]);
}

EexLoadResult eexLoadGuarded(DocTree &tree, const std::function<EexLoadResult()> &load)
{
    try {
        return load();
    } catch (const std::bad_alloc &) {
        // What was built so far goes; the caller's other documents stay.
        tree.clear();
        EexLoadResult result;
        result.failure = EexLoadFailure::OutOfMemory;
        result.errorDetail = QStringLiteral("out of memory");
        return result;
    }
}

EexLoadResult eexLoadFile(const QString &path, DocTree &tree, KeySerial &keySerial, const CaptionContext &captions,
                          const WorkProgress &progress)
{
    tree.clear();
    EexLoadResult refused;
    const QFileInfo info(path);
    if (!info.exists()) {
        refused.failure = EexLoadFailure::Missing;
        return refused;
    }
    if (!info.isFile()) {
        refused.failure = EexLoadFailure::NotAFile;
        return refused;
    }
    refused.fileSize = info.size();
    if (info.size() > kMaxScenarioBytes) {
        refused.failure = EexLoadFailure::TooLarge;
        return refused;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refused.failure = EexLoadFailure::Unreadable;
        refused.errorDetail = file.errorString();
        return refused;
    }
    EexLoadResult result = eexLoadGuarded(tree, [&] {
        // Read at most one byte over the limit: a file that grew meanwhile
        // (or a device that reports no size) is still refused.
        const QByteArray bytes = file.read(kMaxScenarioBytes + 1);
        if (file.error() != QFileDevice::NoError) {
            EexLoadResult r;
            r.failure = EexLoadFailure::Unreadable;
            r.errorDetail = file.errorString();
            return r;
        }
        if (bytes.size() > kMaxScenarioBytes) {
            EexLoadResult r;
            r.failure = EexLoadFailure::TooLarge;
            r.fileSize = bytes.size();
            return r;
        }
        file.close();
        return eexLoad(bytes, path, tree, keySerial, captions, progress);
    });
    if (result.failure == EexLoadFailure::OutOfMemory)
        result.fileSize = info.size();
    return result;
}

namespace {

// "3.2 GB (3,435,973,836바이트)".
QString sizeText(std::int64_t bytes)
{
    const QLocale c = groupedNumbers();
    QString unit = QStringLiteral("바이트");
    double value = double(bytes);
    if (bytes >= 1024LL * 1024 * 1024) {
        value /= 1024.0 * 1024 * 1024;
        unit = QStringLiteral("GB");
    } else if (bytes >= 1024 * 1024) {
        value /= 1024.0 * 1024;
        unit = QStringLiteral("MB");
    } else if (bytes >= 1024) {
        value /= 1024.0;
        unit = QStringLiteral("KB");
    } else {
        return c.toString(bytes) + unit;
    }
    return QStringLiteral("%1 %2 (%3바이트)").arg(c.toString(value, 'f', 1), unit, c.toString(qlonglong(bytes)));
}

} // namespace

QString eexLoadFailureMessage(const EexLoadResult &result, const QString &path)
{
    const QString head = path + QStringLiteral("\r\n");
    switch (result.failure) {
    case EexLoadFailure::None:
    case EexLoadFailure::Cancelled:  // the user's own choice: nothing to say
        return {};
    case EexLoadFailure::Damaged:
        return eexLoadErrorMessage(result.errorOffset);
    case EexLoadFailure::Missing:
        return head + QStringLiteral("존재하지 않는 파일입니다!");
    case EexLoadFailure::NotAFile:
        return head + QStringLiteral("파일이 아니라 폴더(또는 장치)라서 열 수 없습니다.");
    case EexLoadFailure::Unreadable:
        return head + QStringLiteral("파일을 읽을 수 없습니다. 읽기 권한이 있는지, 디스크에 문제가 없는지 확인해 주십시오.");
    case EexLoadFailure::TooLarge:
        return head + QStringLiteral("파일이 %1로 너무 커서 열지 않았습니다. 시나리오 파일은 %2MB까지 열 수 있습니다.")
                          .arg(sizeText(result.fileSize))
                          .arg(kMaxScenarioBytes / (1024 * 1024));
    case EexLoadFailure::OutOfMemory:
        return head + QStringLiteral("메모리가 부족해 파일(%1)을 열지 못했습니다. 열려 있는 다른 문서는 그대로입니다.")
                          .arg(sizeText(result.fileSize));
    case EexLoadFailure::Overlapping: {
        const QString why =
            result.repeatedScene >= 0
                ? QStringLiteral("Scene 표가 같은 Scene(위치 %1)을 %2번 가리켜 같은 바이트를 거듭 읽어야 합니다.")
                      .arg(QString::number(result.repeatedScene, 16).toUpper())
                      .arg(result.repeatedSceneTimes)
                : QStringLiteral("Scene이나 Section이 서로 겹쳐 같은 바이트를 거듭 읽어야 합니다(위치 %1).")
                      .arg(QString::number(result.errorOffset, 16).toUpper());
        return head + why +
               QStringLiteral(" %1인 파일에서 %2 넘게 읽게 되는 손상된 파일이라 열지 않았습니다.")
                   .arg(sizeText(result.fileSize), sizeText(eexReadBudget(result.fileSize)));
    }
    case EexLoadFailure::ExtendedLayout:
        return head + QStringLiteral("이 파일은 파일 메뉴의 \"확장 형식으로 변환...\"이 쓰는 확장 형식이라 "
                                     "이 편집기에서 열 수 없습니다.");
    }
    return {};
}

QString eexLoadErrorMessage(std::int64_t seekAdr)
{
    return QStringLiteral("EEX 파일 오류！ SeekAdr : ") + QString::number(seekAdr, 16).toUpper();
}

std::int64_t eexSaveByteChange(const EexLoadWarning &w)
{
    switch (w.kind) {
    case EexLoadWarning::Kind::UnknownCode:
    case EexLoadWarning::Kind::MarkerDropped:
    case EexLoadWarning::Kind::BytesAfterEnd:
    case EexLoadWarning::Kind::BytesSkipped:
        return -w.byteCount;
    case EexLoadWarning::Kind::MarkerAssumed:
    case EexLoadWarning::Kind::BytesReadTwice:
    case EexLoadWarning::Kind::BytesPastEnd:
        return w.byteCount;
    case EexLoadWarning::Kind::NestedLengthRepaired:
    case EexLoadWarning::Kind::Unsaveable:
        return 0;
    }
    return 0;
}

namespace {

QString warningText(const EexLoadWarning &w);

} // namespace

QString eexLoadWarningMessage(const EexLoadWarning &w)
{
    // A later pass reads the bytes as the earlier warnings left them.
    if (w.pass > 0)
        return QStringLiteral("(위 경고대로 고친 내용을 다시 읽은 %1번째 결과) ").arg(w.pass) + warningText(w);
    return warningText(w);
}

namespace {

QString warningText(const EexLoadWarning &w)
{
    const QString count = groupedNumbers().toString(qlonglong(w.byteCount));
    const auto placeText = [](std::int64_t offset) {
        return QStringLiteral("위치 %1: ").arg(QString::number(offset, 16).toUpper());
    };
    QString what;
    switch (w.kind) {
    case EexLoadWarning::Kind::UnknownCode:
        what = QStringLiteral("알 수 없는 명령 코드 %1바이트를 건너뛰었습니다. 저장하면 이 바이트는 빠집니다.");
        break;
    case EexLoadWarning::Kind::MarkerDropped:
        what = QStringLiteral("중첩 목록이 없는 자사건설정 %1바이트를 건너뛰었습니다. 저장하면 이 바이트는 빠집니다.");
        break;
    case EexLoadWarning::Kind::MarkerAssumed:
        what = QStringLiteral("자사건설정을 추정해 %1바이트를 더했습니다. 저장하면 이 바이트가 더해집니다.");
        break;
    case EexLoadWarning::Kind::BytesAfterEnd:
        return placeText(w.offset) +
               QStringLiteral("마지막 Scene 뒤에 %1바이트가 더 있습니다. 저장하면 이 바이트는 빠집니다.").arg(count);
    case EexLoadWarning::Kind::BytesSkipped:
        if (w.section >= 0) {
            what = QStringLiteral("Section의 길이 안에 있지만 어느 명령에도 들지 않는 %1바이트를 건너뛰었습니다. "
                                  "저장하면 이 바이트는 빠집니다.");
            break;
        }
        return placeText(w.offset) +
               QStringLiteral("어느 Scene이나 Section에도 들지 않는 %1바이트를 건너뛰었습니다. 저장하면 이 바이트는 빠집니다.")
                   .arg(count);
    case EexLoadWarning::Kind::BytesReadTwice:
        if (w.stretch > 0 && w.stretch < w.byteCount)
            return placeText(w.offset) +
                   QStringLiteral("Scene이나 Section이 겹쳐 %1바이트를 여러 번 읽었습니다. 저장하면 이 바이트가 읽은 만큼 "
                                  "거듭 쓰여 %2바이트가 더해집니다.")
                       .arg(groupedNumbers().toString(qlonglong(w.stretch)), count);
        return placeText(w.offset) +
               QStringLiteral("Scene이나 Section이 겹쳐 %1바이트를 두 번 읽었습니다. 저장하면 이 바이트가 두 번 쓰여 더해집니다.")
                   .arg(count);
    case EexLoadWarning::Kind::BytesPastEnd:
        return placeText(w.offset) +
               QStringLiteral("파일이 목록 중간에서 끝나 그 뒤를 0으로 %1바이트 읽었습니다. 저장하면 이 바이트가 더해집니다.")
                   .arg(count);
    case EexLoadWarning::Kind::NestedLengthRepaired:
        what = QStringLiteral("자사건의 중첩 길이 %1이(가) 읽은 목록의 길이 %2와(과) 달라 %2(으)로 고쳤습니다. "
                              "저장하면 고친 길이가 쓰입니다.")
                   .arg(w.storedLength)
                   .arg(w.listLength);
        break;
    case EexLoadWarning::Kind::Unsaveable:
        return QStringLiteral("이 문서는 읽은 그대로는 저장할 수 없습니다. 저장하려 하면 다음 까닭으로 거부됩니다: ") + w.reason;
    }
    return QStringLiteral("Scene %1, Section %2, 위치 %3: ")
               .arg(w.scene + 1)
               .arg(w.section + 1)
               .arg(QString::number(w.offset, 16).toUpper()) +
           (w.kind == EexLoadWarning::Kind::NestedLengthRepaired ? what : what.arg(w.byteCount));
}

} // namespace

QString eexLoadWarningsText(const std::vector<EexLoadWarning> &warnings, int listed)
{
    std::vector<const EexLoadWarning *> order;
    for (const EexLoadWarning &w : warnings)
        if (w.kind == EexLoadWarning::Kind::Unsaveable)
            order.push_back(&w);
    std::int64_t dropped = 0, added = 0;
    for (const EexLoadWarning &w : warnings) {
        const std::int64_t change = eexSaveByteChange(w);
        (change < 0 ? dropped : added) += change < 0 ? -change : change;
        if (w.kind != EexLoadWarning::Kind::Unsaveable)
            order.push_back(&w);
    }
    // Warnings that read alike are one line, with how often they occur.
    QStringList distinct;
    std::vector<int> times;
    QHash<QString, int> seen;
    for (const EexLoadWarning *w : order) {
        const QString line = eexLoadWarningMessage(*w);
        const auto found = seen.constFind(line);
        if (found != seen.constEnd()) {
            ++times[std::size_t(*found)];
            continue;
        }
        seen.insert(line, int(distinct.size()));
        distinct.append(line);
        times.push_back(1);
    }
    const QLocale numbers = groupedNumbers();
    const qsizetype shown = std::min<qsizetype>(distinct.size(), std::max(listed, 0));
    QStringList lines;
    for (qsizetype i = 0; i < shown; ++i)
        lines.append(times[std::size_t(i)] > 1 ? distinct[i] + QStringLiteral(" (%1번)").arg(times[std::size_t(i)])
                                               : distinct[i]);
    if (distinct.size() > shown)
        lines.append(QStringLiteral("… 그 밖에 %1건이 더 있습니다.").arg(numbers.toString(qlonglong(distinct.size() - shown))));
    if (warnings.size() > 1 && (dropped > 0 || added > 0))
        lines.append(QStringLiteral("모두 합해 저장하면 %1바이트가 빠지고 %2바이트가 더해집니다.")
                         .arg(numbers.toString(qlonglong(dropped)), numbers.toString(qlonglong(added))));
    return lines.join(QStringLiteral("\r\n"));
}

int eexLooksLikeCommand(const QByteArray &image, int code, std::int64_t offset)
{
    return looksLike(reinterpret_cast<const std::uint8_t *>(image.constData()), image.size(), code, offset);
}

} // namespace core
