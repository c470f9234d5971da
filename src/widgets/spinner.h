#pragma once
#include <QWidget>

// A pair of up/down arrow buttons that step a number held elsewhere.
class Spinner : public QWidget {
    Q_OBJECT
public:
    Spinner(const QString &name, QWidget *parent);
    QSize sizeHint() const override;
signals:
    void upClicked();
    void downClicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
};
