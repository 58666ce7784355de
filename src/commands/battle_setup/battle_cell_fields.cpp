#include "commands/battle_setup/battle_cell_fields.h"

#include "commands/common/map_button.h"
#include "commands/flow/sentence_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace commands {

QPushButton *addCellRow(SentenceDialog &dialog, int row, int x, int y, const MapButtonRow &map)
{
    QHBoxLayout *line = dialog.row(row);
    if (QLabel *open = dialog.label(x)) {
        open->setObjectName(QStringLiteral("Label2"));
        open->setText(QStringLiteral("좌표 : ("));
    }
    if (QLabel *comma = dialog.label(y)) {
        comma->setObjectName(QString());
        comma->setText(QStringLiteral(","));
    }
    int at = line->indexOf(dialog.place(y)) + 1;
    line->insertWidget(at++, new QLabel(QStringLiteral(")"), &dialog));
    QPushButton *button = makeMapButton(dialog, dialog.context(), map);
    line->insertWidget(at, button);
    return button;
}

} // namespace commands
