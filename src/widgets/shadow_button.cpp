#include "shadow_button.h"

#include <QPainter>

namespace {
constexpr int kShadow = 4; // offset of the drop shadow
}

ShadowButton::ShadowButton(QWidget *parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont f = font();
    f.setBold(true);
    setFont(f);
}

ShadowButton::ShadowButton(const QString &name, const QString &caption, QWidget *parent) : ShadowButton(parent)
{
    setObjectName(name);
    setText(caption);
    setAccessibleName(caption);
}

void ShadowButton::setColor(const QColor &c)
{
    m_color = c;
    update();
}

void ShadowButton::setShadowColor(const QColor &c)
{
    m_shadow = c;
    update();
}

void ShadowButton::setTextColor(const QColor &c)
{
    m_textColor = c;
    update();
}

QSize ShadowButton::sizeHint() const
{
    const QFontMetrics fm(font());
    return {qMax(90, fm.horizontalAdvance(text()) + 28 + kShadow), qMax(34, fm.height() + 16 + kShadow)};
}

QSize ShadowButton::minimumSizeHint() const
{
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(text()) + 12 + kShadow, fm.height() + 6 + kShadow};
}

void ShadowButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0.5, 0.5, width() - kShadow - 1.0, height() - kShadow - 1.0);
    const bool enabled = isEnabled();
    const bool pressed = isDown() && enabled;
    // The shadow stays put; a pressed face sinks into it.
    if (enabled) {
        QColor sh = m_shadow;
        sh.setAlpha(150);
        p.setPen(Qt::NoPen);
        p.setBrush(sh);
        p.drawRoundedRect(face.translated(kShadow, kShadow), 4, 4);
    }
    const QRectF r = pressed ? face.translated(kShadow - 1, kShadow - 1) : face;
    QColor base = enabled ? m_color : QColor(0xE4, 0xE4, 0xE4);
    if (enabled && underMouse() && !pressed)
        base = base.lighter(108);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, base.lighter(112));
    g.setColorAt(1, base.darker(pressed ? 115 : 104));
    const QColor border = enabled ? (underMouse() || hasFocus() ? m_textColor : m_textColor.lighter(200))
                                  : QColor(0xB0, 0xB0, 0xB0);
    p.setPen(QPen(border, hasFocus() ? 1.6 : 1.0));
    p.setBrush(g);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(enabled ? m_textColor : QColor(0x90, 0x90, 0x90));
    const QFontMetrics fm(font());
    const QRect tr = r.toRect().adjusted(4, 1, -4, -1);
    // One line when it fits; two wrapped lines when the face is tall enough;
    // elided as the last resort.
    if (fm.horizontalAdvance(text()) <= tr.width())
        p.drawText(tr, Qt::AlignCenter, text());
    else if (tr.height() >= 2 * fm.height() &&
             fm.boundingRect(tr, Qt::AlignCenter | Qt::TextWordWrap, text()).height() <= tr.height())
        p.drawText(tr, Qt::AlignCenter | Qt::TextWordWrap, text());
    else
        p.drawText(tr, Qt::AlignCenter, fm.elidedText(text(), Qt::ElideRight, tr.width()));
}
