// The five energy and meter buttons of pages 1 and 6 on the real main
// window: the bytes they send, the state they set and what they empty.
#include "client_windows.h"
#include "led_display.h"
#include "meter_commands.h"
#include "register_store.h"
#include "wire.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace {

const char *const kIndexDisplays[] = {"Rzsycakttop", "Rzsycindtop", "Rzsyckaptop", "RzsycT1", "RzsycT2", "RzsycT3"};
const char *const kRangeDisplays[] = {"RzLEDak1", "RzLEDak2", "RzLEDkap1", "RzLEDkap2", "RzLEDin1", "RzLEDin2"};

struct Window {
    ClientWindows w;
    QList<QByteArray> sent;
    QStringList questions;
    bool answer = false;

    Window()
    {
        ClientContext &ctx = w.ana.context();
        ctx.send = [this](const QByteArray &r) { sent.append(r); };
        ctx.confirm = [this](const QString &q) {
            questions.append(q);
            return answer;
        };
        ctx.conn->pendingRequest = "anideger";
        ctx.store->startRegister = 7;
        date("dtsycilktarih")->setDate(QDate(2024, 3, 8));
        date("dtsycsontarih")->setDate(QDate(2024, 3, 15));
        date("DateTimePicker1")->setDate(QDate(2024, 3, 8));
        date("DateTimePicker2")->setDate(QDate(2024, 3, 15));
        // Device selection enables the pages of the selected kind.
        get<QWidget>("suiTabSheet2")->setEnabled(true);
        get<QWidget>("suiTabSheet7")->setEnabled(true);
    }
    template <class T> T *get(const char *name) { return w.ana.widgets().get<T>(QLatin1String(name)); }
    QDateEdit *date(const char *name) { return get<QDateEdit>(name); }
    QString led(const char *name) { return get<LedDisplay>(name)->text(); }
    void click(const char *button) { get<QAbstractButton>(button)->click(); }
};

} // namespace

class TstMeterCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void requests_data();
    void requests();
    void warningTextByteForByte();
    void closingTheWarningOnlyReads();
    void resets_data();
    void resets();
};

void TstMeterCommands::initTestCase()
{
    // Regional settings that write dates as day.month.year.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void TstMeterCommands::requests_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QByteArray>("request"); // empty: nothing sent
    QTest::addColumn<QByteArray>("pendingRequest");
    QTest::addColumn<int>("startRegister");
    QTest::addColumn<QString>("outgoing");
    const QByteArray end("\x01\xF4\xF4\xF4");
    const QString meterSent = QStringLiteral("Sayaç okuma isteği gönderildi.Lütfen bekleyin...");
    QTest::newRow("Sayaç Oku") << QByteArray("VrShadowButton11") << "12004" << false
                               << "sayac\x01" "12004\x01tdshyr\x01kythyr" + end << QByteArray("sayac") << 0 << meterSent;
    QTest::newRow("Sayaç Oku, empty serial") << QByteArray("VrShadowButton11") << "" << false
                                             << "sayac\x01\x01tdshyr\x01kythyr" + end << QByteArray("sayac") << 0
                                             << meterSent;
    QTest::newRow("Tedaş Okuma, Yes") << QByteArray("VrShadowButton13") << "12004" << true
                                      << "sayac\x01" "12004\x01tdsEvt\x01kytevt" + end << QByteArray("sayac") << 0
                                      << meterSent;
    QTest::newRow("Tedaş Okuma, No") << QByteArray("VrShadowButton13") << "12004" << false
                                     << "sayac\x01" "12004\x01tdsEvt\x01kythyr" + end << QByteArray("sayac") << 0
                                     << meterSent;
    QTest::newRow("meter ratios between dates")
        << QByteArray("VrShadowButton12") << "12004" << false
        << "sycreaktfener\x01" "12004\x01" "08.03.2024\x01" "15.03.2024" + end << QByteArray("anideger") << 7
        << QString();
    QTest::newRow("meter ratios, empty serial") << QByteArray("VrShadowButton12") << "" << false << QByteArray()
                                                << QByteArray("anideger") << 7 << QString();
    QTest::newRow("ratios between two dates")
        << QByteArray("VrShadowButton9") << "12001" << false
        << "reaktifener\x01" "12001\x01" "08.03.2024\x01" "15.03.2024" + end << QByteArray("anideger") << 7
        << QString();
    QTest::newRow("ratios between two dates, empty serial") << QByteArray("VrShadowButton9") << "" << false
                                                            << QByteArray() << QByteArray("anideger") << 7 << QString();
    QTest::newRow("energy values") << QByteArray("VrShadowButton8") << "12001" << false
                                   << "enerharcanan\x01" "12001" + end << QByteArray("tuketim") << 90
                                   << QStringLiteral("Tüketim verileri istendi.Lütfen bekleyin...");
}

