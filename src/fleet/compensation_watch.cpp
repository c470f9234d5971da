#include "compensation_watch.h"

#include "energy_request.h"
#include "request_scheduler.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTimer>

namespace fleet {

namespace {

using Source = energy::RangeAnswer::Source;

constexpr qint64 kOneDayMs = 24LL * 60 * 60 * 1000;

// A date of an answer: as the client writes it, or as a server fills in the
// period it chose ("01.12.2026").
std::optional<QDate> answerDate(const QByteArray &field)
{
    const QString text = QString::fromLatin1(field.left(32));
    QDate d = QLocale().toDate(text, QLocale::ShortFormat);
    if (!d.isValid())
        d = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    if (!d.isValid())
        return std::nullopt;
    // A two-digit year of the short format reads as 19xx.
    if (d.year() < 1970)
        d = d.addYears(100);
    return d;
}

} // namespace

CompensationWatch::CompensationWatch(DeviceRegistry &registry, RequestScheduler &scheduler, QObject *parent)
    : QObject(parent), m_registry(registry), m_scheduler(scheduler), m_schedulerAlive(&scheduler),
      m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("CompensationWatch"));
    m_timer->setObjectName(QStringLiteral("CompensationWatchTimer"));
    m_timer->setInterval(m_intervalMinutes * 60 * 1000);
    connect(m_timer, &QTimer::timeout, this, [this] {
        // A sweep still going (a large site on a slow line) is left to end.
        if (!m_sweeping)
            sweepNow();
    });
    for (int i = 0; i < registry.count(); ++i)
        deviceAdded(i);
    connect(&registry, &DeviceRegistry::deviceAdded, this, &CompensationWatch::deviceAdded);
    connect(&registry, &DeviceRegistry::deviceChanged, this, &CompensationWatch::deviceChanged);
    connect(&scheduler, &RequestScheduler::backgroundSent, this, [this](const QByteArray &request) {
        // Only the watch's own requests, of devices still waiting.
        const int index = m_requests.value(request, -1);
        if (index >= 0 && index < count() && m_entries[index].state == WatchState::Waiting)
            setState(index, WatchState::Asked);
    });
}

CompensationWatch::~CompensationWatch()
{
    // Requests still queued refer to this object.
    ++m_generation;
    if (m_schedulerAlive)
        m_scheduler.cancel(kTag);
}

BillingPeriod CompensationWatch::periodAt(const QDateTime &localNow)
{
    const QDate today = localNow.date();
    QDate first(today.year(), today.month(), 1);
    if (QDateTime(first, QTime(0, 0), localNow.timeSpec()).msecsTo(localNow) < kOneDayMs)
        first = first.addMonths(-1);
    return {first, today};
}

void CompensationWatch::setIntervalMinutes(int minutes)
{
    m_intervalMinutes = qBound(kMinIntervalMinutes, minutes, kMaxIntervalMinutes);
    m_timer->setInterval(m_intervalMinutes * 60 * 1000);
}

void CompensationWatch::start()
{
    m_running = true;
    m_timer->start();
    // After a reconnection a sweep still going goes on where it was.
    if (!m_sweeping)
        sweepNow();
}

void CompensationWatch::stop()
{
    m_running = false;
    m_timer->stop();
    ++m_generation;
    m_scheduler.cancel(kTag);
    m_sweeping = false;
}

void CompensationWatch::sweepNow()
{
    ++m_generation;
    m_scheduler.cancel(kTag);
    m_requests.clear();
    m_period = period();
    m_firstDate = energy::wireDate(m_period.first);
    m_lastDate = energy::wireDate(m_period.last);
    m_sweeping = true;
    m_sweepDone = 0;
    m_sweepTotal = 0;
    emit sweepStarted();
    for (int i = 0; i < count(); ++i)
        ask(i);
    emit progress(m_sweepDone, m_sweepTotal);
    maybeFinish();
}

void CompensationWatch::maybeFinish()
{
    // A sweep begun before the device list came waits for its devices; one
    // with nothing to ask (every device without counters) ends at once.
    if (!m_sweeping || m_sweepDone < m_sweepTotal || count() == 0)
        return;
    m_sweeping = false;
    ++m_sweepsDone;
    m_requests.clear();
    emit sweepFinished();
}

void CompensationWatch::deviceAdded(int index)
{
    while (m_entries.size() <= index) {
        m_entries.append(WatchEntry{});
        m_askedIn.append(0);
    }
    const DeviceEntry &d = m_registry.at(index);
    if (!hasEnergyCounters(d.kind))
        m_entries[index].state = WatchState::NoCounters;
    emit entryAdded(index);
    if (!m_running)
        return;
    // A device listed while the watch runs joins the sweep (the list comes
    // in after the login), or is asked on its own.
    if (!m_sweeping) {
        m_sweeping = true;
        m_sweepDone = 0;
        m_sweepTotal = 0;
        ++m_generation;
        m_requests.clear();
        m_period = period();
        m_firstDate = energy::wireDate(m_period.first);
        m_lastDate = energy::wireDate(m_period.last);
        emit sweepStarted();
    }
    ask(index);
    emit progress(m_sweepDone, m_sweepTotal);
    maybeFinish();
}

// A device listed again may come with another model: one that has no energy
// counters any more holds nothing, one that has them now waits for the next
// sweep.
void CompensationWatch::deviceChanged(int index)
{
    if (index < 0 || index >= count())
        return;
    WatchEntry &e = m_entries[index];
    const bool counters = hasEnergyCounters(m_registry.at(index).kind);
    if (!counters && e.state != WatchState::NoCounters) {
        e = WatchEntry{};
        e.state = WatchState::NoCounters;
    } else if (counters && e.state == WatchState::NoCounters) {
        e = WatchEntry{};
    }
    emit entryChanged(index);
}

