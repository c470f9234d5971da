// Site files and the command line: what is taken, what is refused and how the
// refusal names the place.
#include "demo_data.h"
#include "sim_options.h"
#include "site_loader.h"
#include "sim_energy.h"
#include "sim_server.h"
#include "site_generator.h"
#include "wire.h"

#include <QTest>

using namespace sim;

namespace {

const QByteArray kDeviceA = R"({"serial": 1001, "model": "QRN410", "name": "Pano A"})";
const QByteArray kDeviceB = R"({"serial": 1002, "model": "Rkt90wz", "name": "Röle B"})";
const QByteArray kUser = R"({"name": "usta", "password": "42", "devices": "all"})";

QByteArray commaLines(const QByteArrayList &items)
{
    QByteArrayList lines;
    for (qsizetype i = 0; i < items.size(); ++i)
        lines.append(items[i] + (i + 1 < items.size() ? "," : ""));
    return lines.join('\n');
}

// One device per line from line 3 on; with the two default devices the
// users' list opens on line 6 and its first user stands on line 7; extra
// top-level members follow the users, one per line, from line 9 on.
QByteArray site(const QByteArrayList &devices = {kDeviceA, kDeviceB}, const QByteArrayList &users = {kUser},
                const QByteArrayList &extra = {})
{
    QByteArray text = "{\n\"groups\": [{\"name\": \"depo\", \"devices\": [\n";
    if (!devices.isEmpty())
        text += commaLines(devices) + '\n';
    text += "]}],\n\"users\": [\n" + commaLines(users) + '\n';
    text += extra.isEmpty() ? "]\n" : "],\n" + commaLines(extra) + '\n';
    return text + "}\n";
}

} // namespace

class TstSimSite : public QObject {
    Q_OBJECT
private slots:
    void goodSite();
    void malformed_data();
    void malformed();
    void refused_data();
    void refused();
    void demoSiteAsAgreed();
    void demoSiteRoundTrip();
    void generatedSite_data();
    void generatedSite();
    void devicesPerUserAtTheBound_data();
    void devicesPerUserAtTheBound();
    void exampleInTheGuideLoads();
    void options_data();
    void options();
    void badOptions_data();
    void badOptions();
    void optionsOverTheSite();
};

void TstSimSite::goodSite()
{
    const QByteArray text = site(
        {kDeviceA,
         R"({"serial": 1002, "model": "Rkt90wz", "name": "Röle B", "online": false, "load": 0.5, "ct": 60,)"
         R"( "energy": "KRİTİK", "settings": {"Tanfi": -5, "hizlimod": 1, "_why": "ok"}, "_note": "remarks are allowed"})",
         R"({"serial": 1003, "model": "XYZ100", "name": "Pompa", "energy": {"inductive": 17, "capacitive": 3}})"},
        {kUser,
         R"({"name": "işletme", "password": "5678", "devices": [1003, 1001],)"
         R"( "messages": [{"title": "Bakım", "text": "Satır 1\nSatır 2"}]})"},
        {R"("timing": {"answerDelayMs": [20, 40], "messageNoticeAfterS": 1.5})",
         R"("faults": {"split": ["enertum"], "join": "all", "dropAfter": 9, "late": {"ms": 700}, "offline": [1001]})"});
    const SiteLoad load = parseSite(text, QStringLiteral("site.json"));
    QVERIFY2(load.site, qPrintable(load.error));
    const Site &s = *load.site;

    QCOMPARE(s.devices.size(), 3);
    const DeviceInfo &b = s.devices[1];
    QCOMPARE(b.group, QStringLiteral("depo"));
    QCOMPARE(b.name, QStringLiteral("Röle B"));
    QCOMPARE(b.serial, 1002u);
    QVERIFY(!b.online);
    QVERIFY(s.devices[0].online);
    QCOMPARE(b.setup.value("load").toDouble(), 0.5);
    QCOMPARE(b.setup.value("ct").toInt(), 60);
    QCOMPARE(b.setup.value("energy").toString(), QStringLiteral("KRİTİK"));
    QCOMPARE(b.setup.value("settings").toMap(), (QVariantMap{{"Tanfi", -5}, {"hizlimod", 1}}));
    QVERIFY(!b.setup.contains("_note"));
    QVERIFY(s.devices[0].setup.isEmpty()); // absent keys: the kind's defaults
    QCOMPARE(s.devices[2].setup.value("energy").toMap().value("inductive").toDouble(), 17.0);

    QCOMPARE(s.users.size(), 2);
    QCOMPARE(s.users[0].serials, (QList<quint32>{1001, 1002, 1003})); // "all": listing order
    QCOMPARE(s.users[1].serials, (QList<quint32>{1003, 1001}));       // the user's own order
    QCOMPARE(s.users[1].messages.size(), 1);
    QCOMPARE(s.users[1].messages[0].text, QStringLiteral("Satır 1\nSatır 2"));
    QCOMPARE(s.findUser("i\xFEletme"), &s.users[1]); // code page 1254 on the wire

    QVERIFY(s.timing.answerDelayGiven);
    QCOMPARE(s.timing.answerDelayMinMs, 20);
    QCOMPARE(s.timing.answerDelayMaxMs, 40);
    QCOMPARE(s.timing.messageNoticeAfterMs, 1500);

    QVERIFY(s.faults.split.matches("enertum"));
    QVERIFY(!s.faults.split.matches("ping"));
    QVERIFY(s.faults.join.matches("ping"));
    QCOMPARE(s.faults.dropAfter, 9);
    QCOMPARE(s.faults.lateMs, 700);
    QVERIFY(s.faults.late.matches("anything"));
    QCOMPARE(s.faults.offline, QSet<quint32>{1001});
}

