// Register reads: each answers with a Modbus read response from its start
// register, relayed as "enerjial" and the response's bytes as "$"-ended
// decimal text, in one write of its own.
#include "sim_handlers.h"

#include "modbus.h"
#include "sim_device.h"
#include "sim_energy.h"
#include "sim_request.h"
#include "sim_server.h"
#include "sim_session.h"

#include <QDateTime>

#include <algorithm>

namespace sim {

namespace {

// A few plausible values for a device whose register image is still empty,
// so that a selection shows numbers before the device physics fills the
// image. Register numbers as the client numbers them: 0 CT ratio, 2-4
// voltages (0.1 V), 5-7 currents (mA before the CT), 8-10 active, 11-13
// reactive, 14-16 apparent powers (W before the CT), 17-20 cos phi, 25 and
// 29 total active and apparent power. The compensation relay keeps its cos
// phi in thousandths and its frequency and temperature at 30 and 31, the
// other kinds their temperature at 48.
void placeholderImage(SimDevice &device)
{
    const bool relay = device.kind() == DeviceKind::CompensationRelay;
    const quint16 fixed[][2] = {
        {0, 20},
        {2, 2304}, {3, 2298}, {4, 2311},
        {5, 2430}, {6, 2560}, {7, 2395},
        {8, 545}, {9, 572}, {10, 536},
        {11, 118}, {12, 131}, {13, 112},
        {14, 558}, {15, 587}, {16, 548},
        {25, 1653}, {29, 1693},
    };
    for (const auto &r : fixed)
        device.setReg(r[0], r[1]);
    const quint16 cosPhi[] = {977, 975, 979, 977};
    for (int i = 0; i < 4; ++i)
        device.setReg(17 + i, relay ? cosPhi[i] : quint16(cosPhi[i] / 10));
    if (relay) {
        device.setReg(30, 500);
        device.setReg(31, 29);
    } else {
        device.setReg(48, 31);
    }
}

bool imageIsEmpty(const SimDevice &device)
{
    const std::span<const quint16> all = device.registers(0, SimDevice::kRegisters);
    return std::all_of(all.begin(), all.end(), [](quint16 r) { return r == 0; });
}

void answer(SimSession &session, std::span<const quint16> registers)
{
    session.send(modbus::enerjialMessage(modbus::payloadText(modbus::readResponse(registers))));
}

// Reads count registers from first and answers them.
void answerRead(SimSession &session, const SimRequest &request, int first, int count)
{
    SimDevice *device = requestedDevice(session, request);
    if (!device)
        return;
    if (imageIsEmpty(*device))
        placeholderImage(*device);
    answer(session, device->registers(first, count));
}

// "enertum": the instantaneous values from register 0, a full read of 125
// registers; the overcurrent relay answers its own 12.
void handleEnertum(SimSession &session, const SimRequest &request)
{
    SimDevice *device = requestedDevice(session, request);
    if (!device)
        return;
    // The overcurrent relay keeps its clock and currents in registers 0 to 11.
    if (device->kind() == DeviceKind::OvercurrentRelay) {
        answer(session, device->registers(0, 12));
        return;
    }
    if (imageIsEmpty(*device))
        placeholderImage(*device);
    answer(session, device->registers(0, 125));
}

// Consumption: registers 90 to 128, after the meter values kept before the
// last reset ("Sycdegerleri"). That message goes first: the register answer
// runs to the end of the client's read and would swallow anything behind it.
void handleEnerharcanan(SimSession &session, const SimRequest &request)
{
    SimDevice *device = requestedDevice(session, request);
    if (!device)
        return;
    if (imageIsEmpty(*device))
        placeholderImage(*device);
    session.send(beforeResetMessage(*device, session.server().wallNow()));
    answer(session, device->registers(90, 39));
}

// Constants: registers 129 to 159.
void handleZorvsabitiste(SimSession &session, const SimRequest &request)
{
    answerRead(session, request, 129, 31);
}

// Capacitor states and powers: registers 157 to 231.
void handleKondasatordurum(SimSession &session, const SimRequest &request)
{
    answerRead(session, request, 157, 75);
}

// The device's harmonic table: registers 300 to 401.
void handleHarmonikzorv(SimSession &session, const SimRequest &request)
{
    answerRead(session, request, 300, 102);
}

constexpr KeywordHandler kHandlers[] = {
    {"enertum", handleEnertum},
    {"enerharcanan", handleEnerharcanan},
    {"zorvsabitiste", handleZorvsabitiste},
    {"kondasatordurum", handleKondasatordurum},
    {"harmonikzorv", handleHarmonikzorv},
};

} // namespace

std::span<const KeywordHandler> registerHandlers()
{
    return kHandlers;
}

} // namespace sim
