// Developer tool: the device bar and the messages window as a user sees them
// after logging in to the bundled simulator (run in this process).
//   devices_shots OUTDIR
#include "appearance.h"
#include "client_windows.h"
#include "demo_data.h"
#include "group_bar.h"
#include "sim_server.h"
#include "wire.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {
void save(QWidget *w, const QString &path)
{
    QApplication::processEvents();
    w->grab().save(path);
}

void waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

GroupBarItem *itemOf(GroupBar *bar, const QString &model)
{
    for (const sim::DeviceInfo &d : sim::demoDevices())
        if (d.model == model && d.online)
            for (GroupBarGroup *g : bar->groups())
                for (GroupBarItem *it : g->items())
                    if (it->caption().endsWith(QStringLiteral(" No: %1").arg(d.serial)))
                        return it;
    return nullptr;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(out);

    sim::SimServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    ClientWindows w;
    w.giris.setInternetProbe([] { return true; });

    // The login as the user makes it, once the login window is up.
    QTimer::singleShot(300, [&] {
        w.giris.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("demo"));
        w.giris.findChild<QLineEdit *>(QStringLiteral("Edit4"))->setText(QStringLiteral("1234"));
        w.giris.findChild<QLineEdit *>(QStringLiteral("edtport"))->setText(QString::number(server.port()));
        w.giris.findChild<QPushButton *>(QStringLiteral("suiButton1"))->click();
    });
    QTimer::singleShot(1200, [&] {
        GroupBar *bar = w.ana.context().deviceBar;
        int expected = 0;
        for (const sim::DemoUser &u : sim::demoUsers())
            if (u.name == QLatin1String("demo"))
                expected = int(u.serials.size());
        waitFor([&] {
            int n = 0;
            for (GroupBarGroup *g : bar->groups())
                n += g->itemCount();
            return n == expected;
        }, 5000);
        // An analyser picked: its item turns red, its registers arrive.
        if (GroupBarItem *it = itemOf(bar, QStringLiteral("QRN410")))
            it->onClick(it);
        waitFor([&] { return false; }, 1500);
        save(&w.ana, out + QStringLiteral("/devices_bar.png"));

        // A few stored messages, as the server sends them.
        const struct { const char *title, *text; } messages[] = {
            {"Bakım duyurusu", "Sayın kullanıcımız,\n12 Aralık günü 02:00-04:00 arasında sunucu bakımı "
                               "yapılacaktır. Bu sürede cihazlarınıza erişilemeyecektir."},
            {"Fatura dönemi", "Ay sonu endeks okumaları 30 Kasım 23:59'da alınacaktır. Sayaç okuma modeminizin "
                              "hatta olduğundan emin olun."},
            {"Reaktif güç uyarısı", "Soğuk Hava Deposu (12005) kapasitif oranı son 7 günde %15 sınırını aştı. "
                                    "Kompanzasyon ayarlarını kontrol edin."},
        };
        QByteArray read;
        for (const auto &m : messages)
            read += wire::buildRequest("mesajvar", {wire::encode(QString::fromUtf8(m.title)),
                                                    wire::encode(QString::fromUtf8(m.text))});
        w.ana.handleRead(read);
        w.mesajlar.show();
        waitFor([&] { return false; }, 300);
        w.mesajlar.list()->setCurrentRow(2);
        save(&w.mesajlar, out + QStringLiteral("/devices_messages.png"));
        app.quit();
    });
    w.ana.show();
    return app.exec();
}
