#pragma once
// What the fault tests need around the client: a central server on
// 127.0.0.1 that the test drives byte by byte, and a probe of how late the
// client's event loop runs a timer.
#include "log_in.h"
#include "client_windows.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

#include <atomic>
#include <memory>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

// A stand-in for the central server: accepts one client at a time and writes
// exactly what the test says, when the test says it.
class TestCentralServer : public QObject {
public:
    TestCentralServer()
    {
        QObject::connect(&m_tcp, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_tcp.nextPendingConnection()) {
                m_peer = s;
                ++m_connections;
                QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] { m_received += s->readAll(); });
            }
        });
    }

    bool listen() { return m_tcp.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return m_tcp.serverPort(); }
    void stopListening() { m_tcp.close(); }
    QTcpSocket *peer() const { return m_peer; }
    int connections() const { return m_connections; }
    // Every byte the client sent, in order.
    const QByteArray &received() const { return m_received; }
    void clearReceived() { m_received.clear(); }

    // One write, pushed to the socket at once.
    void write(const QByteArray &bytes)
    {
        if (!m_peer)
            return;
        m_peer->write(bytes);
        m_peer->flush();
    }
    // Waits until the client has sent `needle` (after what was cleared).
    bool waitForRequest(const QByteArray &needle, int ms = 5000)
    {
        return QTest::qWaitFor([&] { return m_received.contains(needle); }, ms);
    }
    // Closes the connection after what was written (a FIN, not a reset).
    void closeConnection()
    {
        if (m_peer)
            m_peer->disconnectFromHost();
    }

private:
    QTcpServer m_tcp;
    QPointer<QTcpSocket> m_peer;
    QByteArray m_received;
    int m_connections = 0;
};

// A timer every 100 ms on the client's thread; how much later than that its
// ticks come shows how long the event loop was kept from running.
class LatenessProbe : public QObject {
public:
    static constexpr int kIntervalMs = 100;

    LatenessProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kIntervalMs);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.elapsed();
            m_worst = qMax(m_worst, now - m_last - kIntervalMs);
            m_last = now;
            ++m_ticks;
        });
    }
    void start()
    {
        m_clock.start();
        m_last = 0;
        m_worst = 0;
        m_ticks = 0;
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    // The longest delay of a tick beyond its interval, in milliseconds.
    qint64 worst() const { return m_worst; }
    int ticks() const { return m_ticks; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
    int m_ticks = 0;
};

// Fills the login window and presses "Bağlan" as a user would; the wait for
// the connection pumps events, so the test server accepts meanwhile.
inline void pressConnect(ClientWindows &w, quint16 port, const QString &user = QStringLiteral("demo"))
{
    fillLogin(w.giris, port, user);
    auto *connectButton = w.giris.findChild<QPushButton *>(QStringLiteral("suiButton1"));
    if (!connectButton->isEnabled())
        w.giris.suiButton2Click(); // "İptal" enables "Bağlan" again
    // The click waits inside the connect sequence; run it from the event
    // loop so that a refused connection cannot keep the test waiting.
    QTimer::singleShot(0, connectButton, [connectButton] { connectButton->click(); });
}

// A central server on a thread of its own, so that the client's work cannot
// slow it down: once the client has logged in, it writes the messages of
// `cycle` in turn, each as its own write, `perSecond` of them a second for
// `seconds`, then `last`.
class FloodServer {
public:
    FloodServer(QList<QByteArray> cycle, QByteArray last, int perSecond, int seconds)
        : m_cycle(std::move(cycle)), m_last(std::move(last)), m_perSecond(perSecond), m_seconds(seconds)
    {
        m_thread.reset(QThread::create([this] { run(); }));
        m_thread->start();
        while (m_port.load() == 0)
            QThread::msleep(1);
    }
    ~FloodServer()
    {
        m_stop = true;
        m_thread->wait();
    }
    quint16 port() const { return quint16(m_port.load()); }
    int sent() const { return m_sent.load(); }
    bool finished() const { return m_finished.load(); }

private:
    void run()
    {
        QTcpServer server;
        if (!server.listen(QHostAddress::LocalHost, 0)) {
            m_port = -1;
            return;
        }
        m_port = server.serverPort();
        QTcpSocket *peer = nullptr;
        QByteArray received;
        QElapsedTimer clock;
        while (!m_stop && !m_finished) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (!peer && server.hasPendingConnections())
                peer = server.nextPendingConnection();
            if (!peer) {
                server.waitForNewConnection(5);
                continue;
            }
            if (!clock.isValid()) {
                // The events processed above may already have read the
                // login into the socket's buffer: take what is there.
                if (peer->bytesAvailable() == 0)
                    peer->waitForReadyRead(5);
                received += peer->readAll();
                if (received.contains("kulsifre"))
                    clock.start();
                continue;
            }
            const qint64 elapsed = clock.elapsed();
            const qint64 due = qMin<qint64>(elapsed, m_seconds * 1000LL) * m_perSecond / 1000;
            for (int n = m_sent; n < due; ++n) {
                peer->write(m_cycle[n % m_cycle.size()]);
                peer->flush();
                m_sent = n + 1;
            }
            if (elapsed >= m_seconds * 1000LL) {
                peer->write(m_last);
                peer->flush();
                peer->waitForBytesWritten(5000);
                m_finished = true;
                break;
            }
            peer->waitForBytesWritten(1);
            QThread::msleep(1);
        }
        // Stay connected until the test is done, reading what comes.
        while (!m_stop && peer && peer->state() == QAbstractSocket::ConnectedState) {
            peer->waitForReadyRead(20);
            peer->readAll();
        }
        delete peer;
    }

    QList<QByteArray> m_cycle;
    QByteArray m_last;
    int m_perSecond;
    int m_seconds;
    std::unique_ptr<QThread> m_thread;
    std::atomic<int> m_port{0};
    std::atomic<int> m_sent{0};
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_stop{false};
};
