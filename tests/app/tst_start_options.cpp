// The command line, the remembered login in a settings file of its own, and
// the password in a keyring: a stand-in keyring here, the desktop's real one
// where a session bus offers it.
#include "app_options.h"
#include "build_settings.h"
#include "client_settings.h"
#include "client_windows.h"
#include "log_in.h"
#include "login_memory.h"
#include "panel_status_bar.h"
#include "secret_store.h"

#include <QCheckBox>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

namespace {

// A keyring in memory that answers later, as a real one does; or, without
// `available`, a desktop where no keyring runs.
class FakeKeyring final : public SecretStore {
public:
    FakeKeyring(std::shared_ptr<QMap<QString, QString>> entries, bool available)
        : m_entries(std::move(entries)), m_available(available)
    {
    }
    void read(const QString &key, QObject *context, Done done) override
    {
        answer(context, std::move(done), [this, key] {
            return m_entries->contains(key) ? std::pair{Result::Ok, m_entries->value(key)}
                                            : std::pair{Result::NotFound, QString()};
        });
    }
    void write(const QString &key, const QString &secret, QObject *context, Done done) override
    {
        answer(context, std::move(done), [this, key, secret] {
            m_entries->insert(key, secret);
            return std::pair{Result::Ok, QString()};
        });
    }
    void remove(const QString &key, QObject *context, Done done) override
    {
        answer(context, std::move(done), [this, key] {
            return std::pair{m_entries->remove(key) ? Result::Ok : Result::NotFound, QString()};
        });
    }

private:
    template <class F> void answer(QObject *context, Done done, F work)
    {
        QTimer::singleShot(0, context, [this, done = std::move(done), work] {
            const auto [result, secret] = m_available ? work() : std::pair{Result::NoKeyring, QString()};
            done(result, secret);
        });
    }
    std::shared_ptr<QMap<QString, QString>> m_entries;
    bool m_available;
};

// One run of the client's login: its windows, the settings file and a keyring.
struct Run {
    QSettings settings;
    ClientWindows w;
    LoginMemory *memory;

    Run(const QString &file, std::shared_ptr<QMap<QString, QString>> keyring, bool available)
        : settings(file, QSettings::IniFormat)
    {
        memory = new LoginMemory(w.giris, w.ana.connection(), settings,
                                 std::make_unique<FakeKeyring>(std::move(keyring), available), &w.giris);
    }
    QLineEdit *field(const char *name) { return w.giris.findChild<QLineEdit *>(QLatin1String(name)); }
    QCheckBox *remember() { return w.giris.findChild<QCheckBox *>(QStringLiteral("chkBeniHatirla")); }
    QString status() { return w.giris.findChild<PanelStatusBar *>(QStringLiteral("LABEL6"))->simpleText(); }
};

} // namespace

class TstStartOptions : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void rememberedLogin_data();
    void rememberedLogin();
    void commandLineWinsOverTheRemembered();
    void realKeyring();
};

void TstStartOptions::parse_data()
{
    using A = AppOptions::Action;
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("history");
    QTest::addColumn<bool>("minimized");
    const auto row = [](const char *name, QStringList args, A action, QString host = {}, int port = 0,
                        QString user = {}, QString lang = {}, QString history = {}, bool min = false) {
        args.prepend(QStringLiteral("tarnek_client"));
        QTest::newRow(name) << args << int(action) << host << port << user << lang << history << min;
    };
    row("nothing given", {}, A::Run);
    row("everything", {"--host", "sunucu.example", "--port", "17818", "--user", "demo", "--lang", "en",
                       "--history", "/tmp/gecmis.db", "--minimized"},
        A::Run, "sunucu.example", 17818, "demo", "en", "/tmp/gecmis.db", true);
    row("= form and one dash", {"-host=10.0.0.5", "--port=1"}, A::Run, "10.0.0.5", 1);
    row("language in capitals", {"--lang", "TR"}, A::Run, {}, 0, {}, "tr");
    row("user name kept as typed", {"--user", " ali "}, A::Run, {}, 0, " ali ");
    row("history as a URL", {"--history", "https://sunucu.example/gecmis"}, A::Run, {}, 0, {}, {},
        "https://sunucu.example/gecmis");
    row("port 0", {"--port", "0"}, A::Fail);
    row("port too large", {"--port", "65536"}, A::Fail);
    row("port not a number", {"--port", "17818a"}, A::Fail);
    row("port missing its value", {"--port"}, A::Fail);
    row("unknown language", {"--lang", "de"}, A::Fail);
    row("blank user", {"--user", "  "}, A::Fail);
    row("empty host", {"--host="}, A::Fail);
    row("unknown option", {"--renk", "mavi"}, A::Fail);
    row("stray argument", {"fazla"}, A::Fail);
    row("help beside a mistake", {"--port", "x", "--help"}, A::ShowHelp);
    row("version", {"-v"}, A::ShowVersion);
}

