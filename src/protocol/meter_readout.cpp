#include "meter_readout.h"

namespace energy {

const std::array<QString, MeterReadout::kCodes> &MeterReadout::codes()
{
    static const std::array<QString, kCodes> k = {
        QStringLiteral("1.8.0("), QStringLiteral("5.8.0("), QStringLiteral("8.8.0("),
        QStringLiteral("1.8.1("), QStringLiteral("1.8.2("), QStringLiteral("1.8.3("),
    };
    return k;
}

void MeterReadout::clear()
{
    m_text.clear();
    m_start.fill(-1);
}

void MeterReadout::reset(const QString &text)
{
    clear();
    m_text = text;
    look(0);
}

qsizetype MeterReadout::append(QStringView piece)
{
    const qsizetype before = m_text.size();
    m_text.append(piece);
    if (m_text.size() > kLimit) {
        const qsizetype cut = m_text.size() - kKeep;
        m_text.remove(0, cut);
        m_start.fill(-1);
        look(0);
        return cut;
    }
    // A code may have begun in the text before this piece.
    look(qMax<qsizetype>(0, before - (codes()[0].size() - 1)));
    return 0;
}

void MeterReadout::look(qsizetype from)
{
    for (int i = 0; i < kCodes; ++i) {
        if (m_start[size_t(i)] >= 0)
            continue;
        const qsizetype at = m_text.indexOf(codes()[size_t(i)], from);
        if (at >= 0)
            m_start[size_t(i)] = at + codes()[size_t(i)].size();
    }
}

QString MeterReadout::valueAt(QStringView text, qsizetype start)
{
    const qsizetype end = qMin(text.size(), start + kMaxValue);
    qsizetype i = start;
    for (; i < end; ++i) {
        const QChar c = text[i];
        if (c == u'*' || c == u')' || c == u'\n' || c == u'\r')
            break;
    }
    return text.sliced(start, i - start).toString();
}

std::optional<QString> MeterReadout::value(int i) const
{
    if (i < 0 || i >= kCodes || m_start[size_t(i)] < 0)
        return std::nullopt;
    return valueAt(m_text, m_start[size_t(i)]);
}

std::optional<QString> MeterReadout::valueIn(QStringView text, QStringView code)
{
    const qsizetype at = text.indexOf(code);
    if (at < 0)
        return std::nullopt;
    return valueAt(text, at + code.size());
}

} // namespace energy
