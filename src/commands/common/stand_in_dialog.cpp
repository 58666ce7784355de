#include "commands/common/stand_in_dialog.h"

#include "core/tree_queries.h"
#include "workspace/edit_dispatch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace commands {

StandInDialog::StandInDialog(workspace::EditContext &ctx, int code) : CommandDialog(ctx, code)
{
    setObjectName(workspace::editFormName(code));

    auto *note = new QLabel(QStringLiteral("이 명령의 편집 창은 아직 준비되지 않았습니다. 내용은 바뀌지 않습니다."), this);
    note->setObjectName(QStringLiteral("lNote"));
    note->setWordWrap(true);
    body()->addWidget(note);

    m_captionLabel = new QLabel(caption(), this);
    m_captionLabel->setObjectName(QStringLiteral("lCaption"));
    m_captionLabel->setWordWrap(true);
    m_captionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body()->addWidget(m_captionLabel);

    m_keyBox = new QLineEdit(key(), this);
    m_keyBox->setObjectName(QStringLiteral("tKey"));
    m_keyBox->setReadOnly(true);
    m_keyBox->setMinimumWidth(480);
    body()->addWidget(m_keyBox);
}

void StandInDialog::onConfig()
{
    accept();
}

StandInToolDialog::StandInToolDialog(QWidget *parent, const QString &objectName, const QString &title,
                                     const QStringList &lines)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(QStringLiteral("이 창은 아직 준비되지 않았습니다. 문서는 바뀌지 않습니다."), this);
    note->setObjectName(QStringLiteral("lNote"));
    layout->addWidget(note);
    m_list = new QPlainTextEdit(lines.join(QLatin1Char('\n')), this);
    m_list->setObjectName(QStringLiteral("lstItems"));
    m_list->setReadOnly(true);
    layout->addWidget(m_list);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("확인"), this);
    ok->setObjectName(QStringLiteral("cConfig"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("취소"), this);
    cancel->setObjectName(QStringLiteral("cCancel"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::unique_ptr<QDialog> makeStandInDialog(workspace::EditContext &ctx)
{
    const int code = core::NodeNumber(ctx.doc(), ctx.node);
    return std::make_unique<StandInDialog>(ctx, code);
}

} // namespace commands
