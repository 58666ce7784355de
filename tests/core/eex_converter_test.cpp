#include "core/eex_converter.h"
#include "core/converter_record_walk.h"
#include "fixtures/hex_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

using namespace core;
using fixtures::hexBytes;
using fixtures::u16;
using fixtures::u32;

namespace {

int rd16(const QByteArray &b, qsizetype p) { return quint8(b[p]) | quint8(b[p + 1]) << 8; }
qint64 rd32(const QByteArray &b, qsizetype p) { return rd16(b, p) | qint64(rd16(b, p + 2)) << 16; }

const QByteArray kHeader = hexBytes("45 45 58 00 01 02 00 00 00 00");
const QByteArray kEnd = hexBytes("00 00");

struct Section {
    QByteArray head;  // end record included
    QByteArray body;  // end record included
};
using Scene = std::vector<Section>;

// A file in the editor's layout: 2-byte Section and body lengths.
QByteArray editorFile(const std::vector<Scene> &scenes)
{
    QByteArray table, data;
    const qsizetype first = 10 + 4 * qsizetype(scenes.size());
    for (const Scene &scene : scenes) {
        table += u32(first + data.size());
        data += u16(int(scene.size()));
        for (const Section &s : scene)
            data += u16(int(s.head.size() + 2 + s.body.size())) + s.head + u16(int(s.body.size())) + s.body;
    }
    return kHeader + table + data;
}

// ---- An independent walker over the extended layout, for checking results.
// Record lengths of the extended layout for the codes the tests use.
const std::map<int, int> kExtendedLengths = {
    {0x03, 2},  {0x06, 96},   {0x2E, 14}, {0x32, 40}, {0x38, 20}, {0x3B, 18},  {0x3D, 22},  {0x3E, 26},
    {0x46, 2082}, {0x47, 8962}, {0x48, 26}, {0x4A, 88}, {0x55, 40}, {0x56, 10}, {0x68, 14}, {0x6C, 10}, {0x6D, 40},
    {0x6E, 8},  {0x6F, 6},    {0x70, 16}, {0x71, 8},  {0x73, 36}, {0x74, 6},   {0x75, 10},  {0x76, 8},
    {0x77, 26}, {0x78, 20},   {0x79, 26}, {0x26, 30}, {0x04, 6},
};

struct Checker {
    const QByteArray &b;
    QString problem;

    bool fail(const QString &what, qsizetype at)
    {
        if (problem.isEmpty())
            problem = what + " at " + QString::number(at, 16);
        return false;
    }
    bool has(qsizetype at, qsizetype n) { return at >= 0 && at + n <= b.size(); }

