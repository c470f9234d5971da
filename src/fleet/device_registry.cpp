#include "device_registry.h"

namespace fleet {

DeviceRegistry::DeviceRegistry(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DeviceRegistry"));
}

bool DeviceRegistry::add(const QByteArray &group, const QByteArray &model, const QByteArray &name,
                         const QByteArray &serial)
{
    DeviceEntry e{serial, group, name, model, kindOfModel(model), true};
    const int at = indexOf(serial);
    if (at >= 0) {
        DeviceEntry &old = m_entries[at];
        const bool same = old.group == e.group && old.name == e.name && old.model == e.model;
        e.online = old.online;
        old = e;
        if (!same)
            emit deviceChanged(at);
        return true;
    }
    if (m_entries.size() >= kMaxDevices)
        return false;
    m_entries.append(e);
    m_index.insert(serial, int(m_entries.size()) - 1);
    emit deviceAdded(int(m_entries.size()) - 1);
    return true;
}

void DeviceRegistry::setOnline(const QByteArray &serial, bool online)
{
    const int at = indexOf(serial);
    if (at < 0 || m_entries[at].online == online)
        return;
    m_entries[at].online = online;
    emit onlineChanged(at, online);
}

void DeviceRegistry::clear()
{
    m_entries.clear();
    m_index.clear();
    emit cleared();
}

const DeviceEntry *DeviceRegistry::find(const QByteArray &serial) const
{
    const int at = indexOf(serial);
    return at < 0 ? nullptr : &m_entries[at];
}

} // namespace fleet
