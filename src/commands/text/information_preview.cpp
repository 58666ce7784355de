#include "commands/text/information_preview.h"

#include "commands/text/text_dialogs.h"
#include "commands/common/dialogue_pages.h"
#include "commands/text/preview_art.h"
#include "commands/text/text_previews.h"
#include "workspace/dialog_registry.h"

#include <QKeyEvent>
#include <QPainter>

namespace commands {

namespace {
constexpr int kGlyphMs = 50;
}

InformationPreview::InformationPreview(const QStringList &lines, const QString &gameFolder, QWidget *parent)
    : PagedPreview(parent, 369, 161, QStringLiteral("미리보기")),
      m_lines(lines),
      m_font(GameFont::fromFolder(gameFolder)),
      m_panel(parchmentPanel()),
      m_background(parchmentSurface()),
      m_surface(m_background)
{
    setObjectName(QStringLiteral("FrmExplanation"));
}

void InformationPreview::start()
{
    m_state.firstLine = 0;
    showWord();
}

bool InformationPreview::typePass()
{
    return runExplanationPass(m_lines, m_state, m_surface, m_background, m_font,
                              [this] { return glyphPause(kGlyphMs, m_state.skip); });
}

ClickStep InformationPreview::clickStep()
{
    return explanationClick(m_state);
}

void InformationPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.drawImage(QPoint(8, 8), m_panel);
    p.drawImage(QPoint(8 + 24, 8 + 21), m_surface);
}

void InformationPreview::keyPressEvent(QKeyEvent *event)
{
    // No key closes this window; only clicks and its close box do.
    event->accept();
}

void registerInformationPreview(workspace::DialogRegistry &registry)
{
    registry.registerTool(
        kExplanationTool,
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            return std::make_unique<InformationPreview>(sharedDialoguePages().dialogueLines, previewFolder(ctx),
                                                    previewOwner(ctx));
        });
}

} // namespace commands
