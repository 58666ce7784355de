#include "core/eex_converter.h"

#include "core/converter_record_walk.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>
#include <vector>

namespace core {

namespace {

using eexwalk::u16At;
using eexwalk::u32At;

constexpr int kMaxNesting = 64;
constexpr qint64 kMaxLength = 0xFFFFFFFFLL;

QByteArray hex(const char *text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

// Items the extended layout adds.
const QByteArray kForcedSlots = hex("38 00 FF FF 38 00 FF FF 38 00 FF FF 38 00 FF FF 38 00 FF FF");
const QByteArray kBarredSlots = hex("39 00 FF FF 39 00 FF FF 39 00 FF FF 39 00 FF FF 39 00 FF FF");
const QByteArray kArmySlot46 = hex("0200FFFF260000000400000000000400000000002B00FFFF3E00000045000200070001000200FFFF"
                                   "040000000000040000000000");
const QByteArray kArmySlot47 = hex("0200FFFF26000000260000000400000000000400000000002B00FFFF3E000000450002000700"
                                   "01000200FFFF040000000000040000000000");

// Codes past the editor's last one that the extended layout knows, with
// their lengths.
int extendedOnlyLength(int code)
{
    switch (code) {
    case 0x7A: return 22;
    case 0x7B: return 16;
    case 0x7C: return 14;
    case 0x7D: return 22;
    default: return 0;
    }
}

struct Failure {
    qsizetype at;
    QString reason;
};

// Thrown in a check: the converter would change the file here.
struct WouldChange {};

// A length field that encloses the read position; insertions grow it.
struct OpenLength {
    qsizetype field;
    qint64 value;
};

// One change of the working copy, to map positions back to the input.
struct Edit {
    qsizetype at;
    qsizetype count;
};

class Converter
{
public:
    Converter(const QByteArray &input, const EexConvertOptions &options, bool checkOnly = false)
        : m_b(input), m_renumberPersons(!options.convertedBefore), m_checkOnly(checkOnly)
    {
        // A check walks a converted file once; far more work means its Scenes
        // name the same bytes again and again, which no converted file does.
        m_workLimit = 4 * qint64(input.size()) + 65536;
    }

    void run()
    {
        // A first value that counts no Scene, as the reader counts them: the
        // file opens as an empty scenario, with nothing to convert. So does
        // a header whose table is cut short (the missing bytes read as zero).
        if (m_b.size() >= 10) {
            qint64 first = 0;
            for (int i = 0; i < 4 && 10 + i < m_b.size(); ++i)
                first |= qint64(quint8(m_b[10 + i])) << (8 * i);
            if (first <= 12 && (m_b.size() < 14 || first >= 8))
                return;
        }
        need(10, 4, QStringLiteral("장면 표가 없습니다."));
        const qint64 first = u32At(m_b, 10);
        if (first < 14)
            throw Failure{10, QStringLiteral("장면 표의 첫 값이 잘못되었습니다.")};
        // Rounded to the nearest whole number, ties to the even one, as the
        // reader counts the Scenes.
        qint64 q = (first - 14) / 4;
        const qint64 r = (first - 14) % 4;
        if (r > 2 || (r == 2 && (q & 1)))
            ++q;
        if (q + 1 > (m_b.size() - 10) / 4)
            throw Failure{10, QStringLiteral("장면 표가 파일보다 깁니다.")};
        m_sceneCount = q + 1;
        const qsizetype tableEnd = 10 + 4 * m_sceneCount;
        for (qsizetype k = 0; k < m_sceneCount; ++k) {
            const qsizetype scene = u32At(m_b, 10 + 4 * k);
            if (scene < tableEnd)
                throw Failure{10 + 4 * k, QStringLiteral("장면 위치가 장면 표 안을 가리킵니다.")};
            convertScene(scene);
        }
    }

    const QByteArray &bytes() const { return m_b; }
    // Sections walked (a Section met twice counts twice).
    qint64 sectionsWalked() const { return m_sectionsWalked; }

    // The input offset of a position in the working copy.
    qsizetype inputOffset(qsizetype p) const
    {
        for (auto it = m_edits.rbegin(); it != m_edits.rend(); ++it) {
            if (p >= it->at + it->count)
                p -= it->count;
            else if (p >= it->at)
                p = it->at;
        }
        return p;
    }

private:
    void need(qsizetype at, qsizetype count, const QString &reason = QString()) const
    {
        if (at < 0 || count < 0 || at > m_b.size() || count > m_b.size() - at)
            throw Failure{std::min(at, m_b.size()),
                          reason.isEmpty() ? QStringLiteral("파일이 예상보다 일찍 끝납니다.") : reason};
    }
    int word(qsizetype at) const
    {
        need(at, 2);
        return u16At(m_b, at);
    }
    quint32 dword(qsizetype at) const
    {
        need(at, 4);
        return u32At(m_b, at);
    }
    void putWord(qsizetype at, int v)
    {
        if (m_checkOnly && u16At(m_b, at) != (v & 0xFFFF))
            throw WouldChange{};
        if (m_trial)
            m_trialWrites.emplace_back(at, u16At(m_b, at));
        writeWord(at, v);
    }
    void writeWord(qsizetype at, int v)
    {
        m_b[at] = char(v & 0xFF);
        m_b[at + 1] = char((v >> 8) & 0xFF);
    }
    void putDword(qsizetype at, qint64 v)
    {
        putWord(at, int(v & 0xFFFF));
        putWord(at + 2, int((v >> 16) & 0xFFFF));
    }

    // Inserts bytes and keeps every enclosing length and every later Scene
    // offset right.
    void insert(qsizetype at, const QByteArray &bytes)
    {
        if (m_trial)
            throw Failure{at, QString()};
        if (m_checkOnly)
            throw WouldChange{};
        const qsizetype n = bytes.size();
        m_b.insert(at, bytes);
        m_edits.push_back({at, n});
        for (OpenLength &level : m_levels) {
            level.value += n;
            if (level.value > kMaxLength)
                throw Failure{level.field, QStringLiteral("길이 값이 너무 커집니다.")};
            putDword(level.field, level.value);
        }
        for (qsizetype k = 0; k < m_sceneCount; ++k) {
            const qint64 scene = u32At(m_b, 10 + 4 * k);
            if (scene >= at) {
                if (scene + n > kMaxLength)
                    throw Failure{10 + 4 * k, QStringLiteral("장면 위치 값이 너무 커집니다.")};
                putDword(10 + 4 * k, scene + n);
            }
        }
    }

    void convertScene(qsizetype scene)
    {
        const int sections = word(scene);
        spendWork(2);
        qsizetype start = scene + 4;
        for (int s = 0; s < sections; ++s) {
            ++m_sectionsWalked;
            spendWork(4);
            // Lengths of the previous Section are closed: nothing inserted
            // from here on belongs to them.
            m_levels.clear();
            m_pos = start;
            const int L = word(start - 2);
            const quint32 wide = dword(start - 2);
            // An empty head list in the editor's layout (end record, then the
            // body length L - 4) looks like a widened length; tell them apart.
            // A converted Section whose first head code happens to equal
            // L - 4 looks the same: it is taken as converted when it reads
            // whole that way with nothing to insert.
            const bool emptyHead = wide == quint32(L) && start + 4 <= m_b.size() && u16At(m_b, start + 2) == L - 4
                                   && !sectionWasWidened(start, wide);
            if (!m_levels.empty()) {
                // Converted before (the trial above held): nothing to do.
            } else if (wide == quint32(L) && !emptyHead) {
                m_levels.push_back({start - 2, wide});
                convertSectionLists(start);
            } else if (wide != quint32(L) && spanEndsAList(start - 2, wide, m_b.size())
                       && sectionWasWidened(start, wide)) {
                // Converted before and longer than 65,535 bytes: nothing to do.
            } else {
                m_levels.push_back({start - 2, L});
                insert(start, QByteArray(2, '\0'));
                convertSectionLists(start);
            }
            start += qsizetype(m_levels.front().value) + 2;
        }
        m_levels.clear();
    }

    void convertSectionLists(qsizetype start)
    {
        m_pos = start + 2;
        convertList(0);
        openLength(m_pos);
        m_pos += 4;
        convertList(0);
    }

    // True when a 4-byte length at `field` can be read as it stands: the span
    // it covers lies before `limit` and ends in a list's end record.
    bool spanEndsAList(qsizetype field, quint32 wide, qint64 limit) const
    {
        const qint64 end = qint64(field) + 2 + qint64(wide);
        return end >= qint64(field) + 6 && end <= limit && end <= m_b.size() && u16At(m_b, qsizetype(end) - 2) == 0;
    }

    // A Section length whose upper two bytes are not zero is either a
    // converted length past 65,535 or a 2-byte length followed by the head
    // list's first code. It was converted when the Section, read with it as
    // it stands, needs no byte inserted and ends exactly where it says. The
    // trial changes nothing it does not undo; values the commands renumber
    // stay renumbered only when the trial holds.
    bool sectionWasWidened(qsizetype start, quint32 wide)
    {
        m_levels.push_back({start - 2, wide});
        m_trial = true;
        m_trialWrites.clear();
        bool held = false;
        try {
            convertSectionLists(start);
            held = m_pos == qint64(start) + qint64(wide);
        } catch (const Failure &) {
            held = false;
        }
        m_trial = false;
        if (!held) {
            for (auto it = m_trialWrites.rbegin(); it != m_trialWrites.rend(); ++it)
                writeWord(it->first, it->second);
            m_levels.clear();
        }
        m_trialWrites.clear();
        return held;
    }

    // A list length at `field`: already 4 bytes when its high word is zero
    // and it is not the 2 of an empty list in the editor's layout, or when
    // its high word is not zero and the 4-byte value ends a list inside the
    // enclosing one (a 2-byte length of a Section that was never converted
    // cannot enclose 65,536 bytes or more).
    void openLength(qsizetype field)
    {
        const int narrow = word(field);
        const quint32 wide = dword(field);
        const bool widened = wide == quint32(narrow) ? narrow != 2 : spanEndsAList(field, wide, enclosingEnd());
        if (widened) {
            m_levels.push_back({field, wide});
        } else {
            m_levels.push_back({field, narrow});
            insert(field + 2, QByteArray(2, '\0'));
        }
    }

    // Where the innermost open length's span ends.
    qint64 enclosingEnd() const
    {
        if (m_levels.empty())
            return m_b.size();
        return qint64(m_levels.back().field) + 2 + m_levels.back().value;
    }

    // Commands up to and including the list's end record.
    void convertList(int depth)
    {
        for (;;) {
            const int code = word(m_pos);
            if (code == 0x00) {
                spendWork(2);
                m_pos += 2;
                return;
            }
            if (code == 0x01)
                convertChildEvent(depth);
            else
                convertRecord(code);
        }
    }

    void convertChildEvent(int depth)
    {
        if (depth >= kMaxNesting)
            throw Failure{m_pos, QStringLiteral("자식 사건이 너무 깊게 중첩되어 있습니다.")};
        const qsizetype marker = m_pos;
        m_pos += 2;
        while (word(m_pos) == 0x01) {  // markers that follow directly count as one
            spendWork(2);
            m_pos += 2;
        }
        const int block = word(m_pos);
        if (block == 0x00)
            throw Failure{marker, QStringLiteral("자식 사건 표시 뒤에 명령이 없습니다.")};
        convertRecord(block);
        openLength(m_pos);
        m_pos += 4;
        convertList(depth + 1);
        m_levels.pop_back();
    }

    // Converts the record at the read position and steps over it.
    void convertRecord(int code)
    {
        const qsizetype start = m_pos;
        qsizetype length = 0;
        switch (code) {
        case 0x06:
            need(start, 52);
            if (word(start + 32) != 0x38) {
                insert(start + 52, kBarredSlots);
                insert(start + 32, kForcedSlots);
            }
            if (word(start + 6) != 0x56)
                insert(start + 6, hex("56 00 0F 00"));
            length = 96;
            break;
        case 0x4A:
            need(start, 48);
            if (word(start + 28) != 0x38) {
                insert(start + 48, kBarredSlots);
                insert(start + 28, kForcedSlots);
            }
            length = 88;
            break;
        case 0x32:
        case 0x55:
            need(start, 14);
            if (word(start + 2) != 0x54)
                insert(start + 2, hex("54 00 00 00 02 00 00 00"));
            length = 40;
            break;
        case 0x3B:
            need(start, 14);
            if (word(start + 10) != 0x53)
                insert(start + 10, hex("53 00 02 00"));
            length = 18;
            break;
        case 0x3D: {
            need(start, 18);
            // The added flag item: tag 0x26 with 0 or 1. A lone 0x26 byte
            // could be the code of the next command.
            const bool converted = start + 22 <= m_b.size() && u16At(m_b, start + 18) == 0x26
                                   && u16At(m_b, start + 20) <= 1;
            if (!converted)
                insert(start + 18, hex("26 00 01 00"));
            length = 22;
            break;
        }
        case 0x3E:
        case 0x48: {
            need(start, 26);
            const int armour = u16At(m_b, start + 16);
            if (armour >= 2 && armour <= 37)
                putWord(start + 16, armour + 38);
            const int assist = u16At(m_b, start + 24);
            if (assist >= 2 && assist <= 52)
                putWord(start + 24, assist + 53);
            length = 26;
            break;
        }
        case 0x46:
            length = convertArmyTable(start, 1042, 52, 20, kArmySlot46);
            break;
        case 0x47:
            length = convertArmyTable(start, 4482, 56, 80, kArmySlot47);
            break;
        case 0x56:
            need(start, 6);
            if (word(start + 2) != 0x22)
                insert(start + 2, hex("22 00 00 00"));
            length = 10;
            break;
        case 0x68:
            need(start, 11);
            if (word(start + 2) != 0x4F) {
                if (quint8(m_b[start + 10]) == 0x4F) {
                    // The background item moves to the front; the length stays.
                    need(start, 14);
                    const QByteArray moved = hex("4F 00 05 00") + m_b.mid(start + 2, 8);
                    // Word by word, so a trial can take it back.
                    for (int i = 0; i < moved.size(); i += 2)
                        putWord(start + 2 + i, quint8(moved[i]) | quint8(moved[i + 1]) << 8);
                } else {
                    insert(start + 2, hex("4F 00 05 00"));
                }
            }
            length = 14;
            break;
        default:
            if (const int extended = extendedOnlyLength(code)) {
                length = extended;
            } else {
                const auto measured = eexwalk::recordLengthAt(m_b, start);
                if (!measured)
                    throw Failure{start, QStringLiteral("명령 %1의 기록이 파일 끝을 넘습니다.")
                                             .arg(QString::number(code, 16).toUpper())};
                length = *measured;
            }
        }
        need(start, length);
        spendWork(length);
        m_pos = start + length;
        if (m_renumberPersons)
            renumberGroupPersons(start + 2, m_pos);
    }

    qsizetype convertArmyTable(qsizetype start, qsizetype oldLength, qsizetype slotLength, int slotCount,
                               const QByteArray &slot)
    {
        need(start, oldLength);
        bool converted = true;
        for (int k = 0; k < slotCount && converted; ++k) {
            const qsizetype at = start + oldLength + slotLength * k;
            converted = at + 2 <= m_b.size() && u16At(m_b, at) == 0x02;
        }
        if (!converted)
            insert(start + oldLength, slot.repeated(slotCount));
        return oldLength + slotLength * slotCount;
    }

    // The four group selectors 1024..1027 of the person items move to
    // 3071..3074.
    void renumberGroupPersons(qsizetype begin, qsizetype end)
    {
        eexwalk::forEachValueItem(m_b, begin, end, [this](int tag, qsizetype value) {
            if (tag != 0x02)
                return;
            const int v = u16At(m_b, value);
            if (v >= 1024 && v <= 1027)
                putWord(value, v + 2047);
        });
    }

    void spendWork(qint64 bytes)
    {
        m_work += bytes;
        if (m_checkOnly && m_work > m_workLimit)
            throw WouldChange{};
    }

    QByteArray m_b;
    const bool m_renumberPersons;
    // Only tells whether the converter would change the file: the first
    // change it would make ends the walk.
    const bool m_checkOnly;
    qint64 m_sectionsWalked = 0;
    qint64 m_work = 0;
    qint64 m_workLimit = 0;
    qsizetype m_sceneCount = 0;
    qsizetype m_pos = 0;
    std::vector<OpenLength> m_levels;
    std::vector<Edit> m_edits;
    // While a Section is tried as converted before: inserting ends the trial,
    // and every word written is logged (position, old value) to be undone.
    bool m_trial = false;
    std::vector<std::pair<qsizetype, int>> m_trialWrites;
};

} // namespace

EexConversion convertEexBytes(const QByteArray &input, const EexConvertOptions &options)
{
    Converter converter(input, options);
    try {
        converter.run();
    } catch (const Failure &f) {
        EexConversion result;
        result.errorOffset = converter.inputOffset(f.at);
        result.reason = f.reason;
        return result;
    }
    return {true, converter.bytes(), -1, QString()};
}

bool isExtendedLayout(const QByteArray &bytes)
{
    // As a second run sees it: the group persons are not renumbered again.
    EexConvertOptions options;
    options.convertedBefore = true;
    Converter converter(bytes, options, true);
    try {
        converter.run();
    } catch (const Failure &) {
        return false;
    } catch (const WouldChange &) {
        return false;
    }
    return converter.sectionsWalked() > 0;
}

bool isEexPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("eex"), Qt::CaseInsensitive) == 0;
}

