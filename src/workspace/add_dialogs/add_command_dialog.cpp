#include "workspace/add_dialogs/add_command_dialog.h"

#include "core/catalogue.h"
#include "platform/prompts.h"
#include "workspace/add_dialogs/code_box.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace workspace::add_dialogs {

namespace {

struct KindSpec
{
    const char *objectName;
    const char16_t *title;
    int loadPosition;  // list position selected when the dialog opens (code 05 in all)
};

const std::array<KindSpec, 3> kSpecs = {{
    {"FrmMenuAdd", u"메뉴 추가", 3},
    {"FrmSectionMenuAdd", u"추가", 2},
    {"FrmChildMenuAdd", u"자사건 메뉴 추가", 3},
}};

const KindSpec &spec(AddDialogKind kind) { return kSpecs[size_t(kind)]; }

std::array<AddDialogMemory, 3> g_memory;

QList<int> bodyCodes()
{
    QList<int> codes;
    for (int c = kLowestCode; c <= kHighestCode; ++c)
        codes.append(c);
    return codes;
}

QList<int> blockCodes()
{
    QList<int> codes;
    for (int c = 0; c < core::kCommandCount; ++c)
        if (core::isBlockMenu(c))
            codes.append(c);
    return codes;
}

const QString kRefused = QStringLiteral("추가될 수 없는 메뉴 번호입니다!");

} // namespace

AddDialogMemory &addDialogMemory(AddDialogKind kind) { return g_memory[size_t(kind)]; }

void resetAddDialogMemory() { g_memory = {}; }

const QList<int> &addDialogCodes(AddDialogKind kind)
{
    static const QList<int> body = bodyCodes();
    // The head list holds the conditions a Section starts with: 0x73 is one
    // of them, though it is no block command, while 6D, 75 and 76 are only
    // reachable by typing.
    static const QList<int> head = {0x03, 0x04, 0x05, 0x07, 0x12, 0x13, 0x25, 0x26, 0x2D, 0x2E, 0x36,
                                    0x37, 0x3C, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x5E, 0x6E, 0x73, 0x79};
    static const QList<int> child = blockCodes();
    switch (kind) {
    case AddDialogKind::Body:
        return body;
    case AddDialogKind::Head:
        return head;
    case AddDialogKind::ChildEvent:
        break;
    }
    return child;
}

bool acceptsTypedCode(AddDialogKind kind, int code)
{
    switch (kind) {
    case AddDialogKind::Body:
        return code >= kLowestCode && code <= kHighestCode;
    case AddDialogKind::Head:
        return code != 0x02 && core::isBlockMenu(code);
    case AddDialogKind::ChildEvent:
        break;
    }
    return core::isBlockMenu(code);
}

AddCommandDialog::AddCommandDialog(AddDialogKind kind, QWidget *parent) : QDialog(parent), m_kind(kind)
{
    const KindSpec &s = spec(kind);
    setObjectName(QString::fromLatin1(s.objectName));
    setWindowTitle(QString::fromUtf16(s.title));
    setModal(true);

    m_fromListOption = new QRadioButton(QStringLiteral("메뉴 리스트"), this);
    m_fromListOption->setObjectName(QStringLiteral("oList"));
    m_commandList = new QComboBox(this);
    m_commandList->setObjectName(QStringLiteral("cbMenu"));
    m_commandList->setEditable(false);
    m_byCodeOption = new QRadioButton(QStringLiteral("메뉴 번호"), this);
    m_byCodeOption->setObjectName(QStringLiteral("oNum"));
    m_codeBox = new CodeBox(kHighestCode, this);
    m_codeBox->setObjectName(QStringLiteral("tMenuNum"));
    m_addButton = new QPushButton(QStringLiteral("추가"), this);
    m_addButton->setObjectName(QStringLiteral("cAdd"));
    m_addButton->setDefault(true);
    m_addButton->setAutoDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("취소"), this);
    m_cancelButton->setObjectName(QStringLiteral("cCancel"));
    m_cancelButton->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_fromListOption, 0, 0);
    grid->addWidget(m_commandList, 0, 1);
    grid->addWidget(m_byCodeOption, 1, 0);
    grid->addWidget(m_codeBox, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_cancelButton);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    m_commandList->setMinimumWidth(260);

    for (int code : addDialogCodes(kind))
        m_commandList->addItem(core::menuName(code));
    m_commandList->setCurrentIndex(s.loadPosition);
    m_fromListOption->setChecked(true);
    m_codeBox->setText(QStringLiteral("5"));

    // The two ways of choosing are linked only through the option buttons:
    // focus in a control selects its option, a click on an option moves the
    // focus to its control.
    m_commandList->installEventFilter(this);
    m_codeBox->installEventFilter(this);
    connect(m_fromListOption, &QRadioButton::clicked, m_commandList, [this] { m_commandList->setFocus(Qt::OtherFocusReason); });
    connect(m_byCodeOption, &QRadioButton::clicked, m_codeBox, [this] { m_codeBox->setFocus(Qt::OtherFocusReason); });
    connect(m_addButton, &QPushButton::clicked, this, &AddCommandDialog::add);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    restoreMemory();
}

void AddCommandDialog::restoreMemory()
{
    const AddDialogMemory &m = addDialogMemory(m_kind);
    if (m.mode == 0)
        return;
    const int position = m_kind == AddDialogKind::Body ? m.code - kLowestCode : m.listIndex;
    if (position >= 0 && position < m_commandList->count())
        m_commandList->setCurrentIndex(position);
    m_codeBox->setCode(m.code);
    if (m.mode == 2) {
        m_byCodeOption->setChecked(true);
        m_codeBox->setFocus(Qt::OtherFocusReason);
    }
}

bool AddCommandDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_commandList)
            m_fromListOption->setChecked(true);
        else if (watched == m_codeBox)
            m_byCodeOption->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

int AddCommandDialog::itemCode(int listIdx) const
{
    if (listIdx < 0 || listIdx >= m_commandList->count())
        return 0;
    const QString item = m_commandList->itemText(listIdx);
    bool ok = false;
    const int code = item.left(item.indexOf(QLatin1Char(' '))).toInt(&ok, 16);
    return ok ? code : 0;
}

int AddCommandDialog::listCode(int position) const
{
    // The body list is every code in order, so its position is the code.
    return m_kind == AddDialogKind::Body ? position + kLowestCode : itemCode(position);
}

void AddCommandDialog::add()
{
    // An empty box or a code below 2 reads as 2, in either mode, so the box
    // always shows what a later typed add would take.
    const int typed = m_codeBox->code();
    AddDialogMemory next;
    if (m_fromListOption->isChecked()) {
        next.mode = 1;
        next.listIndex = m_commandList->currentIndex();
        next.code = listCode(next.listIndex);
    } else {
        if (!acceptsTypedCode(m_kind, typed)) {
            platform::Prompts::instance().message(this, kRefused, QStringLiteral("Error!"), platform::MsgButtons::Ok,
                                                  platform::MsgIcon::Critical);
            return;
        }
        next.mode = 2;
        next.code = typed;
        // The list position is kept as it stands; it need not show the code.
        next.listIndex = m_commandList->currentIndex();
    }
    addDialogMemory(m_kind) = next;
    m_chosen = next.code;
    accept();
}

} // namespace workspace::add_dialogs