void CompensationWatch::ask(int index)
{
    const DeviceEntry &d = m_registry.at(index);
    if (!hasEnergyCounters(d.kind)) {
        setState(index, WatchState::NoCounters);
        return;
    }
    ++m_sweepTotal;
    const Source source = readsThroughMeter(d.kind) ? Source::Meter : Source::Device;
    BackgroundRequest r;
    r.bytes = energy::rangeRequest(source, d.serial, m_firstDate, m_lastDate);
    r.expect.kind = Expectation::Kind::EnergyRange;
    r.expect.source = source;
    r.expect.serial = d.serial;
    r.expect.firstDate = m_firstDate;
    r.expect.lastDate = m_lastDate;
    r.expect.show = false;
    r.tag = kTag;
    r.label = QCoreApplication::translate("fleet", "%1 enerji oranları").arg(QString::fromLatin1(d.serial.left(32)));
    const quint64 generation = m_generation;
    r.done = [this, index, generation](Outcome outcome) {
        if (generation != m_generation)
            return;
        switch (outcome) {
        case Outcome::Answered:
            break; // the answer itself follows as a typed result
        case Outcome::Offline:
            finished(index, WatchState::Offline);
            break;
        case Outcome::NoAnswer:
            finished(index, WatchState::NoAnswer);
            break;
        case Outcome::Dropped:
            finished(index, WatchState::Waiting);
            break;
        }
    };
    m_requests.insert(r.bytes, index);
    m_askedIn[index] = generation;
    setState(index, WatchState::Waiting);
    if (!m_scheduler.enqueue(std::move(r))) {
        m_askedIn[index] = 0;
        finished(index, WatchState::NoAnswer);
    }
}

void CompensationWatch::finished(int index, WatchState state)
{
    // An outcome of a request that is no longer pending (the user's answer
    // came first, or the sweep was taken back) changes nothing.
    if (index < 0 || index >= count() || m_askedIn[index] != m_generation || !m_sweeping)
        return;
    // (A device listed again without energy counters meanwhile stays so.)
    if (m_entries[index].state != WatchState::NoCounters)
        setState(index, state);
    m_askedIn[index] = 0;
    ++m_sweepDone;
    emit progress(m_sweepDone, m_sweepTotal);
    maybeFinish();
}

void CompensationWatch::setState(int index, WatchState state)
{
    if (m_entries[index].state == state)
        return;
    m_entries[index].state = state;
    emit entryChanged(index);
}

bool CompensationWatch::isPeriod(const energy::RangeAnswer &answer, const BillingPeriod &p) const
{
    if (answer.firstDate == m_firstDate && answer.lastDate == m_lastDate && p == m_period)
        return true;
    const std::optional<QDate> first = answerDate(answer.firstDate);
    const std::optional<QDate> last = answerDate(answer.lastDate);
    return first && last && *first == p.first && *last == p.last;
}

void CompensationWatch::takeAnswer(const energy::RangeAnswer &answer, bool background)
{
    const int index = m_registry.indexOf(answer.serial);
    if (index < 0 || index >= count())
        return;
    const DeviceEntry &d = m_registry.at(index);
    if (!hasEnergyCounters(d.kind))
        return;
    const Source expected = readsThroughMeter(d.kind) ? Source::Meter : Source::Device;
    // The watch's own answer is for the period it asked; the user's counts
    // when it covers the billing period as it stands now.
    const bool pending = m_sweeping && m_askedIn[index] == m_generation;
    const bool ours = background && pending;
    const BillingPeriod p = ours ? m_period : period();
    if (answer.source != expected || !isPeriod(answer, p))
        return;
    if (!answer.complete()) {
        finished(index, WatchState::NoAnswer);
        return;
    }
    WatchEntry &e = m_entries[index];
    e.known = true;
    e.ratios = answer.ratios;
    e.inductiveBand = answer.inductiveBand;
    e.capacitiveBand = answer.capacitiveBand;
    e.answeredAt = now();
    emit bandsRead(index, e);
    if (pending) {
        finished(index, WatchState::Answered);
    } else {
        e.state = WatchState::Answered;
        emit entryChanged(index);
    }
}

void CompensationWatch::takeOffline(const QByteArray &serial, bool background)
{
    const int index = m_registry.indexOf(serial);
    if (index < 0 || index >= count() || m_entries[index].state == WatchState::NoCounters)
        return;
    // The watch's own notice comes through the request's outcome; the
    // user's says the same of a device the watch lists.
    if (!background)
        setState(index, WatchState::Offline);
}

QString stateText(WatchState s)
{
    switch (s) {
    case WatchState::Waiting:
        return QCoreApplication::translate("fleet", "Bekliyor");
    case WatchState::Asked:
        return QCoreApplication::translate("fleet", "Soruldu");
    case WatchState::Answered:
        return QCoreApplication::translate("fleet", "Okundu");
    case WatchState::NoAnswer:
        return QCoreApplication::translate("fleet", "Yanıt yok");
    case WatchState::Offline:
        return QCoreApplication::translate("fleet", "Hatta değil");
    case WatchState::NoCounters:
        return QCoreApplication::translate("fleet", "Enerji sayacı yok");
    }
    return {};
}

} // namespace fleet
