#pragma once
// CSV as spreadsheets read it (RFC 4180): UTF-8 with a byte order mark,
// rows ended by CR LF, a field holding the separator, a double quote, CR or
// LF enclosed in double quotes with its quotes doubled. Under a Turkish
// locale the separator is ";" and numbers carry the decimal comma (what a
// Turkish spreadsheet expects); under any other locale "," and the point.
//
// The writer keeps its bytes in a buffer and hands them to the device in
// large pieces; a device that refuses bytes (a full disk) makes ok() false
// and the rest is dropped, so the caller reports one failure at the end.
#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QStringList>
#include <QStringView>

class QIODevice;

namespace csv {

struct Format {
    char separator = ',';
    char decimal = '.';

    static Format forLocale(const QLocale &locale = QLocale());
    bool operator==(const Format &) const = default;
};

// The field as it goes into a row, enclosed in quotes when it must be.
QByteArray fieldBytes(QStringView text, Format format);

// A number with the format's decimal sign: the shortest text that reads back
// as the same double, or `decimals` fixed decimals when that is 0 or more.
// Not-a-number and the infinities give an empty field; -0 gives "0".
QByteArray numberBytes(double value, Format format, int decimals = -1);

class Writer {
public:
    explicit Writer(QIODevice &out, Format format = Format::forLocale());
    ~Writer();
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;

    void text(QStringView field);
    // A field known to need no quotes (ASCII times, keys): copied as is.
    void plain(QByteArrayView field);
    void number(double value, int decimals = -1);
    // An empty field.
    void empty();
    void endRow();
    void row(const QStringList &fields);

    // Hands the buffer to the device; false once the device refused bytes.
    bool flush();
    bool ok() const { return m_ok; }
    Format format() const { return m_format; }

private:
    void separate();
    void spill();

    QIODevice &m_out;
    Format m_format;
    QByteArray m_buffer;
    bool m_inRow = false;
    bool m_ok = true;
};

} // namespace csv
