#include "commands/text/dialogue_preview.h"

#include "commands/text/text_dialogs.h"
#include "commands/common/face_picture.h"
#include "commands/text/preview_art.h"
#include "commands/text/text_previews.h"
#include "workspace/dialog_registry.h"

#include <QKeyEvent>
#include <QPainter>

namespace commands {

namespace {

constexpr int kGlyphMs = 10;
const QPoint kFaceAt(8, 24);
const QPoint kBubbleAt(160, 48);
const QPoint kPanelAt(64, 8);
const QPoint kNarrationAt(64 + 24, 8 + 21);

} // namespace

DialoguePreview::DialoguePreview(const DialoguePages &pages, const QString &gameFolder, QWidget *parent)
    : PagedPreview(parent, 497, 163, QStringLiteral("미리보기")),
      m_pages(pages),
      m_folder(gameFolder),
      m_font(GameFont::fromFolder(gameFolder)),
      m_bubble(321, 80, QImage::Format_RGB32),
      m_narration(parchmentSurface()),
      m_panel(parchmentPanel())
{
    setObjectName(QStringLiteral("FrmTalkView"));
    m_bubble.fill(Qt::white);
    m_talkShown = !isNarrationPage(m_pages, 0);
}

void DialoguePreview::start()
{
    m_state.page = 0;
    m_state.lineCounter = 0;
    showWord();
}

void DialoguePreview::prepare(bool narration)
{
    m_talkShown = !narration;
    if (narration)
        return;
    m_face = facePicture(m_folder, m_pages.pageFace.value(m_state.page));
    m_faceShown = true;
    m_font.drawPlain(m_bubble, 4, 4, nameUpToDigit(m_pages.pageSpeaker.value(m_state.page)), kFontBlue);
}

bool DialoguePreview::typePass()
{
    TalkSurfaces surfaces;
    surfaces.bubble = &m_bubble;
    surfaces.narration = &m_narration;
    surfaces.narrationBackground = parchmentSurface();
    surfaces.prepare = [this](bool narration) { prepare(narration); };
    return runTalkPass(m_pages, m_state, surfaces, m_font, [this] { return glyphPause(kGlyphMs, m_state.skip); });
}

ClickStep DialoguePreview::clickStep()
{
    return talkClick(m_pages, m_state);
}

void DialoguePreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (m_talkShown) {
        if (m_faceShown && !m_face.isNull())
            p.drawImage(QRect(kFaceAt, QSize(120, 120)), m_face);
        paintBubblePointer(p, 136, 96, 16, 14);
        paintBubbleEnd(p, 152, 48, 8, 80, false);
        p.drawImage(kBubbleAt, m_bubble);
        paintBubbleEnd(p, 480, 48, 8, 80, true);
    } else {
        p.drawImage(kPanelAt, m_panel);
        p.drawImage(kNarrationAt, m_narration);
    }
}

void DialoguePreview::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        reject();
}

void registerDialoguePreview(workspace::DialogRegistry &registry)
{
    registry.registerTool(
        kTalkViewTool,
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            return std::make_unique<DialoguePreview>(sharedDialoguePages(), previewFolder(ctx), previewOwner(ctx));
        });
}

} // namespace commands
