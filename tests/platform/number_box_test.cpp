#include "platform/number_box.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using platform::NumberBox;

namespace {

// A dialog like the command dialogs: two number boxes, OK as the default
// button and Cancel.
struct Dialog {
    Dialog()
    {
        auto *layout = new QVBoxLayout(&dialog);
        first = new NumberBox(&dialog);
        first->setObjectName("tFirst");
        second = new NumberBox(&dialog);
        second->setObjectName("tSecond");
        ok = new QPushButton("OK", &dialog);
        ok->setObjectName("cConfig");
        ok->setDefault(true);
        cancel = new QPushButton("Cancel", &dialog);
        cancel->setObjectName("cCancel");
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
        for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(second),
                           static_cast<QWidget *>(ok), static_cast<QWidget *>(cancel)})
            layout->addWidget(w);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        (void)QTest::qWaitForWindowActive(&dialog);
    }
    void focus(QWidget *w)
    {
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    QDialog dialog;
    NumberBox *first;
    NumberBox *second;
    QPushButton *ok;
    QPushButton *cancel;
};

void pasteInto(NumberBox *box, const QString &text)
{
    QApplication::clipboard()->setText(text);
    box->paste();
}

void dropInto(NumberBox *box, const QString &text)
{
    QMimeData mime;
    mime.setText(text);
    QDropEvent drop(QPointF(box->width() - 2, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
}

TEST(NumberBox, RejectsWhatIsNotADigitTypedPastedOrDropped)
{
    Dialog d;
    d.focus(d.first);
    d.first->setText("5");
    d.first->end(false);
    for (const char *bad : {"-", "a", " ", "12a", "+3", "1.5", "１"}) {
        pasteInto(d.first, QString::fromUtf8(bad));
        EXPECT_EQ(d.first->text(), "5") << "pasted " << bad;
        dropInto(d.first, QString::fromUtf8(bad));
        EXPECT_EQ(d.first->text(), "5") << "dropped " << bad;
    }
    for (const char *bad : {"-", "a", " "}) {
        QTest::keyClicks(d.first, bad);
        EXPECT_EQ(d.first->text(), "5") << "typed " << bad;
    }
    // Typed one key at a time, the digits of "12a" go in and the letter not.
    QTest::keyClicks(d.first, "12a");
    EXPECT_EQ(d.first->text(), "512");
    pasteInto(d.first, "34");
    EXPECT_EQ(d.first->text(), "51234");
    QTest::keyClick(d.first, Qt::Key_Backspace);
    EXPECT_EQ(d.first->text(), "5123");
}

TEST(NumberBox, EnterAndEscReachTheDialogButtons)
{
    {
        Dialog d;
        d.focus(d.first);
        QTest::keyClicks(d.first, "7");
        QSignalSpy clicked(d.ok, &QPushButton::clicked);
        QTest::keyClick(d.first, Qt::Key_Return);
        EXPECT_EQ(clicked.count(), 1);
        EXPECT_EQ(d.dialog.result(), QDialog::Accepted);
    }
    {
        Dialog d;
        d.focus(d.first);
        d.first->clear(); // an empty box must not hold Enter back either
        QTest::keyClick(d.first, Qt::Key_Enter);
        EXPECT_EQ(d.dialog.result(), QDialog::Accepted);
    }
    {
        Dialog d;
        d.focus(d.second);
        QTest::keyClick(d.second, Qt::Key_Escape);
        EXPECT_EQ(d.dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(d.dialog.isVisible());
    }
}

TEST(NumberBox, AnEmptiedBoxShowsZeroWhenLeft)
{
    Dialog d;
    d.first->setText("42");
    d.focus(d.second);
    d.focus(d.first);
    EXPECT_EQ(d.first->selectedText(), "42");
    QTest::keyClick(d.first, Qt::Key_Delete);
    EXPECT_EQ(d.first->text(), "");
    d.focus(d.second);
    EXPECT_EQ(d.first->text(), "0");
    EXPECT_EQ(d.first->value(), 0);
}

TEST(NumberBox, AClickThatGivesTheFocusSelectsEverything)
{
    Dialog d;
    d.first->setText("1234");
    d.focus(d.second);
    QTest::mouseClick(d.first, Qt::LeftButton, {}, QPoint(3, d.first->height() / 2));
    ASSERT_TRUE(d.first->hasFocus());
    EXPECT_EQ(d.first->selectedText(), "1234");
    // A second click inside the focused box places the cursor as usual.
    QTest::mouseClick(d.first, Qt::LeftButton, {}, QPoint(3, d.first->height() / 2));
    EXPECT_EQ(d.first->selectedText(), "");
}

TEST(NumberBox, PlainTextBoxesCanSelectOnFocusToo)
{
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QLineEdit("이름", &dialog);
    auto *other = new QLineEdit(&dialog);
    layout->addWidget(text);
    layout->addWidget(other);
    platform::selectAllOnFocus(text);
    platform::selectAllOnFocus(text); // wiring twice is harmless
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    (void)QTest::qWaitForWindowActive(&dialog);
    other->setFocus();
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(3, text->height() / 2));
    ASSERT_TRUE(text->hasFocus());
    EXPECT_EQ(text->selectedText(), "이름");
    other->setFocus();
    text->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(text->selectedText(), "이름");
}

TEST(NumberBox, HexModeAndRange)
{
    Dialog d;
    d.first->setHexMode(true);
    d.focus(d.first);
    QTest::keyClicks(d.first, "1fg-");
    EXPECT_EQ(d.first->text(), "1F");
    EXPECT_EQ(d.first->value(), 0x1F);
    pasteInto(d.first, "0x2");
    EXPECT_EQ(d.first->text(), "1F");

    d.second->setRange(1, 255);
    d.focus(d.second);
    QTest::keyClicks(d.second, "999");
    d.focus(d.first);
    EXPECT_EQ(d.second->text(), "255");
    d.second->clear();
    d.focus(d.second);
    d.focus(d.first);
    EXPECT_EQ(d.second->text(), "1"); // "0" pulled up to the range

    d.second->clearRange();
    d.second->setValue(123456);
    EXPECT_EQ(d.second->value(), 123456);
}

TEST(NumberBox, TakesNoInputMethodComposition)
{
    NumberBox box;
    EXPECT_FALSE(box.testAttribute(Qt::WA_InputMethodEnabled));
}

TEST(NumberBoxHandlers, FilterDigitKeyKeepsDigitsAndBackspaceOnly)
{
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(platform::filterDigitKey(c), (c >= '0' && c <= '9') || c == 8) << c;
}

TEST(NumberBoxHandlers, ZeroIfEmptyAndSelectAllOnAPlainLineEdit)
{
    QLineEdit box;
    platform::zeroIfEmpty(&box);
    EXPECT_EQ(box.text(), "0");
    box.setText("-");
    platform::zeroIfEmpty(&box);
    EXPECT_EQ(box.text(), "-");
    platform::selectAllText(&box);
    EXPECT_EQ(box.selectedText(), "-");
    platform::zeroIfEmpty(nullptr);
}

} // namespace
