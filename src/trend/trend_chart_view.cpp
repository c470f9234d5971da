#include "trend_chart_view.h"

#include <QAbstractAxis>
#include <QChart>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <QWheelEvent>

TrendChartView::TrendChartView(QChart *chart, QWidget *parent) : QChartView(chart, parent)
{
    setRubberBand(QChartView::HorizontalRubberBand);
    setMouseTracking(true);
    setRenderHint(QPainter::Antialiasing, false);
    m_line = new QGraphicsLineItem(chart);
    m_line->setPen(QPen(QColor(0x60, 0x60, 0x60), 1, Qt::DashLine));
    m_line->setZValue(20);
    m_box = new QGraphicsRectItem(chart);
    m_box->setBrush(QColor(255, 255, 235, 235));
    m_box->setPen(QPen(QColor(0x80, 0x80, 0x80)));
    m_box->setZValue(21);
    m_label = new QGraphicsSimpleTextItem(chart);
    m_label->setZValue(22);
    hideCrosshair();
}

void TrendChartView::hideCrosshair()
{
    m_line->hide();
    m_box->hide();
    m_label->hide();
    if (!m_text.isEmpty()) {
        m_text.clear();
        emit crosshairMoved();
    }
}

void TrendChartView::moveCrosshair(const QPointF &viewPos)
{
    QChart *c = chart();
    const QPointF scenePos = mapToScene(viewPos.toPoint());
    const QPointF pos = c->mapFromScene(scenePos);
    const QRectF plot = c->plotArea();
    if (!plot.contains(pos) || c->series().isEmpty() || !m_describe) {
        hideCrosshair();
        return;
    }
    const double x = c->mapToValue(pos, c->series().constFirst()).x();
    m_text = m_describe(x);
    m_line->setLine(pos.x(), plot.top(), pos.x(), plot.bottom());
    m_label->setText(m_text);
    const QRectF text = m_label->boundingRect();
    // The box beside the line, on the side with room for it.
    QPointF at(pos.x() + 10, plot.top() + 6);
    if (at.x() + text.width() + 8 > plot.right())
        at.setX(pos.x() - 10 - text.width() - 8);
    m_box->setRect(QRectF(at, text.size() + QSizeF(8, 6)));
    m_label->setPos(at + QPointF(4, 3));
    m_line->show();
    m_box->show();
    m_label->show();
    emit crosshairMoved();
}

void TrendChartView::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::RightButton || e->button() == Qt::MiddleButton) {
        m_panning = true;
        m_panned = false;
        m_panFrom = e->position();
        e->accept();
        return;
    }
    QChartView::mousePressEvent(e);
}

void TrendChartView::mouseMoveEvent(QMouseEvent *e)
{
    if (m_panning) {
        const QPointF d = e->position() - m_panFrom;
        if (std::abs(d.x()) >= 1) {
            chart()->scroll(-d.x(), 0);
            m_panFrom = e->position();
            m_panned = true;
        }
        e->accept();
    } else {
        QChartView::mouseMoveEvent(e);
    }
    moveCrosshair(e->position());
}

void TrendChartView::mouseReleaseEvent(QMouseEvent *e)
{
    if (m_panning && (e->button() == Qt::RightButton || e->button() == Qt::MiddleButton)) {
        m_panning = false;
        if (!m_panned && e->button() == Qt::RightButton)
            emit resetRequested();
        e->accept();
        return;
    }
    QChartView::mouseReleaseEvent(e);
}

void TrendChartView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        emit resetRequested();
        e->accept();
        return;
    }
    QChartView::mouseDoubleClickEvent(e);
}

void TrendChartView::wheelEvent(QWheelEvent *e)
{
    QChart *c = chart();
    const QRectF plot = c->plotArea();
    const QPointF pos = c->mapFromScene(mapToScene(e->position().toPoint()));
    if (!plot.contains(pos) || e->angleDelta().y() == 0) {
        QChartView::wheelEvent(e);
        return;
    }
    // Zooms by a quarter a notch, the time under the pointer staying put.
    const double factor = e->angleDelta().y() > 0 ? 0.75 : 1.0 / 0.75;
    const double left = pos.x() - plot.left();
    const double width = plot.width() * factor;
    const double newLeft = pos.x() - left * factor;
    c->zoomIn(QRectF(newLeft, plot.top(), width, plot.height()));
    e->accept();
}

void TrendChartView::leaveEvent(QEvent *e)
{
    hideCrosshair();
    QChartView::leaveEvent(e);
}
