#include "working_text.h"

void WorkingText::skip(qsizetype n)
{
    if (n <= 0 || isEmpty())
        return;
    m_pos += qMin(n, size());
    ++m_revision;
}

QByteArray WorkingText::nextField(char separator)
{
    const qsizetype at = view().indexOf(separator);
    if (at < 0)
        return {};
    QByteArray field = view().first(at).toByteArray();
    skip(at + 1);
    return field;
}

QByteArray WorkingText::peekField(char separator) const
{
    const qsizetype at = view().indexOf(separator);
    if (at < 0)
        return {};
    return view().first(at).toByteArray();
}

void WorkingText::clear()
{
    skip(size());
}

QByteArray WorkingText::takeByte()
{
    if (isEmpty())
        return {};
    QByteArray b(1, at(0));
    skip(1);
    return b;
}

bool WorkingText::removeFirst(QByteArrayView needle, qsizetype extra)
{
    const qsizetype at = view().indexOf(needle);
    if (at < 0)
        return false;
    if (at == 0) {
        skip(needle.size() + extra);
        return true;
    }
    QByteArray text = view().toByteArray();
    text.remove(at, qMin(needle.size() + extra, text.size() - at));
    rewrite(std::move(text));
    return true;
}

qsizetype WorkingText::removeAll(QByteArrayView needle, qsizetype extra)
{
    if (needle.isEmpty() || view().indexOf(needle) < 0)
        return 0;
    // The kept bytes are written one after another; whenever they end with
    // the needle, it is taken back and the next `extra` bytes are passed over.
    const QByteArrayView in = view();
    QByteArray out(in.size(), Qt::Uninitialized);
    qsizetype n = 0;
    qsizetype passOver = 0;
    qsizetype removed = 0;
    for (const char c : in) {
        if (passOver > 0) {
            --passOver;
            continue;
        }
        out[n++] = c;
        if (n >= needle.size() && c == needle.back()
            && QByteArrayView(out.constData() + n - needle.size(), needle.size()) == needle) {
            n -= needle.size();
            passOver = qMax<qsizetype>(0, extra);
            ++removed;
        }
    }
    out.truncate(n);
    rewrite(std::move(out));
    return removed;
}

void WorkingText::replaceAll(QByteArrayView before, QByteArrayView after)
{
    if (before.isEmpty() || view().indexOf(before) < 0)
        return;
    QByteArray text = view().toByteArray();
    text.replace(before, after);
    rewrite(std::move(text));
}

void WorkingText::rewrite(QByteArray text)
{
    m_buf = std::move(text);
    m_pos = 0;
    ++m_revision;
    ++m_generation;
}
