// The energy and meter messages on the real pages: reads walked by the
// dispatcher into pages 1, 6 and 9 and the device bar.
#include "client_state.h"
#include "dispatcher.h"
#include "group_bar.h"
#include "handlers.h"
#include "led_display.h"
#include "main_pages.h"
#include "named_widgets.h"
#include "register_store.h"
#include "silent_abort.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

const QByteArray kEnd = QByteArrayLiteral("\xF4\xF4\xF4");

QByteArray message(const QByteArray &keyword, const QList<QByteArray> &fields)
{
    QByteArray m = keyword + '\x01';
    for (const QByteArray &f : fields)
        m += f + '\x01';
    return m + kEnd;
}

QByteArray piece(const QByteArray &text)
{
    return QByteArrayLiteral("sayacal\x01\x01\x01") + text;
}

const char *const kAnalyserValues[] = {"ak1", "ak2", "in1", "in2", "kap1", "kap2"};
const char *const kMeterValues[] = {"RzLEDak1", "RzLEDak2", "RzLEDin1", "RzLEDin2", "RzLEDkap1", "RzLEDkap2"};

// Pages 1, 6 and 9, the message line and the device bar, wired as the main
// window wires them.
struct Client {
    QWidget root;
    QLabel *lblMesaj = new QLabel(&root);
    GroupBar *bar = new GroupBar(&root);
    RegisterStore store;
    ConnectionState conn;
    ProgramState prog;
    NamedWidgets widgets;
    ClientContext ctx;
    Dispatcher dispatcher;
    QByteArray lastRemainder;
    QStringList notes;
    bool aborted = false;

    explicit Client(QChar separator = QLatin1Char('.'))
    {
        lblMesaj->setObjectName(QStringLiteral("LblMesaj"));
        for (auto build : {pages::buildAnalizorAni, pages::buildTuketim, pages::buildSayac, pages::buildModem})
            build(new QWidget(&root));
        widgets.index(&root);
        prog.decimalSeparator = separator;
        ctx.conn = &conn;
        ctx.prog = &prog;
        ctx.store = &store;
        ctx.mainWidgets = &widgets;
        ctx.messageLine = lblMesaj;
        ctx.deviceBar = bar;
        ctx.logNote = [this](const QString &line) { notes.append(line); };
        handlers::install(dispatcher, ctx);
    }

    void read(const QByteArray &bytes)
    {
        aborted = false;
        try {
            dispatcher.walk(bytes, lastRemainder);
        } catch (const SilentAbort &) {
            aborted = true;
        }
    }

    LedDisplay *led(const char *name) const { return widgets.get<LedDisplay>(QLatin1String(name)); }
    QString text(const char *name) const
    {
        if (auto *l = led(name))
            return l->text();
        if (auto *label = widgets.get<QLabel>(QLatin1String(name)))
            return label->text();
        if (auto *edit = widgets.get<QLineEdit>(QLatin1String(name)))
            return edit->text();
        return QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }
    QColor fontColour(const char *name) const
    {
        return widgets.get<QLabel>(QLatin1String(name))->palette().color(QPalette::WindowText);
    }
    QString memo() const { return widgets.get<QPlainTextEdit>(QStringLiteral("Memo3"))->toPlainText(); }
};

} // namespace

class TstEnergyHandlers : public QObject {
    Q_OBJECT
private slots:
    void energyBetweenDates_data();
    void energyBetweenDates();
    void valueThatDoesNotParseStops_data();
    void valueThatDoesNotParseStops();
    void rangeMessageConsumedExactly();

    void readoutInPieces();
    void readoutWidths_data();
    void readoutWidths();
    void secondPieceInTheSameRead();
    void ratiosGuarded_data();
    void ratiosGuarded();
    void memoBoundedAndResettable();

    void valuesBeforeReset();
    void energySummary_data();
    void energySummary();
    void waterMeterIndex_data();
    void waterMeterIndex();
};

