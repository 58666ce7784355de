// The level-up dialog of command 0x39: a person and a number of levels.
#include "commands/common/engine_test_support.h"
#include "core/key_codec.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using enginetest::CommandNode;

namespace {

QString record(int person, const char *levels)
{
    return QStringLiteral("39000200") + core::longToHex(person, 2) + QStringLiteral("0400") +
           QString::fromLatin1(levels);
}

TEST(UnitLevelUpDialog, NewCommandOpensWithNobodyAndZero)
{
    CommandNode cmd(record(0xFFFF, "00000000"));
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 39 : 무장등급상승"));
        EXPECT_EQ(d.findChild<QComboBox *>("cbChar")->currentText(), QStringLiteral("無"));
        EXPECT_EQ(d.findChild<QLineEdit *>("tAddNum")->text(), QStringLiteral("0"));
        EXPECT_EQ(d.findChild<QLabel *>("lbltAddNum")->text(), QStringLiteral("등급 상승"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), record(0xFFFF, "00000000"));
}

TEST(UnitLevelUpDialog, TypedNumbersStopAtTheLimitAndAnEmptyBoxIsZero)
{
    CommandNode cmd(record(3, "05000000"));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        auto *box = d.findChild<QLineEdit *>("tAddNum");
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("16777216"));
        EXPECT_EQ(box->text(), QStringLiteral("16777215"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record().mid(16, 8), QStringLiteral("FFFFFF00"));
    EXPECT_EQ(cmd.records, 1);

    CommandNode empty(record(3, "05000000"));
    EXPECT_TRUE(empty.edit([](QDialog &d) {
        d.findChild<QLineEdit *>("tAddNum")->clear();
        enginetest::click(d, "cConfig");  // Enter before the box was left
    }));
    EXPECT_EQ(empty.record().mid(16, 8), QStringLiteral("00000000"));
}

TEST(UnitLevelUpDialog, StoredNumbersBeyondTheBoxAreKeptAsTheyAre)
{
    struct Case
    {
        const char *stored;
        const char *shown;
    } cases[] = {{"05000001", "16777221"}, {"FFFFFFFF", "-1"}, {"00000080", "-2147483648"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        CommandNode cmd(record(1027, c.stored));
        EXPECT_FALSE(cmd.edit([&](QDialog &d) {
            EXPECT_EQ(d.findChild<QLineEdit *>("tAddNum")->text(), QString::fromLatin1(c.shown));
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.record(), record(1027, c.stored));
        EXPECT_EQ(cmd.records, 0);
    }
}

TEST(UnitLevelUpDialog, ChosenPersonAndCaption)
{
    CommandNode cmd(record(0xFFFF, "02000000"));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        d.findChild<QComboBox *>("cbChar")->setCurrentIndex(1028 + 2);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), record(0xFFFC, "02000000"));
    EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("[Var2]")));
}

} // namespace
