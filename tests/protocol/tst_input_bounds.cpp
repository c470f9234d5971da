// What a client left open for weeks keeps of what the server sends: the
// device bar, the serial slots, the stored messages and the meter memo stay
// within their bounds whatever arrives, say in the log what they leave out,
// and show what they keep.
#include "client_fixture.h"
#include "group_bar.h"
#include "led_display.h"
#include "meter_readout.h"
#include "readout_memo.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

class TstInputBounds : public QObject {
    Q_OBJECT
private slots:
    void shownTextsAreCut_data();
    void shownTextsAreCut();
    void longFieldsAreCut_data();
    void longFieldsAreCut();
    void deviceBarBounds_data();
    void deviceBarBounds();
    void loginsAfterTheSlotsAreFullStillListDevices();
    void messageStoreByteBudget();
    void meterPiecesInOneRead_data();
    void meterPiecesInOneRead();
    void meterPieceLongerThanTheMemo();
    void meterMemoAtItsBound();
    void readoutShownText_data();
    void readoutShownText();
};

namespace {

int barItems(const GroupBar *bar)
{
    int n = 0;
    for (const GroupBarGroup *g : bar->groups())
        n += g->itemCount();
    return n;
}

QString lastLogLine(const ClientFixture &f)
{
    return f.w->haberlesme.line(f.w->haberlesme.lineCount() - 1);
}

QByteArray piece(const QByteArray &text)
{
    return QByteArrayLiteral("sayacal\x01\x01\x01") + text;
}

} // namespace

// ---------------------------------------------------------------------------

// Texts from the server that land on one-line widgets are shown by their
// beginning: laying out a megabyte of text would hold the program.
void TstInputBounds::shownTextsAreCut_data()
{
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("shown");

    const QByteArray serial(5000, '4');
    QTest::newRow("off-line notice") << wire::buildRequest("Hattayok", {serial}) << QStringLiteral("LblMesaj")
                                     << QString(QString(1000, u'4') + QStringLiteral(" … (5069 karakter)"));
    QTest::newRow("a short notice stays whole")
        << wire::buildRequest("Hattayok", {"12010"}) << QStringLiteral("LblMesaj")
        << QStringLiteral("12010 Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin...");
    // The notice after the serial is 69 characters: a serial of 931 makes a
    // line of exactly 1000.
    const QString notice = QStringLiteral(" Seri Nolu cihaz hatta değil. Lütfen 4 dakika sonra tekrar deneyin...");
    QTest::newRow("a notice at the bound stays whole")
        << wire::buildRequest("Hattayok", {QByteArray(931, '4')}) << QStringLiteral("LblMesaj")
        << QString(QString(931, u'4') + notice);
    QTest::newRow("one character more is cut")
        << wire::buildRequest("Hattayok", {QByteArray(932, '4')}) << QStringLiteral("LblMesaj")
        << QString(QString(932, u'4') + notice.first(68) + QStringLiteral(" … (1001 karakter)"));
    QTest::newRow("overcurrent relay current")
        << wire::buildRequest("akimdegerleri", {serial, "2", "3", "4", "12003", "01.01.2024", "12:00:00"})
        << QStringLiteral("akim1") << QString(LedDisplay::kMaxChars, u'4');
    QTest::newRow("a display keeps what fills it")
        << wire::buildRequest("akimdegerleri", {QByteArray(LedDisplay::kMaxChars, '5'), "2", "3", "4", "12003",
                                                "01.01.2024", "12:00:00"})
        << QStringLiteral("akim1") << QString(LedDisplay::kMaxChars, u'5');
    QTest::newRow("one character more is cut from a display")
        << wire::buildRequest("akimdegerleri", {QByteArray(LedDisplay::kMaxChars, '5') + '6', "2", "3", "4",
                                                "12003", "01.01.2024", "12:00:00"})
        << QStringLiteral("akim1") << QString(LedDisplay::kMaxChars, u'5');
    QTest::newRow("a display keeps what fits") << wire::buildRequest("Sycdegerleri", {"1234567,89", "2", "3"})
                                               << QStringLiteral("SayacAktif") << QStringLiteral("1234567,89");
    QTest::newRow("date of an energy answer")
        << wire::buildRequest("reaktifenerji", {"12001", serial, "08.01.2024", "1", "2", "3", "4", "5", "6"})
        << QStringLiteral("Edit222") << QString(256, u'4');
    QTest::newRow("a date at the bound stays whole")
        << wire::buildRequest("reaktifenerji", {"12001", QByteArray(256, '5'), "08.01.2024", "1", "2", "3", "4", "5", "6"})
        << QStringLiteral("Edit222") << QString(256, u'5');
    QTest::newRow("a date one longer is cut")
        << wire::buildRequest("reaktifenerji",
                              {"12001", QByteArray(256, '5') + '6', "08.01.2024", "1", "2", "3", "4", "5", "6"})
        << QStringLiteral("Edit222") << QString(256, u'5');
}

