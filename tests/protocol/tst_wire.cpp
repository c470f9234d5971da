#include "wire.h"

#include <QTest>

class TstWire : public QObject {
    Q_OBJECT
private slots:
    void requestForms_data();
    void requestForms();
    void codePage_data();
    void codePage();
    void logRendering();
};

void TstWire::requestForms_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("general") << wire::buildRequest("enertum", {"12001"})
                             << QByteArray("enertum\x01" "12001\x01\xF4\xF4\xF4");
    QTest::newRow("general, empty fields")
        << wire::buildRequest("sycreaktfener", {"12004", "", ""})
        << QByteArray("sycreaktfener\x01" "12004\x01\x01\x01\xF4\xF4\xF4");
    QTest::newRow("without fields") << wire::buildRequest("sabitleriyaz")
                                    << QByteArray("sabitleriyaz\x01\xF4\xF4\xF4");
    QTest::newRow("raw byte field") << wire::buildRequest("roleaktif", {" 12", QByteArray(1, '\x70')})
                                    << QByteArray("roleaktif\x01 12\x01\x70\x01\xF4\xF4\xF4");
    QTest::newRow("zero byte field") << wire::buildRequest("roleaktif", {"1", QByteArray(1, '\0')})
                                     << QByteArray("roleaktif\x01" "1\x01\x00\x01\xF4\xF4\xF4", 17);
    QTest::newRow("login") << wire::loginRequest("demo", "1234")
                           << QByteArray("kulsifre\x01" "demo\x01" "1234\x02\xF4\xF4\xF4");
    QTest::newRow("login, empty password is one blank")
        << wire::loginRequest("demo", "") << QByteArray("kulsifre\x01" "demo\x01 \x02\xF4\xF4\xF4");
    QTest::newRow("login, user name untrimmed")
        << wire::loginRequest(" demo  ", "x") << QByteArray("kulsifre\x01 demo  \x01x\x02\xF4\xF4\xF4");
    QTest::newRow("login, Turkish user in code page 1254")
        << wire::loginRequest(wire::encode(QStringLiteral("İşçı")), wire::encode(QStringLiteral("ğ")))
        << QByteArray("kulsifre\x01\xDD\xFE\xE7\xFD\x01\xF0\x02\xF4\xF4\xF4");
    QTest::newRow("keep-alive") << wire::keepAliveRequest() << QByteArray("ping\xF4\xF4\xF4");
}

void TstWire::requestForms()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
}

void TstWire::codePage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ı") << QStringLiteral("ı") << QByteArray("\xFD");
    QTest::newRow("ğ") << QStringLiteral("ğ") << QByteArray("\xF0");
    QTest::newRow("ş") << QStringLiteral("ş") << QByteArray("\xFE");
    QTest::newRow("İ") << QStringLiteral("İ") << QByteArray("\xDD");
    QTest::newRow("ö ü ç") << QStringLiteral("öüç") << QByteArray("\xF6\xFC\xE7");
    QTest::newRow("keyword") << QStringLiteral("indüktifceza") << QByteArray("ind\xFCktifceza");
}

void TstWire::codePage()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(wire::encode(text), bytes);
    QCOMPARE(wire::decode(bytes), text);
}

void TstWire::logRendering()
{
    // Every byte is there; control bytes are visible.
    QCOMPARE(wire::renderForLog(QByteArray("pong\x01\xF4\xF4\xF4")), QStringLiteral("pong<01>ôôô"));
    QCOMPARE(wire::renderForLog(QByteArray("\x00\x02\x1F\x7F", 4)), QStringLiteral("<00><02><1F><7F>"));
    QCOMPARE(wire::renderForLog(QByteArray("\xDD\xFE")), QStringLiteral("İş"));
}

QTEST_GUILESS_MAIN(TstWire)
#include "tst_wire.moc"