void TstSimSite::malformed_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("place");

    QTest::newRow("missing comma") << QByteArray("{\n\"groups\": []\n\"users\": []\n}") << "site.json:3:";
    QTest::newRow("unterminated string") << QByteArray("{\n  \"groups\": [\n    {\"name\": \"dep") << "site.json:3:";
    QTest::newRow("trailing comma") << QByteArray("{\"groups\": [1,]}") << "site.json:1:";
    QTest::newRow("empty file") << QByteArray() << "site.json:1:1:";
    QTest::newRow("garbage after the object") << QByteArray("{}\n\nx") << "site.json:3:";
    // Columns count characters, not bytes.
    QTest::newRow("column after Turkish letters") << QByteArray("{\"ş\": ğ}") << "site.json:1:7:";
}

void TstSimSite::malformed()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, place);
    const SiteLoad load = parseSite(text, QStringLiteral("site.json"));
    QVERIFY(!load.site);
    QVERIFY2(load.error.startsWith(place), qPrintable(load.error));
    QVERIFY2(load.error.contains(QStringLiteral("not valid JSON")), qPrintable(load.error));
}

void TstSimSite::refused_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");

    QTest::newRow("device without serial")
        << site({kDeviceA, R"({"model": "QRN410", "name": "Pompa"})"})
        << R"(site.json:4: device "Pompa" (entry 2 of group "depo"): "serial" is missing)";
    QTest::newRow("serial as text")
        << site({kDeviceA, R"({"serial": "1002", "model": "QRN410", "name": "Pompa"})"})
        << R"(site.json:4: device "Pompa" (entry 2 of group "depo"): "serial" must be a whole number)";
    QTest::newRow("serial not whole") << site({R"({"serial": 10.5, "model": "QRN410", "name": "A"})"})
                                      << R"(site.json:3: device 10.5 "A": "serial" must be a whole number)";
    QTest::newRow("serial twice") << site({kDeviceA, R"({"serial": 1001, "model": "QRN410", "name": "Kopya"})"})
                                  << R"(site.json:4: device 1001 "Kopya": serial 1001 is listed twice)";
    QTest::newRow("model missing") << site({R"({"serial": 7, "name": "A"})"})
                                   << R"(site.json:3: device 7 "A": "model" is missing)";
    QTest::newRow("online as text") << site({R"({"serial": 7, "model": "QRN410", "name": "A", "online": "evet"})"})
                                    << R"(site.json:3: device 7 "A": "online" must be true or false)";
    QTest::newRow("name with colon") << site({R"({"serial": 7, "model": "QRN410", "name": "Pano: 1"})"})
                                     << R"(site.json:3: device 7 "Pano: 1": "name" must not contain ":")";
    QTest::newRow("name outside code page 1254")
        << site({R"({"serial": 7, "model": "QRN410", "name": "Pano 中"})"})
        << R"(site.json:3: device 7 "Pano 中": "name" holds a character that code page 1254 cannot carry)";
    QTest::newRow("name with a control byte")
        << site({R"({"serial": 7, "model": "QRN410", "name": "Pano\u0001"})"})
        << R"(site.json:3: device 7 "Pano<01>": "name" holds a control character)";
    QTest::newRow("load out of range") << site({R"({"serial": 7, "model": "QRN410", "name": "A", "load": 3})"})
                                       << R"(site.json:3: device 7 "A": "load" must be a number from 0 to 2)";
    QTest::newRow("ct not whole") << site({R"({"serial": 7, "model": "QRN410", "name": "A", "ct": 12.5})"})
                                  << R"(site.json:3: device 7 "A": "ct" must be a whole number from 1 to 9999)";
    QTest::newRow("unknown band") << site({R"({"serial": 7, "model": "QRN410", "name": "A", "energy": "KRITIK"})"})
                                  << R"(site.json:3: device 7 "A": "energy" must be one of NORMAL, KRİTİK, ALARM, CEZA)";
    QTest::newRow("settings not an object")
        << site({R"({"serial": 7, "model": "QRN410", "name": "A", "settings": [1]})"})
        << R"(site.json:3: device 7 "A": "settings" must be an object)";
    // Settings are those of the device's kind, whole, in the device's range.
    QTest::newRow("meter setting on a relay")
        << site({R"({"serial": 7, "model": "Rkt90wz", "name": "A", "settings": {"digits": 9}})"})
        << R"(site.json:3: device 7 "A": unknown field "digits" (known: Tanfi, indcezasinir,)";
    QTest::newRow("misspelt setting")
        << site({R"({"serial": 7, "model": "PMT830", "name": "A", "settings": {"digit": 9}})"})
        << R"(site.json:3: device 7 "A": unknown field "digit" (known: digits))";
    QTest::newRow("setting out of range")
        << site({R"({"serial": 7, "model": "Rkt90wz", "name": "A", "settings": {"Tanfi": 80}})"})
        << R"(site.json:3: device 7 "A": "Tanfi" must be a whole number from -75 to 75)";
    QTest::newRow("setting not whole")
        << site({R"({"serial": 7, "model": "PMT830", "name": "A", "settings": {"digits": 9.5}})"})
        << R"(site.json:3: device 7 "A": "digits" must be a whole number from 6 to 16)";
    QTest::newRow("setting as text")
        << site({R"({"serial": 7, "model": "Rkt90wz", "name": "A", "settings": {"manuel": "1"}})"})
        << R"(site.json:3: device 7 "A": "manuel" must be a whole number from 0 to 1)";
    QTest::newRow("settings for a kind without")
        << site({R"({"serial": 7, "model": "QRN410", "name": "A", "settings": {"ct": 5}})"})
        << R"(site.json:3: device 7 "A": a "QRN410" takes no settings)";
    QTest::newRow("misspelt field") << site({R"({"serial": 7, "model": "QRN410", "name": "A", "onlne": false})"})
                                    << R"(site.json:3: device 7 "A": unknown field "onlne")";
    QTest::newRow("no devices") << site({}) << R"(site.json:2: the site has no devices)";

    QTest::newRow("user without password") << site({kDeviceA, kDeviceB}, {R"({"name": "usta", "devices": "all"})"})
                                           << R"(site.json:7: user "usta": "password" is missing)";
    QTest::newRow("user with a foreign device")
        << site({kDeviceA, kDeviceB}, {R"({"name": "usta", "password": "1", "devices": [1001, 9999]})"})
        << R"(site.json:7: user "usta": device 9999 is not in "groups")";
    QTest::newRow("user twice") << site({kDeviceA, kDeviceB}, {kUser, kUser})
                                << R"(site.json:8: user "usta": the user is listed twice)";
    QTest::newRow("user devices as a number")
        << site({kDeviceA, kDeviceB}, {R"({"name": "usta", "password": "1", "devices": 1001})"})
        << R"(site.json:7: user "usta": "devices" must be "all" or a list of device serials)";
    QTest::newRow("message without text")
        << site({kDeviceA, kDeviceB},
                {R"({"name": "usta", "password": "1", "devices": "all", "messages": [{"title": "T"}]})"})
        << R"(site.json:7: user "usta", message 1: "text" is missing)";
    QTest::newRow("no users") << site({kDeviceA, kDeviceB}, {})
                              << R"(site.json:6: "users" must be a list of users)";

    QTest::newRow("delay range backwards")
        << site({kDeviceA, kDeviceB}, {kUser}, {R"("timing": {"answerDelayMs": [200, 100]})"})
        << R"(site.json:9: timing: "answerDelayMs" must be milliseconds)";
    QTest::newRow("fault keywords as a number") << site({kDeviceA, kDeviceB}, {kUser}, {R"("faults": {"split": 5})"})
                                                << R"(site.json:9: faults: "split" must be "all" or a list)";
    QTest::newRow("offline device not in the site")
        << site({kDeviceA, kDeviceB}, {kUser}, {R"("faults": {"offline": [1001, 4]})"})
        << R"(site.json:9: faults: device 4 is not in "groups")";
    QTest::newRow("unknown top-level member") << site({kDeviceA, kDeviceB}, {kUser}, {R"("devices": [])"})
                                              << R"(site.json:9: unknown field "devices")";
    QTest::newRow("not an object") << QByteArray("[]") << "site.json:1: the site must be one JSON object";
}

