#pragma once
// The picture area of the pickers: shows a picture at its own size and
// reports the pointer. What follows the pointer (a cell frame, a rectangle,
// a face) is drawn by the owner's overlay painter on top, so the picture
// itself never has to be repainted to erase it.
#include <QImage>
#include <QPointF>
#include <QWidget>

#include <functional>

namespace pickers {

class MapView : public QWidget
{
    Q_OBJECT
public:
    using OverlayPainter = std::function<void(QPainter &)>;

    explicit MapView(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }
    void setOverlay(OverlayPainter overlay) { m_overlay = std::move(overlay); }
    // The picture with the overlay, as the view shows it.
    QImage composed() const;

signals:
    void pointerMoved(QPointF pos);
    void pressed(Qt::MouseButton button, QPointF pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    OverlayPainter m_overlay;
};

} // namespace pickers
