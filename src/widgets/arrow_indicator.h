#pragma once
#include <QColor>
#include <QWidget>

// Direction indicator: an arrow pointing left or right in its lit colour.
class ArrowIndicator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(Direction direction READ direction WRITE setDirection NOTIFY directionChanged)
    Q_PROPERTY(QColor litColor READ litColor WRITE setLitColor)
public:
    enum Direction { Left, Right };
    Q_ENUM(Direction)

    explicit ArrowIndicator(QWidget *parent = nullptr);
    ArrowIndicator(const QString &name, QWidget *parent);

    Direction direction() const { return m_direction; }
    void setDirection(Direction d);
    QColor litColor() const { return m_lit; }
    void setLitColor(const QColor &c);

    QSize sizeHint() const override;

signals:
    void directionChanged(ArrowIndicator::Direction d);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Direction m_direction = Right;
    QColor m_lit{0x00, 0xFF, 0x00};
};
