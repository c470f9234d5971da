#include "request_scheduler.h"

#include <QCoreApplication>
#include <QTimer>

namespace fleet {

namespace {

// How long the user's own asking shapes the routing of answers: an answer
// later than this is no longer taken as the user's.
constexpr qint64 kUserMemoryMs = 60000;
// How many of them are remembered at most (a user clicking for hours).
constexpr int kMaxRemembered = 256;

struct Parsed {
    QByteArray keyword;
    QList<QByteArray> fields;
};

// keyword 0x01 field 0x01 ... F4 F4 F4, as the request builders write it.
Parsed parse(const QByteArray &request)
{
    Parsed p;
    QByteArray body = request;
    if (body.endsWith("\xF4\xF4\xF4"))
        body.chop(3);
    const qsizetype first = body.indexOf('\x01');
    if (first < 0) {
        p.keyword = body;
        return p;
    }
    p.keyword = body.left(first);
    qsizetype from = first + 1;
    for (qsizetype at = body.indexOf('\x01', from); at >= 0; at = body.indexOf('\x01', from)) {
        p.fields.append(body.mid(from, at - from));
        from = at + 1;
    }
    return p;
}

template <class T> void trim(QList<T> &list)
{
    while (list.size() > kMaxRemembered)
        list.removeFirst();
}

} // namespace

RequestScheduler::RequestScheduler(QObject *parent)
    : QObject(parent), m_pumpTimer(new QTimer(this)), m_answerTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("RequestScheduler"));
    m_clock.start();
    m_pumpTimer->setSingleShot(true);
    m_answerTimer->setSingleShot(true);
    connect(m_pumpTimer, &QTimer::timeout, this, &RequestScheduler::pump);
    connect(m_answerTimer, &QTimer::timeout, this, &RequestScheduler::timedOut);
}

RequestScheduler::~RequestScheduler() = default;

void RequestScheduler::setConnected(bool up)
{
    if (m_connected == up)
        return;
    m_connected = up;
    if (!up && m_inFlight) {
        // Sent again once the connection is back; the answer, if any, is lost
        // with the connection.
        m_answerTimer->stop();
        m_queue.push_front(std::move(*m_inFlight));
        m_inFlight.reset();
    }
    if (up)
        schedulePump(m_idleMs);
}

void RequestScheduler::noteUserActivity()
{
    m_lastUser = now();
    if (!m_inFlight && !m_queue.empty())
        schedulePump(m_idleMs);
}

void RequestScheduler::sendUser(const QByteArray &request)
{
    noteUserActivity();
    const Parsed p = parse(request);
    const qint64 until = now() + kUserMemoryMs;
    if (!p.fields.isEmpty() && p.keyword != "ping") {
        m_userSerials.append({p.fields.at(0), now() + m_answerMs});
        trim(m_userSerials);
    }
    if ((p.keyword == "reaktifener" || p.keyword == "sycreaktfener") && p.fields.size() >= 3) {
        const auto source = p.keyword == "reaktifener" ? energy::RangeAnswer::Source::Device
                                                       : energy::RangeAnswer::Source::Meter;
        m_userRanges.append({source, p.fields.at(0), p.fields.at(1), p.fields.at(2), until, {}});
        trim(m_userRanges);
    } else if (m_inFlight && m_inFlight->expect.kind == Expectation::Kind::Enerjial) {
        // The device answer that comes next may be the user's: it is routed
        // as the user's request says, and the background one is dropped.
        finish(Outcome::Dropped);
    }
    if (m_transport)
        m_transport(request);
}

bool RequestScheduler::enqueue(BackgroundRequest request)
{
    if (int(m_queue.size()) >= kMaxQueued)
        return false;
    m_queue.push_back(std::move(request));
    if (!m_inFlight)
        schedulePump(0);
    return true;
}

int RequestScheduler::cancel(const QString &tag)
{
    int n = 0;
    for (auto it = m_queue.begin(); it != m_queue.end();) {
        if (it->tag == tag) {
            BackgroundRequest r = std::move(*it);
            it = m_queue.erase(it);
            ++n;
            if (r.done)
                r.done(Outcome::Dropped);
        } else {
            ++it;
        }
    }
    if (m_inFlight && m_inFlight->tag == tag) {
        finish(Outcome::Dropped);
        ++n;
    }
    return n;
}

