// The trend window over a real SQLite history: what it draws (reduced to
// the chart's columns), what a range or a zoom asks again, the legend's
// figures, the crosshair, the lines growing while recording, the CSV of
// what is shown.
#include "csv_writer.h"
#include "frm_trend.h"
#include "recorder.h"
#include "time_text.h"
#include "trend_chart_view.h"

#include <QBuffer>
#include <QChart>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QSet>
#include <QXYSeries>

using namespace history;

namespace {

const QString kSerial = QStringLiteral("12001");
const qint64 kStart = QDateTime(QDate(2026, 3, 2), QTime(8, 0), Qt::UTC).toMSecsSinceEpoch();
constexpr qint64 kRows = 7200; // two hours, one row a second
const qint64 kEnd = kStart + kRows * 1000;

// I1 runs 0, 1, … 9 over and over: lowest 0, average 4.5, highest 9.
double current(qint64 i) { return double(i % 10); }
double cosPhi(qint64 i) { return 0.9 + 0.05 * std::sin(double(i) / 300.0); }

} // namespace

class TstFrmTrend : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void drawsColumnsNotRows();
    void rangeAsksAgain_data();
    void rangeAsksAgain();
    void zoomAsksAtFinerGrain();
    void legendFigures();
    void customRangeDialog();
    void crosshairShowsValues();
    void linesGrowWhileRecording();
    void exportWritesShownColumns();
    void nearestPoint_data();
    void nearestPoint();
    void linesLookApart();

private:
    void record(qint64 from, qint64 to);
    std::unique_ptr<FrmTrend> window();

    QTemporaryDir m_dir;
    Location m_location;
    qint64 m_now = kEnd;
};

void TstFrmTrend::record(qint64 from, qint64 to)
{
    RecorderOptions o;
    o.location = m_location;
    o.clock = [this] { return m_now; };
    o.flushMs = 3'600'000;
    Recorder rec(o);
    for (qint64 i = from; i < to; ++i) {
        rec.record(kSerial, QStringLiteral("I1"), kStart + i * 1000, current(i));
        rec.record(kSerial, QStringLiteral("cos_total"), kStart + i * 1000, cosPhi(i));
    }
    rec.sync();
    QCOMPARE(rec.committedRows(), 2 * (to - from));
}

void TstFrmTrend::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_location = *parseLocation(m_dir.filePath(QStringLiteral("trend.sqlite")));
    record(0, kRows);
}

std::unique_ptr<FrmTrend> TstFrmTrend::window()
{
    auto w = std::make_unique<FrmTrend>(m_location);
    w->setClock([this] { return m_now; });
    w->resize(1100, 700);
    w->show();
    QCoreApplication::processEvents(); // laid out: the plot has its width
    w->reload();
    return w;
}

void TstFrmTrend::drawsColumnsNotRows()
{
    auto w = window();
    auto *tree = w->findChild<QTreeWidget *>(QStringLiteral("TrendBuyuklukler"));
    QVERIFY(tree);
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(tree->topLevelItem(0)->childCount(), 2);
    QVERIFY(w->setChecked(kSerial, QStringLiteral("I1")));
    QCOMPARE(w->shown().size(), 1);
    const auto &columns = w->shown().front().columns;
    const int plot = int(w->chartView()->chart()->plotArea().width());
    QVERIFY(plot > 300);
    QVERIFY(!columns.empty());
    QVERIFY(int(columns.size()) <= plot);
    auto *series = w->chartView()->chart()->series().constFirst();
    const auto points = static_cast<QXYSeries *>(series)->count();
    QVERIFY(points <= 2 * plot);
    qint64 n = 0;
    for (const Column &c : columns)
        n += c.n;
    QCOMPARE(n, kRows); // every row counted once, in some column
    QVERIFY(w->databaseText().contains(QStringLiteral("trend.sqlite")));
}

