#include "led_display.h"

#include <QAccessible>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

namespace {

// What the segment face shows for a character of the caption: a ',' is drawn
// as the face's decimal point (the face has no comma glyph), a space as an
// empty digit cell.
QString shownText(const QString &text, bool segmentFace)
{
    if (!segmentFace)
        return text;
    QString s = text;
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    s.replace(QLatin1Char(' '), QLatin1Char('!')); // '!' is the face's blank digit cell
    return s;
}

// The dim background digits: an '8' in every digit cell and the separators kept
// so the lit glyphs land on their ghosts ('.' and ':' take no cell of their own
// in the segment face).
QString ghostText(const QString &shown)
{
    QString g;
    g.reserve(shown.size());
    for (QChar c : shown) {
        if (c == QLatin1Char('.') || c == QLatin1Char(':'))
            g.append(c);
        else
            g.append(QLatin1Char('8'));
    }
    return g;
}

} // namespace

QString LedDisplay::segmentFontFamily()
{
    static const QString family = [] {
        const QString wanted = QStringLiteral("DSEG7 Classic");
        if (QFontDatabase::families().contains(wanted))
            return wanted;
        for (const char *file : {"/usr/share/fonts/truetype/dseg/DSEG7Classic-Bold.ttf",
                                 "/usr/share/fonts/truetype/dseg/DSEG7Classic-Regular.ttf"}) {
            const QString path = QString::fromLatin1(file);
            if (!QFile::exists(path))
                continue;
            const int id = QFontDatabase::addApplicationFont(path);
            if (id < 0)
                continue;
            const QStringList fams = QFontDatabase::applicationFontFamilies(id);
            if (!fams.isEmpty())
                return fams.first();
        }
        return QString();
    }();
    return family;
}

LedDisplay::LedDisplay(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

LedDisplay::LedDisplay(const QString &name, const QString &text, QWidget *parent) : LedDisplay(parent)
{
    setObjectName(name);
    setText(text);
}

void LedDisplay::setText(const QString &caption)
{
    const QString text = caption.left(kMaxChars);
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    update();
    emit textChanged(text);
}

void LedDisplay::setLitColor(const QColor &c)
{
    m_lit = c;
    update();
}

void LedDisplay::setUnlitColor(const QColor &c)
{
    m_unlit = c;
    update();
}

void LedDisplay::setBackgroundColor(const QColor &c)
{
    m_background = c;
    update();
}

void LedDisplay::setAlignment(Qt::Alignment a)
{
    m_alignment = a;
    update();
}

QFont LedDisplay::displayFont(int pixelSize) const
{
    const QString family = segmentFontFamily();
    QFont f;
    if (!family.isEmpty()) {
        f = QFont(family);
        f.setBold(true);
    } else {
        f = QFont(QStringLiteral("DejaVu Sans Mono"));
        f.setStyleHint(QFont::Monospace);
        f.setBold(true);
    }
    f.setPixelSize(qMax(4, pixelSize));
    f.setKerning(false);
    return f;
}

QSize LedDisplay::sizeHint() const
{
    // ~7 characters at the 22 px height the forms use.
    const QFontMetrics fm(displayFont(14));
    return {fm.horizontalAdvance(QStringLiteral("8888888")) + 8, 22};
}

QSize LedDisplay::minimumSizeHint() const
{
    return {24, 14};
}

// Finds the face size and horizontal condensing that fit the caption into the
// widget. Kept until the caption or the size changes, so a repaint with the
// same caption costs only the drawing.
const LedDisplay::Fit &LedDisplay::fit() const
{
    const bool segment = !segmentFontFamily().isEmpty();
    const QString shown = shownText(m_text, segment);
    if (m_fit.valid && m_fit.shown == shown && m_fit.size == size())
        return m_fit;
    m_fit = Fit{};
    m_fit.valid = true;
    m_fit.segment = segment;
    m_fit.shown = shown;
    m_fit.size = size();
    m_fit.area = QRectF(rect()).adjusted(3, 2, -3, -2);
    if (shown.isEmpty() || m_fit.area.width() <= 1 || m_fit.area.height() <= 1)
        return m_fit;
    m_fit.ghost = segment ? ghostText(shown) : QString();
    const QRectF &area = m_fit.area;
    // The glyphs fill the height; a caption too wide for the box is first
    // condensed (down to 60 %), then drawn smaller, so it is never cut off.
    constexpr qreal kMinCondense = 0.6;
    int px = qMax(4, int(area.height() * (segment ? 0.92 : 1.0)));
    QFont font = displayFont(px);
    qreal textW = 0, condense = 1.0;
    for (int guard = 0; guard < 64; ++guard) {
        const QFontMetricsF fm(font);
        const qreal h = segment ? fm.ascent() : fm.height();
        textW = qMax(fm.horizontalAdvance(shown), segment ? fm.horizontalAdvance(m_fit.ghost) : 0.0);
        if (h > area.height() + 0.5 && px > 4) {
            px = qMax(4, qMin(px - 1, int(px * area.height() / h)));
            font = displayFont(px);
            continue;
        }
        condense = qMin(1.0, area.width() / qMax(textW, 1.0));
        if (condense >= kMinCondense || px <= 4)
            break;
        px = qMax(4, qMin(px - 1, int(px * condense / kMinCondense)));
        font = displayFont(px);
    }
    m_fit.font = font;
    m_fit.textWidth = textW;
    m_fit.condense = condense;
    return m_fit;
}

void LedDisplay::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
    const Fit &f = fit();
    if (f.shown.isEmpty() || f.textWidth <= 0)
        return;
    const QString &shown = f.shown;
    const QString &ghost = f.ghost;
    const QRectF &area = f.area;
    const bool segment = f.segment;
    const qreal textW = f.textWidth;
    const qreal condense = f.condense;
    p.setFont(f.font);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFontMetricsF fm(f.font);
    const qreal textH = segment ? fm.ascent() : fm.height();
    const qreal baseline = area.top() + (area.height() - textH) / 2 + fm.ascent();
    const qreal drawnW = textW * condense;
    qreal x = area.right() - drawnW;
    if (m_alignment & Qt::AlignLeft)
        x = area.left();
    else if (m_alignment & Qt::AlignHCenter)
        x = area.left() + (area.width() - drawnW) / 2;
    p.setClipRect(area.adjusted(-2, -2, 2, 2));
    p.translate(x, baseline);
    p.scale(condense, 1.0);
    // Right-aligned pieces end at the same place so glyphs sit on their ghosts.
    const auto startOf = [&](const QString &s) { return textW - fm.horizontalAdvance(s); };
    if (segment) {
        p.setPen(m_unlit);
        p.drawText(QPointF(startOf(ghost), 0), ghost);
    }
    p.setPen(m_lit);
    p.drawText(QPointF(startOf(shown), 0), shown);
}
