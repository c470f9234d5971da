#include "site_loader.h"

#include "device_settings.h"
#include "json_lines.h"
#include "wire.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

#include <cmath>

namespace sim {

namespace {

const QStringList kEnergyBands = {QStringLiteral("NORMAL"), QStringLiteral("KRİTİK"), QStringLiteral("ALARM"),
                                  QStringLiteral("CEZA")};

// Text from the file as it shows in a message: quoted, control characters as <01>.
QString quoted(const QString &text)
{
    QString shown;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            shown += QStringLiteral("<%1>").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            shown += c;
    }
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

// Failures carry the path of the offending value; the caller turns it into a line.
struct Failure {
    QString path;
    QString message;
};

// Checks one object's members against what they may be and tells where it
// went wrong. Every reader returns false after recording the first failure.
class Reader {
public:
    std::optional<Failure> failure;

    bool fail(const QString &path, const QString &who, const QString &what)
    {
        if (!failure)
            failure = Failure{path, who.isEmpty() ? what : who + QStringLiteral(": ") + what};
        return false;
    }

    // Members other than these (and "_"-prefixed remarks) are refused, so a
    // misspelt key does not go unnoticed.
    bool onlyKeys(const QJsonObject &o, const QString &path, const QString &who, const QStringList &known)
    {
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (!known.contains(it.key()) && !it.key().startsWith(QLatin1Char('_')))
                return fail(join(path, it.key()), who,
                            QStringLiteral("unknown field %1 (known: %2)").arg(quoted(it.key()), known.join(", ")));
        }
        return true;
    }

    static QString join(const QString &path, const QString &key)
    {
        return path.isEmpty() ? key : path + QLatin1Char('/') + key;
    }

    // Text that travels on the wire: code page 1254, no control bytes
    // (message texts may hold line breaks), not empty unless allowed.
    bool text(const QJsonObject &o, const QString &key, const QString &path, const QString &who, QString &out,
              bool required, bool multiLine = false)
    {
        const QJsonValue v = o.value(key);
        const QString at = join(path, key);
        if (v.isUndefined())
            return required ? fail(path, who, QStringLiteral("%1 is missing").arg(quoted(key))) : true;
        if (!v.isString())
            return fail(at, who, QStringLiteral("%1 must be text").arg(quoted(key)));
        out = v.toString();
        if (required && out.trimmed().isEmpty())
            return fail(at, who, QStringLiteral("%1 must not be empty").arg(quoted(key)));
        for (const QChar c : out) {
            const bool allowed = c.unicode() >= 0x20 || (multiLine && (c == u'\n' || c == u'\t'));
            if (!allowed || c.unicode() == 0x7F)
                return fail(at, who, QStringLiteral("%1 holds a control character").arg(quoted(key)));
        }
        if (wire::decode(wire::encode(out)) != out)
            return fail(at, who, QStringLiteral("%1 holds a character that code page 1254 cannot carry")
                                     .arg(quoted(key)));
        return true;
    }

    bool number(const QJsonObject &o, const QString &key, const QString &path, const QString &who, double min,
                double max, bool whole, double &out)
    {
        const QJsonValue v = o.value(key);
        const double x = v.toDouble();
        if (!v.isDouble() || x < min || x > max || (whole && std::floor(x) != x)) {
            const QString kind = whole ? QStringLiteral("a whole number") : QStringLiteral("a number");
            return fail(join(path, key), who,
                        QStringLiteral("%1 must be %2 from %3 to %4")
                            .arg(quoted(key), kind, QString::number(min, 'g', 12), QString::number(max, 'g', 12)));
        }
        out = x;
        return true;
    }

    bool serial(const QJsonValue &v, const QString &at, const QString &who, const QString &what, quint32 &out)
    {
        const double x = v.toDouble();
        if (!v.isDouble() || x < 1 || x > 4294967295.0 || std::floor(x) != x)
            return fail(at, who, QStringLiteral("%1 must be a whole number from 1 to 4294967295").arg(what));
        out = quint32(x);
        return true;
    }

