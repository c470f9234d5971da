// Developer tool: page 8 "Ayarlar" of the main window after a user has
// written every setting of the demo site's compensation relay (12002) and
// read the constants back, against the simulator in this process, in a
// Turkish locale.
//   settings_shots OUTDIR
#include "appearance.h"
#include "client_state.h"
#include "client_windows.h"
#include "group_bar.h"
#include "register_store.h"
#include "sim_server.h"
#include "spin_edit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include <functional>

namespace {

constexpr quint32 kRelay = 12002;

bool waitFor(const std::function<bool()> &done, int ms = 8000)
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
    NamedWidgets &named = w.ana.widgets();
    auto *bar = w.ana.findChild<GroupBar *>(QStringLiteral("RzGroupBar1"));
    auto *message = named.get<QLabel>(QStringLiteral("LblMesaj"));
    const QString serial = QString::number(kRelay);

    auto fail = [&](const QString &why) {
        err << why << '\n';
        return 1;
    };
    auto select = [&] {
        message->clear();
        ctx.selectDevice(itemOf(bar, kRelay));
        return waitFor([&] { return message->text().startsWith(serial + QStringLiteral(" Seri Nolu Cihazın ölçüm")); });
    };
    auto type = [&](const char *spin, const QString &text) {
        named.get<SpinEdit>(QString::fromLatin1(spin))->setText(text);
    };
    auto check = [&](const char *radio) { named.get<QAbstractButton>(QString::fromLatin1(radio))->setChecked(true); };
    // Clicks the button and waits for the next read (its acknowledgement).
    auto write = [&](const char *button) {
        const int reads = w.haberlesme.lineCount();
        named.get<QAbstractButton>(QString::fromLatin1(button))->click();
        return waitFor([&] { return w.haberlesme.lineCount() > reads; });
    };

    if (!waitFor([&] { return itemOf(bar, kRelay) != nullptr; }))
        return fail(QStringLiteral("no device list from the simulator"));
    if (!select())
        return fail(QStringLiteral("no registers from the relay"));

    // The ratio first: selecting the device again brings it into ATOran and LBLCT.
    type("CT", QStringLiteral("300"));
    if (!write("Button9") || !select())
        return fail(QStringLiteral("the ratio was not written"));

    type("Tanfi", QStringLiteral("-10"));
    type("indcezasinir", QStringLiteral("20"));
    type("kapcezasinir", QStringLiteral("12"));
    type("maxalmasure", QStringLiteral("45"));
    type("maxcikmasure", QStringLiteral("50"));
    type("minalmacikmasure", QStringLiteral("4"));
    check("konogrenmeddisi");
    check("manueldevrede");
    check("radioaktif");
    for (const char *button : {"btntanfi", "btnindceza", "btnkapceza", "Button7", "Button5", "zorvotomanuelyaz", "Button8"}) {
        if (!write(button))
            return fail(QStringLiteral("no answer to %1").arg(QLatin1String(button)));
    }
    if (!write("sabitoku"))
        return fail(QStringLiteral("no constants from the relay"));

    auto *tabs = w.ana.findChild<QTabWidget *>(QStringLiteral("suiPageControl1"));
    tabs->setCurrentIndex(8);
    QMetaObject::invokeMethod(w.ana.findChild<QTimer *>(QStringLiteral("Timer1")), "timeout");
    app.processEvents();
    w.ana.grab().save(out + QStringLiteral("/settings_page8.png"));
    return 0;
}
