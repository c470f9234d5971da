// Developer tool: every screenshot the README shows, taken from the real
// client logged in to the bundled simulator (run in this process), in a
// Turkish locale. More runs of this program follow: at scales 1.5 and 2 it
// takes the login window and the first page again; in English it takes the
// main pages again into OUTDIR/en (still with the Turkish regional settings:
// the interface language changes no date or number the server sees).
//   screens OUTDIR
// Exit code: the number of steps that failed (0 when every picture is good).
#include "language.h"
#include "scenes.h"
#include "shot_kit.h"
#include "sim_server.h"

#include <QApplication>
#include <QProcess>
#include <QTextStream>

namespace {

constexpr char kScaledRun[] = "--scaled";
constexpr char kEnglishRun[] = "--english";
// Only the compensation watch's pictures (after the login).
constexpr char kWatchRun[] = "--watch";

// The pictures of the English run: the login, the device bar, every page a
// device opens, the messages and the log.
const QStringList kEnglishPictures = {
    QStringLiteral("login.png"), QStringLiteral("devices_bar.png"), QStringLiteral("page0.png"),
    QStringLiteral("page1.png"), QStringLiteral("page2.png"),       QStringLiteral("page3.png"),
    QStringLiteral("page4.png"), QStringLiteral("page5.png"),       QStringLiteral("page6.png"),
    QStringLiteral("page8.png"), QStringLiteral("page9.png"),       QStringLiteral("messages.png"),
    QStringLiteral("log.png"),
};

// This program again with the arguments, and the scale factor when given
// (which only an environment variable read before the application starts
// can set).
int runAgain(const QStringList &arguments, const char *what, const QString &scale = QString())
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!scale.isEmpty())
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(180000)) {
        QTextStream(stderr) << "FAILED: the " << what << " run did not finish" << Qt::endl;
        return 1;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}

void allScenes(shot::Client &client, const sim::SimServer &server)
{
    scenes::loginAndDeviceBar(client, server);
    // The watch's first sweep ends before the pages are visited, and its
    // alarms are acknowledged, so that no later picture shows them.
    scenes::compensationWatch(client);
    scenes::analyserPages(client);
    scenes::relayPages(client);
    scenes::waveforms(client);
    scenes::settingsRoundTrip(client);
    scenes::overcurrentRelay(client);
    scenes::meters(client);
    scenes::industrialModem(client);
    scenes::deviceInfo(client);
    scenes::messagesAndLog(client);
}

} // namespace

int main(int argc, char **argv)
{
    // Without a display (or under xvfb-run, with one) the pictures are the same.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    shot::prepareApplication(app, true);
    const QStringList args = app.arguments();
    const QString out = args.size() > 1 ? args.at(1) : QStringLiteral("docs/screenshots");
    const qsizetype scaledAt = args.indexOf(QLatin1String(kScaledRun));
    const bool scaled = scaledAt > 0 && scaledAt + 1 < args.size();
    const bool english = args.contains(QLatin1String(kEnglishRun));
    if (english && !language::installTranslator(app, language::kEnglish)) {
        QTextStream(stderr) << "FAILED: no English translation" << Qt::endl;
        return 1;
    }

    // The stored messages are announced soon after the login, so that the
    // device bar's picture shows the notice.
    std::unique_ptr<sim::SimServer> server = shot::startSimulator(300);
    if (!server)
        return 1;
    if (args.contains(QLatin1String(kWatchRun))) {
        shot::Client watchClient(out, {QStringLiteral("watch.png"), QStringLiteral("watch_kritik.png"),
                                       QStringLiteral("watch_ceza.png"), QStringLiteral("watch_alarm_strip.png")});
        scenes::loginAndDeviceBar(watchClient, *server);
        scenes::compensationWatch(watchClient);
        return watchClient.failures();
    }
    shot::Client client(out, english ? kEnglishPictures : QStringList());
    if (scaled) {
        scenes::scaled(client, *server, args.at(scaledAt + 1));
        return client.failures();
    }
    allScenes(client, *server);
    if (english)
        return client.failures();
    const auto scaledRun = [&](const QString &factor) {
        const QString suffix = QStringLiteral("scale%1").arg(qRound(factor.toDouble() * 100));
        return runAgain({out, QLatin1String(kScaledRun), suffix}, "scaled", factor);
    };
    return client.failures() + scaledRun(QStringLiteral("1.5")) + scaledRun(QStringLiteral("2"))
        + runAgain({out + QStringLiteral("/en"), QLatin1String(kEnglishRun)}, "English");
}
