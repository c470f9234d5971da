// The exports: each page's "Dışa Aktar..." button is there, and what the
// page shows becomes the table's rows (numbers as numbers, words as text);
// the table's CSV bytes; the log's lines split into time and text.
#include "frm_haberlesme.h"
#include "image_area.h"
#include "main_pages.h"
#include "page_tables.h"

#include <QBuffer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QTest>

using exports::Cell;
using exports::Table;

namespace {

enum Page { Energy, Spectrum, Harmonics, Meter };

void build(QWidget &w, Page page)
{
    switch (page) {
    case Energy:
        pages::buildTuketim(&w);
        break;
    case Spectrum:
        pages::buildHarmonikDalga(&w);
        break;
    case Harmonics:
        pages::buildHarmonikTablo(&w);
        break;
    case Meter:
        pages::buildSayac(&w);
        break;
    }
}

Table tableOf(const QWidget &w, Page page)
{
    switch (page) {
    case Energy:
        return exports::energyTable(&w);
    case Spectrum:
        return exports::spectrumTable(&w);
    case Harmonics:
        return exports::harmonicTable(&w);
    case Meter:
        return exports::meterTable(&w);
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Page)
Q_DECLARE_METATYPE(Cell)

class TstExportTables : public QObject {
    Q_OBJECT
private slots:
    void shownNumber_data();
    void shownNumber();
    void pageRows_data();
    void pageRows();
    void csvBytes();
    void logLines();
};

void TstExportTables::shownNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("leading zeros, comma") << "001234,50" << true << 1234.5;
    QTest::newRow("point") << "-12.25" << true << -12.25;
    QTest::newRow("whole") << " 230 " << true << 230.0;
    QTest::newRow("band word") << "CEZA" << false << 0.0;
    QTest::newRow("two signs") << "1.2.3" << false << 0.0;
    QTest::newRow("date") << "01.03.2026" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
}

void TstExportTables::shownNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const auto n = exports::shownNumber(text);
    QCOMPARE(n.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*n, value);
}

void TstExportTables::pageRows_data()
{
    QTest::addColumn<Page>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<Cell>("cell");
    QTest::newRow("energy: total active") << Energy << "btnTuketimDisaAktar" << "Ewh" << "001234,5" << 4 << 2 << Cell(1234.5);
    QTest::newRow("energy: serial") << Energy << "btnTuketimDisaAktar" << "Edit111" << "12001" << 0 << 2 << Cell(12001.0);
    QTest::newRow("energy: band word") << Energy << "btnTuketimDisaAktar" << "Kapdurum" << "CEZA" << 29 << 2
                                       << Cell(QStringLiteral("CEZA"));
    QTest::newRow("energy: row caption") << Energy << "btnTuketimDisaAktar" << "kVArCh_T" << "7" << 11 << 1
                                         << Cell(QStringLiteral("T"));
    QTest::newRow("harmonics: 3rd of L1 voltage") << Harmonics << "btnHarmonikTabloDisaAktar" << "h_v1_3" << "2,5" << 1
                                                  << 1 << Cell(2.5);
    QTest::newRow("harmonics: current THD of L3") << Harmonics << "btnHarmonikTabloDisaAktar" << "thdc3" << "12,75" << 16
                                                  << 6 << Cell(12.75);
    QTest::newRow("harmonics: order column") << Harmonics << "btnHarmonikTabloDisaAktar" << "h_i2_31" << "1" << 15 << 0
                                             << Cell(31.0);
    QTest::newRow("meter: active total") << Meter << "btnSayacDisaAktar" << "Rzsycakttop" << "001234.567" << 1 << 2
                                         << Cell(1234.567);
    QTest::newRow("meter: tariff 3") << Meter << "btnSayacDisaAktar" << "RzsycT3" << "000010.000" << 6 << 2 << Cell(10.0);
    QTest::newRow("meter: readout line") << Meter << "btnSayacDisaAktar" << "Memo3" << "/ABC5\n\n1.8.0(001234.567*kWh)"
                                         << 22 << 2 << Cell(QStringLiteral("1.8.0(001234.567*kWh)"));
    QTest::newRow("spectrum: L2 current, 5th") << Spectrum << "btnHarmonikDalgaDisaAktar" << "Image7" << "" << 4 << 4
                                               << Cell(5.0);
    QTest::newRow("spectrum: phase not analysed") << Spectrum << "btnHarmonikDalgaDisaAktar" << "Image7" << "" << 4 << 5
                                                  << Cell();
}

void TstExportTables::pageRows()
{
    QFETCH(Page, page);
    QFETCH(QString, button);
    QFETCH(QString, component);
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(Cell, cell);
    QWidget w;
    build(w, page);
    QObject *trigger = w.findChild<QObject *>(button); // a button, or page 3's context menu action
    QVERIFY(trigger);
    QCOMPARE(trigger->property("text").toString(), QStringLiteral("Dışa Aktar..."));
    QObject *o = w.findChild<QObject *>(component);
    QVERIFY2(o, qPrintable(component));
    if (auto *memo = qobject_cast<QPlainTextEdit *>(o))
        memo->setPlainText(text);
    else if (auto *chart = qobject_cast<ImageArea *>(o))
        chart->setValues({1, 2, 3, 4, 5, 6});
    else
        QVERIFY(o->setProperty("text", text));
    const Table t = tableOf(w, page);
    QVERIFY(row < t.rows.size());
    QCOMPARE(t.rows[row].size(), t.header.size());
    const Cell &got = t.rows[row][column];
    QCOMPARE(got.number, cell.number);
    if (!cell.number)
        QCOMPARE(got.text, cell.text);
}

void TstExportTables::csvBytes()
{
    Table t{{QStringLiteral("Büyüklük"), QStringLiteral("Değer")},
            {{QStringLiteral("İndüktif; oran"), Cell(12.5)}, {QStringLiteral("Durum"), QStringLiteral("CEZA")}}};
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QVERIFY(exports::writeCsv(t, out, {';', ','}));
    QCOMPARE(out.data(), QByteArray("\xEF\xBB\xBF" "Büyüklük;Değer\r\n\"İndüktif; oran\";12,5\r\nDurum;CEZA\r\n"));
}

void TstExportTables::logLines()
{
    TFrmhaberlesme log;
    QVERIFY(log.findChild<QPushButton *>(QStringLiteral("btnHaberlesmeDisaAktar")));
    QStringListModel model({QStringLiteral("12:00:01:   enerjial\x01" "12001"), QStringLiteral("## not")});
    const Table t = exports::logTable(model);
    QCOMPARE(t.rows.size(), 2);
    QCOMPARE(t.rows[0], (exports::Row{QStringLiteral("12:00:01"), QStringLiteral("enerjial\x01" "12001")}));
    QCOMPARE(t.rows[1], (exports::Row{QString(), QStringLiteral("## not")}));
}

QTEST_MAIN(TstExportTables)
#include "tst_export_tables.moc"