void TstStartOptions::parse()
{
    QFETCH(QStringList, args);
    QFETCH(int, action);
    const AppOptions o = parseAppOptions(args);
    QCOMPARE(int(o.action), action);
    switch (o.action) {
    case AppOptions::Action::Run: {
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, user);
        QFETCH(QString, language);
        QFETCH(QString, history);
        QFETCH(bool, minimized);
        QCOMPARE(o.host, host);
        QCOMPARE(o.port, port);
        QCOMPARE(o.user, user);
        QCOMPARE(o.language, language);
        QCOMPARE(o.history, history);
        QCOMPARE(o.minimized, minimized);
        break;
    }
    case AppOptions::Action::ShowHelp:
        for (const char *option : {"--host", "--port", "--user", "--lang", "--history", "--minimized", "--version"})
            QVERIFY2(o.message.contains(QLatin1String(option)), option);
        break;
    case AppOptions::Action::ShowVersion:
        QVERIFY(o.message.contains(QStringLiteral(CLIENT_VERSION)));
        break;
    case AppOptions::Action::Fail:
        QVERIFY(!o.message.isEmpty()); // says what is wrong
        break;
    }
}

void TstStartOptions::settingsRoundTrip_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("portBack");
    QTest::addColumn<bool>("remember");
    QTest::newRow("plain") << "demo" << "127.0.0.1" << 17818 << 17818 << true;
    QTest::newRow("Turkish letters and blanks") << " Şükrü Ağaoğlu " << "sunucu.example" << 1 << 1 << false;
    QTest::newRow("port out of range is not kept") << "demo" << QString() << 70000 << 0 << false;
}

void TstStartOptions::settingsRoundTrip()
{
    QFETCH(QString, user);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(int, portBack);
    QFETCH(bool, remember);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ayarlar.ini"));
    const QByteArray geometry("\x01\xd9\xd0\xcb geometry bytes", 20);
    client_settings::useFile(file);
    client_settings::setLogin(client_settings::store(), {user, host, port, remember});
    client_settings::setMainWindowGeometry(client_settings::store(), geometry);
    client_settings::useFile(QString()); // written out, and let go

    const QSettings back(file, QSettings::IniFormat);
    const client_settings::Login l = client_settings::login(back);
    QCOMPARE(l.user, user);
    QCOMPARE(l.host, host);
    QCOMPARE(l.port, portBack);
    QCOMPARE(l.rememberPassword, remember);
    QCOMPARE(client_settings::mainWindowGeometry(back), geometry);
}

void TstStartOptions::rememberedLogin_data()
{
    QTest::addColumn<bool>("keyringRuns");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("storedBefore"); // a password from an earlier "Beni hatırla"
    QTest::newRow("ticked, keyring runs") << true << true << false;
    QTest::newRow("not ticked: nothing kept") << true << false << false;
    QTest::newRow("not ticked: the earlier password is forgotten") << true << false << true;
    QTest::newRow("ticked, no keyring: says so, keeps nothing") << false << true << false;
}

