#include "platform/window_helpers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QListView>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// Height of the list's rows, counted until `enough` is passed.
int rowsHeight(const QComboBox *combo, int enough)
{
    const QAbstractItemView *view = combo->view();
    const auto *list = qobject_cast<const QListView *>(view);
    const int spacing = list ? 2 * list->spacing() : 0;
    int total = 0;
    for (int row = 0; row < combo->count() && total <= enough; ++row) {
        if (list && list->isRowHidden(row))
            continue;
        total += std::max(0, view->sizeHintForRow(row)) + spacing;
    }
    return total;
}

// The open list of a combo box is a window of its own, a child of the box
// that holds the box's view.
QComboBox *comboOfPopup(QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto *popup = static_cast<QWidget *>(object);
    if (!popup->isWindow())
        return nullptr;
    auto *combo = qobject_cast<QComboBox *>(popup->parentWidget());
    if (!combo || !combo->view() || !popup->isAncestorOf(combo->view()))
        return nullptr;
    return combo;
}

class DropDownHeightLimit final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Qt sets the list's place and size just before showing it, and
        // brings the current item into view just after.
        if (event->type() == QEvent::Show)
            if (QComboBox *combo = comboOfPopup(watched))
                limitDropDownHeight(combo, static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

void setTransparent(QWidget *widget, int alpha)
{
    if (!widget)
        return;
    widget->window()->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
}

void limitDropDownHeight(QComboBox *combo, QWidget *popup)
{
    if (!combo || !popup || !combo->view())
        return;
    const int limit = std::max(1, kComboDropHeight - combo->height());
    const int shown = combo->view()->viewport()->height();
    const int hidden = rowsHeight(combo, shown + limit) - shown;
    int target = popup->height();
    if (target > limit)
        target = limit;
    else if (hidden > 0)
        target = std::min(limit, target + hidden);
    if (target == popup->height())
        return;

    const QRect box(combo->mapToGlobal(QPoint(0, 0)), combo->size());
    const QScreen *screen = combo->screen();
    QRect place = popup->geometry();
    place.setHeight(target);
    const QRect room = screen ? screen->availableGeometry() : QRect();
    if (!screen || box.bottom() + target <= room.bottom())
        place.moveTop(box.bottom() + 1);
    else if (box.top() - target >= room.top())
        place.moveBottom(box.top() - 1);
    else
        place.moveTop(std::max(room.top(), room.bottom() + 1 - target));
    popup->setGeometry(place);
}

void installDropDownHeightLimit(QApplication &app)
{
    static const char *const kInstalled = "storyloomDropDownHeightLimit";
    if (app.property(kInstalled).toBool())
        return;
    app.setProperty(kInstalled, true);
    app.installEventFilter(new DropDownHeightLimit(&app));
}

} // namespace platform
