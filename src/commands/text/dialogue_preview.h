#pragma once
// The dialogue preview: one page at a time, a face with the speaker's name
// and up to three rows in a speech bubble, or up to four rows of narration
// on parchment, typed glyph by glyph in the game's fonts. A click finishes
// the page being typed, then continues or turns it; Esc closes.
#include "commands/common/dialogue_pages.h"
#include "commands/common/game_font.h"
#include "commands/text/paged_preview.h"

#include <QImage>

namespace commands {

class DialoguePreview : public PagedPreview
{
    Q_OBJECT
public:
    DialoguePreview(const DialoguePages &pages, const QString &gameFolder, QWidget *parent = nullptr);

protected:
    void start() override;

public:
    const TalkViewState &state() const { return m_state; }
    bool talkShown() const { return m_talkShown; }
    const QImage &bubble() const { return m_bubble; }
    const QImage &narration() const { return m_narration; }
    const QImage &face() const { return m_face; }

protected:
    bool typePass() override;
    ClickStep clickStep() override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void prepare(bool narration);

    DialoguePages m_pages;
    QString m_folder;
    GameFont m_font;
    TalkViewState m_state;
    QImage m_bubble;
    QImage m_narration;
    QImage m_panel;
    QImage m_face;
    bool m_talkShown = true;
    bool m_faceShown = false;
};

} // namespace commands