void TstSimSite::refused()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    const SiteLoad load = parseSite(text, QStringLiteral("site.json"));
    QVERIFY(!load.site);
    QVERIFY2(load.error.startsWith(error), qPrintable(load.error + QStringLiteral("\n  wanted: ") + error));
}

void TstSimSite::demoSiteAsAgreed()
{
    const Site &s = demoSite();
    const QList<quint32> serials{12001, 12002, 12003, 12007, 12004, 12005, 12006, 12008, 12009, 12010};
    QList<quint32> got;
    for (const DeviceInfo &d : s.devices) {
        got.append(d.serial);
        QVERIFY2(!d.name.contains(u':'), qPrintable(d.name));
        QCOMPARE(d.online, d.serial != 12010);
    }
    QCOMPARE(got, serials);
    QCOMPARE(s.findDevice(12006)->model, QStringLiteral("XYZ100"));
    QCOMPARE(kindOfModel(s.findDevice(12006)->model), DeviceKind::Unknown);
    QCOMPARE(s.findDevice(12002)->setup.value("energy").toString(), QStringLiteral("KRİTİK"));
    QCOMPARE(s.findDevice(12008)->setup.value("energy").toString(), QStringLiteral("CEZA"));
    QCOMPARE(s.findDevice(12009)->setup.value("settings").toMap().value("digits").toInt(), 10);

    const SiteUser *demo = s.findUser("demo");
    QVERIFY(demo);
    QCOMPARE(demo->password, QStringLiteral("1234"));
    QCOMPARE(demo->serials, serials);
    QVERIFY(demo->messages.size() >= 3);
    const SiteUser *isletme = s.findUser(wire::encode(QStringLiteral("işletme")));
    QVERIFY(isletme);
    QCOMPARE(isletme->password, QStringLiteral("5678"));
    QCOMPARE(isletme->serials, (QList<quint32>{12004, 12005, 12009}));
    // No delay of its own: in-process servers answer at once.
    QVERIFY(!s.timing.answerDelayGiven);
    QVERIFY(s.faults.isEmpty());
}

