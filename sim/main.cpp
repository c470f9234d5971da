// central_sim: a stand-in central server for trying the client on one machine.
#include "demo_data.h"
#include "sim_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostInfo>
#include <QTextStream>

namespace {

QHostAddress resolve(const QString &host)
{
    QHostAddress address;
    if (address.setAddress(host))
        return address;
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return QHostAddress(QHostAddress::LocalHost);
    const QList<QHostAddress> found = QHostInfo::fromName(host).addresses();
    return found.isEmpty() ? QHostAddress() : found.first();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("central_sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Central server simulator with built-in demo devices."));
    parser.addHelpOption();
    const QCommandLineOption hostOption(QStringLiteral("host"), QStringLiteral("Address to listen on."),
                                        QStringLiteral("host"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port to listen on."),
                                        QStringLiteral("port"), QString::number(sim::SimServer::kDefaultPort));
    parser.addOption(hostOption);
    parser.addOption(portOption);
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);

    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        err << "central_sim: invalid port " << parser.value(portOption) << Qt::endl;
        return 2;
    }
    const QHostAddress address = resolve(parser.value(hostOption));
    if (address.isNull()) {
        err << "central_sim: cannot resolve host " << parser.value(hostOption) << Qt::endl;
        return 2;
    }

    sim::SimServer server;
    server.setLogger([&out](const QString &line) { out << line << Qt::endl; });
    if (!server.listen(address, quint16(port))) {
        err << "central_sim: cannot listen on " << address.toString() << ':' << port << ": "
            << server.errorString() << Qt::endl;
        return 1;
    }

    const sim::DemoUser &demo = sim::demoUsers().first();
    out << "central_sim listening on " << server.address().toString() << ':' << server.port()
        << ", demo user \"" << demo.name << "\", password \"" << demo.password << '"' << Qt::endl;
    return app.exec();
}
