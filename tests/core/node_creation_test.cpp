// Command node creation: keys, serials, layout, colours and nested lengths.
// Caption texts are not checked here (they belong to the caption builder).
#include "core/catalogue.h"
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "core/key_codec.h"
#include "core/node_creation.h"
#include "fixtures/hex_bytes.h"
#include "fixtures/nested_length_check.h"
#include "fixtures/tree_walk.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>
#include <random>

using namespace core;

namespace {

using KeySnapshot = std::vector<std::pair<NodeId, QString>>;

KeySnapshot allKeys(const DocTree &tree)
{
    KeySnapshot keys;
    keys.reserve(std::size_t(tree.count()));
    for (NodeId n = tree.root(); n != kNoNode; n = tree.nextInOrder(n))
        keys.emplace_back(n, tree.key(n));
    return keys;
}

struct Creation : ::testing::Test {
    DocTree tree;
    fixtures::SectionNodes sec;
    KeySerial serial = 0;
    CaptionContext ctx;

    void SetUp() override { sec = fixtures::addSection(tree, fixtures::addScenarioRoot(tree), 0); }

    NodeAddResult add(int code, NodeId selected, Relation where = Relation::Before, QColor back = QColor(),
                      const QString &word = QString(), const QString &key = QString())
    {
        MenuNodeRequest r;
        r.code = code;
        r.selected = selected;
        r.where = where;
        r.backColor = back;
        r.word = word;
        r.key = key;
        return menuNodeAdd(tree, serial, r, ctx);
    }

    // A child event made the way the add dialog makes it: three creations in
    // front of `selected`.
    NodeId childEventByHand(int code, NodeId selected)
    {
        EXPECT_TRUE(add(0x01, selected));
        const NodeAddResult block = add(code, selected, Relation::Before, childBlockBackColor());
        EXPECT_TRUE(block);
        EXPECT_TRUE(add(0x00, block.node, Relation::Before, childBlockBackColor()));
        return block.node;
    }
};

// --- keys from the default records -------------------------------------------

TEST_F(Creation, DefaultKeysTakeTheSerial)
{
    serial = 7;
    const NodeAddResult dialogue = add(0x14, sec.bodyEnd);
    ASSERT_TRUE(dialogue);
    EXPECT_EQ(tree.key(dialogue.node), QStringLiteral("1400050000_7"));
    serial = 12;
    const NodeAddResult turns = add(0x3F, sec.bodyEnd);
    ASSERT_TRUE(turns);
    EXPECT_EQ(tree.key(turns.node), QStringLiteral("3F0004000000000024000000_12"));
    EXPECT_EQ(serial, 13u);
}

TEST_F(Creation, TextAndFirstNumberGoIntoTheRecord)
{
    serial = 3;
    EXPECT_EQ(tree.key(add(0x14, sec.bodyEnd, Relation::Before, QColor(), QStringLiteral("가A")).node),
              QStringLiteral("14000500B0A14100_3"));
    MenuNodeRequest r;
    r.code = 0x0B;
    r.selected = sec.bodyEnd;
    r.firstNumber = 0x01020304;
    EXPECT_EQ(tree.key(menuNodeAdd(tree, serial, r, ctx).node), QStringLiteral("0B00040004030201" "27000000_4"));
}

TEST_F(Creation, SectionTitleCommentCarriesTheLockMarker)
{
    const NodeId section =
        tree.add(tree.parent(sec.section), Relation::LastChild, QStringLiteral("Section_n_"), QStringLiteral("Section"));
    serial = 5;
    MenuNodeRequest r;
    r.code = 0x02;
    r.selected = section;
    r.word = QStringLiteral("A");
    r.sectionTitle = true;
    r.where = Relation::LastChild;
    r.backColor = QColor(255, 255, 255);
    const NodeAddResult title = menuNodeAdd(tree, serial, r, ctx);
    ASSERT_TRUE(title);
    EXPECT_EQ(tree.key(title.node), QStringLiteral("020005004100_0000225"));
    EXPECT_EQ(tree.textColor(title.node), commentTextColor());
    EXPECT_FALSE(tree.backColor(title.node).isValid());
    EXPECT_EQ(tree.parent(title.node), section);
}

TEST_F(Creation, ChildEventAmongBodyCommandsChangesNoOtherKey)
{
    const NodeId first = add(0x0A, sec.bodyEnd).node;
    const NodeId second = add(0x14, sec.bodyEnd).node;
    const auto before = allKeys(tree);
    const KeySerial markerSerial = serial;
    const NodeId block = childEventByHand(0x6E, second);
    EXPECT_EQ(tree.key(block), QStringLiteral("6E000400000000000200_%1").arg(markerSerial + 1));
    EXPECT_EQ(tree.previous(block), tree.next(first));
    for (const auto &[node, key] : before)
        EXPECT_EQ(tree.key(node), key);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree));
}

