// The variable test 0x05: its list texts, the record it rebuilds, and the
// change of length it hands to the nested lists around it.
#include "commands/common/engine_test_support.h"
#include "commands/flow/variable_test_record.h"
#include "core/key_codec.h"
#include "fixtures/flow_fixtures.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using enginetest::CommandNode;
using namespace commands::flow;

namespace {

QString rec05(const std::vector<int> &t, const std::vector<int> &f)
{
    return variableTestRecord({t, f});
}

TEST(VariableTestRecord, TextsParseAsTheBoxesMeanThem)
{
    struct Case
    {
        const char *text;
        std::vector<int> list;
    };
    const Case cases[] = {
        {"", {}},
        {"3,17,200", {3, 17, 200}},
        {"1,,2", {1, 0, 2}},
        {"5,", {5, 0}},
        {",", {0, 0}},
        {" 3 , 4 ", {3, 4}},
        {"70000,65535", {65535, 65535}},
        {"12ab,x", {12, 0}},
        {"99999999999999999999", {65535}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseVariableList(QString::fromLatin1(c.text)), c.list) << c.text;
    EXPECT_EQ(clampVariableListText(QStringLiteral("1,70000,,65536x,65535")), QStringLiteral("1,65535,,65535,65535"));
    EXPECT_EQ(formatVariableList({3, 17, 200}), QStringLiteral("3,17,200"));
    EXPECT_EQ(formatVariableList({}), QString());
}

TEST(VariableTestRecord, RecordRoundTrips)
{
    EXPECT_EQ(rec05({}, {}), QStringLiteral("0500" "3500" "0000" "3500" "0000"));
    EXPECT_EQ(rec05({1, 0x1234}, {65535}),
              QStringLiteral("0500" "3500" "0200" "0100" "3412" "3500" "0100" "FFFF"));
    const VariableTestLists back = readVariableTest(rec05({1, 0x1234}, {65535}) + QStringLiteral("0C00_5"));
    EXPECT_EQ(back.trueVariables, (std::vector<int>{1, 0x1234}));
    EXPECT_EQ(back.falseVariables, (std::vector<int>{65535}));
    // A count that runs past the record keeps what is there.
    const VariableTestLists cut = readVariableTest(QStringLiteral("0500" "3500" "0900" "0100" "0200_1"));
    EXPECT_EQ(cut.trueVariables, (std::vector<int>{1, 2}));
    EXPECT_TRUE(cut.falseVariables.empty());
}

QLineEdit *trueBox(QDialog &d) { return d.findChild<QLineEdit *>("tTrue"); }
QLineEdit *falseBox(QDialog &d) { return d.findChild<QLineEdit *>("tFalse"); }

TEST(VariableTestDialog, LoadsTheListsAndWritesThemBack)
{
    struct Case
    {
        QString stored;
        const char *trueText;
        const char *falseText;
        QString written;
    };
    const Case cases[] = {
        {rec05({3, 17, 200}, {9}), "", "", rec05({}, {})},
        {rec05({}, {}), "1,,2", "5,", rec05({1, 0, 2}, {5, 0})},
        {rec05({7}, {8}), "7", "8,65535", rec05({7}, {8, 65535})},
    };
    for (const Case &c : cases) {
        CommandNode cmd(c.stored);
        EXPECT_TRUE(cmd.edit([&](QDialog &d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 5 : 변량시험"));
            const VariableTestLists shown = readVariableTest(c.stored);
            EXPECT_EQ(trueBox(d)->text(), formatVariableList(shown.trueVariables));
            EXPECT_EQ(falseBox(d)->text(), formatVariableList(shown.falseVariables));
            trueBox(d)->setText(QString::fromLatin1(c.trueText));
            falseBox(d)->setText(QString::fromLatin1(c.falseText));
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.record(), c.written);
        EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
        EXPECT_EQ(cmd.records, 1);
    }
}

TEST(VariableTestDialog, TypingKeepsDigitsAndCommasAndHoldsPiecesTo65535)
{
    CommandNode cmd(rec05({}, {}));
    cmd.edit([](QDialog &d) {
        QLineEdit *t = trueBox(d);
        t->setFocus();
        QTest::keyClicks(t, QStringLiteral("1a,-2 ,7"));
        EXPECT_EQ(t->text(), QStringLiteral("1,2,7"));
        t->setCursorPosition(3);  // after "1,2"
        QTest::keyClicks(t, QStringLiteral("00000"));
        EXPECT_EQ(t->text(), QStringLiteral("1,65535,7"));
        EXPECT_EQ(t->cursorPosition(), 8);  // where the caret was
        // Pasted text passes; OK reads what it can.
        falseBox(d)->setText(QStringLiteral("4 , x9"));
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(cmd.record(), rec05({1, 65535, 7}, {4, 0}));
}

TEST(VariableTestDialog, OkWithoutChangeAndCancelLeaveTheNode)
{
    CommandNode same(rec05({4, 5}, {}));
    EXPECT_FALSE(same.edit([](QDialog &d) { enginetest::click(d, "cConfig"); }));
    EXPECT_EQ(same.record(), rec05({4, 5}, {}));
    EXPECT_EQ(same.records, 0);

    CommandNode cancelled(rec05({4, 5}, {}));
    const QString caption = cancelled.text();
    EXPECT_FALSE(cancelled.edit([](QDialog &d) {
        trueBox(d)->setText(QStringLiteral("1,2,3"));
        enginetest::click(d, "cCancel");
    }));
    EXPECT_EQ(cancelled.record(), rec05({4, 5}, {}));
    EXPECT_EQ(cancelled.text(), caption);
    EXPECT_EQ(cancelled.records, 0);
}

// A 0x05 inside a 0x6E inside a 0x04: the change of its length reaches both
// enclosing words; its own nested list keeps its word.
struct Nested
{
    CommandNode cmd{QStringLiteral("040026000100")};
    core::NodeId inner = core::kNoNode;
    core::NodeId test = core::kNoNode;

    explicit Nested(const QString &testRecord, bool testHoldsList)
    {
        inner = fixtures::addNestedList(cmd.tree, cmd.node,
                                        {QStringLiteral("0900040001000000"), QStringLiteral("6E00040032000000")})[1];
        test = fixtures::addNestedList(cmd.tree, inner, {testRecord})[0];
        if (testHoldsList)
            fixtures::addNestedList(cmd.tree, test, {QStringLiteral("0900040002000000")});
        fixtures::setNestedLengths(cmd.tree, cmd.node);
        for (core::NodeId n : {inner, test})
            cmd.tree.setText(n, CommandNode::caption(cmd.tree.key(n)));
        cmd.tree.setSelected(test);
    }
    int word(core::NodeId n) const { return fixtures::nestedLengthWord(cmd.tree, n); }
};

TEST(VariableTestDialog, LengthChangesReachTheEnclosingWords)
{
    struct Case
    {
        bool holdsList;
        std::vector<int> before;
        const char *typed;
        int change;
    };
    const Case cases[] = {
        {false, {1, 2}, "1,2,3", 2},
        {false, {1, 2, 3}, "1", -4},
        {true, {1}, "1,2,3,4", 6},
        {true, {1, 2}, "", -4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        Nested n(rec05(c.before, {}), c.holdsList);
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(n.cmd.tree));
        const int outer = n.word(n.cmd.node), inner = n.word(n.inner), own = n.word(n.test);
        EXPECT_TRUE(n.cmd.edit([&](QDialog &d) {
            trueBox(d)->setText(QString::fromLatin1(c.typed));
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(n.word(n.cmd.node), outer + c.change);
        EXPECT_EQ(n.word(n.inner), inner + c.change);
        EXPECT_EQ(n.word(n.test), own);
        EXPECT_TRUE(fixtures::nestedLengthsConsistent(n.cmd.tree));
        const QString key = n.cmd.tree.key(n.test);
        EXPECT_EQ(n.cmd.tree.text(n.test), core::commandCaption(key, core::CaptionSite::Creation, c.holdsList, {}));
        EXPECT_EQ(n.cmd.records, 1);
    }
}

} // namespace
