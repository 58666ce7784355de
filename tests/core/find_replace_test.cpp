// Find and replace on hand-built scenarios: the walk in display order, the
// text rewrite at the byte level (line feeds, double-byte characters, bytes
// that are not valid CP949), nested lengths after a rewrite, the 16-bit
// limits, and undo of a replacement.
#include "core/find_replace.h"

#include "core/tree_queries.h"
#include "core/undo_redo.h"
#include "edit_history_test_doc.h"
#include "fixtures/scenario_generator.h"
#include "platform/cp949.h"

using namespace core;
using namespace edit_test;
using fixtures::hexBytes;

namespace {

QByteArray cp(const QString &s) { return platform::Cp949::encode(s); }
QByteArray z() { return QByteArray(1, '\0'); }

// Text-bearing records: dialogue (0x14), dialogue with two persons (0x15),
// aside (0x69), and the choice block (0x12) with the parameter after its text.
QByteArray dlg(const QByteArray &text) { return hexBytes("14 00 05 00") + text + z(); }
QByteArray dlg2(const QByteArray &text) { return hexBytes("15 00 02 00 01 00 02 00 02 00 05 00") + text + z(); }
QByteArray aside(const QByteArray &text) { return hexBytes("69 00 05 00") + text + z(); }
QByteArray choice(const QByteArray &text) { return hexBytes("12 00 05 00") + text + z() + hexBytes("02 00 FF FF"); }
const QByteArray blk = hexBytes("6E 00 04 00 32 00 00 00");  // a block without text

std::vector<NodeId> allMatches(const DocTree &tree, const FindQuery &q)
{
    std::vector<NodeId> seen;
    NodeId n = findFrom(tree, findStartOfTree(tree), q);
    while (n != kNoNode) {
        seen.push_back(n);
        const NodeId start = findStartAfter(tree, n);
        n = start == kNoNode ? kNoNode : findFrom(tree, start, q);
    }
    return seen;
}

std::vector<NodeId> displayOrderWhere(const DocTree &tree, const std::function<bool(NodeId)> &pred)
{
    std::vector<NodeId> out;
    for (NodeId n = tree.firstChild(tree.root()); n != kNoNode; n = tree.nextInOrder(n))
        if (pred(n))
            out.push_back(n);
    return out;
}

TEST(TextReplacer, RewritesOnlyWholeStoredCharacters)
{
    struct Case {
        const char *what;
        QString find, replace;
        QByteArray stored;
        std::optional<QByteArray> expected;
    };
    // 0x81 0x41 is one double-byte character whose trail byte reads as "A".
    const QByteArray trailA = hexBytes("81 41");
    const std::vector<Case> cases = {
        {"ascii, every occurrence", "a", "bb", "a-a-a", QByteArray("bb-bb-bb")},
        {"left to right without overlaps", "aa", "x", "aaa", QByteArray("xa")},
        {"no occurrence", "q", "x", "abc", std::nullopt},
        {"hangul", QStringLiteral("대화"), QStringLiteral("말"), cp(QStringLiteral("긴 대화와 대화")), cp(QStringLiteral("긴 말와 말"))},
        {"a trail byte is not a letter", "A", "B", trailA + "A", trailA + "B"},
        {"only the trail byte would match", "A", "B", trailA, std::nullopt},
        {"stored line feed is a line break", "\n", " ", "a\nb", QByteArray("a b")},
        {"stored backslash-n is two characters", "\n", " ", "a\\nb", std::nullopt},
        {"backslash-n found literally", "\\n", "/", "a\\nb", QByteArray("a/b")},
        {"invalid bytes kept beside a match", "x", "yy", hexBytes("FF 78 81 20"), hexBytes("FF 79 79 81 20")},
        {"invalid lead byte does not swallow the next", " ", "_", hexBytes("81 20 41"), hexBytes("81 5F 41")},
        {"invalid bytes without a match", "x", "y", hexBytes("FF 41 81"), std::nullopt},
        {"empty find text", "", "x", "abc", std::nullopt},
        {"replace by nothing", "b", "", "abcb", QByteArray("ac")},
    };
    for (const Case &c : cases) {
        const TextReplacer r(c.find, c.replace);
        EXPECT_EQ(r.apply(c.stored), c.expected) << c.what;
    }
}

TEST(TextReplacer, TypedBackslashNStandsForALineBreak)
{
    EXPECT_EQ(userLineBreaks(QStringLiteral("a\\nb\\n")), QStringLiteral("a\nb\n"));
    EXPECT_EQ(userLineBreaks(QStringLiteral("a\\b")), QStringLiteral("a\\b"));
}

TEST(TextFields, TableGivesTheTextStartOfEachTextCommand)
{
    EXPECT_EQ(replaceTextFields().size(), 12u);
    EXPECT_EQ(replaceTextStart(0x14), 9);
    EXPECT_EQ(replaceTextStart(0x15), 25);
    EXPECT_EQ(replaceTextStart(0x63), 17);
    EXPECT_EQ(replaceTextStart(0x02), std::nullopt);  // comments are not replaced
}

// --- find --------------------------------------------------------------------

class FindTest : public ::testing::Test
{
protected:
    // Two Sections; the second has a dialogue inside two nested child events.
    Doc d{eexFile({{lockedComment() + dlg("h1"), aside("x") + childEvent(choice("c"), dlg("n1") + aside("y"))
                                                     + dlg("b1")},
                   {lockedComment(), childEvent(blk, childEvent(blk, dlg("deep"))) + dlg("b2")}})};
};

TEST_F(FindTest, FindNextVisitsEveryMatchOnceInDisplayOrder)
{
    const FindQuery byCode{FindMode::ByNumber, 0x14, {}};
    const auto expected = displayOrderWhere(d.tree, [&](NodeId n) { return keyCode(d.tree.key(n)) == 0x14; });
    ASSERT_EQ(expected.size(), 5u);
    EXPECT_EQ(allMatches(d.tree, byCode), expected);

    // A text search also matches the command name in the caption.
    const FindQuery byName{FindMode::ByText, 0, QStringLiteral("대화")};
    EXPECT_EQ(allMatches(d.tree, byName), expected);
}

TEST_F(FindTest, ContinuingFromAnEndNodeMovesOnInsteadOfFindingItAgain)
{
    const FindQuery endNodes{FindMode::ByList, 0, {}};
    const auto matches = allMatches(d.tree, endNodes);
    const auto expected = displayOrderWhere(d.tree, [&](NodeId n) { return nodeNumber(d.tree, n) == 0; });
    EXPECT_EQ(matches, expected);
    // The last node of the tree: nothing lies after it.
    NodeId last = d.tree.root();
    while (d.tree.childCount(last) > 0)
        last = d.tree.lastChild(last);
    EXPECT_EQ(findStartAfter(d.tree, last), kNoNode);
    EXPECT_EQ(findStartAfter(d.tree, kNoNode), findStartOfTree(d.tree));
}

TEST_F(FindTest, ModeNoneAndMissingCodesFindNothing)
{
    EXPECT_EQ(findFrom(d.tree, findStartOfTree(d.tree), FindQuery{}), kNoNode);
    EXPECT_EQ(findFrom(d.tree, findStartOfTree(d.tree), FindQuery{FindMode::ByNumber, 0x79, {}}), kNoNode);
    EXPECT_EQ(findFrom(d.tree, kNoNode, FindQuery{FindMode::ByNumber, 0x14, {}}), kNoNode);
}

// --- replace -------------------------------------------------------------------

TEST(Replace, ReplaceAllInsideNestedChildEventsKeepsLengthsAndUndoesInOneStep)
{
    const QByteArray original =
        eexFile({{lockedComment() + dlg("a"),
                  childEvent(choice("a-a"), dlg("xa") + childEvent(blk, dlg2("aa") + aside("no") + dlg("a")))
                      + dlg("\\na")}});
    Doc d(original);
    const ReplaceOutcome out = replaceAll(d.ctx, QStringLiteral("a"), QStringLiteral("\\n\uAC00"));
    EXPECT_EQ(out.replaced.size(), 6u);
    EXPECT_TRUE(out.tooLong.empty());
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(d.tree));

