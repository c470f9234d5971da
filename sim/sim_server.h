#pragma once
// The listening side of the simulator and the devices all sessions share.
#include "sim_device.h"

#include <QHostAddress>
#include <QObject>

#include <functional>
#include <map>
#include <memory>

class QTcpServer;

namespace sim {

class SimServer : public QObject {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 17818;

    explicit SimServer(QObject *parent = nullptr);
    ~SimServer() override;

    // Port 0 picks a free port; port() tells which.
    bool listen(const QHostAddress &address, quint16 port);
    QString errorString() const;
    QHostAddress address() const;
    quint16 port() const;

    // The device with this serial, or null.
    SimDevice *device(quint32 serial) const;
    int sessionCount() const { return m_sessions; }

    // Where log lines go; without a logger nothing is logged.
    using Logger = std::function<void(const QString &)>;
    void setLogger(Logger logger) { m_logger = std::move(logger); }
    void log(const QString &line) const;

signals:
    void sessionStarted();
    void sessionFinished();

private:
    void onNewConnection();

    QTcpServer *m_tcp;
    std::map<quint32, std::unique_ptr<SimDevice>> m_devices;
    Logger m_logger;
    int m_sessions = 0;
};

} // namespace sim
