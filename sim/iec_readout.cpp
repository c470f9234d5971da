#include "iec_readout.h"

#include "sim_device.h"
#include "sim_energy.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>

namespace sim {

namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

MeterRegisters registersAt(const DeviceInfo &info, qint64 ms, double unit)
{
    const EnergyCounters e = energyAt(info, ms);
    const TariffCounters t = tariffsAt(info, ms);
    return {e.active / unit, e.inductive / unit, e.capacitive / unit, t.t1 / unit, t.t2 / unit, t.t3 / unit};
}

QByteArray line(const char *code, const QByteArray &value, const QByteArray &unit = {})
{
    QByteArray l(code);
    l += '(' + value;
    if (!unit.isEmpty())
        l += '*' + unit;
    l += ')' + kLineEnd;
    return l;
}

void registerLines(QByteArray &out, const MeterRegisters &r, const QByteArray &suffix, int width, bool mega)
{
    const QByteArray energy = mega ? "MWh" : "kWh";
    const QByteArray reactive = mega ? "Mvarh" : "kvarh";
    const struct {
        const char *code;
        double value;
        const QByteArray &unit;
    } rows[] = {
        {"1.8.0", r.active, energy},  {"1.8.1", r.t1, energy},          {"1.8.2", r.t2, energy},
        {"1.8.3", r.t3, energy},      {"5.8.0", r.inductive, reactive}, {"8.8.0", r.capacitive, reactive},
    };
    for (const auto &row : rows)
        out += line((QByteArray(row.code) + suffix).constData(), meterValue(row.value, width), row.unit);
}

} // namespace

QByteArray meterValue(double value, int width)
{
    width = qBound(5, width, 18);
    const int intDigits = width - 4;
    qint64 limit = 1;
    for (int i = 0; i < intDigits + 3; ++i)
        limit *= 10;
    // The meter counts whole thousandths and never rounds up.
    qint64 milli = std::isfinite(value) && value > 0 ? qint64(std::floor(value * 1000.0)) % limit : 0;
    const QByteArray digits = QByteArray::number(milli).rightJustified(intDigits + 3, '0');
    return digits.left(intDigits) + '.' + digits.right(3);
}

MeterReading meterReading(const DeviceInfo &info, qint64 nowMs, bool utility)
{
    const EnergyProfile p = energyProfile(info);
    MeterReading r;
    r.identification = QStringLiteral("DMS5ET3F-4T");
    r.meterNumber = p.meterNumber;
    r.width = p.meterWidth;
    r.mega = p.meterInMega;
    const double unit = p.meterInMega ? 1000.0 : 1.0;
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(nowMs + siteOffsetMs(), QTimeZone::utc());
    r.date = local.date();
    r.time = local.time();
    r.now = registersAt(info, nowMs, unit);
    qint64 reset = billingPeriodStart(nowMs);
    for (int i = 0; i < (utility ? 2 : 1); ++i) {
        r.history.append(registersAt(info, reset, unit));
        reset = billingPeriodStart(reset - 1);
    }
    if (utility) {
        // The busiest quarter hour so far in the period: a weekday morning.
        const qint64 periodStart = billingPeriodStart(nowMs);
        QDate day = siteDate(periodStart);
        while (day.dayOfWeek() > 5)
            day = day.addDays(1);
        const qint64 at = qMin(nowMs, startOfDay(day) + (10 * 60 + 15) * 60000);
        const QDateTime when = QDateTime::fromMSecsSinceEpoch(at + siteOffsetMs(), QTimeZone::utc());
        bool ok = false;
        const double load = info.setup.value(QStringLiteral("load")).toDouble(&ok);
        r.maxDemand = p.ratedKw * (ok ? qBound(0.0, load, 1.0) : 1.0) * 1.46 / unit;
        r.maxDemandDate = when.date();
        r.maxDemandTime = when.time();
    }
    return r;
}

QByteArray iecReadout(const MeterReading &r)
{
    QByteArray data;
    data += line("0.0.0", r.meterNumber.toLatin1());
    data += line("0.9.1", r.time.toString(QStringLiteral("HH:mm:ss")).toLatin1());
    data += line("0.9.2", r.date.toString(QStringLiteral("yy-MM-dd")).toLatin1());
    registerLines(data, r.now, QByteArray(), r.width, r.mega);
    if (r.maxDemand >= 0) {
        data += "1.6.0(" + meterValue(r.maxDemand, qMax(6, r.width - 2)) + '*' + (r.mega ? "MW" : "kW") + ")("
            + r.maxDemandDate.toString(QStringLiteral("yy-MM-dd")).toLatin1() + ' '
            + r.maxDemandTime.toString(QStringLiteral("HH:mm")).toLatin1() + ')' + kLineEnd;
    }
    for (int i = 0; i < r.history.size(); ++i)
        registerLines(data, r.history[i], '*' + QByteArray::number(i + 1), r.width, r.mega);
    data += '!' + kLineEnd;

    QByteArray out = '/' + r.identification.toLatin1() + kLineEnd;
    out += kStx;
    out += data;
    out += kEtx;
    // Block check: XOR of every byte after STX up to and including ETX.
    char bcc = 0;
    for (char c : data)
        bcc = char(bcc ^ c);
    bcc = char(bcc ^ kEtx);
    out += bcc;
    return out;
}

QList<QByteArray> readoutPieces(const QByteArray &readout, quint32 seed)
{
    QList<QByteArray> pieces;
    quint32 state = seed * 2654435761u + 12345u;
    qsizetype at = 0;
    while (at < readout.size()) {
        state = state * 1664525u + 1013904223u;
        const qsizetype size = 40 + qsizetype((state >> 16) % 51u);
        pieces.append(readout.mid(at, size));
        at += size;
    }
    return pieces;
}

QByteArray sayacalMessage(QByteArrayView piece)
{
    QByteArray m("sayacal\x01\x01\x01");
    m.append(piece);
    return m;
}

} // namespace sim
