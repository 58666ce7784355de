#include "core/catalogue.h"
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "core/key_codec.h"
#include "core/record_lengths.h"
#include "fixtures/hex_bytes.h"
#include "fixtures/scenario_generator.h"
#include "fixtures/tree_walk.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <new>

using namespace core;
using fixtures::hexBytes;

namespace {

const char *const kHeader = "45 45 58 00 01 02 00 00 00 00";

// One Scene, one Section with the given head and body lists (end records
// included), lengths computed.
QByteArray oneSection(const QByteArray &head, const QByteArray &body)
{
    QByteArray out = hexBytes(kHeader) + hexBytes("0E 00 00 00 01 00");
    const int l = int(head.size() + 2 + body.size());
    out.append(char(l & 0xFF)).append(char(l >> 8));
    out += head;
    out.append(char(body.size() & 0xFF)).append(char(body.size() >> 8));
    out += body;
    return out;
}

struct Loaded {
    DocTree tree;
    EexLoadResult result;
    KeySerial serial = 0;
};

void load(Loaded &l, const QByteArray &bytes)
{
    l.result = eexLoad(bytes, QStringLiteral("/tmp/x.eex"), l.tree, l.serial);
}

// Children of a node as record parts.
QStringList childRecords(const DocTree &t, NodeId n)
{
    QStringList out;
    for (NodeId c = t.firstChild(n); c != kNoNode; c = t.next(c))
        out << recordPart(t.key(c)).toString();
    return out;
}

NodeId headEnd(const DocTree &t, int scene = 0, int section = 0)
{
    return t.find(readerHeadEndKey(scene, section));
}

} // namespace

