// Device answers on the real main window: register payloads into row 1 of
// the store with their notice and header, the industrial modem's relay
// states and the overcurrent relay's values.
#include "client_fixture.h"
#include "led_display.h"
#include "main_pages.h"
#include "pending.h"
#include "register_store.h"

#include <QLabel>
#include <QTest>

using Cells = QList<QPair<int, double>>;

class TstDeviceDataHandlers : public QObject {
    Q_OBJECT
private slots:
    void headerSitsInPanel7TitleStrip();
    void registerPayload_data();
    void registerPayload();
    void rejectedPayloadKeepsHeaderAndEndsTheRead();
    void relayStates_data();
    void relayStates();
    void singleRelayState_data();
    void singleRelayState();
    void overcurrentValues_data();
    void overcurrentValues();
};

namespace {
const QByteArray kEnvelope("enerjial\x01\x01\x01");
const QByteArray kRole("R\xF6le"); // "Röle" in code page 1254

QString relayText(ClientFixture &f, int n)
{
    return f.get<QLabel>(qPrintable(QStringLiteral("lblrole%1drm").arg(n)))->text();
}

QColor relayColour(ClientFixture &f, int n)
{
    return f.get<QLabel>(qPrintable(QStringLiteral("lblrole%1drm").arg(n)))->palette().color(QPalette::WindowText);
}
} // namespace

void TstDeviceDataHandlers::headerSitsInPanel7TitleStrip()
{
    ClientFixture f;
    auto *header = f.get<QLabel>("Label2");
    QVERIFY(header);
    QWidget *panel7 = f.get<QWidget>("Panel7");
    QVERIFY(panel7 && panel7->isAncestorOf(header));
    QVERIFY(!header->isHidden());

    // The page by itself, at the size the page control gives it.
    QWidget page;
    pages::buildAnalizorAni(&page);
    page.resize(837, 705);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto *shown = page.findChild<QLabel *>(QStringLiteral("Label2"));
    QWidget *panel = page.findChild<QWidget *>(QStringLiteral("Panel7"));
    QVERIFY(shown && panel);
    shown->setText(QStringLiteral("12001 nolu cihaz kondansatör bilgileri"));
    QCoreApplication::processEvents();
    // Wide enough for the longest header, at the top of the panel.
    QVERIFY(shown->isVisible());
    QVERIFY(shown->width() >= shown->fontMetrics().horizontalAdvance(shown->text()));
    const QRect inPanel(shown->mapTo(panel, QPoint()), shown->size());
    QVERIFY(panel->rect().contains(inPanel));
    QVERIFY(inPanel.top() < 40);
}

void TstDeviceDataHandlers::registerPayload_data()
{
    QTest::addColumn<QByteArray>("pending");
    QTest::addColumn<int>("start");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("header");
    QTest::addColumn<Cells>("row1");

    const QByteArray two("1$3$4$0$10$1$44$12$34$");
    QTest::newRow("measurements from 0")
        << pending::anideger << 0 << two << QStringLiteral("12001 Seri Nolu Cihazın ölçüm değerleri alınıyor. ")
        << QStringLiteral("12001 Nolu Cihaz Verileri") << Cells{{0, 10}, {1, 300}};
    QTest::newRow("consumption from 90")
        << pending::tuketim << 90 << two << QStringLiteral("12001 Seri Nolu Cihazın tüketim değerleri alınıyor. ")
        << QStringLiteral("12001 Nolu Cihaz Tüketim Verileri") << Cells{{90, 10}, {91, 300}};
    QTest::newRow("constants show the consumption header")
        << pending::sabitler << 129 << two << QStringLiteral("12001 Seri Nolu Cihazın sabit değerleri alınıyor. ")
        << QStringLiteral("12001 Nolu Cihaz Tüketim Verileri") << Cells{{129, 10}, {130, 300}};
    QTest::newRow("capacitor states from 157")
        << pending::kondasatordurum << 157 << two
        << QStringLiteral("12001 Seri Nolu Cihazın kondansatör durum ve güç değerleri alınıyor. ")
        << QStringLiteral("12001 nolu cihaz kondansatör bilgileri") << Cells{{157, 10}, {158, 300}};
    QTest::newRow("harmonics from 300, beyond the row's 256 cells")
        << pending::harmonikzorv << 300 << two
        << QStringLiteral("12001 Seri Nolu Cihazın harmonikzorv değerleri alınıyor. ")
        << QStringLiteral("12001 Nolu Cihaz harmonikzorv Verileri") << Cells{{300, 10}, {301, 300}};
    QTest::newRow("a message behind the payload is taken as part of it")
        << pending::anideger << 0 << two + QByteArray("pong\x01")
        << QStringLiteral("12001 Seri Nolu Cihazın ölçüm değerleri alınıyor. ")
        << QStringLiteral("12001 Nolu Cihaz Verileri") << Cells{{0, 10}, {1, 300}};
}

