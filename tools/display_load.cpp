// Developer tool: the client as a user runs it, logged in to a server and
// showing one device on the first page, for measuring what the live display
// costs. The login and the device click are made by the tool.
//   display_load HOST PORT USER PASSWORD SERIAL [--poll]
// --poll asks the device again every second (every value then changes on
// every tick); without it the device is asked once, as a click does.
#include "appearance.h"
#include "client_state.h"
#include "client_windows.h"
#include "group_bar.h"
#include "pending.h"
#include "register_store.h"
#include "wire.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

namespace {

GroupBarItem *findDevice(GroupBar *bar, const QString &serial)
{
    for (GroupBarGroup *g : bar->groups())
        for (GroupBarItem *item : g->items())
            if (item->caption().endsWith(QStringLiteral(": ") + serial))
                return item;
    return nullptr;
}

// What a click on the item does: the register row emptied, the kind and
// serial set, the opening request sent.
void select(ClientContext &ctx, GroupBarItem *item, const QString &serial)
{
    if (ctx.selectDevice) {
        ctx.selectDevice(item);
        return;
    }
    ctx.store->reset(1, 0, 255);
    ctx.prog->deviceKind = item->imageIndex();
    ctx.prog->activeSerial = serial.toInt();
    ctx.conn->pendingRequest = pending::anideger;
    ctx.store->startRegister = 0;
    ctx.sendRequest(wire::buildRequest("enertum", {serial.toLatin1()}));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    const QStringList args = app.arguments();
    if (args.size() < 6) {
        QTextStream(stderr) << "display_load HOST PORT USER PASSWORD SERIAL [--poll]\n";
        return 2;
    }
    const QString serial = args.at(5);
    const bool poll = args.contains(QStringLiteral("--poll"));

    ClientWindows w;
    w.giris.setInternetProbe([] { return true; });
    w.ana.show();
    QTimer::singleShot(200, [&] {
        // The login window is up: fill it in and press "Bağlan".
        if (args.at(1) != QLatin1String("127.0.0.1"))
            w.giris.findChild<QLineEdit *>(QStringLiteral("Servername"))->setText(args.at(1));
        w.giris.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(args.at(3));
        w.giris.findChild<QLineEdit *>(QStringLiteral("Edit4"))->setText(args.at(4));
        w.giris.findChild<QLineEdit *>(QStringLiteral("edtport"))->setText(args.at(2));
        w.giris.findChild<QPushButton *>(QStringLiteral("suiButton1"))->click();
    });
    auto *bar = w.ana.findChild<GroupBar *>(QStringLiteral("RzGroupBar1"));
    QTimer wait;
    wait.setInterval(100);
    QObject::connect(&wait, &QTimer::timeout, [&] {
        GroupBarItem *item = findDevice(bar, serial);
        if (!item)
            return;
        wait.stop();
        ClientContext &ctx = w.ana.context();
        select(ctx, item, serial);
        QTextStream(stdout) << "selected " << serial << Qt::endl;
        // What the first page shows a few ticks later.
        QTimer::singleShot(3500, &w.ana, [&w] {
            QTextStream out(stdout);
            for (const char *name : {"V1", "akm1", "kW1", "CosE", "Ewh"})
                if (QObject *o = w.ana.widgets().object(QLatin1String(name)))
                    out << name << ' ' << o->property("text").toString() << ' ';
            out << Qt::endl;
        });
        if (poll) {
            auto *again = new QTimer(&w.ana);
            again->setInterval(1000);
            QObject::connect(again, &QTimer::timeout, [&ctx, serial] {
                ctx.conn->pendingRequest = pending::anideger;
                ctx.store->startRegister = 0;
                ctx.sendRequest(wire::buildRequest("enertum", {serial.toLatin1()}));
            });
            again->start();
        }
    });
    wait.start();
    return app.exec();
}