void TstSimSite::demoSiteRoundTrip()
{
    // What --print-site writes is a site file that loads back to the same site.
    const QByteArray json = siteToJson(demoSite()).toJson();
    const SiteLoad load = parseSite(json, QStringLiteral("demo"));
    QVERIFY2(load.site, qPrintable(load.error));
    const Site &a = demoSite();
    const Site &b = *load.site;
    QCOMPARE(b.devices.size(), a.devices.size());
    for (qsizetype i = 0; i < a.devices.size(); ++i) {
        QCOMPARE(b.devices[i].serial, a.devices[i].serial);
        QCOMPARE(b.devices[i].group, a.devices[i].group);
        QCOMPARE(b.devices[i].name, a.devices[i].name);
        QCOMPARE(b.devices[i].model, a.devices[i].model);
        QCOMPARE(b.devices[i].online, a.devices[i].online);
        QCOMPARE(b.devices[i].setup, a.devices[i].setup);
    }
    QCOMPARE(b.users.size(), a.users.size());
    for (qsizetype i = 0; i < a.users.size(); ++i) {
        QCOMPARE(b.users[i].name, a.users[i].name);
        QCOMPARE(b.users[i].serials, a.users[i].serials);
        QCOMPARE(b.users[i].messages.size(), a.users[i].messages.size());
    }
}

