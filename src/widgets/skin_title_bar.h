#pragma once
#include <QColor>
#include <QWidget>

// Painted title bar for borderless windows; dragging it moves its window.
class SkinTitleBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(QColor color READ color WRITE setColor)
public:
    SkinTitleBar(const QString &text, QWidget *parent);
    QString text() const { return m_text; }
    void setText(const QString &t);
    QColor color() const { return m_color; }
    void setColor(const QColor &c);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;

private:
    QString m_text;
    QColor m_color{0x40, 0x00, 0x80};
    QPoint m_dragOffset;
    bool m_dragging = false;
};
