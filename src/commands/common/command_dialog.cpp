#include "commands/common/command_dialog.h"

#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/key_edit.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace commands {

QString commandDialogTitle(int code)
{
    return QStringLiteral("수정 - ") + core::MenuName(code);
}

CommandDialog::CommandDialog(workspace::EditContext &ctx, int code)
    : QDialog(ctx.parent),
      m_ctx(ctx),
      m_tree(ctx.doc()),
      m_node(ctx.node),
      m_code(code),
      m_key(m_tree.key(m_node)),
      m_caption(m_tree.text(m_node))
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
    return core::HexToLong(m_key, pos, width);
}

QString CommandDialog::fieldText(int pos, bool longValue) const
{
    return core::KeyValueShow(m_key, pos, longValue);
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

void CommandDialog::setFieldFromBox(QString &key, int pos, const QString &boxText, bool longValue)
{
    core::KeyValueApply(boxText, key, pos, longValue);
}

int CommandDialog::setText(QString &key, int pos, const QString &boxText)
{
    QString gameText = boxText;
    gameText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return core::keyReplaceText(key, pos, gameText);
}

bool CommandDialog::commit(const QString &newKey, int lengthDelta, bool keepCaption)
{
    if (!m_tree.isValid(m_node))
        return false;
    if (lengthDelta != 0) {
        const core::KeyEditResult check = core::KeyEditCheck(m_tree, m_node, lengthDelta);
        if (!check) {
            m_ctx.ask().message(this,
                                QStringLiteral("바깥 사건의 길이가 허용 범위(%1~%2바이트)를 벗어나므로 "
                                               "저장할 수 없습니다.")
                                    .arg(core::kMinNestedLength)
                                    .arg(core::kMaxNestedLength),
                                QStringLiteral("길이 초과"), platform::MsgButtons::Ok,
                                platform::MsgIcon::Exclamation);
            return false;
        }
    }
    const QString oldKey = m_tree.key(m_node);
    if (newKey != oldKey && !m_tree.setKey(m_node, newKey)) {
        m_ctx.ask().message(this, QStringLiteral("같은 키를 가진 노드가 이미 있어 저장할 수 없습니다."),
                            QStringLiteral("저장 실패"), platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return false;
    }
    if (lengthDelta != 0 && !core::KeyEdit(m_tree, m_node, lengthDelta)) {
        // Checked above, so this only happens if an enclosing key became
        // taken in between; put the command back as it was.
        m_tree.setKey(m_node, oldKey);
        return false;
    }
    if (!keepCaption)
        m_tree.setText(m_node, core::commandCaption(newKey, core::CaptionSite::Creation,
                                                    core::holdsNestedList(m_tree, m_node), m_ctx.captions));
    return true;
}

bool CommandDialog::saveFields(QString &, int &lengthDelta)
{
    lengthDelta = 0;
    return true;
}

void CommandDialog::onConfig()
{
    QString newKey = m_tree.key(m_node);
    int delta = 0;
    if (!saveFields(newKey, delta))
        return;
    if (commit(newKey, delta, keepsCaption()))
        accept();
}

void CommandDialog::onCancel()
{
    reject();
}

} // namespace commands