void TstStartOptions::rememberedLogin()
{
    QFETCH(bool, keyringRuns);
    QFETCH(bool, tick);
    QFETCH(bool, storedBefore);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ayarlar.ini"));
    auto keyring = std::make_shared<QMap<QString, QString>>();
    const QString key = LoginMemory::keyFor(QStringLiteral("ayşe"), QStringLiteral("127.0.0.1"));
    if (storedBefore)
        keyring->insert(key, QStringLiteral("eski"));
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    {
        Run first(file, keyring, keyringRuns);
        first.memory->restore();
        first.remember()->setChecked(tick);
        if (tick && !keyringRuns) {
            QVERIFY(QTest::qWaitFor([&] { return !first.remember()->isChecked(); }, 2000));
            QCOMPARE(first.status(), QStringLiteral("   Anahtarlık yok: şifre hatırlanmaz"));
        }
        QCoreApplication::processEvents(); // the keyring's answer to the tick
        QSignalSpy answered(first.memory, &LoginMemory::keyringAnswered);
        logIn(first.w.giris, server.serverPort(), QStringLiteral("ayşe"), QStringLiteral("gizli şifre 1"));
        QVERIFY(first.w.ana.state().connected);
        QVERIFY(answered.wait(2000));
    }
    const QString expected = tick && keyringRuns ? QStringLiteral("gizli şifre 1") : QString();
    QCOMPARE(keyring->value(key), expected);
    QCOMPARE(keyring->size(), expected.isEmpty() ? 0 : 1);
    // Never in the settings file.
    QFile raw(file);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    const QByteArray text = raw.readAll();
    QVERIFY(!text.contains("gizli"));
    QVERIFY(text.contains("port=" + QByteArray::number(server.serverPort())));

    Run second(file, keyring, keyringRuns);
    QSignalSpy answered(second.memory, &LoginMemory::keyringAnswered);
    second.memory->restore();
    if (!expected.isEmpty())
        QVERIFY(answered.wait(2000));
    QCOMPARE(second.field("Edit1")->text(), QStringLiteral("ayşe"));
    QCOMPARE(second.field("edtport")->text(), QString::number(server.serverPort()));
    QCOMPARE(second.w.giris.startHost(), QStringLiteral("127.0.0.1"));
    QCOMPARE(second.remember()->isChecked(), !expected.isEmpty());
    QCOMPARE(second.field("Edit4")->text(), expected);
    // The filled password belongs to its user.
    QTest::keyClick(second.field("Edit1"), Qt::Key_X);
    QVERIFY(second.field("Edit4")->text().isEmpty());
}

void TstStartOptions::commandLineWinsOverTheRemembered()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ayarlar.ini"));
    {
        QSettings s(file, QSettings::IniFormat);
        client_settings::setLogin(s, {QStringLiteral("ayşe"), QStringLiteral("eski.example"), 2000, true});
    }
    auto keyring = std::make_shared<QMap<QString, QString>>();
    keyring->insert(LoginMemory::keyFor(QStringLiteral("ayşe"), QStringLiteral("eski.example")),
                    QStringLiteral("ayşenin"));
    Run run(file, keyring, true);
    run.memory->restore(QStringLiteral("mehmet"), QStringLiteral("yeni.example"), 3000);
    QTest::qWait(20); // what the keyring might answer has arrived
    QCOMPARE(run.field("Edit1")->text(), QStringLiteral("mehmet"));
    QCOMPARE(run.field("edtport")->text(), QStringLiteral("3000"));
    QCOMPARE(run.w.giris.startHost(), QStringLiteral("yeni.example"));
    QVERIFY(run.field("Edit4")->text().isEmpty()); // another user's password stays where it is
    // Shown, the host field holds the command line's host; the hidden fields stay hidden.
    run.w.giris.show();
    QCOMPARE(run.field("Servername")->text(), QStringLiteral("yeni.example"));
    QVERIFY(run.field("Servername")->isHidden());
    QVERIFY(run.field("edtport")->isHidden());
}

void TstStartOptions::realKeyring()
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        QSKIP("no D-Bus session here, so no desktop keyring can run: the real keyring path is not exercised");
    std::unique_ptr<SecretStore> store = makeKeyringStore(QStringLiteral("tarnek-client-test"));
    QObject context;
    std::optional<std::pair<SecretStore::Result, QString>> got;
    const auto await = [&] {
        QVERIFY(QTest::qWaitFor([&] { return got.has_value(); }, 15000));
    };
    const auto keep = [&](SecretStore::Result r, const QString &s) { got = std::pair{r, s}; };
    const QString key = QStringLiteral("deneme@127.0.0.1");
    store->write(key, QStringLiteral("gizli şifre"), &context, keep);
    await();
    if (got->first == SecretStore::Result::NoKeyring)
        QSKIP("a session bus runs but no keyring (Secret Service) answers on it: the real keyring path is not exercised");
    QCOMPARE(int(got->first), int(SecretStore::Result::Ok));
    got.reset();
    store->read(key, &context, keep);
    await();
    QCOMPARE(int(got->first), int(SecretStore::Result::Ok));
    QCOMPARE(got->second, QStringLiteral("gizli şifre"));
    got.reset();
    store->remove(key, &context, keep);
    await();
    QCOMPARE(int(got->first), int(SecretStore::Result::Ok));
    got.reset();
    store->read(key, &context, keep);
    await();
    QCOMPARE(int(got->first), int(SecretStore::Result::NotFound));
}

QTEST_MAIN(TstStartOptions)
#include "tst_start_options.moc"
