#include "workspace/add_dialogs/quick_add_settings_dialog.h"

#include "platform/prompts.h"
#include "workspace/add_dialogs/code_box.h"
#include "workspace/add_dialogs/fast_add_settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace workspace::add_dialogs {

QuickAddSettingsDialog::QuickAddSettingsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmFastAdd"));
    setWindowTitle(QStringLiteral("빠른 추가"));
    setModal(true);

    auto *grid = new QGridLayout(this);
    const FastAddCodes stored = readFastAdd();
    for (int i = 0; i < kFastAddSlots; ++i) {
        auto *label = new QLabel(QString(fastAddKeyLetter(i)) + QStringLiteral("  -  메뉴 번호 : "), this);
        label->setObjectName(QStringLiteral("lblSlot%1").arg(i));
        auto *box = new CodeBox(kFastAddTypingMax, this);
        box->setObjectName(QStringLiteral("tMenuNum%1").arg(i));
        auto *child = new QCheckBox(QStringLiteral("자사건 추가"), this);
        child->setObjectName(QStringLiteral("ckChild%1").arg(i));

        const FastAddSlot &slot = stored.entries[size_t(i)];
        box->setCode(slot.code);
        child->setChecked(slot.child);

        grid->addWidget(label, i, 0);
        grid->addWidget(box, i, 1);
        grid->addWidget(child, i, 2);
        m_codeBoxes[size_t(i)] = box;
        m_childBoxes[size_t(i)] = child;
    }

    m_saveButton = new QPushButton(QStringLiteral("저장"), this);
    m_saveButton->setObjectName(QStringLiteral("cSave"));
    m_saveButton->setDefault(true);
    m_saveButton->setAutoDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("취소"), this);
    m_cancelButton->setObjectName(QStringLiteral("cCancel"));
    m_cancelButton->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_cancelButton);
    grid->addLayout(buttons, kFastAddSlots, 0, 1, 3);

    connect(m_saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool QuickAddSettingsDialog::save()
{
    auto &prompts = platform::Prompts::instance();
    for (int i = 0; i < kFastAddSlots; ++i) {
        CodeBox *box = m_codeBoxes[size_t(i)];
        // An empty box or a code below 2 is saved as 2, as the box would show
        // once it lost the focus.
        const FastAddSlot slot{box->code(), m_childBoxes[size_t(i)]->isChecked()};
        if (!fastAddSlotValid(slot.code, slot.child)) {
            prompts.message(this, QStringLiteral("자사건 추가가 될 수 없는 메뉴입니다！"), QStringLiteral("Err"),
                            platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
            box->setFocus(Qt::OtherFocusReason);
            return false;
        }
        if (!writeFastAddSlot(i, slot)) {
            prompts.message(this, QStringLiteral("설정 파일에 저장할 수 없습니다."), QStringLiteral("Err"),
                            platform::MsgButtons::Ok, platform::MsgIcon::Critical);
            return false;
        }
    }
    accept();
    return true;
}

} // namespace workspace::add_dialogs