    bool keywordList(const QJsonValue &v, const QString &at, const QString &what, KeywordFilter &out)
    {
        if (v.isString() && v.toString() == QLatin1String("all")) {
            out = KeywordFilter::all();
            return true;
        }
        const QString complaint = QStringLiteral("%1 must be \"all\" or a list of request keywords").arg(quoted(what));
        if (!v.isArray() || v.toArray().isEmpty())
            return fail(at, QStringLiteral("faults"), complaint);
        QSet<QByteArray> keywords;
        for (const QJsonValue &k : v.toArray()) {
            const QString word = k.toString();
            const QByteArray bytes = wire::encode(word);
            if (!k.isString() || word.isEmpty() || bytes.contains('\x01') || bytes.contains('\x02')
                || wire::decode(bytes) != word)
                return fail(at, QStringLiteral("faults"), complaint);
            keywords.insert(bytes);
        }
        out = KeywordFilter::only(std::move(keywords));
        return true;
    }
};

QString deviceWho(const QJsonObject &o, const QString &group, int index)
{
    const QJsonValue serial = o.value(QStringLiteral("serial"));
    const QString name = o.value(QStringLiteral("name")).toString();
    if (serial.isDouble())
        return QStringLiteral("device %1%2").arg(QString::number(serial.toDouble(), 'g', 12),
                                                 name.isEmpty() ? QString() : QLatin1Char(' ') + quoted(name));
    return QStringLiteral("device %1(entry %2 of group %3)")
        .arg(name.isEmpty() ? QString() : quoted(name) + QLatin1Char(' '))
        .arg(index + 1)
        .arg(quoted(group));
}

// The named settings of the device's kind, each a whole number in the
// device's own range; a key the kind does not know is refused.
bool readSettings(Reader &r, const QJsonValue &value, const QString &path, const QString &who, DeviceInfo &out)
{
    const QString at = Reader::join(path, QStringLiteral("settings"));
    const DeviceKind kind = kindOfModel(out.model);
    const QStringList keys = deviceSettingKeys(kind);
    if (!value.isObject())
        return r.fail(at, who, QStringLiteral("\"settings\" must be an object of named settings"));
    const QJsonObject settings = value.toObject();
    if (keys.isEmpty() && !settings.isEmpty()) {
        for (auto it = settings.begin(); it != settings.end(); ++it) {
            if (!it.key().startsWith(QLatin1Char('_')))
                return r.fail(Reader::join(at, it.key()), who,
                              QStringLiteral("a %1 takes no settings").arg(quoted(out.model)));
        }
    }
    if (!r.onlyKeys(settings, at, who, keys))
        return false;
    QVariantMap kept;
    for (const DeviceSetting &s : deviceSettings(kind)) {
        const QString key = QLatin1String(s.key);
        double x = 0;
        if (!settings.contains(key))
            continue;
        if (!r.number(settings, key, at, who, s.min, s.max, true, x))
            return false;
        kept.insert(key, int(x));
    }
    out.setup.insert(QStringLiteral("settings"), kept);
    return true;
}

bool readDevice(Reader &r, const QJsonValue &value, const QString &path, const QString &group, int index,
                DeviceInfo &out)
{
    if (!value.isObject())
        return r.fail(path, QStringLiteral("entry %1 of group %2").arg(index + 1).arg(quoted(group)),
                      QStringLiteral("a device must be an object"));
    const QJsonObject o = value.toObject();
    const QString who = deviceWho(o, group, index);
    if (!r.onlyKeys(o, path, who,
                    {QStringLiteral("serial"), QStringLiteral("model"), QStringLiteral("name"),
                     QStringLiteral("online"), QStringLiteral("load"), QStringLiteral("ct"),
                     QStringLiteral("energy"), QStringLiteral("settings")}))
        return false;
    out.group = group;
    if (!o.contains(QStringLiteral("serial")))
        return r.fail(path, who, QStringLiteral("\"serial\" is missing"));
    if (!r.serial(o.value(QStringLiteral("serial")), Reader::join(path, QStringLiteral("serial")), who,
                  QStringLiteral("\"serial\""), out.serial))
        return false;
    if (!r.text(o, QStringLiteral("model"), path, who, out.model, true)
        || !r.text(o, QStringLiteral("name"), path, who, out.name, true))
        return false;
    if (out.name.contains(QLatin1Char(':')))
        return r.fail(Reader::join(path, QStringLiteral("name")), who,
                      QStringLiteral("\"name\" must not contain \":\" (the client reads the serial after it)"));
    const QJsonValue online = o.value(QStringLiteral("online"));
    if (!online.isUndefined() && !online.isBool())
        return r.fail(Reader::join(path, QStringLiteral("online")), who,
                      QStringLiteral("\"online\" must be true or false"));
    out.online = online.toBool(true);

    out.setup.clear();
    double x = 0;
    if (o.contains(QStringLiteral("load"))) {
        if (!r.number(o, QStringLiteral("load"), path, who, 0.0, 2.0, false, x))
            return false;
        out.setup.insert(QStringLiteral("load"), x);
    }
    if (o.contains(QStringLiteral("ct"))) {
        if (!r.number(o, QStringLiteral("ct"), path, who, 1, 9999, true, x))
            return false;
        out.setup.insert(QStringLiteral("ct"), int(x));
    }
    if (o.contains(QStringLiteral("energy"))) {
        const QJsonValue e = o.value(QStringLiteral("energy"));
        const QString at = Reader::join(path, QStringLiteral("energy"));
        if (e.isString()) {
            if (!kEnergyBands.contains(e.toString()))
                return r.fail(at, who, QStringLiteral("\"energy\" must be one of %1").arg(kEnergyBands.join(", ")));
            out.setup.insert(QStringLiteral("energy"), e.toString());
        } else if (e.isObject()) {
            const QJsonObject ratios = e.toObject();
            if (!r.onlyKeys(ratios, at, who, {QStringLiteral("inductive"), QStringLiteral("capacitive")}))
                return false;
            double ind = 0, cap = 0;
            if (!r.number(ratios, QStringLiteral("inductive"), at, who, 0, 1000, false, ind)
                || !r.number(ratios, QStringLiteral("capacitive"), at, who, 0, 1000, false, cap))
                return false;
            out.setup.insert(QStringLiteral("energy"),
                             QVariantMap{{QStringLiteral("inductive"), ind}, {QStringLiteral("capacitive"), cap}});
        } else {
            return r.fail(at, who,
                          QStringLiteral("\"energy\" must be a band (%1) or {\"inductive\": %, \"capacitive\": %}")
                              .arg(kEnergyBands.join(", ")));
        }
    }
    if (o.contains(QStringLiteral("settings")) && !readSettings(r, o.value(QStringLiteral("settings")), path, who, out))
        return false;
    return true;
}

bool readGroups(Reader &r, const QJsonObject &root, Site &site)
{
    const QJsonValue groups = root.value(QStringLiteral("groups"));
    if (groups.isUndefined())
        return r.fail(QString(), QString(), QStringLiteral("\"groups\" is missing (the site's devices, by group)"));
    if (!groups.isArray() || groups.toArray().isEmpty())
        return r.fail(QStringLiteral("groups"), QString(),
                      QStringLiteral("\"groups\" must be a list of groups, each with \"name\" and \"devices\""));
    QSet<quint32> serials;
    const QJsonArray list = groups.toArray();
    for (int g = 0; g < list.size(); ++g) {
        const QString path = QStringLiteral("groups/%1").arg(g);
        const QString who = QStringLiteral("group %1").arg(g + 1);
        if (!list[g].isObject())
            return r.fail(path, who, QStringLiteral("a group must be an object"));
        const QJsonObject o = list[g].toObject();
        QString name;
        if (!r.onlyKeys(o, path, who, {QStringLiteral("name"), QStringLiteral("devices")})
            || !r.text(o, QStringLiteral("name"), path, who, name, true))
            return false;
        const QJsonValue devices = o.value(QStringLiteral("devices"));
        const QString groupWho = QStringLiteral("group %1").arg(quoted(name));
        if (!devices.isArray())
            return r.fail(devices.isUndefined() ? path : path + QStringLiteral("/devices"), groupWho,
                          QStringLiteral("\"devices\" must be a list of devices"));
        const QJsonArray entries = devices.toArray();
        for (int d = 0; d < entries.size(); ++d) {
            DeviceInfo info;
            const QString at = QStringLiteral("%1/devices/%2").arg(path).arg(d);
            if (!readDevice(r, entries[d], at, name, d, info))
                return false;
            if (serials.contains(info.serial))
                return r.fail(at + QStringLiteral("/serial"), deviceWho(entries[d].toObject(), name, d),
                              QStringLiteral("serial %1 is listed twice").arg(info.serial));
            serials.insert(info.serial);
            site.devices.append(info);
        }
    }
    if (site.devices.isEmpty())
        return r.fail(QStringLiteral("groups"), QString(), QStringLiteral("the site has no devices"));
    return true;
}

bool readMessages(Reader &r, const QJsonObject &o, const QString &path, const QString &who, SiteUser &user)
{
    const QJsonValue messages = o.value(QStringLiteral("messages"));
    if (messages.isUndefined())
        return true;
    const QString at = path + QStringLiteral("/messages");
    if (!messages.isArray())
        return r.fail(at, who, QStringLiteral("\"messages\" must be a list of {\"title\", \"text\"}"));
    const QJsonArray list = messages.toArray();
    if (list.size() > kMaxMessagesPerUser)
        return r.fail(at, who, QStringLiteral("%1 messages; the client keeps %2").arg(list.size()).arg(kMaxMessagesPerUser));
    for (int i = 0; i < list.size(); ++i) {
        const QString mPath = QStringLiteral("%1/%2").arg(at).arg(i);
        const QString mWho = QStringLiteral("%1, message %2").arg(who).arg(i + 1);
        if (!list[i].isObject())
            return r.fail(mPath, mWho, QStringLiteral("a message must be an object with \"title\" and \"text\""));
        const QJsonObject m = list[i].toObject();
        StoredMessage message;
        if (!r.onlyKeys(m, mPath, mWho, {QStringLiteral("title"), QStringLiteral("text")})
            || !r.text(m, QStringLiteral("title"), mPath, mWho, message.title, true)
            || !r.text(m, QStringLiteral("text"), mPath, mWho, message.text, true, true))
            return false;
        user.messages.append(message);
    }
    return true;
}

bool readUsers(Reader &r, const QJsonObject &root, Site &site)
{
    const QJsonValue users = root.value(QStringLiteral("users"));
    if (!users.isArray() || users.toArray().isEmpty())
        return r.fail(users.isUndefined() ? QString() : QStringLiteral("users"), QString(),
                      QStringLiteral("\"users\" must be a list of users, each with \"name\", \"password\" and "
                                     "\"devices\""));
    const QJsonArray list = users.toArray();
    QSet<quint32> inSite;
    for (const DeviceInfo &d : site.devices)
        inSite.insert(d.serial);
    for (int u = 0; u < list.size(); ++u) {
        const QString path = QStringLiteral("users/%1").arg(u);
        if (!list[u].isObject())
            return r.fail(path, QStringLiteral("user %1").arg(u + 1), QStringLiteral("a user must be an object"));
        const QJsonObject o = list[u].toObject();
        const QString givenName = o.value(QStringLiteral("name")).toString();
        const QString who = givenName.isEmpty() ? QStringLiteral("user %1").arg(u + 1)
                                                : QStringLiteral("user %1").arg(quoted(givenName));
        SiteUser user;
        if (!r.onlyKeys(o, path, who,
                        {QStringLiteral("name"), QStringLiteral("password"), QStringLiteral("devices"),
                         QStringLiteral("messages")})
            || !r.text(o, QStringLiteral("name"), path, who, user.name, true)
            || !r.text(o, QStringLiteral("password"), path, who, user.password, true))
            return false;
        if (site.findUser(wire::encode(user.name)))
            return r.fail(path + QStringLiteral("/name"), who, QStringLiteral("the user is listed twice"));
        const QJsonValue devices = o.value(QStringLiteral("devices"));
        const QString at = path + QStringLiteral("/devices");
        if (devices.isString() && devices.toString() == QLatin1String("all")) {
            for (const DeviceInfo &d : site.devices)
                user.serials.append(d.serial);
        } else if (devices.isArray()) {
            const QJsonArray serials = devices.toArray();
            QSet<quint32> seen;
            for (int i = 0; i < serials.size(); ++i) {
                quint32 serial = 0;
                const QString sAt = QStringLiteral("%1/%2").arg(at).arg(i);
                if (!r.serial(serials[i], sAt, who, QStringLiteral("each of \"devices\""), serial))
                    return false;
                if (!inSite.contains(serial))
                    return r.fail(sAt, who, QStringLiteral("device %1 is not in \"groups\"").arg(serial));
                if (seen.contains(serial))
                    return r.fail(sAt, who, QStringLiteral("device %1 is listed twice").arg(serial));
                seen.insert(serial);
                user.serials.append(serial);
            }
        } else {
            return r.fail(devices.isUndefined() ? path : at, who,
                          QStringLiteral("\"devices\" must be \"all\" or a list of device serials"));
        }
        if (user.serials.size() > kMaxDevicesPerUser)
            return r.fail(at, who, QStringLiteral("%1 devices; the client keeps %2")
                                       .arg(user.serials.size()).arg(kMaxDevicesPerUser));
        if (!readMessages(r, o, path, who, user))
            return false;
        site.users.append(user);
    }
    return true;
}

bool readTiming(Reader &r, const QJsonObject &root, Timing &timing)
{
    if (!root.contains(QStringLiteral("timing")))
        return true;
    const QString path = QStringLiteral("timing");
    const QString who = QStringLiteral("timing");
    if (!root.value(path).isObject())
        return r.fail(path, QString(), QStringLiteral("\"timing\" must be an object"));
    const QJsonObject o = root.value(path).toObject();
    if (!r.onlyKeys(o, path, who, {QStringLiteral("answerDelayMs"), QStringLiteral("messageNoticeAfterS")}))
        return false;
    if (o.contains(QStringLiteral("answerDelayMs"))) {
        const QJsonValue v = o.value(QStringLiteral("answerDelayMs"));
        const QJsonArray range = v.toArray();
        const auto ok = [](const QJsonValue &x) { return x.isDouble() && x.toDouble() >= 0 && x.toDouble() <= 60000; };
        if (v.isDouble() && ok(v)) {
            timing.answerDelayMinMs = timing.answerDelayMaxMs = int(v.toDouble());
        } else if (range.size() == 2 && ok(range[0]) && ok(range[1]) && range[0].toDouble() <= range[1].toDouble()) {
            timing.answerDelayMinMs = int(range[0].toDouble());
            timing.answerDelayMaxMs = int(range[1].toDouble());
        } else {
            return r.fail(path + QStringLiteral("/answerDelayMs"), who,
                          QStringLiteral("\"answerDelayMs\" must be milliseconds (0 to 60000) or [least, most]"));
        }
        timing.answerDelayGiven = true;
    }
    if (o.contains(QStringLiteral("messageNoticeAfterS"))) {
        double s = 0;
        if (!r.number(o, QStringLiteral("messageNoticeAfterS"), path, who, 0, 86400, false, s))
            return false;
        timing.messageNoticeAfterMs = int(s * 1000);
    }
    return true;
}

bool readFaults(Reader &r, const QJsonObject &root, const Site &site, FaultPlan &plan)
{
    if (!root.contains(QStringLiteral("faults")))
        return true;
    const QString path = QStringLiteral("faults");
    const QString who = QStringLiteral("faults");
    if (!root.value(path).isObject())
        return r.fail(path, QString(), QStringLiteral("\"faults\" must be an object"));
    const QJsonObject o = root.value(path).toObject();
    if (!r.onlyKeys(o, path, who,
                    {QStringLiteral("split"), QStringLiteral("splitPauseMs"), QStringLiteral("join"),
                     QStringLiteral("joinHoldMs"), QStringLiteral("dropAfter"), QStringLiteral("late"),
                     QStringLiteral("offline")}))
        return false;
    double x = 0;
    if (o.contains(QStringLiteral("split"))
        && !r.keywordList(o.value(QStringLiteral("split")), path + QStringLiteral("/split"), QStringLiteral("split"),
                          plan.split))
        return false;
    if (o.contains(QStringLiteral("join"))
        && !r.keywordList(o.value(QStringLiteral("join")), path + QStringLiteral("/join"), QStringLiteral("join"),
                          plan.join))
        return false;
    if (o.contains(QStringLiteral("splitPauseMs"))) {
        if (!r.number(o, QStringLiteral("splitPauseMs"), path, who, 0, 60000, true, x))
            return false;
        plan.splitPauseMs = int(x);
    }
    if (o.contains(QStringLiteral("joinHoldMs"))) {
        if (!r.number(o, QStringLiteral("joinHoldMs"), path, who, 0, 600000, true, x))
            return false;
        plan.joinHoldMs = int(x);
    }
    if (o.contains(QStringLiteral("dropAfter"))) {
        if (!r.number(o, QStringLiteral("dropAfter"), path, who, 0, 1e9, true, x))
            return false;
        plan.dropAfter = int(x);
    }
    if (o.contains(QStringLiteral("late"))) {
        const QString at = path + QStringLiteral("/late");
        const QJsonObject late = o.value(QStringLiteral("late")).toObject();
        if (!o.value(QStringLiteral("late")).isObject())
            return r.fail(at, who, QStringLiteral("\"late\" must be {\"ms\": …, \"keywords\": \"all\" or [...]}"));
        if (!r.onlyKeys(late, at, who, {QStringLiteral("ms"), QStringLiteral("keywords")})
            || !r.number(late, QStringLiteral("ms"), at, who, 1, 600000, true, x))
            return false;
        plan.lateMs = int(x);
        plan.late = KeywordFilter::all();
        if (late.contains(QStringLiteral("keywords"))
            && !r.keywordList(late.value(QStringLiteral("keywords")), at + QStringLiteral("/keywords"),
                              QStringLiteral("keywords"), plan.late))
            return false;
    }
    if (o.contains(QStringLiteral("offline"))) {
        const QString at = path + QStringLiteral("/offline");
        const QJsonValue v = o.value(QStringLiteral("offline"));
        if (!v.isArray())
            return r.fail(at, who, QStringLiteral("\"offline\" must be a list of device serials"));
        const QJsonArray list = v.toArray();
        for (int i = 0; i < list.size(); ++i) {
            quint32 serial = 0;
            const QString sAt = QStringLiteral("%1/%2").arg(at).arg(i);
            if (!r.serial(list[i], sAt, who, QStringLiteral("each of \"offline\""), serial))
                return false;
            if (!site.findDevice(serial))
                return r.fail(sAt, who, QStringLiteral("device %1 is not in \"groups\"").arg(serial));
            plan.offline.insert(serial);
        }
    }
    return true;
}

} // namespace

