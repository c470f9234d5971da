#include "csv_writer.h"

#include <QIODevice>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace csv {

namespace {
constexpr qsizetype kSpillAt = 256 * 1024;
constexpr char kBom[] = "\xEF\xBB\xBF";
} // namespace

Format Format::forLocale(const QLocale &locale)
{
    if (locale.language() == QLocale::Turkish)
        return {';', ','};
    return {',', '.'};
}

QByteArray fieldBytes(QStringView text, Format format)
{
    bool quote = false;
    for (QChar c : text) {
        if (c == QLatin1Char(format.separator) || c == u'"' || c == u'\r' || c == u'\n') {
            quote = true;
            break;
        }
    }
    QByteArray utf8 = text.toUtf8();
    if (!quote)
        return utf8;
    QByteArray out;
    out.reserve(utf8.size() + 8);
    out += '"';
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

namespace {

// The shortest text that reads back as the value, with the format's
// decimal sign, into `out`; its length.
int shortest(double value, Format format, char (&out)[32])
{
    if (value == 0)
        value = 0; // no "-0"
    const auto r = std::to_chars(out, out + sizeof out, value);
    const int n = int(r.ptr - out);
    if (format.decimal != '.')
        std::replace(out, out + n, '.', format.decimal);
    return n;
}

} // namespace

QByteArray numberBytes(double value, Format format, int decimals)
{
    if (!std::isfinite(value))
        return {};
    if (decimals < 0) {
        char text[32];
        return QByteArray(text, shortest(value, format, text));
    }
    if (value == 0)
        value = 0;
    QByteArray text = QByteArray::number(value, 'f', decimals);
    if (decimals >= 0 && text.startsWith('-') && text.count('0') + text.count('.') == text.size() - 1)
        text.remove(0, 1); // -0.00 after rounding
    if (format.decimal != '.')
        text.replace('.', format.decimal);
    return text;
}

Writer::Writer(QIODevice &out, Format format) : m_out(out), m_format(format)
{
    m_buffer.reserve(kSpillAt + 4096);
    m_buffer.append(kBom, 3);
}

Writer::~Writer()
{
    flush();
}

void Writer::separate()
{
    if (m_inRow)
        m_buffer += m_format.separator;
    m_inRow = true;
}

void Writer::spill()
{
    if (m_buffer.size() >= kSpillAt)
        flush();
}

void Writer::text(QStringView field)
{
    separate();
    m_buffer += fieldBytes(field, m_format);
}

void Writer::plain(QByteArrayView field)
{
    separate();
    m_buffer += field;
}

void Writer::number(double value, int decimals)
{
    separate();
    if (decimals < 0 && std::isfinite(value)) {
        char text[32];
        m_buffer.append(text, shortest(value, m_format, text));
        return;
    }
    m_buffer += numberBytes(value, m_format, decimals);
}

void Writer::empty()
{
    separate();
}

void Writer::endRow()
{
    m_buffer += "\r\n";
    m_inRow = false;
    spill();
}

void Writer::row(const QStringList &fields)
{
    for (const QString &f : fields)
        text(f);
    endRow();
}

bool Writer::flush()
{
    if (m_ok && !m_buffer.isEmpty()) {
        const qint64 written = m_out.write(m_buffer);
        m_ok = written == m_buffer.size();
    }
    m_buffer.clear();
    return m_ok;
}

} // namespace csv
