// central_sim: a stand-in central server for demonstrations, training and the
// client's end-to-end tests, serving the built-in demo site or a site file.
#include "demo_data.h"
#include "sim_options.h"
#include "sim_server.h"
#include "site_generator.h"
#include "site_loader.h"

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

QString siteSummary(const sim::Site &site)
{
    int offline = 0;
    for (const sim::DeviceInfo &d : site.devices)
        offline += d.online ? 0 : 1;
    QStringList users;
    for (const sim::SiteUser &u : site.users)
        users.append(QStringLiteral("%1 (%2 devices, %3 messages)").arg(u.name).arg(u.serials.size()).arg(u.messages.size()));
    return QStringLiteral("%1 devices (%2 off line), users: %3")
        .arg(site.devices.size())
        .arg(offline)
        .arg(users.join(QStringLiteral(", ")));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("central_sim"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    const sim::ParsedOptions parsed = sim::parseRunOptions(QCoreApplication::arguments());
    if (!parsed.helpText.isEmpty()) {
        out << parsed.helpText;
        return 0;
    }
    if (!parsed.options) {
        err << "central_sim: " << parsed.error << Qt::endl;
        return 2;
    }
    const sim::RunOptions &options = *parsed.options;

    sim::Site site = options.generate > 0 ? sim::generatedSite(options.generate) : sim::demoSite();
    if (!options.sitePath.isEmpty()) {
        const sim::SiteLoad load = sim::loadSiteFile(options.sitePath);
        if (!load.site) {
            err << "central_sim: " << load.error << Qt::endl;
            return 2;
        }
        site = *load.site;
    }
    if (options.checkOnly) {
        out << options.sitePath << ": fine, " << siteSummary(site) << Qt::endl;
        return 0;
    }
    QString error;
    if (!sim::applyRunOptions(options, site, &error)) {
        err << "central_sim: " << error << Qt::endl;
        return 2;
    }
    if (options.printSite) {
        out << sim::siteToJson(site).toJson(QJsonDocument::Indented);
        return 0;
    }

    const QHostAddress address = resolve(options.host);
    if (address.isNull()) {
        err << "central_sim: cannot resolve host " << options.host << Qt::endl;
        return 2;
    }

    sim::SimServer server(site);
    server.setQuiet(options.quiet);
    server.setLogger([&out](const QString &line) { out << line << Qt::endl; });
    if (!server.listen(address, options.port)) {
        err << "central_sim: cannot listen on " << address.toString() << ':' << options.port << ": "
            << server.errorString() << Qt::endl;
        return 1;
    }

    server.log(QStringLiteral("central_sim listening on %1:%2").arg(server.address().toString()).arg(server.port()));
    const QString source = !options.sitePath.isEmpty() ? options.sitePath
                           : options.generate > 0     ? QStringLiteral("generated (%1 devices)").arg(options.generate)
                                                      : QStringLiteral("built-in demo");
    server.log(QStringLiteral("site: %1, %2").arg(source, siteSummary(site)));
    if (options.sitePath.isEmpty()) {
        const sim::SiteUser &demo = site.users.first();
        server.log(QStringLiteral("log in as \"%1\", password \"%2\"").arg(demo.name, demo.password));
    }
    server.log(QStringLiteral("answer delay %1-%2 ms, \"yenimesaj\" %3 s after login, faults: %4%5")
                   .arg(server.answerDelayMinMs())
                   .arg(server.answerDelayMaxMs())
                   .arg(server.messageNoticeDelayMs() / 1000.0)
                   .arg(server.faults().describe(), options.quiet ? QStringLiteral(", quiet") : QString()));
    return app.exec();
}
