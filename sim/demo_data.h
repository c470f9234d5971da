#pragma once
// The built-in users and devices of the simulator.
#include "sim_device.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace sim {

struct DemoUser {
    QString name;
    QString password;
    QList<quint32> serials; // the devices the user sees, in listing order
};

// Every demo device, each serial once.
const QList<DeviceInfo> &demoDevices();
const QList<DemoUser> &demoUsers();

// The user whose name is these code page 1254 bytes, or null.
const DemoUser *findUser(const QByteArray &name);

} // namespace sim
