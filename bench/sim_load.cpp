// Load figure of the simulator: starts central_sim, logs in many clients at
// once and lets each ask one device once a second; reports the simulator's
// CPU share and resident memory near the start and the end of the run and the
// answer latency (request written to answer complete).
//
//   sim_load --sim build/sim/central_sim [--clients 50] [--seconds 60]
//            [--request ping|enertum] [--port 17990] [--sim-args "--delay 0"]
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

const QByteArray kEnd = QByteArrayLiteral("\xF4\xF4\xF4");
// The demo user's devices that are on line.
const QList<QByteArray> kSerials = {"12001", "12002", "12003", "12007", "12004",
                                    "12005", "12006", "12008", "12009"};

struct ProcSample {
    double cpuSeconds = 0; // user + system
    qint64 rssKiB = 0;
    qint64 at = 0;         // ms on the run's clock
};

ProcSample sample(qint64 pid, qint64 at)
{
    ProcSample s;
    s.at = at;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.readAll();
        // Fields after the command name in parentheses: utime is field 14, stime 15.
        const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (f.size() > 13)
            s.cpuSeconds = double(f[11].toLongLong() + f[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
    }
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &l : status.readAll().split('\n')) {
            if (l.startsWith("VmRSS:"))
                s.rssKiB = l.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return s;
}

// Bytes of a complete answer at the front of buf, 0 while it is incomplete,
// -1 for something that is not an answer to the request.
qsizetype completeAnswer(const QByteArray &buf, const QByteArray &request)
{
    if (request == "ping") {
        const QByteArray pong = "pong\x01" + kEnd;
        if (buf.size() < pong.size())
            return pong.startsWith(buf) ? 0 : -1;
        return buf.startsWith(pong) ? pong.size() : -1;
    }
    if (buf.size() < 11)
        return QByteArray("enerjial").startsWith(buf.left(8)) ? 0 : -1;
    if (!buf.startsWith("enerjial"))
        return -1;
    // Fields of the Modbus frame: station, function, count, data…, CRC lo, CRC hi.
    qsizetype pos = 11;
    std::vector<int> bytes;
    while (true) {
        const qsizetype end = buf.indexOf('$', pos);
        if (end < 0)
            return 0;
        int v = buf.mid(pos, end - pos).toInt();
        pos = end + 1;
        // "199$239" after the station stands for one byte 3.
        if (!bytes.empty() && v == 199 && buf.mid(pos, 4) == "239$") {
            v = 3;
            pos += 4;
        }
        bytes.push_back(v);
        const size_t need = bytes.size() >= 2 && (bytes[1] & 0x80) ? 5
                          : bytes.size() >= 3                     ? size_t(3 + bytes[2] + 2)
                                                                  : SIZE_MAX;
        if (bytes.size() >= need)
            return pos;
    }
}

struct LoadClient {
    std::unique_ptr<QTcpSocket> socket;
    QByteArray serial;
    QByteArray buf;
    bool loggedIn = false;
    qint64 sentAt = -1; // µs; an outstanding request
    int devicesListed = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.addHelpOption();
    const QCommandLineOption simOpt("sim", "central_sim binary.", "path", "build/sim/central_sim");
    const QCommandLineOption clientsOpt("clients", "Clients at once.", "n", "50");
    const QCommandLineOption secondsOpt("seconds", "Length of the run.", "s", "60");
    const QCommandLineOption requestOpt("request", "ping or enertum.", "keyword", "ping");
    const QCommandLineOption portOpt("port", "Port for the simulator.", "port", "17990");
    const QCommandLineOption argsOpt("sim-args", "More arguments for the simulator.", "args", "--delay 0");
    const QCommandLineOption logOpt("sim-log", "Where the simulator's log goes.", "file", "/tmp/sim_load_central_sim.log");
    for (const auto &o : {simOpt, clientsOpt, secondsOpt, requestOpt, portOpt, argsOpt, logOpt})
        p.addOption(o);
    p.process(app);

    const int clients = p.value(clientsOpt).toInt();
    const int seconds = p.value(secondsOpt).toInt();
    const QByteArray request = p.value(requestOpt).toLatin1();
    const quint16 port = quint16(p.value(portOpt).toUInt());
    QTextStream out(stdout);

    QProcess sim;
    sim.setProgram(p.value(simOpt));
    sim.setArguments(QStringList{"--port", QString::number(port), "--notice-after", "86400"}
                     + QProcess::splitCommand(p.value(argsOpt)));
    sim.setStandardOutputFile(p.value(logOpt));
    sim.setStandardErrorFile(p.value(logOpt), QIODevice::Append);
    sim.start();
    if (!sim.waitForStarted(5000)) {
        out << "cannot start " << sim.program() << Qt::endl;
        return 1;
    }
    const qint64 pid = sim.processId();

    // Wait until it listens.
    for (int i = 0; i < 100; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        if (probe.waitForConnected(100))
            break;
        QThread::msleep(50);
    }

    QElapsedTimer clock;
    clock.start();
    std::vector<LoadClient> all(static_cast<size_t>(clients));
    std::vector<qint64> latencies;
    latencies.reserve(size_t(clients * seconds + 100));
    int unexpected = 0;

    for (int i = 0; i < clients; ++i) {
        LoadClient &c = all[size_t(i)];
        c.serial = kSerials[i % kSerials.size()];
        c.socket = std::make_unique<QTcpSocket>();
        QObject::connect(c.socket.get(), &QTcpSocket::readyRead, [&c, &latencies, &unexpected, &clock, &request] {
            c.buf += c.socket->readAll();
            for (;;) {
                // Messages of the connection, not answers: the device list,
                // the energy summaries after it, a new-message notice.
                if (c.buf.startsWith("cihazlar\x01") || c.buf.startsWith("cihazenerji\x01")
                    || c.buf.startsWith("yenimesaj\x01")) {
                    const qsizetype end = c.buf.indexOf(kEnd);
                    if (end < 0)
                        return;
                    if (c.buf.startsWith("cihazlar"))
                        ++c.devicesListed;
                    c.buf.remove(0, end + kEnd.size());
                    continue;
                }
                if (!c.loggedIn) {
                    c.loggedIn = c.devicesListed >= 10;
                    if (!c.loggedIn || c.buf.isEmpty())
                        return;
                }
                const qsizetype n = completeAnswer(c.buf, request);
                if (n == 0 || c.buf.isEmpty())
                    return;
                if (n < 0) {
                    ++unexpected;
                    c.buf.clear();
                    return;
                }
                if (c.sentAt >= 0)
                    latencies.push_back(clock.nsecsElapsed() / 1000 - c.sentAt);
                c.sentAt = -1;
                c.buf.remove(0, n);
            }
        });
        c.socket->connectToHost(QHostAddress::LocalHost, port);
        c.socket->waitForConnected(3000);
        c.socket->write("kulsifre\x01" "demo\x01" "1234\x02" + kEnd);
    }
    // Every client logged in and listed its devices.
    const auto spin = [&app](qint64 ms, const std::function<bool()> &done) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms && !done())
            app.processEvents(QEventLoop::WaitForMoreEvents, 20);
    };
    spin(20000, [&] { return std::all_of(all.begin(), all.end(), [](const LoadClient &c) { return c.loggedIn; }); });
    const int loggedIn = int(std::count_if(all.begin(), all.end(), [](const LoadClient &c) { return c.loggedIn; }));

    // Each client asks once a second, the clients spread over the second.
    int skipped = 0;
    int sent = 0;
    std::vector<std::unique_ptr<QTimer>> timers;
    for (int i = 0; i < clients; ++i) {
        LoadClient &c = all[size_t(i)];
        const QByteArray bytes = request == "ping" ? "ping" + kEnd : request + '\x01' + c.serial + '\x01' + kEnd;
        auto timer = std::make_unique<QTimer>();
        timer->setInterval(1000);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, [&c, bytes, &clock, &skipped, &sent] {
            if (c.sentAt >= 0) { // the last one is still unanswered
                ++skipped;
                return;
            }
            c.sentAt = clock.nsecsElapsed() / 1000;
            c.socket->write(bytes);
            ++sent;
        });
        QTimer::singleShot(i * 1000 / clients, timer.get(), qOverload<>(&QTimer::start));
        timers.push_back(std::move(timer));
    }

    const qint64 runStart = clock.elapsed();
    const ProcSample first = sample(pid, runStart);
    const qint64 window = qMin<qint64>(10000, seconds * 1000 / 3);
    spin(window, [] { return false; });
    const ProcSample firstWindow = sample(pid, clock.elapsed());
    spin(seconds * 1000 - 2 * window, [] { return false; });
    const ProcSample lastStart = sample(pid, clock.elapsed());
    spin(window, [] { return false; });
    const ProcSample last = sample(pid, clock.elapsed());
    for (auto &t : timers)
        t->stop();
    spin(3000, [&] { return std::none_of(all.begin(), all.end(), [](const LoadClient &c) { return c.sentAt >= 0; }); });
    const int unanswered = int(std::count_if(all.begin(), all.end(), [](const LoadClient &c) { return c.sentAt >= 0; }));

    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double q) { return latencies.empty() ? -1 : latencies[size_t(q * double(latencies.size() - 1))]; };
    const auto share = [](const ProcSample &a, const ProcSample &b) {
        return b.at > a.at ? 100.0 * (b.cpuSeconds - a.cpuSeconds) / (double(b.at - a.at) / 1000.0) : 0.0;
    };

    out << "central_sim load: " << clients << " clients (" << loggedIn << " logged in), \"" << request
        << "\" once a second each for " << seconds << " s; simulator arguments: " << sim.arguments().join(' ')
        << Qt::endl;
    out << "  requests sent " << sent << ", answered " << latencies.size() << ", unanswered at the end "
        << unanswered << ", skipped (previous still open) " << skipped << ", unexpected bytes " << unexpected
        << Qt::endl;
    const auto ms = [](qint64 us) { return QString::number(double(us) / 1000.0, 'f', 2); };
    out << "  latency ms: median " << ms(at(0.5)) << ", 95th percentile " << ms(at(0.95)) << ", maximum "
        << ms(latencies.empty() ? -1 : latencies.back()) << Qt::endl;
    out << QStringLiteral("  simulator CPU: %1 % over the first %2 s, %3 % over the last %2 s (of one core)")
               .arg(share(first, firstWindow), 0, 'f', 2)
               .arg(window / 1000)
               .arg(share(lastStart, last), 0, 'f', 2)
        << Qt::endl;
    out << "  simulator resident memory: " << first.rssKiB << " KiB at the start, " << last.rssKiB
        << " KiB at the end" << Qt::endl;

    for (LoadClient &c : all)
        c.socket->abort();
    sim.terminate();
    sim.waitForFinished(3000);
    return loggedIn == clients && unexpected == 0 ? 0 : 1;
}
