#include "sim_options.h"

#include "site_generator.h"

#include <QCommandLineParser>

namespace sim {

namespace {

std::optional<std::pair<int, int>> parseDelay(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.size() > 2)
        return std::nullopt;
    bool ok1 = false, ok2 = true;
    const int least = parts[0].trimmed().toInt(&ok1);
    const int most = parts.size() == 2 ? parts[1].trimmed().toInt(&ok2) : least;
    if (!ok1 || !ok2 || least < 0 || most < least || most > 60000)
        return std::nullopt;
    return std::pair{least, most};
}

} // namespace

ParsedOptions parseRunOptions(const QStringList &arguments)
{
    ParsedOptions out;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Stand-in central server: serves a site's users and devices to the client over TCP.\n"
        "Without --site it serves the built-in demo site (user \"demo\", password \"1234\")."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption host(QStringLiteral("host"), QStringLiteral("Address to listen on (default 127.0.0.1)."),
                                  QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port to listen on (default 17818)."),
                                  QStringLiteral("port"), QStringLiteral("17818"));
    const QCommandLineOption site(QStringLiteral("site"), QStringLiteral("Site file (JSON) with users and devices."),
                                  QStringLiteral("file"));
    const QCommandLineOption generate(QStringLiteral("generate"),
                                      QStringLiteral("Serve a generated site of N devices (1 to %1) instead: groups "
                                                     "of %2, every kind, every band, a few off line; the same N "
                                                     "always makes the same site.")
                                          .arg(kMaxDevicesPerUser)
                                          .arg(kGeneratedGroupSize),
                                      QStringLiteral("N"));
    const QCommandLineOption check(QStringLiteral("check"), QStringLiteral("Check the site file and stop."));
    const QCommandLineOption print(QStringLiteral("print-site"),
                                   QStringLiteral("Print the site (the demo site without --site) as a site file and stop."));
    const QCommandLineOption quiet({QStringLiteral("q"), QStringLiteral("quiet")},
                                   QStringLiteral("Log connections, logins and problems, not every request and answer."));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Answer delay in ms, fixed or a range (default 50-150)."),
                                   QStringLiteral("ms|least-most"));
    const QCommandLineOption notice(QStringLiteral("notice-after"),
                                    QStringLiteral("Seconds after login until \"yenimesaj\" (default 20)."),
                                    QStringLiteral("seconds"));
    const QCommandLineOption split(QStringLiteral("split"),
                                   QStringLiteral("Fault: write these answers in two parts (keywords of the requests, "
                                                  "comma-separated, or \"all\")."),
                                   QStringLiteral("keywords|all"));
    const QCommandLineOption join(QStringLiteral("join"),
                                  QStringLiteral("Fault: write these answers together with the next answer in one write."),
                                  QStringLiteral("keywords|all"));
    const QCommandLineOption dropAfter(QStringLiteral("drop-after"),
                                       QStringLiteral("Fault: close each connection once N requests are answered."),
                                       QStringLiteral("N"));
    const QCommandLineOption late(QStringLiteral("late"),
                                  QStringLiteral("Fault: answer ms later than the delay says (all requests, or those "
                                                 "after \":\", e.g. 3000:enertum)."),
                                  QStringLiteral("ms[:keywords]"));
    const QCommandLineOption offline(QStringLiteral("offline"),
                                     QStringLiteral("Fault: answer \"Hattayok\" for these devices (serials, comma-separated)."),
                                     QStringLiteral("serials"));
    for (const QCommandLineOption &o : {host, port, site, generate, check, print, quiet, delay, notice, split, join, dropAfter,
                                        late, offline})
        parser.addOption(o);

    if (!parser.parse(arguments)) {
        out.error = parser.errorText();
        return out;
    }
    if (parser.isSet(help)) {
        out.helpText = parser.helpText();
        return out;
    }
    if (!parser.positionalArguments().isEmpty()) {
        out.error = QStringLiteral("unexpected argument \"%1\" (a site file goes after --site)")
                        .arg(parser.positionalArguments().first());
        return out;
    }

    RunOptions o;
    o.host = parser.value(host);
    bool ok = false;
    const uint p = parser.value(port).toUInt(&ok);
    if (!ok || p > 65535) {
        out.error = QStringLiteral("invalid port \"%1\"").arg(parser.value(port));
        return out;
    }
    o.port = quint16(p);
    o.sitePath = parser.value(site);
    o.checkOnly = parser.isSet(check);
    o.printSite = parser.isSet(print);
    o.quiet = parser.isSet(quiet);
    if (parser.isSet(generate)) {
        o.generate = parser.value(generate).toInt(&ok);
        if (!ok || o.generate < 1 || o.generate > kMaxDevicesPerUser) {
            out.error = QStringLiteral("invalid --generate \"%1\": a number of devices, 1 to %2")
                            .arg(parser.value(generate))
                            .arg(kMaxDevicesPerUser);
            return out;
        }
        if (!o.sitePath.isEmpty()) {
            out.error = QStringLiteral("--generate and --site exclude each other");
            return out;
        }
    }
    if (o.checkOnly && o.sitePath.isEmpty()) {
        out.error = QStringLiteral("--check needs --site");
        return out;
    }
    if (parser.isSet(delay)) {
        o.answerDelay = parseDelay(parser.value(delay));
        if (!o.answerDelay) {
            out.error = QStringLiteral("invalid --delay \"%1\": milliseconds (0 to 60000) or least-most")
                            .arg(parser.value(delay));
            return out;
        }
    }
    if (parser.isSet(notice)) {
        const double s = parser.value(notice).toDouble(&ok);
        if (!ok || s < 0 || s > 86400) {
            out.error = QStringLiteral("invalid --notice-after \"%1\": seconds (0 to 86400)").arg(parser.value(notice));
            return out;
        }
        o.noticeAfterMs = int(s * 1000);
    }
    QString why;
    if (parser.isSet(split) && !(o.split = parseKeywordList(parser.value(split), &why))) {
        out.error = QStringLiteral("invalid --split: ") + why;
        return out;
    }
    if (parser.isSet(join) && !(o.join = parseKeywordList(parser.value(join), &why))) {
        out.error = QStringLiteral("invalid --join: ") + why;
        return out;
    }
    if (parser.isSet(dropAfter)) {
        const int n = parser.value(dropAfter).toInt(&ok);
        if (!ok || n < 1) {
            out.error = QStringLiteral("invalid --drop-after \"%1\": a number of requests, 1 or more")
                            .arg(parser.value(dropAfter));
            return out;
        }
        o.dropAfter = n;
    }
    if (parser.isSet(late)) {
        FaultPlan plan;
        if (!parseLate(parser.value(late), plan, &why)) {
            out.error = QStringLiteral("invalid --late: ") + why;
            return out;
        }
        o.late = plan;
    }
    if (parser.isSet(offline) && !(o.offline = parseSerialList(parser.value(offline), &why))) {
        out.error = QStringLiteral("invalid --offline: ") + why;
        return out;
    }
    out.options = o;
    return out;
}

