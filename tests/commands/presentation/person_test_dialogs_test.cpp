// The click and adjacency tests (0x2D, 0x2E): persons only, as block
// commands whose nested-length word must survive an edit.
#include "commands/common/engine_test_support.h"
#include "fixtures/presentation_fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using enginetest::CommandNode;
using fixtures::blockRecord;
using fixtures::commandRecord;

namespace {

QString meet(int a, int b, int flag)
{
    return commandRecord(0x2E, {{0x02, 2, a}, {0x02, 2, b}, {0x26, 2, flag}});
}

TEST(PersonTestDialogs, NewAdjacencyTestOpensWithNobodyAndFourDirections)
{
    CommandNode cmd(meet(0xFFFF, 0xFFFF, 0));
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("FrmCharMeet2E"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 2E : 무장인접시험"));
        EXPECT_EQ(d.findChild<QComboBox *>("cbChar0")->currentText(), QStringLiteral("無"));
        EXPECT_EQ(d.findChild<QComboBox *>("cbChar1")->currentText(), QStringLiteral("無"));
        EXPECT_EQ(d.findChild<QCheckBox *>("ckExpansion")->text(), QStringLiteral("인접 (8방향)"));
        EXPECT_FALSE(d.findChild<QCheckBox *>("ckExpansion")->isChecked());
        enginetest::click(d, "cConfig");
    }));
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("인접(4방향)")));
}

TEST(PersonTestDialogs, AdjacencyFieldsLoadAndWrite)
{
    const struct {
        const char *what;
        QString record;
        std::function<void(QDialog &)> act;
        QString after;
    } cases[] = {
        {"flag 2 loads clear and is kept", meet(1, 2, 2),
         [](QDialog &d) { EXPECT_FALSE(d.findChild<QCheckBox *>("ckExpansion")->isChecked()); }, meet(1, 2, 2)},
        {"flag 2 kept while a person changes", meet(1, 2, 2),
         [](QDialog &d) { d.findChild<QComboBox *>("cbChar0")->setCurrentIndex(3); }, meet(3, 2, 2)},
        {"ticking stores 1", meet(1, 2, 0),
         [](QDialog &d) { d.findChild<QCheckBox *>("ckExpansion")->setChecked(true); }, meet(1, 2, 1)},
        {"the same person and groups are kept", meet(1024, 1024, 1), [](QDialog &) {}, meet(1024, 1024, 1)},
        {"variable persons are kept", meet(0xFFFE - 5, 0xFFFE, 0),
         [](QDialog &d) {
             EXPECT_EQ(d.findChild<QComboBox *>("cbChar0")->currentText(), QStringLiteral("*5"));
             EXPECT_EQ(d.findChild<QLineEdit *>("tNum0")->text(), QString::number(0xFFFE - 5));
         },
         meet(0xFFFE - 5, 0xFFFE, 0)},
        {"number mode switches both rows; typing changes only its row", meet(1, 2, 0),
         [](QDialog &d) {
             d.findChild<QRadioButton *>("oNum")->click();
             EXPECT_FALSE(d.findChild<QLineEdit *>("tNum0")->isHidden());
             EXPECT_FALSE(d.findChild<QLineEdit *>("tNum1")->isHidden());
             EXPECT_TRUE(d.findChild<QComboBox *>("cbChar1")->isHidden());
             auto *second = d.findChild<QLineEdit *>("tNum1");
             second->selectAll();
             QTest::keyClicks(second, QStringLiteral("1027"));
         },
         meet(1, 1027, 0)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CommandNode cmd(c.record);
        cmd.edit([&](QDialog &d) {
            c.act(d);
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(cmd.record(), c.after);
        EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
    }
    CommandNode ticked(meet(1, 2, 0));
    ticked.edit([](QDialog &d) {
        d.findChild<QCheckBox *>("ckExpansion")->setChecked(true);
        enginetest::click(d, "cConfig");
    });
    EXPECT_EQ(ticked.record().mid(24, 4), QStringLiteral("0100"));
    EXPECT_TRUE(ticked.text().contains(QStringLiteral("인접(8방향)")));
}

TEST(PersonTestDialogs, ClickTestWritesThePerson)
{
    CommandNode cmd(commandRecord(0x2D, {{0x02, 2, 0xFFFF}}));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("FrmCharClick2D"));
        d.findChild<QComboBox *>("cbChar")->setCurrentIndex(1027);
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), commandRecord(0x2D, {{0x02, 2, 1027}}));
}

// A test heading a child event keeps its nested-length word through OK, and
// the caption does not read it as a parameter.
TEST(PersonTestDialogs, BlockCommandsKeepTheirNestedLength)
{
    const struct {
        QString record;
        const char *box;
        QString after;
    } cases[] = {
        {blockRecord(0x2D, {{0x02, 2, 0xFFFF}}, 0x1234), "tNum", blockRecord(0x2D, {{0x02, 2, 9}}, 0x1234)},
        {blockRecord(0x2E, {{0x02, 2, 1}, {0x02, 2, 2}, {0x26, 2, 0}}, 0x0A),
         "tNum0", blockRecord(0x2E, {{0x02, 2, 9}, {0x02, 2, 2}, {0x26, 2, 0}}, 0x0A)},
        {blockRecord(0x25, {{0x02, 2, 1}, {0x04, 4, 3}, {0x04, 4, 4}}, 0x10), "tNum",
         blockRecord(0x25, {{0x02, 2, 9}, {0x04, 4, 3}, {0x04, 4, 4}}, 0x10)},
        {blockRecord(0x26, {{0x02, 2, 1}, {0x04, 4, 3}, {0x04, 4, 4}, {0x04, 4, 5}, {0x04, 4, 6}}, 0x10), "tNum",
         blockRecord(0x26, {{0x02, 2, 9}, {0x04, 4, 3}, {0x04, 4, 4}, {0x04, 4, 5}, {0x04, 4, 6}}, 0x10)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.record.toStdString());
        CommandNode cmd(c.record);
        // The nested list the length word speaks of.
        cmd.tree.add(cmd.node, core::Relation::LastChild, QStringLiteral("0000_n1"), QStringLiteral("0 : "));
        EXPECT_TRUE(cmd.edit([&](QDialog &d) {
            auto *box = d.findChild<QLineEdit *>(QLatin1String(c.box));
            box->setText(QStringLiteral("9"));
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.record(), c.after);
        EXPECT_EQ(cmd.text(), core::commandCaption(cmd.key(), core::CaptionSite::Creation, true, {}));
    }
}

} // namespace