// The same numbers through both answers give the same texts and bands.
void TstEnergyHandlers::energyBetweenDates_data()
{
    QTest::addColumn<QByteArray>("keyword");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QList<QByteArray>>("values"); // A1 A2 L1 L2 C1 C2 as sent
    QTest::addColumn<QStringList>("shown");        // the six displays
    QTest::addColumn<QStringList>("ratios");
    QTest::addColumn<QStringList>("bands");
    QTest::addColumn<QList<QColor>>("colours");
    const QColor lime(0x00, 0xFF, 0x00), yellow(0xFF, 0xFF, 0x00), fuchsia(0xFF, 0x00, 0xFF), red(0xFF, 0x00, 0x00);
    for (const QByteArray &keyword : {QByteArray("reaktifenerji"), QByteArray("tedassycal")}) {
        const auto row = [&](const char *name) -> QTestData & { return QTest::addRow("%s %s", keyword.constData(), name) << keyword; };
        row("16 and 12") << QChar(u'.') << QList<QByteArray>{"1000", "1100", "50", "66", "0", "12"}
                         << QStringList{"1000.00", "1100.00", "50.00", "66.00", ".00", "12.00"}
                         << QStringList{"16.00", "12.00"} << QStringList{"KRİTİK", "ALARM"}
                         << QList<QColor>{yellow, fuchsia};
        row("A2 equal to A1") << QChar(u'.') << QList<QByteArray>{"1000", "1000", "50", "66", "0", "12"}
                              << QStringList{"1000.00", "1000.00", "50.00", "66.00", ".00", "12.00"}
                              << QStringList{".00", ".00"} << QStringList{"NORMAL", "NORMAL"}
                              << QList<QColor>{lime, lime};
        row("A2 below A1") << QChar(u'.') << QList<QByteArray>{"1100", "1000", "50", "66", "0", "12"}
                           << QStringList{"1100.00", "1000.00", "50.00", "66.00", ".00", "12.00"}
                           << QStringList{".00", ".00"} << QStringList{"NORMAL", "NORMAL"}
                           << QList<QColor>{lime, lime};
        row("16.5 and 9.5") << QChar(u'.') << QList<QByteArray>{"0", "200", "0", "33", "0", "19"}
                            << QStringList{".00", "200.00", ".00", "33.00", ".00", "19.00"}
                            << QStringList{"16.50", "9.50"} << QStringList{"KRİTİK", "KRİTİK"}
                            << QList<QColor>{yellow, yellow};
        row("17.5 and 15") << QChar(u'.') << QList<QByteArray>{"0", "200", "0", "35", "0", "30"}
                           << QStringList{".00", "200.00", ".00", "35.00", ".00", "30.00"}
                           << QStringList{"17.50", "15.00"} << QStringList{"ALARM", "CEZA"}
                           << QList<QColor>{fuchsia, red};
        row("penalty, comma locale") << QChar(u',')
                                     << QList<QByteArray>{"1000,25", "1100,25", "3,5", "25,5", "0", "0,4"}
                                     << QStringList{"1000,25", "1100,25", "3,50", "25,50", ",00", ",40"}
                                     << QStringList{"22,00", ",40"} << QStringList{"CEZA", "NORMAL"}
                                     << QList<QColor>{red, lime};
        row("reactive fell") << QChar(u'.') << QList<QByteArray>{"0", "100", "50", "30", "9", "0"}
                             << QStringList{".00", "100.00", "50.00", "30.00", "9.00", ".00"}
                             << QStringList{"-20.00", "-9.00"} << QStringList{"NORMAL", "NORMAL"}
                             << QList<QColor>{lime, lime};
    }
}

