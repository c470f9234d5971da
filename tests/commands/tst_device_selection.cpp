// Device selection on the real main window: the page layout per kind, the
// item colours, the serial slice, the opening request, the menu caption and
// the hidden double request.
#include "client_fixture.h"
#include "device_selection.h"
#include "group_bar.h"
#include "led_display.h"
#include "pending.h"
#include "register_store.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using Tabs = QList<int>;

class TstDeviceSelection : public QObject {
    Q_OBJECT
private slots:
    void firstAnalyserClick();
    void layouts_data();
    void layouts();
    void colours();
    void serialSlice_data();
    void serialSlice();
    void meterModem();
    void notConnectedLogsInAgain();
    void mouseClickSelects();
    void activeDeviceCaption();
    void doubleRequest_data();
    void doubleRequest();
};

namespace {
// One device per model; serial 1000 + its place in the list.
const QStringList kModels = {"QRN410", "QRN410", "Rkt90wz", "LBE620", "LBE620", "PMT830", "PMT830", "XYZ100"};

void listDevices(ClientFixture &f)
{
    QByteArray all;
    for (int i = 0; i < kModels.size(); ++i)
        all += ClientFixture::device("Saha", kModels[i], QStringLiteral("Cihaz %1").arg(i), QString::number(1000 + i));
    QVERIFY(f.read(all));
}

GroupBarItem *item(ClientFixture &f, int serial)
{
    for (GroupBarGroup *g : f.ctx().deviceBar->groups())
        for (GroupBarItem *it : g->items())
            if (it->caption().endsWith(QStringLiteral("No: %1").arg(serial)))
                return it;
    return nullptr;
}

void click(ClientFixture &f, int serial)
{
    GroupBarItem *it = item(f, serial);
    QVERIFY(it);
    f.ctx().selectDevice(it);
}

Tabs visibleTabs(QTabWidget *tabs)
{
    Tabs out;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i))
            out << i;
    return out;
}

QByteArray request(const char *keyword, const QList<QByteArray> &fields)
{
    return wire::buildRequest(keyword, fields);
}
} // namespace

void TstDeviceSelection::firstAnalyserClick()
{
    ClientFixture f;
    listDevices(f);
    auto *tabs = f.get<QTabWidget>("suiPageControl1");
    const Tabs before = visibleTabs(tabs);
    QCOMPARE(before, (Tabs{0, 1, 4, 5, 8, 9}));
    QVERIFY(!tabs->widget(1)->isEnabled());
    // Something of an earlier device in row 1 and beyond it.
    f.store().write(1, 0, 5);
    f.store().write(1, 255, 5);
    f.store().write(1, 300, 7);
    f.store().storeRaw(1, 3, 1, 2);
    f.store().startRegister = 77;

    click(f, 1000);
    QCOMPARE(f.sent, (QList<QByteArray>{request("enertum", {"1000"})}));
    QVERIFY(f.errors.isEmpty());
    QCOMPARE(visibleTabs(tabs), before); // the kind did not change
    QCOMPARE(tabs->currentIndex(), 0);
    // From the first selection on, every page whose tab shows is usable.
    for (int i : before)
        QVERIFY2(tabs->widget(i)->isEnabled(), qPrintable(QString::number(i)));
    QVERIFY(!tabs->widget(2)->isEnabled());
    QCOMPARE(f.get<QLineEdit>("Edit111")->text(), QStringLiteral("1000"));
    QCOMPARE(f.get<LedDisplay>("Sno")->text(), QStringLiteral(" 1000"));
    QCOMPARE(programState().activeSerial, 1000);
    QCOMPARE(programState().deviceKind, 0);
    QCOMPARE(f.conn().pendingRequest, pending::anideger);
    QCOMPARE(f.store().startRegister, 0);
    QCOMPARE(f.get<QAction>("AktifCihaz1")->text(), QStringLiteral("Aktif Cihaz: 1000"));
    QCOMPARE(f.get<QLabel>("LblGiden")->text(), QStringLiteral("Lütfen bekleyin..."));
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QString());
    // Row 1 is emptied, registers 256 and beyond keep the earlier values.
    QCOMPARE(f.store().read(1, 0), -1.0);
    QCOMPARE(f.store().read(1, 255), -1.0);
    QCOMPARE(f.store().readRaw(1, 12), -1);
    QCOMPARE(f.store().read(1, 300), 7.0);
    QCOMPARE(item(f, 1000)->fontColor(), QColor(Qt::red));
}

