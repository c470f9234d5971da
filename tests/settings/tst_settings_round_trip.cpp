// The settings of a compensation relay written from page 8 and the steps from
// pages 0 and 4, against the bundled simulator in the same process: the
// device's acknowledgement on the message line, and the new values read back.
#include "client_state.h"
#include "client_windows.h"
#include "sim_device.h"
#include "sim_server.h"
#include "spin_edit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int kRelay = 12002;

struct Session {
    sim::SimServer server;
    ClientWindows w;
    QLabel *message = nullptr;
    QLabel *outgoing = nullptr;

    bool start()
    {
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        w.giris.setInternetProbe([] { return true; });
        w.giris.findChild<QLineEdit *>("Edit1")->setText("demo");
        w.giris.findChild<QLineEdit *>("Edit4")->setText("1234");
        w.giris.findChild<QLineEdit *>("edtport")->setText(QString::number(server.port()));
        w.giris.show();
        QTest::mouseClick(w.giris.findChild<QPushButton *>("suiButton1"), Qt::LeftButton);
        message = w.ana.findChild<QLabel *>("LblMesaj");
        outgoing = w.ana.findChild<QLabel *>("LblGiden");
        return w.ana.state().connected && message && outgoing;
    }
    template <class T> T *named(const char *name) { return w.ana.widgets().get<T>(QString::fromLatin1(name)); }
    void type(const char *spin, const QString &text) { named<SpinEdit>(spin)->setText(text); }
    void check(const char *button) { named<QAbstractButton>(button)->setChecked(true); }
    void click(const char *button) { QTest::mouseClick(named<QAbstractButton>(button), Qt::LeftButton); }
    // The serial box and the active device as a selection leaves them.
    void target(int serial)
    {
        named<QLineEdit>("Edit111")->setText(QString::number(serial));
        if (w.ana.context().prog)
            w.ana.context().prog->activeSerial = serial;
        for (const char *page : {"suiTabSheet1", "suiTabSheet5", "suiTabSheet6"})
            named<QWidget>(page)->setEnabled(true);
    }
    bool waitForMessage(const QString &text) { return QTest::qWaitFor([&] { return message->text() == text; }, 5000); }
};

QString acknowledged(const char *what)
{
    return QString::number(kRelay) + QStringLiteral(" Seri Nolu Cihaza ") + QString::fromUtf8(what) + QStringLiteral(" yazıldı. ");
}

} // namespace

class TstSettingsRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void writesAreAcknowledged();
    void refusedWriteStaysSilent();
};

void TstSettingsRoundTrip::writesAreAcknowledged()
{
    Session s;
    QVERIFY(s.start());
    s.target(kRelay);
    sim::SimDevice *relay = s.server.device(kRelay);

    struct Step {
        void (*prepare)(Session &);
        const char *button;
        const char *notice;
        int reg;
        int value;
    };
    const Step steps[] = {
        {[](Session &x) { x.type("CT", "300"); }, "Button9", "akım trafosu değeri", 0, 300},
        {[](Session &x) { x.type("Tanfi", "-10"); }, "btntanfi", "TanFi değeri", 129, 65526},
        {[](Session &x) { x.type("indcezasinir", "20"); }, "btnindceza", "indüktif ceza sınır değeri", 132, 20},
        {[](Session &x) { x.type("kapcezasinir", "12"); }, "btnkapceza", "kapasitif ceza sınır değeri", 133, 12},
        {[](Session &x) {
             x.type("maxalmasure", "45");
             x.type("maxcikmasure", "50");
             x.type("minalmacikmasure", "4");
         },
         "Button7", "alma-çıkma değerleri", 136, 4},
        {[](Session &x) { x.check("manueldevrede"); }, "zorvotomanuelyaz", "oto-manuel ayarı", 157, 1},
        {[](Session &x) { x.check("radioaktif"); }, "Button8", "hızlı mod ayarı", 154, 1},
    };
    for (const Step &step : steps) {
        step.prepare(s);
        s.click(step.button);
        QVERIFY2(s.waitForMessage(acknowledged(step.notice)), step.button);
        QCOMPARE(int(relay->reg(step.reg)), step.value);
    }
    QCOMPARE(s.outgoing->text(), QStringLiteral("Hızlı mod ayarı yazılıyor.Lütfen bekleyin..."));
}

void TstSettingsRoundTrip::refusedWriteStaysSilent()
{
    Session s;
    QVERIFY(s.start());
    s.target(kRelay);
    sim::SimDevice *relay = s.server.device(kRelay);
    relay->setReg(0, 40);
    // A typed ratio outside the device's range: the relay refuses it, the
    // line stays as the sender left it.
    s.type("CT", "-5");
    s.click("Button9");
    QCOMPARE(s.message->text(), QString());
    QCOMPARE(s.outgoing->text(), QStringLiteral("Akım Trafosu oranları yazılıyor.Lütfen bekleyin..."));
    QTest::qWait(300);
    QCOMPARE(s.message->text(), QString());
    QCOMPARE(relay->reg(0), quint16(40));
    // The next good write is acknowledged again.
    s.type("CT", "50");
    s.click("Button9");
    QVERIFY(s.waitForMessage(acknowledged("akım trafosu değeri")));
    QCOMPARE(relay->reg(0), quint16(50));
}

QTEST_MAIN(TstSettingsRoundTrip)
#include "tst_settings_round_trip.moc"
