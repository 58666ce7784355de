#pragma once
// A pointer move delivered straight to a widget, as the window system sends
// it. QTest::mouseMove on a widget only sets the cursor position, which
// reports nothing when an earlier test left the pointer on the same spot, so
// a test using it would depend on the tests run before it.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace testsupport {

inline void hover(QWidget *widget, QPoint pos, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace testsupport
