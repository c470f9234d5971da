// Developer tool: every screenshot the README shows, taken from the real
// client logged in to the bundled simulator (run in this process), in a
// Turkish locale. Further runs of this program at scales 1.5 and 2 take the
// login window and the first page again.
//   screens OUTDIR
// Exit code: the number of steps that failed (0 when every picture is good).
#include "scenes.h"
#include "shot_kit.h"
#include "sim_server.h"

#include <QApplication>
#include <QProcess>
#include <QTextStream>

namespace {

constexpr char kScaledRun[] = "--scaled";

// The same program at another scale, which only an environment variable read
// before the application starts can give; its pictures are named after it
// (scale 1.5: "…_scale150.png").
int runScaled(const QString &out, const QString &factor)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), factor);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    const QString suffix = QStringLiteral("scale%1").arg(qRound(factor.toDouble() * 100));
    child.start(QCoreApplication::applicationFilePath(), {out, QLatin1String(kScaledRun), suffix});
    if (!child.waitForFinished(120000)) {
        QTextStream(stderr) << "FAILED: the run at scale " << factor << " did not finish" << Qt::endl;
        return 1;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
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

    // The stored messages are announced soon after the login, so that the
    // device bar's picture shows the notice.
    std::unique_ptr<sim::SimServer> server = shot::startSimulator(300);
    if (!server)
        return 1;
    shot::Client client(out);
    if (scaled) {
        scenes::scaled(client, *server, args.at(scaledAt + 1));
        return client.failures();
    }
    scenes::loginAndDeviceBar(client, *server);
    scenes::analyserPages(client);
    scenes::relayPages(client);
    scenes::waveforms(client);
    scenes::settingsRoundTrip(client);
    scenes::overcurrentRelay(client);
    scenes::meters(client);
    scenes::industrialModem(client);
    scenes::deviceInfo(client);
    scenes::messagesAndLog(client);
    return client.failures() + runScaled(out, QStringLiteral("1.5")) + runScaled(out, QStringLiteral("2"));
}
