#include "level_gauge.h"

LevelGauge::LevelGauge(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QString::number(m_position));
}

void LevelGauge::setPosition(int p)
{
    p = qBound(m_min, p, m_max);
    if (p == m_position)
        return;
    m_position = p;
    setAccessibleName(QString::number(p));
    update();
    emit positionChanged(p);
}

void LevelGauge::setMinimum(int v)
{
    m_min = v;
    m_max = qMax(m_max, v);
    setPosition(m_position);
    update();
}

void LevelGauge::setMaximum(int v)
{
    m_max = v;
    m_min = qMin(m_min, v);
    setPosition(m_position);
    update();
}

qreal LevelGauge::fraction() const
{
    return m_max > m_min ? qreal(m_position - m_min) / (m_max - m_min) : 0.0;
}
