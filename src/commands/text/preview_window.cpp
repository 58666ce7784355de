#include "commands/text/preview_window.h"

#include "commands/common/typing_wait.h"
#include "commands/text/text_previews.h"
#include "core/game/game_data.h"
#include "workspace/edit_context.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

namespace commands {

PreviewWindow::PreviewWindow(QWidget *parent, int width, int height, const QString &title) : QDialog(parent)
{
    setModal(true);
    setWindowTitle(title);
    setFixedSize(width, height);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
}

void PreviewWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, [this] { activate(); });
}

void PreviewWindow::activate()
{
    if (m_started || m_closing)
        return;
    m_started = true;
    start();
}

void PreviewWindow::done(int result)
{
    m_closing = true;
    QDialog::done(result);
}

bool PreviewWindow::glyphPause(int ms, const bool &skip)
{
    if (m_closing)
        return false;
    update();
    const QPointer<PreviewWindow> self(this);
    if (!typingWait(ms, skip, this) || !self)
        return false;
    return !m_closing;
}

QWidget *previewOwner(const workspace::ProgramServices &ctx)
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return ctx.parent;
}

QString previewFolder(const workspace::ProgramServices &ctx)
{
    const QString stored = previewGameFolder(ctx);
    if (!stored.isEmpty())
        return stored;
    return ctx.gameData ? ctx.gameData->folder : QString();
}

} // namespace commands