QString eexConvertErrorText(const QString &path, qint64 offset, const QString &reason)
{
    QString text = QStringLiteral("EEX 파일 오류！ SeekAdr : ") + QString::number(offset, 16).toUpper();
    if (!path.isEmpty())
        text += QStringLiteral("\n파일: ") + path;
    if (!reason.isEmpty())
        text += u'\n' + reason;
    return text;
}

EexFileConversion convertEexFile(const QString &path, const EexConvertOptions &options)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, false, QStringLiteral("파일을 열 수 없습니다: %1\n%2").arg(path, file.errorString())};
    const QByteArray input = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, false, QStringLiteral("파일을 읽을 수 없습니다: %1\n%2").arg(path, file.errorString())};
    file.close();

    const EexConversion converted = convertEexBytes(input, options);
    if (!converted.ok)
        return {false, false,
                eexConvertErrorText(path, converted.errorOffset, converted.reason)
                    + QStringLiteral("\n파일은 바뀌지 않았습니다.")};
    if (converted.bytes == input)
        return {true, false, QString()};

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(converted.bytes) != converted.bytes.size() || !out.commit())
        return {false, false, QStringLiteral("파일을 저장할 수 없습니다: %1\n%2").arg(path, out.errorString())};
    return {true, true, QString()};
}

