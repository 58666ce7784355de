// The case value and the own-retreat-line switch.
#include "commands/common/engine_test_support.h"
#include "core/key_codec.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using enginetest::CommandNode;

TEST(CaseDialog, ValuesLoadSignedAndStoreAsFourBytes)
{
    CommandNode fresh(QStringLiteral("1300040001000000"));
    EXPECT_TRUE(fresh.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 13 : Case"));
        auto *box = d.findChild<QLineEdit *>("tNum");
        EXPECT_EQ(box->text(), QStringLiteral("1"));
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("3"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(fresh.record(), QStringLiteral("1300040003000000"));

    CommandNode negative(QStringLiteral("13000400FFFFFFFF"));
    EXPECT_FALSE(negative.edit([](QDialog &d) {
        EXPECT_EQ(d.findChild<QLineEdit *>("tNum")->text(), QStringLiteral("-1"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(negative.record(), QStringLiteral("13000400FFFFFFFF"));

    CommandNode emptied(QStringLiteral("1300040005000000"));
    EXPECT_TRUE(emptied.edit([](QDialog &d) {
        d.findChild<QLineEdit *>("tNum")->clear();
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(emptied.record(), QStringLiteral("1300040000000000"));
}

TEST(RetreatLineDialog, PersonAndSwitch)
{
    CommandNode fresh(QStringLiteral("1B000200FFFF27000000"));
    EXPECT_TRUE(fresh.edit([](QDialog &d) {
        EXPECT_EQ(d.findChild<QComboBox *>("cbChar")->currentText(), QStringLiteral("無"));
        auto *tf = d.findChild<QComboBox *>("cbTF");
        EXPECT_EQ(tf->currentText(), QStringLiteral("False"));
        d.findChild<QLineEdit *>("tNum")->setText(QStringLiteral("5"));
        tf->setCurrentIndex(1);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(fresh.record(), QStringLiteral("1B000200050027000100"));

    // A stored 2 has no item of its own: it reads as the caption's "False"
    // with its number, and stays.
    CommandNode two(QStringLiteral("1B000200FEFF27000200"));
    EXPECT_FALSE(two.edit([](QDialog &d) {
        EXPECT_EQ(d.findChild<QComboBox *>("cbTF")->currentText(), QStringLiteral("False (2)"));
        EXPECT_EQ(d.findChild<QLineEdit *>("tNum")->text(), QStringLiteral("65534"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(two.record(), QStringLiteral("1B000200FEFF27000200"));
    // A person 1028..0xEFFE names nobody: kept as well.
    CommandNode nobody(QStringLiteral("1B000200000827000000"));
    EXPECT_FALSE(nobody.edit([](QDialog &d) {
        EXPECT_EQ(d.findChild<QLineEdit *>("tNum")->text(), QStringLiteral("2048"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(nobody.record(), QStringLiteral("1B000200000827000000"));
}
