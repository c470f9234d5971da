#pragma once
#include <QColor>
#include <QWidget>

// The activity lamp of the top strip: a small rounded rectangle filled with
// its colour.
class ShapeLamp : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
public:
    ShapeLamp(const QString &name, QWidget *parent);
    QColor color() const { return m_color; }
    void setColor(const QColor &c);
    // Blinks: `changes` times red and blue inverted, `intervalMs` apart,
    // ending on the colour. Timers draw it; nothing waits.
    void flicker(int changes, int intervalMs);
    bool flickering() const { return m_flickerLeft > 0; }
    void stopFlicker();
    QSize sizeHint() const override { return {22, 13}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor shownColor() const;
    QColor m_color{Qt::white};
    int m_flickerLeft = 0;
    class QTimer *m_flickerTimer = nullptr;
};
