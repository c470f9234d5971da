#include "skin_title_bar.h"

#include <QMouseEvent>
#include <QPainter>

SkinTitleBar::SkinTitleBar(const QString &text, QWidget *parent) : QWidget(parent), m_text(text)
{
    setAccessibleName(text);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SkinTitleBar::setText(const QString &t)
{
    m_text = t;
    setAccessibleName(t);
    update();
}

void SkinTitleBar::setColor(const QColor &c)
{
    m_color = c;
    update();
}

QSize SkinTitleBar::sizeHint() const
{
    QFont f = font();
    f.setBold(true);
    const QFontMetrics fm(f);
    return {fm.horizontalAdvance(m_text) + 24, fm.height() + 10};
}

void SkinTitleBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, m_color.lighter(160));
    g.setColorAt(0.5, m_color);
    g.setColorAt(1, m_color.darker(130));
    p.fillRect(rect(), g);
    p.setPen(m_color.darker(200));
    p.drawLine(0, height() - 1, width(), height() - 1);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    const QRect tr = rect().adjusted(8, 0, -8, 0);
    p.drawText(tr, Qt::AlignLeft | Qt::AlignVCenter, QFontMetrics(f).elidedText(m_text, Qt::ElideRight, tr.width()));
}

void SkinTitleBar::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    m_dragging = true;
    m_dragOffset = e->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void SkinTitleBar::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_dragging || !(e->buttons() & Qt::LeftButton)) {
        m_dragging = false;
        return;
    }
    window()->move(e->globalPosition().toPoint() - m_dragOffset);
}
