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
    QSize sizeHint() const override { return {22, 13}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_color{Qt::white};
};
