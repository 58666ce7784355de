// The dialogs of the text commands, worked through the edit dispatch.
#include "commands/common/character_picker.h"
#include "commands/text/markup_text_box.h"
#include "commands/text/text_previews.h"
#include "commands/common/dialogue_pages.h"
#include "core/key_codec.h"
#include "text_dialog_support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QToolBar>

#include <gtest/gtest.h>

using texttest::TextNode;
using texttest::textBox;

namespace {

QString textRecord(const char *code, const QString &text)
{
    return QString::fromLatin1(code) + QStringLiteral("0500") + core::wAscii(text) + QStringLiteral("00");
}

// Types the text, a line feed as the Enter key.
void typeLines(QWidget *box, const QString &text)
{
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, lines[i]);
    }
}

void typeAtEnd(QTextEdit *box, const QString &text)
{
    QTextCursor c = box->textCursor();
    c.movePosition(QTextCursor::End);
    box->setTextCursor(c);
    typeLines(box, text);
}

void paint(QDialog &d, int start, int length, const char *button)
{
    QTextEdit *box = textBox(d);
    QTextCursor c = box->textCursor();
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    box->setTextCursor(c);
    d.findChild<QToolBar *>(QStringLiteral("Toolbar1"))->findChild<QAction *>(QLatin1String(button))->trigger();
}

QAction *previewItem(QDialog &d)
{
    return d.findChild<QAction *>(QStringLiteral("mnuview"));
}

// Counts preview openings instead of showing them.
struct FakePreview
{
    int opened = 0;
    workspace::ScopedDialogOverride over;
    explicit FakePreview(const QString &tool)
        : over(tool, [this](workspace::EditContext &) -> std::unique_ptr<QDialog> {
              ++opened;
              return nullptr;
          })
    {
    }
};

} // namespace

// --- the shared text dialog ---------------------------------------------------

TEST(SharedTextDialog, DialogueLoadsRunsAsColouredWordsAndStoresThemBack)
{
    TextNode cmd(textRecord("1400", QStringLiteral("abc[C28def]ghi\nnext")));
    const QString key = cmd.key();
    const int word = cmd.enclosingWord();
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 14 : 대화"));
        EXPECT_EQ(d.objectName(), QStringLiteral("FrmString"));
        EXPECT_EQ(commands::boxPlainText(textBox(d)), QStringLiteral("abcdefghi\r\nnext"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.key(), key);
    EXPECT_EQ(cmd.enclosingWord(), word);
    EXPECT_EQ(cmd.records, 0);
}

TEST(SharedTextDialog, OtherCommandsShowMarkupAsCharacters)
{
    TextNode cmd(textRecord("1700", QStringLiteral("x[C28y]")));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 17 : 장소명"));
        EXPECT_EQ(commands::boxPlainText(textBox(d)), QStringLiteral("x[C28y]"));
        typeAtEnd(textBox(d), QStringLiteral("z"));
        paint(d, 7, 1, "Red");
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), textRecord("1700", QStringLiteral("x[C28y][C28z]")));
}

