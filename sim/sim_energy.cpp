#include "sim_energy.h"

#include "device_settings.h"
#include "sim_device.h"
#include "wire.h"

#include <QDateTime>
#include <QLocale>
#include <QVariantMap>

#include <array>
#include <cmath>

namespace sim {

namespace {

constexpr qint64 kHourMs = 3600000;
constexpr qint64 kDayMs = 24 * kHourMs;
constexpr int kWeekHours = 168;

// ---------------------------------------------------------------------------
// The working week: the share of the mean power drawn in each hour, from
// Monday 00:00, and how the reactive shares move around their mean (a little
// more inductive and capacitive energy at night, when the load is light).

struct WeekTable {
    std::array<double, kWeekHours> perHour{};
    std::array<double, kWeekHours + 1> prefix{};
    double total() const { return prefix[kWeekHours]; }
};

struct Week {
    WeekTable active, inductive, capacitive;
    std::array<WeekTable, 3> tariff; // T1, T2, T3 parts of the active energy
};

int tariffOfHour(int hour)
{
    if (hour >= 6 && hour < 17)
        return 0;
    if (hour >= 17 && hour < 22)
        return 1;
    return 2;
}

void finish(WeekTable &t)
{
    for (int h = 0; h < kWeekHours; ++h)
        t.prefix[size_t(h) + 1] = t.prefix[size_t(h)] + t.perHour[size_t(h)];
}

const Week &week()
{
    static const Week w = [] {
        static constexpr double kWeekday[24] = {0.45, 0.42, 0.40, 0.40, 0.42, 0.50, 0.75, 0.95,
                                                1.30, 1.35, 1.35, 1.30, 1.00, 1.25, 1.35, 1.30,
                                                1.20, 1.05, 0.95, 0.85, 0.75, 0.65, 0.55, 0.50};
        Week out;
        std::array<double, kWeekHours> share{};
        double sum = 0;
        for (int h = 0; h < kWeekHours; ++h) {
            const int day = h / 24; // 0 Monday … 6 Sunday
            const double dayFactor = day == 5 ? 0.70 : day == 6 ? 0.45 : 1.0;
            share[size_t(h)] = kWeekday[h % 24] * dayFactor;
            sum += share[size_t(h)];
        }
        const double pi = std::acos(-1.0);
        double indSum = 0, capSum = 0;
        std::array<double, kWeekHours> ind{}, cap{};
        for (int h = 0; h < kWeekHours; ++h) {
            share[size_t(h)] *= kWeekHours / sum; // mean 1 over the week
            const int hour = h % 24;
            ind[size_t(h)] = 1.0 + 0.04 * std::cos(2 * pi * (hour - 3) / 24.0);
            cap[size_t(h)] = 1.0 + 0.06 * std::cos(2 * pi * (hour - 2) / 24.0);
            indSum += share[size_t(h)] * ind[size_t(h)];
            capSum += share[size_t(h)] * cap[size_t(h)];
        }
        for (int h = 0; h < kWeekHours; ++h) {
            const double s = share[size_t(h)];
            out.active.perHour[size_t(h)] = s;
            // Weighted so that a whole week has exactly the profile's ratios.
            out.inductive.perHour[size_t(h)] = s * ind[size_t(h)] * kWeekHours / indSum;
            out.capacitive.perHour[size_t(h)] = s * cap[size_t(h)] * kWeekHours / capSum;
            out.tariff[size_t(tariffOfHour(h % 24))].perHour[size_t(h)] = s;
        }
        finish(out.active);
        finish(out.inductive);
        finish(out.capacitive);
        for (WeekTable &t : out.tariff)
            finish(t);
        return out;
    }();
    return w;
}

// Hours of mean power from the first Monday of the epoch to the moment.
double weekIntegral(const WeekTable &t, qint64 ms)
{
    // 1970-01-01 was a Thursday: Monday 00:00 was three days earlier.
    const double hours = double(ms + siteOffsetMs() + 3 * kDayMs) / double(kHourMs);
    const double whole = std::floor(hours);
    const qint64 h = qint64(whole);
    const qint64 weeks = h >= 0 ? h / kWeekHours : (h - kWeekHours + 1) / kWeekHours;
    const int inWeek = int(h - weeks * kWeekHours);
    return double(weeks) * t.total() + t.prefix[size_t(inWeek)] + (hours - whole) * t.perHour[size_t(inWeek)];
}

// ---------------------------------------------------------------------------
// Profiles.

struct BandRatios {
    const char *band;
    const char *ascii; // the name as typed without Turkish letters
    double inductive, capacitive;
};

// Ratios in the middle of each band, so that any range of a day or more
// stays in it.
constexpr BandRatios kBands[] = {
    {"NORMAL", "NORMAL", 6.5, 2.0},
    {"KRİTİK", "KRITIK", 15.5, 3.5},
    {"ALARM", "ALARM", 18.0, 2.5},
    {"CEZA", "CEZA", 24.0, 16.5},
};

EnergyProfile demoProfile(quint32 serial)
{
    EnergyProfile p;
    const auto set = [&p](double kw, double ind, double cap, QDate from, double start) {
        p.ratedKw = kw;
        p.inductivePercent = ind;
        p.capacitivePercent = cap;
        p.recordsFrom = from;
        p.startKwh = start;
    };
    switch (serial) {
    case 12001: set(180, 6.5, 2.0, {2023, 2, 1}, 125000); break;   // NORMAL
    case 12002: set(240, 15.5, 3.5, {2022, 9, 15}, 0); break;      // KRİTİK
    case 12003: set(160, 8.0, 2.5, {2022, 9, 15}, 0); break;
    case 12004: set(2.6, 18.0, 2.5, {2024, 6, 1}, 0); break;       // ALARM, 9 characters
    case 12005: set(95, 9.0, 13.0, {2023, 5, 10}, 40000); break;   // ALARM (capacitive)
    case 12006: set(7.5, 5.0, 1.0, {2024, 4, 1}, 0); break;
    case 12007: set(120, 8.5, 1.5, {2022, 1, 1}, 0); break;        // 8 characters, MWh
    case 12008: set(45, 24.0, 16.5, {2023, 11, 20}, 8000); break;  // CEZA
    case 12009: set(12, 11.0, 4.0, {2023, 3, 1}, 0); break;        // 10 characters
    case 12010: set(60, 12.0, 5.0, {2024, 2, 1}, 0); break;
    default: break;
    }
    // The main meter of the demo site counts in MWh (its width is a setting
    // of the site, as for every meter).
    p.meterInMega = serial == 12007;
    return p;
}

void applySetup(EnergyProfile &p, const QVariant &energy)
{
    const auto applyBand = [&p](const QString &name) {
        for (const BandRatios &b : kBands) {
            if (name.compare(QString::fromUtf8(b.band), Qt::CaseInsensitive) == 0
                || name.compare(QLatin1String(b.ascii), Qt::CaseInsensitive) == 0) {
                p.inductivePercent = b.inductive;
                p.capacitivePercent = b.capacitive;
            }
        }
    };
    if (energy.typeId() == QMetaType::QString) {
        applyBand(energy.toString());
        return;
    }
    const QVariantMap m = energy.toMap();
    if (m.contains(QStringLiteral("band")))
        applyBand(m.value(QStringLiteral("band")).toString());
    const auto number = [&m](const char *key, double &out, double lo, double hi) {
        bool ok = false;
        const double v = m.value(QLatin1String(key)).toDouble(&ok);
        if (ok && std::isfinite(v))
            out = qBound(lo, v, hi);
    };
    number("ratedKw", p.ratedKw, 0, 1e6);
    number("inductive", p.inductivePercent, 0, 1000);
    number("capacitive", p.capacitivePercent, 0, 1000);
    number("startKwh", p.startKwh, 0, 1e9);
    double width = p.meterWidth;
    number("meterWidth", width, 6, 16);
    p.meterWidth = int(width);
    if (m.contains(QStringLiteral("meterInMega")))
        p.meterInMega = m.value(QStringLiteral("meterInMega")).toBool();
    if (m.contains(QStringLiteral("meterNumber")))
        p.meterNumber = m.value(QStringLiteral("meterNumber")).toString().left(16);
    const QDate from = QDate::fromString(m.value(QStringLiteral("from")).toString(), Qt::ISODate);
    if (from.isValid())
        p.recordsFrom = from;
}

double loadOf(const DeviceInfo &info)
{
    bool ok = false;
    const double load = info.setup.value(QStringLiteral("load")).toDouble(&ok);
    return ok && std::isfinite(load) ? qBound(0.0, load, 1.0) : 1.0;
}

QByteArray whole(double v)
{
    return QByteArray::number(qint64(std::llround(v)));
}

} // namespace

qint64 siteOffsetMs()
{
    static const qint64 offset = qint64(QDateTime::currentDateTime().offsetFromUtc()) * 1000;
    return offset;
}

qint64 startOfDay(const QDate &day)
{
    return QDate(1970, 1, 1).daysTo(day) * kDayMs - siteOffsetMs();
}

QDate siteDate(qint64 ms)
{
    const qint64 local = ms + siteOffsetMs();
    const qint64 days = local >= 0 ? local / kDayMs : (local - kDayMs + 1) / kDayMs;
    return QDate(1970, 1, 1).addDays(days);
}

qint64 billingPeriodStart(qint64 ms)
{
    const QDate d = siteDate(ms);
    return startOfDay(QDate(d.year(), d.month(), 1));
}

EnergyProfile energyProfile(const DeviceInfo &info)
{
    EnergyProfile p = demoProfile(info.serial);
    if (kindOfModel(info.model) == DeviceKind::MeterModem) {
        if (const DeviceSetting *digits = findDeviceSetting(DeviceKind::MeterModem, u"digits"))
            p.meterWidth = deviceSetting(info, *digits);
    }
    if (p.meterNumber.isEmpty())
        p.meterNumber = QStringLiteral("7%1").arg(info.serial % 10000000u, 7, 10, QLatin1Char('0'));
    const QVariant energy = info.setup.value(QStringLiteral("energy"));
    if (energy.isValid())
        applySetup(p, energy);
    return p;
}

EnergyCounters energyAt(const DeviceInfo &info, qint64 ms)
{
    const EnergyProfile p = energyProfile(info);
    const Week &w = week();
    const qint64 from = startOfDay(p.recordsFrom);
    const double scale = p.ratedKw * loadOf(info);
    EnergyCounters c{p.startKwh, p.startKwh * p.inductivePercent / 100.0, p.startKwh * p.capacitivePercent / 100.0};
    if (ms <= from)
        return c;
    c.active += scale * (weekIntegral(w.active, ms) - weekIntegral(w.active, from));
    c.inductive += scale * p.inductivePercent / 100.0 * (weekIntegral(w.inductive, ms) - weekIntegral(w.inductive, from));
    c.capacitive +=
        scale * p.capacitivePercent / 100.0 * (weekIntegral(w.capacitive, ms) - weekIntegral(w.capacitive, from));
    return c;
}

TariffCounters tariffsAt(const DeviceInfo &info, qint64 ms)
{
    const EnergyProfile p = energyProfile(info);
    const Week &w = week();
    const qint64 from = startOfDay(p.recordsFrom);
    const double scale = p.ratedKw * loadOf(info);
    std::array<double, 3> t{};
    for (size_t k = 0; k < 3; ++k) {
        t[k] = p.startKwh * w.tariff[k].total() / w.active.total();
        if (ms > from)
            t[k] += scale * (weekIntegral(w.tariff[k], ms) - weekIntegral(w.tariff[k], from));
    }
    return {t[0], t[1], t[2]};
}

std::optional<QDate> parseClientDate(QByteArrayView text)
{
    const QString s = wire::decode(text.toByteArray()).trimmed();
    if (s.isEmpty())
        return std::nullopt;
    // Four-digit years first; a two-digit year with slashes is month first.
    static const char *const kFormats[] = {
        "d.M.yyyy", "d/M/yyyy", "d-M-yyyy", "yyyy-M-d", "yyyy/M/d", "yyyy. M. d.", "yyyy.M.d",
        "d MMM yyyy", "d.M.yy", "M/d/yy", "d-M-yy",
    };
    for (const char *f : kFormats) {
        const QString format = QLatin1String(f);
        QDate d = QDate::fromString(s, format);
        if (!d.isValid())
            continue;
        if (!format.contains(QLatin1String("yyyy")))
            d = d.addYears(100); // "yy" reads 1900 to 1999
        return d;
    }
    const QDate d = QLocale::system().toDate(s, QLocale::ShortFormat);
    if (d.isValid())
        return d.year() < 1950 ? d.addYears(100) : d;
    return std::nullopt;
}

EnergyRange energyBetween(const DeviceInfo &info, QByteArrayView firstDate, QByteArrayView lastDate, qint64 nowMs)
{
    EnergyRange r;
    r.firstDate = firstDate.toByteArray();
    r.lastDate = lastDate.toByteArray();
    qint64 from = billingPeriodStart(nowMs);
    qint64 to = nowMs;
    if (const std::optional<QDate> d = parseClientDate(firstDate))
        from = startOfDay(*d);
    if (const std::optional<QDate> d = parseClientDate(lastDate))
        to = startOfDay(d->addDays(1));
    // The current billing period is named by its dates when the client left
    // them empty.
    if (r.firstDate.isEmpty())
        r.firstDate = siteDate(from).toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    if (r.lastDate.isEmpty())
        r.lastDate = siteDate(to).toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    r.first = energyAt(info, qMin(from, nowMs));
    r.last = energyAt(info, qMin(to, nowMs));
    return r;
}

QByteArray energyRangeMessage(QByteArrayView keyword, QByteArrayView serial, const EnergyRange &range)
{
    return wire::buildRequest(keyword.toByteArray(),
                              {serial.toByteArray(), range.firstDate, range.lastDate, whole(range.first.active),
                               whole(range.last.active), whole(range.first.inductive), whole(range.last.inductive),
                               whole(range.first.capacitive), whole(range.last.capacitive)});
}

QByteArray beforeResetMessage(const SimDevice &device, qint64 nowMs)
{
    const EnergyCounters c = energyAt(device.info(), billingPeriodStart(nowMs));
    return wire::buildRequest("Sycdegerleri", {whole(c.active), whole(c.inductive), whole(c.capacitive)});
}

QByteArray energySummaryMessage(const SimDevice &device, int row, qint64 nowMs)
{
    constexpr int kFields = 99;
    std::array<qint64, kFields> field{};
    for (int j = 0; j < kFields; ++j)
        field[size_t(j)] = device.reg(j);
    // The energy counters as three registers each, most significant first.
    const EnergyCounters c = energyAt(device.info(), nowMs);
    const bool relay = device.kind() == DeviceKind::CompensationRelay;
    const int firstCounter = relay ? 90 : 62;
    const double ct = relay && device.reg(0) > 0 ? double(device.reg(0)) : 1.0;
    const std::array<double, 3> kwh = {c.active, c.inductive, c.capacitive};
    for (size_t k = 0; k < 3; ++k) {
        const quint64 ws = quint64(std::llround(kwh[k] * 3600000.0 / ct)) & 0xFFFFFFFFFFFFull;
        const int at = firstCounter + int(k) * 3;
        field[size_t(at)] = qint64((ws >> 32) & 0xFFFF);
        field[size_t(at) + 1] = qint64((ws >> 16) & 0xFFFF);
        field[size_t(at) + 2] = qint64(ws & 0xFFFF);
    }
    for (int j = 30; j <= 41; ++j)
        field[size_t(j)] = qMin<qint64>(field[size_t(j)] * 3600, 99999999);
    field[43] = qint64(qBound(1, row, 250)) * 1000; // the row in the first five digits
    QByteArray summary;
    summary.reserve(kFields * 10);
    for (qint64 v : field) {
        summary += "$1";
        summary += QByteArray::number(v).rightJustified(8, '0');
    }
    return wire::buildRequest("cihazenerji", {QByteArray::number(device.info().serial),
                                              wire::encode(device.info().group), summary});
}

} // namespace sim
