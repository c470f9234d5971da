#pragma once
// The automatic refresh: while it is on, the active device is asked again,
// every period, for what the user asked of it: the opening read of its
// selection (the instantaneous registers, or a meter modem's energy of the
// billing period) and every other register read the user has made of it
// since (consumption, constants, capacitor states, the device's harmonic
// table). The requests go through the scheduler as background requests
// whose answers are shown as the user's would be; pendingRequest, the page
// layout and the register store are left as they are, so the displays simply
// take the new values. A round is not started while the last one is still
// waiting.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

namespace fleet {

class ClientEvents;
class RequestScheduler;
struct Expectation;

class AutoRefresh : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(int periodSeconds READ periodSeconds WRITE setPeriodSeconds NOTIFY periodChanged)
public:
    static constexpr int kDefaultPeriodS = 5;
    static constexpr int kMinPeriodS = 1;
    static constexpr int kMaxPeriodS = 3600;
    // The scheduler tag of its requests.
    static QString tag();

    AutoRefresh(RequestScheduler &scheduler, ClientEvents &events, QObject *parent = nullptr);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on);
    int periodSeconds() const { return m_periodS; }
    // Clamped to kMinPeriodS..kMaxPeriodS.
    void setPeriodSeconds(int seconds);

    // The device a round asks (empty: none selected yet) and its kind.
    QByteArray serial() const { return m_serial; }
    int kind() const { return m_kind; }
    // The pending-request values of the register reads a round repeats, in
    // the order they were first made.
    QList<QByteArray> reads() const;
    // Queues one round now, unless it is off, no device is active, the
    // connection is down or the last round is still waiting. Returns how
    // many requests it queued.
    int refreshNow();

signals:
    void enabledChanged(bool on);
    void periodChanged(int seconds);

private:
    void selected(const QByteArray &serial, int kind);
    void stored(int serial, const QByteArray &request, int first, int count, bool background);
    bool enqueue(const QByteArray &bytes, const Expectation &expect, const QString &label);

    RequestScheduler &m_scheduler;
    QTimer m_timer;
    bool m_enabled = false;
    int m_periodS = kDefaultPeriodS;
    QByteArray m_serial;
    int m_kind = 0;
    QList<int> m_reads; // indices into the table of register reads
    int m_waiting = 0;  // requests of this object queued or in flight
};

} // namespace fleet
