#pragma once
// The text page preview of information texts: up to four rows a page on
// parchment, typed glyph by glyph; clicks turn the pages, the click after
// the last page closes. Esc does not close it.
#include "commands/common/game_font.h"
#include "commands/text/paged_preview.h"

#include <QImage>
#include <QStringList>

namespace commands {

class InformationPreview : public PagedPreview
{
    Q_OBJECT
public:
    InformationPreview(const QStringList &lines, const QString &gameFolder, QWidget *parent = nullptr);

protected:
    void start() override;

public:
    const ExplanationState &state() const { return m_state; }
    const QImage &surface() const { return m_surface; }

protected:
    bool typePass() override;
    ClickStep clickStep() override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:

    QStringList m_lines;
    GameFont m_font;
    ExplanationState m_state;
    QImage m_panel;
    QImage m_background;
    QImage m_surface;
};

} // namespace commands
