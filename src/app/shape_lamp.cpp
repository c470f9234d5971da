#include "shape_lamp.h"

#include <QPainter>
#include <QTimer>

ShapeLamp::ShapeLamp(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAccessibleName(tr("Veri lambası"));
    setFixedSize(sizeHint());
    // The flicker's changes, one per tick.
    m_flickerTimer = new QTimer(this);
    m_flickerTimer->setTimerType(Qt::PreciseTimer);
    m_flickerTimer->setInterval(1);
    connect(m_flickerTimer, &QTimer::timeout, this, [this] {
        if (--m_flickerLeft <= 0) {
            m_flickerLeft = 0;
            m_flickerTimer->stop();
        }
        update();
    });
}

void ShapeLamp::setColor(const QColor &c)
{
    if (c == m_color)
        return;
    m_color = c;
    update();
}

void ShapeLamp::flicker(int changes, int intervalMs)
{
    m_flickerLeft = qMax(0, changes);
    m_flickerTimer->start(qMax(1, intervalMs));
    update();
}

void ShapeLamp::stopFlicker()
{
    if (!flickering())
        return;
    m_flickerLeft = 0;
    m_flickerTimer->stop();
    update();
}

QColor ShapeLamp::shownColor() const
{
    // With an odd number of changes to go, the lamp shows the inverse.
    return m_flickerLeft % 2 ? QColor::fromRgb(m_color.rgb() ^ 0xFF00FF) : m_color;
}

void ShapeLamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(shownColor());
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}
