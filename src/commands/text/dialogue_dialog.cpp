#include "commands/text/dialogue_dialog.h"

#include "commands/text/text_dialogs.h"
#include "commands/common/encoding_note.h"
#include "commands/common/character_picker.h"
#include "commands/common/dialogue_pages.h"
#include "commands/common/number_field.h"
#include "commands/text/markup_text_box.h"
#include "commands/text/text_previews.h"
#include "core/game/game_data.h"
#include "core/key_codec.h"
#include "workspace/dialog_registry.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace commands {

namespace {

constexpr int kSpeakerPos = 9;
constexpr int kStandInPos = 17;
constexpr int kTextPos = 25;

} // namespace

DialogueDialog::DialogueDialog(workspace::EditContext &ctx) : CommandDialog(ctx, 0x15)
{
    setObjectName(QStringLiteral("FrmTalk15"));
    m_box = makeTextBox(this);
    body()->addWidget(makeColorToolbar(this, m_box));

    PickerOptions options;
    options.pair = true;
    m_picker = new CharacterPicker(this, ctx.nameTables(), options);
    body()->addWidget(m_picker->modeRow());
    auto *grid = new QGridLayout;
    auto *who = new QLabel(QStringLiteral("인물"), this);
    who->setObjectName(QStringLiteral("Label3_0"));
    auto *standIn = new QLabel(QStringLiteral("위의 인물이 존재 안할 때 인물"), this);
    standIn->setObjectName(QStringLiteral("Label3_1"));
    grid->addWidget(who, 0, 0);
    grid->addWidget(m_picker->elementWidget(0), 0, 1);
    grid->addWidget(standIn, 1, 0);
    grid->addWidget(m_picker->elementWidget(1), 1, 1);
    body()->addLayout(grid);
    auto *textLabel = new QLabel(QStringLiteral("글자"), this);
    textLabel->setObjectName(QStringLiteral("Label2"));
    body()->addWidget(textLabel);
    body()->addWidget(m_box);
    addEncodingNote(body(), m_box, [box = m_box] { return storedBoxLoss(box); });
    resize(311, 350);

    QAction *view = addPreviewMenu(this);
    connect(view, &QAction::triggered, this, [this] { preview(); });

    m_picker->setStoredValue(0, field(kSpeakerPos, 2));
    m_picker->setStoredValue(1, field(kStandInPos, 2));
    m_loadedText = text(kTextPos);
    loadStoredText(m_box, core::keyTextAt(key(), kTextPos).bytes, true);
}

void DialogueDialog::preview()
{
    if (m_box->toPlainText().isEmpty())
        return;
    fillTalkPage(sharedDialoguePages(), colorTextFromBox(m_box), m_picker->value(0), context().gameData);
    openTextPreview(kTalkViewTool, context());
}

bool DialogueDialog::saveFields(QString &key, int &lengthDelta)
{
    setField(key, kSpeakerPos, 2, m_picker->value(0));
    setField(key, kStandInPos, 2, m_picker->value(1));
    lengthDelta = core::keyReplaceTextBytes(key, kTextPos, storedBoxBytes(m_box));
    return true;
}

bool DialogueDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        m_picker->applyStartMode(context().readSetting(QStringLiteral("Option"), QStringLiteral("Char_Select")));
    return CommandDialog::event(event);
}

void registerDialogueDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(0x15, QStringLiteral("FrmTalk15"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> { return std::make_unique<DialogueDialog>(ctx); });
}

} // namespace commands
