#include "alarm_log.h"

#include <QCoreApplication>

namespace fleet {

AlarmLog::AlarmLog(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("AlarmLog"));
}

bool AlarmLog::observe(const QByteArray &serial, const QByteArray &name, energy::Reactive ratio,
                       energy::Band band, double value, const QDateTime &at)
{
    auto it = m_last.find(serial);
    if (it == m_last.end())
        it = m_last.insert(serial, {energy::Band::Normal, energy::Band::Normal});
    energy::Band &last = (*it)[ratio == energy::Reactive::Inductive ? 0 : 1];
    const energy::Band before = last;
    last = band;
    if (band < threshold() || band <= before)
        return false;
    if (int(m_records.size()) >= kMaxRecords) {
        if (!m_records.front().acknowledged)
            --m_unacknowledged;
        m_records.pop_front();
        emit firstDropped();
    }
    m_records.push_back({at, serial, name, ratio, band, value, false, {}});
    ++m_unacknowledged;
    emit raised(count() - 1);
    emit unacknowledgedChanged(m_unacknowledged);
    return true;
}

void AlarmLog::acknowledge(int i, const QDateTime &at)
{
    if (i < 0 || i >= count() || m_records[size_t(i)].acknowledged)
        return;
    AlarmRecord &r = m_records[size_t(i)];
    r.acknowledged = true;
    r.acknowledgedAt = at;
    --m_unacknowledged;
    emit changed(i);
    emit unacknowledgedChanged(m_unacknowledged);
}

void AlarmLog::acknowledgeAll(const QDateTime &at)
{
    for (int i = 0; i < count(); ++i)
        acknowledge(i, at);
}

QString ratioName(energy::Reactive r)
{
    return r == energy::Reactive::Inductive ? QCoreApplication::translate("fleet", "Endüktif")
                                            : QCoreApplication::translate("fleet", "Kapasitif");
}

} // namespace fleet
