// The chapter name (0x67) and information (0x72) dialogs: a number and a game
// text whose length OK may change.
#include "commands/battlefield/dialog_test_support.h"
#include "core/edit_context.h"
#include "core/key_codec.h"
#include "core/structure_edits.h"
#include "fixtures/nested_length_check.h"

#include <QPlainTextEdit>

using namespace battlefieldtest;

namespace {

QString record(int code, std::int32_t number, const char *textHex)
{
    return core::longToHex(code, 2) + QStringLiteral("0400") + core::longToHex(number, 4) + QStringLiteral("0500") +
           QString::fromLatin1(textHex) + QStringLiteral("00");
}

QString boxText(QDialog &d)
{
    if (auto *lines = d.findChild<QPlainTextEdit *>(QStringLiteral("tString")))
        return lines->toPlainText();
    return child<QLineEdit>(d, "tString")->text();
}

void setBoxText(QDialog &d, const QString &text)
{
    if (auto *lines = d.findChild<QPlainTextEdit *>(QStringLiteral("tString")))
        lines->setPlainText(text);
    else
        child<QLineEdit>(d, "tString")->setText(text);
}

struct TextCase
{
    const char *name;
    int code;
    const char *stored;     // the text's hex
    const char16_t *shown;  // as the box holds it (line breaks as \n)
    const char16_t *typed;  // nullptr: left as loaded
    const char *written;
};

class InformationTextDialogs : public ::testing::TestWithParam<TextCase> {};

TEST_P(InformationTextDialogs, LoadAndSaveTheText)
{
    const TextCase &c = GetParam();
    enginetest::CommandNode cmd(record(c.code, 3, c.stored));
    cmd.edit([&](QDialog &d) {
        EXPECT_EQ(stateOf(d, "tNum"), QStringLiteral("3"));
        EXPECT_EQ(boxText(d), QString::fromUtf16(c.shown));
        if (c.typed)
            setBoxText(d, QString::fromUtf16(c.typed));
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(cmd.record(), record(c.code, 3, c.written));
    EXPECT_TRUE(cmd.key().endsWith(QStringLiteral("_77")));
    EXPECT_EQ(cmd.text(), enginetest::CommandNode::caption(cmd.key()));
    EXPECT_EQ(cmd.records, QString::fromLatin1(c.stored) == QString::fromLatin1(c.written) ? 0 : 1);
}

const TextCase kTextCases[] = {
    {"67 two lines unchanged", 0x67, "B0A10A41", u"가\nA", nullptr, "B0A10A41"},
    {"67 a line break added", 0x67, "B0A141", u"가A", u"가\nA", "B0A10A41"},
    {"67 three syllables to two letters", 0x67, "B0A1B0A2B0A3", u"가각간", u"AB", "4142"},
    {"67 emptied", 0x67, "B0A141", u"가A", u"", ""},
    {"72 line feed kept", 0x72, "410A42", u"A\nB", nullptr, "410A42"},
    {"72 new text", 0x72, "", u"", u"정보", "C1A4BAB8"},
    // Bytes that are no CP949 text stay as stored while the text is untouched.
    {"72 damaged text untouched", 0x72, "41B0", u"A\uFFFD", nullptr, "41B0"},
};

void PrintTo(const TextCase &c, std::ostream *os) { *os << c.name; }

INSTANTIATE_TEST_SUITE_P(Rows, InformationTextDialogs, ::testing::ValuesIn(kTextCases),
                         testsupport::NameFromRow{});

TEST(InformationTextDialogs, NumberAndWindows)
{
    enginetest::CommandNode chapter(record(0x67, -1, "41"));
    chapter.edit([](QDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("FrmScene67"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 67 : 장명"));
        EXPECT_EQ(stateOf(d, "tNum"), QStringLiteral("-1"));
        typeInto(d, "tNum", QStringLiteral("12"));
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(chapter.record(), record(0x67, 12, "41"));

    enginetest::CommandNode info(record(0x72, 5, "41"));
    info.edit([](QDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("FrmSendInformation72"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 -  72 : 정보전송"));
        setBoxText(d, QStringLiteral("바뀜"));
        child<QLineEdit>(d, "tNum")->clear();
        enginetest::click(d, "cCancel");
    });
    EXPECT_EQ(info.record(), record(0x72, 5, "41"));
    EXPECT_EQ(info.records, 0);
}

TEST(InformationTextDialogs, EnterBreaksTheChapterNameButConfirmsTheInformation)
{
    enginetest::CommandNode chapter(record(0x67, 1, "41"));
    chapter.edit([](QDialog &d) {
        auto *box = child<QPlainTextEdit>(d, "tString");
        box->setFocus();
        box->moveCursor(QTextCursor::End);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, QStringLiteral("B"));
        EXPECT_TRUE(d.isVisible());
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(chapter.record(), record(0x67, 1, "410A42"));

    enginetest::CommandNode info(record(0x72, 1, "41"));
    info.edit([](QDialog &d) {
        auto *box = child<QLineEdit>(d, "tString");
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("B"));
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(info.record(), record(0x72, 1, "4142"));
}

TEST(InformationTextDialogs, LengthChangeReachesTheEnclosingLists)
{
    // The chapter name inside a nested list, so that the block around it
    // must take every change of the text's length.
    enginetest::CommandNode cmd(record(0x71, 0, ""));
    cmd.tree.setKey(cmd.node, fixtures::battlefieldRecord(0x71) + QStringLiteral("_77"));
    core::KeySerial serial = 1000;
    core::EditHistory history;
    core::EditContext edits{cmd.tree, serial, history};
    ASSERT_TRUE(core::addChildEvent(edits, cmd.node, 0x6E).ok);
    const core::NodeId block = cmd.tree.previous(cmd.node);
    ASSERT_TRUE(core::addCommand(edits, cmd.tree.firstChild(block), 0x67, QStringLiteral("가나")).ok);
    const core::NodeId chapter = cmd.tree.firstChild(block);
    ASSERT_EQ(core::keyCode(cmd.tree.key(chapter)), 0x67);
    ASSERT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
    cmd.ctx.node = chapter;
    cmd.tree.setSelected(chapter);

    for (const char16_t *text : {u"가\n나다", u"A", u"", u"긴 장 이름을 넣어 봅니다"}) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        const QString before = cmd.tree.key(chapter).section(u'_', 0, 0);
        EXPECT_TRUE(cmd.edit([&](QDialog &d) {
            setBoxText(d, QString::fromUtf16(text));
            enginetest::click(d, "cConfig");
        }));
        const QString after = cmd.tree.key(chapter).section(u'_', 0, 0);
        EXPECT_EQ(after.size() - before.size(), 2 * (core::wAscii(QString::fromUtf16(text)).size() / 2 -
                                                     core::keyTextAt(before, 21).bytes.size()));
        EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
    }
}

} // namespace
