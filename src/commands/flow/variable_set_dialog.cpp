#include "commands/flow/variable_set_dialog.h"

#include "commands/flow/flow_dialogs.h"
#include "commands/common/list_sources.h"
#include "commands/common/number_field.h"
#include "commands/common/placeholder_item.h"
#include "workspace/dialog_registry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace commands::flow {

VariableSetDialog::VariableSetDialog(workspace::EditContext &ctx) : CommandDialog(ctx, kVariableSetCode)
{
    setObjectName(QStringLiteral("FrmVarSetB"));
    setWindowTitle(QStringLiteral("수정 - B : 변량설정"));

    m_number = new NumberField(NumberKind::Unclamped, this);
    m_number->setObjectName(QStringLiteral("tNum"));
    m_value = new QComboBox(this);
    m_value->setObjectName(QStringLiteral("cbTF"));
    m_value->addItems({QStringLiteral("False"), QStringLiteral("True")});

    auto *grid = new QGridLayout;
    auto *label1 = new QLabel(QStringLiteral("변량"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    auto *label2 = new QLabel(QStringLiteral("TF"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label1->setBuddy(m_number);
    label2->setBuddy(m_value);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(m_number, 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(m_value, 1, 1);
    body()->addLayout(grid);

    // As stored, like every number box; the bound applies to what is typed.
    m_number->load(field(kSetVariablePos, 4));
    connect(m_number, &QLineEdit::textChanged, this, [this] { bound(); });
    // A stored value other than 0 and 1 has no item: it reads as the
    // caption's "False" with its number and is kept until the user picks
    // False or True.
    const int stored = field(kSetValuePos, 2) & 0xFFFF;
    if (stored > 1) {
        m_value->addItem(placeholderText(captionWordAt(ctx, key(), kSetValuePos), stored,
                                         {QStringLiteral("False"), QStringLiteral("True")}));
        m_kept = stored;
        m_value->setCurrentIndex(2);
    } else {
        m_value->setCurrentIndex(stored);
    }
}

void VariableSetDialog::bound()
{
    if (!m_number->text().startsWith(u'-') && m_number->number() > kLastSettableVariable)
        m_number->setText(QString::number(kVariableSetFallback));
}

bool VariableSetDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    const QString t = m_number->text();
    setField(key, kSetVariablePos, 4, t.startsWith(u'-') ? t.toLongLong() : m_number->number());
    const int i = m_value->currentIndex();
    setField(key, kSetValuePos, 2, i == 2 && m_kept >= 0 ? m_kept : i == 1 ? 1 : 0);
    return true;
}

void registerVariableSetDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(kVariableSetCode, QStringLiteral("FrmVarSetB"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> { return std::make_unique<VariableSetDialog>(ctx); });
}

} // namespace commands::flow
