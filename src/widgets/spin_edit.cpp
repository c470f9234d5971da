#include "spin_edit.h"

#include <QLineEdit>
#include <QLocale>
#include <cmath>

SpinEdit::SpinEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    lineEdit()->setText(format(m_last));
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        bool ok = false;
        const double v = QLocale().toDouble(text().trimmed(), &ok);
        if (ok && std::isfinite(v)) {
            m_last = v;
            emit valueChanged(v);
        }
    });
}

SpinEdit::SpinEdit(const QString &name, double minimum, double maximum, double step, int decimals, double value,
                   QWidget *parent)
    : SpinEdit(parent)
{
    setObjectName(name);
    setAccessibleName(name);
    m_min = qMin(minimum, maximum);
    m_max = qMax(minimum, maximum);
    m_step = step;
    m_decimals = qBound(0, decimals, 10);
    m_last = value;
    lineEdit()->setText(format(value));
}

QString SpinEdit::format(double v) const
{
    QLocale loc;
    loc.setNumberOptions(loc.numberOptions() | QLocale::OmitGroupSeparator);
    return loc.toString(v, 'f', qBound(0, m_decimals, 10));
}

double SpinEdit::value() const
{
    bool ok = false;
    const double v = QLocale().toDouble(text().trimmed(), &ok);
    return ok && std::isfinite(v) ? v : m_last;
}

void SpinEdit::setValue(double v)
{
    if (!std::isfinite(v))
        return;
    if (m_enforce)
        v = qBound(m_min, v, m_max);
    const bool changed = v != m_last || text() != format(v);
    m_last = v;
    lineEdit()->setText(format(v));
    if (changed)
        emit valueChanged(v);
}

void SpinEdit::setText(const QString &t)
{
    lineEdit()->setText(t);
    bool ok = false;
    const double v = QLocale().toDouble(t.trimmed(), &ok);
    if (ok && std::isfinite(v)) {
        m_last = v;
        emit valueChanged(v);
    }
}

void SpinEdit::stepBy(int steps)
{
    const double next = qBound(m_min, value() + steps * m_step, m_max);
    // Round to the shown decimals so repeated steps do not drift (0.1 + 0.2).
    const double scale = std::pow(10.0, qBound(0, m_decimals, 10));
    const double rounded = std::round(next * scale) / scale;
    m_last = rounded;
    lineEdit()->setText(format(rounded));
    selectAll();
    emit valueChanged(rounded);
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    const double v = value();
    StepEnabled e = StepNone;
    if (v < m_max)
        e |= StepUpEnabled;
    if (v > m_min)
        e |= StepDownEnabled;
    return e;
}

QValidator::State SpinEdit::validate(QString &input, int &) const
{
    if (!m_enforce)
        return QValidator::Acceptable;
    const QString t = input.trimmed();
    const QLocale loc;
    if (t.isEmpty() || t == loc.negativeSign() || t == loc.positiveSign())
        return QValidator::Intermediate;
    bool ok = false;
    const double v = loc.toDouble(t, &ok);
    if (!ok) {
        // A trailing decimal point is on its way to a number.
        if (t.endsWith(loc.decimalPoint()) && m_decimals > 0) {
            loc.toDouble(t.chopped(loc.decimalPoint().size()), &ok);
            return ok ? QValidator::Intermediate : QValidator::Invalid;
        }
        return QValidator::Invalid;
    }
    const int dp = t.indexOf(loc.decimalPoint());
    if (dp >= 0 && t.size() - dp - loc.decimalPoint().size() > m_decimals)
        return QValidator::Invalid;
    if (v >= m_min && v <= m_max)
        return QValidator::Acceptable;
    // Out of range: may still grow into range (typing "1" on the way to "15").
    if (std::fabs(v) < qMax(std::fabs(m_min), std::fabs(m_max)))
        return QValidator::Intermediate;
    return QValidator::Invalid;
}

void SpinEdit::fixup(QString &input) const
{
    if (m_enforce)
        input = format(m_last);
}

QSize SpinEdit::sizeHint() const
{
    QSize s = QAbstractSpinBox::sizeHint();
    const QFontMetrics fm(font());
    const int digits = qMax(format(m_min).size(), format(m_max).size());
    s.setWidth(qMax(s.width(), fm.horizontalAdvance(QString(digits + 1, QLatin1Char('8'))) + 34));
    return s;
}
