#include "commands/text/shared_text_dialog.h"

#include "commands/text/text_dialogs.h"
#include "commands/common/encoding_note.h"
#include "commands/common/dialogue_pages.h"
#include "commands/text/markup_text_box.h"
#include "commands/text/text_previews.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "workspace/dialog_registry.h"

#include <QAction>
#include <QLabel>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace commands {

SharedTextDialog::SharedTextDialog(workspace::EditContext &ctx, int code) : CommandDialog(ctx, code)
{
    setObjectName(QStringLiteral("FrmString"));
    const QString menuName = ctx.menuName;
    setWindowTitle(QStringLiteral("수정 - ") + menuName);

    m_box = makeTextBox(this);
    body()->addWidget(makeColorToolbar(this, m_box));
    auto *label = new QLabel(QStringLiteral("글자"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setBuddy(m_box);
    body()->addWidget(label);
    body()->addWidget(m_box);
    addEncodingNote(body(), m_box, [box = m_box] { return storedBoxLoss(box); });
    resize(265, 245);
    m_preview = addPreviewMenu(this);
    connect(m_preview, &QAction::triggered, this, [this] { preview(); });

    // The text comes from the key: the caption writes a line feed as "\n",
    // which a stored backslash and n would read as too.
    if (hasText(key())) {
        m_loadedText = text(kTextPos);
        loadStoredText(m_box, core::keyTextAt(key(), kTextPos).bytes, isMenu(0x14));
    }
}

bool SharedTextDialog::hasText(const QString &key)
{
    return key.mid(kTextPos - 5, 4) == QStringLiteral("0500");
}

bool SharedTextDialog::isMenu(int code) const
{
    return context().menuName == core::menuName(code);
}

void SharedTextDialog::preview()
{
    if (m_box->toPlainText().isEmpty())
        return;
    DialoguePages &pages = sharedDialoguePages();
    if (isMenu(0x14)) {
        cutDialoguePages(pages, colorTextFromBox(m_box), context().gameData);
        openTextPreview(kTalkViewTool, context());
    } else if (isMenu(0x16)) {
        pages.dialogueLines = splitBoxLines(boxPlainText(m_box));
        for (QString &line : pages.dialogueLines)
            line += QStringLiteral("\r\n");
        openTextPreview(kExplanationTool, context());
    }
}

bool SharedTextDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = hasText(key) ? core::keyReplaceTextBytes(key, kTextPos, storedBoxBytes(m_box)) : 0;
    return true;
}

namespace {

constexpr int kTextCommands[] = {0x02, 0x14, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x69};

} // namespace

void registerSharedTextDialog(workspace::DialogRegistry &registry)
{
    for (int code : kTextCommands) {
        registry.registerDialog(code, workspace::kSharedTextForm,
                                [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
                                    return std::make_unique<SharedTextDialog>(ctx, core::keyCode(ctx.doc().key(ctx.node)));
                                });
    }
}

} // namespace commands