void TstDeviceDataHandlers::registerPayload()
{
    QFETCH(QByteArray, pending);
    QFETCH(int, start);
    QFETCH(QByteArray, payload);
    QFETCH(QString, notice);
    QFETCH(QString, header);
    QFETCH(Cells, row1);

    ClientFixture f;
    f.conn().pendingRequest = pending;
    f.store().startRegister = start;
    QCOMPARE(f.store().targetRow, 0);
    QVERIFY(f.read(kEnvelope + payload));
    QCOMPARE(f.store().targetRow, 1);
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), notice);
    QCOMPARE(f.get<QLabel>("Label2")->text(), header);
    for (const auto &[reg, value] : row1)
        QCOMPARE(f.store().read(1, reg), value);
    QCOMPARE(f.store().startRegister, start + int(row1.size()));
    QCOMPARE(f.store().read(1, start + int(row1.size())), -1.0);
    // The answer's pending request stays: a second answer goes on from where
    // the first one stopped.
    QCOMPARE(f.conn().pendingRequest, pending);
}

void TstDeviceDataHandlers::rejectedPayloadKeepsHeaderAndEndsTheRead()
{
    ClientFixture f;
    f.conn().pendingRequest = pending::tuketim;
    f.store().startRegister = 90;
    programState().activeSerial = 12005;
    f.get<QLabel>("Label2")->setText(QStringLiteral("önceki"));
    QVERIFY(!f.read(kEnvelope + QByteArray("1$3$4$0$10$1$44")));
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("12005 Seri Nolu Cihazın tüketim değerleri alınıyor. "));
    QCOMPARE(f.get<QLabel>("Label2")->text(), QStringLiteral("önceki"));
    QCOMPARE(f.store().read(1, 90), 10.0);
    QCOMPARE(f.store().read(1, 91), -1.0);
    QCOMPARE(f.store().startRegister, 91);
}

void TstDeviceDataHandlers::relayStates_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("texts");  // "" for unchanged
    QTest::newRow("all three") << kRole + "11#" + kRole + "20#" + kRole + "31#"
                               << QStringList{"Aktif", "Pasif", "Aktif"};
    QTest::newRow("only two #: the third stays") << kRole + "10#" + kRole + "21#" + kRole + "30"
                                                 << QStringList{"Pasif", "Aktif", ""};
    QTest::newRow("no # at all") << kRole + "10" << QStringList{"", "", ""};
    QTest::newRow("another relay's word changes nothing")
        << kRole + "21#" + kRole + "11#" + kRole + "31#" << QStringList{"", "", "Aktif"};
    QTest::newRow("UTF-8 word is not the wire word")
        << QByteArray("Röle10#Röle20#Röle30#") << QStringList{"", "", ""};
    QTest::newRow("unknown state") << kRole + "12#" + kRole + "2#" + kRole + "300#" << QStringList{"", "", ""};
}

