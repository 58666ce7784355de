#include "core/eex_writer.h"

#include "core/catalogue.h"
#include "core/eex_reader.h"
#include "core/key_codec.h"

#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStorageInfo>

namespace core {

namespace {

// Numbers with thousands separators, whatever the desktop's locale.
QLocale groupedNumbers()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    return c;
}


constexpr qsizetype kMaxWord = 65535;

// What a save cannot write, the node it is about (none for a whole Section)
// and what a refused save adds to it.
struct Refusal {
    QString reason;
    NodeId node = kNoNode;
    QString saveEnding;
};

class Serializer
{
public:
    explicit Serializer(const DocTree &tree) : m_t(tree) {}

    QByteArray run()
    {
        const NodeId root = m_t.root();
        QByteArray out = QByteArray::fromHex("45455800010200000000");
        const int scenes = m_t.childCount(root);
        out.resize(10 + 4 * qsizetype(scenes));
        m_scene = 0;
        for (NodeId scene = m_t.firstChild(root); scene != kNoNode; scene = m_t.next(scene), ++m_scene) {
            m_section = -1;
            putLongAt(out, 10 + 4 * m_scene, quint32(out.size()));
            putWord(out, m_t.childCount(scene));
            m_section = 0;
            for (NodeId section = m_t.firstChild(scene); section != kNoNode;
                 section = m_t.next(section), ++m_section)
                writeSection(out, section);
        }
        return out;
    }

    // One Section alone, as run() writes it (its Scene and Section numbers
    // named in refusals are its places in the tree).
    QByteArray runSection(NodeId section)
    {
        m_scene = m_t.row(m_t.parent(section));
        m_section = m_t.row(section);
        QByteArray out;
        writeSection(out, section);
        return out;
    }

    int scene() const { return m_scene; }
    int section() const { return m_section; }

private:
    [[noreturn]] void refuse(const QString &what, NodeId node, const QString &saveEnding = {})
    {
        throw Refusal{what, node, saveEnding};
    }

    static void putWord(QByteArray &out, qsizetype v)
    {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    }

    static void putLongAt(QByteArray &out, qsizetype at, quint32 v)
    {
        for (int i = 0; i < 4; ++i)
            out[at + i] = char((v >> (8 * i)) & 0xFF);
    }

    // Appends the node's record part; returns its byte count.
    qsizetype appendRecord(QByteArray &out, NodeId n)
    {
        // A key not made yet is its record's bytes as read: written as they are.
        const QByteArrayView pending = m_t.pendingRecord(n);
        if (!pending.isEmpty()) {
            out.append(pending);
            return pending.size();
        }
        const QString &key = m_t.key(n);
        const QStringView rec = recordPart(key);
        if (rec.size() == key.size() || rec.size() % 2 != 0 || rec.isEmpty())
            refuse(QStringLiteral("명령 키가 올바르지 않습니다: %1").arg(key), n);
        const qsizetype start = out.size();
        out.resize(start + rec.size() / 2);
        char *p = out.data() + start;
        const QChar *c = rec.data();
        for (qsizetype i = 0; i < rec.size(); i += 2) {
            const int hi = hexDigitValue(c[i].unicode()), lo = hexDigitValue(c[i + 1].unicode());
            if (hi < 0 || lo < 0)
                refuse(QStringLiteral("명령 키가 올바르지 않습니다: %1").arg(key), n);
            *p++ = char(hi * 16 + lo);
        }
        return rec.size() / 2;
    }