    // What the user expects on disk, built by hand.
    const QByteArray r = "\n" + cp(QStringLiteral("\uAC00"));
    const QByteArray expected =
        eexFile({{lockedComment() + dlg(r),
                  childEvent(choice(r + "-" + r), dlg("x" + r) + childEvent(blk, dlg2(r + r) + aside("no") + dlg(r)))
                      + dlg("\\n" + r)}});
    const QByteArray saved = d.bytes();
    EXPECT_EQ(fixtures::toHex(saved), fixtures::toHex(expected));

    // Read back: the nested lengths and the Section words are real lengths.
    Doc again(saved);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(again.tree));
    EXPECT_EQ(again.bytes(), saved);

    // The captions were rebuilt from the new keys, as node creation builds
    // them: the choice holding a nested list leaves its length word out.
    EXPECT_TRUE(d.tree.text(out.replaced.front()).contains(QStringLiteral("\uAC00")));
    bool sawBlock = false;
    for (const NodeId n : out.replaced) {
        const bool child = d.tree.childCount(n) > 0;
        const QString &key = d.tree.key(n);
        EXPECT_EQ(d.tree.text(n), commandCaption(key, CaptionSite::Creation, child, d.ctx.captions));
        if (child) {
            sawBlock = true;
            EXPECT_NE(d.tree.text(n), commandCaption(key, CaptionSite::Creation, false, d.ctx.captions));
        }
    }
    EXPECT_TRUE(sawBlock);

    // One step, whose one record holds every rewritten command.
    ASSERT_EQ(d.history.undoStepCount(), 1);
    ASSERT_EQ(d.history.undoTop()->recordCount(), 1);
    const auto *rewrites = dynamic_cast<const ReplaceTextsCommand *>(&d.history.undoTop()->record(0));
    ASSERT_NE(rewrites, nullptr);
    EXPECT_EQ(rewrites->count(), 6);
    EXPECT_TRUE(undo(d.ctx).ok);
    EXPECT_EQ(fixtures::toHex(d.bytes()), fixtures::toHex(original));
    EXPECT_TRUE(redo(d.ctx).ok);
    EXPECT_EQ(fixtures::toHex(d.bytes()), fixtures::toHex(expected));
}

