// The text dialogs change only what the user changed: a flag or a person
// changed beside a stored text leaves the text's bytes as they were (bytes
// that are not CP949, a literal backslash-n, malformed mark-up), and a
// changed text leaves the other items as stored. A line under the box says
// when the text holds characters CP949 cannot store.
#include "text_dialog_support.h"

#include "core/key_codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

using texttest::TextNode;

// "A", two bytes no CP949 table maps, a literal backslash-n and mark-up
// whose colour is not hex.
const QString kOddText = QStringLiteral("4180FF5C6E5B435A5A61625D");

void typeInto(QWidget *box, const QString &text)
{
    box->setFocus();
    if (auto *rich = qobject_cast<QTextEdit *>(box))
        rich->moveCursor(QTextCursor::End);
    if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        plain->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, text);
}

struct Case
{
    const char *what;
    QString record;
    std::function<void(QDialog &)> change;
    // The record after OK; empty: only "the text changed, the rest stayed"
    // is checked (the new text's own bytes are the encoder's).
    QString expected;
    QString untouchedTail;  // with an empty `expected`: what follows the text item
};

TEST(TextDialogsUntouched, OnlyTheChangedItemIsWritten)
{
    const Case cases[] = {
        {"2C delay ticked beside an odd text and a flag of 2",
         "2C000500" + kOddText + "00" "26000200" "26000500" "26000000",
         [](QDialog &d) { d.findChild<QCheckBox *>("ckDelay")->setChecked(true); },
         "2C000500" + kOddText + "00" "26000200" "26000500" "26000100", {}},
        {"63 person flag ticked beside an odd text",
         "630026000000" "0500" + kOddText + "00" "26000300",
         [](QDialog &d) { d.findChild<QCheckBox *>("ckChar")->setChecked(true); },
         "630026000100" "0500" + kOddText + "00" "26000300", {}},
        {"12 text changed beside a person that names nobody",
         "12000500" + kOddText + "00" "02000008",
         [](QDialog &d) { typeInto(d.findChild<QTextEdit *>("tString"), QStringLiteral("z")); }, {},
         "02000008"},
        {"2C text changed beside flags above 1", "2C000500" + kOddText + "00" "26000200" "26000500" "26000700",
         [](QDialog &d) { typeInto(d.findChild<QPlainTextEdit *>("tString"), QStringLiteral("z")); }, {},
         "26000200" "26000500" "26000700"},
        {"02 comment with odd bytes, untouched", "02000500" + kOddText + "00", [](QDialog &) {},
         "02000500" + kOddText + "00", {}},
        {"14 dialogue with odd bytes, untouched", "14000500" + kOddText + "00", [](QDialog &) {},
         "14000500" + kOddText + "00", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TextNode cmd(c.record);
        cmd.edit([&](QDialog &d) {
            c.change(d);
            enginetest::click(d, "cConfig");
        });
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(cmd.record().toStdString(), c.expected.toStdString());
            continue;
        }
        EXPECT_NE(cmd.record(), c.record);
        EXPECT_TRUE(cmd.record().endsWith(c.untouchedTail)) << cmd.record().toStdString();
        EXPECT_EQ(cmd.record().left(8), c.record.left(8));
        EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
    }
}

TEST(TextDialogsUntouched, ALineSaysWhenTheTextHoldsWhatCp949CannotStore)
{
    TextNode cmd(QStringLiteral("140005004100"));
    cmd.edit([](QDialog &d) {
        auto *note = d.findChild<QLabel *>("lblEncoding");
        ASSERT_NE(note, nullptr);
        EXPECT_TRUE(note->isHidden());
        auto *box = d.findChild<QTextEdit *>("tString");
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(QStringLiteral("ก"));  // Thai: no CP949 code
        EXPECT_FALSE(note->isHidden());
        box->undo();
        EXPECT_TRUE(note->isHidden());
        enginetest::click(d, "cCancel");
    });
}

} // namespace
