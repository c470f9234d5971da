#pragma once
#include "working_text.h"

#include <QByteArray>
#include <QList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

// The walk over one socket read: the fifteen keyword tests run in a fixed
// order, pass after pass, until at most one byte is left. A pass that leaves
// the text as the pass before left it drops the first byte, so text that no
// test recognises goes one byte per two passes.
class Dispatcher {
public:
    using Handler = std::function<void(WorkingText &)>;
    static constexpr int kTestCount = 15;

    Dispatcher();

    // The keywords in test order.
    static const std::array<QByteArray, kTestCount> &keywords();
    // Installs the handler of a test; a test without one is recognised only
    // (it consumes nothing). Returns false for a keyword that is not a test.
    bool setHandler(const QByteArray &keyword, Handler handler);

    // Walks one read. `lastRemainder` is the no-progress memory kept from one
    // read to the next; it is left as the last pass that changed the text left
    // it, also when a handler throws (the exception is passed on).
    void walk(const QByteArray &read, QByteArray &lastRemainder);

    // Passes made by the last walk, and keyword matches (handlers run).
    qint64 lastPassCount() const { return m_passes; }
    qint64 lastMatchCount() const { return m_matches; }

private:
    // How many of the first `limit` positions of the text no keyword starts
    // at: the walk passes over them without running a test.
    qsizetype quietRun(QByteArrayView text, qsizetype limit) const;

    std::array<Handler, kTestCount> m_handlers;
    std::array<bool, 256> m_firstByte{};
    std::unique_ptr<std::array<bool, 65536>> m_firstTwo; // keywords' first two bytes
    std::array<std::vector<quint8>, 256> m_startingWith;  // tests by their keyword's first byte
    qint64 m_passes = 0;
    qint64 m_matches = 0;
};
