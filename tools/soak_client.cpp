// Developer tool: the client left running for a long time, used the way a
// person uses it, for the soak run (tools/soak.sh).
//   soak_client HOST PORT USER PASSWORD [--step-ms N] [--live SERIAL [--poll-ms N]]
// It logs in through the login window and then, one step every --step-ms
// (2000 by default), works through the device bar: a click on a device,
// then on each page its kind shows, the page's tab and every button on it in
// turn; then the next device, and round again, for as long as it runs. The
// live display keeps showing the selected device all the while.
// With --live it selects that one device and only shows it, clicking it
// again every --poll-ms (0, the default: never) for fresh values.
// It writes a line "reconnected after N attempt(s)" each time the client has
// logged in again by itself after a drop, and with the stores once a minute
// the number of duplicated device bar items.
#include "client_driver.h"
#include "communication_log_model.h"
#include "compensation_watch.h"
#include "watch_wiring.h"

#include <QSet>
#include <QTimer>

namespace {

struct Step {
    QString serial;
    int page = -1;              // -1: the device click
    QString button;             // empty: the page's tab
};

// The steps of one round, made afresh from what the bar and the pages show
// once the device is selected.
class Round {
public:
    explicit Round(ClientWindows &w) : m_w(w) {}

    void next()
    {
        if (m_steps.isEmpty())
            plan();
        if (m_steps.isEmpty())
            return;
        const Step s = m_steps.takeFirst();
        if (s.page < 0) {
            if (GroupBarItem *it = driver::item(m_w, s.serial)) {
                driver::out() << "select " << s.serial << Qt::endl;
                driver::click(it);
                planPages(s.serial); // the pages the kind shows, known now
            }
            return;
        }
        if (s.button.isEmpty()) {
            driver::pages(m_w)->setCurrentIndex(s.page);
            return;
        }
        for (QAbstractButton *b : driver::buttons(m_w, s.page)) {
            if (b->objectName() == s.button) {
                driver::out() << "  page " << s.page << ' ' << s.button << Qt::endl;
                b->click();
                return;
            }
        }
    }

private:
    void plan()
    {
        for (GroupBarItem *it : driver::items(m_w))
            m_devices << it->caption().section(QStringLiteral(" No: "), -1);
        if (m_devices.isEmpty())
            return;
        ++m_round;
        driver::out() << "round " << m_round << Qt::endl;
        for (const QString &serial : std::as_const(m_devices))
            m_steps << Step{serial, -1, QString()};
        m_devices.clear();
    }

    // After a device's click: its pages and their buttons go before the
    // next device.
    void planPages(const QString &serial)
    {
        QList<Step> pages;
        for (int page : driver::shownPages(m_w)) {
            pages << Step{serial, page, QString()};
            for (QAbstractButton *b : driver::buttons(m_w, page))
                pages << Step{serial, page, b->objectName()};
        }
        m_steps = pages + m_steps;
    }

    ClientWindows &m_w;
    QStringList m_devices;
    QList<Step> m_steps;
    int m_round = 0;
};

// Items of the bar with the caption of another item of their group.
qsizetype duplicates(ClientWindows &w)
{
    qsizetype n = 0;
    for (GroupBarGroup *g : w.ana.context().deviceBar->groups()) {
        QSet<QString> seen;
        for (GroupBarItem *it : g->items()) {
            if (it->isDiscarded())
                continue;
            if (seen.contains(it->caption()))
                ++n;
            else
                seen.insert(it->caption());
        }
    }
    return n;
}

int option(const QStringList &args, const QString &name, int fallback)
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1).toInt() : fallback;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        QTextStream(stderr)
            << "soak_client HOST PORT USER PASSWORD [--step-ms N] [--live SERIAL [--poll-ms N]] [--watch-minutes N]\n";
        return 2;
    }
    const int stepMs = option(args, QStringLiteral("--step-ms"), 2000);
    const qsizetype live = args.indexOf(QStringLiteral("--live"));
    const QString liveSerial = live > 0 && live + 1 < args.size() ? args.at(live + 1) : QString();
    const int pollMs = option(args, QStringLiteral("--poll-ms"), 0);

    ClientWindows w;
    driver::unattended(w);
    // The compensation watch sweeps this often (minutes), and says when.
    const int watchMinutes = option(args, QStringLiteral("--watch-minutes"), 0);
    if (watchMinutes > 0)
        w.takip->watch().setIntervalMinutes(watchMinutes);
    QObject::connect(&w.takip->watch(), &fleet::CompensationWatch::sweepFinished, &w.ana,
                     [] { driver::out() << "sweep finished" << Qt::endl; });
    w.ana.show();
    // The first show opens the login window: fill it in and press "Bağlan".
    QTimer::singleShot(300, &w.giris, [&] {
        driver::logIn(w, args.at(1), quint16(args.at(2).toUInt()), args.at(3), args.at(4));
    });

    Round round(w);
    QTimer steps;
    steps.setInterval(stepMs);
    QObject::connect(&steps, &QTimer::timeout, &w.ana, [&] {
        if (!w.ana.state().connected || driver::items(w).isEmpty())
            return;
        if (liveSerial.isEmpty()) {
            round.next();
            return;
        }
        // The one device: selected once, then only shown.
        steps.stop();
        if (GroupBarItem *it = driver::item(w, liveSerial)) {
            driver::out() << "select " << liveSerial << Qt::endl;
            driver::click(it);
        }
        if (pollMs > 0) {
            auto *again = new QTimer(&w.ana);
            again->setInterval(pollMs);
            QObject::connect(again, &QTimer::timeout, &w.ana, [&w, liveSerial] {
                if (GroupBarItem *it = driver::item(w, liveSerial))
                    driver::click(it);
            });
            again->start();
        }
    });
    steps.start();

    // What the stores that grow with input hold, once a minute, to set beside
    // the resident memory that tools/soak.sh samples.
    // Each time the client has logged in again by itself after a drop.
    QObject::connect(&w.reconnect, &AutoReconnect::reconnected, &w.ana, [](int attempts) {
        driver::out() << "reconnected after " << attempts << " attempt(s)" << Qt::endl;
    });

    QTimer stores;
    stores.setInterval(60000);
    QObject::connect(&stores, &QTimer::timeout, &w.ana, [&w] {
        driver::out() << "stores: log " << w.haberlesme.lineCount() << " lines "
                      << w.haberlesme.model()->charCount() << " characters, messages "
                      << w.ana.state().messageCount << ", device slots " << w.ana.state().deviceCount - 1
                      << ", bar items " << driver::items(w).size() << ", duplicates " << duplicates(w) << Qt::endl;
    });
    stores.start();
    return app.exec();
}