TEST(Replace, OnlyTheTextAfterTheParametersChangesAndTheChoiceKeepsItsTail)
{
    Doc d(eexFile(childEvent(choice("pp"), dlg2("pp"))));
    replaceAll(d.ctx, QStringLiteral("p"), QStringLiteral("q"));
    EXPECT_EQ(fixtures::toHex(d.bytes()), fixtures::toHex(eexFile(childEvent(choice("qq"), dlg2("qq")))));
}

TEST(Replace, ReplaceNextTakesTheFirstMatchFromTheSelectionInDisplayOrder)
{
    // The aside (last in the table) comes first; dialogues around it do not match.
    Doc d(eexFile(dlg("zz") + aside("one") + dlg("one") + choice("one")));
    d.tree.setSelected(d.byRecord(dlg("zz")));
    const QByteArray before = d.bytes();

    ReplaceOutcome out = replaceNext(d.ctx, QStringLiteral("one"), QStringLiteral("1"));
    ASSERT_EQ(out.replaced.size(), 1u);
    EXPECT_EQ(out.found, d.byRecord(aside("1")));
    EXPECT_EQ(d.history.undoStepCount(), 1);

    // From the replaced node on, the next match is the dialogue after it.
    d.tree.setSelected(out.found);
    out = replaceNext(d.ctx, QStringLiteral("one"), QStringLiteral("1"));
    EXPECT_EQ(out.found, d.byRecord(dlg("1")));

    // Undo twice gives the original bytes.
    EXPECT_TRUE(undo(d.ctx).ok);
    EXPECT_TRUE(undo(d.ctx).ok);
    EXPECT_EQ(d.bytes(), before);
}

TEST(Replace, NothingHappensWithoutAMatchOrWithAnEmptyFindText)
{
    const QByteArray original = eexFile(dlg("abc") + aside("abc"));
    Doc d(original);
    for (const QString &find : {QString(), QStringLiteral("zzz")}) {
        EXPECT_FALSE(replaceAll(d.ctx, find, QStringLiteral("x")).changed());
        EXPECT_EQ(replaceNext(d.ctx, find, QStringLiteral("x")).found, kNoNode);
    }
    EXPECT_EQ(d.bytes(), original);
    EXPECT_EQ(d.history.undoStepCount(), 0);
}

TEST(Replace, InvalidTextIsLeftByteForByteUnlessItMatches)
{
    const QByteArray bad = hexBytes("FF 81 20 5C 6E");  // not CP949, and a backslash-n
    const QByteArray original = eexFile(aside(bad) + dlg(bad + "k"));
    Doc d(original);
    const ReplaceOutcome out = replaceAll(d.ctx, QStringLiteral("k"), QStringLiteral("K"));
    ASSERT_EQ(out.replaced.size(), 1u);
    EXPECT_EQ(fixtures::toHex(d.bytes()), fixtures::toHex(eexFile(aside(bad) + dlg(bad + "K"))));
}