int RequestScheduler::queued(const QString &tag) const
{
    int n = 0;
    for (const BackgroundRequest &r : m_queue)
        n += r.tag == tag;
    return n;
}

void RequestScheduler::schedulePump(int inMs)
{
    if (!m_pumpTimer->isActive() || m_pumpTimer->remainingTime() > inMs)
        m_pumpTimer->start(qMax(0, inMs));
}

void RequestScheduler::pump()
{
    if (m_inFlight || m_queue.empty() || !m_connected)
        return;
    if (m_lastUser >= 0) {
        const qint64 quiet = now() - m_lastUser;
        if (quiet < m_idleMs) {
            schedulePump(int(m_idleMs - quiet));
            return;
        }
    }
    m_inFlight = std::move(m_queue.front());
    m_queue.pop_front();
    m_answerTimer->start(m_answerMs);
    emit backgroundSent(m_inFlight->bytes);
    if (m_transport)
        m_transport(m_inFlight->bytes);
}

void RequestScheduler::finish(Outcome outcome)
{
    if (!m_inFlight)
        return;
    m_answerTimer->stop();
    BackgroundRequest done = std::move(*m_inFlight);
    m_inFlight.reset();
    if (!m_queue.empty())
        schedulePump(0);
    if (done.done)
        done.done(outcome);
}

void RequestScheduler::timedOut()
{
    if (!m_inFlight)
        return;
    const Expectation &e = m_inFlight->expect;
    if (e.kind == Expectation::Kind::EnergyRange) {
        m_givenUp.append({e.source, e.serial, e.firstDate, e.lastDate, now() + kUserMemoryMs, e});
        trim(m_givenUp);
    }
    emit note(QCoreApplication::translate("fleet", "Arka plan isteği %1 sn içinde yanıtlanmadı, bırakıldı: %2")
                  .arg(m_answerMs / 1000.0)
                  .arg(m_inFlight->label));
    finish(Outcome::NoAnswer);
}

void RequestScheduler::forgetExpired()
{
    const qint64 t = now();
    const auto expired = [t](const auto &x) { return x.until < t; };
    m_userRanges.removeIf(expired);
    m_givenUp.removeIf(expired);
    m_userSerials.removeIf([t](const auto &s) { return s.second < t; });
}

std::optional<Expectation> RequestScheduler::claimEnergyRange(energy::RangeAnswer::Source source,
                                                             const QByteArray &serial, const QByteArray &firstDate,
                                                             const QByteArray &lastDate)
{
    forgetExpired();
    const Key key{source, serial, firstDate, lastDate, 0, {}};
    // The user asked for exactly this: the answer is the user's, even when
    // the background asked for the same.
    if (const qsizetype at = m_userRanges.indexOf(key); at >= 0) {
        m_userRanges.removeAt(at);
        return std::nullopt;
    }
    if (m_inFlight && m_inFlight->expect.kind == Expectation::Kind::EnergyRange) {
        const Expectation e = m_inFlight->expect;
        const bool anyDates = e.firstDate.isEmpty() && e.lastDate.isEmpty();
        if (e.source == source && e.serial == serial
            && (anyDates || (e.firstDate == firstDate && e.lastDate == lastDate))) {
            finish(Outcome::Answered);
            return e;
        }
    }
    if (const qsizetype at = m_givenUp.indexOf(key); at >= 0) {
        const Expectation e = m_givenUp.at(at).expect;
        m_givenUp.removeAt(at);
        return e;
    }
    // A background request still waiting to go out is not answered yet: an
    // answer like its own comes from elsewhere (the server on its own).
    return std::nullopt;
}

std::optional<Expectation> RequestScheduler::claimOffline(const QByteArray &serial)
{
    forgetExpired();
    if (!m_inFlight || m_inFlight->expect.serial != serial)
        return std::nullopt;
    const Expectation e = m_inFlight->expect;
    finish(Outcome::Offline);
    for (const auto &s : m_userSerials)
        if (s.first == serial)
            return std::nullopt; // the user asked about it too: the user is told
    return e;
}

std::optional<Expectation> RequestScheduler::claimEnerjial()
{
    if (!m_inFlight || m_inFlight->expect.kind != Expectation::Kind::Enerjial)
        return std::nullopt;
    Expectation e = m_inFlight->expect;
    finish(Outcome::Answered);
    return e;
}

} // namespace fleet
