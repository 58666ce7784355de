// Cutting dialogue texts into preview pages.
#include "commands/common/dialogue_pages.h"
#include "core/game/game_data.h"

#include <gtest/gtest.h>

using namespace commands;

namespace {

core::game::GameData twoPersons()
{
    core::game::GameData data;
    data.names.charNames.fill(QString(), 1028);
    data.names.charNames[3] = QStringLiteral("갑돌");
    data.names.charNames[9] = QStringLiteral("을순");
    data.names.charNames[1026] = QStringLiteral("무리");
    data.persons.resize(1024);
    data.persons[3].face = 5;    // entry 12
    data.persons[9].face = 0;    // entry 0
    return data;
}

} // namespace

TEST(DialoguePages, NarrationThenSpeaker)
{
    const auto data = twoPersons();
    DialoguePages p;
    cutDialoguePages(p, QStringLiteral("Hello\r\n&갑돌\r\nHi"), &data);
    ASSERT_EQ(p.pageCount(), 2);
    EXPECT_EQ(p.pageFace[0], kNarrationFace);
    EXPECT_EQ(p.pageLines(0), QStringList{QStringLiteral("Hello\r\n")});
    EXPECT_EQ(p.pageFace[1], 12);
    EXPECT_EQ(p.pageSpeaker[1], QStringLiteral("갑돌"));
    EXPECT_EQ(p.pageLines(1), QStringList{QStringLiteral("Hi")});
}

TEST(DialoguePages, TwoSpeakerLinesGiveTheFirstAnEmptyPage)
{
    const auto data = twoPersons();
    DialoguePages p;
    cutDialoguePages(p, QStringLiteral("&갑돌\r\n&을순\r\nHi"), &data);
    ASSERT_EQ(p.pageCount(), 2);
    EXPECT_EQ(p.pageSpeaker[0], QStringLiteral("갑돌"));
    EXPECT_EQ(p.pageLines(0), QStringList{QString()});
    EXPECT_EQ(p.pageSpeaker[1], QStringLiteral("을순"));
    EXPECT_EQ(p.pageFace[1], 0);
    EXPECT_EQ(p.pageLines(1), QStringList{QStringLiteral("Hi")});
    EXPECT_EQ(p.dialogueLines, (QStringList{QStringLiteral("&갑돌"), QString(), QStringLiteral("&을순"),
                                            QStringLiteral("Hi")}));
}

TEST(DialoguePages, SpeakerLineAtTheEndAndUnknownSpeakers)
{
    const auto data = twoPersons();
    DialoguePages p;
    cutDialoguePages(p, QStringLiteral("x\r\n&갑돌"), &data);
    ASSERT_EQ(p.pageCount(), 2);
    EXPECT_TRUE(p.pageLines(1).isEmpty());
    EXPECT_EQ(p.dialogueLines.last(), QString());   // the line drawn, empty
    EXPECT_EQ(p.pageStart[2], 3);

    cutDialoguePages(p, QStringLiteral("&아무도\r\nHi"), &data);
    ASSERT_EQ(p.pageCount(), 1);
    EXPECT_EQ(p.pageFace[0], kNarrationFace);
    // A group word has no person record: narration.
    cutDialoguePages(p, QStringLiteral("&무리\r\nHi"), &data);
    EXPECT_EQ(p.pageFace[0], kNarrationFace);
    // No game data at all: every page is narration.
    cutDialoguePages(p, QStringLiteral("&갑돌\r\nHi"), nullptr);
    EXPECT_EQ(p.pageFace[0], kNarrationFace);
}

TEST(DialoguePages, NarrationAfterAnEarlierPreviewStartsAtItsFirstLine)
{
    const auto data = twoPersons();
    DialoguePages p;
    cutDialoguePages(p, QStringLiteral("&갑돌\r\na\r\n&을순\r\nb"), &data);
    cutDialoguePages(p, QStringLiteral("one\r\ntwo"), &data);
    ASSERT_EQ(p.pageCount(), 1);
    EXPECT_EQ(p.pageStart[0], 0);
    EXPECT_EQ(p.pageLines(0), (QStringList{QStringLiteral("one\r\n"), QStringLiteral("two")}));
}

TEST(DialoguePages, SpeakerOrderTriesBothEnds)
{
    auto data = twoPersons();
    data.names.charNames[1027] = QStringLiteral("갑돌");
    data.names.charNames[1] = QStringLiteral("갑돌");
    EXPECT_EQ(findSpeaker(&data, QStringLiteral("갑돌")), 1027);
    data.names.charNames[0] = QStringLiteral("갑돌");
    EXPECT_EQ(findSpeaker(&data, QStringLiteral("갑돌")), 0);
    EXPECT_EQ(findSpeaker(&data, QStringLiteral("없음")), -1);
}

TEST(DialoguePages, OneSpeakerPageForTheSecondDialogue)
{
    const auto data = twoPersons();
    DialoguePages p;
    fillTalkPage(p, QStringLiteral("a\r\nb"), 3, &data);
    ASSERT_EQ(p.pageCount(), 1);
    EXPECT_EQ(p.pageLines(0), (QStringList{QStringLiteral("a\r\n"), QStringLiteral("b\r\n")}));
    EXPECT_EQ(p.pageFace[0], 12);
    EXPECT_EQ(p.pageSpeaker[0], QStringLiteral("갑돌"));
    fillTalkPage(p, QStringLiteral("a"), 0xFFFB, &data);   // a variable person: person 0
    EXPECT_EQ(p.pageSpeaker[0], QString());
    EXPECT_EQ(p.pageFace[0], 0);
}
