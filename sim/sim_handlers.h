#pragma once
// The keyword table of the simulator: one small handler per request keyword,
// and the builders of the messages the handlers send.
#include <QByteArray>
#include <QByteArrayView>

#include <span>

namespace sim {

class SimSession;
struct SimRequest;
struct DeviceInfo;

using RequestHandler = void (*)(SimSession &session, const SimRequest &request);

struct KeywordHandler {
    QByteArrayView keyword;
    RequestHandler handle;
};

std::span<const KeywordHandler> keywordTable();
// The handler whose keyword equals this one byte for byte, or null.
const KeywordHandler *findHandler(QByteArrayView keyword);

// "cihazlar" 0x01 group 0x01 model 0x01 name 0x01 serial 0x01 F4 F4 F4
QByteArray deviceListMessage(const DeviceInfo &device);
// "pong" 0x01 F4 F4 F4
QByteArray pongMessage();

} // namespace sim
