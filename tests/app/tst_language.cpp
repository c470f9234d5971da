// The interface language: how it is chosen, the menu that changes it, and
// that it never changes a byte on the wire. The whole request set runs twice
// against the simulator, with no translation and in English, under a Turkish
// and under an English locale; a proxy between the client and the simulator
// keeps every byte the client sent. This test runs with LC_ALL=tr_TR.UTF-8.
#include "bar_items.h"
#include "client_state.h"
#include "client_windows.h"
#include "group_bar.h"
#include "language.h"
#include "log_in.h"
#include "sim_server.h"
#include "spin_edit.h"
#include "wire.h"

#include <QAbstractButton>
#include <QAction>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr int kWait = 8000;
const QDate kFirst(2025, 3, 10), kLast(2025, 3, 17); // two-digit days and months in every format

// Passes the bytes between the client and the simulator both ways and keeps
// what the client sent, as it went over the wire.
class Recorder : public QObject {
public:
    QByteArray sent;

    bool listen(quint16 target)
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this, target] {
            while (QTcpSocket *client = m_server.nextPendingConnection()) {
                auto *upstream = new QTcpSocket(client);
                upstream->connectToHost(QHostAddress::LocalHost, target); // writes wait for the connection
                connect(client, &QTcpSocket::readyRead, upstream, [this, client, upstream] {
                    const QByteArray bytes = client->readAll();
                    sent += bytes;
                    upstream->write(bytes);
                });
                connect(upstream, &QTcpSocket::readyRead, client, [client, upstream] { client->write(upstream->readAll()); });
            }
        });
        return m_server.listen(QHostAddress::LocalHost, 0);
    }
    quint16 port() const { return m_server.serverPort(); }

private:
    QTcpServer m_server;
};

// The client's windows logged in through the recorder.
struct Session {
    sim::SimServer server;
    Recorder recorder;
    std::unique_ptr<ClientWindows> w;
    QStringList errors;

    bool start()
    {
        programState() = ProgramState{};
        programState().decimalSeparator = QLocale().decimalPoint().at(0); // as the first show sets it
        if (!server.listen(QHostAddress::LocalHost, 0) || !recorder.listen(server.port()))
            return false;
        server.setAnswerDelay(0, 0);
        w = std::make_unique<ClientWindows>();
        for (const char *timer : {"Timer1", "TimerPing"}) // they tick when the test says
            w->ana.findChild<QTimer *>(QLatin1String(timer))->stop();
        ClientContext &c = w->ana.context();
        c.showError = [this](const QString &text) { errors << text; };
        c.confirm = [](const QString &) { return true; };
        c.pause = [](int, const std::function<void()> &then) {
            if (then)
                then();
        };
        logIn(w->giris, recorder.port());
        return QTest::qWaitFor([&] { return w->ana.state().connected && itemCount() >= 9; }, kWait);
    }

    template <class T> T *get(const char *name) { return w->ana.widgets().get<T>(QLatin1String(name)); }
    QString shown(const char *name) { return w->ana.widgets().object(QLatin1String(name))->property("text").toString(); }
    int itemCount() const
    {
        int n = 0;
        for (const GroupBarGroup *g : w->ana.context().deviceBar->groups())
            n += g->itemCount();
        return n;
    }
    void select(quint32 serial)
    {
        support::clickBarItem(*w->ana.context().deviceBar, serial);
    }
    void click(const char *button) { get<QAbstractButton>(button)->click(); }
    void clickAll(std::initializer_list<const char *> buttons)
    {
        for (const char *b : buttons)
            click(b);
    }
    void type(const char *spin, const QString &text) { get<SpinEdit>(spin)->setText(text); }
    void setDates(const char *first, const char *last)
    {
        get<QDateEdit>(first)->setDate(kFirst);
        get<QDateEdit>(last)->setDate(kLast);
    }
};

// Every request the client can send, each through the button or menu a user
// takes, device by device. Returns what went over the wire and, as proof
// of the language, what the outgoing line said after the consumption request.
struct Traffic {
    QByteArray bytes;
    QString consumptionNote;
    int errors = 0;
    QStringList stalled; // waits that ran out
};

