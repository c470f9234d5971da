#pragma once
#include <QColor>
#include "level_gauge.h"

// Liquid level gauge: a tank filled to position, between minimum and maximum.
class TankGauge : public LevelGauge {
    Q_OBJECT
    Q_PROPERTY(QColor liquidColor READ liquidColor WRITE setLiquidColor)
public:
    explicit TankGauge(QWidget *parent = nullptr);
    TankGauge(const QString &name, QWidget *parent);

    QColor liquidColor() const { return m_liquid; }
    void setLiquidColor(const QColor &c);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_liquid{0x1E, 0x90, 0xFF};
};
