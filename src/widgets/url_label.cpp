#include "url_label.h"

#include <QMouseEvent>

UrlLabel::UrlLabel(QWidget *parent) : QLabel(parent)
{
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    applyColour();
}

UrlLabel::UrlLabel(const QString &name, const QString &caption, QWidget *parent) : UrlLabel(parent)
{
    setObjectName(name);
    setText(caption);
    setAccessibleName(caption);
}

void UrlLabel::setUnvisitedColor(const QColor &c)
{
    m_unvisited = c;
    applyColour();
}

void UrlLabel::setVisitedColor(const QColor &c)
{
    m_visited = c;
    applyColour();
}

void UrlLabel::setVisited(bool v)
{
    m_isVisited = v;
    applyColour();
}

void UrlLabel::applyColour()
{
    // Only the text colour is ours; the background comes from the caller.
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, shownColor());
    pal.setColor(QPalette::Text, shownColor());
    setPalette(pal);
    update();
}

void UrlLabel::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        setVisited(true);
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(e);
}

void UrlLabel::changeEvent(QEvent *e)
{
    QLabel::changeEvent(e);
    // A caller's new palette (a black background, say) keeps our text colour.
    if (e->type() == QEvent::PaletteChange && palette().color(QPalette::WindowText) != shownColor())
        applyColour();
    if (e->type() == QEvent::FontChange && !font().underline()) {
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
    }
}
