#pragma once
#include <QAbstractButton>
#include <QColor>

// Large push button drawn with a drop shadow.
class ShadowButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(QColor shadowColor READ shadowColor WRITE setShadowColor)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor)
public:
    explicit ShadowButton(QWidget *parent = nullptr);
    ShadowButton(const QString &name, const QString &caption, QWidget *parent);

    QColor color() const { return m_color; }
    void setColor(const QColor &c);
    QColor shadowColor() const { return m_shadow; }
    void setShadowColor(const QColor &c);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &c);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor m_color{0xE8, 0xE4, 0xF4};
    QColor m_shadow{0x60, 0x60, 0x60};
    QColor m_textColor{0x40, 0x00, 0x80};
};