TEST(SharedTextDialog, TextChangesPassTheLengthChangeOutward)
{
    TextNode cmd(textRecord("1600", QStringLiteral("ab")));
    ASSERT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
    const int word = cmd.enclosingWord();
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        typeAtEnd(textBox(d), QStringLiteral("\nc"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), textRecord("1600", QStringLiteral("ab\nc")));
    EXPECT_EQ(cmd.enclosingWord(), word + 2);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
    EXPECT_EQ(cmd.text(), QStringLiteral("16 : 정보 ab\\nc"));

    // A red word adds its five mark-up characters.
    TextNode red(textRecord("1400", QStringLiteral("ab")));
    const int before = red.enclosingWord();
    EXPECT_TRUE(red.edit([](QDialog &d) {
        paint(d, 0, 1, "Red");
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(red.record(), textRecord("1400", QStringLiteral("[C28a]b")));
    EXPECT_EQ(red.enclosingWord(), before + 5);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(red.tree));
}

TEST(SharedTextDialog, CommentWithChildrenKeepsItsNestedWord)
{
    TextNode cmd(textRecord("0200", QStringLiteral("note")), true);
    ASSERT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(commands::boxPlainText(textBox(d)), QStringLiteral("note"));
        typeAtEnd(textBox(d), QStringLiteral("s"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), textRecord("0200", QStringLiteral("notes")) + QStringLiteral("0400"));
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
}

TEST(SharedTextDialog, ABackslashNShowsAsTypedAndStaysThroughAnEdit)
{
    TextNode cmd(textRecord("1800", QStringLiteral("a")));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        typeAtEnd(textBox(d), QStringLiteral("\\nb"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), textRecord("1800", QStringLiteral("a\\nb")));
    // The box reads the text from the key: the caption's "\n" stands for a
    // line break, the stored bytes 5C 6E are a backslash and an n, and stay
    // so when something else in the text changes.
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(commands::boxPlainText(textBox(d)), QStringLiteral("a\\nb"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), textRecord("1800", QStringLiteral("a\\nb")));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        typeAtEnd(textBox(d), QStringLiteral("c"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), textRecord("1800", QStringLiteral("a\\nbc")));
}

TEST(SharedTextDialog, CancelChangesNothing)
{
    TextNode cmd(textRecord("6900", QStringLiteral("aside")));
    const QString key = cmd.key(), caption = cmd.text();
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        typeAtEnd(textBox(d), QStringLiteral("zzz"));
        enginetest::click(d, "cCancel");
    }));
    EXPECT_EQ(cmd.key(), key);
    EXPECT_EQ(cmd.text(), caption);
}

TEST(SharedTextDialog, PreviewsDialogueAndInformationOnly)
{
    struct Case { const char *code; const char *tool; };
    const Case cases[] = {{"1400", "FrmTalkView"}, {"1600", "FrmExplanation"}, {"0200", nullptr},
                          {"1900", nullptr}, {"6900", nullptr}};
    for (const Case &c : cases) {
        FakePreview talk(commands::kTalkViewTool), info(commands::kExplanationTool);
        TextNode cmd(textRecord(c.code, QStringLiteral("one\ntwo")));
        cmd.edit([](QDialog &d) {
            previewItem(d)->trigger();
            textBox(d)->clear();
            previewItem(d)->trigger();   // an empty box shows nothing
        });
        const QString tool = c.tool ? QString::fromLatin1(c.tool) : QString();
        EXPECT_EQ(talk.opened, tool == commands::kTalkViewTool ? 1 : 0) << c.code;
        EXPECT_EQ(info.opened, tool == commands::kExplanationTool ? 1 : 0) << c.code;
        if (tool == commands::kExplanationTool) {
            EXPECT_EQ(commands::sharedDialoguePages().dialogueLines,
                      (QStringList{QStringLiteral("one\r\n"), QStringLiteral("two\r\n")}));
        }
    }
}

// --- the second dialogue ------------------------------------------------------

namespace {

QString talkRecord(int speaker, int standIn, const QString &text)
{
    return QStringLiteral("15000200") + core::longToHex(speaker, 2) + QStringLiteral("0200") +
           core::longToHex(standIn, 2) + QStringLiteral("0500") + core::wAscii(text) + QStringLiteral("00");
}

} // namespace

