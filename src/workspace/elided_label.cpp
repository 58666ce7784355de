#include "workspace/elided_label.h"

#include <QPainter>

namespace workspace {

namespace {
constexpr int kMargin = 2;
}

ElidedLabel::ElidedLabel(const QString &text, QWidget *parent) : QWidget(parent), m_text(text)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(m_text, Qt::ElideRight, qMax(0, width() - 2 * kMargin));
}

QSize ElidedLabel::sizeHint() const { return minimumSizeHint(); }

QSize ElidedLabel::minimumSizeHint() const { return {0, fontMetrics().height() + 2 * kMargin}; }

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    p.drawText(rect().adjusted(kMargin, 0, -kMargin, 0), Qt::AlignLeft | Qt::AlignVCenter, shownText());
}

} // namespace workspace