Traffic everyRequest()
{
    Session s;
    Traffic t;
    if (!s.start()) {
        t.stalled << QStringLiteral("the login");
        return t;
    }
    s.select(12001); // analyser: consumption, energy between dates, harmonics, steps
    s.click("VrShadowButton8");
    t.consumptionNote = s.shown("LblGiden");
    s.setDates("DateTimePicker1", "DateTimePicker2");
    s.clickAll({"VrShadowButton9", "VrShadowButton5", "VrShadowButton6", "VrShadowButton7", "VrShadowButton4",
                "BitBtn2", "btnikikereiste"});

    s.select(12002); // compensation relay: every setting, one step written and switched
    s.type("CT", QStringLiteral("300"));
    s.type("Tanfi", QStringLiteral("-10"));
    s.type("indcezasinir", QStringLiteral("18"));
    s.type("kapcezasinir", QStringLiteral("12"));
    s.type("maxalmasure", QStringLiteral("45"));
    s.type("C3_R_YAZ", QStringLiteral("300"));
    for (const char *radio : {"konogrenmeddisi", "manueldevrede", "radioaktif"})
        s.get<QAbstractButton>(radio)->setChecked(true);
    s.clickAll({"Button9", "btntanfi", "btnindceza", "btnkapceza", "Button7", "Button5", "zorvotomanuelyaz",
                "Button8", "sabitoku", "c3yaz", "durum3"});

    s.select(12003); // overcurrent relay, addressed by the serial its answer shows
    s.click("VrShadowButton2");
    if (!QTest::qWaitFor([&] { return s.shown("Sno") == QLatin1String("12003"); }, kWait))
        t.stalled << QStringLiteral("the overcurrent relay's answer");
    s.clickAll({"role2", "VrShadowButton1", "VrShadowButton3"});

    s.select(12004); // meter modem: readings, the utility reading, dates
    s.setDates("dtsycilktarih", "dtsycsontarih");
    s.clickAll({"VrShadowButton11", "VrShadowButton13", "VrShadowButton12"});

    s.select(12006); // industrial modem: relays and the water-meter index
    s.get<SpinEdit>("edtendeksyaz")->setValue(2.75);
    s.clickAll({"VrShadowButton21", "VrShadowButton15", "VrShadowButton16", "VrShadowButton17", "VrShadowButton18",
                "VrShadowButton19", "VrShadowButton20", "btnsuendeks", "VrShadowButton22"});

    s.w->ana.findChild<QAction *>(QStringLiteral("Oku1"))->trigger(); // the messages, asked for twice
    s.w->mesajlar.findChild<QAbstractButton *>(QStringLiteral("BitBtn2"))->click();
    QMetaObject::invokeMethod(s.w->ana.findChild<QTimer *>(QStringLiteral("TimerPing")), "timeout",
                              Qt::DirectConnection);
    if (!QTest::qWaitFor([&] { return s.recorder.sent.endsWith(wire::keepAliveRequest()); }, kWait))
        t.stalled << QStringLiteral("the keep-alive");
    t.bytes = s.recorder.sent;
    t.errors = int(s.errors.size());
    return t;
}

QApplication &app()
{
    return *static_cast<QApplication *>(QCoreApplication::instance());
}

} // namespace

class TstLanguage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void choice_data();
    void choice();
    void sameBytesInEitherLanguage_data();
    void sameBytesInEitherLanguage();
    void englishUnderTurkishLocale();
    void menuRemembersTheChoice();
    void qtTextsFollowTheLanguage_data();
    void qtTextsFollowTheLanguage();

private:
    QTemporaryDir m_settings;
};

void TstLanguage::initTestCase()
{
    // The settings of this test only, never the user's.
    QVERIFY(m_settings.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    QCoreApplication::setOrganizationName(QStringLiteral("tst_language"));
    QCOMPARE(QLocale::system().name(), QStringLiteral("tr_TR"));
}

void TstLanguage::cleanup()
{
    language::installTranslator(app(), language::kTurkish);
    QLocale::setDefault(QLocale::system());
}

void TstLanguage::choice_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("chosen");
    const QString prog = QStringLiteral("tarnek_client");
    QTest::newRow("--lang en under tr_TR") << QStringList{prog, "--lang", "en"} << "tr" << "tr_TR" << "en";
    QTest::newRow("--lang=tr under en_US") << QStringList{prog, "--lang=tr"} << "en" << "en_US" << "tr";
    QTest::newRow("unknown language: the menu's") << QStringList{prog, "--lang", "de"} << "en" << "tr_TR" << "en";
    QTest::newRow("--lang without a value") << QStringList{prog, "--host", "x", "--lang"} << "" << "tr_TR" << "tr";
    QTest::newRow("the menu's over the system's") << QStringList{prog} << "tr" << "en_GB" << "tr";
    QTest::newRow("tr_TR") << QStringList{prog} << "" << "tr_TR" << "tr";
    QTest::newRow("en_US") << QStringList{prog} << "" << "en_US" << "en";
    QTest::newRow("de_DE: English") << QStringList{prog} << "" << "de_DE" << "en";
    QTest::newRow("C: English") << QStringList{prog} << "" << "C" << "en";
}

