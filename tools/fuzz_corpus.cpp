// Developer tool: the seed corpus of the fuzz targets, made of real answers of
// the simulator.
//   fuzz_corpus OUT_DIR        (normally fuzz/corpus)
// Logs in to the in-process simulator as "demo", selects every device of the
// bar by a click and presses every button of every page its kind shows, asks
// for the messages and sends the keep-alive. Every read that comes back is
// written, with the pending request and the device kind the client had when
// it arrived, as a seed of each target that reads such input:
//   handlers/       pending request, device kind, cut, then the read
//   read/           pending request, 255 (the read in four parts), then the read
//   walk/           the read
//   payload/        row 1, the start register, then a register payload
//   energy_summary/ the separator choice, then an energy summary
//   meter_readout/  flags, then the "sayacal" pieces of the read
//   waveform/       the phase, then a waveform answer
#include "client_driver.h"
#include "commands.h"
#include "demo_data.h"
#include "handlers.h"
#include "message_commands.h"
#include "pending.h"
#include "register_store.h"
#include "sim_server.h"
#include "wire.h"
#include "working_text.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <map>

namespace {

struct Capture {
    QString label;
    QByteArray bytes;
    QByteArray pending;
    int kind;
    int startRegister;
};

// Runs the event loop for ms milliseconds, or until no read came for
// quietMs (once something came).
void pump(int ms, const std::function<bool()> &done = {})
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (done && done())
            return;
        QThread::msleep(2);
    }
}

QString fileName(const QString &label, int n)
{
    QString s = label;
    for (QChar &c : s)
        if (!c.isLetterOrNumber() || c.unicode() > 127)
            c = u'_';
    return QStringLiteral("%1_%2").arg(s).arg(n);
}

class Corpus {
public:
    explicit Corpus(const QString &dir) : m_dir(dir) {}

    void write(const QString &target, const QString &name, const QByteArray &bytes)
    {
        QDir().mkpath(m_dir + u'/' + target);
        QFile f(m_dir + u'/' + target + u'/' + name);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        ++m_counts[target];
    }
    const std::map<QString, int> &counts() const { return m_counts; }

private:
    QString m_dir;
    std::map<QString, int> m_counts;
};

const QList<QByteArray> &pendingValues()
{
    static const QList<QByteArray> values = [] {
        QList<QByteArray> all;
        for (const handlers::EnerjialBranch &b : handlers::enerjialBranches())
            all << b.pendingRequest;
        all << pending::sayac;
        return all;
    }();
    return values;
}

char pendingByte(const QByteArray &pending)
{
    const qsizetype i = pendingValues().indexOf(pending);
    return char(i < 0 ? pendingValues().size() : i); // none: the value after the list
}

char kindByte(int kind)
{
    const int kinds[] = {-1, 0, 2, 3, 4, 1};
    for (int i = 0; i < 6; ++i)
        if (kinds[i] == kind)
            return char(i);
    return char(0);
}