TEST(DialogueDialog, LoadsBothPersonsAndStoresThemUnchanged)
{
    TextNode cmd(talkRecord(0xFFFF, 0xFFFB, QStringLiteral("ab\ncd")));
    const QString key = cmd.key();
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 15 : 대화2"));
        EXPECT_EQ(d.findChild<QComboBox *>("cbChar0")->currentText(), QStringLiteral("無"));
        EXPECT_EQ(d.findChild<QComboBox *>("cbChar1")->currentText(), QStringLiteral("*3"));
        EXPECT_EQ(commands::boxPlainText(textBox(d)), QStringLiteral("ab\r\ncd"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.key(), key);
    EXPECT_TRUE(cmd.record().endsWith(QStringLiteral("61620A636400")));
}

TEST(DialogueDialog, PersonsTextAndLengthChange)
{
    TextNode cmd(talkRecord(0xFFFF, 0xFFFF, QStringLiteral("ab")));
    const int word = cmd.enclosingWord();
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        auto *num0 = d.findChild<QLineEdit *>("tNum0");
        num0->setText(QStringLiteral("5"));
        typeAtEnd(textBox(d), QStringLiteral("\nc"));
        paint(d, 0, 2, "Red");
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), talkRecord(5, 0xFFFF, QStringLiteral("[C28ab]\nc")));
    EXPECT_EQ(cmd.enclosingWord(), word + 7);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
}

TEST(DialogueDialog, PreviewFillsTheSpeakersPage)
{
    FakePreview talk(commands::kTalkViewTool);
    TextNode cmd(talkRecord(2000, 0xFFFF, QStringLiteral("hi")));
    cmd.edit([](QDialog &d) { previewItem(d)->trigger(); });
    EXPECT_EQ(talk.opened, 1);
    const commands::DialoguePages &p = commands::sharedDialoguePages();
    EXPECT_EQ(p.pageCount(), 1);
    EXPECT_EQ(p.pageLines(0), QStringList{QStringLiteral("hi\r\n")});
}

// --- the choice ---------------------------------------------------------------

namespace {

QString choiceRecord(const QString &text, int speaker)
{
    return QStringLiteral("12000500") + core::wAscii(text) + QStringLiteral("000200") + core::longToHex(speaker, 2);
}

} // namespace

TEST(ChoiceDialog, NewChoiceAndThePreviewItem)
{
    TextNode cmd(choiceRecord(QString(), 0xFFFF));
    cmd.settings.insert(QStringLiteral("Folder/Path"), QStringLiteral("/game"));
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.findChild<QComboBox *>("cbChar")->currentText(), QStringLiteral("無"));
        QAction *view = previewItem(d);
        EXPECT_TRUE(view->isVisible());
        EXPECT_FALSE(view->isEnabled());
        typeAtEnd(textBox(d), QStringLiteral("a"));
        EXPECT_TRUE(view->isEnabled());
        textBox(d)->clear();
        EXPECT_FALSE(view->isEnabled());
        enginetest::click(d, "cConfig");
    }));
    // Without a game folder there is no preview item.
    TextNode bare(choiceRecord(QStringLiteral("a"), 0xFFFF));
    bare.edit([](QDialog &d) { EXPECT_FALSE(previewItem(d)->isVisible()); });
}

TEST(ChoiceDialog, StoresLinesAndSpeaker)
{
    TextNode cmd(choiceRecord(QString(), 0xFFFF));
    const int word = cmd.enclosingWord();
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        textBox(d)->insertPlainText(QStringLiteral("가\nB"));
        d.findChild<QLineEdit *>("tNum")->setText(QStringLiteral("7"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), QStringLiteral("12000500B0A10A42000200") + core::longToHex(7, 2));
    EXPECT_EQ(cmd.enclosingWord(), word + 4);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
}