TEST(EexReader, SmallestFileGivesTheStructuralNodesWithTheHeadEndVisible)
{
    Loaded l;
    load(l, hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00 06 00 00 00 02 00 00 00"));
    ASSERT_TRUE(l.result.ok) << l.result.errorDetail.toStdString();
    EXPECT_TRUE(l.result.warnings.empty());
    const DocTree &t = l.tree;
    EXPECT_EQ(t.count(), 5);
    EXPECT_EQ(t.key(t.root()), "Path");
    EXPECT_EQ(t.text(t.root()), "/tmp/x.eex");
    const NodeId scene = t.firstChild(t.root());
    EXPECT_EQ(t.key(scene), "Scene_0_");
    EXPECT_EQ(t.text(scene), "Scene");
    const NodeId section = t.firstChild(scene);
    EXPECT_EQ(t.key(section), "Section_0_0_");
    EXPECT_EQ(t.text(section), "Section");
    const NodeId he = t.firstChild(section);
    EXPECT_EQ(t.key(he), "0000_0_0_00");
    EXPECT_EQ(t.text(he), menuName(0));
    ASSERT_EQ(t.childCount(he), 1);
    EXPECT_TRUE(t.key(t.firstChild(he)).startsWith("0000_00"));
    // Visible: every ancestor of the head-end node is expanded; the body is folded.
    EXPECT_TRUE(t.expanded(t.root()));
    EXPECT_TRUE(t.expanded(scene));
    EXPECT_TRUE(t.expanded(section));
    EXPECT_FALSE(t.expanded(he));
}

TEST(EexReader, ChildEventGivesMarkerCyanBlockWithNestedLengthAndCyanEnd)
{
    Loaded l;
    load(l, oneSection(hexBytes("00 00"), hexBytes("01 00 6E 00 04 00 32 00 00 00 02 00 00 00 00 00")));
    ASSERT_TRUE(l.result.ok);
    const DocTree &t = l.tree;
    const NodeId he = headEnd(t);
    ASSERT_EQ(t.childCount(he), 3);
    const NodeId marker = t.child(he, 0), block = t.child(he, 1), end = t.child(he, 2);
    EXPECT_TRUE(t.key(marker).startsWith("0100_"));
    EXPECT_EQ(t.textColor(marker), QColor(255, 0, 0));
    EXPECT_EQ(recordPart(t.key(block)), QString("6E000400320000000200"));
    EXPECT_EQ(t.backColor(block), QColor(0, 255, 255));
    ASSERT_EQ(t.childCount(block), 1);
    EXPECT_TRUE(t.key(t.firstChild(block)).startsWith("0000_00"));
    EXPECT_EQ(t.backColor(t.firstChild(block)), QColor(0, 255, 255));
    EXPECT_TRUE(t.key(end).startsWith("0000_00"));
    EXPECT_FALSE(t.backColor(end).isValid());
}

TEST(EexReader, SceneCountRoundsTheFirstTableEntryHalfToEven)
{
    struct Case { int first; int scenes; };
    const Case cases[] = {{14, 1}, {18, 2}, {16, 2}, {20, 2}, {22, 3}, {10, 0}, {0, 0}};
    for (const Case &c : cases) {
        QByteArray bytes = hexBytes(kHeader);
        for (int i = 0; i < 4; ++i)
            bytes.append(char((c.first >> (8 * i)) & 0xFF));
        // Every entry points at one Scene without Sections behind the table.
        const int at = 10 + 4 * std::max(c.scenes, 1);
        bytes.resize(at);
        for (int s = 0; s < c.scenes; ++s)
            for (int i = 0; i < 4; ++i)
                bytes[10 + 4 * s + i] = char((at >> (8 * i)) & 0xFF);
        bytes += hexBytes("00 00");
        Loaded l;
        load(l, bytes);
        ASSERT_TRUE(l.result.ok) << c.first;
        EXPECT_EQ(l.tree.childCount(l.tree.root()), c.scenes) << c.first;
    }
}

TEST(EexReader, SceneWithoutSectionsIsASceneNodeWithoutChildren)
{
    Loaded l;
    load(l, hexBytes("45 45 58 00 01 02 00 00 00 00 12 00 00 00 14 00 00 00 00 00 "
                     "01 00 06 00 00 00 02 00 00 00"));
    ASSERT_TRUE(l.result.ok);
    const NodeId first = l.tree.firstChild(l.tree.root());
    EXPECT_EQ(l.tree.childCount(first), 0);
    EXPECT_EQ(l.tree.childCount(l.tree.next(first)), 1);
}

TEST(EexReader, SectionKeysJoinBothIndexesDistinctly)
{
    EXPECT_NE(readerSectionKey(1, 10), readerSectionKey(11, 0));
    EXPECT_NE(readerHeadEndKey(1, 10), readerHeadEndKey(11, 0));
    EXPECT_EQ(readerSectionKey(1, 10), "Section_1_10_");
    EXPECT_EQ(readerHeadEndKey(1, 10), "0000_1_10_00");
    // A one-number key made later never has two numbers inside.
    EXPECT_NE(readerSectionKey(1, 10), QStringLiteral("Section_110_"));
    EXPECT_NE(readerHeadEndKey(1, 10), QStringLiteral("0000_110_00"));
}

TEST(EexReader, EveryDelimitableHeadCommandBecomesANode)
{
    // 0x04 kept, 0x12 (text, one item behind), 0x38 (20 bytes), 0x6B (22 bytes), 0x24, then 0x04.
    const QByteArray head = hexBytes("04 00 26 00 01 00"
                                     "12 00 05 00 41 00 02 00 05 00"
                                     "38 00 02 00 01 00 23 00 02 00 34 00 03 00 04 00 05 00 00 00"
                                     "6B 00 04 00 01 00 00 00 04 00 02 00 00 00 4B 00 03 00 26 00 00 00"
                                     "24 00 09 00 07 00"
                                     "04 00 26 00 00 00"
                                     "00 00");
    Loaded l;
    load(l, oneSection(head, hexBytes("00 00")));
    ASSERT_TRUE(l.result.ok);
    const NodeId section = l.tree.find(readerSectionKey(0, 0));
    const QStringList recs = childRecords(l.tree, section);
    ASSERT_EQ(recs.size(), 7);
    EXPECT_EQ(recs[1], "1200050041000200" "0500");
    EXPECT_EQ(recs[2].size(), 40);
    EXPECT_EQ(recs[3].size(), 44);
    EXPECT_EQ(recs[4], "240009000700");
    EXPECT_EQ(recs[6], "0000");
    EXPECT_TRUE(l.result.warnings.empty());
}

TEST(EexReader, HeadCommentIsLockedAndBodyCommentIsNot)
{
    const QByteArray comment = hexBytes("02 00 05 00 41 42 00");
    Loaded l;
    load(l, oneSection(comment + hexBytes("00 00"), comment + hexBytes("00 00")));
    ASSERT_TRUE(l.result.ok);
    const DocTree &t = l.tree;
    const NodeId head = t.firstChild(t.find(readerSectionKey(0, 0)));
    const NodeId body = t.firstChild(headEnd(t));
    EXPECT_TRUE(t.key(head).startsWith("02000500414200_000022"));
    EXPECT_FALSE(t.key(body).contains("_000022"));
    EXPECT_EQ(recordPart(t.key(head)), recordPart(t.key(body)));
    EXPECT_EQ(t.textColor(head), QColor(0, 128, 0));
    EXPECT_EQ(t.textColor(body), QColor(0, 128, 0));
}

TEST(EexReader, ArithmeticCommandIsPink)
{
    Loaded l;
    load(l, oneSection(hexBytes("00 00"), hexBytes("77 00 51 00 00 00 04 00 01 00 00 00 53 00 00 00 52 00 00 00 "
                                                   "04 00 00 00 00 00 00 00")));
    ASSERT_TRUE(l.result.ok);
    EXPECT_EQ(l.tree.backColor(l.tree.firstChild(headEnd(l.tree))), QColor(255, 70, 132));
}

TEST(EexReader, DoubledMarkerKeepsItsBytesInTheOneMarkerNode)
{
    Loaded l;
    load(l, oneSection(hexBytes("00 00"), hexBytes("01 00 01 00 6E 00 04 00 32 00 00 00 02 00 00 00 00 00")));
    ASSERT_TRUE(l.result.ok);
    EXPECT_EQ(childRecords(l.tree, headEnd(l.tree)),
              QStringList({"01000100", "6E000400320000000200", "0000"}));
    EXPECT_TRUE(l.result.warnings.empty());
}

// A marker not followed by a nested list stays a node of its own: its bytes
// are kept, the enclosing length is the file's, and the save writes the file
// again (dropping the marker let the look-ahead of the command before it read
// the saved bytes differently).
TEST(EexReader, MarkerWithoutNestedListStaysANodeOfItsOwnAndKeepsItsBytes)
{
    // Outer child event 0x6E whose nested list holds a marker, a 0x6E without
    // a nested list (a 0x09 follows it) and the end record. N = 2+8+8+2 = 20.
    const QByteArray body = hexBytes("01 00 6E 00 04 00 01 00 00 00 14 00"
                                     "01 00 6E 00 04 00 02 00 00 00"
                                     "09 00 04 00 03 00 00 00"
                                     "00 00"
                                     "00 00");
    Loaded l;
    const QByteArray file = oneSection(hexBytes("00 00"), body);
    load(l, file);
    ASSERT_TRUE(l.result.ok);
    const DocTree &t = l.tree;
    const NodeId outer = t.child(headEnd(t), 1);
    EXPECT_EQ(recordPart(t.key(outer)), QString("6E000400010000001400"));
    const QStringList inner = childRecords(t, outer);
    EXPECT_EQ(inner, QStringList({"0100", "6E00040002000000", "0900040003000000", "0000"}));
    EXPECT_EQ(t.textColor(t.child(outer, 0)), QColor(255, 0, 0));
    EXPECT_EQ(t.backColor(t.child(outer, 1)), QColor(0, 255, 255));
    EXPECT_TRUE(l.result.warnings.empty());
    const EexSerializeResult saved = eexSerializeChecked(t);
    ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    EXPECT_EQ(saved.bytes, file);
}

TEST(EexReader, UnknownCodesArePassedOverReportedAndSubtracted)
{
    // Unknown codes where no look-ahead precedes them: in a head list, and
    // behind a nested child event inside an outer one (N = 14 + 4 + 2).
    const QByteArray body = hexBytes("01 00 6E 00 04 00 01 00 00 00 14 00"
                                     "01 00 6E 00 04 00 02 00 00 00 02 00 00 00"
                                     "FF 00 7A 00"
                                     "00 00"
                                     "00 00");
    Loaded l;
    load(l, oneSection(hexBytes("80 00 00 00"), body));
    ASSERT_TRUE(l.result.ok);
    const DocTree &t = l.tree;
    const NodeId outer = t.child(headEnd(t), 1);
    EXPECT_EQ(recordPart(t.key(outer)), QString("6E000400010000001000"));
    EXPECT_EQ(childRecords(t, outer), QStringList({"0100", "6E000400020000000200", "0000"}));
    // The run of two unknown codes in the nested list is one warning.
    ASSERT_EQ(l.result.warnings.size(), 2u);
    for (const EexLoadWarning &w : l.result.warnings)
        EXPECT_EQ(w.kind, EexLoadWarning::Kind::UnknownCode);
    EXPECT_EQ(l.result.warnings[0].offset, 18);
    EXPECT_EQ(l.result.warnings[0].byteCount, 2);
    EXPECT_EQ(l.result.warnings[1].byteCount, 4);
}

TEST(EexReader, SectionsAreFoundThroughTheirLengthsEvenWhenListsEndEarly)
{
    // Section 0 claims 4 bytes more than its lists use.
    const QByteArray bytes = hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 02 00"
                                      "0A 00 00 00 02 00 00 00 AA BB CC DD"
                                      "0E 00 0A 00 00 00 06 00 0A 00 0A 00 00 00");
    Loaded l;
    load(l, bytes);
    ASSERT_TRUE(l.result.ok);
    EXPECT_EQ(childRecords(l.tree, headEnd(l.tree, 0, 1)), QStringList({"0A00", "0A00", "0000"}));
    EXPECT_EQ(childRecords(l.tree, l.tree.find(readerSectionKey(0, 1))), QStringList({"0A00", "0000"}));
}

