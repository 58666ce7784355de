#include "workspace/find_dialog.h"

#include "core/catalogue.h"
#include "platform/number_box.h"
#include "platform/prompts.h"
#include "platform/window_helpers.h"
#include "workspace/add_dialogs/code_box.h"
#include "workspace/long_task.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace workspace {

namespace {
constexpr int kFirstListItem = 5;
constexpr int kOpaque = 255;
constexpr int kHalfTransparent = 128;

QString hexCode(int code) { return QString::number(code, 16).toUpper(); }
} // namespace

RememberedSearch &rememberedSearch()
{
    static RememberedSearch search;
    return search;
}

FindDialog::FindDialog(FindTargetProvider provider, QWidget *owner) : QDialog(owner), m_provider(std::move(provider))
{
    setObjectName(QStringLiteral("FrmFind"));
    setWindowTitle(QStringLiteral("찾기"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto named = [this](auto *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    m_oList = named(new QRadioButton(QStringLiteral("메뉴 리스트"), this), "oList");
    m_cbMenu = named(new QComboBox(this), "cbMenu");
    m_cbMenu->addItems(core::menuNames());
    m_cbMenu->setCurrentIndex(kFirstListItem);
    m_oNum = named(new QRadioButton(QStringLiteral("메뉴 번호"), this), "oNum");
    m_tMenuNum = named(new add_dialogs::CodeBox(add_dialogs::kHighestCode, this), "tMenuNum");
    m_tMenuNum->setText(hexCode(kFirstListItem));
    m_oInstr = named(new QRadioButton(QStringLiteral("포함된 글자"), this), "oInstr");
    m_tStr = named(new QLineEdit(this), "tStr");
    platform::selectAllOnFocus(m_tStr);
    auto *searchBy = new QButtonGroup(this);
    for (QRadioButton *b : {m_oList, m_oNum, m_oInstr})
        searchBy->addButton(b);
    m_oList->setChecked(true);

    auto *when = named(new QGroupBox(QStringLiteral("찾을 때"), this), "Frame1");
    m_oStart = named(new QRadioButton(QStringLiteral("처음 것만 찾기"), when), "oStart");
    m_oContinue = named(new QRadioButton(QStringLiteral("이어서 찾기"), when), "oContinue");
    m_oStart->setChecked(true);
    auto *whenLayout = new QVBoxLayout(when);
    whenLayout->addWidget(m_oStart);
    whenLayout->addWidget(m_oContinue);

    m_cConfig = named(new QPushButton(QStringLiteral("찾기"), this), "cConfig");
    m_cConfig->setDefault(true);
    m_cConfig->setAutoDefault(true);
    m_cCancel = named(new QPushButton(QStringLiteral("취소"), this), "cCancel");
    m_cCancel->setAutoDefault(false);

    auto *grid = new QGridLayout;
    grid->addWidget(m_oList, 0, 0);
    grid->addWidget(m_cbMenu, 0, 1);
    grid->addWidget(m_oNum, 1, 0);
    grid->addWidget(m_tMenuNum, 1, 1);
    grid->addWidget(m_oInstr, 2, 0);
    grid->addWidget(m_tStr, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cConfig);
    buttons->addWidget(m_cCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(when);
    layout->addLayout(buttons);

    // Picking a way to search moves to its field; entering a field picks its way.
    connect(m_oList, &QRadioButton::clicked, m_cbMenu, [this] { m_cbMenu->setFocus(Qt::OtherFocusReason); });
    connect(m_oNum, &QRadioButton::clicked, m_tMenuNum, [this] { m_tMenuNum->setFocus(Qt::OtherFocusReason); });
    connect(m_oInstr, &QRadioButton::clicked, m_tStr, [this] { m_tStr->setFocus(Qt::OtherFocusReason); });
    for (QWidget *w : {static_cast<QWidget *>(m_cbMenu), static_cast<QWidget *>(m_tMenuNum),
                       static_cast<QWidget *>(m_tStr)})
        w->installEventFilter(this);

    connect(m_cConfig, &QPushButton::clicked, this, &FindDialog::find);
    connect(m_cCancel, &QPushButton::clicked, this, &FindDialog::cancel);
}

FindDialog *FindDialog::open(QWidget *owner, FindTargetProvider provider)
{
    FindDialog *w = owner ? owner->findChild<FindDialog *>(QStringLiteral("FrmFind"), Qt::FindDirectChildrenOnly) : nullptr;
    if (!w)
        w = new FindDialog(std::move(provider), owner);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

bool FindDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_cbMenu)
            m_oList->setChecked(true);
        else if (watched == m_tMenuNum)
            m_oNum->setChecked(true);
        else if (watched == m_tStr)
            m_oInstr->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

void FindDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            activated();
        else
            deactivated();
    }
    QDialog::changeEvent(event);
}

void FindDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FindDialog::activated()
{
    const RememberedSearch &s = rememberedSearch();
    if (s.mode != core::FindMode::None) {
        m_tMenuNum->setText(hexCode(s.code));
        if (s.code >= 0 && s.code < m_cbMenu->count())
            m_cbMenu->setCurrentIndex(s.code);
        m_tStr->setText(s.text);
        if (s.mode == core::FindMode::ByNumber)
            m_tMenuNum->setFocus(Qt::OtherFocusReason);
        else if (s.mode == core::FindMode::ByText)
            m_tStr->setFocus(Qt::OtherFocusReason);
    }
    platform::SetTransparent(this, kOpaque);
}

void FindDialog::deactivated() { platform::SetTransparent(this, kHalfTransparent); }

void FindDialog::find()
{
    // With no document open there is nothing to search, and nothing is remembered.
    const std::optional<FindTarget> target = m_provider ? m_provider() : std::nullopt;
    if (!target || !target->tree)
        return;

    RememberedSearch &s = rememberedSearch();
    if (m_oList->isChecked()) {
        s.mode = core::FindMode::ByList;
        s.code = m_cbMenu->currentIndex();
    } else if (m_oNum->isChecked()) {
        s.code = m_tMenuNum->code();  // normalised first: an emptied box reads 2
        s.mode = core::FindMode::ByNumber;
    } else if (m_oInstr->isChecked()) {
        s.code = m_tMenuNum->code();
        s.mode = core::FindMode::ByText;
        s.text = m_tStr->text();
    }
    if (s.mode == core::FindMode::None)
        return;

    const core::DocTree &tree = *target->tree;
    const core::NodeId start =
        m_oStart->isChecked() ? core::findStartOfTree(tree) : core::findStartAfter(tree, tree.selected());
    bool cancelled = false;
    core::NodeId found = core::kNoNode;
    {
        LongTask task(this, kFindingLabel, LongTask::Cancel::Allowed);
        found = core::findFrom(tree, start, core::FindQuery{s.mode, s.code, s.text}, task.progress(), &cancelled);
    }
    if (found != core::kNoNode)
        target->select(found);
    else if (!cancelled)
        platform::Prompts::instance().message(this, kFindNotFoundMessage, kNotFoundTitle, platform::MsgButtons::Ok,
                                              platform::MsgIcon::Information);
    m_oContinue->setChecked(true);
}

void FindDialog::cancel()
{
    rememberedSearch().mode = core::FindMode::None;
    close();
}

} // namespace workspace
