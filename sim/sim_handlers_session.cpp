// Login, keep-alive and the user's stored messages.
#include "sim_handlers.h"

#include "sim_device.h"
#include "sim_energy.h"
#include "sim_request.h"
#include "sim_server.h"
#include "sim_session.h"
#include "site.h"
#include "wire.h"

#include <QDateTime>
#include <QTimer>

namespace sim {

namespace {

// "yenimesaj" 0x01 F4 F4 F4: the client skips 10 bytes and shows the notice.
QByteArray newMessageNotice()
{
    return wire::buildRequest("yenimesaj");
}

// "mesajvar" 0x01 title 0x01 text 0x01 F4 F4 F4: the client skips 9 bytes,
// reads the title and the text and drops one byte after the text's 0x01.
QByteArray storedMessage(const StoredMessage &message)
{
    return wire::buildRequest("mesajvar", {wire::encode(message.title), wire::encode(message.text)});
}

// After login, a user with stored messages hears of them once, unless the
// messages were asked for in the meantime. One timer per session: a login
// again starts it again (logins in a row never pile up timers).
void scheduleMessageNotice(SimSession &session)
{
    const QString name = QStringLiteral("messageNotice");
    auto *timer = session.findChild<QTimer *>(name, Qt::FindDirectChildrenOnly);
    const SiteUser *user = session.user();
    if (!user || user->messages.isEmpty()) {
        if (timer)
            timer->stop();
        return;
    }
    if (!timer) {
        timer = new QTimer(&session);
        timer->setObjectName(name);
        timer->setSingleShot(true);
        SimSession *s = &session;
        QObject::connect(timer, &QTimer::timeout, s, [s] {
            const SiteUser *u = s->user();
            if (!u || s->messagesSent() >= u->messages.size())
                return;
            s->log(QStringLiteral("%1 stored messages not yet asked for: \"yenimesaj\"")
                       .arg(u->messages.size() - s->messagesSent()));
            s->send(newMessageNotice());
        });
    }
    timer->start(session.server().messageNoticeDelayMs());
}

// The energy summaries of the user's analysers and compensation relays that
// are on line, one per device, after the device list. Each names its own
// register row from 3 on: row 1 is the active device's, and row 2 holds that
// device's registers 256 and above (its harmonic table).
void sendEnergySummaries(SimSession &session)
{
    const SiteUser *user = session.user();
    if (!user)
        return;
    const qint64 now = session.server().wallNow();
    int row = 3;
    for (quint32 serial : user->serials) {
        const SimDevice *device = session.server().device(serial);
        if (!device || !device->online()
            || (device->kind() != DeviceKind::Analyser && device->kind() != DeviceKind::CompensationRelay))
            continue;
        if (row > 250)
            break;
        session.send(energySummaryMessage(*device, row++, now));
    }
}

// "kulsifre" 0x01 user 0x01 password 0x02: the user's devices, one message
// each; anything else closes the connection without an answer.
void handleLogin(SimSession &session, const SimRequest &request)
{
    const bool wellFormed = request.fields.size() == 1 && request.tail.endsWith(wire::kCredentialsEnd);
    const QByteArray name = request.fields.value(0);
    const SiteUser *user = wellFormed ? session.server().findUser(name) : nullptr;
    if (!user || wire::encode(user->password) != request.tail.chopped(1)) {
        QString reason = !wellFormed ? QStringLiteral("malformed login request")
                         : !user     ? QStringLiteral("no such user")
                                     : QStringLiteral("wrong password");
        session.log(QStringLiteral("login rejected for \"%1\" (%2): connection closed")
                        .arg(wire::renderForLog(name), reason));
        session.close();
        return;
    }
    session.setUser(user);
    session.log(QStringLiteral("login \"%1\", %2 devices, %3 stored messages")
                    .arg(user->name)
                    .arg(user->serials.size())
                    .arg(user->messages.size()));
    // Made as they go out: a list of thousands neither waits in memory nor
    // holds the other sessions up.
    const SimServer *server = &session.server();
    session.sendProduced([server, serials = user->serials, next = qsizetype(0)](int count) mutable {
        QList<QByteArray> batch;
        for (; next < serials.size() && batch.size() < count; ++next) {
            if (const SimDevice *device = server->device(serials[next]))
                batch.append(deviceListMessage(device->info()));
        }
        return batch;
    });
    sendEnergySummaries(session);
    scheduleMessageNotice(session);
}

void handlePing(SimSession &session, const SimRequest &)
{
    session.send(pongMessage());
}

// "yenimesajiste" 0x01 user 0x01: each stored message not yet sent on this
// connection, one "mesajvar" each. The client adds every "mesajvar" to its
// list, so a message goes out once per connection.
void handleMessageRequest(SimSession &session, const SimRequest &request)
{
    const SiteUser *user = session.user();
    const QByteArray name = request.fields.value(0);
    if (!user) {
        session.log(QStringLiteral("\"yenimesajiste\" before login: no answer"));
        return;
    }
    if (name != wire::encode(user->name)) {
        session.log(QStringLiteral("\"yenimesajiste\" for \"%1\", not the logged-in user: no answer")
                        .arg(wire::renderForLog(name)));
        return;
    }
    const int from = session.messagesSent();
    if (from >= user->messages.size()) {
        session.log(QStringLiteral("\"yenimesajiste\": no new messages"));
        return;
    }
    for (int i = from; i < user->messages.size(); ++i)
        session.send(storedMessage(user->messages[i]));
    session.setMessagesSent(int(user->messages.size()));
}

constexpr KeywordHandler kHandlers[] = {
    {"kulsifre", handleLogin},
    {"ping", handlePing},
    {"yenimesajiste", handleMessageRequest},
};

} // namespace

std::span<const KeywordHandler> sessionHandlers()
{
    return kHandlers;
}

} // namespace sim
