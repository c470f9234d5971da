#include "sim_handlers.h"

#include "demo_data.h"
#include "sim_device.h"
#include "sim_request.h"
#include "sim_server.h"
#include "sim_session.h"
#include "wire.h"

#include <QDateTime>

#include <vector>

namespace sim {

std::span<const KeywordHandler> keywordTable()
{
    static const std::vector<KeywordHandler> all = [] {
        std::vector<KeywordHandler> v;
        for (auto table : {sessionHandlers(), registerHandlers(), settingHandlers(), energyHandlers(),
                           modemHandlers()})
            v.insert(v.end(), table.begin(), table.end());
        return v;
    }();
    return all;
}

const KeywordHandler *findHandler(QByteArrayView keyword)
{
    for (const KeywordHandler &entry : keywordTable()) {
        if (entry.keyword == keyword)
            return &entry;
    }
    return nullptr;
}

SimDevice *requestedDevice(SimSession &session, const SimRequest &request)
{
    const QByteArray serialText = request.fields.value(0);
    bool ok = false;
    const quint32 serial = serialText.trimmed().toUInt(&ok);
    const DemoUser *user = session.user();
    if (!user) {
        session.log(QStringLiteral("\"%1\" before login: no answer").arg(QString::fromLatin1(request.keyword)));
        return nullptr;
    }
    if (!ok || !user->serials.contains(serial)) {
        session.log(QStringLiteral("\"%1\" for \"%2\", not a device of %3: no answer")
                        .arg(QString::fromLatin1(request.keyword), wire::renderForLog(serialText), user->name));
        return nullptr;
    }
    SimDevice *device = session.server().device(serial);
    if (!device)
        return nullptr;
    session.server().markUsed(serial);
    if (!device->online()) {
        session.send(offlineMessage(serialText.trimmed()));
        return nullptr;
    }
    device->advance(session.server().wallNow());
    return device;
}

QByteArray deviceListMessage(const DeviceInfo &device)
{
    return wire::buildRequest("cihazlar",
                              {wire::encode(device.group), wire::encode(device.model),
                               wire::encode(device.name), QByteArray::number(device.serial)});
}

QByteArray pongMessage()
{
    return wire::buildRequest("pong");
}

QByteArray offlineMessage(QByteArrayView serial)
{
    return wire::buildRequest("Hattayok", {serial.toByteArray()});
}

} // namespace sim