void TstEnergyHandlers::energyBetweenDates()
{
    QFETCH(QByteArray, keyword);
    QFETCH(QChar, separator);
    QFETCH(QList<QByteArray>, values);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, ratios);
    QFETCH(QStringList, bands);
    QFETCH(QList<QColor>, colours);
    Client c(separator);
    const bool meter = keyword == "tedassycal";
    c.read(message(keyword, QList<QByteArray>{"12001", "08.03.2024", "15.03.2024"} + values));
    QVERIFY(!c.aborted);
    QCOMPARE(c.lblMesaj->text(),
             QStringLiteral("12001 Cihazının 08.03.2024 ve 15.03.2024 tarihleri arası Enerji bilgileri alınıyor. "));
    QCOMPARE(c.text("Edit222"), QStringLiteral("08.03.2024"));
    QCOMPARE(c.text("Edit333"), QStringLiteral("15.03.2024"));
    QVERIFY(!c.text("Edit4").isEmpty());
    const char *const *names = meter ? kMeterValues : kAnalyserValues;
    for (int i = 0; i < 6; ++i)
        QCOMPARE(c.text(names[i]), shown[i]);
    QCOMPARE(c.text(meter ? "RzLEDsycinoran" : "indoran"), ratios[0]);
    QCOMPARE(c.text(meter ? "RzLEDsyckaporan" : "kaporan"), ratios[1]);
    const char *indBand = meter ? "lblsycindurum" : "inddurum";
    const char *capBand = meter ? "lblsyckapdurum" : "Kapdurum";
    QCOMPARE(c.text(indBand), bands[0]);
    QCOMPARE(c.text(capBand), bands[1]);
    QCOMPARE(c.fontColour(indBand), colours[0]);
    QCOMPARE(c.fontColour(capBand), colours[1]);
    // The other page's displays are not touched.
    const char *const *other = meter ? kAnalyserValues : kMeterValues;
    QCOMPARE(c.text(other[0]), QStringLiteral("000"));
    if (meter) {
        QCOMPARE(c.text("Edit2"), QStringLiteral("08.03.2024"));
        QCOMPARE(c.text("Edit3"), QStringLiteral("15.03.2024"));
    }
}

// A value that does not parse stops the work at its display: those before
// it are written, the rest and the bands keep what they showed.
void TstEnergyHandlers::valueThatDoesNotParseStops_data()
{
    QTest::addColumn<int>("bad");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("A1 letters") << 0 << QByteArray("abc");
    QTest::newRow("A2 empty") << 1 << QByteArray();
    QTest::newRow("L1 with a comma under a point locale") << 2 << QByteArray("5,5");
    QTest::newRow("L2 two points") << 3 << QByteArray("1.2.3");
    QTest::newRow("C2 trailing bytes") << 5 << QByteArray("12\xF4");
}