    // A body or nested list: each node's record, then its children's. A node
    // with children ends its record with the nested length, which must equal
    // the bytes its children give.
    void appendList(QByteArray &out, NodeId first)
    {
        for (NodeId n = first; n != kNoNode; n = m_t.next(n)) {
            const qsizetype length = appendRecord(out, n);
            if (m_t.childCount(n) == 0)
                continue;
            if (length < 4)
                refuse(QStringLiteral("자사건 명령에 중첩 길이가 없습니다: %1").arg(m_t.key(n)), n);
            const int stored = int(quint8(out[out.size() - 2])) | (int(quint8(out[out.size() - 1])) << 8);
            const qsizetype before = out.size();
            appendList(out, m_t.firstChild(n));
            const qsizetype real = out.size() - before;
            if (real != stored)
                refuse(QStringLiteral("자사건의 중첩 길이 %1이(가) 실제 길이 %2와(과) 다릅니다.").arg(stored).arg(real), n,
                       QStringLiteral(" 저장하지 않았습니다."));
        }
    }

    void writeSection(QByteArray &out, NodeId section)
    {
        const qsizetype lengthAt = out.size();
        putWord(out, 0);
        // Condition list: the Section's children up to the head-end node,
        // whose own children are the action list.
        for (NodeId n = m_t.firstChild(section); n != kNoNode; n = m_t.next(n)) {
            appendRecord(out, n);
            if (m_t.childCount(n) > 0 && recordPart(m_t.key(n)) == QLatin1String("0000"))
                break;
        }
        const qsizetype bodyLengthAt = out.size();
        putWord(out, 0);
        const NodeId last = m_t.lastChild(section);
        if (last != kNoNode)
            appendList(out, m_t.firstChild(last));
        const qsizetype body = out.size() - bodyLengthAt - 2;
        const qsizetype length = out.size() - lengthAt - 2;
        if (length > kMaxWord || body > kMaxWord)
            refuse(QStringLiteral("구역이 %1바이트로 65,535바이트를 넘어 저장할 수 없습니다. 구역을 나누어 주십시오.")
                       .arg(length), section);
        out[lengthAt] = char(length & 0xFF);
        out[lengthAt + 1] = char(length >> 8);
        out[bodyLengthAt] = char(body & 0xFF);
        out[bodyLengthAt + 1] = char(body >> 8);
    }

    const DocTree &m_t;
    int m_scene = -1;
    int m_section = -1;
};

} // namespace

namespace {

// Where a place of the tree stands for the author: "Scene 2, Section 1",
// scene and section 0-based, -1 when not known.
QString scenePlace(int scene, int section)
{
    return QStringLiteral("Scene %1, Section %2").arg(scene + 1).arg(section + 1);
}

void fillRefusal(EexWriteResult &result, const DocTree &tree, const Refusal &r, int scene, int section)
{
    result.ok = false;
    result.node = r.node;
    result.reason = r.reason;
    result.scene = scene;
    result.section = section;
    const bool command = r.node != kNoNode && tree.depth(r.node) > 2;
    result.message = (command ? eexCommandPlace(tree, r.node) : scenePlace(scene, section)) + QStringLiteral(": ") +
                     r.reason + r.saveEnding;
}

} // namespace

EexSerializeResult eexSerialize(const DocTree &tree)
{
    EexSerializeResult result;
    if (tree.root() == kNoNode) {
        result.message = QStringLiteral("저장할 문서가 없습니다.");
        return result;
    }
    Serializer s(tree);
    try {
        result.bytes = s.run();
        result.ok = true;
    } catch (const Refusal &r) {
        fillRefusal(result, tree, r, s.scene(), s.section());
    }
    return result;
}

EexSerializeResult eexSerializeSection(const DocTree &tree, NodeId section)
{
    EexSerializeResult result;
    if (!tree.isValid(section) || tree.depth(section) != 2) {
        result.message = result.reason = QStringLiteral("구역이 아닙니다.");
        return result;
    }
    Serializer s(tree);
    try {
        result.bytes = s.runSection(section);
        result.ok = true;
    } catch (const Refusal &r) {
        fillRefusal(result, tree, r, s.scene(), s.section());
    }
    return result;
}