TEST(Replace, ATextThatWouldOverflowItsSectionIsSkippedAndListed)
{
    // The long dialogue fills the Section almost to the 16-bit limit.
    const QByteArray filler = dlg(QByteArray(65470, 'f'));
    const QByteArray original = eexFile({{lockedComment(), filler + dlg("ab")}, {lockedComment(), dlg("ab")}});
    Doc d(original);
    const NodeId full = d.byRecord(dlg("ab"));
    const ReplaceOutcome out = replaceAll(d.ctx, QStringLiteral("a"), QString(200, u'a'));
    ASSERT_EQ(out.tooLong.size(), 1u);
    EXPECT_EQ(out.tooLong.front(), full);
    EXPECT_EQ(out.replaced.size(), 1u);  // the one in the roomy Section
    EXPECT_TRUE(d.tree.key(full).contains(fixtures::toHex(dlg("ab"))));
    EXPECT_TRUE(eexSerialize(d.tree).ok);

    // Shrinking is always allowed.
    EXPECT_EQ(replaceAll(d.ctx, QStringLiteral("f"), QString()).replaced.size(), 1u);
}

TEST(Replace, ATextThatWouldOverflowANestedListIsSkipped)
{
    // A nested list at its limit is built by hand: the reader accepts it as
    // long as the Section words stay in 16 bits, which the body around it cannot.
    Doc d(eexFile(childEvent(blk, dlg("ab"))));
    const NodeId block = d.byRecordPrefix(blk);
    QString key = d.tree.key(block);
    const int wordAt = int(recordPart(key).size()) - 3;
    keyWriteField(key, wordAt, 2, kMaxNestedLength);
    ASSERT_TRUE(d.tree.setKey(block, key));
    const ReplaceOutcome out = replaceNext(d.ctx, QStringLiteral("a"), QStringLiteral("aa"));
    EXPECT_EQ(out.tooLong.size(), 1u);
    EXPECT_TRUE(out.replaced.empty());
    EXPECT_EQ(d.tree.key(block), key);
}

} // namespace

namespace {

// Generated scenarios, damaged texts included: replace all keeps the file
// readable with right lengths, and one undo gives back the original bytes.
TEST(Replace, ReplaceAllOnGeneratedScenariosSavesReadsBackAndUndoes)
{
    fixtures::GeneratorOptions opt;
    opt.maxScenes = 2;
    opt.armyTables = false;
    std::size_t replaced = 0;
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        fixtures::ScenarioGenerator gen(seed, opt);
        const QByteArray original = fixtures::scenarioBytes(gen.scenario());
        Doc d(original);
        const ReplaceOutcome out = replaceAll(d.ctx, QStringLiteral(" "), QStringLiteral("\\n\uD55C "));
        const QByteArray saved = d.bytes();
        ASSERT_FALSE(saved.isEmpty()) << seed;
        Doc again(saved);
        EXPECT_TRUE(fixtures::nestedLengthsConsistent(again.tree)) << seed;
        EXPECT_EQ(again.bytes(), saved) << seed;
        replaced += out.replaced.size();
        if (!out.changed())
            continue;
        EXPECT_TRUE(undo(d.ctx).ok) << seed;
        EXPECT_EQ(d.bytes(), original) << seed;
    }
    EXPECT_GT(replaced, 10u);  // the run did rewrite texts
}

// --- the record of a replace all --------------------------------------------

// Every key and caption of the tree in display order.
QStringList keysAndCaptions(const DocTree &tree)
{
    QStringList out;
    for (NodeId n = tree.root(); n != kNoNode; n = tree.nextInOrder(n))
        out << tree.key(n) << tree.text(n);
    return out;
}

// The record of the replace all on top of the history (undone or not).
const ReplaceTextsCommand *replaceRecord(const Doc &d)
{
    const StepCommand *step = d.history.canUndo() ? d.history.undoTop() : d.history.redoTop();
    return step && step->recordCount() == 1 ? dynamic_cast<const ReplaceTextsCommand *>(&step->record(0)) : nullptr;
}

