#include "tank_gauge.h"

#include <QPainter>

TankGauge::TankGauge(QWidget *parent) : LevelGauge(parent) {}

TankGauge::TankGauge(const QString &name, QWidget *parent) : LevelGauge(parent)
{
    setObjectName(name);
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
    const qreal frac = fraction();
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
