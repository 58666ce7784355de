#include "commands/presentation/frm_free_action28.h"

#include "commands/presentation/presentation_dialogs.h"
#include "workspace/dialog_registry.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace commands {

FrmR28::FrmR28(workspace::EditContext &ctx) : CommandDialog(ctx, kCode)
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

void FrmR28::keyPressEvent(QKeyEvent *event)
{
    // Esc presses "취소", which does nothing; the close box still closes.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelButton()->click();
        event->accept();
        return;
    }
    CommandDialog::keyPressEvent(event);
}

void registerFrmFreeAction28(workspace::DialogRegistry &registry)
{
    registry.registerDialog(FrmR28::kCode, QStringLiteral("FrmR28"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            return std::make_unique<FrmR28>(ctx);
        });
}

} // namespace commands
