#pragma once
// A one-line text that shows as much as fits and ends the rest with "…". It
// asks its layout for no width of its own, so a long text (a command key of
// several hundred characters in the status bar) never widens the window.
#include <QWidget>

namespace workspace {

class ElidedLabel : public QWidget
{
    Q_OBJECT
public:
    explicit ElidedLabel(const QString &text, QWidget *parent = nullptr);

    // The whole text, as set.
    QString text() const { return m_text; }
    void setText(const QString &text);
    // What the current width shows.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};

} // namespace workspace
