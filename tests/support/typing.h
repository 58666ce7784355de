#pragma once
// Typing into a widget as a keyboard does, for the GUI tests that work the
// dialogs as a user would.
#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QTest>
#include <QWidget>

namespace testsupport {

// Key by key: Hangul as the text of a key press, a line feed as Return.
// Stops when the widget closes (Return may confirm its dialog).
inline void typeText(QWidget *box, const QString &text)
{
    for (QChar c : text) {
        if (c == u'\n') {
            QTest::keyClick(box, Qt::Key_Return);
        } else if (c.unicode() < 128) {
            QTest::keyClick(box, char(c.unicode()));
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
            QApplication::sendEvent(box, &release);
        }
        if (!box->isVisible())
            return;
    }
}

} // namespace testsupport
