#include "client_windows.h"
#include "group_bar.h"
#include "panel_status_bar.h"
#include "wire.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A central server stand-in on 127.0.0.1 that keeps what it receives.
struct Peer {
    QTcpServer server;
    QTcpSocket *client = nullptr;
    QByteArray received;

    Peer()
    {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            client = server.nextPendingConnection();
            QObject::connect(client, &QTcpSocket::readyRead, [this] { received += client->readAll(); });
        });
    }
    quint16 port() const { return server.serverPort(); }
    bool waitFor(const QByteArray &bytes, int ms = 3000)
    {
        return QTest::qWaitFor([&] { return received.contains(bytes); }, ms);
    }
};

template <class T> T *child(QObject *root, const char *name)
{
    return root->findChild<T *>(QLatin1String(name));
}

// A listener on 127.0.0.1 whose accept queue is already full: a further
// connection attempt stays under way instead of completing or failing.
struct FullListener {
    int fd = -1;
    QTcpSocket filler;
    quint16 port = 0;
    FullListener()
    {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
        ::listen(fd, 0);
        socklen_t len = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
        port = ntohs(a.sin_port);
        filler.connectToHost(QHostAddress::LocalHost, port);
        filler.waitForConnected(2000);
    }
    ~FullListener() { ::close(fd); }
};

} // namespace

class TstLogin : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startState();
    void loginAgainstServer_data();
    void loginAgainstServer();
    void pongAndLog();
    void keepAlive();
    void disconnectMessage();
    void errorEndsTheWait();
    void defaultAndCancelledPort();
    void waitEnds_data();
    void waitEnds();
    void stops_data();
    void stops();
    void hiddenFieldsKeys();
    void enterMovesFocus();
    void ctrlQ_data();
    void ctrlQ();
    // Last: "Kapat" ends the program's event loops.
    void kapatEndsWaitAndProgram();

private:
    void login(const QString &user, const QString &password, quint16 port);
    std::unique_ptr<ClientWindows> w;
};

void TstLogin::init()
{
    w = std::make_unique<ClientWindows>();
    w->giris.setInternetProbe([] { return true; });
}

void TstLogin::cleanup()
{
    w.reset();
}

void TstLogin::login(const QString &user, const QString &password, quint16 port)
{
    child<QLineEdit>(&w->giris, "Edit1")->setText(user);
    child<QLineEdit>(&w->giris, "Edit4")->setText(password);
    child<QLineEdit>(&w->giris, "edtport")->setText(QString::number(port));
    w->giris.show();
    QTest::mouseClick(child<QPushButton>(&w->giris, "suiButton1"), Qt::LeftButton);
}

void TstLogin::startState()
{
    TFrmAna &a = w->ana;
    QCOMPARE(a.windowTitle(), QStringLiteral("FrmAna"));
    QCOMPARE(a.connection().port(), quint16(17815));
    QVERIFY(!a.state().connected);
    QCOMPARE(a.state().deviceCount, 1);
    const QList<std::pair<const char *, int>> timers{
        {"TimerPing", 60000}, {"Timer1", 1000}, {"Timer2", 1000}, {"Timer3", 1000}};
    for (const auto &[name, interval] : timers) {
        auto *t = child<QTimer>(&a, name);
        QVERIFY2(t, name);
        QCOMPARE(t->interval(), interval);
        QVERIFY(t->isActive());
    }
    QCOMPARE(child<QLabel>(&a, "LblMesaj")->text(), QStringLiteral("   "));
    QVERIFY(child<QWidget>(&a, "RzURLLabel1")->isHidden());
    QCOMPARE(child<GroupBar>(&a, "RzGroupBar1")->groupCount(), 0);
    QVERIFY(!a.trayIcon()->contextMenu()); // no menu before the connection

    QStringList tray;
    for (QAction *act : a.trayMenu()->actions())
        tray << (act->isSeparator() ? QStringLiteral("-")
                                    : act->text() + (act->isEnabled() ? "" : " (kapalı)"));
    QCOMPARE(tray, (QStringList{"Aç", "-", "Kompanzasyon Tabiki", "-", "Mesajlarımı Oku",
                                "Tarneke Mesaj Gönder (kapalı)", "-", "Kapat"}));

    auto *tabs = child<QTabWidget>(&a, "suiPageControl1");
    QCOMPARE(tabs->count(), 10);

    // The login window as it starts.
    TFrmGiris &g = w->giris;
    QCOMPARE(g.size(), QSize(262, 206));
    QVERIFY(g.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(child<QComboBox>(&g, "kategori")->count(), 16);
    QCOMPARE(child<QComboBox>(&g, "kategori")->itemText(15), QStringLiteral("Akademisyen"));
    QVERIFY(child<QComboBox>(&g, "kategori")->isHidden());
    QCOMPARE(child<QLineEdit>(&g, "edtport")->text(), QStringLiteral("17818"));
    QVERIFY(child<QLineEdit>(&g, "edtport")->isHidden());
    QVERIFY(child<QLineEdit>(&g, "Servername")->isHidden());
    QVERIFY(child<QPlainTextEdit>(&g, "edit3")->isHidden());
    QVERIFY(child<QCheckBox>(&g, "CheckBox1")->isChecked());
    QVERIFY(!g.rect().contains(child<QCheckBox>(&g, "CheckBox1")->geometry()));
    QCOMPARE(g.statusText(), QStringLiteral("   Bağlantı Yok"));
    QCOMPARE(child<QTimer>(&g, "Timer1")->interval(), 500);
    QVERIFY(!child<QTimer>(&g, "Timer1")->isActive());
    QCOMPARE(g.progress(), quint16(0));
}

void TstLogin::loginAgainstServer_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("plain") << "demo" << "1234" << QByteArray("kulsifre\x01" "demo\x01" "1234\x02\xF4\xF4\xF4");
    QTest::newRow("empty password") << "demo" << "" << QByteArray("kulsifre\x01" "demo\x01 \x02\xF4\xF4\xF4");
    QTest::newRow("untrimmed user") << " demo " << "x" << QByteArray("kulsifre\x01 demo \x01x\x02\xF4\xF4\xF4");
    QTest::newRow("Turkish letters") << "Işık" << "şğ"
                                     << QByteArray("kulsifre\x01I\xFE\xFDk\x01\xFE\xF0\x02\xF4\xF4\xF4");
}