// --- layout, colours, serials (need no catalogue) -------------------------------

TEST_F(Creation, ChildEventLayoutAndNestedLength)
{
    const NodeId command = add(0x0A, sec.bodyEnd).node;
    const KeySerial first = serial;
    const NodeId block = childEventByHand(0x6E, command);
    const NodeId marker = tree.previous(block);
    const NodeId end = tree.firstChild(block);

    EXPECT_EQ(tree.key(marker), QStringLiteral("0100_%1").arg(first));
    EXPECT_EQ(tree.key(block), defaultRecord(0x6E) + QStringLiteral("0200_%1").arg(first + 1));
    EXPECT_EQ(tree.key(end), QStringLiteral("0000_%1").arg(first + 2));
    EXPECT_EQ(tree.next(block), command);
    EXPECT_EQ(tree.childCount(block), 1);
    EXPECT_EQ(serial, first + 3);

    EXPECT_EQ(tree.textColor(marker), markerTextColor());
    EXPECT_FALSE(tree.backColor(marker).isValid());
    EXPECT_EQ(tree.backColor(block), childBlockBackColor());
    EXPECT_EQ(tree.backColor(end), childBlockBackColor());
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree));
}

TEST_F(Creation, ChildEventHelperMatchesTheHandMadeOne)
{
    const NodeId command = add(0x0A, sec.bodyEnd).node;
    const NodeId byHand = childEventByHand(0x3F, command);
    const NodeAddResult helper = childEventAdd(tree, serial, 0x3F, command, Relation::Before, ctx);
    ASSERT_TRUE(helper);
    EXPECT_EQ(recordPart(tree.key(helper.node)), recordPart(tree.key(byHand)));
    EXPECT_EQ(tree.textColor(tree.previous(helper.node)), markerTextColor());
    EXPECT_EQ(tree.backColor(helper.node), childBlockBackColor());
    EXPECT_EQ(tree.backColor(tree.firstChild(helper.node)), childBlockBackColor());
    EXPECT_EQ(tree.next(helper.node), command);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree));
}

TEST_F(Creation, NestedChildEventsGrowEveryEnclosingWord)
{
    NodeId holder = childEventAdd(tree, serial, 0x6E, sec.bodyEnd, Relation::Before, ctx).node;
    for (int code : {0x03, 0x13, 0x2D, 0x79, 0x02}) {
        const NodeAddResult r = childEventAdd(tree, serial, code, tree.lastChild(holder), Relation::Before, ctx);
        ASSERT_TRUE(r);
        add(0x14, tree.lastChild(r.node), Relation::Before, QColor(), QStringLiteral("말"));
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree)) << code;
        holder = r.node;
    }
}

TEST_F(Creation, ColoursByCodeAndRequest)
{
    const QColor white(255, 255, 255), cyan = childBlockBackColor();
    struct Case {
        int code;
        QColor back;
        QColor wantText;
        QColor wantBack;
    };
    const Case cases[] = {
        {0x01, white, markerTextColor(), QColor()},
        {0x02, white, commentTextColor(), QColor()},
        {0x02, cyan, commentTextColor(), cyan},
        {0x77, cyan, QColor(), arithmeticBackColor()},
        {0x77, white, QColor(), arithmeticBackColor()},
        {0x14, white, QColor(), QColor()},
        {0x14, QColor(), QColor(), QColor()},
        {0x14, cyan, QColor(), cyan},
    };
    for (const Case &c : cases) {
        const NodeAddResult r = add(c.code, sec.bodyEnd, Relation::Before, c.back);
        ASSERT_TRUE(r);
        SCOPED_TRACE(tree.key(r.node).toStdString());
        EXPECT_EQ(tree.textColor(r.node), c.wantText);
        EXPECT_EQ(tree.backColor(r.node), c.wantBack);
    }
}

