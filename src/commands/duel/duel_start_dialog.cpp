#include "commands/duel/duel_start_dialog.h"

#include "commands/duel/duel_dialogs.h"
#include "commands/common/character_picker.h"
#include "commands/common/list_sources.h"
#include "commands/common/placeholder_item.h"
#include "core/game/game_data.h"
#include "workspace/dialog_registry.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace commands {

namespace {

constexpr int kPersonPos[2] = {9, 17};
constexpr int kLogoPos = 25;
constexpr int kDefaultLogoCount = 100;
// Beyond this a list would only slow the dialog down; no game has as many.
constexpr int kMaxLogoCount = 10000;

} // namespace

int DuelStartDialog::logoCount(const QString &setting)
{
    bool ok = false;
    const int n = setting.trimmed().toInt(&ok);
    if (!ok || n <= 0)
        return kDefaultLogoCount;
    return std::min(n, kMaxLogoCount);
}

DuelStartDialog::DuelStartDialog(workspace::EditContext &ctx) : CommandDialog(ctx, kCode)
{
    setObjectName(QStringLiteral("FrmVSStart68"));
    setWindowTitle(QStringLiteral("수정 - 68 : 일기개시"));

    PickerOptions options;
    options.pair = true;
    options.focusSelectsMode = true;
    const core::NameTables *names = ctx.nameTables();
    m_picker = new CharacterPicker(this, names, options);
    body()->addWidget(m_picker->modeRow());

    auto *grid = new QGridLayout;
    body()->addLayout(grid);
    for (int i = 0; i < 2; ++i) {
        auto *who = new QLabel(QStringLiteral("인물"), this);
        who->setBuddy(m_picker->elementWidget(i));
        grid->addWidget(who, i, 0);
        grid->addWidget(m_picker->elementWidget(i), i, 1);
        m_picker->list(i)->setMaxVisibleItems(24);
    }
    m_logo = new QComboBox(this);
    m_logo->setObjectName(QStringLiteral("cVS"));
    auto *logoLabel = new QLabel(QStringLiteral("Logo"), this);
    logoLabel->setBuddy(m_logo);
    grid->addWidget(logoLabel, 2, 0);
    grid->addWidget(m_logo, 2, 1);

    const int n = logoCount(ctx.readSetting(QStringLiteral("Setting"), QStringLiteral("LogoMap")));
    for (int v = 0; v < n; ++v)
        m_logo->addItem(QStringLiteral("Logo-%1").arg(v + 1), v);
    const int logo = field(kLogoPos, 2);
    if (logo >= 0 && logo < n) {
        m_logo->setCurrentIndex(logo);
    } else {
        // A logo beyond the list reads as the caption reads it and keeps
        // its value through OK.
        QStringList own;
        for (int i = 0; i < m_logo->count(); ++i)
            own << m_logo->itemText(i);
        m_logo->addItem(placeholderText(captionWordAt(ctx, key(), kLogoPos), logo, own), logo);
        m_logo->setCurrentIndex(m_logo->count() - 1);
    }

    for (int i = 0; i < 2; ++i)
        m_picker->setStoredValue(i, field(kPersonPos[i], 2) & 0xFFFF);
}

bool DuelStartDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        m_picker->applyStartMode(context().readSetting(QStringLiteral("Option"), QStringLiteral("Char_Select")));
    return CommandDialog::event(event);
}

bool DuelStartDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    setField(key, kLogoPos, 2, m_logo->currentData().toInt());
    for (int i = 0; i < 2; ++i)
        setField(key, kPersonPos[i], 2, m_picker->value(i));
    return true;
}

void registerDuelStartDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(DuelStartDialog::kCode, QStringLiteral("FrmVSStart68"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            return std::make_unique<DuelStartDialog>(ctx);
        });
}

} // namespace commands