TEST(EexReader, InvalidTextBytesStayInTheKey)
{
    Loaded l;
    load(l, oneSection(hexBytes("00 00"), hexBytes("14 00 05 00 81 20 FF 0A B0 A1 00 00 00")));
    ASSERT_TRUE(l.result.ok);
    EXPECT_EQ(recordPart(l.tree.key(l.tree.firstChild(headEnd(l.tree)))), QString("1400050081" "20FF0AB0A100"));
}

TEST(EexReader, KeySerialsContinueAcrossLoads)
{
    Loaded l;
    const QByteArray bytes = oneSection(hexBytes("00 00"), hexBytes("0A 00 00 00"));
    load(l, bytes);
    const KeySerial after = l.serial;
    EXPECT_GT(after, 0);
    const QString firstKey = l.tree.key(l.tree.firstChild(headEnd(l.tree)));
    load(l, bytes);
    EXPECT_GT(l.serial, after);
    EXPECT_NE(l.tree.key(l.tree.firstChild(headEnd(l.tree))), firstKey);
}

TEST(EexReader, ErrorsCarryTheirPositionAndTheUserMessage)
{
    EXPECT_EQ(eexLoadErrorMessage(0x1A2B), QStringLiteral("EEX 파일 오류！ SeekAdr : 1A2B"));
    EXPECT_EQ(eexLoadErrorMessage(0), QStringLiteral("EEX 파일 오류！ SeekAdr : 0"));
    // A Scene table entry far beyond the file.
    Loaded l;
    load(l, hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 01 00"));
    EXPECT_FALSE(l.result.ok);
    EXPECT_EQ(l.result.errorOffset, 0x1000E);
    // An army table cut short runs past the padding.
    Loaded m;
    load(m, oneSection(hexBytes("00 00"), hexBytes("47 00 02 00")));
    EXPECT_FALSE(m.result.ok);
    EXPECT_EQ(m.result.errorOffset, 24);
}

TEST(EexReader, ListsRunningIntoThePaddingLoadAsEndRecords)
{
    // The body stops after a 0x6E; the zeros behind the file end the list.
    Loaded l;
    load(l, hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00 0E 00 00 00 0A 00 6E 00 04 00 05"));
    ASSERT_TRUE(l.result.ok);
    EXPECT_EQ(childRecords(l.tree, headEnd(l.tree)), QStringList({"6E00040005000000", "0000"}));
}

// The look-ahead assumes a marker only where the record before ends in one
// (a marker that record took in). Without it, the literal algorithm read a
// block command from the record before's last word (0A 00) again and again;
// the command now stays as it stands and reading goes on behind it, with
// nothing assumed, doubled or lost.
TEST(EexReader, LookAheadAssumesNoMarkerWhereTheRecordBeforeHoldsNone)
{
    // 0x6E followed by a 0x09 whose tag is wrong.
    const QByteArray body = hexBytes("0A 00 0A 00 6E 00 04 00 01 00 00 00 09 00 00 00 00 00 00 00 00 00");
    Loaded l;
    QElapsedTimer timer;
    timer.start();
    const QByteArray file = oneSection(hexBytes("00 00"), body);
    load(l, file);
    EXPECT_LT(timer.elapsed(), 2000);
    ASSERT_TRUE(l.result.ok) << l.result.errorDetail.toStdString();
    EXPECT_EQ(childRecords(l.tree, headEnd(l.tree)),
              QStringList({"0A00", "0A00", "6E00040001000000", "0900000000000000", "0000"}));
    EXPECT_TRUE(l.result.warnings.empty());
    const EexSerializeResult saved = eexSerializeChecked(l.tree);
    ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    EXPECT_EQ(saved.bytes, file);
}

TEST(EexReader, CommentIsNotAddedTwiceOnARewind)
{
    // A marker stands two bytes before the comment; the comment is followed
    // by bytes that do not read as a command, so the reader rewinds and reads
    // the comment as the block command of a child event.
    const QByteArray body = hexBytes("01 00 02 00 05 00 41 00 02 00 00 00 00 00");
    // Hide the marker behind a first command whose record ends in 01 00.
    const QByteArray withLead = hexBytes("2B 00 02 00 01 00") + body.mid(2);
    Loaded l;
    load(l, oneSection(hexBytes("00 00"), withLead));
    ASSERT_TRUE(l.result.ok) << l.result.errorDetail.toStdString();
    const QStringList recs = childRecords(l.tree, headEnd(l.tree));
    EXPECT_EQ(recs.count("0200050041000200"), 1) << recs.join(' ').toStdString();
    EXPECT_EQ(recs.filter("02000500").size(), 1);
    ASSERT_FALSE(l.result.warnings.empty());
    EXPECT_EQ(l.result.warnings[0].kind, EexLoadWarning::Kind::MarkerAssumed);
}

TEST(EexReader, EveryTemplateRecordPassesTheLookAheadAndMeasuresItsLength)
{
    fixtures::ScenarioGenerator gen(7);
    for (int code = 0x02; code <= 0x79; ++code) {
        for (int round = 0; round < 5; ++round) {
            const QByteArray rec = gen.record(code);
            QByteArray image = rec + QByteArray(123, '\0');
            EXPECT_NE(eexLooksLikeCommand(image, code, 0), 0) << std::hex << code;
            const auto m = measureRecord(reinterpret_cast<const std::uint8_t *>(image.constData()),
                                         std::size_t(image.size()), 0);
            ASSERT_TRUE(m.has_value()) << std::hex << code;
            EXPECT_EQ(m->length, rec.size()) << std::hex << code;
        }
    }
}

TEST(EexReader, GeneratedScenariosLoadIntoTheGeneratorsRecords)
{
    QElapsedTimer timer;
    timer.start();
    KeySerial serial = 0;
    int deepest = 0;
    for (std::uint64_t seed = 1; seed <= 3000; ++seed) {
        fixtures::ScenarioGenerator gen(seed);
        const fixtures::GenScenario s = gen.scenario();
        DocTree tree;
        const EexLoadResult r = eexLoad(fixtures::scenarioBytes(s), "g.eex", tree, serial);
        ASSERT_TRUE(r.ok) << "seed " << seed << " at " << r.errorOffset << " " << r.errorDetail.toStdString();
        EXPECT_TRUE(r.warnings.empty()) << "seed " << seed;
        const auto got = fixtures::treeNodes(tree);
        const auto want = fixtures::expectedNodes(s);
        ASSERT_EQ(got.size(), want.size()) << "seed " << seed;
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].depth, want[i].depth) << "seed " << seed << " node " << i;
            ASSERT_EQ(got[i].record, want[i].record) << "seed " << seed << " node " << i;
            deepest = std::max(deepest, got[i].depth);
        }
    }
    // Body commands sit at depth 4; the files reached child events six deep.
    EXPECT_GE(deepest, 4 + 6);
    EXPECT_LT(timer.elapsed(), 60000);
}

