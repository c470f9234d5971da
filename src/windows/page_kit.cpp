#include "page_kit.h"

#include "lamp_button.h"
#include "led_display.h"
#include "shadow_button.h"
#include "spin_edit.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kit {

LedDisplay *led(QWidget *parent, const QString &name, const QString &text)
{
    return new LedDisplay(name, text, parent);
}

QLabel *label(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QLabel *caption(QWidget *parent, const QString &text)
{
    return new QLabel(text, parent);
}

QGroupBox *group(QWidget *parent, const QString &name, const QString &title)
{
    auto *g = new QGroupBox(title, parent);
    g->setObjectName(name);
    return g;
}

QCheckBox *check(QWidget *parent, const QString &name, const QString &text)
{
    auto *c = new QCheckBox(text, parent);
    c->setObjectName(name);
    return c;
}

QCheckBox *readOnlyCheck(QWidget *parent, const QString &name, const QString &text)
{
    QCheckBox *c = check(parent, name, text);
    c->setAttribute(Qt::WA_TransparentForMouseEvents);
    c->setFocusPolicy(Qt::NoFocus);
    return c;
}

QRadioButton *radio(QWidget *parent, const QString &name, const QString &text)
{
    auto *r = new QRadioButton(text, parent);
    r->setObjectName(name);
    return r;
}

QLineEdit *edit(QWidget *parent, const QString &name, const QString &text)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(name);
    return e;
}

QDateEdit *datePicker(QWidget *parent, const QString &name)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(name);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    return d;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

ShadowButton *shadowButton(QWidget *parent, const QString &name, const QString &text)
{
    return new ShadowButton(name, text, parent);
}

LampButton *lamp(QWidget *parent, const QString &name, const QString &caption)
{
    return new LampButton(name, caption, parent);
}

QFrame *statusPlate(QWidget *parent, const QString &name, const QString &text, QSize minimum,
                    qreal fontScale)
{
    auto *plate = new QFrame(parent);
    plate->setAutoFillBackground(true);
    QPalette pal = plate->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    plate->setPalette(pal);
    plate->setMinimumSize(minimum);
    auto *lay = new QHBoxLayout(plate);
    lay->setContentsMargins(6, 0, 6, 0);
    QLabel *l = label(plate, name, text);
    QFont f = l->font();
    f.setBold(true);
    if (fontScale != 1.0)
        f.setPointSizeF(f.pointSizeF() * fontScale);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    lay->addWidget(l);
    return plate;
}

SpinEdit *spin(QWidget *parent, const QString &name, double minimum, double maximum, double step,
               int decimals, double value)
{
    return new SpinEdit(name, minimum, maximum, step, decimals, value, parent);
}

} // namespace kit
