#include "site_generator.h"

#include "demo_data.h"

#include <QHash>
#include <QVariantMap>

#include <array>
#include <cmath>

namespace sim {

namespace {

// A small generator of its own (splitmix64), so that the site is the same
// on every machine and with every library version.
class Draw {
public:
    explicit Draw(quint64 seed) : m_state(seed) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= x < 1
    double unit() { return double(next() >> 11) / double(1ull << 53); }
    int below(int n) { return int(next() % quint64(n)); }

private:
    quint64 m_state;
};

constexpr quint64 kSeed = 0x5EED1254ull;

struct Kind {
    const char *model;
    const char *label; // the device name before its number
};

constexpr Kind kAnalyser{"QRN410", "Analizör"};
constexpr Kind kRelay{"Rkt90wz", "Kompanzasyon"};
constexpr Kind kOvercurrent{"LBE620", "Aşırı Akım Rölesi"};
constexpr Kind kMeter{"PMT830", "Sayaç"};
constexpr Kind kModem{"XYZ100", "Pompa Modemi"}; // a model the client has no picture for

// The kinds of a group by place: every kind in the first five, then mostly
// compensation relays and meters, as on a real site.
constexpr std::array<const Kind *, kGeneratedGroupSize> kPattern = {
    &kAnalyser, &kRelay, &kOvercurrent, &kMeter, &kModem, &kRelay, &kMeter, &kAnalyser, &kRelay, &kMeter,
    &kRelay,    &kAnalyser, &kOvercurrent, &kMeter, &kRelay, &kAnalyser, &kRelay, &kMeter, &kModem, &kRelay,
};

const char *const kGroupNames[] = {"Fabrika", "Depo", "Şube", "Atölye", "Arıtma", "Santral", "Lojistik", "Ofis"};
constexpr int kGroupNameCount = int(std::size(kGroupNames));

const char *const kBands[] = {"NORMAL", "KRİTİK", "ALARM", "CEZA"};

// NORMAL 40 %, KRİTİK 25 %, ALARM 20 %, CEZA 15 %; the first four measuring
// devices take one band each, so that a small site shows them all.
QString bandFor(int measuring, Draw &draw)
{
    if (measuring < 4)
        return QString::fromUtf8(kBands[measuring]);
    const int p = draw.below(100);
    return QString::fromUtf8(kBands[p < 40 ? 0 : p < 65 ? 1 : p < 85 ? 2 : 3]);
}

} // namespace

Site generatedSite(int devices)
{
    devices = qBound(1, devices, kMaxDevicesPerUser);
    Draw draw(kSeed);
    Site site;
    site.devices.reserve(devices);
    QHash<const Kind *, int> numbers;
    int measuring = 0;
    int relays = 0;
    constexpr int kCts[] = {20, 40, 60, 80, 120, 200, 300, 400};
    constexpr int kDigits[] = {8, 9, 10, 12};
    for (int i = 0; i < devices; ++i) {
        const int g = i / kGeneratedGroupSize;
        const Kind *kind = kPattern[size_t(i % kGeneratedGroupSize)];
        DeviceInfo d;
        d.group = QStringLiteral("%1 %2").arg(QString::fromUtf8(kGroupNames[g % kGroupNameCount])).arg(g / kGroupNameCount + 1);
        d.model = QLatin1String(kind->model);
        d.name = QStringLiteral("%1 %2").arg(QString::fromUtf8(kind->label)).arg(++numbers[kind]);
        d.serial = kGeneratedFirstSerial + quint32(i);
        d.online = i % kGeneratedOfflineEvery != kGeneratedOfflineEvery - 1;
        d.setup.insert(QStringLiteral("load"), 0.30 + std::round(draw.unit() * 60) / 100);
        d.setup.insert(QStringLiteral("ct"), kCts[draw.below(int(std::size(kCts)))]);
        if (kind == &kAnalyser || kind == &kRelay || kind == &kMeter) {
            // One relay in ten over-compensates: capacitive energy in ALARM.
            if (kind == &kRelay && relays++ % 10 == 9)
                d.setup.insert(QStringLiteral("energy"), QVariantMap{{QStringLiteral("inductive"), 9.0},
                                                                     {QStringLiteral("capacitive"), 13.0}});
            else
                d.setup.insert(QStringLiteral("energy"), bandFor(measuring++, draw));
        }
        if (kind == &kMeter)
            d.setup.insert(QStringLiteral("settings"),
                           QVariantMap{{QStringLiteral("digits"), kDigits[draw.below(int(std::size(kDigits)))]}});
        site.devices.append(d);
    }

    QList<quint32> all;
    all.reserve(devices);
    for (const DeviceInfo &d : site.devices)
        all.append(d.serial);
    const QList<SiteUser> &demo = demoUsers();
    for (const SiteUser &u : demo)
        site.users.append({u.name, u.password, all, u.messages});
    return site;
}

} // namespace sim
