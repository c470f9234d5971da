#pragma once
#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPixmap>

// A named list of equally sized pictures, found by its objectName. Every
// picture is drawn from an SVG source, so it stays sharp at any scale.
class ImageList : public QObject {
    Q_OBJECT
    Q_PROPERTY(int count READ count)
public:
    ImageList(const QString &name, QSize size, QObject *parent = nullptr);
    int count() const { return int(m_entries.size()); }
    QSize imageSize() const { return m_size; }
    // Adds the picture of an SVG file (a resource path such as ":/pictures/modem.svg").
    void addSvg(const QString &source);
    // The picture at imageSize() x dpr device pixels, with that device pixel
    // ratio: drawn into imageSize() on a screen of that scale, it is sharp.
    QPixmap pixmap(int i, qreal dpr = 1.0) const;
    QIcon icon(int i) const { return i >= 0 && i < count() ? m_entries[i].icon : QIcon(); }

private:
    struct Entry {
        QByteArray svg;
        QIcon icon;
    };
    QSize m_size;
    QList<Entry> m_entries;
};

namespace pictures {
// ImageList1: one 16 x 16 picture per device kind (0 analyser, 1 unused,
// 2 compensation relay, 3 overcurrent relay, 4 meter-reading modem).
ImageList *makeDeviceImages(QObject *parent);
// ImageList2: the five 16 x 16 frames of the animated tray icon.
ImageList *makeTrayImages(QObject *parent);
// The application's own icon (source: src/widgets/icons/tarnek-client.svg,
// also the scalable icon for the desktop's icon theme).
QIcon applicationIcon();
// An SVG source drawn at side x dpr device pixels, with that device pixel ratio.
QPixmap renderSvg(const QByteArray &svg, int side, qreal dpr = 1.0);
}
