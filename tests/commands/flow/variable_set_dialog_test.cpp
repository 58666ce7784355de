// The variable assignment 0x0B: the bound of its variable box and the value
// False or True.
#include "commands/common/engine_test_support.h"
#include "core/key_codec.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using enginetest::CommandNode;

namespace {

QString rec0B(std::int64_t variable, int value)
{
    return QStringLiteral("0B000400") + core::longToHex(variable, 4) + QStringLiteral("2700") +
           core::longToHex(value, 2);
}

TEST(VariableSetDialog, TypedNumbersAbove4095Become3499)
{
    struct Case
    {
        const char *typed;
        const char *shown;
    };
    const Case cases[] = {{"4095", "4095"}, {"4096", "3499"}, {"5000", "3499"}, {"99999", "3499"}, {"0", "0"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        CommandNode cmd(rec0B(1, 0));
        cmd.edit([&](QDialog &d) {
            EXPECT_EQ(d.objectName(), QStringLiteral("FrmVarSetB"));
            EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - B : 변량설정"));
            auto *box = d.findChild<QLineEdit *>("tNum");
            box->selectAll();
            QTest::keyClicks(box, QLatin1String(c.typed));
            EXPECT_EQ(box->text(), QLatin1String(c.shown));
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(cmd.record(), rec0B(QByteArray(c.shown).toInt(), 0));
    }
}

TEST(VariableSetDialog, LoadsAndWritesTheValue)
{
    struct Case
    {
        QString stored;
        const char *shownNumber;
        const char *shownValue;
        int choose;  // -1 leaves the list
        QString written;
    };
    const Case cases[] = {
        {rec0B(12, 2), "12", "False (2)", -1, rec0B(12, 2)},          // kept, as the caption reads it
        {rec0B(12, 0xFFFF), "12", "False (65535)", 1, rec0B(12, 1)},  // until True is picked
        {rec0B(12, 1), "12", "True", 0, rec0B(12, 0)},
        {rec0B(12, 0), "12", "False", 1, rec0B(12, 1)},
        // Stored beyond the bound or negative: shown and kept as stored.
        {rec0B(5000, 0), "5000", "False", -1, rec0B(5000, 0)},
        {rec0B(-1, 0), "-1", "False", -1, rec0B(-1, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        CommandNode cmd(c.stored);
        cmd.edit([&](QDialog &d) {
            EXPECT_EQ(d.findChild<QLineEdit *>("tNum")->text(), QLatin1String(c.shownNumber));
            auto *value = d.findChild<QComboBox *>("cbTF");
            EXPECT_EQ(value->currentText(), QLatin1String(c.shownValue));
            if (c.choose >= 0)
                value->setCurrentIndex(c.choose);
            enginetest::click(d, "cConfig");
        });
        EXPECT_EQ(cmd.record(), c.written);
        EXPECT_EQ(cmd.text(), CommandNode::caption(cmd.key()));
    }
}

TEST(VariableSetDialog, CancelChangesNothing)
{
    CommandNode cmd(rec0B(7, 1));
    const QString key = cmd.key(), caption = cmd.text();
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        d.findChild<QLineEdit *>("tNum")->setText(QStringLiteral("9"));
        d.findChild<QComboBox *>("cbTF")->setCurrentIndex(0);
        enginetest::click(d, "cCancel");
    }));
    EXPECT_EQ(cmd.key(), key);
    EXPECT_EQ(cmd.text(), caption);
    EXPECT_EQ(cmd.records, 0);
}

} // namespace
