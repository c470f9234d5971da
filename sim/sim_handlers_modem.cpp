// The industrial modem's relays and water-meter index, the overcurrent relay, and the per-phase waveforms.
#include "sim_handlers.h"

#include "demo_data.h"
#include "modbus.h"
#include "sim_device.h"
#include "sim_overcurrent_relay.h"
#include "sim_field_outputs.h"
#include "sim_request.h"
#include "sim_server.h"
#include "sim_session.h"
#include "sim_waveform.h"
#include "wire.h"

#include <QDateTime>


namespace sim {

FieldOutputs &FieldOutputs::of(SimServer &server)
{
    if (auto *existing = server.findChild<FieldOutputs *>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new FieldOutputs(&server);
}

namespace {

QString shown(const QByteArray &bytes)
{
    return wire::renderForLog(bytes);
}

// ---- waveforms -------------------------------------------------------------

bool samplesWaveforms(DeviceKind kind)
{
    return kind == DeviceKind::Analyser || kind == DeviceKind::CompensationRelay;
}

void answerWaveform(SimSession &session, const SimRequest &request, int phase)
{
    SimDevice *device = requestedDevice(session, request);
    if (!device)
        return;
    if (!samplesWaveforms(device->kind())) {
        session.log(QStringLiteral("\"%1\" for %2: the device samples no waveforms, no answer")
                        .arg(QString::fromLatin1(request.keyword))
                        .arg(device->info().serial));
        return;
    }
    const PhaseSamples samples = samplePhase(device->waves()[size_t(phase - 1)]);
    session.send(modbus::enerjialMessage(waveformPayload(samples)));
}

void harmonikbir(SimSession &s, const SimRequest &r) { answerWaveform(s, r, 1); }
void harmonikiki(SimSession &s, const SimRequest &r) { answerWaveform(s, r, 2); }
void harmonikuc(SimSession &s, const SimRequest &r) { answerWaveform(s, r, 3); }

// ---- industrial modem --------------------------------------------------------

QByteArray relayStates(const ModemOutputs &m)
{
    QByteArray out;
    for (int n = 0; n < 3; ++n)
        out += wire::encode(QStringLiteral("Röle%1%2#").arg(n + 1).arg(m.relays[size_t(n)] ? 1 : 0));
    return out;
}

// "output" + relay (0..2) + pull (1) or release (0).
bool switchOutput(SimSession &session, ModemOutputs &m, const QByteArray &command)
{
    if (command.size() != 8 || command[6] < '0' || command[6] > '2' || (command[7] != '0' && command[7] != '1'))
        return false;
    const int relay = command[6] - '0';
    const bool on = command[7] == '1';
    m.relays[size_t(relay)] = on;
    session.log(QStringLiteral("modem output %1 %2").arg(relay + 1).arg(on ? "pulled" : "released"));
    session.send(modbus::enerjialMessage(QByteArrayLiteral("output") + command[6] + '#' + command[7]));
    return true;
}

// "ellesuendeksyaz" + litres + "#". The modem's index holds nine digits
// (999 999,999 m3), which the client also reads back whole.
bool writeIndex(SimSession &session, ModemOutputs &m, const QByteArray &command)
{
    static const QByteArray kPrefix("ellesuendeksyaz");
    if (!command.endsWith('#'))
        return false;
    const QByteArray digits = command.sliced(kPrefix.size(), command.size() - kPrefix.size() - 1);
    bool ok = digits.size() <= 9 && !digits.isEmpty();
    for (char c : digits)
        ok = ok && c >= '0' && c <= '9';
    if (!ok)
        return false;
    m.waterLitres = digits.toLongLong();
    session.log(QStringLiteral("water-meter index set to %1 litres").arg(m.waterLitres));
    session.send(modbus::enerjialMessage(wire::encode(QStringLiteral("Yeni endeks değeri yazildi"))));
    return true;
}

void modemkomut(SimSession &session, const SimRequest &request)
{
    SimDevice *device = requestedDevice(session, request);
    if (!device)
        return;
    const QByteArray command = request.fields.value(1);
    if (device->kind() != DeviceKind::Unknown) {
        session.log(QStringLiteral("\"modemkomut\" %1 for %2, not an industrial modem: no answer")
                        .arg(shown(command))
                        .arg(device->info().serial));
        return;
    }
    ModemOutputs &m = FieldOutputs::of(session.server()).modem(device->info().serial);
    bool answered = false;
    if (command == "rolesorgula") {
        session.send(modbus::enerjialMessage(relayStates(m)));
        answered = true;
    } else if (command == "suendeksver") {
        session.send(modbus::enerjialMessage(QByteArrayLiteral("suendeks") + QByteArray::number(m.waterLitres)));
        answered = true;
    } else if (command.startsWith("output")) {
        answered = switchOutput(session, m, command);
    } else if (command.startsWith("ellesuendeksyaz")) {
        answered = writeIndex(session, m, command);
    }
    if (!answered)
        session.log(QStringLiteral("\"modemkomut\" %1: not understood, no answer").arg(shown(command)));
}

// ---- overcurrent relay --------------------------------------------------------

QByteArray amps(float a)
{
    return QByteArray::number(double(a), 'f', 2);
}

OvercurrentRelayDevice *overcurrentRelay(SimSession &session, const SimRequest &request)
{
    SimDevice *device = requestedDevice(session, request);
    if (device && !asOvercurrentRelay(device)) {
        session.log(QStringLiteral("\"%1\" for %2, not an overcurrent relay: no answer")
                        .arg(QString::fromLatin1(request.keyword))
                        .arg(device->info().serial));
        return nullptr;
    }
    return asOvercurrentRelay(device);
}

void aarDegerleriOku(SimSession &session, const SimRequest &request)
{
    const OvercurrentRelayDevice *relay = overcurrentRelay(session, request);
    if (!relay)
        return;
    // The same clock and currents as the relay's register answer.
    const std::array<float, 4> i = relay->currents();
    const QDateTime clock = relay->clock();
    session.send(wire::buildRequest("akimdegerleri",
                                    {amps(i[0]), amps(i[1]), amps(i[2]), amps(i[3]),
                                     QByteArray::number(relay->info().serial),
                                     clock.toString(QStringLiteral("dd.MM.yyyy")).toLatin1(),
                                     clock.toString(QStringLiteral("hh:mm:ss")).toLatin1()}));
}

void roleaktif(SimSession &session, const SimRequest &request)
{
    const SimDevice *device = overcurrentRelay(session, request);
    if (!device)
        return;
    const QByteArray mask = request.fields.value(1);
    if (mask.size() != 1) {
        session.log(QStringLiteral("\"roleaktif\" with mask %1: not one byte, ignored").arg(shown(mask)));
        return;
    }
    OvercurrentOutputs &o = FieldOutputs::of(session.server()).overcurrent(device->info().serial);
    o.relayMask = quint8(mask[0]) & 0x70;
    session.log(QStringLiteral("overcurrent relay %1: relays pulled 1:%2 2:%3 3:%4")
                    .arg(device->info().serial)
                    .arg(o.relayMask & 0x10 ? 1 : 0)
                    .arg(o.relayMask & 0x20 ? 1 : 0)
                    .arg(o.relayMask & 0x40 ? 1 : 0));
}

// The write names no device: it reaches every overcurrent relay of the user
// that is on line.
void sabitleriyaz(SimSession &session, const SimRequest &)
{
    const DemoUser *user = session.user();
    if (!user) {
        session.log(QStringLiteral("\"sabitleriyaz\" before login: no answer"));
        return;
    }
    int reached = 0;
    for (quint32 serial : user->serials) {
        const SimDevice *device = session.server().device(serial);
        if (device && device->online() && device->kind() == DeviceKind::OvercurrentRelay) {
            ++FieldOutputs::of(session.server()).overcurrent(serial).constantWrites;
            ++reached;
        }
    }
    session.log(QStringLiteral("constants written to %1 overcurrent relay(s)").arg(reached));
}

} // namespace

std::span<const KeywordHandler> modemHandlers()
{
    static const KeywordHandler kTable[] = {
        {"harmonikbir", harmonikbir},
        {"harmonikiki", harmonikiki},
        {"harmonikuc", harmonikuc},
        {"modemkomut", modemkomut},
        {"AARdegerlerioku", aarDegerleriOku},
        {"roleaktif", roleaktif},
        {"sabitleriyaz", sabitleriyaz},
    };
    return kTable;
}

} // namespace sim
