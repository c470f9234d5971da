#pragma once
#include <QWidget>

// A gauge that shows one integer position between minimum and maximum; the
// position is clamped to the range. The kinds of gauge differ in painting only.
class LevelGauge : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
public:
    explicit LevelGauge(QWidget *parent = nullptr);

    int position() const { return m_position; }
    void setPosition(int p); // clamps
    int minimum() const { return m_min; }
    void setMinimum(int v);
    int maximum() const { return m_max; }
    void setMaximum(int v);

signals:
    void positionChanged(int position);

protected:
    // How full the gauge is, 0 to 1.
    qreal fraction() const;

private:
    int m_position = 0;
    int m_min = 0;
    int m_max = 100;
};
