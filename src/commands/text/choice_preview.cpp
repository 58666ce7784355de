#include "commands/text/choice_preview.h"

#include "commands/text/text_dialogs.h"
#include "commands/common/dialogue_pages.h"
#include "commands/common/face_picture.h"
#include "commands/common/typing_wait.h"
#include "commands/text/preview_art.h"
#include "commands/text/preview_passes.h"
#include "commands/text/text_previews.h"
#include "workspace/dialog_registry.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace commands {

namespace {

const QPoint kFaceAt(16, 24);
const QPoint kBodyAt(168, 64);
constexpr int kBoxW = 305, kBoxH = 18;
// The pause after each line: rounds of event processing, not time.
constexpr int kPauseRounds = 20001;

} // namespace

QRect ChoicePreview::boxRect(int i)
{
    return QRect(kBodyAt + QPoint(8, 8 + 16 * i), QSize(kBoxW, kBoxH));
}

QRect ChoicePreview::bodyRect()
{
    return QRect(kBodyAt, QSize(321, 64));
}

ChoicePreview::ChoicePreview(const QStringList &choiceLines, int faceEntry, const QString &gameFolder,
                             QWidget *parent)
    : PreviewWindow(parent, 513, 167, QStringLiteral("선택문 미리보기")),
      m_lines(choiceLines),
      m_faceEntry(faceEntry),
      m_folder(gameFolder),
      m_font(GameFont::fromFolder(gameFolder))
{
    setObjectName(QStringLiteral("FrmSelectView"));
    setMouseTracking(true);
    for (QImage &b : m_box) {
        b = QImage(kBoxW, kBoxH, QImage::Format_RGB32);
        b.fill(Qt::white);
    }
}

bool ChoicePreview::linePause()
{
    const QPointer<ChoicePreview> self(this);
    const int rounds = instantTyping() ? 1 : kPauseRounds;
    for (int i = 0; i < rounds; ++i) {
        QCoreApplication::processEvents();
        if (!self || closing())
            return false;
    }
    return true;
}

void ChoicePreview::start()
{
    m_face = facePicture(m_folder, m_faceEntry);
    for (int i = 0; i < kBoxes; ++i)
        m_box[std::size_t(i)].fill(Qt::white);
    m_shown.fill(false);
    m_ready = false;
    update();
    // The window has three line boxes; lines past them are not shown.
    const int count = std::min(int(m_lines.size()), kBoxes);
    for (int i = 0; i < count; ++i) {
        m_shown[std::size_t(i)] = true;
        showWord(i, kFontBlack, qRgb(255, 255, 255));
        if (!linePause())
            return;
    }
    m_ready = true;
}

void ChoicePreview::showWord(int line, FontColor color, QRgb background)
{
    drawChoiceLine(m_box[std::size_t(line)], m_font, m_lines.value(line), color, background);
    update();
}

void ChoicePreview::allPlain()
{
    for (int i = 0; i < kBoxes; ++i)
        if (m_shown[std::size_t(i)])
            showWord(i, kFontBlack, qRgb(255, 255, 255));
}

int ChoicePreview::boxAt(const QPoint &pos) const
{
    for (int i = 0; i < kBoxes; ++i)
        if (boxRect(i).contains(pos))
            return i;
    return -1;
}

void ChoicePreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!m_face.isNull())
        p.drawImage(QRect(kFaceAt, QSize(120, 120)), m_face);
    paintBubblePointer(p, 144, 96, 16, 14);
    paintBubbleEnd(p, 160, 64, 16, 64, false);
    p.fillRect(bodyRect(), Qt::white);
    paintBubbleEnd(p, 488, 64, 16, 64, true);
    for (int i = 0; i < kBoxes; ++i)
        p.drawImage(boxRect(i).topLeft(), m_box[std::size_t(i)]);
}

void ChoicePreview::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const int i = boxAt(pos);
    if (i < 0) {
        if (bodyRect().contains(pos))
            allPlain();
        return;
    }
    // Moving with the left button held keeps the pressed look.
    if (!m_ready || event->buttons() == Qt::LeftButton)
        return;
    allPlain();
    if (m_shown[std::size_t(i)])
        showWord(i, kFontWhite, qRgb(0, 0, 255));
}

void ChoicePreview::mousePressEvent(QMouseEvent *event)
{
    const int i = boxAt(event->position().toPoint());
    m_pressedBox = i;
    if (i >= 0 && m_ready && m_shown[std::size_t(i)])
        showWord(i, kFontBlack, qRgb(255, 0, 0));
}

void ChoicePreview::mouseReleaseEvent(QMouseEvent *)
{
    // The release belongs to the box the press began on, shown or not.
    if (m_pressedBox >= 0)
        accept();
    m_pressedBox = -1;
}

void registerChoicePreview(workspace::DialogRegistry &registry)
{
    registry.registerTool(
        kSelectViewTool,
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            const DialoguePages &pages = sharedDialoguePages();
            return std::make_unique<ChoicePreview>(pages.choiceLines, pages.pageFace.value(0), previewFolder(ctx),
                                                   previewOwner(ctx));
        });
}

} // namespace commands
