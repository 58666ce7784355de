// Every edit leaves a document that saves, or is refused when it is made.
//
// The case behind it: a command whose second tag is damaged (0x32 with 72 00
// where 02 00 belongs) opens quietly and saves. An edit that puts a record
// ending in 01 00 two places before it makes the command in between read as
// the block of an assumed child event, so every later save would be refused.
// Such an edit is refused at once, naming the command, and changes nothing;
// where no nested list could follow, the reader no longer assumes the marker
// and the edit stands. The save's own refusal names the first command where
// its reading parts from the tree, and a Section checked alone gives the
// verdict the whole file's check gives.
#include "core/catalogue.h"
#include "core/find_replace.h"
#include "core/record_lengths.h"
#include "core/section_check.h"
#include "core/structure_edits.h"
#include "edit_history_test_doc.h"
#include "fixtures/damaged_variants.h"
#include "fixtures/scenario_generator.h"
#include "fixtures/tree_walk.h"

#include <QElapsedTimer>

using namespace core;
using namespace edit_test;
using fixtures::hexBytes;

namespace {

// P1 ends in the marker word 01 00; the others do not.
const QByteArray P1 = plain(1), P2 = plain(2), P3 = plain(3), P4 = plain(4);

// 0x32 with its second tag damaged. `first` is its first value: 0x48 makes
// the bytes behind its code word read as a command (0x40 with its tag 48),
// so a nested list seems to follow whatever stands before it.
QByteArray damaged32(int first)
{
    return hexBytes("32 00 40 00") + word(first) +
           hexBytes("72 00 FF FF 04 00 00 00 00 00 04 00 00 00 00 00 04 00 00 00 00 00 2B 00 FF FF");
}

// Two Sections; the second's body holds P1, P3, P2, the damaged command, P4.
QByteArray twoSections(int first)
{
    return eexFile({{lockedComment(), P4}, {lockedComment(), P1 + P3 + P2 + damaged32(first) + P4}});
}

QString placeOf(int row, int code)
{
    return QStringLiteral("Scene 1, Section 2, %1번째 명령(%2)").arg(row).arg(menuName(code));
}

struct Damaged : ::testing::Test {
    void open(int first)
    {
        const EexLoadResult r = eexLoad(twoSections(first), QStringLiteral("t.eex"), doc.tree, doc.serial);
        ASSERT_TRUE(r.ok);
        ASSERT_TRUE(r.warnings.empty());
        ASSERT_TRUE(eexSerializeChecked(doc.tree).ok);
    }
    NodeId inBody(const QByteArray &record) const
    {
        for (NodeId n = doc.tree.firstChild(doc.headEnd(1)); n != kNoNode; n = doc.tree.next(n))
            if (recordPart(doc.tree.key(n)) == fixtures::toHex(record))
                return n;
        return kNoNode;
    }
    Doc doc;
};

struct MoveCase {
    const char *name;
    QByteArray record;
    bool up;
    bool refused;  // with the value 0x48
};

TEST_F(Damaged, AMoveThatWouldMakeACommandReadAsAnAssumedBlockIsRefusedAndChangesNothing)
{
    // Rows below Section 2: 1 the locked comment, 2 the head-end node, then
    // P1 (3), P3 (4), P2 (5), the damaged 0x32 (6), P4 (7).
    const MoveCase cases[] = {
        {"P3 up: P1 stands before P2", P3, true, true},
        {"P2 down: P1 stands before P3", P2, false, true},
        {"0x32 up: P1 stands before P3", damaged32(0x48), true, true},
        {"P2 up", P2, true, false},
        {"P3 down", P3, false, false},
        {"0x32 down", damaged32(0x48), false, false},
        {"P4 up", P4, true, false},
    };
    for (const MoveCase &c : cases) {
        doc.tree.clear();
        doc.history.clear();
        open(0x48);
        const QByteArray before = doc.bytes();
        const EditResult r = c.up ? moveUp(doc.ctx, inBody(c.record)) : moveDown(doc.ctx, inBody(c.record));
        if (!c.refused) {
            EXPECT_TRUE(r.ok) << c.name;
            EXPECT_TRUE(eexSerializeChecked(doc.tree).ok) << c.name;
            continue;
        }
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_FALSE(r.changed) << c.name;
        EXPECT_EQ(doc.history.undoStepCount(), 0) << c.name;
        EXPECT_EQ(doc.bytes(), before) << c.name;
        EXPECT_TRUE(eexSerializeChecked(doc.tree).ok) << c.name;
        // Named where the author finds it: the command that would read as a
        // block, by its Scene, Section, row and code.
        EXPECT_TRUE(r.message.contains(QStringLiteral("Scene 1, Section 2, "))) << r.message.toStdString();
        EXPECT_TRUE(r.message.contains(QStringLiteral("번째 명령(%1)").arg(menuName(0x0F)))) << r.message.toStdString();
        EXPECT_TRUE(r.message.contains(QStringLiteral("편집하지 않았습니다"))) << r.message.toStdString();
    }
}

TEST_F(Damaged, NoMarkerIsAssumedWhereNoNestedListCouldFollowSoTheMovesStand)
{
    // With any other first value nothing behind the damaged command's code
    // word reads as a command: every move of the neighbours stands and saves.
    for (const bool up : {true, false}) {
        for (const QByteArray &record : {P1, P3, P2, damaged32(5), P4}) {
            doc.tree.clear();
            doc.history.clear();
            open(5);
            if (!(up ? canMoveUp(doc.tree, inBody(record)) : canMoveDown(doc.tree, inBody(record))))
                continue;
            const EditResult r = up ? moveUp(doc.ctx, inBody(record)) : moveDown(doc.ctx, inBody(record));
            EXPECT_TRUE(r.ok) << r.message.toStdString();
            const EexSerializeResult s = eexSerializeChecked(doc.tree);
            ASSERT_TRUE(s.ok) << s.message.toStdString();
            DocTree again;
            KeySerial serial = 0;
            const EexLoadResult reread = eexLoad(s.bytes, QStringLiteral("again.eex"), again, serial);
            EXPECT_TRUE(reread.warnings.empty());
            EXPECT_EQ(fixtures::treeNodes(again), fixtures::treeNodes(doc.tree));
        }
    }
}

TEST_F(Damaged, DeletePasteAddAndReplaceAllThatWouldLeaveItUnsaveableAreRefused)
{
    struct EditCase {
        const char *name;
        std::function<EditResult(Damaged &)> edit;
    };
    const EditCase cases[] = {
        // P3 goes: P1 stands before P2, the command before the damaged one.
        {"delete", [](Damaged &t) { return deleteNodes(t.doc.ctx, t.inBody(P3)); }},
        {"cut",
         [](Damaged &t) {
             Clipboard clipboard;
             const EditResult r = cutNodes(t.doc.ctx, t.inBody(P3), {}, clipboard);
             EXPECT_TRUE(clipboard.isEmpty()) << "a refused cut copies nothing either";
             return r;
         }},
        // A copy of P1 before P2.
        {"paste",
         [](Damaged &t) {
             Clipboard clipboard;
             EXPECT_TRUE(copyNodes(t.doc.tree, t.inBody(P1), {}, clipboard).ok);
             return pasteNodes(t.doc.ctx, clipboard, t.inBody(P2));
         }},
    };
    for (const EditCase &c : cases) {
        doc.tree.clear();
        doc.history.clear();
        open(0x48);
        const QByteArray before = doc.bytes();
        const KeySerial serial = doc.serial;
        const EditResult r = c.edit(*this);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_FALSE(r.changed) << c.name;
        EXPECT_TRUE(r.message.startsWith(placeOf(5, 0x0F))) << c.name << ": " << r.message.toStdString();
        EXPECT_EQ(doc.bytes(), before) << c.name;
        EXPECT_EQ(doc.history.undoStepCount(), 0) << c.name;
        EXPECT_EQ(doc.serial, serial) << c.name;
        // The selection stays on a node with the key it had.
        if (r.select != kNoNode)
            EXPECT_TRUE(doc.tree.isValid(r.select)) << c.name;
    }
}

TEST_F(Damaged, AddingACommandWhoseNewRecordEndsInTheMarkerWordBeforeIsRefused)
{
    int tried = 0;
    for (int code = 0x02; code <= kHighestCode; ++code) {
        if (!defaultRecord(code).endsWith(QLatin1String("0100")))
            continue;
        doc.tree.clear();
        doc.history.clear();
        open(0x48);
        // Before P3, which stands before P2: [P1, new, P3, P2, 0x32]. Before
        // P2: [P1, P3, new, P2, 0x32] - P2 then reads as a block.
        const QByteArray before = doc.bytes();
        const EditResult r = addCommand(doc.ctx, inBody(P2), code);
        ++tried;
        EXPECT_FALSE(r.ok) << std::hex << code;
        EXPECT_EQ(doc.bytes(), before) << std::hex << code;
        EXPECT_EQ(doc.history.undoStepCount(), 0);
        EXPECT_TRUE(r.message.contains(QStringLiteral("Scene 1, Section 2, "))) << r.message.toStdString();
    }
    EXPECT_GT(tried, 0);
}

TEST_F(Damaged, AReplaceAllThatWouldEndATextWithTheMarkerWordIsTakenBackWhole)
{
    // A text whose last letter is "a" stands before P2 in Section 2, and a
    // second one elsewhere (Section 1) takes the same replace well.
    const QByteArray note = hexBytes("16 00 05 00 78 61 00");  // information "xa"
    const QByteArray file = eexFile({{lockedComment(), note + P4}, {lockedComment(), P3 + note + P2 + damaged32(0x48)}});
    ASSERT_TRUE(eexLoad(file, QStringLiteral("t.eex"), doc.tree, doc.serial).ok);
    ASSERT_TRUE(eexSerializeChecked(doc.tree).ok);
    const ReplaceOutcome out = replaceAll(doc.ctx, QStringLiteral("a"), QString(QChar(1)));
    EXPECT_FALSE(out.refused.isEmpty());
    EXPECT_TRUE(out.refused.startsWith(placeOf(5, 0x0F))) << out.refused.toStdString();
    EXPECT_FALSE(out.changed());
    EXPECT_EQ(doc.bytes(), file);
    EXPECT_EQ(doc.history.undoStepCount(), 0);
    // The same text elsewhere is harmless: replaced, one step.
    const ReplaceOutcome fine = replaceAll(doc.ctx, QStringLiteral("x"), QStringLiteral("y"));
    EXPECT_TRUE(fine.refused.isEmpty());
    EXPECT_EQ(fine.replaced.size(), 2u);
    EXPECT_EQ(doc.history.undoStepCount(), 1);
}

// Any letter of a text can matter in a damaged Section. Behind a child
// event's block with no nested list, the reader looks two bytes into the
// next record for one; a dialogue with a damaged tag (05 98) makes that
// look-ahead step over its letters two at a time as unknown codes. Its last
// letter and the 00 after it then read as a code: "+" (0x2B) wants a tag
// the bytes behind do not hold, so no nested list; "/" (0x2F) has no items,
// so the look-ahead goes on to the plain command behind, finds a command and
// reads the dialogue's first word as a nested length. The same number of
// bytes, a different reading: replace all and replace next check the
// Sections they rewrite whatever the letters.
TEST(ReplaceInDamaged, ATextWhoseLettersWouldChangeTheReadingIsRefused)
{
    const QByteArray block = hexBytes("2D 00 02 00 FF FF");
    const QByteArray dialogue = hexBytes("14 00 05 98") + QByteArray("AB+") + QByteArray(1, '\0');
    const QByteArray file = eexFile(hexBytes("01 00") + block + dialogue + P1);
    for (const bool all : {true, false}) {
        SCOPED_TRACE(all ? "replace all" : "replace next");
        Doc doc(file);
        ASSERT_TRUE(eexSerializeChecked(doc.tree).ok);
        const auto replace = [&](const QString &find, const QString &by) {
            return all ? replaceAll(doc.ctx, find, by) : replaceNext(doc.ctx, find, by);
        };
        const ReplaceOutcome out = replace(QStringLiteral("+"), QStringLiteral("/"));
        EXPECT_FALSE(out.refused.isEmpty());
        EXPECT_TRUE(out.replaced.empty());
        EXPECT_EQ(doc.bytes(), file);
        EXPECT_EQ(doc.history.undoStepCount(), 0);
        // A letter that reads as no code leaves the reading as it was.
        const ReplaceOutcome fine = replace(QStringLiteral("B"), QStringLiteral("C"));
        EXPECT_TRUE(fine.refused.isEmpty());
        EXPECT_EQ(fine.replaced.size(), 1u);
        EXPECT_TRUE(eexSerializeChecked(doc.tree).ok);
    }
}

TEST_F(Damaged, TheSavesRefusalNamesTheFirstCommandWhereItsReadingParts)
{
    open(0x48);
    // The move of the first case, made behind the edits' back.
    ASSERT_TRUE(doc.tree.move(inBody(P1), inBody(P2), Relation::Before));
    const EexSerializeResult s = eexSerializeChecked(doc.tree);
    ASSERT_FALSE(s.ok);
    EXPECT_EQ(s.node, inBody(P2));
    EXPECT_EQ(s.scene, 0);
    EXPECT_EQ(s.section, 1);
    EXPECT_TRUE(s.message.startsWith(placeOf(5, 0x0F) + QStringLiteral(": 저장할 내용을 다시 읽어 보니 문서와 다르게 읽힙니다.")))
        << s.message.toStdString();
    // The Section alone says the same.
    const EexWriteResult alone = eexCheckSection(doc.tree, doc.section(1));
    EXPECT_FALSE(alone.ok);
    EXPECT_EQ(alone.node, inBody(P2));
    EXPECT_TRUE(eexCheckSection(doc.tree, doc.section(0)).ok);
}

TEST(SaveRefusal, ANestedLengthThatDisagreesNamesItsBlockCommand)
{
    const QByteArray blk = hexBytes("6E 00 04 00 32 00 00 00");
    Doc doc(eexFile(P1 + childEvent(blk, P2)));
    const NodeId block = doc.byRecordPrefix(blk);
    QString key = doc.tree.key(block);
    key.replace(key.indexOf(u'_') - 4, 4, QStringLiteral("0900"));
    ASSERT_TRUE(doc.tree.setKey(block, key));
    const EexSerializeResult s = eexSerializeChecked(doc.tree);
    ASSERT_FALSE(s.ok);
    EXPECT_EQ(s.node, block);
    // Rows: locked comment, head-end node, P1, the marker, the block.
    EXPECT_TRUE(s.message.startsWith(QStringLiteral("Scene 1, Section 1, 5번째 명령(%1): 자사건의 중첩 길이 9이(가) 실제 길이 8와(과) 다릅니다.")
                                         .arg(menuName(0x6E))))
        << s.message.toStdString();
}

// The reader hangs a child event's nested list under whatever command
// follows the marker, so a damaged file gives nested lists (and their length
// words) to codes that are not block menus: a dialogue, a plain command, even
// an end record. Every edit inside such a list keeps the word equal to the
// list, as it does for a block menu, so the edit stands and the file saves.
TEST(NestedLength, ACommandOfAnyCodeHoldingAListKeepsItsWordThroughEveryEdit)
{
    const QByteArray dialogue = hexBytes("14 00 05 00 78 79 7A 00");  // "xyz"
    const struct {
        const char *what;
        QByteArray block;
    } blocks[] = {
        {"block menu", hexBytes("6E 00 04 00 32 00 00 00")},
        {"dialogue", hexBytes("14 00 05 00 61 62 00")},
        {"plain command", plain(9)},
        {"end record", hexBytes("00 00")},
    };
    const struct {
        const char *what;
        std::function<EditResult(Doc &)> edit;
    } edits[] = {
        {"replace all, longer", [](Doc &d) {
             const ReplaceOutcome out = replaceAll(d.ctx, QStringLiteral("y"), QStringLiteral("yyyy"));
             return EditResult{out.refused.isEmpty(), out.changed(), out.refused, kNoNode};
         }},
        {"replace all, shorter", [](Doc &d) {
             const ReplaceOutcome out = replaceAll(d.ctx, QStringLiteral("xyz"), QStringLiteral("x"));
             return EditResult{out.refused.isEmpty(), out.changed(), out.refused, kNoNode};
         }},
        {"delete", [](Doc &d) { return deleteNodes(d.ctx, d.byRecord(P2)); }},
        {"paste", [](Doc &d) {
             Clipboard clipboard;
             EXPECT_TRUE(copyNodes(d.tree, d.byRecord(P1), {}, clipboard).ok);
             return pasteNodes(d.ctx, clipboard, d.byRecord(P2));
         }},
        {"add", [](Doc &d) { return addCommand(d.ctx, d.byRecord(P2), 0x0A); }},
        {"move down", [&dialogue](Doc &d) { return moveDown(d.ctx, d.byRecord(dialogue)); }},
    };
    for (const auto &b : blocks) {
        for (const auto &e : edits) {
            SCOPED_TRACE(std::string(b.what) + ", " + e.what);
            Doc d(eexFile(P1 + childEvent(b.block, dialogue + P2) + P3));
            ASSERT_TRUE(eexSerializeChecked(d.tree).ok);
            const EditResult r = e.edit(d);
            EXPECT_TRUE(r.ok) << r.message.toStdString();
            EXPECT_TRUE(r.changed);
            const EexSerializeResult saved = eexSerializeChecked(d.tree);
            EXPECT_TRUE(saved.ok) << saved.message.toStdString();
        }
    }
}

// A Section checked alone gives the whole file's verdict: over generated
// scenarios and their damaged variants, the file's save reads back exactly
// when every Section reads back alone, and a refused save names the first
// Section that does not.
TEST(SectionCheck, ASectionAloneReadsAsItReadsInTheWholeFile)
{
    QElapsedTimer timer;
    timer.start();
    int opened = 0, unsaveable = 0;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        fixtures::GeneratorOptions options;
        options.maxBody = 8;
        options.armyTables = seed % 4 == 0;
        const fixtures::GenScenario scenario = fixtures::ScenarioGenerator(seed, options).scenario();
        std::vector<QByteArray> files = fixtures::damagedVariants(scenario, 60, seed * 131);
        files.push_back(fixtures::scenarioBytes(scenario));
        for (std::size_t v = 0; v < files.size(); ++v) {
            DocTree tree;
            KeySerial serial = 0;
            if (!eexLoad(files[v], QStringLiteral("t.eex"), tree, serial).ok)
                continue;
            ++opened;
            const EexSerializeResult whole = eexSerializeChecked(tree);
            int scene = -1, section = -1;
            for (NodeId sc = tree.firstChild(tree.root()); sc != kNoNode && scene < 0; sc = tree.next(sc))
                for (NodeId s = tree.firstChild(sc); s != kNoNode; s = tree.next(s))
                    if (!eexCheckSection(tree, s).ok) {
                        scene = tree.row(sc);
                        section = tree.row(s);
                        break;
                    }
            const std::string name = "seed " + std::to_string(seed) + " variant " + std::to_string(v);
            ASSERT_EQ(whole.ok, scene < 0) << name << ": " << whole.message.toStdString();
            if (!whole.ok) {
                ++unsaveable;
                EXPECT_EQ(whole.scene, scene) << name;
                EXPECT_EQ(whole.section, section) << name;
            }
        }
    }
    EXPECT_GT(opened, 1000);
    EXPECT_LT(timer.elapsed(), 30000);
    std::cout << opened << " opened, " << unsaveable << " unsaveable\n";
}

} // namespace
