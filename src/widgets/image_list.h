#pragma once
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPixmap>

// A named list of equally sized pictures, found by its objectName.
class ImageList : public QObject {
    Q_OBJECT
    Q_PROPERTY(int count READ count)
public:
    ImageList(const QString &name, QSize size, QObject *parent = nullptr);
    int count() const { return int(m_pixmaps.size()); }
    QSize imageSize() const { return m_size; }
    void add(const QPixmap &p) { m_pixmaps.append(p); }
    QPixmap pixmap(int i) const { return m_pixmaps.value(i); }
    QIcon icon(int i) const { return QIcon(m_pixmaps.value(i)); }

private:
    QSize m_size;
    QList<QPixmap> m_pixmaps;
};

namespace pictures {
// ImageList1: one 16 x 16 picture per device kind (0 analyser, 1 unused,
// 2 compensation relay, 3 overcurrent relay, 4 meter-reading modem).
ImageList *makeDeviceImages(QObject *parent);
// ImageList2: the five 16 x 16 frames of the animated tray icon.
ImageList *makeTrayImages(QObject *parent);
// The application's own icon.
QIcon applicationIcon();
}
