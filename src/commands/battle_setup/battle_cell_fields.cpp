#include "commands/battle_setup/battle_cell_fields.h"

#include "commands/common/dialog_engine.h"
#include "commands/common/map_button.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace commands {

QPushButton *addMapButton(EngineDialog &dialog, const MapButtonRow &row)
{
    QPushButton *button = makeMapButton(dialog, dialog.context(), row);
    auto *line = new QHBoxLayout;
    line->addStretch();
    line->addWidget(button);
    dialog.body()->addLayout(line);
    return button;
}

} // namespace commands