void TstInputBounds::shownTextsAreCut()
{
    QFETCH(QByteArray, read);
    QFETCH(QString, widget);
    QFETCH(QString, shown);
    ClientFixture f;
    QVERIFY(f.read(read));
    QObject *w = f.w->ana.widgets().object(widget);
    QVERIFY(w);
    QCOMPARE(w->property("text").toString(), shown);
}

void TstInputBounds::longFieldsAreCut_data()
{
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QString>("item");        // the bar item made, if any
    QTest::addColumn<qsizetype>("title");     // the stored title's length, if a message
    QTest::addColumn<qsizetype>("text");      // the stored text's length
    QTest::addColumn<int>("notes");           // lines the log gained

    const QByteArray longName(300, 'a');
    const QByteArray longSerial(400, '7');
    QTest::newRow("device name") << wire::buildRequest("cihazlar", {"depo", "QRN410", longName, "1234"})
                                 << QString(QString(256, u'a') + QStringLiteral(" No: 1234")) << qsizetype(-1)
                                 << qsizetype(-1) << 1;
    QTest::newRow("device serial and group")
        << wire::buildRequest("cihazlar", {QByteArray(1000, 'g'), "QRN410", "Pano", longSerial})
        << QString(QStringLiteral("Pano No: ") + QString(256, u'7')) << qsizetype(-1) << qsizetype(-1) << 2;
    QTest::newRow("fields at their bound are kept whole")
        << wire::buildRequest("cihazlar", {"depo", QByteArray(256, 'm'), QByteArray(256, 'n'), "1"})
        << QString(QString(256, u'n') + QStringLiteral(" No: 1")) << qsizetype(-1) << qsizetype(-1) << 0;
    QTest::newRow("message title")
        << wire::buildRequest("mesajvar", {QByteArray(5000, 't'), "metin"}) << QString()
        << ConnectionState::kMaxTitleBytes << qsizetype(5) << 1;
    QTest::newRow("message title at its bound")
        << wire::buildRequest("mesajvar", {QByteArray(ConnectionState::kMaxTitleBytes, 't'), "metin"}) << QString()
        << ConnectionState::kMaxTitleBytes << qsizetype(5) << 0;
    QTest::newRow("message title one longer")
        << wire::buildRequest("mesajvar", {QByteArray(ConnectionState::kMaxTitleBytes + 1, 't'), "metin"})
        << QString() << ConnectionState::kMaxTitleBytes << qsizetype(5) << 1;
    QTest::newRow("message text at its bound")
        << wire::buildRequest("mesajvar", {"Duyuru", QByteArray(ConnectionState::kMaxTextBytes, 'x')}) << QString()
        << qsizetype(6) << ConnectionState::kMaxTextBytes << 0;
    QTest::newRow("message text")
        << wire::buildRequest("mesajvar", {"Duyuru", QByteArray(3 * 1024 * 1024, 'x')}) << QString() << qsizetype(6)
        << ConnectionState::kMaxTextBytes << 1;
}

