#include "arrow_indicator.h"

#include <QPainter>
#include <QPainterPath>

ArrowIndicator::ArrowIndicator(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("→"));
}

ArrowIndicator::ArrowIndicator(const QString &name, QWidget *parent) : ArrowIndicator(parent)
{
    setObjectName(name);
}

void ArrowIndicator::setDirection(Direction d)
{
    if (d == m_direction)
        return;
    m_direction = d;
    setAccessibleName(d == Left ? QStringLiteral("←") : QStringLiteral("→"));
    update();
    emit directionChanged(d);
}

void ArrowIndicator::setLitColor(const QColor &c)
{
    if (c == m_lit)
        return;
    m_lit = c;
    update();
}

QSize ArrowIndicator::sizeHint() const { return {32, 20}; }

void ArrowIndicator::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    // Arrow pointing right: a shaft of half the height and a head of a third of
    // the width; mirrored for the left direction.
    const qreal head = qMin(r.width() * 0.45, r.height());
    const qreal shaftTop = r.top() + r.height() * 0.28;
    const qreal shaftBottom = r.bottom() - r.height() * 0.28;
    QPainterPath path;
    path.moveTo(r.left(), shaftTop);
    path.lineTo(r.right() - head, shaftTop);
    path.lineTo(r.right() - head, r.top());
    path.lineTo(r.right(), r.center().y());
    path.lineTo(r.right() - head, r.bottom());
    path.lineTo(r.right() - head, shaftBottom);
    path.lineTo(r.left(), shaftBottom);
    path.closeSubpath();
    if (m_direction == Left) {
        QTransform t;
        t.translate(r.left() + r.right(), 0);
        t.scale(-1, 1);
        path = t.map(path);
    }
    p.setPen(QPen(m_lit.darker(220), 1.0));
    p.setBrush(m_lit);
    p.drawPath(path);
}
