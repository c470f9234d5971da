#include "spinner.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

Spinner::Spinner(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAccessibleName(name);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize Spinner::sizeHint() const { return {16, 22}; }

void Spinner::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal half = height() / 2.0;
    const QColor face = palette().button().color();
    const QColor edge = palette().mid().color();
    const QColor arrow = isEnabled() ? palette().buttonText().color() : palette().mid().color();
    for (int i = 0; i < 2; ++i) {
        const QRectF r(0.5, 0.5 + i * half, width() - 1.0, half - 1.0);
        p.setPen(QPen(edge, 1));
        p.setBrush(face);
        p.drawRoundedRect(r, 2, 2);
        const qreal s = qMin(r.width(), r.height()) * 0.28;
        const QPointF c = r.center();
        QPolygonF tri;
        if (i == 0)
            tri << c + QPointF(-s * 1.2, s * 0.6) << c + QPointF(s * 1.2, s * 0.6) << c + QPointF(0, -s * 0.7);
        else
            tri << c + QPointF(-s * 1.2, -s * 0.6) << c + QPointF(s * 1.2, -s * 0.6) << c + QPointF(0, s * 0.7);
        p.setPen(Qt::NoPen);
        p.setBrush(arrow);
        p.drawPolygon(tri);
    }
}

void Spinner::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !isEnabled())
        return;
    if (e->position().y() < height() / 2.0)
        emit upClicked();
    else
        emit downClicked();
}