void TstFrmTrend::rangeAsksAgain_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<qint64>("length");
    QTest::newRow("Son 1 saat") << 0 << qint64(3'600'000);
    QTest::newRow("Son 7 gün") << 2 << qint64(7 * 86'400'000LL);
    QTest::newRow("Son 30 gün") << 3 << qint64(30 * 86'400'000LL);
}

void TstFrmTrend::rangeAsksAgain()
{
    QFETCH(int, index);
    QFETCH(qint64, length);
    auto w = window();
    w->setChecked(kSerial, QStringLiteral("I1"));
    auto *combo = w->findChild<QComboBox *>(QStringLiteral("cmbTrendAralik"));
    QCOMPARE(combo->count(), 5);
    QCOMPARE(combo->itemText(4), QStringLiteral("Özel..."));
    const int before = w->queryCount();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    QCOMPARE(w->queryCount(), before + 1);
    QCOMPARE(w->rangeSpan(), std::make_pair(kEnd - length, kEnd));
    QCOMPARE(w->shownSpan(), w->rangeSpan());
    const auto &columns = w->shown().front().columns;
    QVERIFY(!columns.empty());
    QVERIFY(columns.front().tMin >= std::max(kStart, kEnd - length));
}

void TstFrmTrend::zoomAsksAtFinerGrain()
{
    auto w = window();
    w->setChecked(kSerial, QStringLiteral("I1"));
    const qint64 from = kStart + 1'800'000, to = from + 300'000; // five minutes
    w->zoomTo(from, to);
    QVERIFY(w->zoomed());
    // Fewer rows than columns: every row has a column of its own.
    const auto &columns = w->shown().front().columns;
    QCOMPARE(qsizetype(columns.size()), qsizetype(300));
    QCOMPARE(columns.front().tMin, from);
    w->resetZoom();
    QVERIFY(!w->zoomed());
}

void TstFrmTrend::legendFigures()
{
    auto w = window();
    w->setChecked(kSerial, QStringLiteral("I1"));
    w->setChecked(kSerial, QStringLiteral("cos_total"));
    auto *legend = w->findChild<QTableWidget *>(QStringLiteral("TrendLejant"));
    QCOMPARE(legend->rowCount(), 2);
    // The database's order: I1, then cos_total.
    QCOMPARE(legend->item(0, 0)->text(), QStringLiteral("12001 Akım L1"));
    QCOMPARE(legend->item(0, 1)->text(), trend::valueText(0));
    QCOMPARE(legend->item(0, 2)->text(), trend::valueText(4.5));
    QCOMPARE(legend->item(0, 3)->text(), trend::valueText(9));
    QCOMPARE(legend->item(0, 4)->text(), QStringLiteral("A"));
    const auto st = trend::statsOf(w->shown().at(1).columns);
    QVERIFY(st && st->min >= 0.85 && st->max <= 0.95 && st->min < st->avg && st->avg < st->max);
    QVERIFY(w->legendTexts().at(0).contains(trend::valueText(4.5)));
}

