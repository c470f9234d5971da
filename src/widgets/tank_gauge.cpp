#include "tank_gauge.h"

#include <QPainter>

TankGauge::TankGauge(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QString::number(m_position));
}

TankGauge::TankGauge(const QString &name, QWidget *parent) : TankGauge(parent)
{
    setObjectName(name);
}

void TankGauge::setPosition(int p)
{
    p = qBound(m_min, p, m_max);
    if (p == m_position)
        return;
    m_position = p;
    setAccessibleName(QString::number(p));
    update();
    emit positionChanged(p);
}

void TankGauge::setMinimum(int v)
{
    m_min = v;
    m_max = qMax(m_max, v);
    setPosition(m_position);
    update();
}

void TankGauge::setMaximum(int v)
{
    m_max = v;
    m_min = qMin(m_min, v);
    setPosition(m_position);
    update();
}

void TankGauge::setLiquidColor(const QColor &c)
{
    m_liquid = c;
    update();
}

QSize TankGauge::sizeHint() const { return {40, 90}; }

void TankGauge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tank = QRectF(rect()).adjusted(2.5, 4.5, -10.5, -2.5);
    if (tank.width() <= 2 || tank.height() <= 2)
        return;
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
    p.setBrush(QColor(0xF8, 0xF8, 0xF8));
    p.drawRoundedRect(tank, 4, 4);
    const qreal frac = m_max > m_min ? qreal(m_position - m_min) / (m_max - m_min) : 0.0;
    const QRectF liquid(tank.left() + 1.5, tank.bottom() - 1.5 - (tank.height() - 3) * frac, tank.width() - 3,
                        (tank.height() - 3) * frac);
    QLinearGradient g(liquid.topLeft(), liquid.topRight());
    g.setColorAt(0, m_liquid.darker(120));
    g.setColorAt(0.4, m_liquid.lighter(130));
    g.setColorAt(1, m_liquid.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(liquid, 3, 3);
    // Ticks at quarters on the right-hand side.
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    for (int i = 0; i <= 4; ++i) {
        const qreal y = tank.bottom() - tank.height() * i / 4.0;
        p.drawLine(QPointF(tank.right() + 2, y), QPointF(tank.right() + (i % 2 ? 6 : 9), y));
    }
}
