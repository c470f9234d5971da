#include "shape_lamp.h"

#include <QPainter>

ShapeLamp::ShapeLamp(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAccessibleName(tr("Veri lambası"));
    setFixedSize(sizeHint());
}

void ShapeLamp::setColor(const QColor &c)
{
    if (c == m_color)
        return;
    m_color = c;
    update();
}

void ShapeLamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(m_color);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}
