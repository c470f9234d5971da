#include "auto_refresh.h"

#include "client_events.h"
#include "device_kind.h"
#include "pending.h"
#include "request_scheduler.h"
#include "wire.h"

#include <QCoreApplication>
#include <QPointer>

namespace fleet {

namespace {

// The register reads of a device: the pending-request value that routes
// the answer, the request that asks for it and the first register it fills.
struct RegisterRead {
    const QByteArray &branch;
    const char *keyword;
    int startRegister;
    const char *what; // for the communication log
};

const RegisterRead kReads[] = {
    {pending::anideger, "enertum", 0, QT_TRANSLATE_NOOP("fleet::AutoRefresh", "ölçüm değerleri")},
    {pending::tuketim, "enerharcanan", 90, QT_TRANSLATE_NOOP("fleet::AutoRefresh", "tüketim değerleri")},
    {pending::sabitler, "zorvsabitiste", 129, QT_TRANSLATE_NOOP("fleet::AutoRefresh", "sabit değerler")},
    {pending::kondasatordurum, "kondasatordurum", 157,
     QT_TRANSLATE_NOOP("fleet::AutoRefresh", "kondansatör durumları")},
    {pending::harmonikzorv, "harmonikzorv", 300, QT_TRANSLATE_NOOP("fleet::AutoRefresh", "harmonik değerleri")},
};

int readIndex(const QByteArray &branch)
{
    for (int i = 0; i < int(std::size(kReads)); ++i)
        if (kReads[i].branch == branch)
            return i;
    return -1;
}

} // namespace

QString AutoRefresh::tag()
{
    return QStringLiteral("refresh");
}

AutoRefresh::AutoRefresh(RequestScheduler &scheduler, ClientEvents &events, QObject *parent)
    : QObject(parent), m_scheduler(scheduler)
{
    setObjectName(QStringLiteral("AutoRefresh"));
    m_timer.setObjectName(QStringLiteral("AutoRefreshTimer"));
    m_timer.setInterval(m_periodS * 1000);
    connect(&m_timer, &QTimer::timeout, this, &AutoRefresh::refreshNow);
    connect(&events, &ClientEvents::deviceSelected, this, &AutoRefresh::selected);
    connect(&events, &ClientEvents::registersStored, this, &AutoRefresh::stored);
}

void AutoRefresh::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    if (on) {
        m_timer.start();
        refreshNow();
    } else {
        m_timer.stop();
        m_scheduler.cancel(tag());
    }
    emit enabledChanged(on);
}

void AutoRefresh::setPeriodSeconds(int seconds)
{
    seconds = qBound(kMinPeriodS, seconds, kMaxPeriodS);
    if (seconds == m_periodS)
        return;
    m_periodS = seconds;
    m_timer.setInterval(seconds * 1000); // a running timer starts its period again
    emit periodChanged(seconds);
}

QList<QByteArray> AutoRefresh::reads() const
{
    QList<QByteArray> out;
    for (int i : m_reads)
        out.append(kReads[i].branch);
    return out;
}

void AutoRefresh::selected(const QByteArray &serial, int kind)
{
    // What was asked of the device before is not asked of the next one.
    m_scheduler.cancel(tag());
    m_serial = serial;
    m_kind = kind;
    m_reads.clear();
    if (DeviceKind(kind) != DeviceKind::MeterModem)
        m_reads.append(readIndex(pending::anideger));
}

void AutoRefresh::stored(int, const QByteArray &request, int, int, bool background)
{
    // The user's own reads of the active device join the round.
    if (background || m_serial.isEmpty() || DeviceKind(m_kind) == DeviceKind::MeterModem)
        return;
    const int i = readIndex(request);
    if (i >= 0 && !m_reads.contains(i))
        m_reads.append(i);
}

bool AutoRefresh::enqueue(const QByteArray &bytes, const Expectation &expect, const QString &label)
{
    BackgroundRequest r;
    r.bytes = bytes;
    r.expect = expect;
    r.tag = tag();
    r.label = label;
    r.done = [self = QPointer<AutoRefresh>(this)](Outcome) {
        if (self)
            --self->m_waiting;
    };
    if (!m_scheduler.enqueue(std::move(r)))
        return false;
    ++m_waiting;
    return true;
}

int AutoRefresh::refreshNow()
{
    if (!m_enabled || m_serial.isEmpty() || !m_scheduler.isConnected() || m_waiting > 0)
        return 0;
    int n = 0;
    const QString serial = QString::fromLatin1(m_serial);
    if (DeviceKind(m_kind) == DeviceKind::MeterModem) {
        // The energy of the billing period, as the selection asked for it.
        Expectation e;
        e.kind = Expectation::Kind::EnergyRange;
        e.source = energy::RangeAnswer::Source::Meter;
        e.serial = m_serial;
        e.show = true;
        n += enqueue(wire::buildRequest("sycreaktfener", {m_serial, QByteArray(), QByteArray()}), e,
                     tr("%1 otomatik yenileme: enerji oranları").arg(serial));
        return n;
    }
    for (int i : m_reads) {
        const RegisterRead &r = kReads[i];
        Expectation e;
        e.kind = Expectation::Kind::Enerjial;
        e.serial = m_serial;
        e.branch = r.branch;
        e.startRegister = r.startRegister;
        e.show = true;
        n += enqueue(wire::buildRequest(r.keyword, {m_serial}), e,
                     tr("%1 otomatik yenileme: %2").arg(serial, tr(r.what)));
    }
    return n;
}

} // namespace fleet
