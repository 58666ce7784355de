// The story-flow dialogs made only of fields: what odd stored values open as,
// what OK then writes, the limits of their number boxes, and the block
// commands' nested-length word and caption.
#include "commands/common/engine_test_support.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/key_edit.h"
#include "fixtures/flow_fixtures.h"
#include "support/param_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <functional>

using enginetest::CommandNode;

namespace {

QString hex2(int v) { return core::longToHex(v, 2); }
QString hex4(std::int64_t v) { return core::longToHex(v, 4); }

QComboBox *combo(QDialog &d, const char *name) { return d.findChild<QComboBox *>(QLatin1String(name)); }
QLineEdit *box(QDialog &d, const char *name) { return d.findChild<QLineEdit *>(QLatin1String(name)); }

void typeInto(QLineEdit *b, const QString &text)
{
    b->selectAll();
    QTest::keyClicks(b, text);
}

struct Case
{
    const char *name;
    QString record;
    // Works the dialog and checks what it shows; OK follows.
    std::function<void(QDialog &)> act;
    QString expected;
};

QString rec73(int person, std::int64_t value, int cmp, std::array<int, 5> flags)
{
    QString r = QStringLiteral("73000200") + hex2(person) + QStringLiteral("0400") + hex4(value) +
                QStringLiteral("2400") + hex2(cmp);
    for (int f : flags)
        r += QStringLiteral("2600") + hex2(f);
    return r;
}

QString rec77(int code, int k0, std::int64_t n0, int op, int k1, std::int64_t n1)
{
    const int firstTag = code == 0x77 ? 0x51 : 0x52;
    const int opTag = code == 0x77 ? 0x53 : 0x56;
    return hex2(code) + hex2(firstTag) + hex2(k0) + QStringLiteral("0400") + hex4(n0) + hex2(opTag) + hex2(op) +
           QStringLiteral("5200") + hex2(k1) + QStringLiteral("0400") + hex4(n1);
}

QString rec78(std::int64_t var, int dir, int person, int attr)
{
    return QStringLiteral("78000400") + hex4(var) + QStringLiteral("5400") + hex2(dir) + QStringLiteral("0200") +
           hex2(person) + QStringLiteral("5500") + hex2(attr);
}

const Case kCases[] = {
    {"QueryFlagAboveOneLoadsClearAndIsKept", QStringLiteral("040026000200"),
     [](QDialog &d) { EXPECT_FALSE(d.findChild<QCheckBox *>("ckYN")->isChecked()); }, QStringLiteral("040026000200")},
    {"QueryFlagTicked", QStringLiteral("040026000000"),
     [](QDialog &d) { d.findChild<QCheckBox *>("ckYN")->setChecked(true); }, QStringLiteral("040026000100")},
    {"MenuFlagTwoShowsAsItsNumberAndIsKept", QStringLiteral("08002E000200"),
     [](QDialog &d) { EXPECT_EQ(combo(d, "cbTF")->currentText(), QStringLiteral("False (2)")); },
     QStringLiteral("08002E000200")},
    {"DelayStopsAtTheLimit", QStringLiteral("0900040005000000"),
     [](QDialog &d) {
         typeInto(box(d, "tNum"), QStringLiteral("16777216"));
         EXPECT_EQ(box(d, "tNum")->text(), QStringLiteral("16777215"));
     },
     QStringLiteral("09000400FFFFFF00")},
    {"EndingBeyondTheListIsKept", QStringLiteral("0F0012000300"),
     [](QDialog &d) { EXPECT_EQ(combo(d, "cbFinish")->currentText(), QStringLiteral("가상 (3)")); },
     QStringLiteral("0F0012000300")},
    {"EndingVirtual", QStringLiteral("0F0012000000"), [](QDialog &d) { combo(d, "cbFinish")->setCurrentIndex(2); },
     QStringLiteral("0F0012000200")},
    {"ScenarioFileBeyondTheListIsKept", QStringLiteral("11003700C800"),
     [](QDialog &d) {
         EXPECT_EQ(combo(d, "cbEEX")->count(), 117);
         EXPECT_EQ(combo(d, "cbEEX")->currentIndex(), 116);
     },
     QStringLiteral("11003700C800")},
    {"ScenarioFileList", QStringLiteral("110037000200"),
     [](QDialog &d) {
         QComboBox *c = combo(d, "cbEEX");
         EXPECT_EQ(c->currentText(), QStringLiteral("S_01"));
         EXPECT_EQ(c->itemText(3), QStringLiteral("R_02"));
         EXPECT_EQ(c->itemText(113), QStringLiteral("R_57"));
         EXPECT_EQ(c->itemText(114), QStringLiteral("S_57"));
         EXPECT_EQ(c->itemText(115), QStringLiteral("R_58"));
         c->setCurrentIndex(115);
     },
     QStringLiteral("110037007300")},
    {"ProbabilityStopsAt100", QStringLiteral("6E000400" "32000000"),
     [](QDialog &d) {
         typeInto(box(d, "tNum"), QStringLiteral("101"));
         EXPECT_EQ(box(d, "tNum")->text(), QStringLiteral("100"));
     },
     QStringLiteral("6E000400" "64000000")},
    // 116 items and no "無" of its own: a stored 0xFFFF is a kept item.
    {"DiscardedItemNoneIsKept", QStringLiteral("6F001700FFFF"),
     [](QDialog &d) {
         EXPECT_EQ(combo(d, "cbItem")->count(), 117);
         EXPECT_EQ(combo(d, "cbItem")->currentIndex(), 116);
     },
     QStringLiteral("6F001700FFFF")},
    {"DiscardedItemListedHasTheItemsOnly", QStringLiteral("6F0017000500"),
     [](QDialog &d) {
         EXPECT_EQ(combo(d, "cbItem")->count(), 116);
         EXPECT_EQ(combo(d, "cbItem")->currentIndex(), 5);
     },
     QStringLiteral("6F0017000500")},
    {"DiscardedItemChosen", QStringLiteral("6F001700FFFF"), [](QDialog &d) { combo(d, "cbItem")->setCurrentIndex(3); },
     QStringLiteral("6F0017000300")},
    {"CopyBothPersonsNone", QStringLiteral("6C000200" "0500" "0200" "0600"),
     [](QDialog &d) {
         combo(d, "cbChar0")->setCurrentIndex(combo(d, "cbChar0")->count() - 1);
         EXPECT_EQ(combo(d, "cbChar1")->currentIndex(), 6);  // the other picker keeps its person
         combo(d, "cbChar1")->setCurrentIndex(combo(d, "cbChar1")->count() - 1);
     },
     QStringLiteral("6C000200" "FFFF" "0200" "FFFF")},
    {"SelectionValueKeptWhole", QStringLiteral("70000200" "0100" "0200" "0200" "0400" "00000001"),
     [](QDialog &d) { EXPECT_EQ(box(d, "tValue")->text(), QStringLiteral("16777216")); },
     QStringLiteral("70000200" "0100" "0200" "0200" "0400" "00000001")},
    {"SelectionValueNegative", QStringLiteral("70000200" "0100" "0200" "0200" "0400" "FFFFFFFF"),
     [](QDialog &d) { EXPECT_EQ(box(d, "tValue")->text(), QStringLiteral("-1")); },
     QStringLiteral("70000200" "0100" "0200" "0200" "0400" "FFFFFFFF")},
    {"SelectionValueTypedWithMinus", QStringLiteral("70000200" "0100" "0200" "0200" "0400" "05000000"),
     [](QDialog &d) {
         typeInto(box(d, "tValue"), QStringLiteral("-1"));
         EXPECT_EQ(box(d, "tValue")->text(), QStringLiteral("-1"));
     },
     QStringLiteral("70000200" "0100" "0200" "0200" "0400" "FFFFFFFF")},
    {"AbilityTestComparisonBeyondIsKept", rec73(0xFFFF, 5, 7, {0, 5, 0, 0, 1}),
     [](QDialog &d) {
         EXPECT_EQ(combo(d, "cbCompare")->currentText(), QStringLiteral("<= (7)"));
         EXPECT_EQ(combo(d, "cbChar")->currentText(), QStringLiteral("無"));
         EXPECT_TRUE(d.findChild<QCheckBox *>("ckAbility1")->isChecked());
         EXPECT_TRUE(d.findChild<QCheckBox *>("ckAbility4")->isChecked());
     },
     rec73(0xFFFF, 5, 7, {0, 5, 0, 0, 1})},
    {"AbilityTestNoneTicked", rec73(3, 5, 0, {1, 1, 1, 1, 1}),
     [](QDialog &d) {
         for (int j = 0; j < 5; ++j)
             d.findChild<QCheckBox *>(QStringLiteral("ckAbility%1").arg(j))->setChecked(false);
         typeInto(box(d, "tCompareNum"), QStringLiteral("99999999"));
     },
     rec73(3, 16777215, 0, {0, 0, 0, 0, 0})},
    {"ArithmeticOperatorWithBlank", rec77(0x77, 2, 1, 0, 0, 3),
     [](QDialog &d) {
         EXPECT_EQ(combo(d, "cbVarType0")->currentText(), QStringLiteral("정형변량(a)"));
         EXPECT_EQ(combo(d, "cbCompare")->itemText(2), QStringLiteral("= "));
         combo(d, "cbCompare")->setCurrentIndex(2);
     },
     rec77(0x77, 2, 1, 2, 0, 3)},
    {"ArithmeticNegativeKeptAndTypedClamped", rec77(0x77, 0, -1, 5, 5, 0),
     [](QDialog &d) {
         EXPECT_EQ(box(d, "tCompareNum0")->text(), QStringLiteral("-1"));
         EXPECT_EQ(combo(d, "cbVarType1")->currentText(), QStringLiteral("정형변량(&a)"));
         typeInto(box(d, "tCompareNum1"), QStringLiteral("16777216"));
     },
     rec77(0x77, 0, -1, 5, 5, 16777215)},
    {"ComparisonFirstKindIsAnOperandKind", rec77(0x79, 2, 4, 1, 0, 9),
     [](QDialog &d) {
         EXPECT_EQ(combo(d, "cbVarType0")->currentText(), QStringLiteral("지침변량(p)"));
         EXPECT_EQ(combo(d, "cbCompare")->currentText(), QStringLiteral(">="));
     },
     rec77(0x79, 2, 4, 1, 0, 9)},
    {"OperatorOutsideTheListKept", rec77(0x77, 9, 0, 8, 0, 0), [](QDialog &) {}, rec77(0x77, 9, 0, 8, 0, 0)},
    {"AssignmentShowsItsFields", rec78(12, 1, 0xFFFE - 7, 41),
     [](QDialog &d) {
         EXPECT_EQ(combo(d, "cbSet")->currentText(), QStringLiteral("==>"));
         EXPECT_EQ(combo(d, "cbChar")->currentText(), QStringLiteral("*7"));
         EXPECT_EQ(combo(d, "cbAbility")->currentText(), QStringLiteral("전장인물건강상태"));
         combo(d, "cbSet")->setCurrentIndex(0);
         combo(d, "cbAbility")->setCurrentIndex(0);
     },
     rec78(12, 0, 0xFFFE - 7, 0)},
    {"AssignmentNoPerson", rec78(16777215, 0, 0xFFFF, 3),
     [](QDialog &d) {
         EXPECT_EQ(combo(d, "cbChar")->currentText(), QStringLiteral("無"));
         EXPECT_EQ(combo(d, "cbAbility")->currentText(), QStringLiteral("방어력"));
     },
     rec78(16777215, 0, 0xFFFF, 3)},
};

class FlowFieldDialogs : public ::testing::TestWithParam<Case> {};

TEST_P(FlowFieldDialogs, OpensAsExpectedAndOkWrites)
{
    const Case &c = GetParam();
    CommandNode cmd(c.record);
    cmd.edit([&](QDialog &d) {
        c.act(d);
        enginetest::click(d, "cConfig");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(cmd.record(), c.expected);
    EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
    EXPECT_EQ(cmd.records, c.expected == c.record ? 0 : 1);
}

void PrintTo(const Case &c, std::ostream *os) { *os << c.name; }

INSTANTIATE_TEST_SUITE_P(Cases, FlowFieldDialogs, ::testing::ValuesIn(kCases), testsupport::NameFromRow{});

// The tests that may head a child event keep their nested-length word and
// leave it out of the caption.
TEST(FlowFieldDialogs, BlockTestsKeepTheirNestedLengthWord)
{
    struct Block
    {
        QString record;
        std::function<void(QDialog &)> act;
        QString changed;  // the record part after OK, without the word
    };
    const Block blocks[] = {
        {QStringLiteral("040026000000"), [](QDialog &d) { d.findChild<QCheckBox *>("ckYN")->setChecked(true); },
         QStringLiteral("040026000100")},
        {QStringLiteral("6E0004000A000000"), [](QDialog &d) { typeInto(box(d, "tNum"), QStringLiteral("55")); },
         QStringLiteral("6E00040037000000")},
        {rec77(0x79, 0, 1, 0, 0, 2), [](QDialog &d) { combo(d, "cbCompare")->setCurrentIndex(2); },
         rec77(0x79, 0, 1, 2, 0, 2)},
    };
    for (const Block &b : blocks) {
        SCOPED_TRACE(b.record.toStdString());
        CommandNode cmd(b.record);
        fixtures::addNestedList(cmd.tree, cmd.node, {QStringLiteral("09000400") + hex4(3)});
        fixtures::setNestedLengths(cmd.tree, cmd.node);
        const int word = fixtures::nestedLengthWord(cmd.tree, cmd.node);
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
        EXPECT_TRUE(cmd.edit([&](QDialog &d) {
            b.act(d);
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.record(), b.changed + hex2(word));
        EXPECT_EQ(cmd.text(), core::commandCaption(cmd.key(), core::CaptionSite::Creation, true, {}));
        EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
    }
}

} // namespace
