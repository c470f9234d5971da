#pragma once
#include <QColor>
#include <QStringList>
#include <QWidget>

// Analogue needle gauge. The position is an integer clamped to
// [minimum, maximum]; the scale labels are spread evenly from left to right.
class NeedleMeter : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(QStringList scaleLabels READ scaleLabels WRITE setScaleLabels)
    Q_PROPERTY(QString leftCaption READ leftCaption WRITE setLeftCaption)
    Q_PROPERTY(QString rightCaption READ rightCaption WRITE setRightCaption)
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(QColor needleColor READ needleColor WRITE setNeedleColor)
    Q_PROPERTY(QColor faceColor READ faceColor WRITE setFaceColor)
public:
    explicit NeedleMeter(QWidget *parent = nullptr);
    NeedleMeter(const QString &name, QWidget *parent);

    int position() const { return m_position; }
    void setPosition(int p); // clamps to [minimum, maximum]
    int minimum() const { return m_min; }
    void setMinimum(int v);
    int maximum() const { return m_max; }
    void setMaximum(int v);
    void setRange(int lo, int hi);
    QStringList scaleLabels() const { return m_labels; }
    void setScaleLabels(const QStringList &l);
    QString leftCaption() const { return m_left; }
    void setLeftCaption(const QString &s);
    QString rightCaption() const { return m_right; }
    void setRightCaption(const QString &s);
    QString title() const { return m_title; }
    void setTitle(const QString &s);
    QColor needleColor() const { return m_needle; }
    void setNeedleColor(const QColor &c);
    QColor faceColor() const { return m_face; }
    void setFaceColor(const QColor &c);

    QSize sizeHint() const override;

signals:
    void positionChanged(int position);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_position = 0;
    int m_min = -50;
    int m_max = 50;
    QStringList m_labels;
    QString m_left, m_right, m_title;
    QColor m_needle{Qt::red};
    QColor m_face{0xFF, 0xFB, 0xF0};
};
