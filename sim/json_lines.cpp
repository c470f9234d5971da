#include "json_lines.h"

namespace sim {

namespace {
// Deeper values are not indexed (the lines of a site file never need them).
constexpr int kMaxDepth = 64;
} // namespace

JsonLines::JsonLines(QByteArray text) : m_text(std::move(text))
{
    skipSpace();
    if (m_pos < m_text.size())
        scanValue(QString(), 0);
}

int JsonLines::lineOf(qsizetype offset) const
{
    offset = qBound<qsizetype>(0, offset, m_text.size());
    return int(QByteArrayView(m_text).first(offset).count('\n')) + 1;
}

int JsonLines::columnOf(qsizetype offset) const
{
    offset = qBound<qsizetype>(0, offset, m_text.size());
    const qsizetype lineStart = m_text.lastIndexOf('\n', offset - 1) + 1;
    return int(QString::fromUtf8(m_text.mid(lineStart, offset - lineStart)).size()) + 1;
}

int JsonLines::lineOfPath(const QString &path) const
{
    QString p = path;
    for (;;) {
        const auto it = m_offsets.constFind(p);
        if (it != m_offsets.cend())
            return lineOf(*it);
        if (p.isEmpty())
            return 0;
        const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
        p = slash < 0 ? QString() : p.left(slash);
    }
}

void JsonLines::skipSpace()
{
    while (m_pos < m_text.size()) {
        const char c = m_text.at(m_pos);
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            break;
        ++m_pos;
    }
}

void JsonLines::scanString()
{
    ++m_pos; // opening quote
    while (m_pos < m_text.size()) {
        const char c = m_text.at(m_pos++);
        if (c == '\\')
            ++m_pos;
        else if (c == '"')
            return;
    }
}

QString JsonLines::readKey()
{
    const qsizetype start = m_pos;
    scanString();
    // Keys of a site file carry no escapes; a key that does is still unique
    // enough for finding a line.
    return QString::fromUtf8(m_text.mid(start + 1, m_pos - start - 2));
}

void JsonLines::scanValue(const QString &path, int depth)
{
    if (depth <= kMaxDepth)
        m_offsets.insert(path, m_pos);
    const QString prefix = path.isEmpty() ? QString() : path + QLatin1Char('/');
    const char c = m_text.at(m_pos);
    if (c == '{' || c == '[') {
        const char close = c == '{' ? '}' : ']';
        ++m_pos;
        int index = 0;
        for (;;) {
            skipSpace();
            if (m_pos >= m_text.size())
                return;
            if (m_text.at(m_pos) == close) {
                ++m_pos;
                return;
            }
            if (m_text.at(m_pos) == ',') {
                ++m_pos;
                continue;
            }
            QString child;
            if (c == '{') {
                child = prefix + readKey();
                skipSpace();
                if (m_pos < m_text.size() && m_text.at(m_pos) == ':')
                    ++m_pos;
                skipSpace();
            } else {
                child = prefix + QString::number(index++);
            }
            if (m_pos >= m_text.size())
                return;
            scanValue(child, depth + 1);
        }
    }
    if (c == '"') {
        scanString();
        return;
    }
    // number, true, false, null
    while (m_pos < m_text.size()) {
        const char d = m_text.at(m_pos);
        if (d == ',' || d == '}' || d == ']' || d == ' ' || d == '\t' || d == '\n' || d == '\r')
            break;
        ++m_pos;
    }
}

} // namespace sim
