#pragma once
// The keyword table of the simulator: one small handler per request keyword,
// gathered from one table per feature, and the pieces the handlers share.
#include <QByteArray>
#include <QByteArrayView>

#include <span>

namespace sim {

class SimDevice;
class SimSession;
struct SimRequest;
struct DeviceInfo;

using RequestHandler = void (*)(SimSession &session, const SimRequest &request);

struct KeywordHandler {
    QByteArrayView keyword;
    RequestHandler handle;
};

// Every handler of the server.
std::span<const KeywordHandler> keywordTable();
// The handler whose keyword equals this one byte for byte, or null.
const KeywordHandler *findHandler(QByteArrayView keyword);

// The tables of the features, each in its own file.
std::span<const KeywordHandler> sessionHandlers();   // login, keep-alive, messages
std::span<const KeywordHandler> registerHandlers();  // register reads of the devices
std::span<const KeywordHandler> settingHandlers();   // compensation relay writes, steps
std::span<const KeywordHandler> energyHandlers();    // energy between dates, meter readouts
std::span<const KeywordHandler> modemHandlers();     // relays, modem, overcurrent relay, waveforms

// The device that field 0 of a device request names, when it is one of the
// logged-in user's devices and on line. An off-line device is answered with
// "Hattayok"; a serial that is not the user's is logged and left unanswered.
// The device's physics is moved on to now before it is returned.
SimDevice *requestedDevice(SimSession &session, const SimRequest &request);

// "cihazlar" 0x01 group 0x01 model 0x01 name 0x01 serial 0x01 F4 F4 F4
QByteArray deviceListMessage(const DeviceInfo &device);
// "pong" 0x01 F4 F4 F4
QByteArray pongMessage();
// "Hattayok" 0x01 serial 0x01 F4 F4 F4
QByteArray offlineMessage(QByteArrayView serial);

} // namespace sim
