#include "site.h"

#include "wire.h"

#include <QJsonArray>
#include <QJsonObject>

namespace sim {

const SiteUser *Site::findUser(const QByteArray &name) const
{
    for (const SiteUser &user : users) {
        if (wire::encode(user.name) == name)
            return &user;
    }
    return nullptr;
}

const DeviceInfo *Site::findDevice(quint32 serial) const
{
    for (const DeviceInfo &device : devices) {
        if (device.serial == serial)
            return &device;
    }
    return nullptr;
}

namespace {

QJsonObject deviceToJson(const DeviceInfo &device)
{
    QJsonObject o;
    o.insert(QStringLiteral("serial"), qint64(device.serial));
    o.insert(QStringLiteral("model"), device.model);
    o.insert(QStringLiteral("name"), device.name);
    o.insert(QStringLiteral("online"), device.online);
    for (auto it = device.setup.cbegin(); it != device.setup.cend(); ++it)
        o.insert(it.key(), QJsonValue::fromVariant(it.value()));
    return o;
}

QJsonArray filterToJson(const KeywordFilter &filter)
{
    QJsonArray a;
    for (const QByteArray &k : filter.keywords)
        a.append(wire::decode(k));
    return a;
}

QJsonObject faultsToJson(const FaultPlan &plan)
{
    QJsonObject o;
    if (plan.split.on)
        o.insert(QStringLiteral("split"), plan.split.keywords.isEmpty() ? QJsonValue(QStringLiteral("all"))
                                                                        : QJsonValue(filterToJson(plan.split)));
    if (plan.join.on)
        o.insert(QStringLiteral("join"), plan.join.keywords.isEmpty() ? QJsonValue(QStringLiteral("all"))
                                                                      : QJsonValue(filterToJson(plan.join)));
    if (plan.dropAfter > 0)
        o.insert(QStringLiteral("dropAfter"), plan.dropAfter);
    if (plan.late.on && plan.lateMs > 0) {
        QJsonObject late{{QStringLiteral("ms"), plan.lateMs}};
        if (!plan.late.keywords.isEmpty())
            late.insert(QStringLiteral("keywords"), filterToJson(plan.late));
        o.insert(QStringLiteral("late"), late);
    }
    if (!plan.offline.isEmpty()) {
        QJsonArray serials;
        for (quint32 s : plan.offline)
            serials.append(qint64(s));
        o.insert(QStringLiteral("offline"), serials);
    }
    return o;
}

} // namespace

QJsonDocument siteToJson(const Site &site)
{
    // Groups in the order their first device is listed.
    QStringList groupOrder;
    for (const DeviceInfo &device : site.devices) {
        if (!groupOrder.contains(device.group))
            groupOrder.append(device.group);
    }
    QJsonArray groups;
    for (const QString &group : groupOrder) {
        QJsonArray devices;
        for (const DeviceInfo &device : site.devices) {
            if (device.group == group)
                devices.append(deviceToJson(device));
        }
        groups.append(QJsonObject{{QStringLiteral("name"), group}, {QStringLiteral("devices"), devices}});
    }

    QJsonArray users;
    for (const SiteUser &user : site.users) {
        QJsonArray serials;
        for (quint32 s : user.serials)
            serials.append(qint64(s));
        QJsonObject u{{QStringLiteral("name"), user.name},
                      {QStringLiteral("password"), user.password},
                      {QStringLiteral("devices"), serials}};
        if (!user.messages.isEmpty()) {
            QJsonArray messages;
            for (const StoredMessage &m : user.messages)
                messages.append(QJsonObject{{QStringLiteral("title"), m.title}, {QStringLiteral("text"), m.text}});
            u.insert(QStringLiteral("messages"), messages);
        }
        users.append(u);
    }

    QJsonObject timing{{QStringLiteral("messageNoticeAfterS"), site.timing.messageNoticeAfterMs / 1000.0}};
    if (site.timing.answerDelayGiven)
        timing.insert(QStringLiteral("answerDelayMs"),
                      QJsonArray{site.timing.answerDelayMinMs, site.timing.answerDelayMaxMs});

    QJsonObject root{{QStringLiteral("groups"), groups},
                     {QStringLiteral("users"), users},
                     {QStringLiteral("timing"), timing}};
    if (!site.faults.isEmpty())
        root.insert(QStringLiteral("faults"), faultsToJson(site.faults));
    return QJsonDocument(root);
}

} // namespace sim
