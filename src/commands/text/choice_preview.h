#pragma once
// The choice-window preview: the speaker's face and the choice lines written
// one after another into a speech bubble; once all stand, the line under the
// pointer is highlighted, a pressed line turns red, and releasing the button
// over a line closes the window.
#include "commands/common/game_font.h"
#include "commands/text/preview_window.h"

#include <QImage>
#include <QStringList>

#include <array>

namespace commands {

class ChoicePreview : public PreviewWindow
{
    Q_OBJECT
public:
    static constexpr int kBoxes = 3;

    ChoicePreview(const QStringList &choiceLines, int faceEntry, const QString &gameFolder,
                  QWidget *parent = nullptr);

protected:
    void start() override;

public:
    bool ready() const { return m_ready; }
    bool lineShown(int i) const { return m_shown[std::size_t(i)]; }
    const QImage &box(int i) const { return m_box[std::size_t(i)]; }
    // Where box i lies in the window.
    static QRect boxRect(int i);
    static QRect bodyRect();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int boxAt(const QPoint &pos) const;
    void showWord(int line, FontColor color, QRgb background);
    void allPlain();
    bool linePause();

    QStringList m_lines;
    int m_faceEntry;
    QString m_folder;
    GameFont m_font;
    QImage m_face;
    std::array<QImage, kBoxes> m_box;
    std::array<bool, kBoxes + 1> m_shown{};
    bool m_ready = false;
    int m_pressedBox = -1;
};

} // namespace commands
