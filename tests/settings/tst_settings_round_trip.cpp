// The settings of a compensation relay written from page 8 and the steps from
// pages 0 and 4, against the bundled simulator in the same process: the
// device's acknowledgement on the message line, and the new values read back.
#include "log_in.h"
#include "client_state.h"
#include "client_windows.h"
#include "demo_data.h"
#include "group_bar.h"
#include "led_display.h"
#include "numbers.h"
#include "register_store.h"
#include "sim_device.h"
#include "sim_server.h"
#include "spin_edit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

constexpr quint32 kRelay = 12002;
constexpr int kWait = 8000;

QString notice(quint32 serial, const char *text)
{
    return QString::number(serial) + QString::fromUtf8(text);
}

QString acknowledged(const char *what)
{
    return notice(kRelay, " Seri Nolu Cihaza ") + QString::fromUtf8(what) + QStringLiteral(" yazıldı. ");
}

struct Session {
    sim::SimServer server;
    std::unique_ptr<ClientWindows> w;
    QLabel *message = nullptr;
    QLabel *outgoing = nullptr;

    // Logs in as "demo" and waits until the whole device list is in the bar.
    bool start()
    {
        programState() = ProgramState{};
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        w = std::make_unique<ClientWindows>();
        logIn(w->giris, server.port());
        message = named<QLabel>("LblMesaj");
        outgoing = named<QLabel>("LblGiden");
        const qsizetype devices = sim::findUser("demo") ? sim::findUser("demo")->serials.size() : 0;
        return w->ana.state().connected && devices > 0
            && QTest::qWaitFor([&] { return itemCount() == devices; }, kWait);
    }
    ~Session() { w.reset(); }

    template <class T> T *named(const char *name) { return w->ana.widgets().get<T>(QString::fromLatin1(name)); }
    QString text(const char *label) { return named<QLabel>(label)->text(); }
    double reg(int n) { return w->vd1kal.store().read(1, n); }
    void type(const char *spin, const QString &value) { named<SpinEdit>(spin)->setText(value); }
    void check(const char *button) { named<QAbstractButton>(button)->setChecked(true); }
    void click(const char *button) { QTest::mouseClick(named<QAbstractButton>(button), Qt::LeftButton); }
    // What a label or LED display of the main window shows.
    QString shown(const char *name)
    {
        QObject *o = w->ana.widgets().object(QString::fromLatin1(name));
        if (auto *led = qobject_cast<LedDisplay *>(o))
            return led->text();
        auto *label = qobject_cast<QLabel *>(o);
        return label ? label->text() : QString();
    }
    // Waits for the refresh (once a second) to show the text.
    bool shows(const char *name, const QString &text)
    {
        return QTest::qWaitFor([&] { return shown(name) == text; }, kWait);
    }
    bool waitForMessage(const QString &text)
    {
        return QTest::qWaitFor([&] { return message->text() == text; }, kWait);
    }

    // Clicks a button whose request the client pairs no answer with (the
    // server relays none) and waits until the device has acted on it.
    bool clickAndWaitForDevice(const char *button, const std::function<bool()> &done)
    {
        click(button);
        return QTest::qWaitFor(done, kWait);
    }

    int itemCount() const
    {
        int n = 0;
        for (const GroupBarGroup *g : w->ana.context().deviceBar->groups())
            n += g->itemCount();
        return n;
    }
    // Clicks the device's item in the bar and waits for its registers.
    bool select(quint32 serial)
    {
        for (GroupBarGroup *g : w->ana.context().deviceBar->groups()) {
            for (GroupBarItem *it : g->items()) {
                if (!it->caption().endsWith(QStringLiteral(" No: %1").arg(serial)))
                    continue;
                message->clear();
                QTest::mouseClick(it, Qt::LeftButton, {}, QPoint(30, it->height() / 2));
                return waitForMessage(notice(serial, " Seri Nolu Cihazın ölçüm değerleri alınıyor. "));
            }
        }
        return false;
    }
};

} // namespace

class TstSettingsRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void transformerRatio();
    void constantsReadBack();
    void stepReadBack();
    void refusedWriteStaysSilent();
};

void TstSettingsRoundTrip::transformerRatio()
{
    Session s;
    QVERIFY(s.start());
    QVERIFY(s.select(kRelay));
    s.type("CT", "300");
    s.click("Button9");
    QCOMPARE(s.outgoing->text(), QStringLiteral("Akım Trafosu oranları yazılıyor.Lütfen bekleyin..."));
    QVERIFY(s.waitForMessage(acknowledged("akım trafosu değeri")));
    QCOMPARE(s.server.device(kRelay)->reg(0), quint16(300));
    // Selecting the device again brings the new ratio.
    QVERIFY(s.select(kRelay));
    QCOMPARE(s.reg(0), 300.0);
    QVERIFY2(s.shows("ATOran", "300"), qPrintable(s.shown("ATOran")));
    QVERIFY2(s.shows("LBLCT", "300"), qPrintable(s.shown("LBLCT")));
}

void TstSettingsRoundTrip::constantsReadBack()
{
    Session s;
    QVERIFY(s.start());
    QVERIFY(s.select(kRelay));
    sim::SimDevice *relay = s.server.device(kRelay);

    struct Write {
        void (*prepare)(Session &);
        const char *button;
        const char *notice; // null: the client does not check the echo
        int reg;
        int value;
    };
    const Write writes[] = {
        {[](Session &x) { x.type("Tanfi", "-10"); }, "btntanfi", "TanFi değeri", 129, 65526},
        {[](Session &x) { x.type("indcezasinir", "20"); }, "btnindceza", "indüktif ceza sınır değeri", 132, 20},
        {[](Session &x) { x.type("kapcezasinir", "12"); }, "btnkapceza", "kapasitif ceza sınır değeri", 133, 12},
        {[](Session &x) {
             x.type("maxalmasure", "45");
             x.type("maxcikmasure", "50");
             x.type("minalmacikmasure", "4");
         },
         "Button7", "alma-çıkma değerleri", 136, 4},
        {[](Session &x) { x.check("konogrenmeddisi"); }, "Button5", nullptr, 137, 1},
        {[](Session &x) { x.check("manueldevrede"); }, "zorvotomanuelyaz", "oto-manuel ayarı", 157, 1},
        {[](Session &x) { x.check("radioaktif"); }, "Button8", "hızlı mod ayarı", 154, 1},
    };
    for (const Write &write : writes) {
        write.prepare(s);
        s.click(write.button);
        if (write.notice)
            QVERIFY2(s.waitForMessage(acknowledged(write.notice)), write.button);
        QVERIFY2(QTest::qWaitFor([&] { return relay->reg(write.reg) == write.value; }, kWait), write.button);
    }

    s.click("sabitoku");
    QCOMPARE(s.outgoing->text(), QStringLiteral("Sabit değerler istendi.Lütfen bekleyin..."));
    QVERIFY(s.waitForMessage(notice(kRelay, " Seri Nolu Cihazın sabit değerleri alınıyor. ")));
    const QList<QPair<int, double>> expected = {{129, 65526}, {132, 20}, {133, 12}, {134, 45}, {135, 50},
                                                {136, 4},     {137, 1},  {138, 0},  {154, 1},  {157, 1}};
    for (const auto &[n, v] : expected)
        QCOMPARE(s.reg(n), v);

    // Each value in its read-back label on page 8.
    const QList<QPair<const char *, QString>> labels = {
        {"lbltanfi", "-10"},           {"lblindcezasinir", "20"},     {"lblkapcezasinir", "12"},
        {"LBLmaxalmasure", "45"},      {"LBLmaxcikmasure", "50"},     {"LBLminalmacikmasure", "4"},
        {"konogrenmedurum", "Pasif"},  {"yonsabitdurum", "Aktif"},    {"lblmanuel", "Aktif"},
        {"lblotomatik", "Pasif"},      {"lblhizlia", "Aktif"},        {"lblhizlip", "Pasif"},
    };
    for (const auto &[label, text] : labels)
        QVERIFY2(s.shows(label, text), qPrintable(QStringLiteral("%1: %2").arg(label, s.shown(label))));
}

