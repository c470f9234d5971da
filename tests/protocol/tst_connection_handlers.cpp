// The connection messages on the real main window: the device list into the
// device bar, the stored messages into the messages window, the new-message
// and off-line notices, and the keywords that are only recognised.
#include "client_fixture.h"
#include "group_bar.h"
#include "image_list.h"
#include "pending.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTextEdit>

using Device = QStringList;           // group, model, name, serial
using Item = QPair<QString, int>;     // caption, image index
using Group = QPair<QString, QList<Item>>;

Q_DECLARE_METATYPE(QList<Device>)
Q_DECLARE_METATYPE(QList<Group>)

class TstConnectionHandlers : public QObject {
    Q_OBJECT
private slots:
    void deviceList_data();
    void deviceList();
    void deviceWithoutFields();
    void devicesPastTheOldLimitAreKept();
    void devicesPastTheBoundAreDropped();
    void messages_data();
    void messages();
    void messagesPastTheBoundAreDropped();
    void newMessageNotice();
    void deviceOffLine_data();
    void deviceOffLine();
    void recognisedOnly_data();
    void recognisedOnly();
    void enerjialWithoutPendingRequestIsDropped();
};

namespace {
QList<Group> barContents(const GroupBar *bar)
{
    QList<Group> out;
    for (const GroupBarGroup *g : bar->groups()) {
        QList<Item> items;
        for (const GroupBarItem *it : g->items())
            items << Item{it->caption(), it->imageIndex()};
        out << Group{g->caption(), items};
    }
    return out;
}
} // namespace

void TstConnectionHandlers::deviceList_data()
{
    QTest::addColumn<QList<Device>>("devices");
    QTest::addColumn<bool>("oneRead");
    QTest::addColumn<QList<Group>>("bar");

    QTest::newRow("depo, QRN410, Pano 1, 1234")
        << QList<Device>{{"depo", "QRN410", "Pano 1", "1234"}} << false
        << QList<Group>{{"DEPO", {{"Pano 1 No: 1234", 0}}}};
    QTest::newRow("a second device of Depo goes above the first")
        << QList<Device>{{"depo", "QRN410", "Pano 1", "1234"}, {"Depo", "Rkt90wz", "Pano 2", "1235"}} << false
        << QList<Group>{{"DEPO", {{"Pano 2 No: 1235", 2}, {"Pano 1 No: 1234", 0}}}};
    QTest::newRow("the kinds, case-sensitive")
        << QList<Device>{{"g", "QRN410", "a", "1"}, {"g", "Rkt90wz", "b", "2"}, {"g", "LBE620", "c", "3"},
                         {"g", "PMT830", "d", "4"}, {"g", "qrn410", "e", "5"}, {"g", "RKT90WZ", "f", "6"},
                         {"g", "QRN410 ", "h", "7"}, {"g", "XYZ100", "i", "8"}, {"g", "", "j", "9"}}
        << true
        << QList<Group>{{"G", {{"j No: 9", -1}, {"i No: 8", -1}, {"h No: 7", -1}, {"f No: 6", -1},
                               {"e No: 5", -1}, {"d No: 4", 4}, {"c No: 3", 3}, {"b No: 2", 2},
                               {"a No: 1", 0}}}};
    QTest::newRow("groups in order of arrival, all in one read")
        << QList<Device>{{"Merkez Fabrika", "QRN410", "Ana Pano", "12001"},
                         {"depo", "PMT830", "Sayaç", "12004"},
                         {"merkez fabrika", "LBE620", "Trafo", "12003"}}
        << true
        << QList<Group>{{"MERKEZ FABRIKA", {{"Trafo No: 12003", 3}, {"Ana Pano No: 12001", 0}}},
                        {"DEPO", {{"Sayaç No: 12004", 4}}}};
    // Only the letters a to z change case: "ş" stays as it is, "i" becomes
    // "I" (not "İ"), so these are two groups.
    QTest::newRow("Turkish letters keep their case")
        << QList<Device>{{"Şube Ofis", "QRN410", "Ofis", "12008"}, {"şube ofis", "PMT830", "Sayaç", "12009"}}
        << false
        << QList<Group>{{"ŞUBE OFIS", {{"Ofis No: 12008", 0}}}, {"şUBE OFIS", {{"Sayaç No: 12009", 4}}}};
    QTest::newRow("the same device twice gets two items")
        << QList<Device>{{"depo", "QRN410", "Pano 1", "1234"}, {"depo", "QRN410", "Pano 1", "1234"}} << true
        << QList<Group>{{"DEPO", {{"Pano 1 No: 1234", 0}, {"Pano 1 No: 1234", 0}}}};
}