// The files of these tests, hand-made and generated, cut at every length.
// A cut file either fails with the user's error at a position, or loads into
// a tree whose saved bytes read back into the same records (or whose save is
// refused with the place of a nested length the cut spoilt): never a crash, a
// hang, or a silent change.
TEST(EexReader, EveryTruncationLoadsOrFailsWithAPosition)
{
    std::vector<QByteArray> files = {
        hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00 06 00 00 00 02 00 00 00"),
        oneSection(hexBytes("00 00"), hexBytes("01 00 6E 00 04 00 32 00 00 00 02 00 00 00 00 00")),
        oneSection(hexBytes("02 00 05 00 41 42 00 00 00"), hexBytes("02 00 05 00 41 42 00 00 00")),
        oneSection(hexBytes("00 00"), hexBytes("01 00 01 00 6E 00 04 00 32 00 00 00 02 00 00 00 00 00")),
        oneSection(hexBytes("00 00"), hexBytes("01 00 6E 00 04 00 01 00 00 00 14 00 01 00 6E 00 04 00 02 00 00 00"
                                               "09 00 04 00 03 00 00 00 00 00 00 00")),
        oneSection(hexBytes("80 00 00 00"), hexBytes("01 00 6E 00 04 00 01 00 00 00 14 00 01 00 6E 00 04 00 02 00"
                                                     "00 00 02 00 00 00 FF 00 7A 00 00 00 00 00")),
        oneSection(hexBytes("00 00"), hexBytes("2B 00 02 00 01 00 02 00 05 00 41 00 02 00 00 00 00 00")),
        oneSection(hexBytes("00 00"), hexBytes("14 00 05 00 81 20 FF 0A B0 A1 00 00 00")),
        hexBytes("45 45 58 00 01 02 00 00 00 00 12 00 00 00 14 00 00 00 00 00 01 00 06 00 00 00 02 00 00 00"),
    };
    for (std::uint64_t seed : {11u, 12u, 13u}) {
        fixtures::GeneratorOptions opt;
        opt.maxBody = 6;
        fixtures::ScenarioGenerator gen(seed, opt);
        files.push_back(fixtures::scenarioBytes(gen.scenario()));
    }
    KeySerial serial = 0;
    for (std::size_t f = 0; f < files.size(); ++f) {
        const QByteArray &bytes = files[f];
        for (qsizetype n = 0; n <= bytes.size(); ++n) {
            DocTree tree;
            const EexLoadResult r = eexLoad(bytes.left(n), "t.eex", tree, serial);
            if (!r.ok) {
                EXPECT_GE(r.errorOffset, 0) << "file " << f << " cut at " << n;
                EXPECT_TRUE(eexLoadErrorMessage(r.errorOffset).startsWith(u"EEX 파일 오류！ SeekAdr : "));
                continue;
            }
            const EexSerializeResult saved = eexSerialize(tree);
            if (!saved.ok) {
                // The reader takes nested lengths as the file gives them; a
                // cut one the writer refuses, naming where it stands.
                EXPECT_GE(saved.scene, 0) << "file " << f << " cut at " << n;
                EXPECT_TRUE(saved.message.contains(u"Scene ")) << saved.message.toStdString();
                continue;
            }
            // A load that warned already told the user what it could not
            // place; the re-read is the check of the quiet ones.
            if (!r.warnings.empty())
                continue;
            DocTree again;
            const EexLoadResult r2 = eexLoad(saved.bytes, "t.eex", again, serial);
            ASSERT_TRUE(r2.ok) << "file " << f << " cut at " << n << " at " << r2.errorOffset;
            const auto first = fixtures::treeNodes(tree);
            const auto second = fixtures::treeNodes(again);
            ASSERT_EQ(first.size(), second.size()) << "file " << f << " cut at " << n;
            for (std::size_t i = 0; i < first.size(); ++i)
                ASSERT_EQ(first[i], second[i]) << "file " << f << " cut at " << n << " node " << i;
        }
    }
}