void TstInputBounds::longFieldsAreCut()
{
    QFETCH(QByteArray, read);
    QFETCH(QString, item);
    QFETCH(qsizetype, title);
    QFETCH(qsizetype, text);
    QFETCH(int, notes);
    ClientFixture f;
    const int lines = f.w->haberlesme.lineCount();
    QVERIFY(f.read(read));
    QCOMPARE(f.w->haberlesme.lineCount(), lines + notes);
    for (int i = lines; i < lines + notes; ++i)
        QVERIFY2(f.w->haberlesme.line(i).contains(QStringLiteral("baytı alındı")), qPrintable(f.w->haberlesme.line(i)));
    if (!item.isEmpty()) {
        QCOMPARE(barItems(f.ctx().deviceBar), 1);
        QCOMPARE(f.ctx().deviceBar->groups().constLast()->item(0)->caption(), item);
        QVERIFY(f.conn().serialAt(1).size() <= ConnectionState::kMaxDeviceFieldBytes);
    }
    if (title >= 0) {
        QCOMPARE(f.conn().messageCount, 1);
        QCOMPARE(f.conn().messageTitleAt(0).size(), title);
        QCOMPARE(f.conn().messageTextAt(0).size(), text);
        QCOMPARE(f.ctx().messageText->toPlainText().size(), text);
    }
}

void TstInputBounds::deviceBarBounds_data()
{
    QTest::addColumn<int>("items");     // items already in the bar, one group
    QTest::addColumn<int>("groups");    // groups already in the bar
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<bool>("listed");

    const int maxItems = ConnectionState::kMaxBarItems;
    const int maxGroups = ConnectionState::kMaxGroups;
    QTest::newRow("room for one more item") << maxItems - 1 << 1 << QByteArray("G0") << true;
    QTest::newRow("items full") << maxItems << 1 << QByteArray("G0") << false;
    QTest::newRow("groups full, device of a known group") << 0 << maxGroups << QByteArray("g7") << true;
    QTest::newRow("groups full, device of a new group") << 0 << maxGroups << QByteArray("yeni") << false;
    QTest::newRow("room for one more group") << 0 << maxGroups - 1 << QByteArray("yeni") << true;
}

void TstInputBounds::deviceBarBounds()
{
    QFETCH(int, items);
    QFETCH(int, groups);
    QFETCH(QByteArray, group);
    QFETCH(bool, listed);
    ClientFixture f;
    GroupBar *bar = f.ctx().deviceBar;
    for (int g = 0; g < groups; ++g)
        bar->addGroup(QStringLiteral("G%1").arg(g));
    for (int i = 0; i < items; ++i)
        bar->group(0)->insertItem(QStringLiteral("x No: %1").arg(i), 0);
    const int groupsBefore = bar->groupCount();
    const int lines = f.w->haberlesme.lineCount();
    QVERIFY(f.read(ClientFixture::device(QString::fromLatin1(group), "QRN410", "Son", "55555") + "pong\x01"));
    QCOMPARE(barItems(bar), items + (listed ? 1 : 0));
    QVERIFY(bar->groupCount() <= ConnectionState::kMaxGroups);
    QCOMPARE(bar->groupCount() > groupsBefore, listed && group == "yeni");
    // The serial keeps its slot either way; a device not listed is named in
    // the log.
    QCOMPARE(f.conn().serialAt(1), QByteArray("55555"));
    QCOMPARE(f.w->haberlesme.lineCount(), lines + (listed ? 0 : 1));
    if (!listed)
        QVERIFY(lastLogLine(f).contains(QStringLiteral("55555")));
    QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("Pong"));
}