// Items clicked in order (by serial), and the layout afterwards.
void TstDeviceSelection::layouts_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<Tabs>("tabs");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("panel7");
    QTest::addColumn<bool>("panel8");
    QTest::addColumn<int>("kind");

    QTest::newRow("QRN410 first changes no tab") << QList<int>{1000} << Tabs{0, 1, 4, 5, 8, 9} << 0 << true << false << 0;
    QTest::newRow("Rkt90wz") << QList<int>{1002} << Tabs{0, 1, 4, 5, 8, 9} << 0 << true << false << 2;
    QTest::newRow("LBE620") << QList<int>{1003} << Tabs{2, 8, 9} << 2 << false << true << 3;
    QTest::newRow("LBE620 twice leaves page 0 active") << QList<int>{1003, 1004} << Tabs{2, 8, 9} << 0 << false
                                                       << true << 3;
    QTest::newRow("PMT830") << QList<int>{1005} << Tabs{6, 8, 9} << 6 << true << false << 4;
    QTest::newRow("PMT830 twice") << QList<int>{1005, 1006} << Tabs{6, 8, 9} << 6 << true << false << 4;
    QTest::newRow("PMT830 then QRN410") << QList<int>{1005, 1000} << Tabs{0, 1, 3, 4, 5, 8, 9} << 0 << true
                                        << false << 0;
    QTest::newRow("LBE620 then Rkt90wz") << QList<int>{1003, 1002} << Tabs{0, 1, 4, 5, 8, 9} << 0 << true << false
                                         << 2;
    QTest::newRow("unlisted model first") << QList<int>{1007} << Tabs{0, 1, 4, 5, 8, 9} << 0 << true << false << -1;
    QTest::newRow("unlisted model after LBE620 keeps its layout") << QList<int>{1003, 1007} << Tabs{2, 8, 9} << 0
                                                                  << false << true << -1;
    QTest::newRow("QRN410 after an unlisted model") << QList<int>{1007, 1001} << Tabs{0, 1, 3, 4, 5, 8, 9} << 0
                                                    << true << false << 0;
}

void TstDeviceSelection::layouts()
{
    QFETCH(QList<int>, clicks);
    QFETCH(Tabs, tabs);
    QFETCH(int, page);
    QFETCH(bool, panel7);
    QFETCH(bool, panel8);
    QFETCH(int, kind);
    ClientFixture f;
    listDevices(f);
    for (int serial : clicks)
        click(f, serial);
    auto *pages = f.get<QTabWidget>("suiPageControl1");
    QCOMPARE(visibleTabs(pages), tabs);
    QCOMPARE(pages->currentIndex(), page);
    QCOMPARE(!f.get<QWidget>("Panel7")->isHidden(), panel7);
    QCOMPARE(!f.get<QWidget>("Panel8")->isHidden(), panel8);
    QCOMPARE(programState().deviceKind, kind);
    for (int i : tabs)
        QVERIFY2(pages->widget(i)->isEnabled(), qPrintable(QString::number(i)));
    QCOMPARE(f.sent.size(), clicks.size());
}

void TstDeviceSelection::colours()
{
    ClientFixture f;
    listDevices(f);
    click(f, 1005);
    click(f, 1006);
    QCOMPARE(item(f, 1005)->fontColor(), QColor(Qt::red));
    QCOMPARE(item(f, 1006)->fontColor(), QColor(Qt::red));
    click(f, 1001);
    for (GroupBarItem *it : f.ctx().deviceBar->group(0)->items())
        QCOMPARE(it->fontColor(), it == item(f, 1001) ? QColor(Qt::red) : QColor(Qt::black));
}