TEST(EexReader, FileThatCannotBeOpenedFails)
{
    DocTree tree;
    KeySerial serial = 0;
    const EexLoadResult r = eexLoadFile("/nonexistent/dir/x.eex", tree, serial);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorOffset, 0);
}

// Captions are made when first shown, yet read exactly as at load time: a
// head command with the head caption, a body command with the body caption,
// a child event's block command without its nested length, and names as
// they were when the file was read. Every key leads back to its node.
TEST(EexReader, CaptionsShownLaterAreTheCaptionsOfTheFileAsRead)
{
    NameTables names;
    for (int p = 0; p < 1100; ++p)
        names.charNames << QStringLiteral("인물%1").arg(p);
    for (int i = 0; i < 116; ++i)
        names.itemNames << QStringLiteral("물품%1").arg(i);
    const CaptionContext ctx{&names, nullptr};
    KeySerial serial = 0;
    int blocks = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        fixtures::ScenarioGenerator gen(seed);
        DocTree tree;
        ASSERT_TRUE(eexLoad(fixtures::scenarioBytes(gen.scenario()), "g.eex", tree, serial, ctx).ok);
        const NameTables asRead = names;
        names.charNames.replaceInStrings(QStringLiteral("인물"), QStringLiteral("바뀐"));
        for (NodeId n = tree.root(); n != kNoNode; n = tree.nextInOrder(n)) {
            ASSERT_EQ(tree.find(tree.key(n)), n);
            const NodeId parent = tree.parent(n);
            if (n == tree.root() || parent == tree.root() || tree.parent(parent) == tree.root())
                continue;  // the root, Scenes and Sections
            const int code = keyCode(tree.key(n));
            if (code <= 1)
                continue;  // end records and markers carry their own names
            QString key = tree.key(n);
            if (tree.childCount(n) > 0) {
                key.remove(key.indexOf(u'_') - 4, 4);
                ++blocks;
            }
            const bool head = tree.parent(tree.parent(parent)) == tree.root() && tree.parent(parent) != kNoNode &&
                              tree.key(parent).startsWith(QStringLiteral("Section_"));
            const CaptionContext readCtx{&asRead, nullptr};
            ASSERT_EQ(tree.text(n), commandCaption(key, head ? CaptionSite::ReaderHead : CaptionSite::ReaderBody,
                                                   false, readCtx))
                << "seed " << seed << " key " << tree.key(n).toStdString();
        }
        names = asRead;
    }
    EXPECT_GT(blocks, 20);
}

