#pragma once
// Small constructors shared by the page builders: every component gets its
// objectName from the caller, so the pages read like the catalogue of names.
#include <QString>

class QWidget;
class QLabel;
class QGroupBox;
class QCheckBox;
class QRadioButton;
class QLineEdit;
class QDateEdit;
class QPushButton;
class QFrame;
class QSize;
class LedDisplay;
class LampButton;
class ShadowButton;
class SpinEdit;

namespace kit {
LedDisplay *led(QWidget *parent, const QString &name, const QString &text = QStringLiteral("000"));
QLabel *label(QWidget *parent, const QString &name, const QString &text);
QLabel *caption(QWidget *parent, const QString &text); // unnamed static text
QGroupBox *group(QWidget *parent, const QString &name, const QString &title);
QCheckBox *check(QWidget *parent, const QString &name, const QString &text = QString());
// A check box that only shows a state: clicks pass through it and it takes no
// focus, but it is not drawn greyed out.
QCheckBox *readOnlyCheck(QWidget *parent, const QString &name, const QString &text = QString());
QRadioButton *radio(QWidget *parent, const QString &name, const QString &text);
QLineEdit *edit(QWidget *parent, const QString &name, const QString &text = QString());
QDateEdit *datePicker(QWidget *parent, const QString &name);
QPushButton *button(QWidget *parent, const QString &name, const QString &text);
ShadowButton *shadowButton(QWidget *parent, const QString &name, const QString &text);
LampButton *lamp(QWidget *parent, const QString &name, const QString &caption = QString());
// A bold, centred status word on a small black plate of its own, so that
// words in lime, yellow or red stay readable on the cream pages.
QFrame *statusPlate(QWidget *parent, const QString &name, const QString &text, QSize minimum,
                    qreal fontScale = 1.0);
SpinEdit *spin(QWidget *parent, const QString &name, double minimum, double maximum, double step,
               int decimals, double value);
}
