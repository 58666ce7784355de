#include "commands/common/command_dialog.h"

#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/key_edit.h"
#include "core/untouched_items.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace commands {

QString commandDialogTitle(int code)
{
    return QStringLiteral("수정 - ") + core::menuName(code);
}

CommandDialog::CommandDialog(workspace::EditContext &ctx, int code)
    : QDialog(ctx.parent),
      m_ctx(ctx),
      m_tree(ctx.doc()),
      m_node(ctx.node),
      m_code(code),
      m_key(m_tree.key(m_node)),
      m_caption(m_tree.text(m_node)),
      m_newCommand(ctx.newCommand)
{
    setModal(true);
    setWindowTitle(commandDialogTitle(code));

    auto *outer = new QVBoxLayout(this);
    m_body = new QVBoxLayout;
    outer->addLayout(m_body);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_config = new QPushButton(QStringLiteral("확인"), this);
    m_config->setObjectName(QStringLiteral("cConfig"));
    m_config->setDefault(true);
    m_config->setAutoDefault(true);
    m_cancel = new QPushButton(QStringLiteral("취소"), this);
    m_cancel->setObjectName(QStringLiteral("cCancel"));
    m_cancel->setAutoDefault(false);
    buttons->addWidget(m_config);
    buttons->addWidget(m_cancel);
    outer->addLayout(buttons);

    connect(m_config, &QPushButton::clicked, this, [this] { onConfig(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { onCancel(); });
}

CommandDialog::~CommandDialog() = default;

std::int32_t CommandDialog::field(int pos, int width) const
{
    return core::keyField(m_key, pos, width);
}

QString CommandDialog::fieldText(int pos, bool longValue) const
{
    return core::keyValueShow(m_key, pos, longValue);
}

QString CommandDialog::text(int pos) const
{
    QString t = core::keyTextString(m_key, pos);
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

void CommandDialog::setField(QString &key, int pos, int width, std::int64_t value)
{
    core::keyWriteField(key, pos, width, value);
}

bool CommandDialog::setFieldFromBox(QString &key, int pos, const QString &boxText, bool longValue)
{
    return core::keyValueApply(boxText, key, pos, longValue);
}

int CommandDialog::setText(QString &key, int pos, const QString &boxText)
{
    QString gameText = boxText;
    gameText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return core::keyReplaceText(key, pos, gameText);
}

bool CommandDialog::handBack(const QString &newKey)
{
    if (!m_tree.isValid(m_node))
        return false;
    const int lengthDelta = core::recordLength(newKey) - core::recordLength(m_key);
    if (lengthDelta != 0 && !core::keyEditCheck(m_tree, m_node, lengthDelta)) {
        m_ctx.ask().message(this,
                            QStringLiteral("바깥 사건의 길이가 허용 범위(%1~%2바이트)를 벗어나므로 "
                                           "저장할 수 없습니다.")
                                .arg(core::kMinNestedLength)
                                .arg(core::kMaxNestedLength),
                            QStringLiteral("길이 초과"), platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return false;
    }
    const core::NodeId holder = m_tree.find(newKey);
    if (holder != core::kNoNode && holder != m_node) {
        m_ctx.ask().message(this, QStringLiteral("같은 키를 가진 노드가 이미 있어 저장할 수 없습니다."),
                            QStringLiteral("저장 실패"), platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return false;
    }
    m_ctx.change = workspace::KeyChange{newKey, lengthDelta, keepsCaption()};
    accept();
    return true;
}

void CommandDialog::showEvent(QShowEvent *event)
{
    if (m_shown.isEmpty() && m_tree.isValid(m_node)) {
        QString picture = m_key;
        int delta = 0;
        m_takingPicture = true;
        if (saveFields(picture, delta))
            m_shown = picture;
        m_takingPicture = false;
    }
    QDialog::showEvent(event);
}

bool CommandDialog::saveFields(QString &, int &lengthDelta)
{
    lengthDelta = 0;
    return true;
}

void CommandDialog::onConfig()
{
    // Enter confirms what the focused control holds exactly as a click on
    // OK does: the control loses the focus first.
    if (QWidget *focused = focusWidget(); focused && focused != m_config)
        m_config->setFocus(Qt::OtherFocusReason);
    QString chosen = m_key;
    int delta = 0;
    if (!saveFields(chosen, delta))
        return;
    // Before its first showing the dialog has no picture of the stored key;
    // then what it writes is all there is.
    const QString newKey =
        m_shown.isEmpty() ? chosen
                          : core::keepUntouchedItems(m_key, m_shown, chosen,
                                                     {m_writtenOnChange, m_newCommand, m_touched});
    if (newKey == m_key) {
        accept();
        return;
    }
    handBack(newKey);
}

void CommandDialog::onCancel()
{
    reject();
}

} // namespace commands
