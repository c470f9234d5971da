#pragma once
#include <QColor>
#include <QWidget>

// Liquid level gauge: a tank filled to position, between minimum and maximum.
class TankGauge : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(QColor liquidColor READ liquidColor WRITE setLiquidColor)
public:
    explicit TankGauge(QWidget *parent = nullptr);
    TankGauge(const QString &name, QWidget *parent);

    int position() const { return m_position; }
    void setPosition(int p); // clamps
    int minimum() const { return m_min; }
    void setMinimum(int v);
    int maximum() const { return m_max; }
    void setMaximum(int v);
    QColor liquidColor() const { return m_liquid; }
    void setLiquidColor(const QColor &c);

    QSize sizeHint() const override;

signals:
    void positionChanged(int position);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_position = 0;
    int m_min = 0;
    int m_max = 100;
    QColor m_liquid{0x1E, 0x90, 0xFF};
};
