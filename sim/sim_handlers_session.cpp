// Login, keep-alive and the user's stored messages.
#include "sim_handlers.h"

#include "demo_data.h"
#include "sim_device.h"
#include "sim_request.h"
#include "sim_server.h"
#include "sim_session.h"
#include "wire.h"

namespace sim {

namespace {

// "kulsifre" 0x01 user 0x01 password 0x02: the user's devices, one message
// each; anything else closes the connection without an answer.
void handleLogin(SimSession &session, const SimRequest &request)
{
    const bool wellFormed = request.fields.size() == 1
        && request.tail.endsWith(wire::kCredentialsEnd);
    const QByteArray name = request.fields.value(0);
    const DemoUser *user = wellFormed ? findUser(name) : nullptr;
    if (!user || wire::encode(user->password) != request.tail.chopped(1)) {
        session.log(QStringLiteral("login rejected for \"%1\"").arg(wire::renderForLog(name)));
        session.close();
        return;
    }
    session.setUser(user);
    session.log(QStringLiteral("login \"%1\", %2 devices").arg(user->name).arg(user->serials.size()));
    for (quint32 serial : user->serials) {
        if (const SimDevice *device = session.server().device(serial))
            session.send(deviceListMessage(device->info()));
    }
}

void handlePing(SimSession &session, const SimRequest &)
{
    session.send(pongMessage());
}

constexpr KeywordHandler kHandlers[] = {
    {"kulsifre", handleLogin},
    {"ping", handlePing},
};

} // namespace

std::span<const KeywordHandler> sessionHandlers()
{
    return kHandlers;
}

} // namespace sim