TEST(ChoiceDialog, WithChildrenOnlyTextAndSpeakerChange)
{
    TextNode cmd(choiceRecord(QStringLiteral("A\nB"), 3), true);
    ASSERT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.findChild<QLineEdit *>("tNum")->text(), QStringLiteral("3"));
        typeAtEnd(textBox(d), QStringLiteral("\nC"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), choiceRecord(QStringLiteral("A\nB\nC"), 3) + QStringLiteral("0400"));
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));

    // Removing a line break alone passes -1.
    TextNode shorter(choiceRecord(QStringLiteral("A\nB"), 3));
    const int word = shorter.enclosingWord();
    EXPECT_TRUE(shorter.edit([](QDialog &d) {
        commands::setMarkupBoxText(textBox(d), QStringLiteral("AB"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(shorter.enclosingWord(), word - 1);
}

TEST(ChoiceDialog, EnterInTheNumberBoxConfirms)
{
    TextNode cmd(choiceRecord(QStringLiteral("a"), 0xFFFF));
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        auto *num = d.findChild<QLineEdit *>("tNum");
        num->setText(QStringLiteral("4"));
        QTest::keyClick(num, Qt::Key_Return);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }));
    EXPECT_EQ(cmd.record(), choiceRecord(QStringLiteral("a"), 4));
}

TEST(ChoiceDialog, PreviewNumbersTheLines)
{
    FakePreview view(commands::kSelectViewTool);
    TextNode cmd(choiceRecord(QStringLiteral("yes\n[C28no]"), 0xFFFE));
    cmd.settings.insert(QStringLiteral("Folder/Path"), QStringLiteral("/game"));
    cmd.edit([](QDialog &d) { previewItem(d)->trigger(); });
    EXPECT_EQ(view.opened, 1);
    EXPECT_EQ(commands::sharedDialoguePages().choiceLines,
              (QStringList{QStringLiteral("1.yes"), QStringLiteral("2.[C28no]")}));
    EXPECT_EQ(commands::sharedDialoguePages().pageFace.value(0), 0);
}

// --- the map text -------------------------------------------------------------

namespace {

QString mapTextRecord(const QString &text, int a, int b, int c)
{
    return QStringLiteral("2C000500") + core::wAscii(text) + QStringLiteral("00") + QStringLiteral("2600") +
           core::longToHex(a, 2) + QStringLiteral("2600") + core::longToHex(b, 2) + QStringLiteral("2600") +
           core::longToHex(c, 2);
}

} // namespace

TEST(MapTextDialog, TextFlagsAndLength)
{
    TextNode cmd(mapTextRecord(QStringLiteral("A\nB"), 2, 0, 0));
    const QString key = cmd.key();
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("수정 - 2C : 지도글자보기"));
        EXPECT_FALSE(d.findChild<QCheckBox *>("ckNew")->isChecked());   // 2 loads as unchecked
        EXPECT_EQ(d.findChild<QPlainTextEdit *>("tString")->toPlainText(), QStringLiteral("A\nB"));
        enginetest::click(d, "cCancel");
    }));
    EXPECT_EQ(cmd.key(), key);

    const int word = cmd.enclosingWord();
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        auto *box = d.findChild<QPlainTextEdit *>("tString");
        box->moveCursor(QTextCursor::End);
        typeLines(box, QStringLiteral("\nC"));
        d.findChild<QCheckBox *>("ckDelay")->setChecked(true);
        enginetest::click(d, "cConfig");
    }));
    // The untouched flag keeps its stored 2.
    EXPECT_EQ(cmd.record(), mapTextRecord(QStringLiteral("A\nB\nC"), 2, 0, 1));
    EXPECT_TRUE(cmd.record().endsWith(QStringLiteral("260002002600000026000100")));
    EXPECT_EQ(cmd.enclosingWord(), word + 2);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
}

