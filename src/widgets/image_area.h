#pragma once
#include <QImage>
#include <QWidget>

// A fixed-size raster picture that code draws into (fill, lines, rectangles,
// text) and that shows what was drawn.
class ImageArea : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QSize imageSize READ imageSize)
    // The numbers a chart draws (its bars), for those who read them as
    // numbers; empty for other pictures.
    Q_PROPERTY(QList<double> values READ values WRITE setValues)
public:
    ImageArea(const QString &name, QSize size, QWidget *parent);
    QSize imageSize() const { return m_image.size(); }
    QImage &canvas() { return m_image; }   // draw, then call update()
    const QImage &image() const { return m_image; }
    QSize sizeHint() const override { return m_image.size(); }
    QList<double> values() const { return m_values; }
    void setValues(const QList<double> &values) { m_values = values; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QImage m_image;
    QList<double> m_values;
};