namespace {

// A file of `size` bytes that takes no disk space.
QString sparseFile(const QString &path, qint64 size)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    EXPECT_TRUE(f.resize(size));
    return path;
}

} // namespace

// Each reason a file does not open has its own Korean sentence, naming the
// file; nothing is read from a file over the limit.
TEST(EexReader, FilesThatCannotBeReadSayWhy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.eex"));
    const QString unreadable = dir.filePath("unreadable.eex");
    ASSERT_TRUE(QFile::link("/proc/self/mem", unreadable)); // opens, but reading fails
    struct Case {
        QString path;
        EexLoadFailure failure;
        QString says;
    };
    const std::vector<Case> cases = {
        {dir.filePath("missing.eex"), EexLoadFailure::Missing, "존재하지 않는 파일입니다!"},
        {dir.filePath("folder.eex"), EexLoadFailure::NotAFile, "파일이 아니라 폴더"},
        {unreadable, EexLoadFailure::Unreadable, "파일을 읽을 수 없습니다."},
        {sparseFile(dir.filePath("huge.eex"), kMaxScenarioBytes + 1), EexLoadFailure::TooLarge,
         "파일이 256.0 MB (268,435,457바이트)로 너무 커서 열지 않았습니다. 시나리오 파일은 256MB까지 열 수 있습니다."},
        {sparseFile(dir.filePath("three.eex"), 3LL * 1024 * 1024 * 1024), EexLoadFailure::TooLarge,
         "3.0 GB (3,221,225,472바이트)"},
    };
    for (const Case &c : cases) {
        DocTree tree;
        KeySerial serial = 0;
        const EexLoadResult r = eexLoadFile(c.path, tree, serial);
        EXPECT_FALSE(r.ok) << c.path.toStdString();
        EXPECT_EQ(r.failure, c.failure) << c.path.toStdString();
        EXPECT_EQ(tree.root(), kNoNode);
        const QString text = eexLoadFailureMessage(r, c.path);
        EXPECT_TRUE(text.startsWith(c.path + "\r\n")) << text.toStdString();
        EXPECT_TRUE(text.contains(c.says)) << text.toStdString();
        EXPECT_FALSE(text.contains("SeekAdr")) << text.toStdString();
    }
    // A damaged file keeps the reader's own text.
    Loaded l;
    load(l, hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 01 00"));
    ASSERT_FALSE(l.result.ok);
    EXPECT_EQ(l.result.failure, EexLoadFailure::Damaged);
    EXPECT_EQ(eexLoadFailureMessage(l.result, "/tmp/x.eex"), eexLoadErrorMessage(l.result.errorOffset));
}

TEST(EexReader, AFailedAllocationWhileLoadingBecomesAMessage)
{
    DocTree tree;
    KeySerial serial = 0;
    const EexLoadResult r = eexLoadGuarded(tree, [&]() -> EexLoadResult {
        eexLoad(oneSection(hexBytes("00 00"), hexBytes("00 00")), "/tmp/x.eex", tree, serial);
        throw std::bad_alloc(); // half-way through a larger load
    });
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failure, EexLoadFailure::OutOfMemory);
    EXPECT_EQ(tree.root(), kNoNode); // what was built is gone
    EXPECT_TRUE(eexLoadFailureMessage(r, "/tmp/x.eex").contains("메모리가 부족해"));
}

