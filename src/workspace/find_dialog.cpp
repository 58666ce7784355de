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
    m_fromListOption = named(new QRadioButton(QStringLiteral("메뉴 리스트"), this), "oList");
    m_commandList = named(new QComboBox(this), "cbMenu");
    m_commandList->addItems(core::menuNames());
    m_commandList->setCurrentIndex(kFirstListItem);
    m_byCodeOption = named(new QRadioButton(QStringLiteral("메뉴 번호"), this), "oNum");
    m_codeBox = named(new add_dialogs::CodeBox(add_dialogs::kHighestCode, this), "tMenuNum");
    m_codeBox->setText(hexCode(kFirstListItem));
    m_byTextOption = named(new QRadioButton(QStringLiteral("포함된 글자"), this), "oInstr");
    m_textBox = named(new QLineEdit(this), "tStr");
    platform::selectAllOnFocus(m_textBox);
    auto *searchBy = new QButtonGroup(this);
    for (QRadioButton *b : {m_fromListOption, m_byCodeOption, m_byTextOption})
        searchBy->addButton(b);
    m_fromListOption->setChecked(true);

    auto *when = named(new QGroupBox(QStringLiteral("찾을 때"), this), "Frame1");
    m_firstOnlyOption = named(new QRadioButton(QStringLiteral("처음 것만 찾기"), when), "oStart");
    m_continueOption = named(new QRadioButton(QStringLiteral("이어서 찾기"), when), "oContinue");
    m_firstOnlyOption->setChecked(true);
    auto *whenLayout = new QVBoxLayout(when);
    whenLayout->addWidget(m_firstOnlyOption);
    whenLayout->addWidget(m_continueOption);

    m_findButton = named(new QPushButton(QStringLiteral("찾기"), this), "cConfig");
    m_findButton->setDefault(true);
    m_findButton->setAutoDefault(true);
    m_cancelButton = named(new QPushButton(QStringLiteral("취소"), this), "cCancel");
    m_cancelButton->setAutoDefault(false);

    auto *grid = new QGridLayout;
    grid->addWidget(m_fromListOption, 0, 0);
    grid->addWidget(m_commandList, 0, 1);
    grid->addWidget(m_byCodeOption, 1, 0);
    grid->addWidget(m_codeBox, 1, 1);
    grid->addWidget(m_byTextOption, 2, 0);
    grid->addWidget(m_textBox, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_findButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(when);
    layout->addLayout(buttons);

    // Picking a way to search moves to its field; entering a field picks its way.
    connect(m_fromListOption, &QRadioButton::clicked, m_commandList, [this] { m_commandList->setFocus(Qt::OtherFocusReason); });
    connect(m_byCodeOption, &QRadioButton::clicked, m_codeBox, [this] { m_codeBox->setFocus(Qt::OtherFocusReason); });
    connect(m_byTextOption, &QRadioButton::clicked, m_textBox, [this] { m_textBox->setFocus(Qt::OtherFocusReason); });
    for (QWidget *w : {static_cast<QWidget *>(m_commandList), static_cast<QWidget *>(m_codeBox),
                       static_cast<QWidget *>(m_textBox)})
        w->installEventFilter(this);

    connect(m_findButton, &QPushButton::clicked, this, &FindDialog::find);
    connect(m_cancelButton, &QPushButton::clicked, this, &FindDialog::cancel);
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
        if (watched == m_commandList)
            m_fromListOption->setChecked(true);
        else if (watched == m_codeBox)
            m_byCodeOption->setChecked(true);
        else if (watched == m_textBox)
            m_byTextOption->setChecked(true);
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
        m_codeBox->setText(hexCode(s.code));
        if (s.code >= 0 && s.code < m_commandList->count())
            m_commandList->setCurrentIndex(s.code);
        m_textBox->setText(s.text);
        if (s.mode == core::FindMode::ByNumber)
            m_codeBox->setFocus(Qt::OtherFocusReason);
        else if (s.mode == core::FindMode::ByText)
            m_textBox->setFocus(Qt::OtherFocusReason);
    }
    platform::setTransparent(this, kOpaque);
}

void FindDialog::deactivated() { platform::setTransparent(this, kHalfTransparent); }

void FindDialog::find()
{
    // With no document open there is nothing to search, and nothing is remembered.
    const std::optional<FindTarget> target = m_provider ? m_provider() : std::nullopt;
    if (!target || !target->tree)
        return;

    RememberedSearch &s = rememberedSearch();
    if (m_fromListOption->isChecked()) {
        s.mode = core::FindMode::ByList;
        s.code = m_commandList->currentIndex();
    } else if (m_byCodeOption->isChecked()) {
        s.code = m_codeBox->code();  // normalised first: an emptied box reads 2
        s.mode = core::FindMode::ByNumber;
    } else if (m_byTextOption->isChecked()) {
        s.code = m_codeBox->code();
        s.mode = core::FindMode::ByText;
        s.text = m_textBox->text();
    }
    if (s.mode == core::FindMode::None)
        return;

    const core::DocTree &tree = *target->tree;
    const core::NodeId start =
        m_firstOnlyOption->isChecked() ? core::findStartOfTree(tree) : core::findStartAfter(tree, tree.selected());
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
    m_continueOption->setChecked(true);
}

void FindDialog::cancel()
{
    rememberedSearch().mode = core::FindMode::None;
    close();
}

} // namespace workspace
