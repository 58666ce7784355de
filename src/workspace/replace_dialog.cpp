#include "workspace/replace_dialog.h"

#include "core/find_replace.h"
#include "platform/number_box.h"
#include "platform/prompts.h"
#include "platform/window_helpers.h"
#include "workspace/long_task.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace workspace {

namespace {
constexpr int kOpaque = 255;
constexpr int kHalfTransparent = 128;
constexpr int kListedAtMost = 10;
const QString kErrorTitle = QStringLiteral("Error！");
} // namespace

ReplaceDialog::ReplaceDialog(FindTargetProvider provider, QWidget *owner)
    : QDialog(owner), m_provider(std::move(provider))
{
    setObjectName(QStringLiteral("FrmReplace"));
    setWindowTitle(kReplaceTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *findLabel = new QLabel(QStringLiteral("찾을 내용"), this);
    findLabel->setObjectName(QStringLiteral("Label1"));
    m_findBox = new QLineEdit(this);
    m_findBox->setObjectName(QStringLiteral("tFind"));
    findLabel->setBuddy(m_findBox);
    auto *replaceLabel = new QLabel(QStringLiteral("바꿀 내용 "), this);
    replaceLabel->setObjectName(QStringLiteral("Label2"));
    m_replaceBox = new QLineEdit(this);
    m_replaceBox->setObjectName(QStringLiteral("tReplace"));
    replaceLabel->setBuddy(m_replaceBox);
    platform::selectAllOnFocus(m_findBox);
    platform::selectAllOnFocus(m_replaceBox);

    m_replaceButton = new QPushButton(QStringLiteral("바꾸기"), this);
    m_replaceButton->setObjectName(QStringLiteral("cReplace"));
    m_replaceButton->setAutoDefault(false);
    m_replaceAllButton = new QPushButton(QStringLiteral("모두 바꾸기"), this);
    m_replaceAllButton->setObjectName(QStringLiteral("cAllReplace"));
    m_replaceAllButton->setDefault(true);
    m_replaceAllButton->setAutoDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("취소"), this);
    m_cancelButton->setObjectName(QStringLiteral("cCancel"));
    m_cancelButton->setAutoDefault(false);

    auto *grid = new QGridLayout;
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(m_findBox, 0, 1);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(m_replaceBox, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_replaceButton);
    buttons->addWidget(m_replaceAllButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(m_replaceButton, &QPushButton::clicked, this, &ReplaceDialog::replaceOne);
    connect(m_replaceAllButton, &QPushButton::clicked, this, &ReplaceDialog::replaceAll);
    // Esc reaches the same place through reject().
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::close);
}

ReplaceDialog *ReplaceDialog::open(QWidget *owner, FindTargetProvider provider)
{
    ReplaceDialog *w =
        owner ? owner->findChild<ReplaceDialog *>(QStringLiteral("FrmReplace"), Qt::FindDirectChildrenOnly) : nullptr;
    if (!w)
        w = new ReplaceDialog(std::move(provider), owner);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void ReplaceDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            activated();
        else
            deactivated();
    }
    QDialog::changeEvent(event);
}

void ReplaceDialog::activated() { platform::setTransparent(this, kOpaque); }
void ReplaceDialog::deactivated() { platform::setTransparent(this, kHalfTransparent); }

void ReplaceDialog::replaceOne()
{
    const std::optional<FindTarget> target = m_provider ? m_provider() : std::nullopt;
    if (!target || !target->canEdit())
        return;
    core::EditContext ctx = target->editContext();
    const core::ReplaceOutcome out = core::replaceNext(ctx, m_findBox->text(), m_replaceBox->text());
    if (out.found != core::kNoNode)
        target->select(out.found);
    if (!out.refused.isEmpty()) {
        platform::Prompts::instance().message(this, out.refused, kErrorTitle, platform::MsgButtons::Ok,
                                              platform::MsgIcon::Exclamation);
        return;
    }
    if (out.changed()) {
        if (target->markModified)
            target->markModified();
        if (target->historyChanged)
            target->historyChanged();
    }
    if (!out.tooLong.empty())
        reportTooLong(*target->tree, out.tooLong);
    else if (out.found == core::kNoNode)
        platform::Prompts::instance().message(this, kReplaceNotFoundMessage, QStringLiteral("Not Found!"),
                                              platform::MsgButtons::Ok, platform::MsgIcon::Information);
}

void ReplaceDialog::replaceAll()
{
    const std::optional<FindTarget> target = m_provider ? m_provider() : std::nullopt;
    if (!target || !target->canEdit() || m_findBox->text().isEmpty())
        return;
    setWindowTitle(kReplacingTitle);
    core::EditContext ctx = target->editContext();
    core::ReplaceOutcome out;
    {
        LongTask task(this, kReplacingLabel, LongTask::Cancel::No);
        out = core::replaceAll(ctx, m_findBox->text(), m_replaceBox->text(), task.progress());
    }
    setWindowTitle(kReplaceTitle);
    if (!out.refused.isEmpty()) {
        // Taken back whole: the document is as it was.
        platform::Prompts::instance().message(this, out.refused, kErrorTitle, platform::MsgButtons::Ok,
                                              platform::MsgIcon::Exclamation);
        return;
    }
    // The tab counts as modified after every run, as the user asked for a change.
    if (target->markModified)
        target->markModified();
    if (out.changed() && target->historyChanged)
        target->historyChanged();
    if (!out.tooLong.empty())
        reportTooLong(*target->tree, out.tooLong);
}

void ReplaceDialog::reportTooLong(const core::DocTree &tree, const std::vector<core::NodeId> &nodes)
{
    QString text = core::kTooLongMessage + QStringLiteral("\n\n바꾸지 않은 명령어:\n");
    const int listed = std::min(int(nodes.size()), kListedAtMost);
    for (int i = 0; i < listed; ++i)
        text += tree.text(nodes[std::size_t(i)]) + u'\n';
    if (int(nodes.size()) > listed)
        text += QStringLiteral("… 외 %1개\n").arg(int(nodes.size()) - listed);
    platform::Prompts::instance().message(this, text.trimmed(), kErrorTitle, platform::MsgButtons::Ok,
                                          platform::MsgIcon::Exclamation);
}

} // namespace workspace
