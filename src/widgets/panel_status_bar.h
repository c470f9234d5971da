#pragma once
#include <QWidget>

class QLabel;

// Status bar with one running text line and fixed-width panels under it.
class PanelStatusBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString simpleText READ simpleText WRITE setSimpleText)
public:
    PanelStatusBar(const QList<int> &panelWidths, QWidget *parent);
    QString simpleText() const;
    void setSimpleText(const QString &t);
    int panelCount() const { return int(m_panels.size()); }
    QString panelText(int i) const;
    void setPanelText(int i, const QString &t);

private:
    QLabel *m_simple;
    QList<QLabel *> m_panels;
};
