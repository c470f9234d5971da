// Developer tool: the live display of a simulated analyser (12001) and
// compensation relay (12002) on pages 0, 1, 4 and 5 of the main window, with
// the values their register images hold, in a Turkish locale.
//   display_shots OUTDIR
#include "appearance.h"
#include "client_state.h"
#include "frm_ana.h"
#include "group_bar.h"
#include "modbus.h"
#include "payload_decoder.h"
#include "sim_compensation_relay.h"
#include "sim_physics.h"
#include "tvd1kal.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QTabWidget>
#include <QTimer>

namespace {

void deliver(RegisterStore &store, const sim::SimDevice &d, int first, int count)
{
    const QByteArray text = sim::modbus::payloadText(sim::modbus::readResponse(d.registers(first, count)));
    store.targetRow = 1;
    store.startRegister = first;
    payload::decode(text, store);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    applyAppearance(app);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(out);

    TFrmAna ana;
    TVD1KAL vd1kal;
    ana.attach({}, nullptr, &vd1kal, nullptr);
    ana.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
    auto *bar = ana.findChild<GroupBar *>(QStringLiteral("RzGroupBar1"));
    GroupBarGroup *group = bar->addGroup(QStringLiteral("Merkez Fabrika"));
    group->insertItem(QStringLiteral("Ana Pano Analizörü No: 12001"), 0);
    group->insertItem(QStringLiteral("Kompanzasyon Rölesi No: 12002"), 2);
    ana.show();
    app.processEvents();
    auto *tabs = ana.findChild<QTabWidget *>(QStringLiteral("suiPageControl1"));
    programState().decimalSeparator = QLatin1Char(',');

    const qint64 t = QDateTime(QDate(2026, 6, 15), QTime(10, 40)).toMSecsSinceEpoch();
    const struct {
        const char *model, *name;
        quint32 serial;
        int kind;
    } devices[] = {{"QRN410", "analyser", 12001, 0}, {"Rkt90wz", "relay", 12002, 2}};
    for (const auto &dev : devices) {
        sim::DeviceInfo info;
        info.model = QLatin1String(dev.model);
        info.serial = dev.serial;
        std::unique_ptr<sim::SimDevice> d;
        if (dev.kind == 2)
            d = std::make_unique<sim::CompensationRelayDevice>(info, t - 3600000);
        else
            d = std::make_unique<sim::AnalyserDevice>(info, t - 3600000);
        d->advance(t);
        RegisterStore &store = vd1kal.store();
        store.reset(1, 0, 255);
        for (int first : {0, 90, 157, 300})
            deliver(store, *d, first, first == 300 ? 102 : first == 157 ? 75 : 125);
        programState().deviceKind = dev.kind;
        programState().activeSerial = int(dev.serial);
        // The tabs a device of this kind shows.
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->widget(i)->setEnabled(true);
            const bool shown = i == 0 || i == 1 || i == 4 || i == 5 || i == 8 || (dev.kind == 0 && i == 3);
            tabs->setTabVisible(i, shown);
        }
        for (int page : {0, 1, 4, 5}) {
            tabs->setCurrentIndex(page);
            QMetaObject::invokeMethod(ana.findChild<QTimer *>(QStringLiteral("Timer1")), "timeout");
            app.processEvents();
            ana.grab().save(QStringLiteral("%1/display_%2_page%3.png").arg(out, QLatin1String(dev.name)).arg(page));
        }
    }
    return 0;
}