SiteLoad parseSite(const QByteArray &json, const QString &source)
{
    SiteLoad out;
    QByteArray text = json;
    if (text.startsWith("\xEF\xBB\xBF")) // a byte order mark, as some editors write
        text.remove(0, 3);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    const JsonLines lines(text);
    if (error.error != QJsonParseError::NoError) {
        out.error = QStringLiteral("%1:%2:%3: not valid JSON: %4")
                        .arg(source)
                        .arg(lines.lineOf(error.offset))
                        .arg(lines.columnOf(error.offset))
                        .arg(error.errorString());
        return out;
    }
    if (!doc.isObject()) {
        out.error = QStringLiteral("%1:1: the site must be one JSON object with \"groups\" and \"users\"").arg(source);
        return out;
    }
    const QJsonObject root = doc.object();
    Reader r;
    Site site;
    if (r.onlyKeys(root, QString(), QString(),
                   {QStringLiteral("groups"), QStringLiteral("users"), QStringLiteral("timing"),
                    QStringLiteral("faults")})
        && readGroups(r, root, site) && readUsers(r, root, site) && readTiming(r, root, site.timing)
        && readFaults(r, root, site, site.faults)) {
        out.site = std::move(site);
        return out;
    }
    const int line = lines.lineOfPath(r.failure->path);
    out.error = QStringLiteral("%1:%2: %3").arg(source).arg(qMax(line, 1)).arg(r.failure->message);
    return out;
}

SiteLoad loadSiteFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SiteLoad out;
        out.error = QStringLiteral("%1: cannot read the site file: %2").arg(path, file.errorString());
        return out;
    }
    // A site file is a few kilobytes; anything huge is not one.
    if (file.size() > 16 * 1024 * 1024) {
        SiteLoad out;
        out.error = QStringLiteral("%1: the site file is larger than 16 MiB").arg(path);
        return out;
    }
    return parseSite(file.readAll(), path);
}

} // namespace sim