TEST(MapTextDialog, UnchangedTextDoesNotTouchTheLists)
{
    TextNode cmd(mapTextRecord(QStringLiteral("A\nB"), 1, 1, 0));
    const int word = cmd.enclosingWord();
    EXPECT_FALSE(cmd.edit([](QDialog &d) {
        EXPECT_TRUE(d.findChild<QCheckBox *>("ckNew")->isChecked());
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.enclosingWord(), word);
    EXPECT_TRUE(cmd.text().contains(QStringLiteral("새로덮음")));
}

// --- the previews opened from the dialogs ---------------------------------------

#include "commands/common/typing_wait.h"
#include "commands/text/information_preview.h"
#include "commands/text/dialogue_preview.h"

TEST(TextPreviews, InformationPreviewsAsTextPagesOfFourRows)
{
    commands::ScopedInstantTyping instant;
    TextNode cmd(textRecord("1600", QStringLiteral("1\n2\n3\n4\n5")));
    QStringList firstPage, secondPage;
    bool closed = false;
    cmd.edit([&](QDialog &d) {
        workspace::ScopedDialogRunner inner([&](QDialog &preview, workspace::EditContext &) {
            auto &view = dynamic_cast<commands::InformationPreview &>(preview);
            view.show();
            view.activate();
            firstPage = view.state().rowsDrawn;
            view.click();
            secondPage = view.state().rowsDrawn;
            view.click();
            closed = !view.isVisible();
        });
        previewItem(d)->trigger();
        enginetest::click(d, "cCancel");
    });
    EXPECT_EQ(firstPage, (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(secondPage, QStringList{"5"});
    EXPECT_TRUE(closed);
}

TEST(TextPreviews, DialoguePreviewShowsTheCutPages)
{
    commands::ScopedInstantTyping instant;
    TextNode cmd(textRecord("1400", QStringLiteral("Hello\n&nobody\nHi")));
    QStringList rows;
    cmd.edit([&](QDialog &d) {
        workspace::ScopedDialogRunner inner([&](QDialog &preview, workspace::EditContext &) {
            auto &view = dynamic_cast<commands::DialoguePreview &>(preview);
            view.show();
            view.activate();
            rows += view.state().rowsDrawn;
            view.click();
            rows += view.state().rowsDrawn;
            EXPECT_FALSE(view.talkShown());   // "nobody" is no person: narration
            view.click();
        });
        previewItem(d)->trigger();
        enginetest::click(d, "cCancel");
    });
    EXPECT_EQ(rows, (QStringList{"Hello", "Hi"}));
}

TEST(TextDialogs, CancelLeavesEveryCommandAsItWas)
{
    const QString records[] = {
        textRecord("1400", QStringLiteral("a[C28b]")),
        talkRecord(3, 0xFFFF, QStringLiteral("x\ny")),
        choiceRecord(QStringLiteral("yes\nno"), 2),
        mapTextRecord(QStringLiteral("map"), 1, 0, 1),
    };
    for (const QString &record : records) {
        TextNode cmd(record);
        const QString key = cmd.key(), caption = cmd.text();
        const int word = cmd.enclosingWord();
        EXPECT_FALSE(cmd.edit([](QDialog &d) {
            if (QTextEdit *box = textBox(d))
                box->insertPlainText(QStringLiteral("more\nlines"));
            else
                d.findChild<QPlainTextEdit *>("tString")->insertPlainText(QStringLiteral("more"));
            for (QCheckBox *c : d.findChildren<QCheckBox *>())
                c->toggle();
            enginetest::click(d, "cCancel");
        })) << record.toStdString();
        EXPECT_EQ(cmd.key(), key);
        EXPECT_EQ(cmd.text(), caption);
        EXPECT_EQ(cmd.enclosingWord(), word);
        EXPECT_EQ(cmd.records, 0);
    }
}

TEST(SharedTextDialog, HangulCountsTwoBytesACharacter)
{
    TextNode cmd(textRecord("1900", QStringLiteral("적장")));
    const int word = cmd.enclosingWord();
    EXPECT_TRUE(cmd.edit([](QDialog &d) {
        EXPECT_EQ(commands::boxPlainText(textBox(d)), QStringLiteral("적장"));
        QTextCursor c = textBox(d)->textCursor();
        c.movePosition(QTextCursor::End);
        textBox(d)->setTextCursor(c);
        textBox(d)->insertPlainText(QStringLiteral(" 격파"));
        enginetest::click(d, "cConfig");
    }));
    EXPECT_EQ(cmd.record(), textRecord("1900", QStringLiteral("적장 격파")));
    EXPECT_EQ(cmd.enclosingWord(), word + 5);
    EXPECT_TRUE(fixtures::nestedLengthsConsistent(cmd.tree));
}
