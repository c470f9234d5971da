#include "needle_meter.h"

#include <QPainter>
#include <QtMath>

namespace {
// The scale spans 55 degrees either side of straight up.
constexpr qreal kHalfSweep = 55.0;
}

NeedleMeter::NeedleMeter(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QString::number(m_position));
}

NeedleMeter::NeedleMeter(const QString &name, QWidget *parent) : NeedleMeter(parent)
{
    setObjectName(name);
}

void NeedleMeter::setPosition(int p)
{
    p = qBound(m_min, p, qMax(m_min, m_max));
    if (p == m_position)
        return;
    m_position = p;
    setAccessibleName(QString::number(p));
    update();
    emit positionChanged(p);
}

void NeedleMeter::setMinimum(int v) { setRange(v, qMax(v, m_max)); }
void NeedleMeter::setMaximum(int v) { setRange(qMin(v, m_min), v); }

void NeedleMeter::setRange(int lo, int hi)
{
    if (hi < lo)
        std::swap(lo, hi);
    m_min = lo;
    m_max = hi;
    const int p = qBound(m_min, m_position, m_max);
    if (p != m_position) {
        m_position = p;
        setAccessibleName(QString::number(p));
        emit positionChanged(p);
    }
    update();
}

void NeedleMeter::setScaleLabels(const QStringList &l)
{
    m_labels = l;
    update();
}

void NeedleMeter::setLeftCaption(const QString &s)
{
    m_left = s;
    update();
}

void NeedleMeter::setRightCaption(const QString &s)
{
    m_right = s;
    update();
}

void NeedleMeter::setTitle(const QString &s)
{
    m_title = s;
    update();
}

void NeedleMeter::setNeedleColor(const QColor &c)
{
    m_needle = c;
    update();
}

void NeedleMeter::setFaceColor(const QColor &c)
{
    m_face = c;
    update();
}

QSize NeedleMeter::sizeHint() const { return {200, 130}; }