void TstDeviceDataHandlers::relayStates()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, texts);
    ClientFixture f;
    f.conn().pendingRequest = pending::outputdrm;
    programState().activeSerial = 12006;
    const QString before = relayText(f, 1);
    QVERIFY(f.read(kEnvelope + payload));
    QCOMPARE(f.store().targetRow, 1);
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("12006 Seri Nolu Cihazın röle durumları alınıyor. "));
    QCOMPARE(f.get<QLabel>("Label2")->text(), QStringLiteral("12006 Nolu Cihaz röle durumları"));
    for (int n = 1; n <= 3; ++n) {
        const QString want = texts[n - 1];
        if (want.isEmpty()) {
            QCOMPARE(relayText(f, n), before);
            continue;
        }
        QCOMPARE(relayText(f, n), want);
        QCOMPARE(relayColour(f, n), want == QLatin1String("Aktif") ? QColor(0, 0xFF, 0) : QColor(0xFF, 0, 0));
    }
}

void TstDeviceDataHandlers::singleRelayState_data()
{
    QTest::addColumn<QByteArray>("afterSkip"); // what follows the 17 skipped bytes
    QTest::addColumn<int>("relay");            // 0 for none
    QTest::addColumn<QString>("text");
    QTest::newRow("relay 0 on") << QByteArray("0#1") << 1 << QStringLiteral("Aktif");
    QTest::newRow("relay 2 off") << QByteArray("2#0") << 3 << QStringLiteral("Pasif");
    QTest::newRow("relay 1 on, anything between") << QByteArray("1x1tail") << 2 << QStringLiteral("Aktif");
    QTest::newRow("relay byte 3 changes nothing") << QByteArray("3#1") << 0 << QString();
    QTest::newRow("state byte 2 changes nothing") << QByteArray("1#2") << 0 << QString();
    QTest::newRow("no state byte") << QByteArray("1#") << 0 << QString();
    QTest::newRow("nothing after the skip") << QByteArray() << 0 << QString();
}

void TstDeviceDataHandlers::singleRelayState()
{
    QFETCH(QByteArray, afterSkip);
    QFETCH(int, relay);
    QFETCH(QString, text);
    ClientFixture f;
    f.conn().pendingRequest = pending::tekliroledrm;
    f.get<QLabel>("LblMesaj")->setText(QStringLiteral("önce"));
    f.get<QLabel>("Label2")->setText(QStringLiteral("başlık"));
    const QString before = relayText(f, 1);
    QVERIFY(f.read(QByteArray("enerjial\x01\x01\x01" "123456") + afterSkip));
    QCOMPARE(f.store().targetRow, 1);
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(relayText(f, n), n == relay ? text : before);
    if (relay)
        QCOMPARE(relayColour(f, relay), text == QLatin1String("Aktif") ? QColor(0, 0xFF, 0) : QColor(0xFF, 0, 0));
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("önce"));
    QCOMPARE(f.get<QLabel>("Label2")->text(), QStringLiteral("başlık"));
}

void TstDeviceDataHandlers::overcurrentValues_data()
{
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QStringList>("shown"); // akim1 akim2 akim3 akimt Sno Trh Saat
    QTest::newRow("seven fields") << QByteArray("akimdegerleri\x01" "48,6\x01" "51,2\x01" "47,9\x01" "1,3\x01"
                                                " 12003\x01" "01.06.2024\x01" "12:30:05\x01\xF4\xF4\xF4")
                                  << QStringList{"48,6", "51,2", "47,9", "1,3", " 12003", "01.06.2024", "12:30:05"};
    QTest::newRow("missing fields come out empty")
        << QByteArray("akimdegerleri\x01" "48,6\x01" "51,2") << QStringList{"48,6", "", "", "", "", "", ""};
}

void TstDeviceDataHandlers::overcurrentValues()
{
    QFETCH(QByteArray, read);
    QFETCH(QStringList, shown);
    ClientFixture f;
    const char *names[] = {"akim1", "akim2", "akim3", "akimt", "Sno", "Trh", "Saat"};
    QVERIFY(f.read(read));
    for (int i = 0; i < 7; ++i) {
        auto *led = f.get<LedDisplay>(names[i]);
        QVERIFY2(led, names[i]);
        QCOMPARE(led->text(), shown[i]);
    }
}

QTEST_MAIN(TstDeviceDataHandlers)
#include "tst_device_data_handlers.moc"
