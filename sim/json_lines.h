#pragma once
// Where each value of a JSON text stands, so that a complaint about a site
// file can name its line. QJsonDocument keeps no positions; this walks the
// (already validated) text once and records the offset of every value by its
// path, e.g. "groups/1/devices/0/serial".
#include <QByteArray>
#include <QHash>
#include <QString>

namespace sim {

class JsonLines {
public:
    explicit JsonLines(QByteArray text);

    // 1-based line and column of a byte offset (the column counts characters).
    int lineOf(qsizetype offset) const;
    int columnOf(qsizetype offset) const;
    // The line of the value at this path, or of the nearest enclosing value
    // that exists; 0 when nothing is known.
    int lineOfPath(const QString &path) const;

private:
    void scanValue(const QString &path, int depth);
    void scanString();
    void skipSpace();
    QString readKey();

    QByteArray m_text;
    qsizetype m_pos = 0;
    QHash<QString, qsizetype> m_offsets;
};

} // namespace sim
