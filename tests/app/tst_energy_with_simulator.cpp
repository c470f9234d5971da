// The client's energy pages against the bundled simulator in one process: a
// meter read through its modem, and the ratios between two dates with their
// bands.
#include "log_in.h"
#include "client_windows.h"
#include "led_display.h"
#include "sim_server.h"
#include "site_clock.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

struct Session {
    sim::SimServer server;
    ClientWindows w;

    bool start()
    {
        useFixedSiteClock(server);
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        logIn(w.giris, server.port());
        // Until device selection is in place the pages are enabled here.
        for (const char *sheet : {"suiTabSheet2", "suiTabSheet7"})
            get<QWidget>(sheet)->setEnabled(true);
        return w.ana.state().connected;
    }
    template <class T> T *get(const char *name) { return w.ana.widgets().get<T>(QLatin1String(name)); }
    QString led(const char *name) { return get<LedDisplay>(name)->text(); }
    QString label(const char *name) { return get<QLabel>(name)->text(); }
    QColor colour(const char *name) { return get<QLabel>(name)->palette().color(QPalette::WindowText); }
    void target(const char *serial) { get<QLineEdit>("Edit111")->setText(QLatin1String(serial)); }
    void click(const char *button) { get<QAbstractButton>(button)->click(); }
};

// A display showing a number written with two decimals ("12.34", ".50").
bool twoDecimals(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^-?\\d*[.,]\\d\\d$"));
    return re.match(text).hasMatch();
}

double number(QString text)
{
    return text.replace(u',', u'.').toDouble();
}

} // namespace

class TstEnergyWithSimulator : public QObject {
    Q_OBJECT
private slots:
    void readingAMeterFillsPage6();
    void ratiosBetweenTwoDates_data();
    void ratiosBetweenTwoDates();
};

void TstEnergyWithSimulator::readingAMeterFillsPage6()
{
    Session s;
    QVERIFY(s.start());
    s.target("12004");
    s.click("VrShadowButton11");
    QCOMPARE(s.label("LblGiden"), QStringLiteral("Sayaç okuma isteği gönderildi.Lütfen bekleyin..."));
    // The readout arrives in pieces; the ratios appear once the capacitive
    // total has come.
    QVERIFY(QTest::qWaitFor([&] { return !s.led("RzLEDkapdurum").isEmpty(); }, 8000));
    QVERIFY(QTest::qWaitFor([&] {
        return s.get<QPlainTextEdit>("Memo3")->toPlainText().contains(QLatin1String("\n!\n"));
    }, 8000));
    QCOMPARE(s.label("Label2"), QStringLiteral("12004 Nolu Sayaç Değerleri"));
    QCOMPARE(s.label("LblMesaj"), QStringLiteral("12004 Seri Nolu sayaç değerleri alınıyor. "));
    // Nine characters before the unit, whole; the totals with the comma the
    // ratio step writes.
    static const QRegularExpression total(QStringLiteral("^\\d{5},\\d{3}$")), tariff(QStringLiteral("^\\d{5}\\.\\d{3}$"));
    for (const char *n : {"Rzsycakttop", "Rzsycindtop", "Rzsyckaptop"})
        QVERIFY2(total.match(s.led(n)).hasMatch(), qPrintable(s.led(n)));
    for (const char *n : {"RzsycT1", "RzsycT2", "RzsycT3"})
        QVERIFY2(tariff.match(s.led(n)).hasMatch(), qPrintable(s.led(n)));
    const double active = number(s.led("Rzsycakttop"));
    const double tariffs = number(s.led("RzsycT1")) + number(s.led("RzsycT2")) + number(s.led("RzsycT3"));
    QVERIFY(std::fabs(active - tariffs) < 0.004);
    // The meter of the depot runs in the ALARM band: about 18 %.
    const double inductive = number(s.led("RzLEDinddurum"));
    QVERIFY2(inductive >= 17 && inductive < 19.5, qPrintable(s.led("RzLEDinddurum")));
    QCOMPARE(s.led("RzLEDinddurum"),
             QString::number(number(s.led("Rzsycindtop")) / active * 100, 'f', 2));

    // The meter's ratios between two dates on the same page.
    const QDate today = fixedSiteTime().date();
    s.get<QDateEdit>("dtsycilktarih")->setDate(today.addDays(-7));
    s.get<QDateEdit>("dtsycsontarih")->setDate(today);
    s.click("VrShadowButton12");
    QVERIFY(QTest::qWaitFor([&] { return !s.label("lblsycindurum").isEmpty(); }, 5000));
    QCOMPARE(s.label("lblsycindurum"), QStringLiteral("ALARM"));
    QCOMPARE(s.colour("lblsycindurum"), QColor(0xFF, 0x00, 0xFF));
    QCOMPARE(s.label("lblsyckapdurum"), QStringLiteral("NORMAL"));
    QVERIFY(twoDecimals(s.led("RzLEDsycinoran")));
    QCOMPARE(s.get<QLineEdit>("Edit2")->text(), QLocale().toString(today.addDays(-7), QLocale::ShortFormat));
}

// A week on page 1 for devices of different bands.
void TstEnergyWithSimulator::ratiosBetweenTwoDates_data()
{
    QTest::addColumn<QByteArray>("serial");
    QTest::addColumn<QString>("inductive");
    QTest::addColumn<QString>("capacitive");
    QTest::newRow("12001 NORMAL") << QByteArray("12001") << "NORMAL" << "NORMAL";
    QTest::newRow("12002 KRİTİK") << QByteArray("12002") << "KRİTİK" << "NORMAL";
    QTest::newRow("12005 ALARM") << QByteArray("12005") << "NORMAL" << "ALARM";
}

void TstEnergyWithSimulator::ratiosBetweenTwoDates()
{
    QFETCH(QByteArray, serial);
    QFETCH(QString, inductive);
    QFETCH(QString, capacitive);
    Session s;
    QVERIFY(s.start());
    s.target(serial.constData());
    const QDate last = fixedSiteTime().date().addDays(-1), first = last.addDays(-7);
    s.get<QDateEdit>("DateTimePicker1")->setDate(first);
    s.get<QDateEdit>("DateTimePicker2")->setDate(last);
    s.click("VrShadowButton9");
    QVERIFY(QTest::qWaitFor([&] { return s.label("inddurum") != QLatin1String("DURUM"); }, 5000));
    QCOMPARE(s.get<QLineEdit>("Edit222")->text(), QLocale().toString(first, QLocale::ShortFormat));
    QCOMPARE(s.get<QLineEdit>("Edit333")->text(), QLocale().toString(last, QLocale::ShortFormat));
    QVERIFY(s.label("LblMesaj").startsWith(QString::fromLatin1(serial) + QStringLiteral(" Cihazının ")));
    const char *const values[] = {"ak1", "ak2", "in1", "in2", "kap1", "kap2"};
    for (const char *n : values)
        QVERIFY2(twoDecimals(s.led(n)), qPrintable(s.led(n)));
    QVERIFY(number(s.led("ak2")) > number(s.led("ak1")));
    const double ind = (number(s.led("in2")) - number(s.led("in1"))) / (number(s.led("ak2")) - number(s.led("ak1"))) * 100;
    QCOMPARE(s.led("indoran"), QString::number(ind, 'f', 2));
    QVERIFY(twoDecimals(s.led("kaporan")));
    QCOMPARE(s.label("inddurum"), inductive);
    QCOMPARE(s.label("Kapdurum"), capacitive);
    QVERIFY(s.colour("inddurum") != QColor(Qt::white));
}

QTEST_MAIN(TstEnergyWithSimulator)
#include "tst_energy_with_simulator.moc"
