#pragma once
// The devices the server has listed for this user, one entry per serial, in
// the order they were first listed. The device bar shows them as the server
// sent them; background work (the compensation watch, the history) reads
// them here. A device listed again (a later login) updates its entry.
#include "device_kind.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QVector>

namespace fleet {

struct DeviceEntry {
    QByteArray serial;
    QByteArray group;   // as the server sent it
    QByteArray name;
    QByteArray model;
    DeviceKind kind = DeviceKind::Other;
    bool online = true; // false once the server said the device is off line
};

class DeviceRegistry : public QObject {
    Q_OBJECT
public:
    // As many devices as the device bar keeps.
    static constexpr int kMaxDevices = 10000;

    explicit DeviceRegistry(QObject *parent = nullptr);

    // A device of the device list; false (nothing kept) once the registry
    // is full. An empty serial is kept like any other.
    bool add(const QByteArray &group, const QByteArray &model, const QByteArray &name, const QByteArray &serial);
    void setOnline(const QByteArray &serial, bool online);
    // Every entry taken out, as a new registry (listeners hear cleared()).
    void clear();

    int count() const { return int(m_entries.size()); }
    const DeviceEntry &at(int i) const { return m_entries.at(i); }
    const QVector<DeviceEntry> &entries() const { return m_entries; }
    // The index of the serial, or -1.
    int indexOf(const QByteArray &serial) const { return m_index.value(serial, -1); }
    const DeviceEntry *find(const QByteArray &serial) const;

signals:
    void deviceAdded(int index);
    void deviceChanged(int index);
    void onlineChanged(int index, bool online);
    void cleared();

private:
    QVector<DeviceEntry> m_entries;
    QHash<QByteArray, int> m_index;
};

} // namespace fleet
