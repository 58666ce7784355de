#pragma once
// Small window and control helpers shared by the dialogs.
#include <QtGlobal>

class QApplication;
class QComboBox;
class QWidget;

namespace platform {

// Opacity of the widget's window: 0 clear to 255 opaque. The find and
// replace windows use 128 while inactive and 255 while active.
void setTransparent(QWidget *widget, int alpha);

// How tall a combo box and its open drop-down list are together, in pixels.
constexpr int kComboDropHeight = 450;

// Makes every drop-down list of the program open so that the box and its
// list are kComboDropHeight pixels tall together, or shorter when the list
// has fewer items: below the box, or above it when the screen has no room
// below. Works on the opened list itself, so it holds for lists that cannot
// be typed into too (whose styles ignore the box's count of visible items).
// Called once at start-up; later calls do nothing.
void installDropDownHeightLimit(QApplication &app);

// The same for one open list: `popup` is the window holding the box's list.
// Lets the list grow (up to the limit) when it hides items, shrinks it when
// it is taller, and leaves it alone otherwise.
void limitDropDownHeight(QComboBox *combo, QWidget *popup);

// `a` when `cond` holds, else `b`; both are evaluated by the caller.
constexpr qint32 iifLong(bool cond, qint32 a, qint32 b) { return cond ? a : b; }

} // namespace platform
