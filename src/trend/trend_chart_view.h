#pragma once
// The trend chart's view: dragging with the left button zooms into the time
// span it marks, dragging with the right or middle button moves the chart
// in time, the wheel zooms around the pointer, a double click (or a right
// click without dragging) shows the whole range again. A crosshair follows
// the pointer with the time and the values under it.
#include <QChartView>

#include <functional>

class QGraphicsLineItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;

class TrendChartView : public QChartView {
    Q_OBJECT
    Q_PROPERTY(QString crosshairText READ crosshairText NOTIFY crosshairMoved)
public:
    explicit TrendChartView(QChart *chart, QWidget *parent = nullptr);

    // The text for the crosshair at time x (UTC ms); set by the window.
    void setDescriber(std::function<QString(double x)> describe) { m_describe = std::move(describe); }
    QString crosshairText() const { return m_text; }
    // Puts the crosshair at the point of the view (what a mouse move does).
    void moveCrosshair(const QPointF &viewPos);
    void hideCrosshair();

signals:
    void crosshairMoved();
    // The whole range again (double click, right click).
    void resetRequested();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    std::function<QString(double)> m_describe;
    QGraphicsLineItem *m_line = nullptr;
    QGraphicsRectItem *m_box = nullptr;
    QGraphicsSimpleTextItem *m_label = nullptr;
    QString m_text;
    QPointF m_panFrom;
    bool m_panning = false;
    bool m_panned = false;
};