TEST_F(Creation, EndNodeAlwaysClosesTheSelectedBlock)
{
    for (Relation where : {Relation::Before, Relation::After, Relation::LastChild}) {
        SCOPED_TRACE(int(where));
        const NodeId b = add(0x03, sec.bodyEnd).node;
        const NodeAddResult end = add(0x00, b, where);
        ASSERT_TRUE(end);
        EXPECT_EQ(tree.parent(end.node), b);
        EXPECT_EQ(tree.lastChild(b), end.node);
    }
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(tree));
}

TEST_F(Creation, CaptionComesFromTheKey)
{
    const NodeAddResult r = add(0x3F, sec.bodyEnd);
    ASSERT_TRUE(r);
    EXPECT_EQ(tree.text(r.node), commandCaption(tree.key(r.node), CaptionSite::Creation, false, ctx));
}

TEST_F(Creation, ConsecutiveSerialsDifferByOneAlsoWithCallerKey)
{
    serial = 40;
    const NodeAddResult a = add(0x0A, sec.bodyEnd, Relation::Before, QColor(), QString(), QStringLiteral("0A00_x1"));
    ASSERT_TRUE(a);
    EXPECT_EQ(tree.key(a.node), QStringLiteral("0A00_x1"));
    EXPECT_EQ(serial, 41u);
    const NodeAddResult b = add(0x0A, sec.bodyEnd);
    EXPECT_EQ(keySuffix(tree.key(b.node)), QStringLiteral("_41"));
    EXPECT_EQ(serial, 42u);
}

TEST_F(Creation, SerialsBeyond32Bits)
{
    serial = KeySerial(1) << 40;
    const NodeAddResult r = add(0x0A, sec.bodyEnd);
    EXPECT_EQ(keySuffix(tree.key(r.node)), QStringLiteral("_1099511627776"));
    EXPECT_EQ(serial, (KeySerial(1) << 40) + 1);
}

// A pasted key ends in the clipboard key's serial followed by the counter,
// so a default key can already be in the tree: it moves on to a free serial.
TEST_F(Creation, DefaultKeyAlreadyHeldTakesTheNextFreeSerial)
{
    MenuNodeRequest r;
    r.code = 0x0A;
    for (KeySerial s : {3, 4})
        tree.add(sec.bodyEnd, Relation::Before, defaultNodeKey(r, s), QString());
    serial = 3;
    const NodeAddResult made = add(0x0A, sec.bodyEnd);
    ASSERT_TRUE(made);
    EXPECT_EQ(tree.key(made.node), defaultNodeKey(r, 5));
    EXPECT_EQ(serial, 6u);
}

TEST_F(Creation, CallerKeyAlreadyHeldIsRefused)
{
    tree.add(sec.bodyEnd, Relation::Before, QStringLiteral("0A00_17"), QString());
    serial = 9;
    const auto before = allKeys(tree);
    const NodeAddResult r = add(0x0A, sec.bodyEnd, Relation::Before, QColor(), QString(), QStringLiteral("0A00_17"));
    EXPECT_EQ(r.error, NodeAddError::KeyTaken);
    EXPECT_EQ(r.node, kNoNode);
    EXPECT_EQ(serial, 9u);
    EXPECT_EQ(allKeys(tree), before);
}