void TstSimSite::generatedSite_data()
{
    QTest::addColumn<int>("devices");
    for (int n : {1, 5, 37, 1000, kMaxDevicesPerUser})
        QTest::addRow("%d", n) << n;
}

void TstSimSite::generatedSite()
{
    QFETCH(int, devices);
    const Site s = sim::generatedSite(devices);
    QCOMPARE(s.devices.size(), devices);
    QHash<QString, int> perGroup;
    QSet<DeviceKind> kinds;
    QSet<QString> bands;
    int offline = 0;
    for (qsizetype i = 0; i < s.devices.size(); ++i) {
        const DeviceInfo &d = s.devices[i];
        QCOMPARE(d.serial, kGeneratedFirstSerial + quint32(i));
        ++perGroup[d.group];
        kinds.insert(kindOfModel(d.model));
        const QVariant energy = d.setup.value(QStringLiteral("energy"));
        if (energy.typeId() == QMetaType::QString)
            bands.insert(energy.toString());
        offline += d.online ? 0 : 1;
    }
    QCOMPARE(perGroup.size(), (devices + kGeneratedGroupSize - 1) / kGeneratedGroupSize);
    for (int n : std::as_const(perGroup))
        QVERIFY(n <= kGeneratedGroupSize);
    QCOMPARE(kinds.size(), qMin(devices, 5));
    if (devices >= 37)
        QCOMPARE(bands.size(), 4);
    QCOMPARE(offline, devices / kGeneratedOfflineEvery);
    // Both demo users see every device, in listing order.
    for (const char *user : {"demo", "i\xFEletme"}) {
        const SiteUser *u = s.findUser(user);
        QVERIFY(u);
        QCOMPARE(u->serials.size(), devices);
        QCOMPARE(u->serials.last(), kGeneratedFirstSerial + quint32(devices - 1));
    }
    // A site file would say the same (and pass every check of one), and the
    // same size makes the same site.
    const QByteArray json = siteToJson(s).toJson(QJsonDocument::Compact);
    const SiteLoad load = parseSite(json, QStringLiteral("generated"));
    QVERIFY2(load.site, qPrintable(load.error));
    QCOMPARE(siteToJson(*load.site).toJson(QJsonDocument::Compact), json);
    QCOMPARE(siteToJson(sim::generatedSite(devices)).toJson(QJsonDocument::Compact), json);
}

void TstSimSite::devicesPerUserAtTheBound_data()
{
    QTest::addColumn<int>("devices");
    QTest::addColumn<bool>("taken");
    QTest::newRow("as many as the client keeps") << kMaxDevicesPerUser << true;
    QTest::newRow("one more") << kMaxDevicesPerUser + 1 << false;
}

