#include "image_list.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

ImageList::ImageList(const QString &name, QSize size, QObject *parent) : QObject(parent), m_size(size)
{
    setObjectName(name);
}

namespace {

QByteArray readSource(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An icon holding the picture at the sizes a desktop asks for; a screen at
// twice the scale takes the one twice as large.
QIcon iconOf(const QByteArray &svg, std::initializer_list<int> sides)
{
    QIcon icon;
    for (int side : sides)
        icon.addPixmap(pictures::renderSvg(svg, side));
    return icon;
}

} // namespace

void ImageList::addSvg(const QString &source)
{
    const QByteArray svg = readSource(source);
    m_entries.append({svg, iconOf(svg, {16, 24, 32, 48, 64})});
}

QPixmap ImageList::pixmap(int i, qreal dpr) const
{
    if (i < 0 || i >= count())
        return QPixmap();
    const Entry &e = m_entries[i];
    QPixmap pm = e.icon.pixmap(m_size, dpr);
    if (pm.size() != m_size * dpr) // a scale between the stored sizes: drawn anew
        pm = pictures::renderSvg(e.svg, m_size.width(), dpr);
    return pm;
}

namespace pictures {

QPixmap renderSvg(const QByteArray &svg, int side, qreal dpr)
{
    const int px = qMax(1, qRound(side * dpr));
    QPixmap pm(px, px);
    pm.fill(Qt::transparent);
    QSvgRenderer renderer(svg);
    if (renderer.isValid()) {
        QPainter p(&pm);
        renderer.render(&p, QRectF(0, 0, px, px));
    }
    pm.setDevicePixelRatio(dpr);
    return pm;
}

ImageList *makeDeviceImages(QObject *parent)
{
    auto *list = new ImageList(QStringLiteral("ImageList1"), QSize(16, 16), parent);
    for (const char *name : {"analyser", "unused", "compensation", "overcurrent", "modem"})
        list->addSvg(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(name)));
    return list;
}

ImageList *makeTrayImages(QObject *parent)
{
    auto *list = new ImageList(QStringLiteral("ImageList2"), QSize(16, 16), parent);
    for (int f = 0; f < 5; ++f)
        list->addSvg(QStringLiteral(":/pictures/tray%1.svg").arg(f));
    return list;
}

QIcon applicationIcon()
{
    static const QIcon icon =
        iconOf(readSource(QStringLiteral(":/pictures/tarnek-client.svg")), {16, 24, 32, 48, 64, 128, 256});
    return icon;
}

} // namespace pictures
