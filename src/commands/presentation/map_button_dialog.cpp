#include "commands/presentation/map_button_dialog.h"

#include "commands/common/character_picker.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace commands {

MapButtonDialog::MapButtonDialog(workspace::EditContext &ctx, const DialogDescription &description,
                                 const MapButtonRow &row)
    : EngineDialog(ctx, description)
{
    // A face of no person chosen is the empty person.
    m_button = makeMapButton(*this, ctx, row, [this] { return picker() ? picker()->value(0) : 0xFFFF; });
    if (placeBesideCoordinates(m_button))
        return;
    auto *line = new QHBoxLayout;
    line->addStretch();
    line->addWidget(m_button);
    body()->addLayout(line);
}

void registerMapButtonDialog(workspace::DialogRegistry &registry, const DialogDescription &description,
                             const MapButtonRow &row)
{
    registerEngineDialogAs<MapButtonDialog>(registry, description, &description, &row);
}

} // namespace commands
