#include "platform/window_helpers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QWidget>

#include <algorithm>

namespace platform {

void SetTransparent(QWidget *widget, int alpha)
{
    if (!widget)
        return;
    widget->window()->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
}

void SetComboDropHeight(QComboBox *combo)
{
    if (!combo)
        return;
    // The list's height counts from the box's top, as the drop-down of a
    // combo window did: the rows below the edit part fill the rest.
    int row = combo->view() ? combo->view()->sizeHintForRow(0) : -1;
    if (row <= 0)
        row = combo->fontMetrics().height() + 4;
    const int room = kComboDropHeight - combo->sizeHint().height();
    combo->setMaxVisibleItems(std::max(1, room / row));
}

} // namespace platform
