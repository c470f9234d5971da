#include "demo_data.h"

#include <QVariantMap>

namespace sim {

namespace {

// The starting state of a device: share of rated load, current-transformer
// ratio, energy band, named settings.
QVariantMap setup(double load, int ct, const QVariant &energy = {}, const QVariantMap &settings = {})
{
    QVariantMap m{{QStringLiteral("load"), load}, {QStringLiteral("ct"), ct}};
    if (energy.isValid())
        m.insert(QStringLiteral("energy"), energy);
    if (!settings.isEmpty())
        m.insert(QStringLiteral("settings"), settings);
    return m;
}

// A meter modem's readout: how many characters each value has before its unit.
QVariantMap meterDigits(int digits)
{
    return {{QStringLiteral("digits"), digits}};
}

Site buildDemoSite()
{
    const QString merkez = QStringLiteral("Merkez Fabrika");
    const QString depo = QStringLiteral("depo");
    const QString sube = QStringLiteral("Şube Ofis");
    const QString normal = QStringLiteral("NORMAL");
    const QString kritik = QStringLiteral("KRİTİK");
    const QString alarm = QStringLiteral("ALARM");
    const QString ceza = QStringLiteral("CEZA");

    Site site;
    site.devices = {
        {merkez, QStringLiteral("QRN410"), QStringLiteral("Ana Pano Analizörü"), 12001, true,
         setup(0.62, 120, normal)},
        {merkez, QStringLiteral("Rkt90wz"), QStringLiteral("Kompanzasyon Rölesi"), 12002, true,
         setup(0.70, 120, kritik)},
        {merkez, QStringLiteral("LBE620"), QStringLiteral("Trafo Aşırı Akım Rölesi"), 12003, true,
         setup(0.55, 80)},
        {merkez, QStringLiteral("PMT830"), QStringLiteral("Ana Sayaç Modemi"), 12007, true,
         setup(0.62, 120, normal, meterDigits(8))},
        {depo, QStringLiteral("PMT830"), QStringLiteral("Sayaç Okuma Modemi"), 12004, true,
         setup(0.45, 60, alarm, meterDigits(9))},
        // Inductive within bounds, capacitive in alarm: an over-compensating relay.
        {depo, QStringLiteral("Rkt90wz"), QStringLiteral("Soğuk Hava Deposu"), 12005, true,
         setup(0.80, 60, QVariantMap{{QStringLiteral("inductive"), 9.0}, {QStringLiteral("capacitive"), 13.0}})},
        {depo, QStringLiteral("XYZ100"), QStringLiteral("Pompa Modemi"), 12006, true, setup(0.30, 20)},
        {sube, QStringLiteral("QRN410"), QStringLiteral("Ofis Analizörü"), 12008, true, setup(0.35, 40, ceza)},
        {sube, QStringLiteral("PMT830"), QStringLiteral("Ofis Sayacı"), 12009, true,
         setup(0.35, 40, ceza, meterDigits(10))},
        {sube, QStringLiteral("Rkt90wz"), QStringLiteral("Atölye Kompanzasyon"), 12010, false,
         setup(0.50, 40, normal)},
    };

    QList<quint32> all;
    for (const DeviceInfo &device : site.devices)
        all.append(device.serial);

    const QList<StoredMessage> demoMessages = {
        {QStringLiteral("Planlı Bakım Duyurusu"),
         QStringLiteral("Merkez sunucuda 15 Aralık Pazar günü 09:00 ile 13:00 arasında planlı bakım "
                        "yapılacaktır. Bu sürede cihazlarınızın değerleri alınamayabilir.")},
        {QStringLiteral("Fatura Dönemi Hatırlatması"),
         QStringLiteral("Fatura döneminiz ayın 25'inde kapanıyor. Dönem sonundan önce sayaç okumalarınızı "
                        "ve reaktif oranlarınızı kontrol etmenizi öneririz.")},
        {QStringLiteral("Reaktif Ceza Uyarısı"),
         QStringLiteral("Şube Ofis analizöründe (12008) endüktif reaktif oran %20 sınırını aştı. "
                        "Kompanzasyon panonuzu kontrol ettirmezseniz reaktif enerji cezası uygulanabilir.")},
    };

    site.users = {
        {QStringLiteral("demo"), QStringLiteral("1234"), all, demoMessages},
        {QStringLiteral("işletme"), QStringLiteral("5678"), {12004, 12005, 12009}, {}},
    };
    return site;
}

} // namespace

const Site &demoSite()
{
    static const Site site = buildDemoSite();
    return site;
}

const QList<DeviceInfo> &demoDevices()
{
    return demoSite().devices;
}

const QList<DemoUser> &demoUsers()
{
    return demoSite().users;
}

const DemoUser *findUser(const QByteArray &name)
{
    return demoSite().findUser(name);
}

} // namespace sim
