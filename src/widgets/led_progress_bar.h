#pragma once
#include <QColor>
#include <QWidget>

// Segmented LED progress bar without a percentage text. Values above 100 show
// a full bar.
class LedProgressBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)
    Q_PROPERTY(QColor barColor READ barColor WRITE setBarColor)
public:
    explicit LedProgressBar(QWidget *parent = nullptr);
    int value() const { return m_value; }
    void setValue(int v);
    QColor barColor() const { return m_bar; }
    void setBarColor(const QColor &c);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_value = 0;
    QColor m_bar{0x00, 0xC0, 0x00};
};
