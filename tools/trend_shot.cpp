// Developer tool: the trend window over a day of a simulated compensation
// relay (its answers every 10 s recorded as the client records them), as
// chosen, zoomed in with the crosshair, and the export dialog.
//   trend_shot OUTDIR
#include "appearance.h"
#include "export_table.h"
#include "frm_trend.h"
#include "language_choice.h"
#include "recorder.h"
#include "sim_device.h"
#include "trend_chart_view.h"

#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>

#include <atomic>
#include <memory>

using namespace history;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    language::installTranslator(app, language::kTurkish); // the dialog's own buttons too
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    QTemporaryDir dir;
    const Location location = *parseLocation(dir.filePath(QStringLiteral("history.sqlite")));

    const qint64 day = QDateTime(QDate(2026, 3, 2), QTime(0, 0)).toMSecsSinceEpoch();
    const qint64 end = day + 86'400'000;
    const QString serial = QStringLiteral("12002");
    {
        RecorderOptions o;
        o.location = location;
        o.flushMs = 3'600'000;
        o.maxPendingRows = 10'000'000;
        // The recorder stamps each answer with its clock: the simulated time.
        auto now = std::make_shared<std::atomic<qint64>>(day);
        o.clock = [now] { return now->load(); };
        Recorder rec(o);
        auto relay = sim::makeDevice({QStringLiteral("Merkez"), QStringLiteral("Rkt90wz"),
                                      QStringLiteral("Kompanzasyon Rölesi"), serial.toUInt(), true, {}});
        std::vector<double> row(402, -1.0);
        for (qint64 t = day; t < end; t += 10'000) {
            *now = t;
            relay->advance(t);
            const auto regs = relay->registers(0, 125);
            for (size_t i = 0; i < regs.size(); ++i)
                row[i] = regs[i];
            rec.recordRegisters(serial, 2, row, {0, int(regs.size()) - 1});
        }
        *now = end + 60'000; // the last minutes aggregated too
        rec.sync();
    }
    QFile sample(dir.filePath(QStringLiteral("enerji_degerleri.csv")));
    sample.open(QIODevice::WriteOnly);
    sample.write("\xEF\xBB\xBF");

    FrmTrend w(location);
    w.setClock([end] { return end; });
    w.resize(1180, 720);
    w.show();
    app.processEvents();
    w.reload();
    for (const char *q : {"cos_total", "I1", "I2", "I3", "ratio_ind_total", "ratio_cap_total"})
        if (!w.setChecked(serial, QLatin1String(q)))
            qWarning("no series %s", q);
    w.setCustomRange(day, end);
    app.processEvents();
    w.grab().save(out + QStringLiteral("/trend_day.png"));

    w.zoomTo(day + 14 * 3'600'000LL, day + 15 * 3'600'000LL);
    app.processEvents();
    TrendChartView *view = w.chartView();
    const QRectF plot = view->chart()->plotArea();
    view->moveCrosshair(view->mapFromScene(view->chart()->mapToScene(QPointF(plot.left() + plot.width() * 0.4, plot.center().y()))));
    app.processEvents();
    w.grab().save(out + QStringLiteral("/trend_zoomed.png"));

    QFileDialog *d = exports::saveDialog(&w, QStringLiteral("egilim.csv"));
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setDirectory(dir.path());
    d->resize(760, 460);
    d->show();
    app.processEvents();
    d->grab().save(out + QStringLiteral("/export_dialog.png"));
    return 0;
}