bool applyRunOptions(const RunOptions &options, Site &site, QString *error)
{
    Timing &t = site.timing;
    if (options.answerDelay) {
        t.answerDelayMinMs = options.answerDelay->first;
        t.answerDelayMaxMs = options.answerDelay->second;
        t.answerDelayGiven = true;
    } else if (!t.answerDelayGiven) {
        t.answerDelayMinMs = kDefaultAnswerDelayMinMs;
        t.answerDelayMaxMs = kDefaultAnswerDelayMaxMs;
        t.answerDelayGiven = true;
    }
    if (options.noticeAfterMs)
        t.messageNoticeAfterMs = *options.noticeAfterMs;

    FaultPlan &f = site.faults;
    if (options.split)
        f.split = *options.split;
    if (options.join)
        f.join = *options.join;
    if (options.dropAfter)
        f.dropAfter = *options.dropAfter;
    if (options.late) {
        f.late = options.late->late;
        f.lateMs = options.late->lateMs;
    }
    if (options.offline) {
        for (quint32 serial : *options.offline) {
            if (!site.findDevice(serial)) {
                if (error)
                    *error = QStringLiteral("--offline: device %1 is not in the site").arg(serial);
                return false;
            }
        }
        f.offline = *options.offline;
    }
    return true;
}

} // namespace sim