void TstMeterCommands::requests()
{
    QFETCH(QByteArray, button);
    QFETCH(QString, serial);
    QFETCH(bool, yes);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, pendingRequest);
    QFETCH(int, startRegister);
    QFETCH(QString, outgoing);
    Window win;
    win.answer = yes;
    win.get<QLineEdit>("Edit111")->setText(serial);
    win.get<QLabel>("LblMesaj")->setText(QStringLiteral("old"));
    win.get<QLabel>("LblGiden")->setText(QStringLiteral("old"));
    win.click(button.constData());
    QCOMPARE(win.sent, request.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{request});
    QCOMPARE(win.w.ana.state().pendingRequest, pendingRequest);
    QCOMPARE(win.w.ana.context().store->startRegister, startRegister);
    QCOMPARE(win.questions.size(), button == "VrShadowButton13" ? 1 : 0);
    const bool statusSet = !outgoing.isEmpty();
    QCOMPARE(win.get<QLabel>("LblGiden")->text(), statusSet ? outgoing : QStringLiteral("old"));
    QCOMPARE(win.get<QLabel>("LblMesaj")->text(), statusSet ? QString() : QStringLiteral("old"));
}

void TstMeterCommands::warningTextByteForByte()
{
    Window win;
    win.click("VrShadowButton13");
    QCOMPARE(win.questions.size(), 1);
    QCOMPARE(wire::encode(win.questions.first()),
             QByteArray("D\xDDKKAT\x0A\x0DTeda\xFE Okuma Kayd\xFD ?\x0A\x0DYes t\xFDklan\xFDrsa Kay\xFDt i\xFElemi "
                        "ger\xE7" "ekle\xFEir\x0A\x0DNo t\xFDklan\xFDrsa Sadece Okuma yap\xFDl\xFDr ve oranlar "
                        "tespit edilir"));
}

// The main window's own warning box, closed without an answer: a reading
// that is not recorded.
void TstMeterCommands::closingTheWarningOnlyReads()
{
    ClientWindows w;
    QList<QByteArray> sent;
    w.ana.context().send = [&sent](const QByteArray &r) { sent.append(r); };
    w.ana.widgets().get<QLineEdit>(QStringLiteral("Edit111"))->setText(QStringLiteral("12009"));
    QString shown;
    QTimer::singleShot(50, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->text();
        box->close();
    });
    commands::VrShadowButton13Click(w.ana.context());
    QCOMPARE(shown, commands::utilityReadingQuestion());
    QCOMPARE(sent, QList<QByteArray>{QByteArray("sayac\x01" "12009\x01tdsEvt\x01kythyr\x01\xF4\xF4\xF4")});
}

// Which steps of the meter page's reset each button runs.
void TstMeterCommands::resets_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("first"); // 0: none
    QTest::addColumn<int>("last");
    QTest::newRow("Sayaç Oku keeps the ratio percentages") << QByteArray("VrShadowButton11") << "1" << 1 << 5;
    QTest::newRow("Tedaş Okuma clears everything") << QByteArray("VrShadowButton13") << "1" << 1 << 6;
    QTest::newRow("meter ratios") << QByteArray("VrShadowButton12") << "1" << 4 << 6;
    QTest::newRow("meter ratios with an empty serial still empty the range")
        << QByteArray("VrShadowButton12") << "" << 4 << 6;
    QTest::newRow("ratios between two dates") << QByteArray("VrShadowButton9") << "1" << 0 << 0;
    QTest::newRow("energy values") << QByteArray("VrShadowButton8") << "1" << 0 << 0;
}

void TstMeterCommands::resets()
{
    QFETCH(QByteArray, button);
    QFETCH(QString, serial);
    QFETCH(int, first);
    QFETCH(int, last);
    Window win;
    win.get<QLineEdit>("Edit111")->setText(serial);
    const QString x = QStringLiteral("x");
    win.get<QPlainTextEdit>("Memo3")->setPlainText(x);
    for (const char *n : kIndexDisplays)
        win.get<LedDisplay>(n)->setText(x);
    for (const char *n : kRangeDisplays)
        win.get<LedDisplay>(n)->setText(x);
    for (const char *n : {"RzLEDkapdurum", "RzLEDinddurum", "RzLEDsycinoran", "RzLEDsyckaporan", "SayacAktif",
                          "Sayacind", "SayacKap"})
        win.get<LedDisplay>(n)->setText(x);
    win.get<QLabel>("lblsycindurum")->setText(x);
    win.get<QLabel>("lblsyckapdurum")->setText(x);
    win.click(button.constData());

    const auto runs = [&](int step) { return first && step >= first && step <= last; };
    QCOMPARE(win.get<QPlainTextEdit>("Memo3")->toPlainText(), runs(1) ? QString() : x);
    for (const char *n : kIndexDisplays)
        QCOMPARE(win.led(n), runs(2) ? QStringLiteral("00000000") : x);
    QCOMPARE(win.led("RzLEDkapdurum"), runs(3) ? QString() : x);
    QCOMPARE(win.led("RzLEDinddurum"), runs(3) ? QString() : x);
    for (const char *n : kRangeDisplays)
        QCOMPARE(win.led(n), runs(4) ? QString() : x);
    QCOMPARE(win.get<QLabel>("lblsycindurum")->text(), runs(5) ? QString() : x);
    QCOMPARE(win.get<QLabel>("lblsyckapdurum")->text(), runs(5) ? QString() : x);
    QCOMPARE(win.led("RzLEDsycinoran"), runs(6) ? QString() : x);
    QCOMPARE(win.led("RzLEDsyckaporan"), runs(6) ? QString() : x);
    const QString before = button == "VrShadowButton8" ? QStringLiteral("0") : x;
    for (const char *n : {"SayacAktif", "Sayacind", "SayacKap"})
        QCOMPARE(win.led(n), before);
}

QTEST_MAIN(TstMeterCommands)
#include "tst_meter_commands.moc"
