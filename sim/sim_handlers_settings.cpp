// The compensation relay's setting writes and the capacitor step commands.
// A write reaches the relay as a Modbus write; the relay keeps the value in
// its register image (where the constants read and the live values find it)
// and answers with the echo of the write, or with an exception reply when it
// refuses the value.
//
// The client pairs an "enerjial" answer with its request only through the
// answer its last request left pending. The learning and direction write and
// the two step commands leave that as it was - often a register read, whose
// branch would store the echo as registers over the live values. Their
// replies stay on the server (logged), as for the other requests the client
// pairs no answer with; the relay acts on them all the same.
#include "sim_handlers.h"

#include "modbus.h"
#include "sim_device.h"
#include "sim_log.h"
#include "sim_request.h"
#include "sim_session.h"

#include <optional>

namespace sim {

namespace {

constexpr quint8 kWriteOne = 6;
constexpr quint8 kWriteMany = 16;
constexpr quint8 kIllegalFunction = 1;
constexpr quint8 kIllegalAddress = 2;
constexpr quint8 kIllegalValue = 3;

constexpr int kSteps = 18;
constexpr int kFirstStepRegister = 160; // flags, then the powers R, S, T
constexpr int kMaxStepPower = 5000;
constexpr quint16 kStepAddress = 0x5000; // device address of step 1's flags
constexpr int kLampsLow = 45;            // steps 1..16, bit n - 1
constexpr int kLampsHigh = 44;           // steps 17, 18, bits 0 and 1
constexpr quint16 kAllPhases = 0x7;

// One register word of a setting: where it is kept (-1: a reserved word that
// must be 0 and is not kept), the values the relay accepts, and whether it
// is a signed 16-bit value.
struct Word {
    int reg;
    int min;
    int max;
    bool signed16 = false;
};

struct SettingWrite {
    const char *keyword;
    quint16 address;  // device register address of the first word
    quint8 function;  // kWriteOne or kWriteMany
    bool splitWords;  // each word as two fields (high, low); otherwise one field
    bool analyserToo; // the analysers take it as well (their transformer ratio)
    int count;
    Word words[3];
};

// Device addresses: 0x10xx transformer, 0x30xx switching mode, 0x40xx the
// constants from tan phi on (0x4000 + client register - 129).
const SettingWrite kSettingWrites[] = {
    {"zorvctyaz", 0x1000, kWriteOne, true, true, 1, {{0, 0, 2000}}},
    {"zorvtanfiyaz", 0x4000, kWriteOne, true, false, 1, {{129, -75, 75, true}}},
    {"zorvindcezasiniryaz", 0x4003, kWriteOne, true, false, 1, {{132, 5, 50}}},
    {"zorvkapcezasiniryaz", 0x4004, kWriteOne, true, false, 1, {{133, 5, 50}}},
    {"zorvalmacikarmayaz", 0x4005, kWriteMany, true, false, 3, {{134, 10, 60}, {135, 10, 60}, {136, 2, 10}}},
    {"zorvkonogryonyaz", 0x4008, kWriteMany, true, false, 3, {{137, 0, 1}, {138, 0, 1}, {-1, 0, 0}}},
    {"zorvotomanuelyaz", 0x3000, kWriteOne, false, false, 1, {{157, 0, 1}}},
    {"zorvhizlimod", 0x4019, kWriteOne, false, false, 1, {{154, 0, 1}}},
};

std::optional<int> wholeField(const SimRequest &request, int index)
{
    if (index >= request.fields.size())
        return std::nullopt;
    bool ok = false;
    const int v = request.fields.at(index).toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

// One byte of a Modbus frame, given as decimal text; anything else cannot be
// put on the device's line.
std::optional<int> byteField(const SimRequest &request, int index)
{
    const std::optional<int> v = wholeField(request, index);
    return v && *v >= 0 && *v <= 255 ? v : std::nullopt;
}

// A 16-bit word from its high and low fields.
std::optional<int> wordFields(const SimRequest &request, int highIndex)
{
    const std::optional<int> high = byteField(request, highIndex);
    const std::optional<int> low = byteField(request, highIndex + 1);
    if (!high || !low)
        return std::nullopt;
    return *high * 256 + *low;
}

// Requests after which the client expects no answer of the device.
bool unpaired(const QByteArray &keyword)
{
    return keyword == "zorvkonogryonyaz" || keyword == "Kondandegeryaz" || keyword == "zorvdevreyealcikart";
}

void answer(SimSession &session, const SimRequest &request, const QByteArray &frame)
{
    const QByteArray text = modbus::payloadText(frame);
    if (!unpaired(request.keyword)) {
        session.send(modbus::enerjialMessage(text));
        return;
    }
    session.log(QStringLiteral("\"%1\": the device answered %2, not relayed (the client pairs no answer with it)")
                    .arg(QString::fromLatin1(request.keyword), log::bytes(text)));
}

void refuse(SimSession &session, const SimRequest &request, quint8 function, quint8 code)
{
    session.log(QStringLiteral("\"%1\" refused, exception %2").arg(QString::fromLatin1(request.keyword)).arg(code));
    answer(session, request, modbus::exceptionReply(function, code));
}

const SettingWrite *settingWriteFor(const QByteArray &keyword)
{
    for (const SettingWrite &w : kSettingWrites) {
        if (keyword == w.keyword)
            return &w;
    }
    return nullptr;
}

void settingWrite(SimSession &session, const SimRequest &request)
{
    const SettingWrite *setting = settingWriteFor(request.keyword);
    SimDevice *device = setting ? requestedDevice(session, request) : nullptr;
    if (!device)
        return;
    const bool takesIt = device->kind() == DeviceKind::CompensationRelay
        || (setting->analyserToo && device->kind() == DeviceKind::Analyser);
    if (!takesIt)
        return refuse(session, request, setting->function, kIllegalFunction);

    // Every word is checked before any is kept: a refused write changes nothing.
    int raw[3] = {};
    for (int i = 0; i < setting->count; ++i) {
        const Word &word = setting->words[i];
        const std::optional<int> v = setting->splitWords ? wordFields(request, 1 + 2 * i) : wholeField(request, 1 + i);
        if (!v || *v < 0 || *v > 0xFFFF)
            return refuse(session, request, setting->function, kIllegalValue);
        const int value = word.signed16 && *v >= 0x8000 ? *v - 0x10000 : *v;
        if (value < word.min || value > word.max)
            return refuse(session, request, setting->function, kIllegalValue);
        raw[i] = *v;
    }
    for (int i = 0; i < setting->count; ++i) {
        if (setting->words[i].reg >= 0)
            device->setReg(setting->words[i].reg, quint16(raw[i]));
    }
    if (setting->function == kWriteOne)
        answer(session, request, modbus::writeSingleEcho(setting->address, quint16(raw[0])));
    else
        answer(session, request, modbus::writeMultipleEcho(setting->address, quint16(setting->count)));
}

int stepBase(int step)
{
    return kFirstStepRegister + 4 * (step - 1);
}

quint16 stepAddress(int step)
{
    return quint16(kStepAddress + 4 * (step - 1));
}

// "Kondandegeryaz" serial, high R, low R, high S, low S, high T, low T, and the
// step number as a word (0, n).
void stepWrite(SimSession &session, const SimRequest &request)
{
    SimDevice *device = requestedDevice(session, request);
    if (!device)
        return;
    if (device->kind() != DeviceKind::CompensationRelay)
        return refuse(session, request, kWriteMany, kIllegalFunction);
    const std::optional<int> step = wordFields(request, 7);
    if (!step || *step < 1 || *step > kSteps)
        return refuse(session, request, kWriteMany, kIllegalAddress);
    int powers[3] = {};
    for (int p = 0; p < 3; ++p) {
        const std::optional<int> v = wordFields(request, 1 + 2 * p);
        if (!v || *v > kMaxStepPower)
            return refuse(session, request, kWriteMany, kIllegalValue);
        powers[p] = *v;
    }
    for (int p = 0; p < 3; ++p)
        device->setReg(stepBase(*step) + 1 + p, quint16(powers[p]));
    answer(session, request, modbus::writeMultipleEcho(quint16(stepAddress(*step) + 1), 3));
}

// "zorvdevreyealcikart" serial, step: the step goes out when it is in and in
// when it is out; its lamp bit and its phase flags follow.
void stepSwitch(SimSession &session, const SimRequest &request)
{
    SimDevice *device = requestedDevice(session, request);
    if (!device)
        return;
    if (device->kind() != DeviceKind::CompensationRelay)
        return refuse(session, request, kWriteOne, kIllegalFunction);
    const std::optional<int> step = wholeField(request, 1);
    if (!step || *step < 1 || *step > kSteps)
        return refuse(session, request, kWriteOne, kIllegalAddress);
    const int lampRegister = *step <= 16 ? kLampsLow : kLampsHigh;
    const quint16 bit = quint16(1u << (*step <= 16 ? *step - 1 : *step - 17));
    const bool nowIn = !(device->reg(lampRegister) & bit);
    device->setReg(lampRegister, quint16(nowIn ? device->reg(lampRegister) | bit : device->reg(lampRegister) & ~bit));
    const quint16 flags = nowIn ? kAllPhases : 0;
    device->setReg(stepBase(*step), flags);
    answer(session, request, modbus::writeSingleEcho(stepAddress(*step), flags));
}

const KeywordHandler kHandlers[] = {
    {"zorvctyaz", settingWrite},
    {"zorvtanfiyaz", settingWrite},
    {"zorvindcezasiniryaz", settingWrite},
    {"zorvkapcezasiniryaz", settingWrite},
    {"zorvalmacikarmayaz", settingWrite},
    {"zorvkonogryonyaz", settingWrite},
    {"zorvotomanuelyaz", settingWrite},
    {"zorvhizlimod", settingWrite},
    {"Kondandegeryaz", stepWrite},
    {"zorvdevreyealcikart", stepSwitch},
};

} // namespace

std::span<const KeywordHandler> settingHandlers()
{
    return kHandlers;
}

} // namespace sim