void TstEnergyHandlers::valueThatDoesNotParseStops()
{
    QFETCH(int, bad);
    QFETCH(QByteArray, text);
    Client c;
    for (const char *n : kAnalyserValues)
        c.led(n)->setText(QStringLiteral("old"));
    c.led("indoran")->setText(QStringLiteral("old"));
    QList<QByteArray> values{"1000", "1100", "50", "66", "0", "12"};
    values[bad] = text;
    c.read(message("reaktifenerji", QList<QByteArray>{"12001", "a", "b"} + values) + "pong\x01");
    QVERIFY(!c.aborted);
    const QStringList good{"1000.00", "1100.00", "50.00", "66.00", ".00", "12.00"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(c.text(kAnalyserValues[i]), i < bad ? good[i] : QStringLiteral("old"));
    QCOMPARE(c.text("indoran"), QStringLiteral("old"));
    QCOMPARE(c.text("inddurum"), QStringLiteral("DURUM"));
    QCOMPARE(c.text("Edit222"), QStringLiteral("a"));
    // The walk goes on with the next message.
    QCOMPARE(c.lblMesaj->text(), QStringLiteral("Pong"));
}

// Both answers take their nine fields and one byte more, so a message right
// behind them in the same read is handled.
void TstEnergyHandlers::rangeMessageConsumedExactly()
{
    for (const QByteArray &keyword : {QByteArray("reaktifenerji"), QByteArray("tedassycal")}) {
        Client c;
        const QByteArray m = keyword + "\x01" "7\x01" "d1\x01" "d2\x01" "1\x01" "2\x01" "0\x01" "0\x01" "0\x01" "0\x01" "X";
        c.read(m + "pong\x01");
        QCOMPARE(c.text(keyword == "tedassycal" ? "RzLEDak2" : "ak2"), QStringLiteral("2.00"));
        QCOMPARE(c.lblMesaj->text(), QStringLiteral("Pong"));
        // Handled in the first pass, "pong" at the front in the second.
        QCOMPARE(c.dispatcher.lastPassCount(), qint64(2));
    }
}

// A readout over several reads: each total appears as soon as its code has
// arrived, and the ratios once the capacitive total has.
void TstEnergyHandlers::readoutInPieces()
{
    Client c;
    c.widgets.get<QLineEdit>(QStringLiteral("Edit111"))->setText(QStringLiteral("12004"));
    c.read(piece("/DMS5ET3F-4T\r\n\x02" "0.0.0(71200400)\r\n1.8.0(12345.6"));
    QCOMPARE(c.lblMesaj->text(), QStringLiteral("12004 Seri Nolu sayaç değerleri alınıyor. "));
    QCOMPARE(c.text("Label2"), QStringLiteral("12004 Nolu Sayaç Değerleri"));
    QCOMPARE(c.text("lblSayacBaslik"), QStringLiteral("12004 Nolu Sayaç Değerleri")); // the meter page's copy
    QCOMPARE(c.text("Rzsycakttop"), QStringLiteral("12345.6"));
    QCOMPARE(c.text("Rzsycindtop"), QStringLiteral("00000000"));
    QCOMPARE(c.text("RzLEDinddurum"), QStringLiteral("000"));
    c.read(piece("78*kWh)\r\n1.8.1(06000.000*kWh)\r\n5.8.0(02222.222*kvarh)\r\n8.8."));
    QCOMPARE(c.text("Rzsycakttop"), QStringLiteral("12345.678"));
    QCOMPARE(c.text("RzsycT1"), QStringLiteral("06000.000"));
    QCOMPARE(c.text("Rzsycindtop"), QStringLiteral("02222.222"));
    QCOMPARE(c.text("Rzsyckaptop"), QStringLiteral("00000000"));
    QCOMPARE(c.text("RzLEDinddurum"), QStringLiteral("000"));
    c.read(piece("0(00308.641*kvarh)\r\n1.8.2(04000.000*kWh)\r\n1.8.3(02345.678*kWh)\r\n!\r\n\x03P"));
    // The ratio step writes the totals with a decimal comma.
    QCOMPARE(c.text("Rzsycakttop"), QStringLiteral("12345,678"));
    QCOMPARE(c.text("Rzsycindtop"), QStringLiteral("02222,222"));
    QCOMPARE(c.text("Rzsyckaptop"), QStringLiteral("00308,641"));
    QCOMPARE(c.text("RzsycT2"), QStringLiteral("04000.000"));
    QCOMPARE(c.text("RzsycT3"), QStringLiteral("02345.678"));
    QCOMPARE(c.text("RzLEDinddurum"), QStringLiteral("18.00"));
    QCOMPARE(c.text("RzLEDkapdurum"), QStringLiteral("2.50"));
    QCOMPARE(c.memo(), QStringLiteral("/DMS5ET3F-4T\n0.0.0(71200400)\n1.8.0(12345.678*kWh)\n1.8.1(06000.000*kWh)\n"
                                      "5.8.0(02222.222*kvarh)\n8.8.0(00308.641*kvarh)\n1.8.2(04000.000*kWh)\n"
                                      "1.8.3(02345.678*kWh)\n!\nP"));
}

// Meters write 8 to 11 characters before the unit; each display gets the
// whole value and the ratios follow from it.
void TstEnergyHandlers::readoutWidths_data()
{
    QTest::addColumn<QByteArray>("readout");
    QTest::addColumn<QStringList>("totals");
    QTest::addColumn<QString>("tariff1");
    QTest::addColumn<QStringList>("ratios");
    QTest::newRow("8 characters, MWh")
        << QByteArray("1.8.0(5204.117*MWh)\r\n1.8.1(2911.003*MWh)\r\n5.8.0(0442.349*Mvarh)\r\n"
                      "8.8.0(0078.061*Mvarh)\r\n!\r\n")
        << QStringList{"5204,117", "0442,349", "0078,061"} << QStringLiteral("2911.003")
        << QStringList{"8.50", "1.50"};
    QTest::newRow("9 characters")
        << QByteArray("1.8.0(40000.000*kWh)\r\n1.8.1(20000.500*kWh)\r\n5.8.0(07200.000*kvarh)\r\n"
                      "8.8.0(01000.000*kvarh)\r\n!\r\n")
        << QStringList{"40000,000", "07200,000", "01000,000"} << QStringLiteral("20000.500")
        << QStringList{"18.00", "2.50"};
    QTest::newRow("10 characters")
        << QByteArray("1.8.0(000070.677*kWh)\r\n1.8.1(0000.125*kWh)\r\n5.8.0(000007.775*kvarh)\r\n"
                      "8.8.0(000002.827*kvarh)\r\n!\r\n")
        << QStringList{"000070,677", "000007,775", "000002,827"} << QStringLiteral("0000.125")
        << QStringList{"11.00", "4.00"};
    QTest::newRow("11 characters")
        << QByteArray("1.8.0(0000200.000*kWh)\r\n1.8.1(0000100.000*kWh)\r\n5.8.0(0000050.000*kvarh)\r\n"
                      "8.8.0(0000030.000*kvarh)\r\n!\r\n")
        << QStringList{"0000200,000", "0000050,000", "0000030,000"} << QStringLiteral("0000100.000")
        << QStringList{"25.00", "15.00"};
}

void TstEnergyHandlers::readoutWidths()
{
    QFETCH(QByteArray, readout);
    QFETCH(QStringList, totals);
    QFETCH(QString, tariff1);
    QFETCH(QStringList, ratios);
    Client c;
    c.read(piece(readout));
    QCOMPARE(c.text("Rzsycakttop"), totals[0]);
    QCOMPARE(c.text("Rzsycindtop"), totals[1]);
    QCOMPARE(c.text("Rzsyckaptop"), totals[2]);
    QCOMPARE(c.text("RzsycT1"), tariff1);
    QCOMPARE(c.text("RzLEDinddurum"), ratios[0]);
    QCOMPARE(c.text("RzLEDkapdurum"), ratios[1]);
}

// A second piece in the same read loses its keyword and three bytes; the
// text of both goes to the memo once.
void TstEnergyHandlers::secondPieceInTheSameRead()
{
    Client c;
    c.read(piece("1.8.0(0001.000*kWh)\r\n") + piece("5.8.0(0000.200*kvarh)\r\n"));
    QCOMPARE(c.memo(), QStringLiteral("1.8.0(0001.000*kWh)\n5.8.0(0000.200*kvarh)\n"));
    QCOMPARE(c.text("Rzsycindtop"), QStringLiteral("0000.200"));
}

void TstEnergyHandlers::ratiosGuarded_data()
{
    QTest::addColumn<QByteArray>("readout");
    QTest::addColumn<QString>("activeTotal");
    QTest::newRow("capacitive total still the reset value")
        << QByteArray("1.8.0(0001.000*kWh)\r\n5.8.0(0000.200*kvarh)\r\n") << QStringLiteral("0001.000");
    QTest::newRow("zero active total") << QByteArray("1.8.0(0000.000*kWh)\r\n8.8.0(0000.200*kvarh)\r\n")
                                       << QStringLiteral("0000,000");
    QTest::newRow("active total not a number") << QByteArray("1.8.0(12ab.000*kWh)\r\n8.8.0(0000.200*kvarh)\r\n")
                                               << QStringLiteral("12ab,000");
}

// The ratios of the totals keep what they showed while they cannot be
// computed.
void TstEnergyHandlers::ratiosGuarded()
{
    QFETCH(QByteArray, readout);
    QFETCH(QString, activeTotal);
    Client c;
    c.led("RzLEDinddurum")->setText(QStringLiteral("old"));
    c.led("RzLEDkapdurum")->setText(QStringLiteral("old"));
    c.read(piece(readout) + "pong\x01");
    QCOMPARE(c.text("Rzsycakttop"), activeTotal);
    QCOMPARE(c.text("RzLEDinddurum"), QStringLiteral("old"));
    QCOMPARE(c.text("RzLEDkapdurum"), QStringLiteral("old"));
}

// A readout that never ends keeps the memo bounded; emptying the memo
// (the meter page's reset) starts the totals afresh.
void TstEnergyHandlers::memoBoundedAndResettable()
{
    Client c;
    auto *memo = c.widgets.get<QPlainTextEdit>(QStringLiteral("Memo3"));
    c.read(piece("1.8.0(0001.000*kWh)\r\n"));
    const QByteArray filler(8000, 'x');
    for (int i = 0; i < 100; ++i)
        c.read(piece(filler + "\r\n"));
    const int chars = memo->document()->characterCount() - 1;
    QVERIFY2(chars <= 512 * 1024 && chars >= 256 * 1024, qPrintable(QString::number(chars)));
    QVERIFY(memo->toPlainText().endsWith(QLatin1String("xx\n")));
    QCOMPARE(c.text("Rzsycakttop"), QStringLiteral("0001.000"));

    memo->clear();
    c.led("Rzsycakttop")->setText(QStringLiteral("00000000"));
    c.read(piece("1.8.0(0002.000*kWh)\r\n"));
    QCOMPARE(c.memo(), QStringLiteral("1.8.0(0002.000*kWh)\n"));
    QCOMPARE(c.text("Rzsycakttop"), QStringLiteral("0002.000"));
}

void TstEnergyHandlers::valuesBeforeReset()
{
    Client c;
    c.read(message("Sycdegerleri", {"1234567", "89,5", "x"}) + "pong\x01");
    QCOMPARE(c.text("SayacAktif"), QStringLiteral("1234567"));
    QCOMPARE(c.text("Sayacind"), QStringLiteral("89,5"));
    QCOMPARE(c.text("SayacKap"), QStringLiteral("x"));
    QCOMPARE(c.lblMesaj->text(), QStringLiteral("Pong"));
}

// Summaries: the row named by field 43 is stored, and in the groups of the
// named group the items whose caption holds the serial turn blue.
void TstEnergyHandlers::energySummary_data()
{
    QTest::addColumn<QByteArray>("serial");
    QTest::addColumn<QByteArray>("group");
    QTest::addColumn<QByteArray>("field43"); // its eight data characters
    QTest::addColumn<int>("fields");
    QTest::addColumn<QList<bool>>("blue"); // depo "Pano No: 123", depo "Pano No: 45", ŞUBE "Ofis No: 12"
    QTest::addColumn<int>("storedRow");    // 0: nothing stored
    QTest::addColumn<bool>("noted");
    QTest::addColumn<bool>("aborted");
    const QList<bool> firstOnly{true, false, false};
    QTest::newRow("serial 12 colours 123")
        << QByteArray("12") << QByteArray("depo") << QByteArray("00007000") << 45 << firstOnly << 7 << false << false;
    QTest::newRow("group in capitals already") << QByteArray("45") << QByteArray("DEPO") << QByteArray("00250000")
                                               << 60 << QList<bool>{false, true, false} << 250 << false << false;
    QTest::newRow("Turkish letters are not upper-cased")
        << QByteArray("12") << QByteArray("\xFEube") << QByteArray("00007000") << 45
        << QList<bool>{false, false, false} << 7 << false << false;
    QTest::newRow("Turkish capital matches") << QByteArray("12") << QByteArray("\xDEube") << QByteArray("00007000")
                                             << 45 << QList<bool>{false, false, true} << 7 << false << false;
    QTest::newRow("44 fields store nothing")
        << QByteArray("12") << QByteArray("depo") << QByteArray("00007000") << 44 << firstOnly << 0 << false << false;
    QTest::newRow("row 251 is outside the table")
        << QByteArray("12") << QByteArray("depo") << QByteArray("00251000") << 45 << firstOnly << 0 << true << false;
    QTest::newRow("row 0 is outside the table")
        << QByteArray("12") << QByteArray("depo") << QByteArray("00000999") << 45 << firstOnly << 0 << true << false;
    QTest::newRow("a row that does not convert ends the read")
        << QByteArray("12") << QByteArray("depo") << QByteArray("000x1000") << 45
        << QList<bool>{false, false, false} << 0 << false << true;
}

void TstEnergyHandlers::energySummary()
{
    QFETCH(QByteArray, serial);
    QFETCH(QByteArray, group);
    QFETCH(QByteArray, field43);
    QFETCH(int, fields);
    QFETCH(QList<bool>, blue);
    QFETCH(int, storedRow);
    QFETCH(bool, noted);
    QFETCH(bool, aborted);
    Client c;
    GroupBarGroup *depo = c.bar->addGroup(QStringLiteral("DEPO"));
    const QList<GroupBarItem *> items{depo->insertItem(QStringLiteral("Pano No: 123"), 0),
                                      depo->insertItem(QStringLiteral("Pano No: 45"), 0),
                                      c.bar->addGroup(QStringLiteral("ŞUBE"))->insertItem(QStringLiteral("Ofis No: 12"), 2)};
    QByteArray data;
    for (int j = 0; j < fields; ++j)
        data += "$1" + (j == 43 ? field43 : QByteArray::number(j).rightJustified(8, '0'));
    c.read(message("cihazenerji", {serial, group, data}) + "pong\x01");
    QCOMPARE(c.aborted, aborted);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(items[i]->fontColor() == QColor(0, 0, 0xFF), blue[i]);
    QCOMPARE(c.notes.size(), noted ? 1 : 0);
    if (noted)
        QVERIFY(c.notes.first().contains(QString::fromLatin1(serial)));
    if (aborted)
        return;
    QCOMPARE(c.lblMesaj->text(), QStringLiteral("Pong"));
    for (int r = 1; r <= RegisterStore::kRows; ++r)
        QCOMPARE(c.store.read(r, 44) == 44.0, r == storedRow);
    if (storedRow)
        QCOMPARE(c.store.read(storedRow, 35), 35.0 / 3600.0);
}

void TstEnergyHandlers::waterMeterIndex_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QByteArray>("index");
    QTest::addColumn<QString>("shown"); // empty: the read ends, the display keeps "000"
    QTest::newRow("250 litres") << QChar(u',') << QByteArray("250") << QStringLiteral("0,25");
    QTest::newRow("500 litres") << QChar(u',') << QByteArray("500") << QStringLiteral("0,5");
    QTest::newRow("point locale") << QChar(u'.') << QByteArray("1234567") << QStringLiteral("1234.567");
    QTest::newRow("whole cubic metres") << QChar(u',') << QByteArray("3000") << QStringLiteral("3");
    QTest::newRow("zero") << QChar(u',') << QByteArray("0") << QStringLiteral("0");
    QTest::newRow("trailing bytes") << QChar(u',') << QByteArray("250\xF4\xF4\xF4") << QString();
    QTest::newRow("nothing after the prefix") << QChar(u',') << QByteArray() << QString();
    QTest::newRow("beyond 32 bits") << QChar(u',') << QByteArray("99999999999") << QString();
}

void TstEnergyHandlers::waterMeterIndex()
{
    QFETCH(QChar, separator);
    QFETCH(QByteArray, index);
    QFETCH(QString, shown);
    Client c(separator);
    c.prog.activeSerial = 12006;
    c.conn.pendingRequest = "susayaci";
    c.read(QByteArrayLiteral("enerjial\x01\x01\x01suendeks") + index);
    QCOMPARE(c.lblMesaj->text(), QStringLiteral("12006 Seri Nolu Cihazın sayac endeksi gönderiliyor. "));
    QCOMPARE(c.aborted, shown.isEmpty());
    QCOMPARE(c.text("displaysuendeks"), shown.isEmpty() ? QStringLiteral("000") : shown);
}

QTEST_MAIN(TstEnergyHandlers)
#include "tst_energy_handlers.moc"
