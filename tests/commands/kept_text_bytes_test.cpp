// Every dialog with a text box that writes a text item keeps the stored bytes
// outside what the user typed: bytes that are no CP949 character, a bad lead
// byte before a letter, a lone carriage return and CR LF all survive one
// character typed at the start, in the middle or at the end of the text, and
// an untouched OK changes nothing.
#include "commands/text/text_dialog_support.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "fixtures/hex_bytes.h"
#include "fixtures/nested_length_check.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <set>

using fixtures::hexBytes;
using fixtures::toHex;

namespace {

// A dialog writing a text item: the record before and after the text's
// bytes (its 00 included in `after`).
struct TextDialog
{
    int code;
    const char *before;
    const char *after;
};

const TextDialog kDialogs[] = {
    {0x02, "02000500", "00"},
    {0x12, "12000500", "00" "0200" "0400"},
    {0x14, "14000500", "00"},
    {0x15, "1500" "0200" "0400" "0200" "FFFF" "0500", "00"},
    {0x16, "16000500", "00"},
    {0x17, "17000500", "00"},
    {0x18, "18000500", "00"},
    {0x19, "19000500", "00"},
    {0x1A, "1A000500", "00"},
    {0x2C, "2C000500", "00" "26000100" "26000200" "26000000"},
    {0x60, "6000" "2600" "0100" "0500", "00" "4C00" "0300"},
    {0x63, "6300" "2600" "0000" "0500", "00" "2600" "0100"},
    {0x67, "6700" "0400" "05000000" "0500", "00"},
    {0x69, "69000500", "00"},
    {0x72, "7200" "0400" "07000000" "0500", "00"},
};

// Stored texts, each with the plain stretch "mn" in the middle (typed into
// between m and n), the odd bytes away from the start, the middle and the
// end.
struct StoredText
{
    const char *what;
    const char *hex;
};

const StoredText kTexts[] = {
    {"bytes that are no CP949 character", "41 42 A1 0A 43 C9 20 44 6D6E 45 FE41 B0 20 46 47"},
    {"a bad lead byte before ASCII", "41 42 93BA E8 74 6D6E 43 E8 74 44"},
    {"a lone CR", "41 42 0D 43 6D6E 44 0D 45 46"},
    {"CR LF", "B0A1 42 0D0A 43 6D6E 44 0D0A 45 46"},
};

QString record(const TextDialog &d, const QByteArray &text)
{
    return QString::fromLatin1(d.before) + toHex(text) + QString::fromLatin1(d.after);
}

QWidget *textBox(QDialog &d)
{
    return d.findChild<QWidget *>(QStringLiteral("tString"));
}

QString boxText(QWidget *box)
{
    if (auto *rich = qobject_cast<QTextEdit *>(box))
        return rich->toPlainText();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        return plain->toPlainText();
    return qobject_cast<QLineEdit *>(box)->text();
}

void typeAt(QWidget *box, qsizetype at, const QString &typed)
{
    box->setFocus();
    if (auto *rich = qobject_cast<QTextEdit *>(box)) {
        QTextCursor c = rich->textCursor();
        c.setPosition(int(at));
        rich->setTextCursor(c);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(box)) {
        QTextCursor c = plain->textCursor();
        c.setPosition(int(at));
        plain->setTextCursor(c);
    } else {
        qobject_cast<QLineEdit *>(box)->setCursorPosition(int(at));
    }
    QTest::keyClicks(box, typed);
}

enum class Where { Start, Middle, End };

} // namespace

TEST(KeptTextBytes, EveryDialogWritingATextIsInTheTable)
{
    std::set<int> listed;
    for (const TextDialog &d : kDialogs)
        listed.insert(d.code);
    std::set<int> withText;
    for (int code = 0; code < 0x100; ++code)
        if (core::isValidCode(code) && core::hasEditDialog(code) &&
            core::defaultItemsNotation(code).contains(QStringLiteral("05:")))
            withText.insert(code);
    EXPECT_EQ(listed, withText);
}

