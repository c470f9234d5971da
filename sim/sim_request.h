#pragma once
// Incoming requests: the byte stream of one connection cut at every
// F4 F4 F4, and each request split into its keyword and fields.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace sim {

struct SimRequest {
    QByteArray keyword;        // bytes before the first 0x01 (the whole request without one)
    QList<QByteArray> fields;  // every field that ends with 0x01
    QByteArray tail;           // bytes after the last 0x01 (login: "password" 0x02)
};

SimRequest parseRequest(QByteArrayView request);

// Collects the bytes of one connection and hands out complete requests
// without their terminator. A request may arrive over several reads and one
// read may hold several requests. Empty requests are skipped.
class RequestFramer {
public:
    // Unterminated input beyond this size is dropped as garbage.
    static constexpr qsizetype kMaxPending = 64 * 1024;

    struct Result {
        QList<QByteArray> requests;
        qsizetype dropped = 0; // bytes of unterminated input thrown away
    };

    Result feed(QByteArrayView bytes);
    qsizetype pending() const { return m_buf.size(); }

private:
    QByteArray m_buf;
    qsizetype m_scanFrom = 0; // no terminator starts before this offset
};

} // namespace sim