void TstInputBounds::loginsAfterTheSlotsAreFullStillListDevices()
{
    // A client open for weeks logs in again and again; the serial slots
    // fill up over the logins, the bar keeps showing each login's devices.
    ClientFixture f;
    while (f.conn().deviceCount <= ConnectionState::kMaxDevices)
        QVERIFY(f.conn().addDevice("1"));
    const int lines = f.w->haberlesme.lineCount();
    const QByteArray list = ClientFixture::device("depo", "QRN410", "Pano 1", "12001")
        + ClientFixture::device("depo", "Rkt90wz", "Pano 2", "12002");
    for (int login = 0; login < 3; ++login) {
        f.ctx().deviceBar->clearAllItems(); // what each login does first
        QVERIFY(f.read(list));
        QCOMPARE(barItems(f.ctx().deviceBar), 2);
        QCOMPARE(f.ctx().deviceBar->group(0)->item(0)->caption(), QStringLiteral("Pano 2 No: 12002"));
    }
    // The full slots are said once.
    QCOMPARE(f.w->haberlesme.lineCount(), lines + 1);
    QCOMPARE(f.conn().deviceCount, ConnectionState::kMaxDevices + 1);
}

void TstInputBounds::messageStoreByteBudget()
{
    ClientFixture f;
    QVERIFY(f.read(ClientFixture::message("Bir", "birinci")));
    // A message that fills the store to its last byte is kept; one byte more is not.
    f.conn().messageBytes = ConnectionState::kMaxMessageBytes - 9; // "İki" and "ikinci", code page 1254
    QVERIFY(f.read(ClientFixture::message("İki", "ikinci")));
    QCOMPARE(f.conn().messageCount, 2);
    QCOMPARE(f.conn().messageBytes, ConnectionState::kMaxMessageBytes);
    const int lines = f.w->haberlesme.lineCount();
    QVERIFY(f.read(ClientFixture::message("Ü", "")));
    QCOMPARE(f.conn().messageCount, 2);
    QCOMPARE(f.ctx().messageList->count(), 2);
    QCOMPARE(f.w->haberlesme.lineCount(), lines + 1);
    QVERIFY(lastLogLine(f).contains(QStringLiteral("\"Ü\"")));
    QVERIFY(f.conn().messageBytes <= ConnectionState::kMaxMessageBytes);
}

// ---------------------------------------------------------------------------

void TstInputBounds::meterPiecesInOneRead_data()
{
    QTest::addColumn<QList<QByteArray>>("bodies");
    QTest::addColumn<QByteArray>("after"); // what follows the pieces in the read
    QTest::addColumn<QString>("memo");

    QTest::newRow("one piece") << QList<QByteArray>{"1.8.0(1.5*kWh)\r\n"} << QByteArray()
                               << QStringLiteral("1.8.0(1.5*kWh)\n");
    QTest::newRow("two pieces join")
        << QList<QByteArray>{"1.8.0(1.5*kWh)\r\n", "5.8.0(0.2*kvarh)\r\n"} << QByteArray()
        << QStringLiteral("1.8.0(1.5*kWh)\n5.8.0(0.2*kvarh)\n");
    QTest::newRow("three pieces, each once")
        << QList<QByteArray>{"A(1)\r\n", "B(2)\r\n", "C(3)\r\n"} << QByteArray()
        << QStringLiteral("A(1)\nB(2)\nC(3)\n");
    QTest::newRow("five pieces and a pong after them")
        << QList<QByteArray>{"A\n", "B\n", "C\n", "D\n", "E\n"} << QByteArray("pong\x01")
        << QStringLiteral("A\nB\nC\nD\nE\npong");
}

void TstInputBounds::meterPiecesInOneRead()
{
    QFETCH(QList<QByteArray>, bodies);
    QFETCH(QByteArray, after);
    QFETCH(QString, memo);
    ClientFixture f;
    QByteArray read;
    for (const QByteArray &b : bodies)
        read += piece(b);
    QVERIFY(f.read(read + after));
    QCOMPARE(f.get<QPlainTextEdit>("Memo3")->toPlainText(), memo);
    if (!after.isEmpty())
        QCOMPARE(f.get<QLabel>("LblMesaj")->text(), QStringLiteral("Pong"));
}