void writeSeeds(Corpus &corpus, const Capture &c, int n)
{
    const QString name = fileName(c.label, n);
    corpus.write(QStringLiteral("walk"), name, c.bytes);
    corpus.write(QStringLiteral("handlers"), name,
                 QByteArray(1, pendingByte(c.pending)) + kindByte(c.kind) + char(255) + c.bytes);
    corpus.write(QStringLiteral("read"), name, QByteArray(1, pendingByte(c.pending)) + char(255) + c.bytes);
    const QByteArray envelope("enerjial");
    if (c.bytes.startsWith(envelope) && c.bytes.size() > 11) {
        const QByteArray content = c.bytes.mid(11);
        for (const QByteArray &p : {pending::anideger, pending::tuketim, pending::harmonikzorv, pending::sabitler,
                                    pending::kondasatordurum})
            if (c.pending == p)
                corpus.write(QStringLiteral("payload"), name,
                             QByteArray("\xFF", 1) + char(c.startRegister >> 8) + char(c.startRegister & 0xFF) + '\0'
                                 + content);
        const QList<QByteArray> phases = {pending::harmonikb, pending::harmoniki, pending::harmoniku};
        if (phases.contains(c.pending))
            corpus.write(QStringLiteral("waveform"), name, QByteArray(1, char(phases.indexOf(c.pending))) + content);
    }
    // Energy summaries: the data field of each "cihazenerji" in the read.
    qsizetype at = 0;
    int summaries = 0;
    while ((at = c.bytes.indexOf("cihazenerji", at)) >= 0) {
        WorkingText t(c.bytes.mid(at));
        t.skip(12);
        t.nextField();
        t.nextField();
        const QByteArray data = t.peekField();
        if (!data.isEmpty())
            corpus.write(QStringLiteral("energy_summary"), name + u'_' + QString::number(summaries++),
                         QByteArray(1, '\0') + data);
        at += 11;
    }
    // Meter readouts: the pieces of the read, one after another.
    QList<QByteArray> bodies;
    for (qsizetype from = c.bytes.indexOf("sayacal"); from >= 0;) {
        const qsizetype next = c.bytes.indexOf("sayacal", from + 7);
        bodies << c.bytes.mid(from + 10, next < 0 ? -1 : qMax<qsizetype>(0, next - from - 10));
        from = next;
    }
    if (!bodies.isEmpty())
        corpus.write(QStringLiteral("meter_readout"), name, QByteArray(1, '\0') + bodies.join('\xFF'));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (app.arguments().size() < 2) {
        QTextStream(stderr) << "fuzz_corpus OUT_DIR\n";
        return 2;
    }
    Corpus corpus(app.arguments().at(1));

    sim::SimServer sim;
    if (!sim.listen(QHostAddress::LocalHost, 0))
        return 1;
    ClientWindows w;
    driver::unattended(w);
    ClientContext &ctx = w.ana.context();
    QList<Capture> captures;
    QString label = QStringLiteral("login");
    qint64 lastRead = 0;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&w.ana.connection(), &ServerConnection::bytesRead, &w.ana, [&](const QByteArray &b) {
        captures << Capture{label, b, ctx.conn->pendingRequest, ctx.prog->deviceKind, ctx.store->startRegister};
        lastRead = clock.elapsed();
    });
    // Until nothing more came for a while after the last action.
    const auto settle = [&] {
        const qint64 from = clock.elapsed();
        pump(3000, [&] { return clock.elapsed() - qMax(lastRead, from) > 250; });
    };

    driver::logIn(w, QStringLiteral("127.0.0.1"), sim.port(), QStringLiteral("demo"), QStringLiteral("1234"));
    pump(5000, [&] { return driver::items(w).size() >= 10; });
    settle();

    QStringList serials;
    for (GroupBarItem *it : driver::items(w))
        serials << it->caption().section(QStringLiteral(" No: "), -1);
    for (const QString &serial : serials) {
        GroupBarItem *it = driver::item(w, serial);
        if (!it)
            continue;
        label = serial + QStringLiteral("_select");
        driver::click(it);
        settle();
        for (int page : driver::shownPages(w)) {
            driver::pages(w)->setCurrentIndex(page);
            for (QAbstractButton *b : driver::buttons(w, page)) {
                label = QStringLiteral("%1_p%2_%3").arg(serial).arg(page).arg(b->objectName());
                const qsizetype before = captures.size();
                b->click();
                settle();
                driver::out() << label << ": " << captures.size() - before << " reads" << Qt::endl;
            }
        }
    }
    label = QStringLiteral("messages");
    commands::requestNewMessages(ctx);
    settle();
    label = QStringLiteral("ping");
    ctx.sendRequest(wire::keepAliveRequest());
    settle();

    QHash<QString, int> perLabel;
    for (const Capture &c : captures)
        writeSeeds(corpus, c, perLabel[c.label]++);
    for (const auto &[target, count] : corpus.counts())
        driver::out() << target << ": " << count << " seeds" << Qt::endl;
    driver::out() << captures.size() << " reads from " << serials.size() << " devices" << Qt::endl;
    return 0;
}