void NeedleMeter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(m_face);
    p.drawRoundedRect(frame, 4, 4);

    QFont bold = font();
    bold.setBold(true);
    const QFontMetricsF bfm(bold);

    // Rows from the top: side captions, the scale labels, the arc down to the
    // pivot near the bottom; the title sits inside the arc above the pivot.
    const bool captions = !m_left.isEmpty() || !m_right.isEmpty();
    const qreal top = 2 + (captions ? bfm.height() : 0);
    const QPointF pivot(width() / 2.0, height() - 7.0);
    const qreal sinS = qSin(qDegreesToRadians(kHalfSweep));
    qreal lineH = QFontMetricsF(font()).height();
    qreal labelW = 0;
    for (const QString &s : m_labels)
        labelW = qMax(labelW, QFontMetricsF(font()).horizontalAdvance(s));
    const qreal byHeight = pivot.y() - top - lineH - 1;
    // The end labels sit outside the arc's ends and must stay inside the frame.
    const qreal cosS = qCos(qDegreesToRadians(kHalfSweep));
    const qreal endExtra = sinS * labelW / 2 + cosS * lineH / 2;
    const qreal byWidth = (width() / 2.0 - 3 - labelW / 2) / sinS - 2 - endExtra;
    const qreal radius = qMax(10.0, qMin(byHeight, byWidth));

    // Shrink the label face when neighbouring labels would touch.
    QFont labelFont = font();
    const int gaps = qMax(1, int(m_labels.size()) - 1);
    const qreal chord = 2 * (radius + lineH / 2) * qSin(qDegreesToRadians(kHalfSweep / gaps));
    if (labelW > 0 && labelW > chord - 4) {
        const qreal scale = qMax(0.6, (chord - 4) / labelW);
        labelFont.setPointSizeF(qMax(5.0, labelFont.pointSizeF() * scale));
    }
    const QFontMetricsF lfm(labelFont);

    const auto pointAt = [&](qreal angleDeg, qreal r) {
        const qreal a = qDegreesToRadians(angleDeg);
        return QPointF(pivot.x() + r * qSin(a), pivot.y() - r * qCos(a));
    };

    // Arc and ticks; major ticks line up with the labels.
    const qreal tickLong = qBound(4.0, radius * 0.12, 9.0);
    const QRectF arcRect(pivot.x() - radius, pivot.y() - radius, 2 * radius, 2 * radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.5));
    p.drawArc(arcRect, int((90 - kHalfSweep) * 16), int(2 * kHalfSweep * 16));
    const int majors = qMax(2, int(m_labels.size()));
    const int minorPer = majors > 6 ? 2 : 4;
    const int ticks = (majors - 1) * minorPer;
    for (int i = 0; i <= ticks; ++i) {
        const qreal angle = -kHalfSweep + 2 * kHalfSweep * i / ticks;
        const bool major = i % minorPer == 0;
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), major ? 1.6 : 1.0));
        p.drawLine(pointAt(angle, radius), pointAt(angle, radius - (major ? tickLong : tickLong / 2)));
    }
    p.setFont(labelFont);
    p.setPen(palette().windowText().color());
    lineH = lfm.height();
    for (int i = 0; i < m_labels.size(); ++i) {
        const qreal angle = m_labels.size() == 1 ? 0 : -kHalfSweep + 2 * kHalfSweep * i / (m_labels.size() - 1);
        const qreal w = lfm.horizontalAdvance(m_labels[i]);
        // Just outside the arc: the label box's nearest corner touches radius + 2.
        const qreal a = qDegreesToRadians(angle);
        const qreal extra = qAbs(qSin(a)) * w / 2 + qAbs(qCos(a)) * lineH / 2;
        const QPointF at = pointAt(angle, radius + 2 + extra);
        p.drawText(QRectF(at.x() - w / 2 - 1, at.y() - lineH / 2, w + 2, lineH), Qt::AlignCenter, m_labels[i]);
    }
    p.setFont(font());
    // Side captions over the two halves of the scale.
    if (captions) {
        p.setFont(bold);
        const QRectF leftR(4, 2, width() / 2.0 - 6, bfm.height());
        const QRectF rightR(width() / 2.0 + 2, 2, width() / 2.0 - 6, bfm.height());
        p.setPen(QColor(0x00, 0x40, 0xA0));
        p.drawText(leftR, Qt::AlignCenter, bfm.elidedText(m_left, Qt::ElideRight, leftR.width()));
        p.setPen(QColor(0xA0, 0x40, 0x00));
        p.drawText(rightR, Qt::AlignCenter, bfm.elidedText(m_right, Qt::ElideRight, rightR.width()));
        p.setFont(font());
    }

    // Needle.
    const qreal span = qMax(1, m_max - m_min);
    const qreal angle = -kHalfSweep + 2 * kHalfSweep * (m_position - m_min) / span;
    p.setPen(QPen(m_needle, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pivot, pointAt(angle, radius - 2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawEllipse(pivot, 4, 4);
    if (!m_title.isEmpty()) {
        const QFontMetricsF fm(font());
        const qreal y = pivot.y() - qMax(fm.height() + 6, radius * 0.42) - fm.height() / 2;
        const QRectF tr(pivot.x() - radius * 0.7, y, radius * 1.4, fm.height());
        const QString shown = fm.elidedText(m_title, Qt::ElideRight, tr.width());
        // A small plate in the face colour keeps the title readable where the
        // needle crosses it.
        const qreal w = fm.horizontalAdvance(shown) + 6;
        QColor plate = m_face;
        plate.setAlpha(210);
        p.setPen(Qt::NoPen);
        p.setBrush(plate);
        p.drawRoundedRect(QRectF(tr.center().x() - w / 2, tr.top(), w, tr.height()), 2, 2);
        p.setPen(palette().windowText().color());
        p.drawText(tr, Qt::AlignCenter, shown);
    }
}
