#include "commands/text/choice_dialog.h"

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
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace commands {

namespace {

constexpr int kTextPos = 9;

// The speaker follows the text's 00 and the "0200" tag.
int speakerPos(const QString &key)
{
    return core::keyTextAt(key, kTextPos).endPos + 4;
}

} // namespace

QStringList numberedChoiceLines(const QString &markupText)
{
    QStringList lines = splitBoxLines(markupText);
    for (int i = 0; i < lines.size(); ++i)
        lines[i].prepend(QString::number(i + 1) + u'.');
    return lines;
}

ChoiceDialog::ChoiceDialog(workspace::EditContext &ctx) : CommandDialog(ctx, 0x12)
{
    setObjectName(QStringLiteral("FrmSelect12"));
    // Enter in the text box starts a new line.
    configButton()->setDefault(false);
    configButton()->setAutoDefault(false);

    m_box = makeTextBox(this);
    body()->addWidget(makeColorToolbar(this, m_box));
    // One label for each of the first three lines of the box.
    auto *lines = new QGridLayout;
    auto *numbers = new QVBoxLayout;
    numbers->setSpacing(0);
    const char *lineLabels[][2] = {{"Label1", "선택문   1."}, {"Label3", " 2."}, {"Label4", " 3."}};
    for (const auto &[name, text] : lineLabels) {
        auto *label = new QLabel(QString::fromUtf8(text), this);
        label->setObjectName(QLatin1String(name));
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        numbers->addWidget(label);
    }
    numbers->addStretch();
    lines->addLayout(numbers, 0, 0);
    lines->addWidget(m_box, 0, 1);
    body()->addLayout(lines);
    addEncodingNote(body(), m_box, [box = m_box] { return storedBoxLoss(box); });

    m_picker = new CharacterPicker(this, ctx.nameTables(), PickerOptions{});
    body()->addWidget(m_picker->modeRow());
    auto *row = new QHBoxLayout;
    auto *who = new QLabel(QStringLiteral("인물"), this);
    who->setObjectName(QStringLiteral("Label2"));
    who->setBuddy(m_picker->elementWidget(0));
    row->addWidget(who);
    row->addWidget(m_picker->elementWidget(0));
    body()->addLayout(row);
    resize(329, 203);

    m_preview = addPreviewMenu(this);
    connect(m_preview, &QAction::triggered, this, [this] { preview(); });

    m_loadedText = text(kTextPos);
    loadStoredText(m_box, core::keyTextAt(key(), kTextPos).bytes, true);
    m_picker->setStoredValue(0, field(speakerPos(key()), 2));

    // Without a game folder there is nothing to preview with.
    m_preview->setVisible(!previewGameFolder(ctx).isEmpty());
    m_preview->setEnabled(!m_box->toPlainText().isEmpty());
    connect(m_box, &QTextEdit::textChanged, this,
            [this] { m_preview->setEnabled(!m_box->toPlainText().isEmpty()); });

    // Enter in the name or number box confirms at once.
    m_picker->nameBox(0)->installEventFilter(this);
    m_picker->numberBox(0)->installEventFilter(this);
}

bool ChoiceDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent *>(event)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            onConfig();
            return true;
        }
    }
    return CommandDialog::eventFilter(watched, event);
}

void ChoiceDialog::preview()
{
    DialoguePages &pages = sharedDialoguePages();
    const int number = m_picker->value(0);
    const int person = number < 1028 ? number : 0;
    pages.pageFace.resize(1);
    pages.pageFace[0] = personFaceEntry(context().gameData, person);
    pages.choiceLines = numberedChoiceLines(colorTextFromBox(m_box));
    openTextPreview(kSelectViewTool, context());
}

bool ChoiceDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = core::keyReplaceTextBytes(key, kTextPos, storedBoxBytes(m_box));
    setField(key, speakerPos(key), 2, m_picker->value(0));
    return true;
}

bool ChoiceDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        m_picker->applyStartMode(context().readSetting(QStringLiteral("Option"), QStringLiteral("Char_Select")));
    return CommandDialog::event(event);
}

void registerChoiceDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(0x12, QStringLiteral("FrmSelect12"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> { return std::make_unique<ChoiceDialog>(ctx); });
}

} // namespace commands