void TstLanguage::choice()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, remembered);
    QFETCH(QString, system);
    QFETCH(QString, chosen);
    QCOMPARE(language::chooseLanguage(language::requestedLanguage(arguments), remembered, QLocale(system)), chosen);
}

void TstLanguage::sameBytesInEitherLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("tr_TR") << "tr_TR";
    QTest::newRow("en_US") << "en_US";
}

void TstLanguage::sameBytesInEitherLanguage()
{
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    const Traffic turkish = everyRequest();
    QVERIFY(language::installTranslator(app(), language::kEnglish));
    const Traffic english = everyRequest();
    QCOMPARE(turkish.stalled, QStringList());
    QCOMPARE(english.stalled, QStringList());
    QCOMPARE(turkish.consumptionNote, QStringLiteral("Tüketim verileri istendi.Lütfen bekleyin..."));
    QCOMPARE(english.consumptionNote, QStringLiteral("Consumption data requested. Please wait..."));
    QCOMPARE(english.errors, turkish.errors);
    // One request a line, so that a difference shows where it is.
    QCOMPARE(english.bytes.split('\xF4'), turkish.bytes.split('\xF4'));
}

// "--lang en" under tr_TR.UTF-8: English captions, Turkish dates and decimals.
void TstLanguage::englishUnderTurkishLocale()
{
    language::startIn(app(), language::requestedLanguage({QStringLiteral("tarnek_client"), "--lang", "en"}));
    QCOMPARE(language::currentLanguage(), language::kEnglish);
    QCOMPARE(QLocale().name(), QStringLiteral("tr_TR"));
    Session s;
    QVERIFY(s.start());
    QCOMPARE(s.shown("VrShadowButton9"), QStringLiteral("Calculate Ratios Between Dates"));
    QCOMPARE(s.get<QTabWidget>("suiPageControl1")->tabText(1), QStringLiteral("Analyser: Consumption"));
    QCOMPARE(s.w->giris.findChild<QAbstractButton *>(QStringLiteral("suiButton1"))->text(), QStringLiteral("Connect"));

    s.select(12002);
    s.setDates("DateTimePicker1", "DateTimePicker2");
    s.click("VrShadowButton9");
    const QByteArray expected = wire::buildRequest("reaktifener", {"12002", "10.03.2025", "17.03.2025"});
    QVERIFY2(QTest::qWaitFor([&] { return s.recorder.sent.endsWith(expected); }, kWait),
             qPrintable(wire::renderForLog(s.recorder.sent)));
    QVERIFY(QTest::qWaitFor([&] { return s.shown("Edit222") == QLatin1String("10.03.2025"); }, kWait));
    QCOMPARE(s.shown("inddurum"), QStringLiteral("CRITICAL")); // the site's band of the relay
}

void TstLanguage::menuRemembersTheChoice()
{
    ClientWindows w;
    auto *english = w.ana.findChild<QAction *>(QStringLiteral("English1"));
    auto *turkish = w.ana.findChild<QAction *>(QStringLiteral("Turkce1"));
    QVERIFY(english && turkish);
    QVERIFY(turkish->isChecked() && !english->isChecked()); // no translation installed
    english->trigger();
    QCOMPARE(language::rememberedLanguage(QSettings()), language::kEnglish);
    auto *notice = w.ana.findChild<QMessageBox *>(QStringLiteral("languageNotice"));
    QVERIFY(notice && notice->isVisible());
    QCOMPARE(notice->text(), QStringLiteral("Dil seçimi programın bir sonraki açılışında geçerli olur."));
    notice->close();
    QCOMPARE(language::chooseLanguage(QString(), language::rememberedLanguage(QSettings()), QLocale::system()),
             language::kEnglish);
    QCOMPARE(language::currentLanguage(), language::kTurkish); // until the next start
    turkish->trigger();
    QCOMPARE(language::rememberedLanguage(QSettings()), language::kTurkish);
}

// The buttons of the standard dialogs speak the interface's language too.
void TstLanguage::qtTextsFollowTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<QString>("save");
    QTest::newRow("tr") << language::kTurkish << QStringLiteral("İptal") << QStringLiteral("Kaydet");
    QTest::newRow("en") << language::kEnglish << QStringLiteral("Cancel") << QStringLiteral("Save");
}

void TstLanguage::qtTextsFollowTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, cancel);
    QFETCH(QString, save);
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_tr.qm")))
        QSKIP("Qt's own Turkish texts are not installed (Debian: qt6-translations-l10n)");
    language::installTranslator(app(), language);
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), cancel);
    QCOMPARE(box.button(QDialogButtonBox::Save)->text(), save);
}

QTEST_MAIN(TstLanguage)
#include "tst_language.moc"