TEST(ReplaceRecord, UndoAndRedoGiveBackEveryKeyAndCaptionExactly)
{
    // The record remakes keys from bytes and captions as node creation makes
    // them; what remaking would not give back is kept whole.
    struct Case {
        const char *what;
        std::function<void(Doc &)> prepare;
        int keptCaptions;
    };
    const std::vector<Case> cases = {
        {"plain keys, captions as made", [](Doc &) {}, 0},
        {"a caption that remaking does not give",
         [](Doc &d) { d.tree.setText(d.byRecord(dlg("xay")), QStringLiteral("손으로 쓴 제목")); }, 1},
        {"a key in lower-case hex",
         [](Doc &d) {
             const NodeId n = d.byRecord(aside("ab"));
             const QString key = d.tree.key(n);
             ASSERT_TRUE(d.tree.setKey(n, recordPart(key).toString().toLower() + keySuffix(key).toString()));
         },
         0},
    };
    for (const Case &c : cases) {
        Doc d(eexFile(dlg("xay") + childEvent(choice("a"), dlg2("aa") + aside("ab")) + dlg("none")));
        c.prepare(d);
        const QStringList before = keysAndCaptions(d.tree);
        const ReplaceOutcome out = replaceAll(d.ctx, QStringLiteral("a"), QStringLiteral("\n가가"));
        ASSERT_EQ(out.replaced.size(), 4u) << c.what;
        const ReplaceTextsCommand *record = replaceRecord(d);
        ASSERT_NE(record, nullptr) << c.what;
        EXPECT_EQ(record->count(), 4) << c.what;
        EXPECT_EQ(record->keptCaptions(), c.keptCaptions) << c.what;
        const QStringList after = keysAndCaptions(d.tree);
        for (int round = 0; round < 2; ++round) {
            ASSERT_TRUE(undo(d.ctx).ok) << c.what;
            EXPECT_EQ(keysAndCaptions(d.tree), before) << c.what;
            EXPECT_TRUE(fixtures::nestedLengthsConsistent(d.tree)) << c.what;
            ASSERT_TRUE(redo(d.ctx).ok) << c.what;
            EXPECT_EQ(keysAndCaptions(d.tree), after) << c.what;
        }
    }
}

TEST(ReplaceRecord, AnUndoThatDoesNotFitLeavesEveryCommandAsItWas)
{
    Doc d(eexFile(dlg("1a") + dlg("2a") + dlg("3a")));
    const NodeId first = d.byRecord(dlg("1a"));
    const QString firstKey = d.tree.key(first);
    ASSERT_EQ(replaceAll(d.ctx, QStringLiteral("a"), QStringLiteral("bb")).replaced.size(), 3u);
    // The first command's old key is taken meanwhile: its undo, the last of
    // the three, cannot apply, and the two undone before it are put back.
    ASSERT_TRUE(d.tree.setKey(d.byRecord(lockedComment()), firstKey));
    const QStringList replaced = keysAndCaptions(d.tree);
    const QByteArray bytes = d.bytes();
    const EditResult r = undo(d.ctx);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, kCannotUndoMessage);
    EXPECT_EQ(keysAndCaptions(d.tree), replaced);
    EXPECT_EQ(d.bytes(), bytes);
}

// What replace all holds per rewritten command: the record bytes from before
// and two words, never key text or captions (a bound that holds whatever the
// allocator does, since the record counts its own arrays).
TEST(ReplaceRecord, HoldsTheRecordBytesAndTwoWordsPerRewrittenCommand)
{
    fixtures::GeneratorOptions opt;
    opt.targetBytes = 200 * 1024;
    opt.armyTables = false;
    fixtures::ScenarioGenerator gen(5, opt);
    Doc d(fixtures::scenarioBytes(gen.scenario()));
    QHash<NodeId, int> recordBytesBefore;
    for (NodeId n = d.tree.root(); n != kNoNode; n = d.tree.nextInOrder(n))
        recordBytesBefore.insert(n, recordLength(d.tree.key(n)));
    const ReplaceOutcome out = replaceAll(d.ctx, QStringLiteral(" "), QStringLiteral("_"));
    ASSERT_GT(out.replaced.size(), 200u);
    std::size_t oldBytes = 0;
    for (NodeId n : out.replaced)
        oldBytes += std::size_t(recordBytesBefore.value(n));
    const ReplaceTextsCommand *r = replaceRecord(d);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->count(), int(out.replaced.size()));
    EXPECT_EQ(r->keptCaptions(), 0);
    EXPECT_LE(r->heldBytes(), oldBytes + 8 * out.replaced.size());
    // Undone, it holds the bytes from after, which are as many here.
    ASSERT_TRUE(undo(d.ctx).ok);
    EXPECT_LE(r->heldBytes(), oldBytes + 8 * out.replaced.size());
}

} // namespace
