#pragma once
#include <QColor>
#include <QWidget>

// Thermometer gauge: a column filled to position, between minimum and maximum.
class Thermometer : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(QColor mercuryColor READ mercuryColor WRITE setMercuryColor)
public:
    explicit Thermometer(QWidget *parent = nullptr);
    Thermometer(const QString &name, QWidget *parent);

    int position() const { return m_position; }
    void setPosition(int p); // clamps
    int minimum() const { return m_min; }
    void setMinimum(int v);
    int maximum() const { return m_max; }
    void setMaximum(int v);
    QColor mercuryColor() const { return m_mercury; }
    void setMercuryColor(const QColor &c);

    QSize sizeHint() const override;

signals:
    void positionChanged(int position);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_position = 0;
    int m_min = 0;
    int m_max = 100;
    QColor m_mercury{Qt::red};
};
