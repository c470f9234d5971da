#include "led_progress_bar.h"

#include <QPainter>

LedProgressBar::LedProgressBar(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("0"));
}

void LedProgressBar::setValue(int v)
{
    if (v == m_value)
        return;
    m_value = v;
    setAccessibleName(QString::number(v));
    update();
}

void LedProgressBar::setBarColor(const QColor &c)
{
    m_bar = c;
    update();
}

QSize LedProgressBar::sizeHint() const { return {150, 16}; }

void LedProgressBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    if (inner.width() < 4 || inner.height() < 2)
        return;
    // Segments of roughly 6 px with 2 px gaps; the value (shown as 0..100) lights
    // a proportional number of them.
    const int pitch = 8;
    const int segments = qMax(1, (inner.width() + 2) / pitch);
    const int shown = qBound(0, m_value, 100);
    const int lit = (shown * segments + 50) / 100;
    const qreal segW = (inner.width() + 2.0) / segments - 2.0;
    const QColor dark = m_bar.darker(500);
    for (int i = 0; i < segments; ++i) {
        const QRectF seg(inner.left() + i * (segW + 2.0), inner.top(), segW, inner.height());
        p.fillRect(seg, i < lit ? m_bar : dark);
    }
}
