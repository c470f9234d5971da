#include "image_list.h"

#include <QPainter>
#include <QPainterPath>

ImageList::ImageList(const QString &name, QSize size, QObject *parent) : QObject(parent), m_size(size)
{
    setObjectName(name);
}

namespace {

QPixmap blank(int side = 16)
{
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    return pm;
}

// A small panel meter: dial with a needle.
QPixmap analyser()
{
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x20, 0x20, 0x50), 1));
    p.setBrush(QColor(0xF4, 0xF4, 0xFF));
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
    p.setPen(QPen(QColor(0x40, 0x00, 0x80), 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3.5, 5.5, 9, 9), 30 * 16, 120 * 16);
    p.setPen(QPen(Qt::red, 1.2));
    p.drawLine(QPointF(8, 11.5), QPointF(11, 6.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(8, 11.5), 1.2, 1.2);
    return pm;
}

// Unused slot: a faint dotted square so a wrong index is visible.
QPixmap placeholder()
{
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1, Qt::DotLine));
    p.drawRect(2, 2, 11, 11);
    return pm;
}

// Compensation relay: a capacitor symbol on a box.
QPixmap compensation()
{
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x00, 0x50, 0x90), 1));
    p.setBrush(QColor(0xE0, 0xF0, 0xFF));
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
    p.setPen(QPen(QColor(0x00, 0x30, 0x60), 1.6));
    p.drawLine(QPointF(8, 2), QPointF(8, 6));
    p.drawLine(QPointF(4, 6.5), QPointF(12, 6.5));
    p.drawLine(QPointF(4, 9.5), QPointF(12, 9.5));
    p.drawLine(QPointF(8, 10), QPointF(8, 14));
    return pm;
}

// Overcurrent relay: a lightning bolt on an amber box.
QPixmap overcurrent()
{
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x50, 0x00), 1));
    p.setBrush(QColor(0xFF, 0xE6, 0x80));
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
    QPainterPath bolt;
    bolt.moveTo(9.5, 1.5);
    bolt.lineTo(4, 9);
    bolt.lineTo(7.5, 9);
    bolt.lineTo(6, 14.5);
    bolt.lineTo(12, 6.5);
    bolt.lineTo(8.5, 6.5);
    bolt.closeSubpath();
    p.setPen(QPen(QColor(0x60, 0x20, 0x00), 0.8));
    p.setBrush(QColor(0xE0, 0x20, 0x10));
    p.drawPath(bolt);
    return pm;
}

// Meter-reading modem: an energy meter with an antenna.
QPixmap modem()
{
    QPixmap pm = blank();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(QColor(0xF0, 0xF0, 0xF0));
    p.drawRect(QRectF(1.5, 5.5, 10, 10));
    p.setBrush(QColor(0x10, 0x10, 0x10));
    p.drawRect(QRectF(3.5, 7.5, 6, 3));
    p.setPen(QPen(QColor(0x00, 0xE0, 0x00), 1));
    p.drawLine(QPointF(4.5, 9), QPointF(8.5, 9));
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
    p.drawLine(QPointF(13.5, 15), QPointF(13.5, 3));
    p.setPen(QPen(QColor(0xC0, 0x00, 0x00), 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(11, 0.5, 5, 5), 0, 180 * 16);
    p.setBrush(QColor(0xC0, 0x00, 0x00));
    p.drawEllipse(QPointF(13.5, 3), 1, 1);
    return pm;
}

// Tray animation: a signal pulse growing out of a mast; frame k lights k of
// the three rings, the last frame also lights the mast.
QPixmap trayFrame(int frame, int side = 16)
{
    QPixmap pm = blank(side);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 16.0, side / 16.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x00, 0x80));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setBrush(frame >= 4 ? QColor(0x40, 0xFF, 0x40) : QColor(Qt::white));
    const QPointF c(8, 11);
    p.drawEllipse(c, 1.6, 1.6);
    p.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= 3; ++ring) {
        const bool on = ring <= frame;
        p.setPen(QPen(on ? QColor(0x40, 0xFF, 0x40) : QColor(0x80, 0x60, 0xB0), 1.4, Qt::SolidLine,
                      Qt::RoundCap));
        const qreal rad = 1.6 + ring * 2.3;
        p.drawArc(QRectF(c.x() - rad, c.y() - rad, 2 * rad, 2 * rad), 45 * 16, 90 * 16);
    }
    return pm;
}

} // namespace

namespace pictures {

ImageList *makeDeviceImages(QObject *parent)
{
    auto *list = new ImageList(QStringLiteral("ImageList1"), QSize(16, 16), parent);
    list->add(analyser());
    list->add(placeholder());
    list->add(compensation());
    list->add(overcurrent());
    list->add(modem());
    return list;
}

ImageList *makeTrayImages(QObject *parent)
{
    auto *list = new ImageList(QStringLiteral("ImageList2"), QSize(16, 16), parent);
    for (int f = 0; f < 5; ++f)
        list->add(trayFrame(f));
    return list;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 64.0, side / 64.0);
        // Purple disc, a white lightning bolt and a green signal arc.
        QLinearGradient g(0, 0, 0, 64);
        g.setColorAt(0, QColor(0x70, 0x30, 0xB0));
        g.setColorAt(1, QColor(0x30, 0x00, 0x60));
        p.setPen(QPen(QColor(0x20, 0x00, 0x40), 2));
        p.setBrush(g);
        p.drawEllipse(QRectF(2, 2, 60, 60));
        QPainterPath bolt;
        bolt.moveTo(36, 8);
        bolt.lineTo(18, 36);
        bolt.lineTo(30, 36);
        bolt.lineTo(26, 56);
        bolt.lineTo(46, 26);
        bolt.lineTo(34, 26);
        bolt.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xFF, 0xE0, 0x40));
        p.drawPath(bolt);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x40, 0xFF, 0x40), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(40, 34, 16, 16), -60 * 16, 120 * 16);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace pictures
