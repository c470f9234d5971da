#pragma once
// The compensation watch: every listed device's reactive-energy ratios over
// the current billing period, asked for in the background after the login
// and then every sweep interval, so that a user sees at a glance which
// devices head for a penalty.
//
// The billing period runs from the first day of this month 00:00 to now;
// while that is under one day it runs from the first day of the previous
// month. Compensation relays and analysers are asked "reaktifener", meter
// modems "sycreaktfener"; kinds without energy counters are listed as such.
// Answers reach the watch as typed results (ClientEvents::energyRange): a
// background answer of the watch, or an answer the user asked for whose
// period is the watch's. The watch reads the registry and the typed results
// only, never a widget.
#include "device_registry.h"
#include "energy_range.h"
#include "request_scheduler.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVector>

#include <functional>

class QTimer;

namespace fleet {


enum class WatchState : quint8 {
    Waiting,    // not asked in this sweep yet (queued)
    Asked,      // the request went out
    Answered,
    NoAnswer,   // no usable answer in the answer time
    Offline,    // the server said the device is not on line
    NoCounters, // a kind without energy counters: never asked
};

struct WatchEntry {
    WatchState state = WatchState::Waiting;
    bool known = false; // ratios and bands below hold an answer
    energy::Ratios ratios;
    energy::Band inductiveBand = energy::Band::Normal;
    energy::Band capacitiveBand = energy::Band::Normal;
    QDateTime answeredAt; // the watch's clock when the answer came

    energy::Band worst() const { return qMax(inductiveBand, capacitiveBand); }
};

struct BillingPeriod {
    QDate first, last;
    bool operator==(const BillingPeriod &) const = default;
};

class CompensationWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultIntervalMinutes = 15;
    static constexpr int kMinIntervalMinutes = 1;
    static constexpr int kMaxIntervalMinutes = 24 * 60;
    static inline const QString kTag = QStringLiteral("watch");

    using Clock = std::function<QDateTime()>;

    CompensationWatch(DeviceRegistry &registry, RequestScheduler &scheduler, QObject *parent = nullptr);
    ~CompensationWatch() override;

    // The local time the watch goes by (the period, the answer times).
    void setClock(Clock clock) { m_clock = std::move(clock); }
    QDateTime now() const { return m_clock ? m_clock() : QDateTime::currentDateTime(); }
    static BillingPeriod periodAt(const QDateTime &localNow);
    BillingPeriod period() const { return periodAt(now()); }

    // Minutes between sweeps, clamped to 1 .. 1440.
    void setIntervalMinutes(int minutes);
    int intervalMinutes() const { return m_intervalMinutes; }

    // A login: the first sweep starts, then one every interval. Devices the
    // registry gains while the watch runs are asked at once.
    void start();
    // The connection is given up: no more sweeps until the next start().
    void stop();
    bool isRunning() const { return m_running; }
    // A sweep now; one still going is taken back and begun again.
    void sweepNow();
    bool isSweeping() const { return m_sweeping; }

    // Entries follow the registry's order (index i is registry entry i).
    int count() const { return int(m_entries.size()); }
    const WatchEntry &at(int i) const { return m_entries.at(i); }
    const DeviceRegistry &registry() const { return m_registry; }
    int sweepsDone() const { return m_sweepsDone; }
    // Devices of the current (or last) sweep that have their outcome, and
    // all it asks.
    int sweepDone() const { return m_sweepDone; }
    int sweepTotal() const { return m_sweepTotal; }

    // An energy answer as the handlers give it (background or the user's).
    void takeAnswer(const energy::RangeAnswer &answer, bool background);
    void takeOffline(const QByteArray &serial, bool background);

signals:
    void entryChanged(int index);
    void entryAdded(int index);
    // A device's ratios and bands as an answer has just set them (the alarm
    // log compares them with what it saw before).
    void bandsRead(int index, const WatchEntry &entry);
    void progress(int done, int total);
    void sweepStarted();
    void sweepFinished();

private:
    void deviceAdded(int index);
    void deviceChanged(int index);
    void ask(int index);
    void finished(int index, WatchState state);
    void maybeFinish();
    void setState(int index, WatchState state);
    bool isPeriod(const energy::RangeAnswer &answer, const BillingPeriod &p) const;

    DeviceRegistry &m_registry;
    RequestScheduler &m_scheduler;
    QPointer<RequestScheduler> m_schedulerAlive; // the scheduler may go first when both are torn down
    Clock m_clock;
    QTimer *m_timer;
    int m_intervalMinutes = kDefaultIntervalMinutes;
    bool m_running = false;
    bool m_sweeping = false;
    int m_sweepsDone = 0;
    int m_sweepDone = 0;
    int m_sweepTotal = 0;
    quint64 m_generation = 0; // of the sweep: outcomes of a taken-back one are ignored
    BillingPeriod m_period;   // of the sweep
    QByteArray m_firstDate, m_lastDate;
    QVector<WatchEntry> m_entries;
    QVector<quint64> m_askedIn; // the generation a device was last asked in (0: not pending)
    QHash<QByteArray, int> m_requests; // the sweep's request bytes and their devices
};

QString stateText(WatchState s);

} // namespace fleet
