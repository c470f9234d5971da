// Arbitrary input on a simulator connection: cut into requests as a session
// cuts them, and each request run through the keyword table by a new session
// of a demo server on a fixed clock, whose devices start over after every
// input, so that each input meets the same site. Two bytes lead the input:
//   0: the size of every read the bytes arrive in (1 to 256);
//   1: bit 0 logs in as "demo" first, bit 1 as "işletme" instead.
// The cutting is checked against a plain reading of the same bytes, and the
// session's answers against its bounds.
#include "demo_data.h"
#include "sim_request.h"
#include "sim_server.h"
#include "sim_session.h"
#include "wire.h"

#include <QCoreApplication>

#include <cstdint>
#include <memory>
#include <cstdlib>

namespace {

// The plain reading: everything so far in one buffer, cut at every F4 F4 F4
// from its start; unterminated input beyond the bound is dropped.
struct PlainFramer {
    QByteArray buffer;
    sim::RequestFramer::Result feed(const QByteArray &bytes)
    {
        sim::RequestFramer::Result out;
        buffer += bytes;
        for (qsizetype end; (end = buffer.indexOf(wire::kRequestEnd)) >= 0;) {
            if (end > 0)
                out.requests.append(buffer.left(end));
            buffer.remove(0, end + wire::kRequestEnd.size());
        }
        if (buffer.size() > sim::RequestFramer::kMaxPending) {
            out.dropped = buffer.size();
            buffer.clear();
        }
        return out;
    }
};

void checkParsed(const QByteArray &request)
{
    const sim::SimRequest r = sim::parseRequest(request);
    QList<QByteArray> parts = request.split(wire::kFieldEnd);
    const QByteArray keyword = parts.takeFirst();
    const QByteArray tail = parts.isEmpty() ? QByteArray() : parts.takeLast();
    if (r.keyword != keyword || r.fields != parts || r.tail != tail)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_sim_request";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static const qint64 kClock = 1773662400000; // 2026-03-16 12:00 UTC
    if (size < 2)
        return 0;
    const qsizetype readSize = qsizetype(data[0]) + 1;
    const QByteArray input(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));

    // One server for the run; the devices an input used start over after it,
    // so every input meets the site as it was at the start.
    static sim::SimServer server(sim::demoSite(), [] { return kClock; });
    qsizetype written = 0;
    bool closedBeforeWrite = false;
    std::unique_ptr<sim::SimSession> session;
    session = std::make_unique<sim::SimSession>(
        [&](const QByteArray &bytes) {
            if (bytes.isEmpty() || (session && session->isClosing()))
                closedBeforeWrite = true;
            written += bytes.size();
        },
        &server, 1);
    sim::SimSession &s = *session;

    QList<QByteArray> reads;
    if (data[1] & 3) {
        const bool other = data[1] & 2;
        reads.append(wire::loginRequest(other ? QByteArray("i\xFEletme") : QByteArray("demo"),
                                        other ? QByteArray("5678") : QByteArray("1234")));
    }
    for (qsizetype at = 0; at < input.size(); at += readSize)
        reads.append(input.mid(at, readSize));

    sim::RequestFramer framer;
    PlainFramer plain;
    for (const QByteArray &read : reads) {
        const sim::RequestFramer::Result got = framer.feed(read);
        const sim::RequestFramer::Result want = plain.feed(read);
        if (got.requests != want.requests || got.dropped != want.dropped || framer.pending() != plain.buffer.size())
            abort();
        for (const QByteArray &request : got.requests)
            checkParsed(request);
        s.receive(read);
        if (s.pendingBytes() > sim::SimSession::kMaxBacklog || closedBeforeWrite)
            abort();
    }
    session.reset();
    server.restartUsedDevices();
    return 0;
}