void TstDeviceSelection::serialSlice_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("edit111");
    QTest::addColumn<QString>("sno");
    QTest::addColumn<bool>("converts");
    QTest::newRow("12001") << "Ana Pano No: 12001" << "12001" << " 12001" << true;
    QTest::newRow("more than 9 characters are cut to 9") << "Pano No: 1234567890123" << "123456789"
                                                         << " 123456789" << true;
    QTest::newRow("no blank after the colon") << "Pano No:4321" << "4321" << "4321" << true;
    QTest::newRow("a colon in the name gives a wrong slice") << "Pano: A No: 12001" << "A No: 120" << " A No: 120"
                                                            << false;
    QTest::newRow("empty serial") << "Pano No: " << "" << " " << false;
    QTest::newRow("no colon at all") << "Pano" << "" << "" << false;
    QTest::newRow("letters") << "Pano No: 12A01" << "12A01" << " 12A01" << false;
}

void TstDeviceSelection::serialSlice()
{
    QFETCH(QString, caption);
    QFETCH(QString, edit111);
    QFETCH(QString, sno);
    QFETCH(bool, converts);
    ClientFixture f;
    GroupBarItem *it = f.ctx().deviceBar->addGroup(QStringLiteral("G"))->insertItem(caption, 2);
    f.store().write(1, 10, 3);
    f.ctx().selectDevice(it);
    QCOMPARE(f.get<QLineEdit>("Edit111")->text(), edit111);
    QCOMPARE(f.get<LedDisplay>("Sno")->text(), sno);
    // Colours, row reset and kind have taken effect either way.
    QCOMPARE(it->fontColor(), QColor(Qt::red));
    QCOMPARE(f.store().read(1, 10), -1.0);
    QCOMPARE(programState().deviceKind, 2);
    if (converts) {
        QVERIFY(f.errors.isEmpty());
        QCOMPARE(programState().activeSerial, edit111.toInt());
        QCOMPARE(f.sent, (QList<QByteArray>{request("enertum", {edit111.toLatin1()})}));
        QCOMPARE(f.conn().pendingRequest, pending::anideger);
        return;
    }
    // The conversion error stops the selection before the request.
    QCOMPARE(f.errors.size(), 1);
    QVERIFY2(f.errors[0].contains(sno), qPrintable(f.errors[0]));
    QVERIFY(f.sent.isEmpty());
    QCOMPARE(programState().activeSerial, 12001);
    QVERIFY(f.conn().pendingRequest.isEmpty());
    QCOMPARE(f.get<QLabel>("LblGiden")->text(), QString());
}

void TstDeviceSelection::meterModem()
{
    ClientFixture f;
    listDevices(f);
    f.store().write(1, 0, 5);
    f.store().startRegister = 33;
    f.conn().pendingRequest = pending::tuketim;
    f.get<QLabel>("LblGiden")->setText(QStringLiteral("x"));
    f.get<QLabel>("LblMesaj")->setText(QStringLiteral("y"));
    f.get<QPlainTextEdit>("Memo3")->setPlainText(QStringLiteral("eski okuma"));
    f.get<LedDisplay>("Rzsycakttop")->setText(QStringLiteral("123"));
    click(f, 1005);
    QCOMPARE(f.sent, (QList<QByteArray>{request("sycreaktfener", {"1005", "", ""})}));
    QCOMPARE(f.sent[0], QByteArray("sycreaktfener\x01" "1005\x01\x01\x01\xF4\xF4\xF4"));
    QCOMPARE(f.get<QLineEdit>("Edit111")->text(), QStringLiteral("1005"));
    QCOMPARE(programState().deviceKind, 4);
    // Not touched on this path.
    QCOMPARE(programState().activeSerial, 12001);
    QCOMPARE(f.conn().pendingRequest, pending::tuketim);
    QCOMPARE(f.store().startRegister, 33);
    QCOMPARE(f.store().read(1, 0), 5.0);
    QCOMPARE(f.get<LedDisplay>("Sno")->text(), QStringLiteral("000"));
    // Status lines emptied, the meter page reset.
    QCOMPARE(f.get<QLabel>("LblGiden")->text(), QString());
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QString());
    QCOMPARE(f.get<QPlainTextEdit>("Memo3")->toPlainText(), QString());
    QCOMPARE(f.get<LedDisplay>("Rzsycakttop")->text(), QStringLiteral("00000000"));
    QVERIFY(f.get<QTabWidget>("suiPageControl1")->widget(6)->isEnabled());
}

