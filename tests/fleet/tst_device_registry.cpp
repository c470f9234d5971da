// One entry per serial, kinds from the model, bounded like the device bar.
#include "device_registry.h"

#include <QSignalSpy>
#include <QTest>

using namespace fleet;

class TstDeviceRegistry : public QObject {
    Q_OBJECT
private slots:
    void kinds_data();
    void kinds();
    void listedAgainUpdates();
    void boundedAtTheBarsSize();
};

void TstDeviceRegistry::kinds_data()
{
    QTest::addColumn<QByteArray>("model");
    QTest::addColumn<int>("kind");
    QTest::newRow("analyser") << QByteArray("QRN410") << 0;
    QTest::newRow("relay") << QByteArray("Rkt90wz") << 2;
    QTest::newRow("overcurrent") << QByteArray("LBE620") << 3;
    QTest::newRow("meter") << QByteArray("PMT830") << 4;
    QTest::newRow("case differs") << QByteArray("rkt90wz") << -1;
    QTest::newRow("unlisted") << QByteArray("XYZ100") << -1;
    QTest::newRow("empty") << QByteArray() << -1;
}

void TstDeviceRegistry::kinds()
{
    QFETCH(QByteArray, model);
    QFETCH(int, kind);
    QCOMPARE(imageIndex(kindOfModel(model)), kind);
    QCOMPARE(kindOfImageIndex(kind), kindOfModel(model));
}

void TstDeviceRegistry::listedAgainUpdates()
{
    DeviceRegistry r;
    QSignalSpy added(&r, &DeviceRegistry::deviceAdded);
    QSignalSpy changed(&r, &DeviceRegistry::deviceChanged);
    QVERIFY(r.add("depo", "Rkt90wz", "Soğuk Hava", "12005"));
    QVERIFY(r.add("merkez", "QRN410", "Ana Pano", "12001"));
    r.setOnline("12005", false);
    QVERIFY(r.add("depo", "Rkt90wz", "Soğuk Hava", "12005")); // a second login lists it again
    QCOMPARE(r.count(), 2);
    QCOMPARE(added.size(), 2);
    QCOMPARE(changed.size(), 0);
    QVERIFY(!r.find("12005")->online); // still off line until it answers
    QVERIFY(r.add("depo 2", "Rkt90wz", "Soğuk Hava", "12005"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(r.find("12005")->group, QByteArray("depo 2"));
    QCOMPARE(r.indexOf("12001"), 1);
}

void TstDeviceRegistry::boundedAtTheBarsSize()
{
    DeviceRegistry r;
    for (int i = 0; i < DeviceRegistry::kMaxDevices; ++i)
        QVERIFY(r.add("g", "QRN410", "d", QByteArray::number(i)));
    QVERIFY(!r.add("g", "QRN410", "d", "one more"));
    QVERIFY(r.add("g", "QRN410", "renamed", "0")); // a known one still updates
    QCOMPARE(r.count(), DeviceRegistry::kMaxDevices);
}

QTEST_GUILESS_MAIN(TstDeviceRegistry)
#include "tst_device_registry.moc"
