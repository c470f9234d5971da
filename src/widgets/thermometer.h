#pragma once
#include <QColor>
#include "level_gauge.h"

// Thermometer gauge: a column filled to position, between minimum and maximum.
class Thermometer : public LevelGauge {
    Q_OBJECT
    Q_PROPERTY(QColor mercuryColor READ mercuryColor WRITE setMercuryColor)
public:
    explicit Thermometer(QWidget *parent = nullptr);
    Thermometer(const QString &name, QWidget *parent);

    QColor mercuryColor() const { return m_mercury; }
    void setMercuryColor(const QColor &c);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_mercury{Qt::red};
};
