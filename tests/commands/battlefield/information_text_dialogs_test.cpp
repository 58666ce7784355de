// The chapter name (0x67) and information (0x72) dialogs: a number and a game
// text whose length OK may change.
#include "commands/battlefield/dialog_test_support.h"
#include "core/key_codec.h"

#include <QPlainTextEdit>

using namespace battlefieldtest;

namespace {

QString record(int code, std::int32_t number, const char *textHex)
{
    return core::LongToHex(code, 2) + QStringLiteral("0400") + core::LongToHex(number, 4) + QStringLiteral("0500") +
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
    {"72 damaged text untouched", 0x72, "41B0", u"A", nullptr, "41B0"},
};

INSTANTIATE_TEST_SUITE_P(Rows, InformationTextDialogs, ::testing::ValuesIn(kTextCases));

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

} // namespace
