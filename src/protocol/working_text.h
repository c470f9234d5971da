#pragma once
#include <QByteArray>
#include <QByteArrayView>

// The dispatcher's copy of one socket read, consumed from the front. Removing
// from the front only moves an offset, so walking a long read stays linear.
// Every change bumps revision(); every change other than consuming from the
// front also bumps generation().
class WorkingText {
public:
    explicit WorkingText(QByteArray bytes = {}) : m_buf(std::move(bytes)) {}

    qsizetype size() const { return m_buf.size() - m_pos; }
    bool isEmpty() const { return size() == 0; }
    QByteArrayView view() const { return QByteArrayView(m_buf).sliced(m_pos); }
    char at(qsizetype i) const { return m_buf.at(m_pos + i); }
    bool startsWith(QByteArrayView prefix) const { return view().startsWith(prefix); }

    // skip n: remove the first n bytes (all of them when fewer remain).
    void skip(qsizetype n);
    // next field: the text before the first separator, removed with it; without
    // a separator the field is empty and nothing is removed.
    QByteArray nextField(char separator = '\x01');
    // peek field: as next field, but nothing is removed.
    QByteArray peekField(char separator = '\x01') const;
    // rest: the whole remaining text.
    QByteArray rest() const { return view().toByteArray(); }
    // clear: empty the working text.
    void clear();
    // The next byte, removed (an empty array when nothing is left).
    QByteArray takeByte();
    // Remove the first occurrence of needle and `extra` bytes after it;
    // returns whether it occurred.
    bool removeFirst(QByteArrayView needle, qsizetype extra = 0);
    // Remove every occurrence of needle with `extra` bytes after it, those
    // that the removals join together included, in one pass; returns how
    // many were removed.
    qsizetype removeAll(QByteArrayView needle, qsizetype extra = 0);
    // Replace every occurrence of before by after.
    void replaceAll(QByteArrayView before, QByteArrayView after);

    quint64 revision() const { return m_revision; }
    quint64 generation() const { return m_generation; }
    qsizetype offset() const { return m_pos; }
    const QByteArray &buffer() const { return m_buf; }

private:
    void rewrite(QByteArray text);
    QByteArray m_buf;
    qsizetype m_pos = 0;
    quint64 m_revision = 0;
    quint64 m_generation = 0;
};