void TstSettingsRoundTrip::stepReadBack()
{
    Session s;
    QVERIFY(s.start());
    QVERIFY(s.select(kRelay));
    sim::SimDevice *relay = s.server.device(kRelay);
    s.type("C3_R_YAZ", "300");
    s.type("C3_s_YAZ", "0");
    s.type("C3_t_YAZ", "5000");
    QVERIFY(s.clickAndWaitForDevice("c3yaz", [&] { return relay->reg(171) == 5000; }));
    QCOMPARE(s.outgoing->text(), QStringLiteral("Kondansator Değerleri yazılıyor.Lütfen bekleyin..."));

    s.click("BitBtn2");
    QVERIFY(s.waitForMessage(notice(kRelay, " Seri Nolu Cihazın kondansatör durum ve güç değerleri alınıyor. ")));
    QCOMPARE(s.reg(169), 300.0);
    QCOMPARE(s.reg(170), 0.0);
    QCOMPARE(s.reg(171), 5000.0);
    // On page 4 as powers times the transformer ratio, in hundreds of watts.
    const double ct = s.reg(0);
    const QChar point = s.w->ana.context().prog->decimalSeparator;
    const QString r = numbers::formatPattern(300 * ct / 10000, u"0.00", point);
    const QString t = numbers::formatPattern(5000 * ct / 10000, u"0.00", point);
    QVERIFY2(s.shows("C3_R", r), qPrintable(s.shown("C3_R")));
    QVERIFY2(s.shows("C3_S", numbers::formatPattern(0, u"0.00", point)), qPrintable(s.shown("C3_S")));
    QVERIFY2(s.shows("C3_T", t), qPrintable(s.shown("C3_T")));

    // Switching the step: the device toggles it, and nothing the client has
    // read changes.
    const quint16 lamps = relay->reg(45);
    const QString message = s.message->text();
    QList<double> read;
    for (int n = 0; n < 256; ++n)
        read << s.reg(n);
    QVERIFY(s.clickAndWaitForDevice("durum3", [&] { return (relay->reg(45) ^ lamps) == 0x4; }));
    QCOMPARE(s.outgoing->text(), QStringLiteral("3 nolu Kondansator devreye alınıyor/çıkartılıyor.Lütfen bekleyin..."));
    QTest::qWait(100);
    QCOMPARE(s.message->text(), message);
    for (int n = 0; n < 256; ++n)
        QCOMPARE(s.reg(n), read.at(n));
}

void TstSettingsRoundTrip::refusedWriteStaysSilent()
{
    Session s;
    QVERIFY(s.start());
    QVERIFY(s.select(kRelay));
    sim::SimDevice *relay = s.server.device(kRelay);
    const quint16 ratio = relay->reg(0);
    // A typed ratio outside the device's range: the relay refuses it, the
    // line stays as the sender left it.
    s.type("CT", "-5");
    s.click("Button9");
    QCOMPARE(s.message->text(), QString());
    QTest::qWait(300);
    QCOMPARE(s.message->text(), QString());
    QCOMPARE(relay->reg(0), ratio);
    // The next good write is acknowledged again.
    s.type("CT", "50");
    s.click("Button9");
    QVERIFY(s.waitForMessage(acknowledged("akım trafosu değeri")));
    QCOMPARE(relay->reg(0), quint16(50));
}

QTEST_MAIN(TstSettingsRoundTrip)
#include "tst_settings_round_trip.moc"
