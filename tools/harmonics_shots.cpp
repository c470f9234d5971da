// Developer tool: the client against the in-process simulator, as a user works
// the harmonic and relay pages: page 3 after the three phases were requested
// and analysed, page 9 after the modem's relays and water-meter index were
// used, page 2 after the overcurrent relay's values were read.
//   harmonics_shots OUTDIR
#include "appearance.h"
#include "client_windows.h"
#include "group_bar.h"
#include "image_area.h"
#include "lamp_button.h"
#include "led_display.h"
#include "sim_server.h"
#include "spin_edit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QThread>
#include <QTimer>

namespace {

template <class F> bool waitFor(F done, int ms = 4000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return done();
}

void settle(int ms)
{
    waitFor([] { return false; }, ms);
}

template <class T> T *find(ClientWindows &w, const char *name)
{
    T *o = w.ana.findChild<T *>(QString::fromLatin1(name));
    if (!o)
        qFatal("no component %s", name);
    return o;
}

void click(ClientWindows &w, const char *button, int settleMs = 400)
{
    find<QAbstractButton>(w, button)->click();
    settle(settleMs);
}

// The device item's click action, as a user clicks it in the device bar.
void selectDevice(ClientWindows &w, const QString &serial)
{
    for (GroupBarItem *item : w.ana.findChildren<GroupBarItem *>()) {
        if (item->caption().endsWith(QStringLiteral("No: ") + serial) && w.ana.context().selectDevice) {
            w.ana.context().selectDevice(item);
            settle(600);
            return;
        }
    }
    // Without device selection the serial box still names the device.
    find<QLineEdit>(w, "Edit111")->setText(serial);
    programState().activeSerial = serial.toInt();
}

void showPage(ClientWindows &w, int index)
{
    auto *tabs = find<QTabWidget>(w, "suiPageControl1");
    tabs->setTabVisible(index, true);
    tabs->widget(index)->setEnabled(true);
    tabs->setCurrentIndex(index);
    settle(100);
}

void save(ClientWindows &w, const QString &path)
{
    settle(100);
    if (!w.ana.grab().save(path))
        qWarning("could not write %s", qPrintable(path));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    applyAppearance(app);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(out);

    sim::SimServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        qFatal("simulator: %s", qPrintable(server.errorString()));
    ClientWindows w;
    // The index write's three-second wait, with the window kept painted.
    w.ana.context().pause = [](int ms) { settle(ms); };
    w.giris.setInternetProbe([] { return true; });
    w.giris.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("demo"));
    w.giris.findChild<QLineEdit *>(QStringLiteral("Edit4"))->setText(QStringLiteral("1234"));
    w.giris.findChild<QLineEdit *>(QStringLiteral("edtport"))->setText(QString::number(server.port()));
    // The main window's first showing opens the login window; "Bağlan".
    QTimer::singleShot(300, &w.giris, [&w] {
        w.giris.findChild<QAbstractButton *>(QStringLiteral("suiButton1"))->click();
    });
    w.ana.show();
    if (!waitFor([&] { return w.ana.state().connected && !w.giris.isVisible(); }))
        qFatal("no connection to the simulator");
    if (!waitFor([&] { return w.ana.findChildren<GroupBarItem *>().size() >= 6; }, 2000))
        qWarning("no device list");

    // Page 3: the three phases of the analyser (after a relay, so that the
    // layout switches to the analyser's pages).
    selectDevice(w, QStringLiteral("12002"));
    selectDevice(w, QStringLiteral("12001"));
    showPage(w, 3);
    const char *requests[] = {"VrShadowButton5", "VrShadowButton6", "VrShadowButton7"};
    const char *boxes[] = {"EditH22", "EditH11", "EditH31"};
    for (int p = 0; p < 3; ++p) {
        click(w, requests[p], 0);
        if (!waitFor([&] { return !find<QLineEdit>(w, boxes[p])->text().isEmpty(); }))
            qWarning("phase %d not analysed", p + 1);
    }
    find<SpinEdit>(w, "SpinEdit1")->setValue(3);
    find<SpinEdit>(w, "SpinEdit4")->setValue(5);
    find<SpinEdit>(w, "SpinEdit5")->setValue(5);
    save(w, out + QStringLiteral("/harmonics_page3.png"));

    // Page 9: the industrial modem.
    selectDevice(w, QStringLiteral("12006"));
    showPage(w, 9);
    click(w, "VrShadowButton21");
    click(w, "VrShadowButton17");
    click(w, "VrShadowButton20");
    find<SpinEdit>(w, "edtendeksyaz")->setValue(1284.75);
    click(w, "VrShadowButton22");
    click(w, "btnsuendeks");
    save(w, out + QStringLiteral("/harmonics_page9.png"));

    // Page 2: the overcurrent relay.
    selectDevice(w, QStringLiteral("12003"));
    showPage(w, 2);
    if (QWidget *panel = w.ana.findChild<QWidget *>(QStringLiteral("Panel8")))
        panel->show();
    if (find<LedDisplay>(w, "Sno")->text().trimmed().isEmpty())
        find<LedDisplay>(w, "Sno")->setText(QStringLiteral(" 12003"));
    click(w, "VrShadowButton2");
    find<LampButton>(w, "role2")->setLit(true);
    click(w, "VrShadowButton1");
    save(w, out + QStringLiteral("/harmonics_page2.png"));
    return 0;
}