// Saving writes only the Scenes: bytes behind the last one are reported with
// their count, and only then.
TEST(EexReader, BytesAfterTheLastSceneAreReported)
{
    const QByteArray scenario = oneSection(hexBytes("00 00"), hexBytes("00 00"));
    Loaded clean;
    load(clean, scenario);
    ASSERT_TRUE(clean.result.ok);
    EXPECT_TRUE(clean.result.warnings.empty());

    Loaded junk;
    load(junk, scenario + QByteArray(1000, '\x5A'));
    ASSERT_TRUE(junk.result.ok);
    ASSERT_EQ(junk.result.warnings.size(), 1u);
    const EexLoadWarning &w = junk.result.warnings[0];
    EXPECT_EQ(w.kind, EexLoadWarning::Kind::BytesAfterEnd);
    EXPECT_EQ(w.offset, scenario.size());
    EXPECT_EQ(w.byteCount, 1000);
    EXPECT_EQ(eexLoadWarningMessage(w), QString("위치 %1: 마지막 Scene 뒤에 1,000바이트가 더 있습니다. 저장하면 이 바이트는 빠집니다.")
                                            .arg(QString::number(scenario.size(), 16).toUpper()));
    const EexSerializeResult saved = eexSerialize(junk.tree);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.bytes, scenario);

    // A Scene stored behind the others does not count as junk.
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        fixtures::ScenarioGenerator gen(seed);
        Loaded g;
        load(g, fixtures::scenarioBytes(gen.scenario()));
        for (const EexLoadWarning &gw : g.result.warnings)
            EXPECT_NE(gw.kind, EexLoadWarning::Kind::BytesAfterEnd) << seed;
    }
}

namespace {

// The Scenes and the header of a file whose Scenes are given as bytes (count
// word and Sections), each at the offset the table gives.
QByteArray withScenes(const std::vector<QByteArray> &scenes, const std::vector<quint32> &offsets)
{
    QByteArray out = hexBytes(kHeader);
    for (quint32 o : offsets)
        for (int i = 0; i < 4; ++i)
            out.append(char((o >> (8 * i)) & 0xFF));
    for (std::size_t s = 0; s < scenes.size(); ++s) {
        if (out.size() < qsizetype(offsets[s]))
            out.append(QByteArray(qsizetype(offsets[s]) - out.size(), '\x5A'));
        out += scenes[s];
    }
    return out;
}

} // namespace

// Every byte the tree does not hold, or holds twice, is in a warning, and the
// warnings' figures are exactly what a save drops and adds.
TEST(EexReader, BytesOutsideTheTreeOrReadTwiceAreWarnedAsASaveDropsOrAddsThem)
{
    using Kind = EexLoadWarning::Kind;
    const QByteArray scene = hexBytes("01 00 06 00 00 00 02 00 00 00");  // one Section, empty lists
    struct Case {
        const char *name;
        QByteArray file;
        Kind kind;
        std::int64_t offset;
        std::int64_t bytes;
    };
    const Case cases[] = {
        // Section 1 claims 4 bytes more than its lists use; the reader steps
        // over them to Section 2.
        {"between Sections",
         hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 02 00 0A 00 00 00 02 00 00 00 AA BB CC DD"
                  "06 00 00 00 02 00 00 00"),
         Kind::BytesSkipped, 24, 4},
        {"between Scenes", withScenes({scene, scene}, {18, 31}), Kind::BytesSkipped, 28, 3},
        {"before the first Scene", withScenes({scene}, {15}), Kind::BytesSkipped, 14, 1},
        {"a Scene twice in the table", withScenes({scene}, {18, 18}), Kind::BytesReadTwice, 18, 10},
        {"after the last Scene", withScenes({scene}, {14}) + "xyz", Kind::BytesAfterEnd, 24, 3},
        // The body stops after a 0x6E; its end record is read from behind the file.
        {"lists past the file's end",
         hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00 0E 00 00 00 0A 00 6E 00 04 00 05"),
         Kind::BytesPastEnd, 27, 5},
    };
    for (const Case &c : cases) {
        Loaded l;
        load(l, c.file);
        ASSERT_TRUE(l.result.ok) << c.name;
        ASSERT_EQ(l.result.warnings.size(), 1u) << c.name;
        const EexLoadWarning &w = l.result.warnings[0];
        EXPECT_EQ(w.kind, c.kind) << c.name;
        EXPECT_EQ(w.offset, c.offset) << c.name;
        EXPECT_EQ(w.byteCount, c.bytes) << c.name;
        const bool adds = c.kind == Kind::BytesReadTwice || c.kind == Kind::BytesPastEnd;
        EXPECT_EQ(eexSaveByteChange(w), adds ? c.bytes : -c.bytes) << c.name;
        EXPECT_TRUE(eexLoadWarningMessage(w).contains(adds ? u"더해집니다" : u"빠집니다")) << c.name;
        const EexSerializeResult saved = eexSerializeChecked(l.tree);
        ASSERT_TRUE(saved.ok) << c.name << saved.message.toStdString();
        EXPECT_EQ(saved.bytes.size(), c.file.size() + eexSaveByteChange(w)) << c.name;
    }
}

