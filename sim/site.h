#pragma once
// A site as the simulator serves it: its devices, its users with the devices
// each may see and the messages kept for them, the answer timing and the
// faults. The built-in demo site and a site file both end up here.
#include "client_state.h"
#include "faults.h"
#include "sim_device.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QList>
#include <QString>

namespace sim {

struct StoredMessage {
    QString title;
    QString text;
};

struct SiteUser {
    QString name;
    QString password;
    QList<quint32> serials; // the devices the user sees, in listing order
    QList<StoredMessage> messages;
};

struct Timing {
    // Every answer waits a random time between these bounds after its request.
    int answerDelayMinMs = 0;
    int answerDelayMaxMs = 0;
    bool answerDelayGiven = false; // false: the runner picks its default
    // A user with stored messages gets "yenimesaj" this long after logging in.
    int messageNoticeAfterMs = 20000;
};

// What the command-line simulator uses where neither the site nor an option
// says otherwise (in-process servers answer at once).
constexpr int kDefaultAnswerDelayMinMs = 50;
constexpr int kDefaultAnswerDelayMaxMs = 150;

// A user sees at most as many devices as the client keeps; the stored
// messages stay few.
constexpr int kMaxDevicesPerUser = ConnectionState::kMaxDevices;
constexpr int kMaxMessagesPerUser = 256;

struct Site {
    QList<DeviceInfo> devices; // listing order of "all"
    QList<SiteUser> users;
    Timing timing;
    FaultPlan faults;

    // The user whose name is these code page 1254 bytes, or null.
    const SiteUser *findUser(const QByteArray &name) const;
    const DeviceInfo *findDevice(quint32 serial) const;
};

// The site as a site file would describe it (used to print the demo site as a
// starting point for an installer's own file).
QJsonDocument siteToJson(const Site &site);

} // namespace sim
