#pragma once
// Faults the simulator puts into its answers on demand, so that the client's
// handling of a poor line can be shown and tested: answers split over two
// writes, two answers joined in one write, a connection dropped after some
// requests, answers held back, devices that are not on line.
#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QString>

#include <optional>

namespace sim {

// Which answers a fault applies to, by the keyword of the request answered.
struct KeywordFilter {
    bool on = false;
    QSet<QByteArray> keywords; // code page 1254 bytes; empty: every answer

    bool matches(QByteArrayView keyword) const;
    static KeywordFilter all();
    static KeywordFilter only(QSet<QByteArray> keywords);
};

struct FaultPlan {
    // Each matching answer goes out in two writes, splitPauseMs apart.
    KeywordFilter split;
    int splitPauseMs = 150;
    // A matching answer waits for the next answer of its connection and both
    // go out in one write; alone, it goes out after joinHoldMs.
    KeywordFilter join;
    int joinHoldMs = 1000;
    // The connection is closed once the answers to this many requests are
    // out (every complete request counts, the login too); 0: never.
    int dropAfter = 0;
    // Matching answers go out lateMs later than the answer delay says.
    KeywordFilter late;
    int lateMs = 0;
    // Devices answered "Hattayok" whatever their own state.
    QSet<quint32> offline;

    bool isEmpty() const;
    // One line for the start-up log, e.g. "split: enertum; drop after 20 requests".
    QString describe() const;
};

// "all", or keywords separated by commas ("enertum,harmonikbir"). Keywords are
// taken as UTF-8 text and sent through code page 1254.
std::optional<KeywordFilter> parseKeywordList(const QString &text, QString *error);
// Serials separated by commas ("12005,12010").
std::optional<QSet<quint32>> parseSerialList(const QString &text, QString *error);
// "3000" or "3000:enertum,harmonikbir".
bool parseLate(const QString &text, FaultPlan &plan, QString *error);

} // namespace sim