void TstFrmTrend::customRangeDialog()
{
    auto w = window();
    w->setChecked(kSerial, QStringLiteral("I1"));
    auto *combo = w->findChild<QComboBox *>(QStringLiteral("cmbTrendAralik"));
    combo->setCurrentIndex(4);
    emit combo->activated(4);
    auto *dialog = w->findChild<QDialog *>(QStringLiteral("dlgTrendOzel"));
    QVERIFY(dialog);
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(kStart + 600'000);
    const QDateTime to = QDateTime::fromMSecsSinceEpoch(kStart + 4'200'000);
    dialog->findChild<QDateTimeEdit *>(QStringLiteral("dtTrendBaslangic"))->setDateTime(from);
    dialog->findChild<QDateTimeEdit *>(QStringLiteral("dtTrendBitis"))->setDateTime(to);
    dialog->accept();
    QCOMPARE(w->rangeSpan(), std::make_pair(from.toMSecsSinceEpoch(), to.toMSecsSinceEpoch()));
    QCOMPARE(combo->currentIndex(), 4);
    // The range outlives the clock: a live tick keeps it.
    m_now += 60'000;
    w->liveTick();
    m_now -= 60'000;
    QCOMPARE(w->rangeSpan().first, from.toMSecsSinceEpoch());
}

void TstFrmTrend::crosshairShowsValues()
{
    auto w = window();
    w->setChecked(kSerial, QStringLiteral("cos_total"));
    TrendChartView *view = w->chartView();
    const QRectF plot = view->chart()->plotArea();
    view->moveCrosshair(view->mapFromScene(view->chart()->mapToScene(plot.center())));
    QVERIFY(view->crosshairText().contains(QStringLiteral("12001 cos φ toplam: 0.")));
    view->moveCrosshair(QPointF(1, 1)); // outside the plot
    QVERIFY(view->crosshairText().isEmpty());
}

void TstFrmTrend::linesGrowWhileRecording()
{
    auto w = window();
    w->setChecked(kSerial, QStringLiteral("I1"));
    w->findChild<QComboBox *>(QStringLiteral("cmbTrendAralik"))->setCurrentIndex(0);
    emit w->findChild<QComboBox *>(QStringLiteral("cmbTrendAralik"))->activated(0);
    QVERIFY(w->shown().front().columns.back().t < kEnd);
    m_now = kEnd + 120'000;
    record(kRows, kRows + 120);
    w->liveTick();
    QCOMPARE(w->shownSpan(), std::make_pair(m_now - 3'600'000, m_now));
    QVERIFY(w->shown().front().columns.back().t > kEnd);
}

void TstFrmTrend::exportWritesShownColumns()
{
    auto w = window();
    w->setChecked(kSerial, QStringLiteral("I1"));
    w->setChecked(kSerial, QStringLiteral("cos_total"));
    w->zoomTo(kStart, kStart + 3000); // three rows
    const exports::Table t = trend::trendTable(w->shown());
    QCOMPARE(t.header.size(), 7);
    QCOMPARE(t.header.at(1), QStringLiteral("12001 Akım L1 (A) en küçük"));
    QCOMPARE(t.rows.size(), 3);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QVERIFY(exports::writeCsv(t, out, {';', ','}));
    const QList<QByteArray> lines = out.data().split('\n');
    const QByteArray cos = csv::numberBytes(cosPhi(1), {';', ','});
    QCOMPARE(lines.at(2).trimmed(), TimeFormatter().format(kStart + 1000, true) + ";1;1;1;" + cos + ';' + cos + ';' + cos);
}

void TstFrmTrend::nearestPoint_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("before the first") << -5.0 << 1.0;
    QTest::newRow("nearer the left") << 10.4 << 2.0;
    QTest::newRow("nearer the right") << 10.6 << 3.0;
    QTest::newRow("after the last") << 99.0 << 3.0;
}

void TstFrmTrend::nearestPoint()
{
    QFETCH(double, x);
    QFETCH(double, y);
    const QList<QPointF> line{{0, 1}, {10, 2}, {11, 3}};
    QCOMPARE(trend::nearestPoint(line, x)->y(), y);
    QVERIFY(!trend::nearestPoint({}, x));
}

// No two of the first 36 lines share colour and dash; the chart uses them.
void TstFrmTrend::linesLookApart()
{
    QSet<QPair<QRgb, int>> seen;
    for (int i = 0; i < 36; ++i) {
        const QPen pen = trend::linePen(i);
        QVERIFY2(!seen.contains({pen.color().rgb(), int(pen.style())}), qPrintable(QString::number(i)));
        seen.insert({pen.color().rgb(), int(pen.style())});
    }
    auto w = window();
    QVERIFY(w->setChecked(kSerial, QStringLiteral("I1")));
    QVERIFY(w->setChecked(kSerial, QStringLiteral("cos_total")));
    const QList<QAbstractSeries *> series = w->chartView()->chart()->series();
    QCOMPARE(series.size(), 2);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(static_cast<QXYSeries *>(series.at(i))->pen().color(), trend::linePen(i).color());
}

QTEST_MAIN(TstFrmTrend)
#include "tst_frm_trend.moc"
