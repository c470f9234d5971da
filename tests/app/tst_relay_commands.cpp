// The overcurrent relay's commands (page 2) and the industrial modem's relay
// and water-meter commands (page 9): the exact bytes of each request, the
// pending answer, the status lines and the state labels.
#include "feature_pages.h"

#include "lamp_button.h"
#include "led_display.h"
#include "pending.h"
#include "spin_edit.h"

#include <QAbstractButton>
#include <QtTest>

namespace {
const QByteArray kEnd = QByteArrayLiteral("\x01\xF4\xF4\xF4");
}

class TstRelayCommands : public QObject {
    Q_OBJECT
private slots:
    void overcurrentRelay_data();
    void overcurrentRelay();
    void modemCommands_data();
    void modemCommands();
    void outputLabelsWaitForTheAnswer_data();
    void outputLabelsWaitForTheAnswer();
    void indexWrite_data();
    void indexWrite();
    void indexWriteWithoutANumber_data();
    void indexWriteWithoutANumber();
};

// Page 2 addresses the relay by the Sno caption, blank and all; the mask is
// one raw byte.
void TstRelayCommands::overcurrentRelay_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("sno");
    QTest::addColumn<QList<bool>>("lamps");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QString>("outgoing");
    QTest::addColumn<bool>("messageEmptied");

    const QString pull = QStringLiteral(" Röle çekme isteği gönderildi");
    QTest::newRow("all three relays") << "VrShadowButton1" << " 12003" << QList<bool>{true, true, true}
                                      << QByteArray("roleaktif\x01 12003\x01\x70") + kEnd << pull << true;
    QTest::newRow("relay 2 only") << "VrShadowButton1" << " 12003" << QList<bool>{false, true, false}
                                  << QByteArray("roleaktif\x01 12003\x01\x20") + kEnd << pull << true;
    QTest::newRow("relays 1 and 3") << "VrShadowButton1" << "12003" << QList<bool>{true, false, true}
                                    << QByteArray("roleaktif\x01" "12003\x01\x50") + kEnd << pull << true;
    QTest::newRow("no relay: byte 0") << "VrShadowButton1" << " 12003" << QList<bool>{false, false, false}
                                      << QByteArray("roleaktif\x01 12003\x01\x00", 18) + kEnd << pull << true;
    QTest::newRow("empty Sno still sent") << "VrShadowButton1" << "" << QList<bool>{true, false, false}
                                          << QByteArray("roleaktif\x01\x01\x10") + kEnd << pull << true;
    QTest::newRow("read values") << "VrShadowButton2" << " 12003" << QList<bool>{true, false, false}
                                 << QByteArray("AARdegerlerioku\x01 12003") + kEnd << "önceki" << false;
    QTest::newRow("write constants: no serial") << "VrShadowButton3" << " 12003" << QList<bool>{true, true, true}
                                                << QByteArray("sabitleriyaz") + kEnd
                                                << "önceki" << false;
}

void TstRelayCommands::overcurrentRelay()
{
    QFETCH(QString, button);
    QFETCH(QString, sno);
    QFETCH(QList<bool>, lamps);
    QFETCH(QByteArray, request);
    QFETCH(QString, outgoing);
    QFETCH(bool, messageEmptied);
    FeaturePages f;
    f.conn.pendingRequest = pending::anideger;
    f.LblGiden->setText(QStringLiteral("önceki"));
    f.LblMesaj->setText(QStringLiteral("mesaj"));
    f.get<LedDisplay>("Sno")->setText(sno);
    for (int i = 0; i < 3; ++i)
        f.get<LampButton>(QStringLiteral("role%1").arg(i + 1))->setLit(lamps[i]);
    f.get<QAbstractButton>(button)->click();
    QCOMPARE(f.sent, QList<QByteArray>{request});
    QCOMPARE(f.conn.pendingRequest, pending::anideger);
    QCOMPARE(f.LblGiden->text(), outgoing);
    QCOMPARE(f.LblMesaj->text(), messageEmptied ? QString() : QStringLiteral("mesaj"));
}

// Page 9 wraps each sub-command in "modemkomut" with the serial of Edit111.
void TstRelayCommands::modemCommands_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("subCommand");
    QTest::addColumn<QByteArray>("pendingRequest");
    QTest::addColumn<QString>("outgoing");

    QTest::newRow("query") << "VrShadowButton21" << QByteArray("rolesorgula") << pending::outputdrm
                           << "Röle durumları sorgulanıyor.Lütfen bekleyin...";
    QTest::newRow("pull 1") << "VrShadowButton15" << QByteArray("output01") << pending::tekliroledrm
                            << "Röle 1 çekiliyor.Lütfen bekleyin...";
    QTest::newRow("release 1") << "VrShadowButton16" << QByteArray("output00") << pending::tekliroledrm
                               << "Röle 1 bırakılıyor.Lütfen bekleyin...";
    QTest::newRow("pull 2") << "VrShadowButton17" << QByteArray("output11") << pending::tekliroledrm
                            << "Röle 2 çekiliyor.Lütfen bekleyin...";
    QTest::newRow("release 2") << "VrShadowButton18" << QByteArray("output10") << pending::tekliroledrm
                               << "Röle 2 bırakılıyor.Lütfen bekleyin...";
    QTest::newRow("pull 3") << "VrShadowButton19" << QByteArray("output21") << pending::tekliroledrm
                            << "Röle 3 çekiliyor.Lütfen bekleyin...";
    QTest::newRow("release 3") << "VrShadowButton20" << QByteArray("output20") << pending::tekliroledrm
                               << "Röle 3 bırakılıyor.Lütfen bekleyin...";
    QTest::newRow("index") << "btnsuendeks" << QByteArray("suendeksver") << pending::susayaci
                           << "Sayacın endeks değeri isteniyor.Lütfen bekleyin...";
}