QString eexCommandPlace(const DocTree &tree, NodeId node)
{
    NodeId section = node;
    while (section != kNoNode && tree.depth(section) > 2)
        section = tree.parent(section);
    if (section == kNoNode || tree.depth(section) != 2)
        return {};
    const QString where = scenePlace(tree.row(tree.parent(section)), tree.row(section));
    if (section == node)
        return where;
    // Its row below the Section, counting every row the tree shows there.
    int row = 1;
    for (NodeId n = tree.firstChild(section); n != node && n != kNoNode; ++row) {
        if (tree.childCount(n) > 0) {
            n = tree.firstChild(n);
            continue;
        }
        while (n != section && tree.next(n) == kNoNode)
            n = tree.parent(n);
        n = n == section ? kNoNode : tree.next(n);
    }
    const int code = keyCode(tree.key(node));
    const QString name = isValidCode(code) ? menuName(code) : QStringLiteral("코드 %1").arg(recordPart(tree.key(node)).left(4));
    return where + QStringLiteral(", %1번째 명령(%2)").arg(row).arg(name);
}

namespace {

// A node's record part: the bytes a key still to be made is made from, or
// the hex text before the key's "_".
struct RecordView {
    QByteArrayView bytes;
    QStringView hex;
    qsizetype size() const { return bytes.isEmpty() ? hex.size() / 2 : bytes.size(); }
};

RecordView recordOf(const DocTree &tree, NodeId n)
{
    const QByteArrayView pending = tree.pendingRecord(n);
    if (!pending.isEmpty())
        return {pending, {}};
    return {{}, recordPart(tree.key(n))};
}

bool hexMatchesBytes(QStringView hex, QByteArrayView bytes)
{
    if (hex.size() != 2 * bytes.size())
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int hi = hexDigitValue(hex[2 * i].unicode()), lo = hexDigitValue(hex[2 * i + 1].unicode());
        if (hi < 0 || lo < 0 || hi * 16 + lo != int(quint8(bytes[i])))
            return false;
    }
    return true;
}

bool sameRecord(const RecordView &a, const RecordView &b)
{
    if (a.size() != b.size())
        return false;
    if (a.hex.isEmpty() && b.hex.isEmpty())
        return a.bytes == b.bytes;
    if (!a.hex.isEmpty() && !b.hex.isEmpty())
        return a.hex.compare(b.hex, Qt::CaseInsensitive) == 0;
    return a.hex.isEmpty() ? hexMatchesBytes(b.hex, a.bytes) : hexMatchesBytes(a.hex, b.bytes);
}

} // namespace

// Walks both trees in display order, keeping count of Scenes and Sections.
EexTreeDifference eexTreeDifference(const DocTree &a, const DocTree &b)
{
    EexTreeDifference d;
    NodeId x = a.root(), y = b.root();
    int depth = 0;
    while (x != kNoNode && y != kNoNode) {
        if (depth == 1) {
            ++d.scene;
            d.section = -1;
        } else if (depth == 2) {
            ++d.section;
        }
        // Scenes and Sections are told apart by place alone; the rest by record.
        if (a.childCount(x) != b.childCount(y) || (depth > 2 && !sameRecord(recordOf(a, x), recordOf(b, y)))) {
            d.found = true;
            d.node = x;
            return d;
        }
        if (a.childCount(x) > 0) {
            x = a.firstChild(x);
            y = b.firstChild(y);
            ++depth;
            continue;
        }
        while (x != kNoNode && a.next(x) == kNoNode) {
            x = a.parent(x);
            y = b.parent(y);
            --depth;
        }
        if (x == kNoNode)
            break;
        x = a.next(x);
        y = b.next(y);
    }
    d.found = (x == kNoNode) != (y == kNoNode);
    return d;
}

