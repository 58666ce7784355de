#pragma once
// The text page preview of information texts: up to four rows a page on
// parchment, typed glyph by glyph; clicks turn the pages, the click after
// the last page closes. Esc does not close it.
#include "commands/common/game_font.h"
#include "commands/text/preview_passes.h"
#include "commands/text/preview_window.h"

#include <QImage>
#include <QStringList>

namespace commands {

class FrmExplanation : public PreviewWindow
{
    Q_OBJECT
public:
    FrmExplanation(const QStringList &lines, const QString &gameFolder, QWidget *parent = nullptr);

protected:
    void start() override;

public:
    void click();
    const ExplanationState &state() const { return m_state; }
    const QImage &surface() const { return m_surface; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showWord();

    QStringList m_lines;
    GameFont m_font;
    ExplanationState m_state;
    QImage m_panel;
    QImage m_background;
    QImage m_surface;
};

} // namespace commands