void TstSimSite::devicesPerUserAtTheBound()
{
    QFETCH(int, devices);
    QFETCH(bool, taken);
    QByteArrayList list;
    for (int i = 1; i <= devices; ++i)
        list.append("{\"serial\": " + QByteArray::number(i) + ", \"model\": \"QRN410\", \"name\": \"A\"}");
    const SiteLoad load = parseSite(site(list), QStringLiteral("site.json"));
    QCOMPARE(bool(load.site), taken);
    if (!taken)
        QVERIFY2(load.error.endsWith(QStringLiteral("user \"usta\": %1 devices; the client keeps %2")
                                         .arg(devices)
                                         .arg(ConnectionState::kMaxDevices)),
                 qPrintable(load.error));
}

void TstSimSite::exampleInTheGuideLoads()
{
    const SiteLoad load = loadSiteFile(QStringLiteral(SOURCE_DIR "/docs/site-example.json"));
    QVERIFY2(load.site, qPrintable(load.error));
    QVERIFY(load.site->users.size() >= 2);
    bool someOffline = false;
    for (const DeviceInfo &d : load.site->devices)
        someOffline = someOffline || !d.online;
    QVERIFY(someOffline);
    // The devices start from the settings the file gives them.
    SimServer server(*load.site);
    QCOMPARE(server.device(21002)->reg(129), quint16(12));
    QCOMPARE(server.device(21002)->reg(132), quint16(18));
    QCOMPARE(energyProfile(*load.site->findDevice(21010)).meterWidth, 9);
    const SiteLoad missing = loadSiteFile(QStringLiteral(SOURCE_DIR "/docs/no-such-site.json"));
    QVERIFY(!missing.site);
    QVERIFY(missing.error.contains(QStringLiteral("no-such-site.json")));
}

void TstSimSite::options_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("check");

    QTest::newRow("defaults") << QStringList{} << "port=17818 host=127.0.0.1 quiet=0 site=";
    QTest::newRow("site and quiet") << QStringList{"--site", "a.json", "-q", "--port", "4000"}
                                    << "port=4000 host=127.0.0.1 quiet=1 site=a.json";
    QTest::newRow("fixed delay") << QStringList{"--delay", "0"} << "delay=0-0";
    QTest::newRow("delay range") << QStringList{"--delay", "20-80"} << "delay=20-80";
    QTest::newRow("notice") << QStringList{"--notice-after", "2.5"} << "notice=2500";
    QTest::newRow("split some") << QStringList{"--split", "enertum,harmonikbir"} << "split=enertum,harmonikbir";
    QTest::newRow("join all") << QStringList{"--join", "all"} << "join=all";
    QTest::newRow("drop") << QStringList{"--drop-after", "12"} << "drop=12";
    QTest::newRow("late all") << QStringList{"--late", "3000"} << "late=3000:all";
    QTest::newRow("late some") << QStringList{"--late", "500:ping"} << "late=500:ping";
    QTest::newRow("offline") << QStringList{"--offline", "12001, 12002"} << "offline=2";
    QTest::newRow("generated site") << QStringList{"--generate", "1000"} << "generate=1000 site=";
}

void TstSimSite::options()
{
    QFETCH(QStringList, args);
    QFETCH(QString, check);
    const ParsedOptions parsed = parseRunOptions(QStringList{"central_sim"} + args);
    QVERIFY2(parsed.options, qPrintable(parsed.error));
    const RunOptions &o = *parsed.options;
    const auto words = [](const KeywordFilter &f) {
        if (f.keywords.isEmpty())
            return QStringLiteral("all");
        QStringList w;
        for (const QByteArray &k : f.keywords)
            w.append(QString::fromLatin1(k));
        w.sort();
        return w.join(',');
    };
    QStringList facts{QStringLiteral("port=%1").arg(o.port), QStringLiteral("host=") + o.host,
                      QStringLiteral("quiet=%1").arg(int(o.quiet)), QStringLiteral("site=") + o.sitePath,
                      QStringLiteral("generate=%1").arg(o.generate)};
    if (o.answerDelay)
        facts.append(QStringLiteral("delay=%1-%2").arg(o.answerDelay->first).arg(o.answerDelay->second));
    if (o.noticeAfterMs)
        facts.append(QStringLiteral("notice=%1").arg(*o.noticeAfterMs));
    if (o.split)
        facts.append(QStringLiteral("split=") + words(*o.split));
    if (o.join)
        facts.append(QStringLiteral("join=") + words(*o.join));
    if (o.dropAfter)
        facts.append(QStringLiteral("drop=%1").arg(*o.dropAfter));
    if (o.late)
        facts.append(QStringLiteral("late=%1:%2").arg(o.late->lateMs).arg(words(o.late->late)));
    if (o.offline)
        facts.append(QStringLiteral("offline=%1").arg(o.offline->size()));
    const QString all = facts.join(' ');
    for (const QString &fact : check.split(' '))
        QVERIFY2(facts.contains(fact), qPrintable(all + QStringLiteral(" lacks ") + fact));
}

