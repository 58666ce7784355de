// The number boxes: the limit of each kind applies to what is typed, pasted
// or written by a picker, never to a value loaded from the key.
#include "commands/common/number_field.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

using namespace commands;

namespace {

struct TypedCase
{
    NumberKind kind;
    const char *typed;
    const char *shown;
    int width = 4;  // bytes of the field the box writes
};

TEST(NumberField, TypedValuesAreHeldAtTheLimitOfTheKind)
{
    const TypedCase cases[] = {
        {NumberKind::Plain, "16777216", "16777215"}, {NumberKind::Plain, "16777215", "16777215"},
        {NumberKind::Plain, "99999999999", "16777215"}, {NumberKind::Coordinate, "41", "40"},
        {NumberKind::Coordinate, "40", "40"}, {NumberKind::BattlefieldIndex, "99", "40"},
        {NumberKind::Percent, "101", "100"}, {NumberKind::Percent, "100", "100"},
        {NumberKind::Unclamped, "99999999", "99999999"},
        // Nothing beyond what the field holds: a 4-byte field holds a signed
        // number, so 3000000000 would be stored, shown and captioned as
        // -1294967296, and a repeat count of 4294967296 as 0.
        {NumberKind::Unclamped, "2147483647", "2147483647"}, {NumberKind::Unclamped, "2147483648", "2147483647"},
        {NumberKind::Unclamped, "3000000000", "2147483647"}, {NumberKind::Unclamped, "4294967296", "2147483647"},
        {NumberKind::Unclamped, "999999999999999", "2147483647"},
        // The box that takes a sign stops at both ends of the signed range;
        // text that is no whole number stays for OK to judge.
        {NumberKind::SignedText, "3000000000", "2147483647"}, {NumberKind::SignedText, "-3000000000", "-2147483648"},
        {NumberKind::SignedText, "-2147483648", "-2147483648"}, {NumberKind::SignedText, "2147483647", "2147483647"},
        {NumberKind::SignedText, "99999999999999999999", "2147483647"}, {NumberKind::SignedText, "-", "-"},
        {NumberKind::SignedText, "3000000000x", "2147483647x"}, {NumberKind::SignedText, "12a", "12a"},
        {NumberKind::Unclamped, "65536", "65535", 2}, {NumberKind::Plain, "70000", "65535", 2},
        {NumberKind::Coordinate, "41", "40", 2},
    };
    for (const TypedCase &c : cases) {
        SCOPED_TRACE(c.typed);
        NumberField box(c.kind);
        box.setFieldWidth(c.width);
        QTest::keyClicks(&box, QString::fromLatin1(c.typed));
        EXPECT_EQ(box.text(), QString::fromLatin1(c.shown));
    }
}

TEST(NumberField, LoadedValuesAreShownAsStored)
{
    NumberField coord(NumberKind::Coordinate);
    coord.load(65536);
    EXPECT_EQ(coord.text(), QStringLiteral("65536"));
    NumberField plain(NumberKind::Plain);
    plain.load(-1);
    EXPECT_EQ(plain.text(), QStringLiteral("-1"));
    plain.load(20000000);
    EXPECT_EQ(plain.text(), QStringLiteral("20000000"));
    EXPECT_EQ(plain.number(), 20000000);
    // Typing on from there is the user's value and takes the limit.
    plain.end(false);
    QTest::keyClick(&plain, '1');
    EXPECT_EQ(plain.text(), QStringLiteral("16777215"));
}

TEST(NumberField, APickerWritingIntoTheBoxIsLimitedToo)
{
    NumberField x(NumberKind::Coordinate);
    x.setText(QStringLiteral("57"));  // as the battle-map picker writes a cell
    EXPECT_EQ(x.text(), QStringLiteral("40"));
}

TEST(NumberField, PasteTakesDigitsOnlyAndEmptyCountsAsZero)
{
    NumberField box(NumberKind::Coordinate);
    box.load(12);
    QApplication::clipboard()->setText(QStringLiteral("3a"));
    box.selectAll();
    box.paste();
    EXPECT_EQ(box.text(), QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("-3"));
    box.selectAll();
    box.paste();
    EXPECT_EQ(box.text(), QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("77"));
    box.selectAll();
    box.paste();
    EXPECT_EQ(box.text(), QStringLiteral("40"));
    box.clear();
    EXPECT_EQ(box.number(), 0);
}

} // namespace
