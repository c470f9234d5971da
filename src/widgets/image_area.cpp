#include "image_area.h"

#include <QPainter>

ImageArea::ImageArea(const QString &name, QSize size, QWidget *parent)
    : QWidget(parent), m_image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32)
{
    setObjectName(name);
    setAccessibleName(name);
    m_image.fill(Qt::white);
    setFixedSize(m_image.size());
}

void ImageArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(QPoint(0, 0), m_image.size()), m_image);
}
