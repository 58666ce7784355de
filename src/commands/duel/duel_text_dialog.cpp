#include "commands/duel/duel_text_dialog.h"

#include "commands/duel/duel_dialogs.h"
#include "commands/common/list_sources.h"
#include "commands/common/placeholder_item.h"
#include "commands/duel/duel_lists.h"
#include "core/key_codec.h"
#include "core/param_tags.h"
#include "workspace/dialog_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace commands {

namespace {

constexpr int kFlagPos = 9;
constexpr int kTextPos = 17;

// The value after the text: its tag follows the text's 00, its value the tag.
int fieldAfterText(const QString &key)
{
    return core::keyTextAt(key, kTextPos).endPos + 4;
}

} // namespace

DuelTextDialog::DuelTextDialog(workspace::EditContext &ctx, const DuelTextForm &form)
    : CommandDialog(ctx, form.code), m_form(form)
{
    setObjectName(QString::fromLatin1(form.formName));
    setWindowTitle(QString::fromUtf16(form.title));

    m_char = new QCheckBox(QStringLiteral("아군 무장"), this);
    m_char->setObjectName(QStringLiteral("ckChar"));
    body()->addWidget(m_char);

    auto *label = new QLabel(QStringLiteral("글자"), this);
    body()->addWidget(label);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("tString"));
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setTabChangesFocus(true);
    label->setBuddy(m_text);
    body()->addWidget(m_text);
    m_kept.emplace(m_text);
    m_kept->addNote(body());

    if (form.actionList) {
        auto *row = new QHBoxLayout;
        auto *actionLabel = new QLabel(QStringLiteral("일기 동작"), this);
        m_action = new QComboBox(this);
        m_action->setObjectName(QStringLiteral("cbVSActive"));
        for (QStringView item : duel::kActionItems)
            m_action->addItem(item.toString());
        m_action->setMaxVisibleItems(24);
        actionLabel->setBuddy(m_action);
        row->addWidget(actionLabel);
        row->addWidget(m_action, 1);
        body()->addLayout(row);
    } else {
        m_delay = new QCheckBox(QStringLiteral("지연"), this);
        m_delay->setObjectName(QStringLiteral("ckDelay"));
        body()->addWidget(m_delay);
    }

    // Loading: a flag above 1 opens cleared; an action beyond the list shows
    // as the tree's caption reads it. Either is written back as stored
    // unless changed.
    m_char->setChecked(field(kFlagPos, 2) == 1);
    m_kept->load(core::keyTextAt(key(), kTextPos).bytes);
    const int after = field(fieldAfterText(key()), 2);
    if (m_action && after >= 0 && after <= duel::kLastAction) {
        m_action->setCurrentIndex(after);
    } else if (m_action && isNewCommand()) {
        // A new appearance opens on the stand ("無") and stores it.
        m_action->setCurrentIndex(0);
    } else if (m_action) {
        m_keptAction = after & 0xFFFF;
        QStringList own;
        for (QStringView item : duel::kActionItems)
            own << item.toString();
        m_action->addItem(placeholderText(captionWordAt(ctx, key(), fieldAfterText(key())), m_keptAction, own));
        m_action->setCurrentIndex(m_action->count() - 1);
    }
    else
        m_delay->setChecked(after == 1);
    m_text->setFocus();
}

bool DuelTextDialog::saveFields(QString &key, int &lengthDelta)
{
    setField(key, kFlagPos, 2, m_char->isChecked() ? 1 : 0);
    lengthDelta = core::keyReplaceTextBytes(key, kTextPos, m_kept->bytes());
    int last = m_delay && m_delay->isChecked() ? 1 : 0;
    if (m_action)
        last = m_action->currentIndex() > duel::kLastAction && m_keptAction >= 0 ? m_keptAction
                                                                              : std::max(m_action->currentIndex(), 0);
    setField(key, fieldAfterText(key), 2, last);
    return true;
}

namespace {

const DuelTextForm kDuelAppear{0x60, "FrmVSAdvent60", u"수정 - 60 : 일기무장등장", true};
const DuelTextForm kDuelLine{0x63, "FrmVSSay63", u"수정 - 63 : 일기대사", false};

std::unique_ptr<QDialog> makeTextDialog(workspace::EditContext &ctx, const DuelTextForm &form)
{
    return std::make_unique<DuelTextDialog>(ctx, form);
}

} // namespace

void registerDuelTextDialogs(workspace::DialogRegistry &registry)
{
    registry.registerDialog(0x60, QLatin1String(kDuelAppear.formName),
                            [](workspace::EditContext &ctx) { return makeTextDialog(ctx, kDuelAppear); });
    registry.registerDialog(0x63, QLatin1String(kDuelLine.formName),
                            [](workspace::EditContext &ctx) { return makeTextDialog(ctx, kDuelLine); });
}

} // namespace commands
