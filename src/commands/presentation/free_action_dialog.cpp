#include "commands/presentation/free_action_dialog.h"

#include "commands/presentation/presentation_dialogs.h"
#include "workspace/dialog_registry.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace commands {

FreeActionDialog::FreeActionDialog(workspace::EditContext &ctx) : CommandDialog(ctx, kCode)
{
    setObjectName(QStringLiteral("FrmR28"));
    setWindowTitle(QStringLiteral("Form1"));

    auto *row = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Case"), this);
    label->setObjectName(QStringLiteral("Label1"));
    m_num = new QLineEdit(this);
    m_num->setObjectName(QStringLiteral("tNum"));
    row->addWidget(label);
    row->addWidget(m_num);
    body()->addLayout(row);
}

void FreeActionDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc presses "취소", which does nothing; the close box still closes.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelButton()->click();
        event->accept();
        return;
    }
    CommandDialog::keyPressEvent(event);
}

void registerFreeActionDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(FreeActionDialog::kCode, QStringLiteral("FrmR28"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            return std::make_unique<FreeActionDialog>(ctx);
        });
}

} // namespace commands