void TstLogin::loginAgainstServer()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QByteArray, expected);
    Peer peer;
    login(user, password, peer.port());
    QVERIFY(peer.waitFor(expected));
    QCOMPARE(peer.received, expected);
    QCOMPARE(w->ana.windowTitle(), QStringLiteral("<<<<<<<") + user + QStringLiteral(" Bağlı.>>>>>>>>>"));
    QVERIFY(w->ana.state().connected);
    QCOMPARE(w->ana.state().deviceSerials[0], wire::encode(user));
    QCOMPARE(w->ana.connection().port(), peer.port());
    QVERIFY(w->giris.isHidden());
    QCOMPARE(w->ana.trayIcon()->contextMenu(), w->ana.trayMenu());
    QVERIFY(child<QTimer>(&w->giris, "Timer1")->isActive()); // progress keeps rising
}

void TstLogin::pongAndLog()
{
    Peer peer;
    login("demo", "1", peer.port());
    QVERIFY(peer.waitFor("kulsifre"));
    peer.client->write(QByteArray("pong\x01\xF4\xF4\xF4"));
    auto *line = child<QLabel>(&w->ana, "LblMesaj");
    QVERIFY(QTest::qWaitFor([&] { return line->text() == QLatin1String("Pong"); }, 3000));
    QCOMPARE(w->giris.progress(), quint16(100));
    QCOMPARE(w->giris.statusText(), QStringLiteral("Bağlantı Kuruldu"));
    QCOMPARE(w->haberlesme.lineCount(), 1);
    QVERIFY(w->haberlesme.line(0).endsWith(QStringLiteral(":   pong<01>ôôô")));
    // The time in front has its seconds and no time zone.
    const QString time = w->haberlesme.line(0).section(QStringLiteral(":   "), 0, 0);
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{1,2}[:.]\\d{2}[:.]\\d{2}")).match(time).hasMatch(), qPrintable(time));
    QVERIFY2(!time.contains(QLatin1String("UTC")), qPrintable(time));
    QCOMPARE(child<QWidget>(&w->ana, "Shape1")->property("color").value<QColor>(), QColor(0, 0xFF, 0));
}

void TstLogin::keepAlive()
{
    Peer peer;
    auto *ping = child<QTimer>(&w->ana, "TimerPing");
    ping->setInterval(20);
    QTest::qWait(60); // nothing is sent while no connection is up
    login("demo", "1", peer.port());
    QVERIFY(peer.waitFor("ping\xF4\xF4\xF4"));
    QVERIFY(peer.received.indexOf("ping") > peer.received.indexOf("kulsifre"));
}

