// The selection value of the selective ability copy is a signed 4-byte value
// in a box that takes any text: a whole number is written, held at the ends
// of the signed range; anything else leaves the stored value as it was.
#include "commands/common/engine_test_support.h"
#include "core/key_codec.h"

#include <QLineEdit>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using enginetest::CommandNode;

namespace {

// 0x70: two persons (7 and 9) and the value 16,777,216.
const QString kRecord = QStringLiteral("700002000700020009000400") + core::longToHex(16777216, 4);

QString valueAfterTyping(const QString &typed, bool *changed = nullptr, const QString &shown = QString())
{
    CommandNode cmd(kRecord);
    const bool edited = cmd.edit([&](QDialog &d) {
        auto *box = d.findChild<QLineEdit *>(QStringLiteral("tValue"));
        EXPECT_EQ(box->text(), QStringLiteral("16777216"));
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, typed);
        // Nothing filtered while typing; a number past the range stops at its end.
        EXPECT_EQ(box->text(), shown.isNull() ? typed : shown);
        enginetest::click(d, "cConfig");
    });
    if (changed)
        *changed = edited;
    return cmd.record().mid(24, 8);
}

} // namespace

TEST(AbilityCopyValue, WholeSignedNumbersAreWrittenAndAnythingElseKeepsTheStoredValue)
{
    struct Case {
        const char *typed;
        const char *written;         // the value's 8 hex digits afterwards
        const char *shown = nullptr; // the box's text, when not what was typed
    };
    const Case cases[] = {
        {"-1", "FFFFFFFF"},         {"2147483647", "FFFFFF7F"}, {"-2147483648", "00000080"},
        {"5", "05000000"},          {"", "00000001"},           {"-", "00000001"},
        {"abc", "00000001"},        {"12ab", "00000001"},
        // Past the signed range: held at its ends, not wrapped.
        {"2147483648", "FFFFFF7F", "2147483647"}, {"-2147483649", "00000080", "-2147483648"},
        {"4294967296", "FFFFFF7F", "2147483647"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(valueAfterTyping(QString::fromLatin1(c.typed), nullptr,
                                   c.shown ? QString::fromLatin1(c.shown) : QString()),
                  QString::fromLatin1(c.written))
            << c.typed;

    bool changed = true;
    valueAfterTyping(QStringLiteral("x"), &changed);
    EXPECT_FALSE(changed) << "text that is no value changes nothing";
}
