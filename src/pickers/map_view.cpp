#include "pickers/map_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace pickers {

MapView::MapView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void MapView::setPicture(const QImage &picture)
{
    m_picture = picture;
    setFixedSize(picture.size());
    update();
}

QImage MapView::composed() const
{
    QImage out = m_picture.convertToFormat(QImage::Format_RGB32);
    if (m_overlay) {
        QPainter p(&out);
        m_overlay(p);
    }
    return out;
}

void MapView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
    if (m_overlay)
        m_overlay(p);
}

void MapView::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerMoved(event->position());
}

void MapView::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button(), event->position());
}

} // namespace pickers