void TstSimSite::badOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown option") << QStringList{"--sit", "a.json"} << "Unknown option";
    QTest::newRow("port too big") << QStringList{"--port", "70000"} << "invalid port";
    QTest::newRow("delay backwards") << QStringList{"--delay", "90-10"} << "invalid --delay";
    QTest::newRow("delay words") << QStringList{"--delay", "fast"} << "invalid --delay";
    QTest::newRow("drop zero") << QStringList{"--drop-after", "0"} << "invalid --drop-after";
    QTest::newRow("late without ms") << QStringList{"--late", ":enertum"} << "invalid --late";
    QTest::newRow("empty keyword") << QStringList{"--split", "enertum,,ping"} << "invalid --split";
    QTest::newRow("offline words") << QStringList{"--offline", "abc"} << "invalid --offline";
    QTest::newRow("check without a site") << QStringList{"--check"} << "--check needs --site";
    QTest::newRow("stray argument") << QStringList{"site.json"} << "unexpected argument";
    QTest::newRow("generate none") << QStringList{"--generate", "0"} << "invalid --generate";
    QTest::newRow("generate more than a user sees")
        << QStringList{"--generate", QString::number(kMaxDevicesPerUser + 1)} << "invalid --generate";
    QTest::newRow("generate and a site") << QStringList{"--generate", "5", "--site", "a.json"} << "exclude each other";
}

void TstSimSite::badOptions()
{
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    const ParsedOptions parsed = parseRunOptions(QStringList{"central_sim"} + args);
    QVERIFY(!parsed.options);
    QVERIFY2(parsed.error.contains(error), qPrintable(parsed.error));
}

void TstSimSite::optionsOverTheSite()
{
    // Neither the site nor the command line gives a delay: the default range.
    Site s = demoSite();
    RunOptions none;
    QVERIFY(applyRunOptions(none, s, nullptr));
    QCOMPARE(s.timing.answerDelayMinMs, kDefaultAnswerDelayMinMs);
    QCOMPARE(s.timing.answerDelayMaxMs, kDefaultAnswerDelayMaxMs);

    // The site's own values stand unless an option replaces them.
    const SiteLoad load = parseSite(site({kDeviceA, kDeviceB}, {kUser},
                                         {R"("timing": {"answerDelayMs": 7})", R"("faults": {"dropAfter": 3, "join": "all"})"}),
                                    QStringLiteral("s"));
    QVERIFY2(load.site, qPrintable(load.error));
    Site fromFile = *load.site;
    RunOptions o;
    o.dropAfter = 5;
    QVERIFY(applyRunOptions(o, fromFile, nullptr));
    QCOMPARE(fromFile.timing.answerDelayMinMs, 7);
    QCOMPARE(fromFile.faults.dropAfter, 5);
    QVERIFY(fromFile.faults.join.on);

    RunOptions foreign;
    foreign.offline = QSet<quint32>{4};
    QString error;
    QVERIFY(!applyRunOptions(foreign, fromFile, &error));
    QVERIFY2(error.contains(QStringLiteral("device 4")), qPrintable(error));
}

QTEST_GUILESS_MAIN(TstSimSite)
#include "tst_sim_site.moc"
