#pragma once
#include <QColor>
#include <QLabel>

// Underlined link caption: drawn in its unvisited colour until clicked, then
// in its visited colour. Emits clicked() on a left click.
class UrlLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QColor unvisitedColor READ unvisitedColor WRITE setUnvisitedColor)
    Q_PROPERTY(QColor visitedColor READ visitedColor WRITE setVisitedColor)
    Q_PROPERTY(bool visited READ isVisited WRITE setVisited)
public:
    explicit UrlLabel(QWidget *parent = nullptr);
    UrlLabel(const QString &name, const QString &caption, QWidget *parent);

    QColor unvisitedColor() const { return m_unvisited; }
    void setUnvisitedColor(const QColor &c);
    QColor visitedColor() const { return m_visited; }
    void setVisitedColor(const QColor &c);
    bool isVisited() const { return m_isVisited; }
    void setVisited(bool v);
    QColor shownColor() const { return m_isVisited ? m_visited : m_unvisited; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *) override;
    void changeEvent(QEvent *) override;

private:
    void applyColour();
    QColor m_unvisited{0x00, 0xFF, 0x00};
    QColor m_visited{0xFF, 0x00, 0x00};
    bool m_isVisited = false;
};
