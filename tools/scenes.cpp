#include "scenes.h"

#include "frm_mesajlar.h"
#include "frm_takip.h"
#include "group_bar.h"
#include "shot_kit.h"
#include "sim_server.h"
#include "spin_edit.h"
#include "url_label.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QToolButton>
#include <QTabWidget>

namespace scenes {

namespace {

using shot::Client;

void loginAs(Client &c, const sim::SimServer &server, const QString &loginPicture)
{
    const sim::SiteUser *demo = server.findUser("demo");
    c.login(QStringLiteral("127.0.0.1"), server.port(), QStringLiteral("demo"), QStringLiteral("1234"),
            demo ? int(demo->serials.size()) : 0,
            [&] { c.save(loginPicture, &c.windows().giris); });
}

// "Enerji Değerlerini İste", then "İki Tarih Arası Oranları Hesapla" for the
// last seven days (the pickers' start).
void consumption(Client &c)
{
    c.showPage(1);
    c.press("VrShadowButton8");
    c.press("VrShadowButton9");
}

// Page 1 of another device of the same kind, in its energy band.
void energyBand(Client &c, quint32 serial, const QString &picture)
{
    c.selectDevice(serial);
    consumption(c);
    c.awaitRefresh();
    c.save(picture);
}

void typeInto(Client &c, const char *spin, const QString &text)
{
    if (auto *s = c.get<SpinEdit>(spin))
        s->setText(text);
}

void check(Client &c, const char *radio)
{
    c.press(radio, 0);
    if (auto *b = c.get<QAbstractButton>(radio); b && !b->isChecked())
        c.fail(QStringLiteral("%1 did not take the click").arg(QLatin1String(radio)));
}

} // namespace

void loginAndDeviceBar(Client &c, const sim::SimServer &server)
{
    loginAs(c, server, QStringLiteral("login.png"));
    auto *notice = c.get<UrlLabel>("RzURLLabel1");
    if (!shot::waitFor([&] { return notice && notice->isVisible(); }))
        c.fail(QStringLiteral("no new-message notice"));
    c.awaitRefresh();
    c.save(QStringLiteral("devices_bar.png"));
}

void relayPages(Client &c)
{
    c.selectDevice(12002);
    c.awaitRefresh();
    c.save(QStringLiteral("display_relay_page0.png"));
    consumption(c);
    c.awaitRefresh();
    c.save(QStringLiteral("display_relay_page1.png"));
    c.showPage(4);
    c.press("BitBtn2");
    c.awaitRefresh();
    c.save(QStringLiteral("page4.png"));
    c.showPage(5);
    c.press("VrShadowButton4");
    c.awaitRefresh();
    c.save(QStringLiteral("display_relay_page5.png"));
    energyBand(c, 12005, QStringLiteral("energy_page1_alarm.png"));
}

void analyserPages(Client &c)
{
    c.selectDevice(12001);
    c.awaitRefresh();
    c.save(QStringLiteral("page0.png"));
    consumption(c);
    c.awaitRefresh();
    c.save(QStringLiteral("page1.png"));
    c.showPage(4);
    c.press("BitBtn2");
    c.awaitRefresh();
    c.save(QStringLiteral("display_analyser_page4.png"));
    c.showPage(5);
    c.press("VrShadowButton4");
    c.awaitRefresh();
    c.save(QStringLiteral("page5.png"));
    energyBand(c, 12008, QStringLiteral("energy_page1_ceza.png"));
}

void waveforms(Client &c)
{
    c.selectDevice(12001);
    c.showPage(3);
    const struct {
        const char *button, *result;
    } phases[] = {{"VrShadowButton5", "EditH22"}, {"VrShadowButton6", "EditH11"}, {"VrShadowButton7", "EditH31"}};
    for (const auto &p : phases) {
        c.press(p.button, 0);
        auto *result = c.get<QLineEdit>(p.result);
        if (!shot::waitFor([&] { return result && !result->text().isEmpty(); }))
            c.fail(QStringLiteral("%1 brought no analysis").arg(QLatin1String(p.button)));
    }
    // The fifth harmonic's value beside every chart.
    for (const char *spin : {"SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit4", "SpinEdit5", "SpinEdit6"})
        typeInto(c, spin, QStringLiteral("5"));
    c.save(QStringLiteral("page3.png"));
}

void settingsRoundTrip(Client &c)
{
    // The ratio first: selecting the device again brings it to ATOran and LBLCT.
    c.selectDevice(12002);
    c.showPage(8);
    typeInto(c, "CT", QStringLiteral("300"));
    c.press("Button9");
    c.selectDevice(12002);
    c.showPage(8);

    typeInto(c, "Tanfi", QStringLiteral("-10"));
    typeInto(c, "indcezasinir", QStringLiteral("20"));
    typeInto(c, "kapcezasinir", QStringLiteral("12"));
    typeInto(c, "maxalmasure", QStringLiteral("45"));
    typeInto(c, "maxcikmasure", QStringLiteral("50"));
    typeInto(c, "minalmacikmasure", QStringLiteral("4"));
    check(c, "konogrenmeddisi");
    check(c, "manueldevrede");
    check(c, "radioaktif");
    for (const char *button : {"btntanfi", "btnindceza", "btnkapceza", "Button7", "zorvotomanuelyaz", "Button8"})
        c.press(button);
    c.press("Button5", 0); // the relay does not answer the learning write
    c.press("sabitoku");
    c.awaitRefresh();
    c.save(QStringLiteral("page8.png"));
}

void overcurrentRelay(Client &c)
{
    c.selectDevice(12003);
    if (auto *tabs = c.get<QTabWidget>("suiPageControl1"); tabs && tabs->currentIndex() != 2)
        c.fail(QStringLiteral("the overcurrent relay's page did not open"));
    c.press("VrShadowButton2");
    // Relay 2 picked and pulled (the relay does not answer a pull).
    c.press("role2", 0);
    c.press("VrShadowButton1", 0);
    c.awaitRefresh();
    c.save(QStringLiteral("page2.png"));
}

void meters(Client &c)
{
    const struct {
        quint32 serial;
        const char *picture;
    } devices[] = {{12007, "page6.png"}, {12004, "energy_page6_meter9.png"}, {12009, "energy_page6_meter10.png"}};
    auto *readout = c.get<QPlainTextEdit>("Memo3");
    for (const auto &d : devices) {
        c.selectDevice(d.serial);
        // "Sayaç Oku": the readout ends with its "!" line.
        c.press("VrShadowButton11", 0);
        if (!shot::waitFor([&] { return readout && readout->toPlainText().contains(QLatin1String("\n!\n")); }, 8000))
            c.fail(QStringLiteral("no readout from %1").arg(d.serial));
        c.press("VrShadowButton12");
        c.awaitRefresh();
        c.save(QLatin1String(d.picture));
    }
}

void industrialModem(Client &c)
{
    c.selectDevice(12006, 0);
    c.showPage(9);
    c.press("VrShadowButton21");
    c.press("VrShadowButton17"); // relay 2 pulled
    c.press("VrShadowButton20"); // relay 3 released
    if (auto *index = c.get<SpinEdit>("edtendeksyaz"))
        index->setValue(1284.75);
    c.press("VrShadowButton22"); // the index written (the page's buttons wait 3 s)
    c.press("btnsuendeks");
    c.press("VrShadowButton21");
    c.awaitRefresh();
    c.save(QStringLiteral("page9.png"));
}

void deviceInfo(Client &c)
{
    c.showPage(7, true);
    c.save(QStringLiteral("page7.png"));
}

void messagesAndLog(Client &c)
{
    // The blinking notice opens the messages window, which asks for them.
    if (auto *notice = c.get<UrlLabel>("RzURLLabel1"))
        shot::click(notice);
    TFrmMesajlar &window = c.windows().mesajlar;
    QListWidget *list = window.list();
    if (!shot::waitFor([&] { return window.isVisible() && list->count() >= 3; }))
        c.fail(QStringLiteral("no stored messages"));
    if (list->count() >= 3)
        shot::click(list->viewport(), list->visualItemRect(list->item(2)).center());
    c.save(QStringLiteral("messages.png"), &window);
    window.close();

    // "Cihaz" → "Haberlesme".
    if (auto *menu = c.get<QAction>("Haberlesme1"))
        menu->trigger();
    if (!shot::waitFor([&] { return c.windows().haberlesme.isVisible(); }))
        c.fail(QStringLiteral("no communication log"));
    c.save(QStringLiteral("log.png"), &c.windows().haberlesme);
}

void compensationWatch(Client &c)
{
    WatchWiring *wiring = c.windows().takip;
    fleet::CompensationWatch &watch = wiring->watch();
    if (!shot::waitFor([&] { return watch.sweepsDone() > 0; }, 30000))
        c.fail(QStringLiteral("the watch's first sweep did not end"));
    // "Cihaz" → "Kompanzasyon Takibi".
    if (auto *open = c.get<QAction>("KompanzasyonTakibi1"))
        open->trigger();
    TFrmTakip *window = wiring->window();
    if (!shot::waitFor([&] { return window->isVisible(); }))
        c.fail(QStringLiteral("no watch window"));
    window->resize(1060, 640);
    // The two oldest alarms acknowledged: the list shows both kinds of row.
    QTableView *alarms = window->alarmTable();
    const int rows = alarms->model()->rowCount();
    if (rows < 2)
        c.fail(QStringLiteral("fewer than two alarms"));
    for (int row = rows - 2; row < rows && row >= 0; ++row)
        wiring->alarms().acknowledge(rows - 1 - row, watch.now());
    shot::settle(200);
    c.save(QStringLiteral("watch.png"), window);
    const struct {
        const char *action;
        const char *picture;
    } lists[] = {{"KritikListele1", "watch_kritik.png"}, {"CezaListele1", "watch_ceza.png"}};
    for (const auto &list : lists) {
        auto *action = c.ana().trayMenu()->findChild<QAction *>(QLatin1String(list.action));
        if (!action) {
            c.fail(QStringLiteral("no tray item %1").arg(QLatin1String(list.action)));
            continue;
        }
        action->trigger();
        shot::settle(200);
        c.save(QLatin1String(list.picture), window);
    }
    window->close();
    if (!wiring->alarmStrip() || !wiring->alarmStrip()->isVisible())
        c.fail(QStringLiteral("no alarm line in the main window"));
    c.save(QStringLiteral("watch_alarm_strip.png"));
    wiring->alarms().acknowledgeAll(watch.now());
}

void scaled(Client &c, const sim::SimServer &server, const QString &suffix)
{
    loginAs(c, server, QStringLiteral("login_%1.png").arg(suffix));
    c.selectDevice(12001);
    c.awaitRefresh();
    // The device bar holds the keyboard: its focus frame marks the device.
    c.ana().activateWindow();
    shot::waitFor([&] { return c.ana().isActiveWindow(); }, 2000);
    if (auto *bar = c.get<GroupBar>("RzGroupBar1"))
        bar->setFocus(Qt::TabFocusReason);
    shot::settle(100);
    c.save(QStringLiteral("page0_%1.png").arg(suffix));
}

} // namespace scenes
