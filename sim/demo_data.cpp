#include "demo_data.h"

#include "wire.h"

namespace sim {

const QList<DeviceInfo> &demoDevices()
{
    static const QList<DeviceInfo> devices = {
        {QStringLiteral("Merkez Fabrika"), QStringLiteral("QRN410"), QStringLiteral("Ana Pano Analizörü"), 12001},
        {QStringLiteral("Merkez Fabrika"), QStringLiteral("Rkt90wz"), QStringLiteral("Kompanzasyon Rölesi"), 12002},
        {QStringLiteral("Merkez Fabrika"), QStringLiteral("LBE620"), QStringLiteral("Trafo Aşırı Akım Rölesi"), 12003},
        {QStringLiteral("depo"), QStringLiteral("PMT830"), QStringLiteral("Sayaç Okuma Modemi"), 12004},
        {QStringLiteral("depo"), QStringLiteral("Rkt90wz"), QStringLiteral("Soğuk Hava Deposu"), 12005},
        {QStringLiteral("depo"), QStringLiteral("XYZ100"), QStringLiteral("Deneme Cihazı"), 12006},
    };
    return devices;
}

const QList<DemoUser> &demoUsers()
{
    static const QList<DemoUser> users = {
        {QStringLiteral("demo"), QStringLiteral("1234"), {12001, 12002, 12003, 12004, 12005, 12006}},
        {QStringLiteral("işletme"), QStringLiteral("5678"), {12004, 12005}},
    };
    return users;
}

const DemoUser *findUser(const QByteArray &name)
{
    for (const DemoUser &user : demoUsers()) {
        if (wire::encode(user.name) == name)
            return &user;
    }
    return nullptr;
}

} // namespace sim