void TstRelayCommands::modemCommands()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, subCommand);
    QFETCH(QByteArray, pendingRequest);
    QFETCH(QString, outgoing);
    FeaturePages f;
    f.LblMesaj->setText(QStringLiteral("mesaj"));
    f.get<QAbstractButton>(button)->click();
    QCOMPARE(f.sent, QList<QByteArray>{QByteArray("modemkomut\x01" "12006\x01") + subCommand + kEnd});
    QCOMPARE(f.conn.pendingRequest, pendingRequest);
    QCOMPARE(f.LblGiden->text(), outgoing);
    QCOMPARE(f.LblMesaj->text(), QStringLiteral("mesaj")); // the modem commands leave it
    QVERIFY(f.pauses.isEmpty());
}

// An output command shows "0" in red on its own label until the answer.
void TstRelayCommands::outputLabelsWaitForTheAnswer_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("output");
    for (int n = 1; n <= 3; ++n) {
        QTest::addRow("pull %d", n) << QStringLiteral("VrShadowButton%1").arg(13 + 2 * n) << n;
        QTest::addRow("release %d", n) << QStringLiteral("VrShadowButton%1").arg(14 + 2 * n) << n;
    }
}

void TstRelayCommands::outputLabelsWaitForTheAnswer()
{
    QFETCH(QString, button);
    QFETCH(int, output);
    FeaturePages f;
    for (int n = 1; n <= 3; ++n)
        f.get<QLabel>(QStringLiteral("lblrole%1drm").arg(n))->setText(QStringLiteral("Aktif"));
    f.get<QAbstractButton>(button)->click();
    for (int n = 1; n <= 3; ++n) {
        auto *label = f.get<QLabel>(QStringLiteral("lblrole%1drm").arg(n));
        QCOMPARE(label->text(), n == output ? QStringLiteral("0") : QStringLiteral("Aktif"));
        if (n == output)
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0xFF, 0x00, 0x00));
    }
}

// The spin box holds cubic metres; the request carries litres.
void TstRelayCommands::indexWrite_data()
{
    QTest::addColumn<double>("cubicMetres");
    QTest::addColumn<QByteArray>("litres");
    QTest::newRow("1.5") << 1.5 << QByteArray("1500");
    QTest::newRow("0.25") << 0.25 << QByteArray("250");
    QTest::newRow("initial 1") << 1.0 << QByteArray("1000");
    QTest::newRow("0") << 0.0 << QByteArray("0");
    QTest::newRow("0.01 stays whole") << 0.01 << QByteArray("10");
    QTest::newRow("1.15 without binary residue") << 1.15 << QByteArray("1150");
    QTest::newRow("largest") << 5000.0 << QByteArray("5000000");
}

void TstRelayCommands::indexWrite()
{
    QFETCH(double, cubicMetres);
    QFETCH(QByteArray, litres);
    FeaturePages f;
    f.get<SpinEdit>("edtendeksyaz")->setValue(cubicMetres);
    f.get<QAbstractButton>("VrShadowButton22")->click();
    QCOMPARE(f.sent, QList<QByteArray>{QByteArray("modemkomut\x01" "12006\x01" "ellesuendeksyaz") + litres + '#' + kEnd});
    QCOMPARE(f.conn.pendingRequest, pending::endeksyaz);
    QCOMPARE(f.LblGiden->text(), QStringLiteral("Kontor Yükleniyor. .Lütfen bekleyin..."));
    QCOMPARE(f.pauses, QList<int>{3000});
    QVERIFY(f.errors.isEmpty());
}

// A spin box text that is not a number stops the write before anything is
// sent; the answer the client was waiting for is still expected.
void TstRelayCommands::indexWriteWithoutANumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "";
    QTest::newRow("minus sign only") << "-";
    QTest::newRow("letters") << "abc";
}

void TstRelayCommands::indexWriteWithoutANumber()
{
    QFETCH(QString, typed);
    FeaturePages f;
    f.conn.pendingRequest = pending::outputdrm;
    auto *spin = f.get<SpinEdit>("edtendeksyaz");
    spin->setRangeEnforced(false); // as if the text had got there
    spin->setText(typed);
    f.get<QAbstractButton>("VrShadowButton22")->click();
    QVERIFY(f.sent.isEmpty());
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(f.errors[0].contains(typed));
    QCOMPARE(f.conn.pendingRequest, pending::outputdrm);
    QVERIFY(f.pauses.isEmpty());
}

QTEST_MAIN(TstRelayCommands)
#include "tst_relay_commands.moc"