namespace {

QStringList eexFilesOf(const QStringList &paths)
{
    QStringList files;
    for (const QString &p : paths)
        if (isEexPath(p))
            files << QFileInfo(p).absoluteFilePath();
    return files;
}

} // namespace

QStringList eexFilesOpenInTabs(const QStringList &paths, const EexPathIsOpen &isOpen)
{
    QStringList open;
    if (isOpen)
        for (const QString &f : eexFilesOf(paths))
            if (isOpen(f))
                open << f;
    return open;
}

QString eexFilesOpenText(const QStringList &openFiles)
{
    return QStringLiteral("탭에 열려 있는 파일은 변환할 수 없습니다. 탭을 닫은 뒤 다시 시도해 주세요.\n")
           + openFiles.join(u'\n');
}

EexBatchResult convertEexFiles(const QStringList &paths, const EexConvertOptions &options,
                               const EexPathIsOpen &isOpen, const EexProgress &progress)
{
    const QStringList files = eexFilesOf(paths);
    EexBatchResult result;
    result.title = QStringLiteral("Error!");
    const QStringList open = eexFilesOpenInTabs(files, isOpen);
    if (!open.isEmpty()) {
        result.message = eexFilesOpenText(open);
        return result;
    }

    for (int i = 0; i < files.size(); ++i) {
        const EexFileConversion one = convertEexFile(files[i], options);
        if (!one.ok) {
            result.message = one.message;
            if (i + 1 < files.size())
                result.message += QStringLiteral("\n뒤의 파일 %1개는 변환하지 않았습니다.").arg(files.size() - i - 1);
            return result;
        }
        if (one.changed)
            result.changedFiles << files[i];
        if (progress)
            progress(i + 1, int(files.size()));
    }
    result.ok = true;
    result.title = QStringLiteral("Complete!");
    result.message = QStringLiteral("적용 완료!");
    return result;
}

} // namespace core