TEST_F(Creation, BadCodesAndPlacesAreRefused)
{
    const NodeId command = add(0x0A, sec.bodyEnd).node;
    const NodeId block = childEventAdd(tree, serial, 0x6E, command, Relation::Before, ctx).node;
    const NodeId headCommand = add(0x0A, sec.headEnd).node;  // in front of the head-end node
    const NodeId childless = add(0x03, sec.bodyEnd).node;
    ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree));
    struct Case {
        const char *name;
        int code;
        NodeId selected;
        Relation where;
        NodeAddError want;
    };
    const Case cases[] = {
        {"code out of range", 0x7A, command, Relation::Before, NodeAddError::BadCode},
        {"negative code", -1, command, Relation::Before, NodeAddError::BadCode},
        {"unknown node", 0x0A, 99999, Relation::Before, NodeAddError::BadPlacement},
        {"behind the body end", 0x0A, sec.headEnd, Relation::LastChild, NodeAddError::BadPlacement},
        {"behind a nested end", 0x0A, block, Relation::LastChild, NodeAddError::BadPlacement},
        {"after an end node", 0x0A, sec.bodyEnd, Relation::After, NodeAddError::BadPlacement},
        {"under a plain command", 0x0A, command, Relation::LastChild, NodeAddError::BadPlacement},
        {"under a childless block", 0x0A, childless, Relation::LastChild, NodeAddError::BadPlacement},
        {"beside a Section", 0x0A, sec.section, Relation::Before, NodeAddError::BadPlacement},
        {"end under a plain command", 0x00, command, Relation::LastChild, NodeAddError::NotABlock},
        {"second end under a block", 0x00, block, Relation::LastChild, NodeAddError::NotABlock},
        {"end under a head block", 0x00, sec.title, Relation::LastChild, NodeAddError::NotABlock},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = allKeys(tree);
        const KeySerial s = serial;
        const NodeAddResult r = add(c.code, c.selected, c.where);
        EXPECT_EQ(r.error, c.want);
        EXPECT_EQ(allKeys(tree), before);
        EXPECT_EQ(serial, s);
    }
    const auto before = allKeys(tree);
    EXPECT_EQ(childEventAdd(tree, serial, 0x0A, command, Relation::Before, ctx).error, NodeAddError::BadCode);
    EXPECT_EQ(childEventAdd(tree, serial, 0x6E, headCommand, Relation::Before, ctx).error,
              NodeAddError::BadPlacement);  // a head list holds no child events
    EXPECT_EQ(allKeys(tree), before);
}

