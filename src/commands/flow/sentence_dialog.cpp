#include "commands/flow/sentence_dialog.h"

#include "commands/common/character_picker.h"
#include "commands/flow/sentence_row.h"

#include <QLabel>
#include <QList>

namespace commands {

SentenceDialog::SentenceDialog(workspace::EditContext &ctx, const DialogDescription &description,
                               const FieldLayout &layout)
    : EngineDialog(ctx, description)
{
    for (const LabelName &l : layout.labels)
        if (QLabel *named = label(l.field))
            named->setObjectName(QString::fromLatin1(l.name));

    QList<QWidget *> row;
    const std::span<const int> rows = layout.rows;
    for (std::size_t i = 0; i <= rows.size(); ++i) {
        if (i == rows.size() || rows[i] == kRowBreak) {
            if (!row.isEmpty())
                m_rows.push_back(addSentenceRow(*this, row));
            row.clear();
        } else {
            row.append(place(rows[i]));
        }
    }
}

QWidget *SentenceDialog::place(int field) const
{
    const FieldSpec &spec = description().fields[std::size_t(field)];
    if (spec.kind == FieldKind::Person && picker())
        return picker()->elementWidget(spec.element);
    return control(field);
}

QLabel *SentenceDialog::label(int field) const
{
    return labelOf(place(field));
}

void registerSentenceDialog(workspace::DialogRegistry &registry, const DialogDescription &description,
                            const FieldLayout &layout)
{
    registerEngineDialogAs<SentenceDialog>(registry, description, &description, &layout);
}

} // namespace commands
