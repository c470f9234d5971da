// A recording client for the crash test: answers of a relay as fast as a
// timer goes, each a second after the one before in the data's own time
// (from --start), recorded and flushed every 50 ms; every commit is
// printed as "committed ROWS". The test kills it with SIGKILL.
//   history_record_helper LOCATION START_MS
#include "recorder.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const auto location = history::parseLocation(args.value(1));
    const qint64 start = args.value(2).toLongLong();
    if (!location || start <= 0)
        return 2;
    auto now = std::make_shared<qint64>(start);
    history::RecorderOptions options;
    options.location = *location;
    options.flushMs = 50;
    options.clock = [now] { return *now; };
    history::Recorder recorder(options);
    QObject::connect(&recorder, &history::Recorder::committed, [](qint64 rows, qint64) {
        std::printf("committed %lld\n", static_cast<long long>(rows));
        std::fflush(stdout);
    });
    QObject::connect(&recorder, &history::Recorder::statusMessage,
                     [](const QString &text) { std::fprintf(stderr, "%s\n", qUtf8Printable(text)); });
    std::vector<double> registers(402, -1.0);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        *now += 1000;
        for (int r = 0; r <= 124; ++r)
            registers[size_t(r)] = double((r * 37 + *now / 1000) % 3000);
        registers[0] = 20;
        recorder.recordRegisters(QStringLiteral("12001"), 2, registers, {0, 124});
    });
    answer.start(5);
    return app.exec();
}