// A creation that would push an enclosing word past 65535 is undone whole:
// the tree, its keys and the counter are as before. The slack decides at
// which of the child event's steps it fails.
TEST_F(Creation, RefusedLengthLeavesTreeAndCounterUnchanged)
{
    const NodeId outer = childEventAdd(tree, serial, 0x6E, sec.bodyEnd, Relation::Before, ctx).node;
    const NodeId end = tree.firstChild(outer);
    const int blockBytes = int(defaultRecord(0x6E).size() / 2);
    const int childEventBytes = 2 + blockBytes + 2 + 2;
    const QString stem = recordPart(tree.key(outer)).chopped(4).toString();
    const QString suffix = keySuffix(tree.key(outer)).toString();

    struct Case {
        const char *name;
        int slack;  // bytes the outer word can still take
    };
    const Case cases[] = {
        {"marker does not fit", 1},
        {"block does not fit", 2 + blockBytes - 1},
        {"word does not fit", 2 + blockBytes + 1},
        {"end node does not fit", childEventBytes - 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(tree.setKey(outer, stem + longToHex(kMaxNestedLength - c.slack, 2, true) + suffix));
        const auto before = allKeys(tree);
        const int count = tree.count();
        const KeySerial s = serial;
        const NodeAddResult r = childEventAdd(tree, serial, 0x6E, end, Relation::Before, ctx);
        EXPECT_EQ(r.error, NodeAddError::LengthOutOfRange);
        EXPECT_EQ(tree.count(), count);
        EXPECT_EQ(allKeys(tree), before);
        EXPECT_EQ(serial, s);
    }
    // With exactly enough room it fits, and the word reaches 65535.
    ASSERT_TRUE(tree.setKey(outer, stem + longToHex(kMaxNestedLength - childEventBytes, 2, true) + suffix));
    ASSERT_TRUE(childEventAdd(tree, serial, 0x6E, end, Relation::Before, ctx));
    EXPECT_EQ(nestedLength(tree, outer), kMaxNestedLength);

    // A lone command refused the same way.
    const auto before = allKeys(tree);
    const KeySerial s = serial;
    EXPECT_EQ(add(0x0A, end).error, NodeAddError::LengthOutOfRange);
    EXPECT_EQ(allKeys(tree), before);
    EXPECT_EQ(serial, s);
}

// --- randomized ---------------------------------------------------------------

// Thousands of creations, text changes and removals at random depths, each
// followed by a full check of the document, a save and a re-read.
class RandomEdits
{
public:
    RandomEdits()
    {
        for (int s = 0; s < 2; ++s) {
            const NodeId scene = s == 0 ? fixtures::addScenarioRoot(tree, 0) : fixtures::addScene(tree, s);
            for (int c = 0; c < 2; ++c)
                fixtures::addSection(tree, scene, c);
        }
    }

    void run(int steps)
    {
        for (int i = 0; i < steps && !::testing::Test::HasFatalFailure(); ++i) {
            const int op = pick(100);
            if (op < 30)
                createCommand();
            else if (op < 50)
                createDialogue();
            else if (op < 70)
                createChildEvent();
            else if (op < 93)
                changeText();
            else
                removeSomething();
            // The nested lengths after every edit; the slower save and
            // re-read every few edits and at the end.
            checkDocument(i % kSaveEvery == 0 || i + 1 == steps);
        }
    }

    static constexpr int kSaveEvery = 16;

    int refusals = 0;
    int creationRefusals = 0;
    int oversizeRefusals = 0;
    int maxDepth = 0;

private:
    // Everything a document must satisfy after any edit: its nested lengths
    // match, and its saved bytes read back into the same records.
    void checkDocument(bool saveAndReread)
    {
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree));
        if (!saveAndReread)
            return;
        EexSerializeResult saved = eexSerialize(tree);
        // Long texts outgrow a Section now and then: the save refuses it by
        // name, and the run shortens that Section before going on.
        while (!saved.ok && saved.message.contains(u"65,535")) {
            ++oversizeRefusals;
            ASSERT_NO_FATAL_FAILURE(shortenSection(saved.scene, saved.section));
            saved = eexSerialize(tree);
        }
        ASSERT_TRUE(saved.ok) << saved.message.toStdString();
        DocTree again;
        KeySerial readSerial = 0;
        const EexLoadResult read = eexLoad(saved.bytes, QStringLiteral("r.eex"), again, readSerial);
        ASSERT_TRUE(read.ok) << read.errorOffset << " " << read.errorDetail.toStdString() << "\n"
                             << fixtures::toHex(saved.bytes).toStdString();
        ASSERT_TRUE(read.warnings.empty());
        ASSERT_EQ(fixtures::treeNodes(again), fixtures::treeNodes(tree));
    }

    // Removes the longest plain command (a dialogue or an army table) of the Section.
    void shortenSection(int scene, int section)
    {
        const NodeId sec = tree.child(tree.child(tree.root(), scene), section);
        ASSERT_NE(sec, kNoNode);
        NodeId longest = kNoNode;
        for (NodeId n = tree.firstChild(sec); n != kNoNode; n = tree.nextInOrder(n)) {
            const int code = keyCode(tree.key(n));
            if (code <= 0x02 || tree.childCount(n) > 0)
                continue;
            NodeId up = n;
            while (up != kNoNode && up != sec)
                up = tree.parent(up);
            if (up != sec)
                break;
            if (longest == kNoNode || tree.key(n).size() > tree.key(longest).size())
                longest = n;
        }
        ASSERT_NE(longest, kNoNode);
        ASSERT_TRUE(keyEditNode(tree, longest, ownByteLength(tree, longest), NodeChange::Removed));
        tree.remove(longest);
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    // Lists a command can go into: every Section's body and every nested list.
    std::vector<NodeId> lists() const
    {
        std::vector<NodeId> out;
        for (NodeId n = tree.root(); n != kNoNode; n = tree.nextInOrder(n))
            if (keyCode(tree.key(n)) == 0 && tree.key(tree.parent(n)).startsWith(u"Section_"))
                out.push_back(n);
            else if (holdsNestedList(tree, n))
                out.push_back(n);
        return out;
    }

    std::vector<NodeId> nodesWithCode(int code) const
    {
        std::vector<NodeId> out;
        for (NodeId n = tree.root(); n != kNoNode; n = tree.nextInOrder(n))
            if (keyCode(tree.key(n)) == code && tree.childCount(n) == 0)
                out.push_back(n);
        return out;
    }

    // A place in a random list: in front of one of its nodes, but never
    // between a child event's marker and its block command.
    NodeId randomPlace()
    {
        const auto l = lists();
        const NodeId holder = l[std::size_t(pick(int(l.size())))];
        const NodeId n = tree.child(holder, pick(tree.childCount(holder)));
        const NodeId before = tree.previous(n);
        return before != kNoNode && keyCode(tree.key(before)) == 0x01 ? before : n;
    }

    QString randomText()
    {
        static const QString letters = QStringLiteral("abcXYZ 가나다\n");
        // Now and then a long text, so the enclosing words meet their 16-bit limit.
        const int kind = pick(100);
        const int len = kind < 3 ? 5000 + pick(20000) : kind < 13 ? 500 + pick(3000) : pick(40);
        QString t;
        for (int i = 0; i < len; ++i)
            t += letters[pick(int(letters.size()))];
        return t;
    }

    // A creation either succeeds with a consistent document or changes
    // nothing at all.
    void expectCreation(const NodeAddResult &r, const KeySnapshot &before, KeySerial serialBefore)
    {
        if (r) {
            EXPECT_GT(serial, serialBefore);
            return;
        }
        ASSERT_EQ(r.error, NodeAddError::LengthOutOfRange);
        ++refusals;
        ++creationRefusals;
        ASSERT_EQ(allKeys(tree), before);
        ASSERT_EQ(serial, serialBefore);
    }

    void createCommand()
    {
        static const int codes[] = {0x0A, 0x09, 0x0B, 0x23, 0x2B, 0x77, 0x45, 0x47};
        MenuNodeRequest req;
        req.code = codes[pick(std::size(codes))];
        req.selected = randomPlace();
        const auto before = allKeys(tree);
        const KeySerial s = serial;
        expectCreation(menuNodeAdd(tree, serial, req, ctx), before, s);
    }

    // Dialogues are made from a complete key (as redo does), so their text
    // item exists whatever the catalogue holds.
    void createDialogue()
    {
        MenuNodeRequest req;
        req.code = 0x14;
        req.selected = randomPlace();
        req.key = serialKey(QStringLiteral("14000500") + wAscii(randomText()) + QStringLiteral("00"), u"", serial);
        const auto before = allKeys(tree);
        const KeySerial s = serial;
        expectCreation(menuNodeAdd(tree, serial, req, ctx), before, s);
    }

    void createChildEvent()
    {
        static const int codes[] = {0x03, 0x04, 0x13, 0x3F, 0x6E, 0x76, 0x02};
        const NodeId place = randomPlace();
        const auto before = allKeys(tree);
        const KeySerial s = serial;
        const NodeAddResult r = childEventAdd(tree, serial, codes[pick(std::size(codes))], place, Relation::Before, ctx);
        expectCreation(r, before, s);
        if (r)
            maxDepth = std::max(maxDepth, tree.depth(r.node));
    }

    void changeText()
    {
        const auto dialogues = nodesWithCode(0x14);
        if (dialogues.empty())
            return;
        const NodeId n = dialogues[std::size_t(pick(int(dialogues.size())))];
        QString key = tree.key(n);
        const int delta = keyReplaceText(key, 9, randomText());
        const auto before = allKeys(tree);
        if (!keyEditCheck(tree, n, delta)) {
            ++refusals;
            ASSERT_FALSE(keyEdit(tree, n, delta));
            ASSERT_EQ(allKeys(tree), before);
            return;
        }
        ASSERT_TRUE(tree.setKey(n, key));
        ASSERT_TRUE(keyEdit(tree, n, delta));
    }

    // Removes a dialogue, or a whole child event (the block's branch, then
    // its marker).
    void removeSomething()
    {
        const auto markers = nodesWithCode(0x01);
        if (!markers.empty() && pick(2) == 0) {
            const NodeId marker = markers[std::size_t(pick(int(markers.size())))];
            const NodeId block = tree.next(marker);
            ASSERT_TRUE(keyEditNode(tree, block, branchByteLength(tree, block), NodeChange::Removed));
            tree.remove(block);
            ASSERT_TRUE(keyEditNode(tree, marker, ownByteLength(tree, marker), NodeChange::Removed));
            tree.remove(marker);
            return;
        }
        const auto dialogues = nodesWithCode(0x14);
        if (dialogues.empty())
            return;
        const NodeId n = dialogues[std::size_t(pick(int(dialogues.size())))];
        ASSERT_TRUE(keyEditNode(tree, n, ownByteLength(tree, n), NodeChange::Removed));
        tree.remove(n);
    }

    DocTree tree;
    KeySerial serial = 0;
    CaptionContext ctx;
    std::mt19937 rng{20240611u};
};

TEST(NodeCreationRandom, NestedLengthsStayRightThroughThousandsOfEdits)
{
    RandomEdits edits;
    edits.run(4000);
    // The run must have reached real depth and the 16-bit limit.
    EXPECT_GE(edits.maxDepth, 10);
    EXPECT_GT(edits.creationRefusals, 0);
    EXPECT_GT(edits.refusals, edits.creationRefusals);  // text changes refused too
    EXPECT_GT(edits.oversizeRefusals, 0);                // and saves of Sections grown too big
}

} // namespace
