#pragma once
// Small window and control helpers shared by the dialogs.
#include <QtGlobal>

class QComboBox;
class QWidget;

namespace platform {

// Opacity of the widget's window: 0 clear to 255 opaque. The find and
// replace windows use 128 while inactive and 255 while active.
void SetTransparent(QWidget *widget, int alpha);

// Height the drop-down lists of the dialogs open to, in pixels.
constexpr int kComboDropHeight = 450;
// Lets the combo box's list open about kComboDropHeight pixels tall (as many
// rows as fit) instead of the style's short default.
void SetComboDropHeight(QComboBox *combo);

// `a` when `cond` holds, else `b`; both are evaluated by the caller.
constexpr qint32 IIfLong(bool cond, qint32 a, qint32 b) { return cond ? a : b; }

} // namespace platform
