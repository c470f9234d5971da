// Register reads: each answers with a Modbus read response from its start
// register, relayed as "enerjial" and the response's bytes as "$"-ended
// decimal text, in one write of its own.
#include "sim_handlers.h"

#include "modbus.h"
#include "sim_device.h"
#include "sim_request.h"
#include "sim_session.h"

#include <QDateTime>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

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

// Two data bytes per register, high byte first.
void putWord(std::array<quint8, 24> &bytes, int at, quint32 word)
{
    bytes[size_t(at)] = quint8(word >> 24);
    bytes[size_t(at + 1)] = quint8(word >> 16);
    bytes[size_t(at + 2)] = quint8(word >> 8);
    bytes[size_t(at + 3)] = quint8(word);
}

// The overcurrent relay's answer: 24 data bytes in 12 registers: second,
// minute, hour, day, two spare bytes, month, year of the century, then I1,
// I2, I3 and It as single-precision values, most significant byte first.
std::vector<quint16> overcurrentRegisters(const SimDevice &device, const QDateTime &now)
{
    std::array<quint8, 24> bytes{};
    const QTime t = now.time();
    const QDate d = now.date();
    bytes[0] = quint8(t.second());
    bytes[1] = quint8(t.minute());
    bytes[2] = quint8(t.hour());
    bytes[3] = quint8(d.day());
    bytes[6] = quint8(d.month());
    bytes[7] = quint8(d.year() % 100);
    // The phase currents follow the device's waves once its physics sets
    // them; until then a lightly loaded feeder.
    const auto &waves = device.waves();
    const float fallback[3] = {48.6f, 51.2f, 47.9f};
    float currents[4];
    for (int i = 0; i < 3; ++i)
        currents[i] = waves[size_t(i)].currentRms > 0 ? float(waves[size_t(i)].currentRms) : fallback[i];
    currents[3] = 1.3f; // residual (earth) current
    for (int i = 0; i < 4; ++i) {
        quint32 word;
        std::memcpy(&word, &currents[i], sizeof word);
        putWord(bytes, 8 + 4 * i, word);
    }
    std::vector<quint16> regs(12);
    for (size_t r = 0; r < regs.size(); ++r)
        regs[r] = quint16(bytes[2 * r] << 8 | bytes[2 * r + 1]);
    return regs;
}

// "enertum": the instantaneous values from register 0, a full read of 125
// registers; the overcurrent relay answers its own 12.
void handleEnertum(SimSession &session, const SimRequest &request)
{
    SimDevice *device = requestedDevice(session, request);
    if (!device)
        return;
    if (device->kind() == DeviceKind::OvercurrentRelay) {
        const std::vector<quint16> regs = overcurrentRegisters(*device, QDateTime::currentDateTime());
        answer(session, regs);
        return;
    }
    if (imageIsEmpty(*device))
        placeholderImage(*device);
    answer(session, device->registers(0, 125));
}

// Consumption: registers 90 to 128.
void handleEnerharcanan(SimSession &session, const SimRequest &request)
{
    answerRead(session, request, 90, 39);
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
