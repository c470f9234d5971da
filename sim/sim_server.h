#pragma once
// The listening side of the simulator: the site it serves, the devices all
// sessions share, the answer timing, the faults and the log.
#include "site.h"
#include "sim_device.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QSet>

#include <functional>
#include <map>
#include <memory>

class QTcpServer;

namespace sim {

class SimServer : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 17818;
    // Connections beyond this many are refused (each costs buffers and a log).
    static constexpr int kDefaultMaxSessions = 500;

    // The built-in demo site, answering at once (as tests want it).
    explicit SimServer(QObject *parent = nullptr);
    // Any site; its timing and faults apply from the start.
    explicit SimServer(Site site, QObject *parent = nullptr);
    // … on a clock of the caller's (see setWallClock).
    SimServer(Site site, std::function<qint64()> wallClock, QObject *parent = nullptr);
    ~SimServer() override;

    // Port 0 picks a free port; port() tells which.
    bool listen(const QHostAddress &address, quint16 port);
    QString errorString() const;
    QHostAddress address() const;
    quint16 port() const;

    const Site &site() const { return m_site; }
    // The site's user whose name is these code page 1254 bytes, or null.
    const SiteUser *findUser(const QByteArray &name) const { return m_site.findUser(name); }
    // The device with this serial, or null. Devices are shared: what one
    // session writes, every other session reads.
    SimDevice *device(quint32 serial) const;
    int sessionCount() const { return m_sessions; }

    // Every answer waits between minMs and maxMs (drawn per request).
    void setAnswerDelay(int minMs, int maxMs);
    int answerDelayMinMs() const { return m_delayMin; }
    int answerDelayMaxMs() const { return m_delayMax; }
    int drawAnswerDelay() const;
    // "yenimesaj" goes to a user with stored messages this long after login.
    void setMessageNoticeDelay(int ms) { m_noticeMs = ms; }
    int messageNoticeDelayMs() const { return m_noticeMs; }
    // Faults apply to requests that arrive from now on.
    void setFaults(const FaultPlan &plan);
    const FaultPlan &faults() const { return m_faults; }
    void setMaxSessions(int n) { m_maxSessions = n; }

    // Milliseconds on a monotonic clock that the sessions share.
    qint64 now() const { return m_clock.elapsed(); }

    // The site's time of day, milliseconds since the epoch: what the devices'
    // clocks, energy records and billing periods run on. The machine's clock
    // unless another is set; setting one starts the devices over at its time
    // (so set it before serving).
    using WallClock = std::function<qint64()>;
    qint64 wallNow() const { return m_wallClock ? m_wallClock() : QDateTime::currentMSecsSinceEpoch(); }
    void setWallClock(WallClock clock);
    // A clock that starts at startMs now and runs on from there.
    static WallClock clockFrom(qint64 startMs);

    // A device a request is about to use (and may change).
    void markUsed(quint32 serial) { m_used.insert(serial); }
    // The devices requests have used since the last time start over at the
    // clock's time, and the switching devices' outputs are forgotten: the
    // site is as it was at the start, without rebuilding the devices no
    // request used (for drivers in the same process, such as a fuzz target).
    void restartUsedDevices();

    // Where log lines go (each one with its time); without a logger nothing
    // is logged. Quiet: requests and answers are not logged, events are.
    using Logger = std::function<void(const QString &)>;
    void setLogger(Logger logger) { m_logger = std::move(logger); }
    void setQuiet(bool quiet) { m_quiet = quiet; }
    bool isQuiet() const { return m_quiet; }
    // Whether a request or answer line would go anywhere (worth making).
    bool logsTraffic() const { return m_logger && !m_quiet; }
    void log(const QString &line) const;
    void logTraffic(const QString &line) const;

signals:
    void sessionStarted();
    void sessionFinished();

private:
    void onNewConnection();

    QTcpServer *m_tcp;
    Site m_site;
    std::map<quint32, std::unique_ptr<SimDevice>> m_devices;
    FaultPlan m_faults;
    Logger m_logger;
    QElapsedTimer m_clock;
    WallClock m_wallClock;
    QSet<quint32> m_used;
    int m_delayMin = 0;
    int m_delayMax = 0;
    int m_noticeMs = 20000;
    int m_sessions = 0;
    int m_maxSessions = kDefaultMaxSessions;
    int m_nextSessionId = 1;
    bool m_quiet = false;
};

} // namespace sim
