#include "display_sinks.h"

#include "arrow_indicator.h"
#include "lamp_button.h"
#include "led_display.h"
#include "named_widgets.h"

#include <QCheckBox>
#include <QLabel>

namespace display {

TextSink TextSink::find(const NamedWidgets &widgets, const QString &name)
{
    TextSink s;
    QObject *o = widgets.object(name);
    s.m_led = qobject_cast<LedDisplay *>(o);
    if (!s.m_led)
        s.m_label = qobject_cast<QLabel *>(o);
    return s;
}

QWidget *TextSink::widget() const
{
    return m_led ? static_cast<QWidget *>(m_led) : m_label;
}

QString TextSink::text() const
{
    if (m_led)
        return m_led->text();
    return m_label ? m_label->text() : QString();
}

void TextSink::set(const QString &text) const
{
    if (m_led) {
        if (m_led->text() != text)
            m_led->setText(text);
    } else if (m_label && m_label->text() != text) {
        m_label->setText(text);
    }
}

void TextSink::setColour(QRgb colour) const
{
    if (QWidget *w = widget())
        setFontColour(w, colour);
}

void setChecked(QCheckBox *box, bool on)
{
    if (box && box->isChecked() != on)
        box->setChecked(on);
}

void setLit(LampButton *lamp, bool on)
{
    if (lamp && lamp->isLit() != on)
        lamp->setLit(on);
}

void setArrow(ArrowIndicator *arrow, bool right, QRgb colour)
{
    if (!arrow)
        return;
    const auto direction = right ? ArrowIndicator::Right : ArrowIndicator::Left;
    if (arrow->direction() != direction)
        arrow->setDirection(direction);
    if (arrow->litColor().rgb() != (colour | 0xFF000000u))
        arrow->setLitColor(QColor::fromRgb(colour));
}

QRgb fontColour(const QWidget *w)
{
    return w ? w->palette().color(QPalette::WindowText).rgb() & 0xFFFFFFu : 0;
}

void setFontColour(QWidget *w, QRgb colour)
{
    if (!w || fontColour(w) == (colour & 0xFFFFFFu))
        return;
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, QColor::fromRgb(colour));
    w->setPalette(p);
}

} // namespace display