void TstConnectionHandlers::deviceList()
{
    QFETCH(QList<Device>, devices);
    QFETCH(bool, oneRead);
    QFETCH(QList<Group>, bar);

    ClientFixture f;
    QByteArray all;
    for (const Device &d : devices) {
        const QByteArray m = ClientFixture::device(d[0], d[1], d[2], d[3]);
        if (oneRead)
            all += m;
        else
            QVERIFY(f.read(m));
    }
    if (oneRead)
        QVERIFY(f.read(all));

    QCOMPARE(barContents(f.ctx().deviceBar), bar);
    QCOMPARE(f.conn().deviceCount, int(devices.size()) + 1);
    QCOMPARE(f.conn().serialAt(0), QByteArray("demo"));
    for (int i = 0; i < devices.size(); ++i)
        QCOMPARE(f.conn().serialAt(i + 1), wire::encode(devices[i][3]));
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("Cihaz listesi alınıyor. "));
    for (const GroupBarGroup *g : f.ctx().deviceBar->groups()) {
        QCOMPARE(g->color(), QColor(0xFF, 0xFB, 0xF0));
        QCOMPARE(g->captionColor(), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(g->images(), f.ctx().deviceImages);
        QVERIFY(!g->isHidden());
        for (const GroupBarItem *it : g->items())
            QVERIFY(bool(it->onClick));
    }
}

void TstConnectionHandlers::deviceWithoutFields()
{
    ClientFixture f;
    QVERIFY(f.read(QByteArray("cihazlar")));
    QCOMPARE(barContents(f.ctx().deviceBar), (QList<Group>{{"", {{" No: ", -1}}}}));
    QCOMPARE(f.conn().deviceCount, 2);
}

void TstConnectionHandlers::devicesPastTheOldLimitAreKept()
{
    // Far more than 255 devices: every one is listed and keeps its slot.
    ClientFixture f;
    QByteArray all;
    for (int i = 1; i <= 300; ++i)
        all += ClientFixture::device("Saha", "QRN410", QStringLiteral("Pano %1").arg(i), QString::number(20000 + i));
    QVERIFY(f.read(all));
    QCOMPARE(f.conn().deviceCount, 301);
    QCOMPARE(f.conn().serialAt(256), QByteArray("20256"));
    QCOMPARE(f.conn().serialAt(300), QByteArray("20300"));
    QCOMPARE(f.conn().serialAt(0), QByteArray("demo"));
    const GroupBarGroup *g = f.ctx().deviceBar->group(0);
    QCOMPARE(g->itemCount(), 300);
    QCOMPARE(g->item(0)->caption(), QStringLiteral("Pano 300 No: 20300"));
}

void TstConnectionHandlers::devicesPastTheBoundAreDropped()
{
    ClientFixture f;
    while (f.conn().deviceCount < ConnectionState::kMaxDevices)
        QVERIFY(f.conn().addDevice("1"));
    const int lines = f.w->haberlesme.lineCount();
    // The last slot is taken, the next device is dropped and said so; the
    // message after it in the same read is still handled.
    QVERIFY(f.read(ClientFixture::device("depo", "QRN410", "Son", "77777")
                   + ClientFixture::device("depo", "QRN410", "Fazla", "88888") + QByteArray("pong\x01")));
    QCOMPARE(f.conn().deviceCount, ConnectionState::kMaxDevices + 1);
    QCOMPARE(f.conn().serialAt(ConnectionState::kMaxDevices), QByteArray("77777"));
    QCOMPARE(int(f.conn().deviceSerials.size()), ConnectionState::kMaxDevices + 1);
    QCOMPARE(barContents(f.ctx().deviceBar), (QList<Group>{{"DEPO", {{"Son No: 77777", 0}}}}));
    QCOMPARE(f.w->haberlesme.lineCount(), lines + 1);
    const QString note = f.w->haberlesme.line(lines);
    QVERIFY2(note.contains(QStringLiteral("88888")) && note.contains(QStringLiteral("##")), qPrintable(note));
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("Pong"));
}

void TstConnectionHandlers::messages_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("oneRead");

    QTest::newRow("one message") << QStringList{"Bakım"} << QStringList{"Sunucu bakımı 02:00'de."} << false;
    QTest::newRow("three messages, separate reads")
        << QStringList{"Bir", "İki", "Üç"} << QStringList{"birinci", "ikinci", "üçüncü"} << false;
    QTest::newRow("three messages in one read")
        << QStringList{"Bir", "İki", "Üç"} << QStringList{"birinci", "ikinci", "üçüncü"} << true;
    QTest::newRow("the same title twice is listed twice")
        << QStringList{"Duyuru", "Duyuru"} << QStringList{"a", "b"} << true;
    QTest::newRow("empty title and text") << QStringList{""} << QStringList{""} << false;
}

