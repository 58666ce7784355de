#pragma once
// Tests reach the main window's menu items by their control names, as the
// user's scripts and the settings know them; the program itself uses the
// window's Actions members.
#include "workspace/main_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace menutest {

inline QAction *findIn(const QList<QAction *> &items, const QString &name)
{
    for (QAction *a : items) {
        if (a->objectName() == name)
            return a;
        if (a->menu()) {
            if (QAction *inner = findIn(a->menu()->actions(), name))
                return inner;
        }
    }
    return nullptr;
}

// The item, separator or menu of the window's menu tree called `name`.
inline QAction *menuItem(const workspace::MainWindow &w, const char *name)
{
    QAction *a = findIn(w.menuBar()->actions(), QString::fromLatin1(name));
    if (!a)
        ADD_FAILURE() << "no menu item " << name;
    return a;
}

} // namespace menutest
