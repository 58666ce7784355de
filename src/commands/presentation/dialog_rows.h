#pragma once
// Layout of the presentation dialogs that are not on the engine: a label
// and its control on one row.
#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

namespace commands {

inline QLabel *addLabelledRow(QBoxLayout *body, QWidget *owner, const char *labelName, const QString &text,
                              QWidget *control)
{
    auto *row = new QHBoxLayout;
    auto *label = new QLabel(text, owner);
    label->setObjectName(QString::fromLatin1(labelName));
    label->setBuddy(control);
    row->addWidget(label);
    row->addWidget(control, 1);
    body->addLayout(row);
    return label;
}

} // namespace commands