namespace {

// The first place where the tree below `top` (the root, or a Section) and a
// flat reading differ, walking the tree in display order alongside the flat
// list from its node `i`, which stands for `top`.
EexTreeDifference flatDifference(const DocTree &tree, NodeId top, const EexFlatTree &flat, int i)
{
    EexTreeDifference d;
    auto nextAlive = [&] {
        while (i < flat.size() && !flat.alive(i))
            ++i;
    };
    int depth = tree.depth(top);
    if (depth == 2) {
        // Counted up again when the walk visits it.
        d.scene = tree.row(tree.parent(top));
        d.section = tree.row(top) - 1;
    }
    NodeId x = top;
    while (x != kNoNode) {
        nextAlive();
        if (depth == 1) {
            ++d.scene;
            d.section = -1;
        } else if (depth == 2) {
            ++d.section;
        }
        if (i == flat.size() || flat.depth(i) != depth ||
            (depth > 2 && !sameRecord(recordOf(tree, x), RecordView{flat.recordBytes(i), flat.recordHex(i)}))) {
            d.found = true;
            d.node = x;
            return d;
        }
        ++i;
        if (tree.childCount(x) > 0) {
            x = tree.firstChild(x);
            ++depth;
            continue;
        }
        while (x != top && tree.next(x) == kNoNode) {
            x = tree.parent(x);
            --depth;
        }
        x = x == top ? kNoNode : tree.next(x);
    }
    nextAlive();
    d.found = i != flat.size();
    return d;
}

// Reads saved bytes back flat and compares them with the tree below `top`
// (whose reading starts at flat node `first`). Empty when they agree, else
// the reason, with the place in `result`.
QString readBackProblem(const DocTree &tree, NodeId top, const QByteArray &bytes, int first, EexWriteResult &result)
{
    // Read back flat: a second document tree would take ten times the memory.
    EexFlatTree again;
    const EexLoadResult read = eexReadFlat(bytes, again);
    if (read.failure == EexLoadFailure::OutOfMemory)
        return QStringLiteral("저장할 내용을 다시 읽어 확인할 메모리가 부족합니다.");
    if (!read.ok)
        return QStringLiteral("저장할 내용을 다시 읽어 보니 위치 %1에서 읽을 수 없습니다.")
            .arg(QString::number(read.errorOffset, 16).toUpper());
    const EexTreeDifference d = flatDifference(tree, top, again, first);
    if (!d.found)
        return {};
    result.scene = d.scene;
    result.section = d.section;
    result.node = d.node;
    return QStringLiteral("저장할 내용을 다시 읽어 보니 문서와 다르게 읽힙니다.");
}

// "Scene 1, Section 2, 7번째 명령(32 : …): " or "Scene 1, Section 2: ".
QString placeOf(const DocTree &tree, const EexWriteResult &result)
{
    if (result.node != kNoNode && tree.depth(result.node) > 2)
        return eexCommandPlace(tree, result.node) + QStringLiteral(": ");
    if (result.scene >= 0)
        return scenePlace(result.scene, result.section) + QStringLiteral(": ");
    return {};
}

} // namespace

EexWriteResult eexCheckSection(const DocTree &tree, NodeId section)
{
    EexSerializeResult s = eexSerializeSection(tree, section);
    if (!s.ok)
        return std::move(s);
    // A file of one Scene holding this Section alone: the reader reads a
    // Section from its own bytes, so it reads it there as in the whole file.
    const QByteArray file = QByteArray::fromHex("454558000102000000000E0000000100") + s.bytes;
    EexWriteResult result;
    result.scene = tree.row(tree.parent(section));
    result.section = tree.row(section);
    // The flat reading holds the root, the Scene, then the Section.
    const QString why = readBackProblem(tree, section, file, 2, result);
    if (why.isEmpty()) {
        result.ok = true;
        return result;
    }
    result.reason = why;
    result.message = placeOf(tree, result) + why;
    return result;
}