void TstConnectionHandlers::messages()
{
    QFETCH(QStringList, titles);
    QFETCH(QStringList, texts);
    QFETCH(bool, oneRead);
    ClientFixture f;
    QByteArray all;
    for (int i = 0; i < titles.size(); ++i) {
        const QByteArray m = ClientFixture::message(titles[i], texts[i]);
        if (oneRead) {
            all += m;
            continue;
        }
        QVERIFY(f.read(m));
        QCOMPARE(f.get<QLabel>("LblMesaj")->text(),
                 QStringLiteral("Yeni mesajlarınız alınıyor...  Mesaj No: %1").arg(i + 1));
        // The first message fills the text area at once; later ones do not.
        QCOMPARE(f.ctx().messageText->toPlainText(), texts[0]);
    }
    if (oneRead)
        QVERIFY(f.read(all));
    QCOMPARE(f.conn().messageCount, int(titles.size()));
    QCOMPARE(f.ctx().messageText->toPlainText(), texts[0]);
    QCOMPARE(f.ctx().messageList->count(), int(titles.size()));
    for (int i = 0; i < titles.size(); ++i) {
        QCOMPARE(f.ctx().messageList->item(i)->text(), QStringLiteral("//") + titles[i]);
        QCOMPARE(f.conn().messageTitleAt(i), wire::encode(titles[i]));
        QCOMPARE(f.conn().messageTextAt(i), wire::encode(texts[i]));
    }
}

void TstConnectionHandlers::messagesPastTheBoundAreDropped()
{
    ClientFixture f;
    while (f.conn().messageCount < ConnectionState::kMaxMessages - 1)
        QVERIFY(f.conn().addMessage("t", "x"));
    const int lines = f.w->haberlesme.lineCount();
    QVERIFY(f.read(ClientFixture::message("Son", "son metin") + ClientFixture::message("Fazla", "fazla metin")));
    QCOMPARE(f.conn().messageCount, ConnectionState::kMaxMessages);
    QCOMPARE(f.conn().messageTextAt(ConnectionState::kMaxMessages - 1), QByteArray("son metin"));
    QCOMPARE(int(f.conn().messageTexts.size()), ConnectionState::kMaxMessages);
    QCOMPARE(f.ctx().messageList->count(), 1);
    QCOMPARE(f.ctx().messageList->item(0)->text(), QStringLiteral("//Son"));
    QCOMPARE(f.w->haberlesme.lineCount(), lines + 1);
    QVERIFY(f.w->haberlesme.line(lines).contains(QStringLiteral("Fazla")));
}

void TstConnectionHandlers::newMessageNotice()
{
    ClientFixture f;
    auto *link = f.get<QWidget>("RzURLLabel1");
    QVERIFY(link && link->isHidden());
    QVERIFY(f.read(QByteArray("yenimesaj\x01\xF4\xF4\xF4")));
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("Yeni Mesajınız Var..."));
    QVERIFY(!link->isHidden());
}

void TstConnectionHandlers::deviceOffLine_data()
{
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QString>("line");
    QTest::newRow("serial") << QByteArray("Hattayok\x01" "12010\x01\xF4\xF4\xF4")
                            << QStringLiteral("12010 Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin...");
    QTest::newRow("no field end") << QByteArray("Hattayok\x01" "12010")
                                  << QStringLiteral(" Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin...");
}

void TstConnectionHandlers::deviceOffLine()
{
    QFETCH(QByteArray, read);
    QFETCH(QString, line);
    ClientFixture f;
    QVERIFY(f.read(read));
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), line);
}

// Recognised by name only: nothing is consumed, the bytes are walked over and
// a message behind them is still handled.
void TstConnectionHandlers::recognisedOnly_data()
{
    QTest::addColumn<QByteArray>("keyword");
    QTest::newRow("haklar") << QByteArray("haklar");
    QTest::newRow("input") << QByteArray("input");
    QTest::newRow("degerler") << QByteArray("degerler");
}

void TstConnectionHandlers::recognisedOnly()
{
    QFETCH(QByteArray, keyword);
    ClientFixture f;
    f.get<QLabel>("LblMesaj")->setText(QStringLiteral("önce"));
    QVERIFY(f.read(keyword + QByteArray("\x01" "abc\x01\xF4\xF4\xF4")));
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("önce"));
    QCOMPARE(f.conn().deviceCount, 1);
    QCOMPARE(f.conn().messageCount, 0);
    QVERIFY(f.read(keyword + QByteArray("\x01" "abc\x01" "pong\x01")));
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("Pong"));
}

void TstConnectionHandlers::enerjialWithoutPendingRequestIsDropped()
{
    ClientFixture f;
    QVERIFY(f.conn().pendingRequest.isEmpty());
    f.get<QLabel>("LblMesaj")->setText(QStringLiteral("önce"));
    const QByteArray answer("enerjial\x01\x01\x01" "1$3$4$0$10$1$44$12$34$");
    QVERIFY(f.read(answer));
    // Dropped byte by byte: two passes for every byte but the last.
    QCOMPARE(f.w->ana.dispatcher().lastPassCount(), qint64(2 * (answer.size() - 1)));
    QCOMPARE(f.store().read(1, 0), -1.0);
    QCOMPARE(f.store().read(1, 1), -1.0);
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("önce"));
    // The same with a request that has no "enerjial" branch.
    f.conn().pendingRequest = pending::sayac;
    programState().lastRemainder.clear();
    QVERIFY(f.read(answer));
    QCOMPARE(f.store().read(1, 0), -1.0);
}

QTEST_MAIN(TstConnectionHandlers)
#include "tst_connection_handlers.moc"