void TstLogin::disconnectMessage()
{
    Peer peer;
    login("demo", "1", peer.port());
    QVERIFY(peer.waitFor("kulsifre"));
    peer.client->disconnectFromHost();
    auto *line = child<QLabel>(&w->ana, "LblMesaj");
    QVERIFY(QTest::qWaitFor([&] { return !w->ana.state().connected; }, 3000));
    QCOMPARE(line->text(), QStringLiteral("demo kullanıcısının ana bilgisayarla bağlantısı kesildi"));
}

void TstLogin::errorEndsTheWait()
{
    quint16 closedPort;
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        closedPort = s.serverPort();
    }
    login("demo", "1", closedPort);
    // The refused connection ends the wait: the window stays usable.
    auto *connectButton = child<QPushButton>(&w->giris, "suiButton1");
    QVERIFY(connectButton->isEnabled());
    QVERIFY(!w->ana.state().connected);
    QCOMPARE(child<QLabel>(&w->ana, "LblMesaj")->text(),
             QStringLiteral("Bağlantı Hatası. Bağlantınızı kontrol edin."));
    QCOMPARE(child<PanelStatusBar>(&w->giris, "LABEL6")->panelText(1), QStringLiteral("Bağlantı Hatası"));
    QVERIFY(w->giris.isVisible());
    // Another attempt, now to a live server, logs in.
    Peer peer;
    child<QLineEdit>(&w->giris, "edtport")->setText(QString::number(peer.port()));
    QTest::mouseClick(connectButton, Qt::LeftButton);
    QVERIFY(peer.waitFor("kulsifre\x01" "demo"));
    QVERIFY(w->ana.state().connected);
}

void TstLogin::defaultAndCancelledPort()
{
    child<QLineEdit>(&w->giris, "Edit1")->setText("demo");
    w->giris.show();
    QTest::mouseClick(child<QPushButton>(&w->giris, "suiButton1"), Qt::LeftButton);
    QCOMPARE(w->ana.connection().port(), quint16(17818));
    QTest::mouseClick(child<QPushButton>(&w->giris, "suiButton2"), Qt::LeftButton);
    QCOMPARE(w->ana.connection().port(), quint16(17815));
    QCOMPARE(w->giris.progress(), quint16(0));
    QVERIFY(child<QPushButton>(&w->giris, "suiButton1")->isEnabled());
    QVERIFY(!child<QTimer>(&w->giris, "Timer1")->isActive());
}

void TstLogin::waitEnds_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("İptal") << "cancel";
    QTest::newRow("progress reaches 100") << "progress";
}

void TstLogin::waitEnds()
{
    QFETCH(QString, how);
    FullListener slow;
    QVERIFY(slow.filler.state() == QAbstractSocket::ConnectedState);
    auto *connectButton = child<QPushButton>(&w->giris, "suiButton1");
    bool sawWaiting = false;
    QTimer::singleShot(300, &w->giris, [&] {
        sawWaiting = w->ana.connection().Clientsoket()->state() == QAbstractSocket::ConnectingState;
        if (how == QLatin1String("cancel"))
            QTest::mouseClick(child<QPushButton>(&w->giris, "suiButton2"), Qt::LeftButton);
        else
            w->giris.setProgress(100);
    });
    login("demo", "1", slow.port); // returns only when the wait has ended
    QVERIFY(sawWaiting);
    QVERIFY(!w->ana.state().connected);
    QCOMPARE(w->ana.windowTitle(), QStringLiteral("FrmAna"));
    if (how == QLatin1String("cancel")) {
        QVERIFY(connectButton->isEnabled());
        QCOMPARE(w->ana.connection().port(), quint16(17815));
        QCOMPARE(w->ana.connection().Clientsoket()->state(), QAbstractSocket::UnconnectedState);
    }
}

void TstLogin::stops_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("internet");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("status");
    QTest::newRow("empty user") << "" << true << "17818" << "   Kullanıcı Adı Girin";
    QTest::newRow("no internet") << "demo" << false << "17818" << "   İnternet bağlantısı yok";
    QTest::newRow("port not a number") << "demo" << true << "17a18" << "  Tarneke Bağlanıyor";
}

void TstLogin::stops()
{
    QFETCH(QString, user);
    QFETCH(bool, internet);
    QFETCH(QString, port);
    QFETCH(QString, status);
    w->giris.setInternetProbe([internet] { return internet; });
    child<QLineEdit>(&w->giris, "Edit1")->setText(user);
    child<QLineEdit>(&w->giris, "edtport")->setText(port);
    w->giris.show();
    auto *connectButton = child<QPushButton>(&w->giris, "suiButton1");
    QTest::mouseClick(connectButton, Qt::LeftButton);
    QCOMPARE(w->giris.statusText(), status);
    QVERIFY(!connectButton->isEnabled()); // until "İptal"
    QCOMPARE(w->ana.connection().Clientsoket()->state(), QAbstractSocket::UnconnectedState);
    QTest::mouseClick(child<QPushButton>(&w->giris, "suiButton2"), Qt::LeftButton);
    QVERIFY(connectButton->isEnabled());
}