void TstDeviceSelection::notConnectedLogsInAgain()
{
    ClientFixture f;
    listDevices(f);
    auto *tabs = f.get<QTabWidget>("suiPageControl1");
    tabs->setCurrentIndex(4);
    f.conn().connected = false;
    click(f, 1003);
    QCOMPARE(f.reconnects, 1);
    QVERIFY(f.sent.isEmpty());
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(programState().deviceKind, 0);
    QCOMPARE(f.get<QLineEdit>("Edit111")->text(), QString());
    QCOMPARE(item(f, 1003)->fontColor(), QColor(Qt::black));

    // A click while that login waits starts no second one.
    f.ctx().reconnect = [&] {
        ++f.reconnects;
        click(f, 1000);
    };
    click(f, 1002);
    QCOMPARE(f.reconnects, 2);
    click(f, 1002);
    QCOMPARE(f.reconnects, 3);
    QVERIFY(f.sent.isEmpty());
}

void TstDeviceSelection::mouseClickSelects()
{
    ClientFixture f;
    listDevices(f);
    GroupBarItem *it = item(f, 1002);
    QTest::mouseClick(it, Qt::LeftButton, {}, QPoint(30, it->height() / 2));
    QCOMPARE(f.sent, (QList<QByteArray>{request("enertum", {"1002"})}));
    QCOMPARE(programState().deviceKind, 2);
}

void TstDeviceSelection::activeDeviceCaption()
{
    ClientFixture f;
    auto *menu = f.get<QAction>("AktifCihaz1");
    QCOMPARE(menu->text(), QStringLiteral("Aktif Cihaz: 0"));
    f.get<QLineEdit>("Edit111")->setText(QStringLiteral("12007"));
    QCOMPARE(menu->text(), QStringLiteral("Aktif Cihaz: 12007"));
    // Edit5 changing shows Edit111 again, not its own text.
    f.get<QLineEdit>("Edit5")->setText(QStringLiteral("99"));
    QCOMPARE(menu->text(), QStringLiteral("Aktif Cihaz: 12007"));
}

void TstDeviceSelection::doubleRequest_data()
{
    QTest::addColumn<QString>("delay");
    QTest::addColumn<QList<int>>("pauses");
    QTest::addColumn<int>("requests");
    QTest::addColumn<bool>("error");
    QTest::newRow("100 ms") << "100" << QList<int>{100} << 2 << false;
    QTest::newRow("0 ms") << "0" << QList<int>{0} << 2 << false;
    QTest::newRow("not a number: error after the first") << "abc" << QList<int>{} << 1 << true;
    QTest::newRow("empty") << "" << QList<int>{} << 1 << true;
}

void TstDeviceSelection::doubleRequest()
{
    QFETCH(QString, delay);
    QFETCH(QList<int>, pauses);
    QFETCH(int, requests);
    QFETCH(bool, error);
    ClientFixture f;
    f.get<QLineEdit>("Edit111")->setText(QStringLiteral("12002"));
    f.get<QLineEdit>("Edit7")->setText(delay);
    // The serial is read again for the second request.
    f.ctx().pause = [&](int ms, const std::function<void()> &then) {
        f.pauses << ms;
        f.get<QLineEdit>("Edit111")->setText(QStringLiteral("12005"));
        then();
    };
    f.conn().pendingRequest = pending::sabitler;
    f.get<QPushButton>("btnikikereiste")->click();
    QCOMPARE(f.pauses, pauses);
    QCOMPARE(f.sent.size(), requests);
    QCOMPARE(f.sent.value(0), request("enertum", {"12002"}));
    if (requests == 2)
        QCOMPARE(f.sent.value(1), request("enertum", {"12005"}));
    QCOMPARE(f.errors.size(), error ? 1 : 0);
    QCOMPARE(f.conn().pendingRequest, pending::sabitler);
}

QTEST_MAIN(TstDeviceSelection)
#include "tst_device_selection.moc"