EexSerializeResult eexSerializeChecked(const DocTree &tree)
{
    EexSerializeResult result = eexSerialize(tree);
    if (!result.ok)
        return result;
    const QString why = readBackProblem(tree, tree.root(), result.bytes, 0, result);
    if (!why.isEmpty()) {
        // A reading that failed says only where in the bytes: the first
        // Section that does not read back alone names the place.
        for (NodeId scene = tree.firstChild(tree.root()); scene != kNoNode && result.scene < 0; scene = tree.next(scene))
            for (NodeId section = tree.firstChild(scene); section != kNoNode; section = tree.next(section))
                if (const EexWriteResult alone = eexCheckSection(tree, section); !alone.ok) {
                    result.scene = alone.scene;
                    result.section = alone.section;
                    result.node = alone.node;
                    break;
                }
        result.ok = false;
        result.bytes.clear();
        result.reason = why;
        result.message = placeOf(tree, result) + why +
                         QStringLiteral(" 이대로 쓰면 파일을 다시 열 수 없으므로 저장하지 않았습니다. 원래 파일은 그대로입니다.");
    }
    return result;
}

SaveConditions saveConditionsOf(const QString &path)
{
    SaveConditions c;
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    c.targetIsFolder = target.isDir();
    c.folderExists = folder.isDir();
    c.folderWritable = folder.isWritable();
    c.targetWritable = !target.exists() || target.isWritable();
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid()) {
        c.readOnlyDisk = storage.isReadOnly();
        c.bytesFree = storage.bytesAvailable();
    }
    return c;
}

QString saveFailureText(const SaveConditions &c, qint64 needed, QFileDevice::FileError error)
{
    QString why;
    if (c.targetIsFolder)
        why = QStringLiteral("같은 이름의 폴더가 있어 파일로 저장할 수 없습니다.");
    else if (!c.folderExists)
        why = QStringLiteral("저장할 폴더가 없습니다.");
    else if (c.readOnlyDisk)
        why = QStringLiteral("읽기 전용 디스크라 저장할 수 없습니다.");
    else if (c.bytesFree >= 0 && c.bytesFree < needed)
        why = QStringLiteral("디스크 공간이 부족해 저장할 수 없습니다. (필요: %1바이트, 남은 공간: %2바이트)")
                  .arg(groupedNumbers().toString(needed), groupedNumbers().toString(c.bytesFree));
    else if (error == QFileDevice::ResourceError)
        // The space measured now would hold the file (another program freed
        // some, or a quota stood in the way): only what was needed is sure.
        why = QStringLiteral("디스크 공간이 부족해 저장할 수 없습니다. (필요: %1바이트)")
                  .arg(groupedNumbers().toString(needed));
    else if (!c.folderWritable || !c.targetWritable || error == QFileDevice::PermissionsError)
        why = QStringLiteral("이 폴더나 파일에 쓸 권한이 없어 저장할 수 없습니다.");
    else
        why = QStringLiteral("파일을 쓰는 중 오류가 나 저장하지 못했습니다.");
    return why + QStringLiteral(" 원래 파일은 그대로입니다.");
}

EexWriteResult saveFileAtomically(const QByteArray &bytes, const QString &path, const EexWriteHook &hook)
{
    EexWriteResult result;
    const auto refuse = [&](QFileDevice::FileError error) {
        result.message = path + QStringLiteral("\n") + saveFailureText(saveConditionsOf(path), bytes.size(), error);
        return result;
    };
    const QFileInfo target(path);
    if (target.isDir())
        return refuse(QFileDevice::OpenError);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return refuse(file.error());
    if (target.exists())
        file.setPermissions(target.permissions());
    const bool written = hook ? hook(file, bytes) : file.write(bytes) == bytes.size();
    if (!written) {
        const QFileDevice::FileError error = file.error();
        // The temporary file goes before the free space is measured: it may
        // have taken the very space the message reports (a failed commit
        // removes it as well).
        file.cancelWriting();
        file.commit();
        return refuse(error);
    }
    if (!file.commit())
        return refuse(file.error());
    result.ok = true;
    return result;
}

EexWriteResult eexWrite(const DocTree &tree, const QString &path, const EexWriteHook &hook)
{
    EexSerializeResult s = eexSerializeChecked(tree);
    if (!s.ok)
        return s;
    return saveFileAtomically(s.bytes, path, hook);
}

} // namespace core