    // Walks one list from p; returns its end (just past its end record).
    bool list(qsizetype &p, bool allowChild)
    {
        for (;;) {
            if (!has(p, 2))
                return fail("list runs off the end", p);
            const int code = rd16(b, p);
            if (code == 0) {
                p += 2;
                return true;
            }
            if (code == 1) {
                if (!allowChild)
                    return fail("child event in head list", p);
                p += 2;
                if (!record(p))
                    return false;
                if (!lengthField(p))
                    return false;
                continue;
            }
            if (!record(p))
                return false;
        }
    }
    bool record(qsizetype &p)
    {
        const int code = rd16(b, p);
        if (code == 0x02) {  // comment: tag, text up to 00
            const qsizetype z = b.indexOf('\0', p + 4);
            if (z < 0)
                return fail("text without end", p);
            p = z + 1;
            return true;
        }
        const auto it = kExtendedLengths.find(code);
        if (it == kExtendedLengths.end())
            return fail("unexpected code " + QString::number(code, 16), p);
        if (!has(p, it->second))
            return fail("record runs off the end", p);
        p += it->second;
        return true;
    }
    // A 4-byte list length at p, then the list; checks the length.
    bool lengthField(qsizetype &p)
    {
        if (!has(p, 4))
            return fail("length runs off the end", p);
        const qint64 stated = rd32(b, p);
        const qsizetype listStart = p + 4;
        qsizetype q = listStart;
        if (!list(q, true))
            return false;
        if (stated != q - listStart + 2)
            return fail(QString("list length %1, expected %2").arg(stated).arg(q - listStart + 2), p);
        p = q;
        return true;
    }
    bool file()
    {
        if (!has(0, 14) || b.left(10) != kHeader)
            return fail("header", 0);
        const qint64 first = rd32(b, 10);
        const qsizetype scenes = (first - 14) / 4 + 1;
        qsizetype p = 10 + 4 * scenes;
        for (qsizetype k = 0; k < scenes; ++k) {
            if (rd32(b, 10 + 4 * k) != p)
                return fail(QString("scene %1 offset %2, expected %3").arg(k).arg(rd32(b, 10 + 4 * k)).arg(p), 10 + 4 * k);
            const int sections = rd16(b, p);
            p += 2;
            for (int s = 0; s < sections; ++s) {
                if (!has(p, 4))
                    return fail("section length runs off the end", p);
                const qint64 stated = rd32(b, p);
                qsizetype q = p + 4;
                if (!list(q, false) || !lengthField(q))
                    return false;
                if (stated != q - (p + 2))
                    return fail(QString("section length %1, expected %2").arg(stated).arg(q - p - 2), p);
                p = q;
            }
        }
        if (p != b.size())
            return fail("bytes after the last scene", p);
        return true;
    }
};

std::string layoutProblem(const QByteArray &bytes)
{
    Checker c{bytes, QString()};
    c.file();
    return c.problem.toStdString();
}

// Converts, checks the layout and that a second run changes nothing.
QByteArray convertChecked(const QByteArray &input, const EexConvertOptions &options = {})
{
    const EexConversion first = convertEexBytes(input, options);
    EXPECT_TRUE(first.ok) << first.reason.toStdString() << " at " << first.errorOffset;
    EXPECT_EQ(layoutProblem(first.bytes), "") << fixtures::toHex(first.bytes).toStdString();
    const EexConversion second = convertEexBytes(first.bytes, options);
    EXPECT_TRUE(second.ok);
    EXPECT_EQ(second.bytes, first.bytes) << "second run changed the file";
    return first.bytes;
}

// The body of the single Section of a converted one-Section file, without its
// end record; head list must be empty.
QByteArray onlyBody(const QByteArray &converted)
{
    // header 10, table 4, count 2, Section length 4, head end 2, body length 4
    return converted.mid(26, converted.size() - 26 - 2);
}

QByteArray oneBodyFile(const QByteArray &records)
{
    return editorFile({Scene{Section{kEnd, records + kEnd}}});
}

QByteArray writeTemp(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return bytes;
}

QByteArray readBack(const QTemporaryDir &dir, const QString &name)
{
    QFile f(dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(EexConverter, SmallestFileWidensEveryLength)
{
    const QByteArray input = hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00 06 00 00 00 02 00 00 00");
    ASSERT_EQ(input.size(), 24);
    // An empty head list: the first word 0 and the next L - 4 marks the
    // editor's layout, though the Section length looks widened.
    EXPECT_EQ(convertChecked(input),
              hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00 0A 00 00 00 00 00 04 00 00 00 00 00"));
}

TEST(EexConverter, ChildEventOfEditorSized6EKeepsItsRecord)
{
    // 0x6E is 8 bytes in the editor's records; stepping over 6 would break the file.
    const QByteArray body = hexBytes("01 00 6E 00 04 00 32 00 00 00 02 00 00 00");
    const QByteArray input = oneBodyFile(body);
    EXPECT_EQ(rd16(input, 20), 16);  // B of the example
    const QByteArray out = convertChecked(input);
    EXPECT_EQ(onlyBody(out), hexBytes("01 00 6E 00 04 00 32 00 00 00 04 00 00 00 00 00"));
    EXPECT_EQ(rd32(out, 16), 2 + 2 + 4 + 18 + 2 - 2);  // head end, body length, body incl. end
    EXPECT_EQ(rd32(out, 22), 18 + 2);
}

TEST(EexConverter, HeadListInsertionsStayInTheirOwnSection)
{
    // Section 1 of Scene 0 grows inside its head list; neither Section 0's
    // lengths nor anything but later Scene offsets may change with it.
    const QByteArray weather = hexBytes("56 00 47 00 03 00");
    const QByteArray input = editorFile({
        Scene{Section{kEnd, hexBytes("03 00") + kEnd}, Section{weather + kEnd, weather + kEnd}},
        Scene{Section{hexBytes("03 00") + kEnd, weather + kEnd}},
    });
    const QByteArray out = convertChecked(input);
    EXPECT_EQ(rd32(out, 10), 18);
}

TEST(EexConverter, NestedChildEventsAndScenesKeepEveryLength)
{
    const QByteArray inner = hexBytes("01 00 6E 00 04 00 01 00 00 00") + u16(2 + 6) + hexBytes("56 00 47 00 00 00") + kEnd;
    const QByteArray outerList = hexBytes("56 00 47 00 01 00") + inner + kEnd;
    const QByteArray outer = hexBytes("01 00 2E 00 02 00 FF FF 02 00 FF FF 26 00 00 00") + u16(int(outerList.size()))
                             + outerList;
    const QByteArray input = editorFile({
        Scene{Section{kEnd, outer + kEnd}, Section{kEnd, kEnd}},
        Scene{},
        Scene{Section{hexBytes("03 00") + kEnd, outer + hexBytes("03 00") + kEnd}},
    });
    convertChecked(input);
}

TEST(EexConverter, ChangedCommands)
{
    struct Case {
        const char *name;
        QByteArray before;
        QByteArray after;
    };
    const QByteArray forced5 = hexBytes("38 00 00 00").repeated(5);
    const QByteArray barred5 = hexBytes("39 00 FF FF").repeated(5);
    const QByteArray forcedAdded = hexBytes("38 00 FF FF").repeated(5);
    const Case cases[] = {
        {"56 gains a pattern item", hexBytes("56 00 47 00 03 00"), hexBytes("56 00 22 00 00 00 47 00 03 00")},
        {"3B gains its kind item", hexBytes("3B 00 02 00 05 00 0E 00 01 00 3E 00 00 00"),
         hexBytes("3B 00 02 00 05 00 0E 00 01 00 53 00 02 00 3E 00 00 00")},
        {"3D gains a flag", hexBytes("3D 00 17 00 04 00 49 00 00 00 26 00 00 00 02 00 FF FF"),
         hexBytes("3D 00 17 00 04 00 49 00 00 00 26 00 00 00 02 00 FF FF 26 00 01 00")},
        {"32 gains two items", hexBytes("32 00 40 00 00 00 02 00 05 00 04 00 01 00 00 00 04 00 02 00 00 00 04 00 03 00 00 00 2B 00 FF FF"),
         hexBytes("32 00 54 00 00 00 02 00 00 00 40 00 00 00 02 00 05 00 04 00 01 00 00 00 04 00 02 00 00 00 04 00 03 00 00 00 2B 00 FF FF")},
        {"55 like 32", hexBytes("55 00 40 00 01 00 02 00 05 00 04 00 01 00 00 00 04 00 02 00 00 00 04 00 03 00 00 00 2B 00 01 00"),
         hexBytes("55 00 54 00 00 00 02 00 00 00 40 00 01 00 02 00 05 00 04 00 01 00 00 00 04 00 02 00 00 00 04 00 03 00 00 00 2B 00 01 00")},
        {"3E raises armour 37 and assist 52",
         hexBytes("3E 00 02 00 05 00 3B 00 10 00 49 00 00 00 3C 00 25 00 49 00 00 00 3D 00 34 00"),
         hexBytes("3E 00 02 00 05 00 3B 00 10 00 49 00 00 00 3C 00 4B 00 49 00 00 00 3D 00 69 00")},
        {"48 keeps armour 38 and assist 53",
         hexBytes("48 00 02 00 05 00 3B 00 10 00 49 00 00 00 3C 00 26 00 49 00 00 00 3D 00 35 00"),
         hexBytes("48 00 02 00 05 00 3B 00 10 00 49 00 00 00 3C 00 26 00 49 00 00 00 3D 00 35 00")},
        {"3E keeps 0, 1 and 65535",
         hexBytes("3E 00 02 00 05 00 3B 00 10 00 49 00 00 00 3C 00 01 00 49 00 00 00 3D 00 FF FF"),
         hexBytes("3E 00 02 00 05 00 3B 00 10 00 49 00 00 00 3C 00 01 00 49 00 00 00 3D 00 FF FF")},
        {"3E raises armour 2 and assist 2, keeps 0",
         hexBytes("3E 00 02 00 05 00 3B 00 10 00 49 00 00 00 3C 00 02 00 49 00 00 00 3D 00 02 00"),
         hexBytes("3E 00 02 00 05 00 3B 00 10 00 49 00 00 00 3C 00 28 00 49 00 00 00 3D 00 37 00")},
        {"68 puts the background first", hexBytes("68 00 02 00 05 00 02 00 06 00 4F 00 03 00"),
         hexBytes("68 00 4F 00 05 00 02 00 05 00 02 00 06 00")},
        {"06 doubles its person slots", hexBytes("06 00 2E 00 01 00 04 00 07 00 00 00") + forced5 + barred5,
         hexBytes("06 00 2E 00 01 00 56 00 0F 00 04 00 07 00 00 00") + forced5 + forcedAdded + barred5 + barred5},
        {"4A doubles its person slots", hexBytes("4A 00 04 00 07 00 00 00") + forced5 + barred5,
         hexBytes("4A 00 04 00 07 00 00 00") + forced5 + forcedAdded + barred5 + barred5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray out = convertChecked(oneBodyFile(c.before + hexBytes("03 00")));
        EXPECT_EQ(fixtures::toHex(onlyBody(out)), fixtures::toHex(c.after + hexBytes("03 00")));
    }
}

TEST(EexConverter, FlagTestOf3DIsNotFooledByTheNextCommand)
{
    // The next command's code 0x26 directly behind an unconverted 0x3D.
    const QByteArray item = hexBytes("3D 00 17 00 04 00 49 00 00 00 26 00 00 00 02 00 FF FF");
    const QByteArray next = hexBytes("26 00 02 00 05 00 04 00 00 00 00 00") + QByteArray(18, '\0');
    ASSERT_EQ(next.size(), 30);
    const QByteArray out = convertChecked(oneBodyFile(item + next));
    EXPECT_EQ(onlyBody(out), item + hexBytes("26 00 01 00") + next);
}

TEST(EexConverter, ArmyTablesDoubleTheirSlotsOnce)
{
    const QByteArray slot46 = hexBytes("0200FFFF260000000400000000000400000000002B00FFFF3E00000045000200070001000200FFFF040000000000040000000000");
    const QByteArray slot47 = hexBytes("0200FFFF26000000260000000400000000000400000000002B00FFFF3E00000045000200070001000200FFFF040000000000040000000000");
    ASSERT_EQ(slot46.size(), 52);
    ASSERT_EQ(slot47.size(), 56);
    QByteArray own46 = slot46;
    own46[2] = 7;  // person 7 in every existing slot
    own46[3] = 0;
    const QByteArray t46 = hexBytes("46 00") + own46.repeated(20);
    const QByteArray t47 = hexBytes("47 00") + slot47.repeated(80);

    EXPECT_EQ(onlyBody(convertChecked(oneBodyFile(t46))), t46 + slot46.repeated(20));
    EXPECT_EQ(onlyBody(convertChecked(oneBodyFile(t47 + hexBytes("03 00")))),
              t47 + slot47.repeated(80) + hexBytes("03 00"));
    // Already 40 slots: unchanged.
    const QByteArray converted46 = t46 + slot46.repeated(20);
    EXPECT_EQ(onlyBody(convertChecked(oneBodyFile(converted46))), converted46);
}

TEST(EexConverter, EditorLengthsOf38And6CTo79)
{
    // Zero-filled records of the editor's lengths: with the shorter lengths
    // their inner 00 00 would be taken for the end of the list.
    const std::pair<int, int> records[] = {{0x38, 20}, {0x6C, 10}, {0x6D, 40}, {0x6E, 8}, {0x6F, 6},
                                           {0x70, 16}, {0x71, 8},  {0x73, 36}, {0x74, 6},  {0x75, 10},
                                           {0x76, 8},  {0x77, 26}, {0x78, 20}, {0x79, 26}};
    QByteArray body;
    for (const auto &[code, length] : records)
        body += u16(code) + QByteArray(length - 2, '\0');
    // 0x72: 10 bytes, then its text.
    body += hexBytes("72 00 04 00 01 00 00 00 05 00 41 42 00");
    const QByteArray out = convertEexBytes(oneBodyFile(body)).bytes;
    EXPECT_EQ(onlyBody(out), body);
    EXPECT_EQ(rd32(out, 22), body.size() + 2 + 2);
    EXPECT_EQ(convertEexBytes(out).bytes, out);
}

TEST(EexConverter, GroupPersonsAreRenumberedOnlyInPersonItems)
{
    struct Case {
        int value;
        int expected;
    };
    const Case cases[] = {{1024, 3071}, {1025, 3072}, {1027, 3074}, {1023, 1023}, {1028, 1028}, {65535, 65535}};
    for (const Case &c : cases) {
        // 0x2E: two persons and a flag; one inside a child event, one in its nested list.
        const QByteArray rec = hexBytes("2E 00 02 00") + u16(c.value) + hexBytes("02 00 05 00 26 00 00 00");
        const QByteArray expect = hexBytes("2E 00 02 00") + u16(c.expected) + hexBytes("02 00 05 00 26 00 00 00");
        const QByteArray in = hexBytes("01 00") + rec + u16(2 + 14) + rec + kEnd;
        const QByteArray out = onlyBody(convertChecked(oneBodyFile(in)));
        EXPECT_EQ(out, hexBytes("01 00") + expect + u32(4 + 14) + expect + kEnd) << c.value;

        EexConvertOptions before;
        before.convertedBefore = true;
        EXPECT_EQ(onlyBody(convertChecked(oneBodyFile(rec), before)), rec) << c.value;
    }

    // Items are walked by their tags: bytes 02 00 00 04 inside a variable
    // list are no person, while the person item behind a text is one even
    // where fixed strides would miss it.
    const QByteArray lists = hexBytes("05 00 35 00 02 00 02 00 00 04 35 00 01 00 02 00");
    const QByteArray textThenPerson = hexBytes("12 00 05 00 41 42 02 00 02 00 00 04");
    const QByteArray head = hexBytes("02 00 05 00 41 00");  // a comment in the head list
    const QByteArray input = editorFile({Scene{Section{head + kEnd, lists + textThenPerson + kEnd}}});
    const EexConversion r = convertEexBytes(input);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(fixtures::toHex(r.bytes.right(lists.size() + textThenPerson.size() + 2)),
              fixtures::toHex(lists + hexBytes("12 00 05 00 41 42 02 00 02 00 FF 0B") + kEnd));
}

TEST(EexConverter, EveryTruncationIsAnErrorWithItsPosition)
{
    const QByteArray full = editorFile({
        Scene{Section{hexBytes("03 00") + kEnd,
                      hexBytes("56 00 47 00 03 00 01 00 6E 00 04 00 01 00 00 00 02 00 00 00") + kEnd}},
        Scene{Section{kEnd, hexBytes("14 00 05 00 41 42 00 03 00") + kEnd}},
    });
    ASSERT_TRUE(convertEexBytes(full).ok);
    for (qsizetype n = 0; n < full.size(); ++n) {
        const EexConversion r = convertEexBytes(full.left(n));
        if (n == 10) {
            // The header alone is a scenario without a Scene: nothing to do.
            EXPECT_TRUE(r.ok);
            EXPECT_EQ(r.bytes, full.left(n));
            continue;
        }
        EXPECT_FALSE(r.ok) << n;
        EXPECT_GE(r.errorOffset, 0) << n;
        EXPECT_LE(r.errorOffset, n) << n;
        EXPECT_FALSE(r.reason.isEmpty()) << n;
    }
}

TEST(EexConverter, BadSceneTablesAndDeepNestingAreErrors)
{
    EXPECT_FALSE(convertEexBytes(kHeader + u32(6) + u16(0)).ok);
    EXPECT_FALSE(convertEexBytes(kHeader + u32(0x7FFFFFF0) + u16(0)).ok);
    EXPECT_FALSE(convertEexBytes(kHeader + u32(18) + u32(12) + u16(0)).ok);  // points into the table
    EXPECT_TRUE(convertEexBytes(kHeader + u32(14) + u16(0)).ok);            // a Scene without Sections

    const auto nested = [](int depth) {
        QByteArray list = kEnd;
        for (int i = 0; i < depth; ++i)
            list = hexBytes("01 00 03 00") + u16(int(list.size())) + list + kEnd;
        return list;
    };
    EXPECT_TRUE(convertEexBytes(oneBodyFile(nested(20))).ok);
    const EexConversion deep = convertEexBytes(oneBodyFile(nested(200)));
    EXPECT_FALSE(deep.ok);
    EXPECT_FALSE(deep.reason.isEmpty());
}

TEST(EexConverter, ErrorTextNamesThePositionInHex)
{
    const QString text = eexConvertErrorText("/x/a.eex", 0x1A3, "끝");
    EXPECT_TRUE(text.startsWith(QStringLiteral("EEX 파일 오류！ SeekAdr : 1A3"))) << text.toStdString();
}

TEST(EexConverter, OnlyEexExtensionsInAnyCase)
{
    EXPECT_TRUE(isEexPath("/a/S_01.eex"));
    EXPECT_TRUE(isEexPath("/a/S_01.EEX"));
    EXPECT_TRUE(isEexPath("S.EeX"));
    EXPECT_FALSE(isEexPath("/a/S_01.eex.bak"));
    EXPECT_FALSE(isEexPath("/a/eex"));
    EXPECT_FALSE(isEexPath("/a/S_01.eexx"));
}

TEST(EexConverterFiles, ConvertsInPlaceAndLeavesFailuresUntouched)
{
    QTemporaryDir dir;
    const QByteArray good = oneBodyFile(hexBytes("56 00 47 00 03 00"));
    const QByteArray bad = good.left(good.size() - 3);
    writeTemp(dir, "a.eex", good);
    writeTemp(dir, "b.EEX", good);
    writeTemp(dir, "c.eex", bad);
    writeTemp(dir, "d.eex", good);
    writeTemp(dir, "notes.txt", good);

    const QStringList all = {dir.filePath("a.eex"), dir.filePath("b.EEX"), dir.filePath("notes.txt"),
                             dir.filePath("c.eex"), dir.filePath("d.eex")};
    std::vector<std::pair<int, int>> steps;
    const EexBatchResult r = convertEexFiles(all, {}, {}, [&](int done, int total) { steps.push_back({done, total}); });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.title, QString("Error!"));
    EXPECT_TRUE(r.message.startsWith(QStringLiteral("EEX 파일 오류！ SeekAdr : "))) << r.message.toStdString();
    EXPECT_TRUE(r.message.contains("c.eex"));
    const QByteArray converted = convertEexBytes(good).bytes;
    EXPECT_EQ(readBack(dir, "a.eex"), converted);
    EXPECT_EQ(readBack(dir, "b.EEX"), converted);
    EXPECT_EQ(readBack(dir, "c.eex"), bad);      // the failing file stays byte-identical
    EXPECT_EQ(readBack(dir, "d.eex"), good);     // later files are not touched
    EXPECT_EQ(readBack(dir, "notes.txt"), good);  // not a scenario file
    EXPECT_EQ(steps.size(), 2u);

    // The rest, once c is out of the way; a second pass changes nothing.
    const EexBatchResult rest = convertEexFiles({dir.filePath("d.eex"), dir.filePath("a.eex")}, {}, {});
    EXPECT_TRUE(rest.ok);
    EXPECT_EQ(rest.title, QString("Complete!"));
    EXPECT_EQ(rest.message, QStringLiteral("적용 완료!"));
    EXPECT_EQ(rest.changedFiles, QStringList{dir.filePath("d.eex")});
    EXPECT_EQ(readBack(dir, "d.eex"), converted);
}

TEST(EexConverterFiles, FilesOpenInATabAreRefused)
{
    QTemporaryDir dir;
    const QByteArray good = oneBodyFile(hexBytes("56 00 47 00 03 00"));
    writeTemp(dir, "a.eex", good);
    writeTemp(dir, "open.eex", good);
    const QString openPath = dir.filePath("open.eex");
    const EexBatchResult r = convertEexFiles({dir.filePath("a.eex"), openPath}, {},
                                             [&](const QString &p) { return p == openPath; });
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(openPath));
    EXPECT_EQ(readBack(dir, "a.eex"), good);
    EXPECT_EQ(readBack(dir, "open.eex"), good);
}

TEST(EexRecordWalk, EditorRecordLengths)
{
    struct Case {
        const char *hex;
        qsizetype length;  // -1: runs past the end
    };
    const Case cases[] = {
        {"03 00", 2},
        {"38 00 02 00 FF FF 23 00 00 00 34 00 00 00 04 00 00 00 00 00", 20},
        {"6E 00 04 00 32 00 00 00", 8},
        {"14 00 05 00 41 42 00", 7},
        {"12 00 05 00 41 00 02 00 FF FF", 10},
        {"2C 00 05 00 00 26 00 00 00 26 00 00 00 26 00 00 00", 17},
        {"60 00 26 00 00 00 05 00 41 00 4C 00 01 00", 14},
        {"15 00 02 00 FF FF 02 00 FF FF 05 00 00", 13},
        {"72 00 04 00 00 00 00 00 05 00 00", 11},
        {"05 00 35 00 02 00 01 00 02 00 35 00 01 00 03 00", 16},
        {"7F 00 01 02", 2},  // past the editor's last code
        {"14 00 05 00 41 42", -1},
        {"05 00 35 00 09 00 01 00", -1},
        {"6E 00 04 00 32 00", -1},
        {"06", -1},
    };
    for (const Case &c : cases) {
        const auto length = eexwalk::recordLengthAt(hexBytes(c.hex), 0);
        EXPECT_EQ(length.value_or(-1), c.length) << c.hex;
    }
}

TEST(EexConverter, ConvertedFilesPastTwoByteLengthsConvertAgainUnchanged)
{
    // Eight army tables double to 71,696 bytes: the converted Section, body
    // and child-event lengths all pass 65,535, so their upper two bytes are
    // not zero, which a 2-byte length followed by a code also looks like.
    const QByteArray slot47 = hexBytes("0200FFFF26000000260000000400000000000400000000002B00FFFF3E00000045000200070001000200FFFF040000000000040000000000");
    const QByteArray tables = (hexBytes("47 00") + slot47.repeated(80)).repeated(8);
    const QByteArray childList = tables + kEnd;
    const QByteArray child = hexBytes("01 00 6E 00 04 00 32 00 00 00") + u16(int(childList.size())) + childList;
    const QByteArray input = editorFile({
        Scene{Section{hexBytes("03 00") + kEnd, child + kEnd}, Section{kEnd, tables + kEnd}},
        Scene{Section{kEnd, hexBytes("03 00") + kEnd}},
    });
    const QByteArray once = convertChecked(input);  // also converts the result again
    EXPECT_GT(rd32(once, 20), 0xFFFF);  // the first Section
    EXPECT_GT(rd32(once, 28), 0xFFFF);  // its body, after a 2-byte head record and the end

    // Through the file path too: a second batch run reports success and
    // leaves the file as it is.
    QTemporaryDir dir;
    writeTemp(dir, "big.eex", once);
    const EexFileConversion again = convertEexFile(dir.filePath("big.eex"), {});
    EXPECT_TRUE(again.ok) << again.message.toStdString();
    EXPECT_FALSE(again.changed);
    EXPECT_EQ(readBack(dir, "big.eex"), once);
}
