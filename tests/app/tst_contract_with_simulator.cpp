// Every request the client sends, against the bundled simulator in this
// process over 127.0.0.1: the client's own windows log in, list the demo
// user's devices, select each kind through its item in the device bar and
// press the real button of each request; every answer must arrive and show
// where the user looks for it, with what the simulated device holds.
#include "client_windows.h"
#include "contract_client.h"
#include "sim_expectations.h"

#include "display_rules.h"
#include "energy_ratios.h"
#include "harmonic_analysis.h"
#include "image_area.h"
#include "led_display.h"
#include "modbus.h"
#include "numbers.h"
#include "sim_energy.h"
#include "sim_field_outputs.h"
#include "sim_overcurrent_relay.h"
#include "sim_waveform.h"
#include "spin_edit.h"
#include "wire.h"

#include <QAction>
#include <QDateEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <cmath>

using contract::Client;
using contract::kWait;

namespace {

const sim::DeviceInfo &info(quint32 serial)
{
    return *sim::demoSite().findDevice(serial);
}

QString serialText(quint32 serial)
{
    return QString::number(serial);
}

// What row 1 of the client's register store holds, registers 0 to 401.
Registers rowOne(Client &c)
{
    Registers r{};
    for (int n = 0; n < sim::SimDevice::kRegisters; ++n)
        r[size_t(n)] = c.store().read(1, n);
    return r;
}

// Registers first … first + count - 1 of row 1 hold what the device holds.
QString notAsTheDevice(Client &c, quint32 serial, int first, int count)
{
    const sim::SimDevice *d = c.server.device(serial);
    for (int n = first; n < first + count; ++n)
        if (c.store().read(1, n) != double(d->reg(n)))
            return QStringLiteral("register %1: %2, the device holds %3").arg(n).arg(c.store().read(1, n)).arg(d->reg(n));
    return {};
}

double number(QString text)
{
    return text.replace(u',', u'.').toDouble();
}

// A ratio display and its band label agree, and the label has the band's colour.
QString bandMismatch(Client &c, const char *ratio, const char *label, energy::Reactive kind)
{
    const energy::Band b = energy::band(number(c.shown(ratio)), kind);
    if (c.shown(label) != energy::bandText(b))
        return QStringLiteral("%1 %2 but %3 says %4").arg(ratio, c.shown(ratio), label, c.shown(label));
    if (c.colour(label) != QColor::fromRgb(energy::bandColour(b)))
        return QStringLiteral("%1 in the wrong colour").arg(label);
    return {};
}

} // namespace

class TstContractWithSimulator : public QObject {
    Q_OBJECT
private slots:
    void loginListsEveryDevice();
    void selectEachDevice_data();
    void selectEachDevice();
    void consumption_data();
    void consumption();
    void settingWrites_data();
    void settingWrites();
    void capacitorStepsAndHarmonicTable();
    void waveformsOfThreePhases();
    void modemOutputsAndWaterIndex();
    void energyBetweenDates();
    void meterReadout();
    void overcurrentRelayValues();
    void storedMessages();
    void settingSeenByAnotherClient();
};

// The device list, one item per device in its group with its kind's picture;
// the energy summaries that follow it colour the measuring devices blue and
// fill a register row each; the keep-alive is answered.
void TstContractWithSimulator::loginListsEveryDevice()
{
    Client c;
    QVERIFY(c.start());
    const sim::SiteUser &demo = *sim::demoSite().findUser("demo");
    QList<quint32> summarised;
    for (quint32 serial : demo.serials) {
        const sim::DeviceInfo &d = info(serial);
        const sim::DeviceKind kind = sim::kindOfModel(d.model);
        if (d.online && (kind == sim::DeviceKind::Analyser || kind == sim::DeviceKind::CompensationRelay))
            summarised << serial;
    }
    QVERIFY(!summarised.isEmpty());
    QVERIFY(c.waitMessage(serialText(summarised.last()) + QStringLiteral(" Enerji bilgileri alınıyor. ")));
    for (quint32 serial : demo.serials) {
        const sim::DeviceInfo &d = info(serial);
        GroupBarItem *item = c.item(serial);
        QVERIFY2(item, qPrintable(serialText(serial)));
        QCOMPARE(item->caption(), d.name + QStringLiteral(" No: ") + serialText(serial));
        QCOMPARE(item->imageIndex(), int(sim::kindOfModel(d.model)));
        QCOMPARE(item->fontColor(), summarised.contains(serial) ? QColor(0, 0, 255) : QColor(Qt::black));
    }
    QCOMPARE(c.w->ana.state().deviceCount, int(demo.serials.size()) + 1);
    // Each summary in the row it names, from row 3 on: the device's
    // registers, field 43 the row.
    for (int i = 0; i < summarised.size(); ++i) {
        const int row = 3 + i;
        QCOMPARE(c.store().read(row, 0), double(c.server.device(summarised[i])->reg(0)));
        QCOMPARE(c.store().read(row, 43), double(row * 1000));
    }

    c.tickTimer("TimerPing"); // the keep-alive goes straight to the connection
    QVERIFY(c.waitMessage(QStringLiteral("Pong")));
}

