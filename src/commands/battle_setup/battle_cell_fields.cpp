#include "commands/battle_setup/battle_cell_fields.h"

#include "commands/common/dialog_engine.h"
#include "commands/common/number_field.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace commands {

QPushButton *addMapButton(EngineDialog &dialog, std::function<void()> onClick)
{
    auto *button = new QPushButton(QStringLiteral("Map"), &dialog);
    button->setObjectName(QStringLiteral("cMap1"));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, &dialog, std::move(onClick));
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    dialog.body()->addLayout(row);
    return button;
}

} // namespace commands
