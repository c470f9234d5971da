#include "thermometer.h"

#include <QPainter>

Thermometer::Thermometer(QWidget *parent) : LevelGauge(parent) {}

Thermometer::Thermometer(const QString &name, QWidget *parent) : LevelGauge(parent)
{
    setObjectName(name);
}

void Thermometer::setMercuryColor(const QColor &c)
{
    m_mercury = c;
    update();
}

QSize Thermometer::sizeHint() const { return {30, 100}; }

void Thermometer::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal bulb = qMax(6.0, qMin(width() * 0.5, height() * 0.25));
    const qreal tube = bulb * 0.45;
    const qreal cx = width() / 2.0 - 3;
    const QPointF bulbC(cx, height() - bulb / 2 - 2);
    const QRectF tubeR(cx - tube / 2, 3, tube, bulbC.y() - 3);
    if (tubeR.height() <= 4)
        return;
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(tubeR, tube / 2, tube / 2);
    p.drawEllipse(bulbC, bulb / 2, bulb / 2);

    const qreal frac = fraction();
    const qreal top = tubeR.top() + tube / 2;
    const qreal span = tubeR.bottom() - top;
    p.setPen(Qt::NoPen);
    p.setBrush(m_mercury);
    const qreal inner = tube - 3;
    p.drawRect(QRectF(cx - inner / 2, tubeR.bottom() - span * frac, inner, span * frac + 1));
    p.drawEllipse(bulbC, bulb / 2 - 1.5, bulb / 2 - 1.5);
    // Ticks at fifths beside the tube.
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    for (int i = 0; i <= 5; ++i) {
        const qreal y = tubeR.bottom() - span * i / 5.0;
        p.drawLine(QPointF(tubeR.right() + 2, y), QPointF(tubeR.right() + (i % 5 ? 5 : 8), y));
    }
}
