#include "commands/flow/sentence_row.h"

#include "commands/common/command_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace commands {

namespace {

// Takes `widget` out of `layout` or any layout nested in it.
bool takeFrom(QLayout *layout, QWidget *widget)
{
    if (!layout)
        return false;
    if (layout->indexOf(widget) >= 0) {
        layout->removeWidget(widget);
        return true;
    }
    for (int i = 0; i < layout->count(); ++i)
        if (takeFrom(layout->itemAt(i)->layout(), widget))
            return true;
    return false;
}

// Drops layouts that were left without any item.
void dropEmpty(QLayout *layout)
{
    for (int i = layout->count() - 1; i >= 0; --i) {
        QLayout *child = layout->itemAt(i)->layout();
        if (!child)
            continue;
        dropEmpty(child);
        if (child->count() == 0)
            delete layout->takeAt(i);
    }
}

} // namespace

QLabel *labelOf(const QWidget *control)
{
    const QWidget *window = control ? control->window() : nullptr;
    if (!window)
        return nullptr;
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}

QHBoxLayout *addSentenceRow(CommandDialog &dialog, const QList<QWidget *> &controls)
{
    auto *row = new QHBoxLayout;
    for (QWidget *control : controls) {
        if (QLabel *label = labelOf(control)) {
            takeFrom(dialog.layout(), label);
            row->addWidget(label);
        }
        takeFrom(dialog.layout(), control);
        row->addWidget(control);
    }
    row->addStretch();
    dropEmpty(dialog.body());
    dialog.body()->addLayout(row);
    return row;
}

} // namespace commands
