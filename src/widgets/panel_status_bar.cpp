#include "panel_status_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {
// One status panel: text on the window colour in a thin sunken border.
class SunkenPanel : public QLabel {
public:
    explicit SunkenPanel(QWidget *parent) : QLabel(parent)
    {
        setTextFormat(Qt::PlainText);
        setContentsMargins(4, 1, 4, 1);
        setMinimumHeight(QFontMetrics(font()).height() + 6);
    }

protected:
    void paintEvent(QPaintEvent *e) override
    {
        QLabel::paintEvent(e);
        QPainter p(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.setPen(palette().color(QPalette::Window).darker(170));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(palette().color(QPalette::Window).lighter(150));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
};

QLabel *sunkenLabel(QWidget *parent) { return new SunkenPanel(parent); }
}

PanelStatusBar::PanelStatusBar(const QList<int> &panelWidths, QWidget *parent) : QWidget(parent)
{
    auto *col = new QVBoxLayout(this);
    col->setContentsMargins(1, 1, 1, 1);
    col->setSpacing(1);
    m_simple = sunkenLabel(this);
    m_simple->setObjectName(QStringLiteral("simpleText"));
    m_simple->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    col->addWidget(m_simple);
    auto *row = new QHBoxLayout;
    row->setSpacing(1);
    for (int i = 0; i < panelWidths.size(); ++i) {
        QLabel *panel = sunkenLabel(this);
        const int w = qMax(8, panelWidths[i]);
        if (i + 1 == panelWidths.size()) {
            // The last panel takes the rest of the row so its texts fit.
            panel->setMinimumWidth(w);
            row->addWidget(panel, 1);
        } else {
            panel->setMinimumWidth(w);
            panel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
            row->addWidget(panel, 0);
        }
        m_panels.append(panel);
    }
    if (!panelWidths.isEmpty())
        col->addLayout(row);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QString PanelStatusBar::simpleText() const { return m_simple->text(); }

void PanelStatusBar::setSimpleText(const QString &t)
{
    m_simple->setText(t);
    m_simple->setAccessibleName(t);
}

QString PanelStatusBar::panelText(int i) const
{
    const QLabel *l = m_panels.value(i);
    return l ? l->text() : QString();
}

void PanelStatusBar::setPanelText(int i, const QString &t)
{
    QLabel *l = m_panels.value(i);
    if (!l)
        return;
    l->setText(t);
    l->setAccessibleName(t);
}