TEST(KeptTextBytes, ACharacterTypedElsewhereLeavesEveryStoredByte)
{
    for (const TextDialog &dialog : kDialogs) {
        for (const StoredText &text : kTexts) {
            const QByteArray stored = hexBytes(text.hex);
            const qsizetype middle = stored.indexOf("mn") + 1;
            for (Where where : {Where::Start, Where::Middle, Where::End}) {
                SCOPED_TRACE(QStringLiteral("%1, %2, typed at %3")
                                 .arg(dialog.code, 2, 16, QLatin1Char('0'))
                                 .arg(QLatin1String(text.what))
                                 .arg(int(where))
                                 .toStdString());
                texttest::TextNode cmd(record(dialog, stored));
                const int enclosing = cmd.enclosingWord();
                cmd.edit([&](QDialog &d) {
                    QWidget *box = textBox(d);
                    ASSERT_NE(box, nullptr);
                    const QString shown = boxText(box);
                    const qsizetype at = where == Where::Start ? 0
                                         : where == Where::End ? shown.size()
                                                               : shown.indexOf(QStringLiteral("mn")) + 1;
                    typeAt(box, at, QStringLiteral("Z"));
                    ASSERT_EQ(boxText(box), QString(shown).insert(at, u'Z'));
                    enginetest::click(d, "cConfig");
                });
                const qsizetype typedAt = where == Where::Start ? 0 : where == Where::End ? stored.size() : middle;
                const QByteArray expected = stored.left(typedAt) + "Z" + stored.mid(typedAt);
                EXPECT_EQ(cmd.record().toStdString(), record(dialog, expected).toStdString());
                EXPECT_EQ(cmd.enclosingWord(), enclosing + 1);
                EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
            }
        }
    }
}

TEST(KeptTextBytes, AnUntouchedOkChangesNothing)
{
    for (const TextDialog &dialog : kDialogs) {
        for (const StoredText &text : kTexts) {
            SCOPED_TRACE(QStringLiteral("%1, %2").arg(dialog.code, 2, 16).arg(QLatin1String(text.what)).toStdString());
            const QString stored = record(dialog, hexBytes(text.hex));
            texttest::TextNode cmd(stored);
            const QString key = cmd.key();
            cmd.edit([](QDialog &d) { enginetest::click(d, "cConfig"); });
            EXPECT_EQ(cmd.key(), key);
            EXPECT_EQ(cmd.records, 0);
        }
    }
}

TEST(KeptTextBytes, TheNoteSaysWhatASaveDoesWithWhatCp949CannotHold)
{
    // A stored byte that is no character: kept; a typed Thai letter: "?".
    for (const TextDialog &dialog : kDialogs) {
        SCOPED_TRACE(dialog.code);
        texttest::TextNode cmd(record(dialog, hexBytes("41 E8 74")));
        cmd.edit([](QDialog &d) {
            auto *note = d.findChild<QLabel *>(QStringLiteral("lblEncoding"));
            ASSERT_NE(note, nullptr);
            EXPECT_FALSE(note->isHidden());
            EXPECT_TRUE(note->text().contains(QStringLiteral("저장된 그대로"))) << note->text().toStdString();
            EXPECT_FALSE(note->text().contains(u'?'));
            QWidget *box = textBox(d);
            // A Thai letter, pasted at the end (the test keyboard has none).
            typeAt(box, boxText(box).size(), QString());
            if (auto *rich = qobject_cast<QTextEdit *>(box))
                rich->insertPlainText(QStringLiteral("ก"));
            else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
                plain->insertPlainText(QStringLiteral("ก"));
            else
                qobject_cast<QLineEdit *>(box)->insert(QStringLiteral("ก"));
            EXPECT_TRUE(note->text().contains(QStringLiteral("'?'"))) << note->text().toStdString();
            typeAt(box, 0, QStringLiteral("x"));
            // Select the whole text and type over it: nothing stored is left.
            if (auto *rich = qobject_cast<QTextEdit *>(box))
                rich->selectAll();
            else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
                plain->selectAll();
            else
                qobject_cast<QLineEdit *>(box)->selectAll();
            QTest::keyClicks(box, QStringLiteral("ok"));
            EXPECT_TRUE(note->isHidden()) << note->text().toStdString();
            enginetest::click(d, "cCancel");
        });
    }
}