// A nested length that disagrees with the list read under it would make every
// save fail: the open sets it to the list's length and says so.
TEST(EexReader, NestedLengthThatDisagreesWithItsListIsSetToItAndWarned)
{
    // N says 5; the nested list is the end record alone, 2 bytes.
    const QByteArray file = oneSection(hexBytes("00 00"), hexBytes("01 00 6E 00 04 00 32 00 00 00 05 00 00 00 00 00"));
    Loaded l;
    load(l, file);
    ASSERT_TRUE(l.result.ok);
    ASSERT_EQ(l.result.warnings.size(), 1u);
    const EexLoadWarning &w = l.result.warnings[0];
    EXPECT_EQ(w.kind, EexLoadWarning::Kind::NestedLengthRepaired);
    EXPECT_EQ(w.offset, 32);
    EXPECT_EQ(w.storedLength, 5);
    EXPECT_EQ(w.listLength, 2);
    EXPECT_EQ(eexSaveByteChange(w), 0);
    EXPECT_EQ(eexLoadWarningMessage(w),
              QString("Scene 1, Section 1, 위치 20: 자사건의 중첩 길이 5이(가) 읽은 목록의 길이 2와(과) 달라 2(으)로 "
                      "고쳤습니다. 저장하면 고친 길이가 쓰입니다."));
    const EexSerializeResult saved = eexSerializeChecked(l.tree);
    ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    QByteArray repaired = file;
    repaired[32] = 2;
    EXPECT_EQ(saved.bytes, repaired);
}

// A document whose save will be refused says so when it opens, first among
// the warnings: here a Section whose lists outgrow what a length word holds.
TEST(EexReader, ADocumentThatCannotBeSavedSaysSoWhenItOpens)
{
    fixtures::ScenarioGenerator gen(5);
    QByteArray body;
    for (int i = 0; i < 15; ++i)
        body += gen.record(0x47);
    body += hexBytes("00 00");
    QByteArray file = oneSection(hexBytes("00 00"), body);
    Loaded l;
    load(l, file);
    ASSERT_TRUE(l.result.ok);
    ASSERT_EQ(l.result.warnings.size(), 1u);
    EXPECT_EQ(l.result.warnings[0].kind, EexLoadWarning::Kind::Unsaveable);
    EXPECT_FALSE(eexSerializeChecked(l.tree).ok);
    const QString text = eexLoadWarningsText(l.result.warnings);
    EXPECT_TRUE(text.startsWith(u"이 문서는 읽은 그대로는 저장할 수 없습니다.")) << text.toStdString();
    EXPECT_TRUE(text.contains(u"65,535바이트를 넘어")) << text.toStdString();
}

// Thousands of warnings: the message lists the first ones (one that the
// document cannot be saved first), counts the rest and sums what a save does.
TEST(EexReader, WarningsTextListsTheFirstAndSumsAll)
{
    std::vector<EexLoadWarning> warnings;
    for (int i = 0; i < 30; ++i) {
        EexLoadWarning w;
        w.kind = i % 2 ? EexLoadWarning::Kind::UnknownCode : EexLoadWarning::Kind::MarkerAssumed;
        w.scene = 0;
        w.section = 0;
        w.offset = 100 + i;
        w.byteCount = 2;
        warnings.push_back(w);
    }
    EexLoadWarning never;
    never.kind = EexLoadWarning::Kind::Unsaveable;
    never.reason = QStringLiteral("까닭");
    warnings.push_back(never);
    const QStringList lines = eexLoadWarningsText(warnings, 5).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[0].endsWith(u"까닭"));
    EXPECT_EQ(lines[1], eexLoadWarningMessage(warnings[0]));
    EXPECT_EQ(lines[5], QString("… 그 밖에 26건이 더 있습니다."));
    EXPECT_EQ(lines[6], QString("모두 합해 저장하면 30바이트가 빠지고 30바이트가 더해집니다."));
    // One warning alone is its own sum.
    EXPECT_EQ(eexLoadWarningsText({warnings[0]}), eexLoadWarningMessage(warnings[0]));
}
