// Developer tool: the live display of the demo site's analyser (12001) and
// compensation relay (12002) on pages 0, 1, 4 and 5 of the main window, as a
// user sees them after logging in to the simulator, clicking the device and
// asking for its consumption values, capacitor states and harmonic table,
// in a Turkish locale.
//   display_shots OUTDIR
#include "appearance.h"
#include "client_state.h"
#include "client_windows.h"
#include "group_bar.h"
#include "pending.h"
#include "register_store.h"
#include "shadow_button.h"
#include "sim_server.h"
#include "wire.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

namespace {

bool waitFor(const std::function<bool()> &done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

GroupBarItem *itemOf(GroupBar *bar, quint32 serial)
{
    for (GroupBarGroup *g : bar->groups())
        for (GroupBarItem *it : g->items())
            if (it->caption().endsWith(QStringLiteral(" No: %1").arg(serial)))
                return it;
    return nullptr;
}

// A register request as the page buttons send it.
bool ask(ClientContext &ctx, const QByteArray &pendingRequest, int start, const char *keyword, quint32 serial,
         int registers)
{
    ctx.conn->pendingRequest = pendingRequest;
    ctx.store->startRegister = start;
    ctx.sendRequest(wire::buildRequest(keyword, {QByteArray::number(serial)}));
    return waitFor([&] { return ctx.store->startRegister == start + registers; });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(out);
    QTextStream err(stderr);

    sim::SimServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    ClientWindows w;
    w.giris.setInternetProbe([] { return true; });
    QTimer::singleShot(300, [&] {
        w.giris.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("demo"));
        w.giris.findChild<QLineEdit *>(QStringLiteral("Edit4"))->setText(QStringLiteral("1234"));
        w.giris.findChild<QLineEdit *>(QStringLiteral("edtport"))->setText(QString::number(server.port()));
        w.giris.findChild<QPushButton *>(QStringLiteral("suiButton1"))->click();
    });
    w.ana.show();
    ClientContext &ctx = w.ana.context();
    auto *bar = w.ana.findChild<GroupBar *>(QStringLiteral("RzGroupBar1"));
    if (!waitFor([&] { return itemOf(bar, 12002) && itemOf(bar, 12001); })) {
        err << "no device list from the simulator\n";
        return 1;
    }
    auto *tabs = w.ana.findChild<QTabWidget *>(QStringLiteral("suiPageControl1"));
    auto *timer1 = w.ana.findChild<QTimer *>(QStringLiteral("Timer1"));
    const struct {
        quint32 serial;
        const char *name;
    } devices[] = {{12001, "analyser"}, {12002, "relay"}};
    for (const auto &dev : devices) {
        ctx.selectDevice(itemOf(bar, dev.serial));
        bool ok = waitFor([&] { return ctx.store->startRegister == 125; });
        if (ok) {
            w.ana.findChild<ShadowButton *>(QStringLiteral("VrShadowButton8"))->click();
            ok = waitFor([&] { return ctx.store->startRegister == 129; });
        }
        ok = ok && ask(ctx, pending::kondasatordurum, 157, "kondasatordurum", dev.serial, 75);
        ok = ok && ask(ctx, pending::harmonikzorv, 300, "harmonikzorv", dev.serial, 102);
        if (!ok) {
            err << "no answer from " << dev.serial << '\n';
            return 1;
        }
        for (int page : {0, 1, 4, 5}) {
            tabs->setCurrentIndex(page);
            QMetaObject::invokeMethod(timer1, "timeout");
            app.processEvents();
            w.ana.grab().save(QStringLiteral("%1/display_%2_page%3.png").arg(out, QLatin1String(dev.name)).arg(page));
        }
    }
    return 0;
}
