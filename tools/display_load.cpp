// Developer tool: the client as a user runs it, logged in to a server and
// showing one device on the first page, for measuring what the live display
// costs. The login and the device click are made by the tool.
//   display_load HOST PORT USER PASSWORD SERIAL [--poll]
// --poll asks the device again every second (every value then changes on
// every tick); without it the device is asked once, as a click does.
#include "client_state.h"
#include "pending.h"
#include "register_store.h"
#include "shot_kit.h"
#include "wire.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    shot::prepareApplication(app, false);
    const QStringList args = app.arguments();
    if (args.size() < 6) {
        QTextStream(stderr) << "display_load HOST PORT USER PASSWORD SERIAL [--poll]\n";
        return 2;
    }
    const quint32 serial = args.at(5).toUInt();
    const bool poll = args.contains(QStringLiteral("--poll"));

    shot::Client client;
    TFrmAna &ana = client.ana();
    const auto present = [&] { return client.deviceItem(serial) != nullptr; };
    if (!client.login(args.at(1), quint16(args.at(2).toUInt()), args.at(3), args.at(4), 0)
        || !shot::waitFor(present, 10000) || !client.selectDevice(serial))
        return 1;
    ClientContext &ctx = ana.context();
    QTextStream(stdout) << "selected " << serial << Qt::endl;
    // What the first page shows a few ticks later.
    QTimer::singleShot(3500, &ana, [&ana] {
        QTextStream out(stdout);
        for (const char *name : {"V1", "akm1", "kW1", "CosE", "Ewh"})
            if (QObject *o = ana.widgets().object(QLatin1String(name)))
                out << name << ' ' << o->property("text").toString() << ' ';
        out << Qt::endl;
    });
    if (poll) {
        auto *again = new QTimer(&ana);
        again->setInterval(1000);
        QObject::connect(again, &QTimer::timeout, [&ctx, serial] {
            ctx.conn->pendingRequest = pending::anideger;
            ctx.store->startRegister = 0;
            ctx.sendRequest(wire::buildRequest("enertum", {QByteArray::number(serial)}));
        });
        again->start();
    }
    return app.exec();
}
