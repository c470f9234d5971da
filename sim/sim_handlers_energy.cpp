// Energy between two dates and meter readouts. The consumption registers
// ("enerharcanan") are register reads; the summaries that colour the device
// bar and the meter values before the last reset are built in sim_energy.h
// for the handlers that send them.
#include "sim_handlers.h"

#include "iec_readout.h"
#include "sim_device.h"
#include "sim_energy.h"
#include "sim_field_outputs.h"
#include "sim_request.h"
#include "sim_server.h"
#include "sim_session.h"

#include <QDateTime>
#include <QTimer>

namespace sim {

namespace {

// The modem needs a moment to wake the meter; then the readout comes off
// the meter's port piece by piece.
constexpr int kFirstPieceMs = 300;
constexpr int kPieceIntervalMs = 150;

void answerRange(SimSession &session, const SimRequest &request, QByteArrayView answer)
{
    SimDevice *device = requestedDevice(session, request);
    if (!device)
        return;
    const qint64 now = session.server().wallNow();
    const EnergyRange range = energyBetween(device->info(), request.fields.value(1), request.fields.value(2), now);
    session.send(energyRangeMessage(answer, QByteArray::number(device->info().serial), range));
}

// "reaktifener" serial, first date, last date → "reaktifenerji".
void handleEnergyRange(SimSession &session, const SimRequest &request)
{
    answerRange(session, request, "reaktifenerji");
}

// "sycreaktfener" serial, first date, last date → "tedassycal"; empty dates
// ask for the current billing period.
void handleMeterEnergyRange(SimSession &session, const SimRequest &request)
{
    answerRange(session, request, "tedassycal");
}

// "sayac" serial, "tdshyr" (ordinary) or "tdsEvt" (utility reading),
// "kythyr" or "kytevt" (record the utility reading): the meter's readout in
// "sayacal" pieces.
void handleMeterRead(SimSession &session, const SimRequest &request)
{
    SimDevice *device = requestedDevice(session, request);
    if (!device)
        return;
    if (device->kind() != DeviceKind::MeterModem) {
        session.log(QStringLiteral("\"sayac\" for %1, which reads no meter: no answer").arg(device->info().serial));
        return;
    }
    const QByteArray kind = request.fields.value(1);
    const bool utility = kind == "tdsEvt";
    if (!utility && kind != "tdshyr")
        session.log(QStringLiteral("\"sayac\" with reading kind \"%1\": read as an ordinary reading")
                        .arg(QString::fromLatin1(kind.left(16))));
    if (utility && request.fields.value(2) == "kytevt")
        session.log(QStringLiteral("utility reading of meter %1 recorded").arg(device->info().serial));
    // The modem reads its meter once at a time: a request while a readout
    // is still coming is not taken (nor does it pile up readouts).
    qint64 &busyUntil = FieldOutputs::of(session.server()).meterBusyUntil(device->info().serial);
    if (session.server().now() < busyUntil) {
        session.log(QStringLiteral("\"sayac\" for %1 while its meter is still being read: no answer")
                        .arg(device->info().serial));
        return;
    }
    const qint64 now = session.server().wallNow();
    const QList<QByteArray> pieces =
        readoutPieces(iecReadout(meterReading(device->info(), now, utility)), device->info().serial);
    busyUntil = session.server().now() + kFirstPieceMs + qint64(pieces.size()) * kPieceIntervalMs;
    // Each piece is its own write, a moment after the one before.
    for (int i = 0; i < pieces.size(); ++i) {
        const QByteArray message = sayacalMessage(pieces[i]);
        QTimer::singleShot(kFirstPieceMs + i * kPieceIntervalMs, &session,
                           [&session, message] { session.send(message); });
    }
}

constexpr KeywordHandler kHandlers[] = {
    {"reaktifener", handleEnergyRange},
    {"sycreaktfener", handleMeterEnergyRange},
    {"sayac", handleMeterRead},
};

} // namespace

std::span<const KeywordHandler> energyHandlers()
{
    return kHandlers;
}

} // namespace sim
