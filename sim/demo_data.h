#pragma once
// The built-in demo site: what the simulator serves when no site file is
// given. Other parts (tests, screenshots, the user guide) rely on its users,
// serials and names.
#include "site.h"

#include <QByteArray>
#include <QList>

namespace sim {

using DemoUser = SiteUser;

const Site &demoSite();

// Every demo device, each serial once, in listing order.
const QList<DeviceInfo> &demoDevices();
const QList<DemoUser> &demoUsers();

// The demo user whose name is these code page 1254 bytes, or null.
const DemoUser *findUser(const QByteArray &name);

} // namespace sim
