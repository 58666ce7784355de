// Reading a duel from the children of a node: which fighter a flag names,
// the speech text as the player builds it, the fields of every command with
// out-of-range values replaced, and which children are played.
#include "commands/duel/duel_script.h"
#include "fixtures/duel_fixtures.h"

#include <gtest/gtest.h>

using namespace commands::duel;

namespace {

TEST(DuelScript, FighterFlagSenseDependsOnTheCommand)
{
    const struct {
        int code, flag, fighter;
    } cases[] = {
        {0x60, 0, 1}, {0x60, 1, 0}, {0x60, 2, 0}, {0x60, 255, 0}, {0x63, 0, 1}, {0x64, 1, 0},
        {0x65, 0, 1}, {0x66, 7, 0}, {0x62, 0, 0}, {0x62, 1, 1},  {0x62, 2, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fighterOf(c.code, c.flag), c.fighter) << std::hex << c.code << " " << c.flag;
}

TEST(DuelScript, SpeechTextTurnsLineFeedsIntoCrLfAndKeepsTheNul)
{
    int end = 0;
    const QString text = speechText(QStringLiteral("6300260001000500B0A10A410026000100_9"), &end);
    EXPECT_EQ(text, QStringLiteral("가\r\nA") + QChar(0));
    EXPECT_EQ(end, 27);
    // A text cut off by the record's end stops there.
    EXPECT_EQ(speechText(QStringLiteral("6300260001000500B0_9")), QString());
}

TEST(DuelScript, StepsReadTheirFieldsAndReplaceOutOfRangeValues)
{
    const struct {
        const char *record;
        DuelStep step;
    } cases[] = {
        {"60002600010005004100" "4C00FFFF", {StepKind::Advent, 0, 0, true, QStringLiteral("A") + QChar(0), 0}},
        {"60002600000005004100" "4C000D00", {StepKind::Advent, 1, 13, true, QStringLiteral("A") + QChar(0), 0}},
        {"6100", {StepKind::Label, 0, 0, false, {}, 0}},
        {"620026000100", {StepKind::Die, 1, 0, false, {}, 0}},
        {"63002600010005004100" "26000100", {StepKind::Say, 0, 0, true, QStringLiteral("A") + QChar(0), 0}},
        {"63002600010005004100" "26000200", {StepKind::Say, 0, 0, false, QStringLiteral("A") + QChar(0), 0}},
        {"6400260001004C001000", {StepKind::Active, 0, 0, false, {}, 0}},
        {"6500260000004D000700" "26000100", {StepKind::Attack1, 1, 0, true, {}, 0}},
        {"6500260001004D000400" "26000200", {StepKind::Attack1, 0, 4, false, {}, 0}},
        {"6600260001004E000100" "26000100", {StepKind::Attack2, 0, 1, false, {}, 0}},
        {"6600260001004E000300" "26000000", {StepKind::Attack2, 0, 0, true, {}, 0}},
        {"090004000F000000", {StepKind::Delay, 0, 0, false, {}, 15}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.record);
        const QString key = QString::fromLatin1(c.record) + QStringLiteral("_5");
        const auto step = stepOf(key.left(4) == u"0900" ? 0x09 : key.left(2).toInt(nullptr, 16), key);
        ASSERT_TRUE(step.has_value());
        EXPECT_EQ(*step, c.step);
    }
    EXPECT_FALSE(stepOf(0x5F, QStringLiteral("5F00_1")).has_value());
    EXPECT_FALSE(stepOf(0x68, fixtures::duelStartRecord(1, 2) + QStringLiteral("_1")).has_value());
}

TEST(DuelScript, TheWalkStartsAfterTheFirstDuelStartAndSkipsNestedLists)
{
    // A child event (0x02, a block with a nested duel command) and a second
    // duel start are passed over; the first duel's persons stay.
    fixtures::DuelDocument doc({
        QStringLiteral("6100"),
        fixtures::duelStartRecord(5, 6),
        QStringLiteral("620026000100"),
        QStringLiteral("0200050000"),
        fixtures::duelStartRecord(7, 8),
        QStringLiteral("5F00"),
        QStringLiteral("6400260000004C000200"),
    });
    doc.tree.add(doc.nodes[3], core::Relation::LastChild, QStringLiteral("6100_n1"), QStringLiteral("61 : x"));
    const auto script = scriptOf(childrenOf(doc.tree, doc.parent));
    ASSERT_TRUE(script.has_value());
    EXPECT_EQ(script->startIndex, 1);
    EXPECT_EQ(script->persons[0], 5);
    EXPECT_EQ(script->persons[1], 6);
    ASSERT_EQ(script->steps.size(), 2u);
    EXPECT_EQ(script->steps[0].kind, StepKind::Die);
    EXPECT_EQ(script->steps[1].kind, StepKind::Active);
    EXPECT_EQ(script->steps[1].value, 2);
}

TEST(DuelScript, AStartRightBeforeTheEndPlaysNothingAndNoStartIsNoScript)
{
    fixtures::DuelDocument doc({QStringLiteral("6100"), fixtures::duelStartRecord(1, 2)});
    const auto script = scriptOf(childrenOf(doc.tree, doc.parent));
    ASSERT_TRUE(script.has_value());
    EXPECT_TRUE(script->steps.empty());
    fixtures::DuelDocument none({QStringLiteral("6100")});
    EXPECT_FALSE(scriptOf(childrenOf(none.tree, none.parent)).has_value());
}

} // namespace
