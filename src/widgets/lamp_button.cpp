#include "lamp_button.h"

#include <QPainter>
#include <QStyleOption>

LampButton::LampButton(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::toggled, this, &LampButton::litChanged);
    connect(this, &QAbstractButton::toggled, this, [this] { update(); });
}

LampButton::LampButton(const QString &name, const QString &caption, QWidget *parent) : LampButton(parent)
{
    setObjectName(name);
    setText(caption);
    setAccessibleName(caption.isEmpty() ? name : caption);
}

void LampButton::setLitColor(const QColor &c)
{
    m_lit = c;
    update();
}

void LampButton::setDarkColor(const QColor &c)
{
    m_dark = c;
    update();
}

QSize LampButton::sizeHint() const
{
    const int lamp = 22;
    if (text().isEmpty())
        return {lamp + 4, lamp + 4};
    const QFontMetrics fm(font());
    return {qMax(lamp + 4, fm.horizontalAdvance(text()) + 6), lamp + 4 + fm.height()};
}

void LampButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());
    const int captionH = text().isEmpty() ? 0 : fm.height();
    const qreal side = qMax(4.0, qMin(qreal(width()) - 2, qreal(height() - captionH) - 2));
    const QRectF lamp((width() - side) / 2.0, 1, side, side);

    const QColor base = isChecked() ? m_lit : m_dark;
    // Bezel, then the lamp with a highlight so it reads as a round button.
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    QLinearGradient bezel(lamp.topLeft(), lamp.bottomLeft());
    bezel.setColorAt(0, QColor(0xE0, 0xE0, 0xE0));
    bezel.setColorAt(1, QColor(0x60, 0x60, 0x60));
    p.setBrush(bezel);
    p.drawEllipse(lamp);
    const QRectF inner = lamp.adjusted(side * 0.14, side * 0.14, -side * 0.14, -side * 0.14);
    QRadialGradient glow(inner.center() - QPointF(inner.width() * 0.2, inner.height() * 0.2), inner.width() * 0.7);
    glow.setColorAt(0, base.lighter(isChecked() ? 150 : 220));
    glow.setColorAt(1, isDown() ? base.darker(140) : base);
    p.setPen(QPen(base.darker(200), 1));
    p.setBrush(glow);
    p.drawEllipse(inner);
    // Power symbol: broken ring with a bar.
    const QColor mark = isChecked() ? base.darker(250) : QColor(0xA0, 0xA0, 0xA0);
    p.setPen(QPen(mark, qMax(1.0, side / 14.0), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF ring = inner.adjusted(inner.width() * 0.25, inner.height() * 0.25, -inner.width() * 0.25,
                                       -inner.height() * 0.25);
    p.drawArc(ring, 120 * 16, 300 * 16);
    p.drawLine(QPointF(ring.center().x(), ring.top() - ring.height() * 0.1), ring.center());

    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(lamp.adjusted(-0.5, -0.5, 0.5, 0.5));
    }
    if (captionH) {
        p.setPen(palette().windowText().color());
        const QRect cap(0, int(lamp.bottom()) + 1, width(), captionH);
        p.drawText(cap, Qt::AlignHCenter | Qt::AlignTop, fm.elidedText(text(), Qt::ElideRight, width()));
    }
}