void TstLogin::hiddenFieldsKeys()
{
    TFrmGiris &g = w->giris;
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    auto *server = child<QLineEdit>(&g, "Servername");
    QCOMPARE(server->text(), g.defaultHost());
    QTest::keyClick(child<QLineEdit>(&g, "Edit1"), Qt::Key_F5);
    QVERIFY(server->isVisible());
    QVERIFY(child<QPlainTextEdit>(&g, "edit3")->isVisible());
    QCOMPARE(server->text(), g.alternateHost());
    QVERIFY(child<QLineEdit>(&g, "edtport")->isHidden());
    QTest::keyClick(child<QLineEdit>(&g, "Edit1"), Qt::Key_F6);
    QVERIFY(child<QLineEdit>(&g, "edtport")->isVisible());
    QVERIFY(child<QLabel>(&g, "lblPortno")->isVisible());
    // With the server field shown, no internet does not stop the attempt.
    Peer peer;
    g.setInternetProbe([] { return false; });
    server->setText(QStringLiteral("127.0.0.1"));
    login("demo", "", peer.port());
    QVERIFY(peer.waitFor("kulsifre"));
    QCOMPARE(g.statusText(), QStringLiteral("  Tarneke Bağlanıyor"));
}

void TstLogin::enterMovesFocus()
{
    TFrmGiris &g = w->giris;
    g.show();
    QApplication::setActiveWindow(&g);
    QVERIFY(QTest::qWaitForWindowActive(&g));
    auto *user = child<QLineEdit>(&g, "Edit1");
    user->setFocus();
    QTest::keyClick(user, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(&g, "Edit4"));
    QTest::keyClick(child<QLineEdit>(&g, "Edit4"), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>(&g, "suiButton1"));
    QCOMPARE(g.statusText(), QStringLiteral("   Bağlantı Yok")); // focus only, nothing pressed
}

void TstLogin::ctrlQ_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("presses");
    QTest::addColumn<bool>("shown");
    QTest::newRow("Ctrl+Q") << int(Qt::ControlModifier) << 1 << true;
    QTest::newRow("Ctrl+Q twice") << int(Qt::ControlModifier) << 2 << false;
    QTest::newRow("Ctrl+Shift+Q") << int(Qt::ControlModifier | Qt::ShiftModifier) << 1 << false;
    QTest::newRow("Alt+Q") << int(Qt::AltModifier) << 1 << false;
    QTest::newRow("Q") << int(Qt::NoModifier) << 1 << false;
}

void TstLogin::ctrlQ()
{
    QFETCH(int, modifiers);
    QFETCH(int, presses);
    QFETCH(bool, shown);
    auto *button = child<QPushButton>(&w->ana, "btnikikereiste");
    auto *delay = child<QLineEdit>(&w->ana, "Edit7");
    QVERIFY(button && delay);
    QVERIFY(button->isHidden() && delay->isHidden());
    // Keys reach the window before the focused control.
    QWidget *target = child<QLineEdit>(&w->ana, "Edit1");
    for (int i = 0; i < presses; ++i)
        QTest::keyClick(target ? target : &w->ana, Qt::Key_Q, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(!button->isHidden(), shown);
    QCOMPARE(!delay->isHidden(), shown);
}

void TstLogin::kapatEndsWaitAndProgram()
{
    FullListener slow;
    struct CloseSpy : QObject {
        int closes = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            closes += e->type() == QEvent::Close;
            return false;
        }
    } spy;
    w->ana.installEventFilter(&spy);
    QTimer::singleShot(300, &w->giris, [&] {
        QTest::mouseClick(child<QPushButton>(&w->giris, "suiButton3"), Qt::LeftButton);
    });
    login("demo", "1", slow.port); // returns once "Kapat" has ended the wait
    QCOMPARE(w->giris.progress(), quint16(100));
    QVERIFY(w->giris.isHidden());
    QCOMPARE(spy.closes, 1); // the main window is closed, which ends the program
    QVERIFY(!w->ana.state().connected);
    w->ana.removeEventFilter(&spy);
}

QTEST_MAIN(TstLogin)
#include "tst_login.moc"
