// The fuzz targets' client, reset before every input, must be what a new
// client is: every seed of the whole-client targets walked with every pending
// request and device kind, a live display tick after each, then the reset;
// its fingerprint (every component's properties, the bar, the lists, the
// log, the stores, the state) must be a new client's.
#include "fuzz_client.h"
#include "handlers.h"
#include "pending.h"

#include <QDir>
#include <QTest>

class TstFuzzClient : public QObject {
    Q_OBJECT
private slots:
    void resetIsNew_data();
    void resetIsNew();
};

void TstFuzzClient::resetIsNew_data()
{
    QTest::addColumn<QString>("seeds");
    for (const char *dir : {"handlers", "meter_readout", "waveform"})
        QTest::newRow(dir) << QStringLiteral(FUZZ_CORPUS "/%1").arg(QLatin1String(dir));
}

void TstFuzzClient::resetIsNew()
{
    QFETCH(QString, seeds);
    static const QStringList fresh = fuzzclient::Client().fingerprint();
    fuzzclient::Client c;
    QCOMPARE(c.fingerprint(), fresh);
    QList<QByteArray> pendingValues{QByteArray()};
    for (const handlers::EnerjialBranch &b : handlers::enerjialBranches())
        pendingValues << b.pendingRequest;
    const QFileInfoList files = QDir(seeds).entryInfoList(QDir::Files);
    QVERIFY(!files.isEmpty());
    const int kinds[] = {-1, 0, 2, 3, 4, 1};
    int n = 0;
    for (const QFileInfo &file : files) {
        QFile f(file.filePath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray read = f.readAll();
        for (const QByteArray &pendingRequest : std::as_const(pendingValues)) {
            c.w().ana.state().pendingRequest = pendingRequest;
            programState().deviceKind = kinds[n++ % 6];
            c.walk(read);
            c.settle();
        }
    }
    // Something changed, and the reset undid it all.
    QVERIFY(c.fingerprint() != fresh);
    c.reset();
    const QStringList diff = fuzzclient::differences(fresh, c.fingerprint());
    QVERIFY2(diff.isEmpty(), qPrintable(diff.join(u'\n')));
}

QTEST_MAIN(TstFuzzClient)
#include "tst_fuzz_client.moc"