void TstContractWithSimulator::selectEachDevice_data()
{
    QTest::addColumn<quint32>("serial");
    for (quint32 serial : sim::demoSite().findUser("demo")->serials)
        QTest::addRow("%u %s", serial, qPrintable(info(serial).model)) << serial;
}

// A click on the item: the opening request of its kind, its answer in row 1
// (or on the meter page), the page layout of the kind, and on the next tick
// of Timer1 every display that the register map fills from it.
void TstContractWithSimulator::selectEachDevice()
{
    QFETCH(quint32, serial);
    Client c;
    QVERIFY(c.start());
    const sim::DeviceInfo &d = info(serial);
    const sim::DeviceKind kind = sim::kindOfModel(d.model);
    const QByteArray s = QByteArray::number(serial);
    auto *pages = c.get<QTabWidget>("suiPageControl1");
    c.sent.clear();
    c.select(serial);
    QCOMPARE(c.item(serial)->fontColor(), QColor(Qt::red));

    if (kind == sim::DeviceKind::MeterModem) {
        // The meter's current billing period, from the first of the month.
        QCOMPARE(c.sent, QList<QByteArray>{wire::buildRequest("sycreaktfener", {s, {}, {}})});
        QCOMPARE(pages->currentIndex(), 6);
        for (int i = 0; i <= 5; ++i)
            QVERIFY(!pages->isTabVisible(i));
        QVERIFY(QTest::qWaitFor([&] { return !c.shown("lblsycindurum").isEmpty(); }, kWait));
        const QDate today = fixedSiteTime().date();
        QCOMPARE(c.shown("Edit222"), QDate(today.year(), today.month(), 1).toString(QStringLiteral("dd.MM.yyyy")));
        QCOMPARE(c.shown("Edit333"), today.toString(QStringLiteral("dd.MM.yyyy")));
        const QString ind = bandMismatch(c, "RzLEDsycinoran", "lblsycindurum", energy::Reactive::Inductive);
        const QString cap = bandMismatch(c, "RzLEDsyckaporan", "lblsyckapdurum", energy::Reactive::Capacitive);
        QVERIFY2(ind.isEmpty() && cap.isEmpty(), qPrintable(ind + cap));
        // Over the two weeks of the period the ratio lies in the band the site gives the device.
        QCOMPARE(c.shown("lblsycindurum"), d.setup.value(QStringLiteral("energy")).toString());
        return;
    }

    QCOMPARE(c.sent, QList<QByteArray>{wire::buildRequest("enertum", {s})});
    if (!d.online) {
        QVERIFY(c.waitMessage(serialText(serial)
                              + QStringLiteral(" Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin...")));
        QCOMPARE(c.store().read(1, 0), -1.0);
        return;
    }
    const bool overcurrent = kind == sim::DeviceKind::OvercurrentRelay;
    const int count = overcurrent ? 12 : 125;
    QVERIFY(QTest::qWaitFor([&] { return c.store().startRegister == count; }, kWait));
    QCOMPARE(c.shown("Label2"), serialText(serial) + QStringLiteral(" Nolu Cihaz Verileri"));
    QCOMPARE(c.shown("LblMesaj"), serialText(serial) + QStringLiteral(" Seri Nolu Cihazın ölçüm değerleri alınıyor. "));
    QCOMPARE(notAsTheDevice(c, serial, 0, count), QString());
    QCOMPARE(c.store().read(1, count), -1.0);
    c.tickTimer("Timer1");

    const QChar sep = programState().decimalSeparator;
    if (overcurrent) {
        QCOMPARE(pages->currentIndex(), 2);
        QVERIFY(c.get<QWidget>("Panel7")->isHidden());
        QCOMPARE(c.shown("Sno"), QStringLiteral(" ") + serialText(serial));
        const auto *relay = sim::asOvercurrentRelay(c.server.device(serial));
        const QDateTime t = relay->clock();
        QCOMPARE(c.shown("Saat"), display::relayTimeText(t.time().second(), t.time().minute(), t.time().hour(), sep));
        QCOMPARE(c.shown("Trh"), display::relayDateText(t.date().day(), t.date().month(), t.date().year() % 100, sep));
        const char *const currents[] = {"akim1", "akim2", "akim3", "akimt"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(c.shown(currents[i]), display::generalText(relay->currents()[size_t(i)], sep));
        return;
    }
    const bool relay = kind == sim::DeviceKind::CompensationRelay;
    if (relay) {
        for (int i : {0, 1, 4, 5, 8})
            QVERIFY(pages->isTabVisible(i));
        for (int i : {2, 3, 6})
            QVERIFY(!pages->isTabVisible(i));
    }
    const QStringList faults = c.displayFaults(rowOne(c), relay);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TstContractWithSimulator::consumption_data()
{
    QTest::addColumn<quint32>("serial");
    QTest::newRow("analyser") << 12001u;
    QTest::newRow("compensation relay") << 12002u;
}

// "Enerji Değerlerini İste": the meter values before the last reset, then the
// counters from register 90, shown on page 1.
void TstContractWithSimulator::consumption()
{
    QFETCH(quint32, serial);
    Client c;
    QVERIFY(c.start());
    QVERIFY(c.selectAndWait(serial));
    c.click("VrShadowButton8");
    QCOMPARE(c.lastSent(), wire::buildRequest("enerharcanan", {QByteArray::number(serial)}));
    QCOMPARE(c.shown("LblGiden"), QStringLiteral("Tüketim verileri istendi.Lütfen bekleyin..."));
    QVERIFY(c.waitFor("Label2", serialText(serial) + QStringLiteral(" Nolu Cihaz Tüketim Verileri")));
    QCOMPARE(c.store().startRegister, 129);
    QCOMPARE(notAsTheDevice(c, serial, 90, 39), QString());
    // The counters at the start of the billing period, in whole kWh and kVArh.
    const sim::EnergyCounters reset =
        sim::energyAt(info(serial), sim::billingPeriodStart(c.server.wallNow()));
    QCOMPARE(c.shown("SayacAktif"), QString::number(std::llround(reset.active)));
    QCOMPARE(c.shown("Sayacind"), QString::number(std::llround(reset.inductive)));
    QCOMPARE(c.shown("SayacKap"), QString::number(std::llround(reset.capacitive)));
    c.tickTimer("Timer1");
    const QStringList faults =
        c.displayFaults(rowOne(c), sim::kindOfModel(info(serial).model) == sim::DeviceKind::CompensationRelay);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TstContractWithSimulator::settingWrites_data()
{
    QTest::addColumn<QStringList>("input");     // "widget=value"; "widget" alone checks it
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("acknowledged"); // empty: the client pairs no answer with it
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("shows");
    QTest::newRow("transformer") << QStringList{"CT=300"} << "Button9" << "akım trafosu değeri" << 0 << 300
                                 << "ATOran" << "300";
    QTest::newRow("tan phi") << QStringList{"Tanfi=-10"} << "btntanfi" << "TanFi değeri" << 129 << 65526
                             << "lbltanfi" << "-10";
    QTest::newRow("inductive limit") << QStringList{"indcezasinir=18"} << "btnindceza"
                                     << "indüktif ceza sınır değeri" << 132 << 18 << "lblindcezasinir" << "18";
    QTest::newRow("capacitive limit") << QStringList{"kapcezasinir=12"} << "btnkapceza"
                                      << "kapasitif ceza sınır değeri" << 133 << 12 << "lblkapcezasinir" << "12";
    QTest::newRow("switching times") << QStringList{"maxalmasure=45", "maxcikmasure=50", "minalmacikmasure=4"}
                                     << "Button7" << "alma-çıkma değerleri" << 135 << 50 << "LBLmaxcikmasure" << "50";
    QTest::newRow("learning off") << QStringList{"konogrenmeddisi"} << "Button5" << "" << 137 << 1
                                  << "konogrenmedurum" << "Pasif";
    QTest::newRow("manual switching") << QStringList{"manueldevrede"} << "zorvotomanuelyaz" << "oto-manuel ayarı"
                                      << 157 << 1 << "lblmanuel" << "Aktif";
    QTest::newRow("fast mode") << QStringList{"radioaktif"} << "Button8" << "hızlı mod ayarı" << 154 << 1
                               << "lblhizlia" << "Aktif";
}

// A setting written from page 8: the relay's acknowledgement on the message
// line (or, for the write the client pairs no answer with, no answer at all),
// the relay keeping the value, and the value read back where page 8 (or the
// transformer display) shows it.
void TstContractWithSimulator::settingWrites()
{
    QFETCH(QStringList, input);
    QFETCH(QString, button);
    QFETCH(QString, acknowledged);
    QFETCH(int, reg);
    QFETCH(int, value);
    QFETCH(QString, label);
    QFETCH(QString, shows);
    constexpr quint32 kRelay = 12002;
    Client c;
    QVERIFY(c.start());
    QVERIFY(c.selectAndWait(kRelay));
    for (const QString &in : input) {
        const QStringList kv = in.split(u'=');
        if (kv.size() == 2)
            c.get<SpinEdit>(kv[0])->setText(kv[1]);
        else
            c.get<QAbstractButton>(kv[0])->setChecked(true);
    }
    const int reads = c.w->haberlesme.lineCount();
    c.click(button);
    QVERIFY2(c.shown("LblGiden").endsWith(QStringLiteral("Lütfen bekleyin...")), qPrintable(c.shown("LblGiden")));
    if (!acknowledged.isEmpty())
        QVERIFY(c.waitMessage(serialText(kRelay) + QStringLiteral(" Seri Nolu Cihaza ") + acknowledged
                              + QStringLiteral(" yazıldı. ")));
    QVERIFY(QTest::qWaitFor([&] { return c.server.device(kRelay)->reg(reg) == value; }, kWait));

    if (reg == 0) {
        QVERIFY(c.selectAndWait(kRelay)); // the ratio comes with the measurements
    } else {
        c.click("sabitoku");
        QVERIFY(c.waitMessage(serialText(kRelay) + QStringLiteral(" Seri Nolu Cihazın sabit değerleri alınıyor. ")));
        QCOMPARE(notAsTheDevice(c, kRelay, 129, 31), QString());
    }
    // The write's acknowledgement and the read: nothing else came in.
    QCOMPARE(c.w->haberlesme.lineCount(), reads + (acknowledged.isEmpty() ? 1 : 2));
    c.tickTimer("Timer1");
    QCOMPARE(c.shown(label), shows);
}

// Page 4: a step's powers written (no answer is paired with it), the
// capacitor states read back; a step switched; page 5: the device's own
// harmonic table.
void TstContractWithSimulator::capacitorStepsAndHarmonicTable()
{
    constexpr quint32 kRelay = 12002;
    Client c;
    QVERIFY(c.start());
    QVERIFY(c.selectAndWait(kRelay));
    const sim::SimDevice *relay = c.server.device(kRelay);
    const Registers before = rowOne(c);
    const int reads = c.w->haberlesme.lineCount();
    c.get<SpinEdit>("C3_R_YAZ")->setText(QStringLiteral("300"));
    c.get<SpinEdit>("C3_s_YAZ")->setText(QStringLiteral("0"));
    c.get<SpinEdit>("C3_t_YAZ")->setText(QStringLiteral("5000"));
    c.click("c3yaz");
    QVERIFY(QTest::qWaitFor([&] { return relay->reg(169) == 300 && relay->reg(171) == 5000; }, kWait));
    const quint16 lamps = relay->reg(45);
    c.click("durum3");
    QVERIFY(QTest::qWaitFor([&] { return (relay->reg(45) ^ lamps) == 0x4; }, kWait));

    c.click("BitBtn2");
    QCOMPARE(c.shown("LblGiden"), QStringLiteral("Kondansatör durumları istendi.Lütfen bekleyin..."));
    QVERIFY(c.waitFor("Label2", serialText(kRelay) + QStringLiteral(" nolu cihaz kondansatör bilgileri")));
    QCOMPARE(c.w->haberlesme.lineCount(), reads + 1); // the step commands brought no answer
    QCOMPARE(notAsTheDevice(c, kRelay, 157, 75), QString());
    const Registers after = rowOne(c);
    for (int n = 0; n < 157; ++n)
        QCOMPARE(after[size_t(n)], before[size_t(n)]);
    c.tickTimer("Timer1");
    QStringList faults = c.displayFaults(after, true);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    QCOMPARE(c.shown("C3_T"), numbers::formatPattern(5000 * after[0] / 10000, u"0.00", programState().decimalSeparator));

    c.click("VrShadowButton4");
    QCOMPARE(c.shown("LblGiden"), QStringLiteral("harmonikzorv durumları istendi.Lütfen bekleyin..."));
    QVERIFY(c.waitFor("Label2", serialText(kRelay) + QStringLiteral(" Nolu Cihaz harmonikzorv Verileri")));
    QCOMPARE(notAsTheDevice(c, kRelay, 300, 102), QString());
    c.tickTimer("Timer1");
    faults = c.displayFaults(rowOne(c), true);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// Page 3: each phase's waveforms drawn, the samples those the analyser took,
// the spectrum in the charts and the value boxes.
void TstContractWithSimulator::waveformsOfThreePhases()
{
    constexpr quint32 kAnalyser = 12001;
    Client c;
    QVERIFY(c.start());
    // The page opens with a change of kind, as a user gets there.
    QVERIFY(c.selectAndWait(12002));
    QVERIFY(c.selectAndWait(kAnalyser));
    QVERIFY(c.get<QTabWidget>("suiPageControl1")->isTabVisible(3));
    const char *const buttons[] = {"VrShadowButton5", "VrShadowButton6", "VrShadowButton7"};
    const char *const pictures[] = {"Image1", "Image2", "Image3"};
    const char *const voltageCharts[] = {"Image4", "Image6", "Image8"};
    const char *const voltageBoxes[] = {"EditH22", "EditH11", "EditH31"};
    const char *const currentBoxes[] = {"EditH2", "EditH12", "EditH32"};
    const char *const keywords[] = {"harmonikbir", "harmonikiki", "harmonikuc"};
    for (int p = 0; p < 3; ++p) {
        const QImage blank = c.get<ImageArea>(pictures[p])->image();
        c.click(buttons[p]);
        QCOMPARE(c.lastSent(), wire::buildRequest(keywords[p], {QByteArray::number(kAnalyser)}));
        QCOMPARE(c.shown("LblGiden"), QStringLiteral("Faz%1 harmonik değerleri istendi.Lütfen bekleyin...").arg(p + 1));
        QCOMPARE(c.shown("LblMesaj"), QString());
        QVERIFY(c.waitMessage(serialText(kAnalyser) + QStringLiteral(" Seri Nolu Cihazın harmonik değerleri alınıyor. ")));
        QCOMPARE(c.shown("Label2"), serialText(kAnalyser) + QStringLiteral(" nolu cihaz harmonik verileri"));
        QVERIFY(c.get<ImageArea>(pictures[p])->image() != blank);
        const ProgramState &prog = programState();
        const sim::PhaseSamples samples = sim::samplePhase(c.server.device(kAnalyser)->waves()[size_t(p)]);
        for (int i = 0; i < sim::kWaveSamples; ++i) {
            QVERIFY(std::abs(prog.harmonicSamplesA[size_t(i)] - samples.voltage[size_t(i)]) <= 1);
            QVERIFY(std::abs(prog.harmonicSamplesB[size_t(i)] - samples.current[size_t(i)]) <= 1);
        }
        const auto fundamental = [&](const std::array<double, 66> &x) {
            return numbers::formatGeneral(harmonics::analyse(std::span<const double, 64>(x.data(), 64))[0],
                                          prog.decimalSeparator);
        };
        QCOMPARE(c.shown(voltageBoxes[p]), fundamental(prog.harmonicSamplesA));
        QCOMPARE(c.shown(currentBoxes[p]), fundamental(prog.harmonicSamplesB));
        QCOMPARE(c.get<ImageArea>(voltageCharts[p])->image().pixel(7, 170), qRgb(0xFF, 0xFF, 0x00));
    }
}

// Page 9: the modem's relays queried and switched, its water-meter index read
// and written (the write's three-second wait is the test's own).
void TstContractWithSimulator::modemOutputsAndWaterIndex()
{
    constexpr quint32 kModem = 12006;
    Client c;
    QVERIFY(c.start());
    QVERIFY(c.selectAndWait(kModem));
    sim::ModemOutputs &modem = sim::FieldOutputs::of(c.server).modem(kModem);
    const auto states = [&] { return QStringList{c.shown("lblrole1drm"), c.shown("lblrole2drm"), c.shown("lblrole3drm")}; };
    const auto expected = [&] {
        QStringList s;
        for (bool on : modem.relays)
            s << (on ? QStringLiteral("Aktif") : QStringLiteral("Pasif"));
        return s;
    };
    c.click("VrShadowButton21");
    QCOMPARE(c.lastSent(), wire::buildRequest("modemkomut", {"12006", "rolesorgula"}));
    QVERIFY(QTest::qWaitFor([&] { return states() == expected(); }, kWait));
    QCOMPARE(c.shown("Label2"), QStringLiteral("12006 Nolu Cihaz röle durumları"));

    const bool second = modem.relays[1];
    c.click(second ? "VrShadowButton18" : "VrShadowButton17");
    QCOMPARE(c.shown("lblrole2drm"), QStringLiteral("0"));
    QVERIFY(c.waitFor("lblrole2drm", second ? QStringLiteral("Pasif") : QStringLiteral("Aktif")));
    QCOMPARE(modem.relays[1], !second);
    QCOMPARE(c.colour("lblrole2drm"), second ? QColor(0xFF, 0, 0) : QColor(0, 0xFF, 0));

    const QChar sep = programState().decimalSeparator;
    c.click("btnsuendeks");
    QVERIFY(c.waitFor("displaysuendeks", numbers::formatGeneral(double(modem.waterLitres) / 1000, sep)));
    c.get<SpinEdit>("edtendeksyaz")->setValue(2.75);
    c.click("VrShadowButton22");
    QCOMPARE(c.pauses, QList<int>{3000});
    QCOMPARE(c.shown("LblGiden"), QStringLiteral("Kontor Yükleniyor. .Lütfen bekleyin..."));
    QVERIFY(c.waitMessage(QStringLiteral("12006 Seri Nolu Cihaza endeks değeri yazıldı. ")));
    QCOMPARE(modem.waterLitres, 2750);
    c.click("btnsuendeks");
    QVERIFY(c.waitFor("displaysuendeks", QStringLiteral("2") + sep + QStringLiteral("75")));
}

// Page 1 and page 6: the energy between two dates, its ratios and bands.
void TstContractWithSimulator::energyBetweenDates()
{
    Client c;
    QVERIFY(c.start());
    QVERIFY(c.selectAndWait(12002));
    const QDate last = fixedSiteTime().date().addDays(-1), first = last.addDays(-7);
    c.get<QDateEdit>("DateTimePicker1")->setDate(first);
    c.get<QDateEdit>("DateTimePicker2")->setDate(last);
    const QString before = c.shown("inddurum");
    c.click("VrShadowButton9");
    QCOMPARE(c.lastSent().left(12), QByteArray("reaktifener\x01"));
    QVERIFY(QTest::qWaitFor([&] { return c.shown("inddurum") != before; }, kWait));
    QCOMPARE(c.shown("Edit222"), QLocale().toString(first, QLocale::ShortFormat));
    QCOMPARE(c.shown("Edit333"), QLocale().toString(last, QLocale::ShortFormat));
    const energy::Ratios r = energy::rangeRatios(number(c.shown("ak1")), number(c.shown("ak2")), number(c.shown("in1")),
                                                 number(c.shown("in2")), number(c.shown("kap1")), number(c.shown("kap2")));
    const QChar sep = programState().decimalSeparator;
    QCOMPARE(c.shown("indoran"), numbers::formatPattern(r.inductive, u"##.00", sep));
    QCOMPARE(c.shown("kaporan"), numbers::formatPattern(r.capacitive, u"##.00", sep));
    QCOMPARE(bandMismatch(c, "indoran", "inddurum", energy::Reactive::Inductive), QString());
    QCOMPARE(bandMismatch(c, "kaporan", "Kapdurum", energy::Reactive::Capacitive), QString());
    QCOMPARE(c.shown("inddurum"), QStringLiteral("KRİTİK")); // the site's band of the relay

    // The meter's page, with dates of the user's choosing.
    c.select(12004);
    QVERIFY(QTest::qWaitFor([&] { return !c.shown("lblsycindurum").isEmpty(); }, kWait));
    c.get<QDateEdit>("dtsycilktarih")->setDate(first);
    c.get<QDateEdit>("dtsycsontarih")->setDate(last);
    c.click("VrShadowButton12");
    QCOMPARE(c.shown("lblsycindurum"), QString()); // emptied until the answer
    QVERIFY(QTest::qWaitFor([&] { return !c.shown("lblsycindurum").isEmpty(); }, kWait));
    QCOMPARE(c.shown("Edit222"), QLocale().toString(first, QLocale::ShortFormat));
    QCOMPARE(bandMismatch(c, "RzLEDsycinoran", "lblsycindurum", energy::Reactive::Inductive), QString());
    QCOMPARE(c.shown("lblsycindurum"), QStringLiteral("ALARM"));
}

// "Sayaç Oku": the meter's readout in pieces, its totals and tariffs on page 6.
void TstContractWithSimulator::meterReadout()
{
    Client c;
    QVERIFY(c.start());
    c.select(12004);
    QVERIFY(QTest::qWaitFor([&] { return !c.shown("lblsycindurum").isEmpty(); }, kWait));
    c.click("VrShadowButton11");
    QCOMPARE(c.lastSent(), wire::buildRequest("sayac", {"12004", "tdshyr", "kythyr"}));
    QCOMPARE(c.shown("LblGiden"), QStringLiteral("Sayaç okuma isteği gönderildi.Lütfen bekleyin..."));
    auto *memo = c.get<QPlainTextEdit>("Memo3");
    QVERIFY(QTest::qWaitFor([&] { return memo->toPlainText().contains(QLatin1String("\n!\n")); }, 3 * kWait));
    const QString readout = memo->toPlainText();
    QVERIFY(readout.startsWith(QLatin1String("/DMS5")));
    QCOMPARE(c.shown("Label2"), QStringLiteral("12004 Nolu Sayaç Değerleri"));
    // Each display: the nine characters after its code, the totals with the
    // comma of the ratio step.
    const auto after = [&](const char *code) { return readout.mid(readout.indexOf(QLatin1String(code)) + 6, 9); };
    const auto comma = [](QString t) { return t.replace(t.indexOf(u'.'), 1, u','); };
    QCOMPARE(c.shown("Rzsycakttop"), comma(after("1.8.0(")));
    QCOMPARE(c.shown("Rzsycindtop"), comma(after("5.8.0(")));
    QCOMPARE(c.shown("Rzsyckaptop"), comma(after("8.8.0(")));
    QCOMPARE(c.shown("RzsycT1"), after("1.8.1("));
    QCOMPARE(c.shown("RzsycT3"), after("1.8.3("));
    const double active = number(c.shown("Rzsycakttop"));
    QVERIFY(active > 0);
    QCOMPARE(c.shown("RzLEDinddurum"), QString::number(number(c.shown("Rzsycindtop")) / active * 100, 'f', 2));
    QCOMPARE(energy::bandText(energy::band(number(c.shown("RzLEDinddurum")), energy::Reactive::Inductive)),
             QStringLiteral("ALARM"));
}

// Page 2: the overcurrent relay's values, asked for by the serial in Sno.
void TstContractWithSimulator::overcurrentRelayValues()
{
    constexpr quint32 kRelay = 12003;
    Client c;
    QVERIFY(c.start());
    QVERIFY(c.selectAndWait(kRelay));
    c.click("VrShadowButton2");
    QCOMPARE(c.lastSent(), wire::buildRequest("AARdegerlerioku", {" 12003"}));
    QVERIFY(c.waitFor("Sno", QStringLiteral("12003")));
    const auto *relay = sim::asOvercurrentRelay(c.server.device(kRelay));
    const char *const currents[] = {"akim1", "akim2", "akim3", "akimt"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(c.shown(currents[i]), QString::number(relay->currents()[size_t(i)], 'f', 2));
    QCOMPARE(c.shown("Trh"), relay->clock().toString(QStringLiteral("dd.MM.yyyy")));
    QCOMPARE(c.shown("Saat"), relay->clock().toString(QStringLiteral("hh:mm:ss")));
}

// The notice of stored messages, and the messages window filled from them;
// asking again on the same connection brings nothing twice.
void TstContractWithSimulator::storedMessages()
{
    Client c;
    c.server.setMessageNoticeDelay(300);
    QVERIFY(c.start());
    QVERIFY(c.waitMessage(QStringLiteral("Yeni Mesajınız Var...")));
    QVERIFY(!c.get<QWidget>("RzURLLabel1")->isHidden());
    c.w->ana.findChild<QAction *>(QStringLiteral("Oku1"))->trigger();
    QCOMPARE(c.lastSent(), QByteArray("yenimesajiste\x01" "demo\x01\xF4\xF4\xF4"));
    const QList<sim::StoredMessage> &stored = sim::demoSite().findUser("demo")->messages;
    auto *list = c.w->mesajlar.findChild<QListWidget *>(QStringLiteral("RzListBox1"));
    QVERIFY(QTest::qWaitFor([&] { return list->count() == stored.size(); }, kWait));
    for (int i = 0; i < stored.size(); ++i)
        QCOMPARE(list->item(i)->text(), QStringLiteral("//") + stored[i].title);
    QCOMPARE(c.w->mesajlar.findChild<QTextEdit *>(QStringLiteral("RichEdit1"))->toPlainText(), stored[0].text);

    c.w->mesajlar.findChild<QAbstractButton *>(QStringLiteral("BitBtn2"))->click();
    c.tickTimer("TimerPing"); // answered after whatever the second request brings
    QVERIFY(c.waitMessage(QStringLiteral("Pong")));
    QCOMPARE(list->count(), stored.size());
}

// Devices are shared: what another client writes, this one reads back, and
// the other way round. The other client is a plain socket.
void TstContractWithSimulator::settingSeenByAnotherClient()
{
    constexpr quint32 kRelay = 12002;
    Client c;
    QVERIFY(c.start());
    contract::RawClient other;
    QVERIFY(other.logIn(c.server.port(), "demo", "1234"));
    QCOMPARE(other.exchange(wire::buildRequest("zorvtanfiyaz", {"12002", "255", "251"})),
             sim::modbus::enerjialMessage(sim::modbus::payloadText(sim::modbus::writeSingleEcho(0x4000, 65531))));

    QVERIFY(c.selectAndWait(kRelay));
    c.click("sabitoku");
    QVERIFY(c.waitMessage(serialText(kRelay) + QStringLiteral(" Seri Nolu Cihazın sabit değerleri alınıyor. ")));
    c.tickTimer("Timer1");
    QCOMPARE(c.shown("lbltanfi"), QStringLiteral("-5"));

    c.get<SpinEdit>("kapcezasinir")->setText(QStringLiteral("14"));
    c.click("btnkapceza");
    QVERIFY(c.waitMessage(serialText(kRelay) + QStringLiteral(" Seri Nolu Cihaza kapasitif ceza sınır değeri yazıldı. ")));
    const QList<int> constants = contract::registersOf(other.exchange(wire::buildRequest("zorvsabitiste", {"12002"})));
    QCOMPARE(constants.size(), 31);
    QCOMPARE(constants.at(133 - 129), 14);
    QCOMPARE(constants.at(0), 65531);
}

QTEST_MAIN(TstContractWithSimulator)
#include "tst_contract_with_simulator.moc"