void TstInputBounds::meterPieceLongerThanTheMemo()
{
    ClientFixture f;
    auto *memo = f.get<QPlainTextEdit>("Memo3");
    QVERIFY(f.read(piece("1.8.0(00001.000*kWh)\r\n")));
    // A piece of 3 MiB: the memo keeps its newest part, which holds the
    // codes that came last.
    QByteArray big(3 * 1024 * 1024, 'x');
    big += "\r\n1.8.0(00002.000*kWh)\r\n8.8.0(00000.500*kvarh)\r\n";
    QVERIFY(f.read(piece(big)));
    QCOMPARE(memo->document()->characterCount() - 1, energy::MeterReadout::kKeep);
    QVERIFY(memo->toPlainText().endsWith(QStringLiteral("8.8.0(00000.500*kvarh)\n")));
    QCOMPARE(f.get<LedDisplay>("Rzsycakttop")->text(), QStringLiteral("00002,000"));
    // Small pieces after it go on as usual, within the bound.
    for (int i = 0; i < 100; ++i)
        QVERIFY(f.read(piece(QByteArray(8 * 1024, 'y'))));
    QVERIFY(memo->document()->characterCount() - 1 <= energy::MeterReadout::kLimit);
}

void TstInputBounds::meterMemoAtItsBound()
{
    // Lines of 1,024 characters with their line feed, 512 of them: exactly
    // what the memo holds before it cuts.
    ClientFixture f;
    auto *memo = f.get<QPlainTextEdit>("Memo3");
    const QByteArray line = QByteArray(1023, 'x') + '\n';
    const int lines = int(energy::MeterReadout::kLimit / line.size());
    for (int i = 0; i < lines; i += 64)
        QVERIFY(f.read(piece(line.repeated(64))));
    QCOMPARE(memo->document()->characterCount() - 1, energy::MeterReadout::kLimit);
    QVERIFY(f.read(piece("y")));
    QCOMPARE(memo->document()->characterCount() - 1, energy::MeterReadout::kKeep);
    QVERIFY(memo->toPlainText().endsWith(QStringLiteral("x\ny")));
}

void TstInputBounds::readoutShownText_data()
{
    QTest::addColumn<QByteArray>("piece");
    QTest::addColumn<int>("column"); // characters of the memo's unfinished line
    QTest::addColumn<QString>("shown");

    const int max = int(ReadoutMemo::kMaxLine);
    QTest::newRow("readout lines") << QByteArray("\x02" "1.8.0(1.5*kWh)\r\n!\r\n\x03P") << 0
                                   << QStringLiteral("1.8.0(1.5*kWh)\n!\nP");
    QTest::newRow("code page 1254 letters") << QByteArray("Saya\xE7 \xFE\xDD") << 0 << QStringLiteral("Sayaç şİ");
    QTest::newRow("a line at the limit stays whole") << QByteArray(max, 'x') << 0 << QString(max, u'x');
    QTest::newRow("a longer line goes on in a new line")
        << QByteArray(max + 5, 'x') << 0 << QString(QString(max, u'x') + u'\n' + QString(5, u'x'));
    QTest::newRow("the memo's unfinished line counts")
        << QByteArray("abcdef") << max - 2 << QStringLiteral("ab\ncdef");
    QTest::newRow("a line feed starts the count again")
        << QByteArray("ab\ncdef") << max - 2 << QStringLiteral("ab\ncdef");
}

void TstInputBounds::readoutShownText()
{
    QFETCH(QByteArray, piece);
    QFETCH(int, column);
    QFETCH(QString, shown);
    QCOMPARE(ReadoutMemo::shownText(piece, column), shown);
}

QTEST_MAIN(TstInputBounds)
#include "tst_input_bounds.moc"
