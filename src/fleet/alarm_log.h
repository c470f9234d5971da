#pragma once
// The alarms of the compensation watch: a device's ratio that rises into
// ALARM or CEZA (KRİTİK too, when asked for) is recorded once, until the
// user acknowledges it. A band that stays raises nothing more; one that
// falls and rises again, or rises further, raises a new alarm. A device
// first seen in such a band raises its alarm too.
#include "energy_ratios.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QObject>

#include <array>
#include <deque>

namespace fleet {

struct AlarmRecord {
    QDateTime time;
    QByteArray serial;
    QByteArray name; // the device's name as listed
    energy::Reactive ratio = energy::Reactive::Inductive;
    energy::Band band = energy::Band::Alarm;
    double value = 0; // the ratio in percent
    bool acknowledged = false;
    QDateTime acknowledgedAt;
};

class AlarmLog : public QObject {
    Q_OBJECT
public:
    // Records kept at most; the oldest go first.
    static constexpr int kMaxRecords = 5000;

    explicit AlarmLog(QObject *parent = nullptr);

    void setAlarmOnCritical(bool on) { m_onCritical = on; }
    bool alarmOnCritical() const { return m_onCritical; }
    energy::Band threshold() const { return m_onCritical ? energy::Band::Critical : energy::Band::Alarm; }

    // A band read for one ratio of a device; true when it raised an alarm.
    bool observe(const QByteArray &serial, const QByteArray &name, energy::Reactive ratio, energy::Band band,
                 double value, const QDateTime &at);

    int count() const { return int(m_records.size()); }
    const AlarmRecord &at(int i) const { return m_records.at(size_t(i)); }
    int unacknowledged() const { return m_unacknowledged; }

    void acknowledge(int i, const QDateTime &at);
    void acknowledgeAll(const QDateTime &at);

signals:
    void raised(int index);
    void changed(int index);
    void firstDropped(); // the oldest record left the log
    void unacknowledgedChanged(int count);

private:
    std::deque<AlarmRecord> m_records;
    QHash<QByteArray, std::array<energy::Band, 2>> m_last;
    int m_unacknowledged = 0;
    bool m_onCritical = false;
};

// "Endüktif", "Kapasitif".
QString ratioName(energy::Reactive r);

} // namespace fleet
