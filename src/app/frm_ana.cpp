#include "frm_ana.h"

#include "auto_refresh_menu.h"
#include "build_settings.h"
#include "client_events.h"
#include "device_registry.h"
#include "commands.h"
#include "frm_haberlesme.h"
#include "frm_trend.h"
#include "frm_mesajlar.h"
#include "group_bar.h"
#include "message_commands.h"
#include "handlers.h"
#include "image_list.h"
#include "language.h"
#include "main_pages.h"
#include "refresh_cycle.h"
#include "request_scheduler.h"
#include "server_connection.h"
#include "shape_lamp.h"
#include "tvd1kal.h"
#include "url_label.h"
#include "wire.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QLineEdit>
#include <QTextEdit>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QColor kCream(0xFF, 0xFB, 0xF0);
const QColor kPurple(0x40, 0x00, 0x80);
const QColor kSkyBlue(0xA6, 0xCA, 0xF0);
const QColor kLime(0x00, 0xFF, 0x00);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kAqua(0x00, 0xFF, 0xFF);

QWidget *panel(QWidget *parent, const char *name, const QColor &colour)
{
    auto *w = new QFrame(parent);
    w->setObjectName(QLatin1String(name));
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    return w;
}

QLabel *statusLabel(QWidget *parent, const char *name, const QString &text, const QColor &colour)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}
} // namespace

TFrmAna::TFrmAna(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TFrmAna"));
    setWindowTitle(tr("FrmAna"));
    setWindowIcon(pictures::applicationIcon());
    m_connection = new ServerConnection(m_state, this);
    m_connection->setHost(QStringLiteral(CLIENT_DEFAULT_HOST));
    m_registry = new fleet::DeviceRegistry(this);
    m_events = new fleet::ClientEvents(this);
    m_scheduler = new fleet::RequestScheduler(this);
    m_scheduler->setTransport([this](const QByteArray &request) { m_connection->send(request); });

    ImageList1 = pictures::makeDeviceImages(this);
    ImageList2 = pictures::makeTrayImages(this);

    auto *central = panel(this, "TFrmAnaClient", kCream);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildTopStrip(central, column);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    column->addLayout(row, 1);
    buildLeftColumn(central, row);

    suiPageControl1 = new QTabWidget(central);
    suiPageControl1->setObjectName(QStringLiteral("suiPageControl1"));
    {
        QFont f = suiPageControl1->font();
        f.setBold(true);
        suiPageControl1->tabBar()->setFont(f);
        suiPageControl1->tabBar()->setObjectName(QStringLiteral("suiPageControl1Tabs"));
        QPalette p = suiPageControl1->palette();
        p.setColor(QPalette::Window, QColor(0xEC, 0xEC, 0xEC));
        suiPageControl1->setPalette(p);
        suiPageControl1->setAutoFillBackground(true);
    }
    buildMainPages(suiPageControl1);
    row->addWidget(suiPageControl1, 1);
    setCentralWidget(central);

    buildMenus();
    buildTray();
    buildTimers();

    connect(m_connection, &ServerConnection::connected, this, &TFrmAna::ClientsoketConnect);
    connect(m_connection, &ServerConnection::bytesRead, this, &TFrmAna::ClientsoketRead);
    connect(m_connection, &ServerConnection::disconnected, this, &TFrmAna::ClientsoketDisconnect);
    connect(m_connection, &ServerConnection::failed, this, &TFrmAna::ClientsoketError);
    // Steps of the login that belong to the main window: the device bar is
    // emptied before the login request, the title names the user after it.
    connect(m_connection, &ServerConnection::aboutToLogIn, this, [this] { RzGroupBar1->clearAllItems(); });
    connect(m_connection, &ServerConnection::loggedIn, this, [this](const QByteArray &user) {
        setWindowTitle(tr("<<<<<<<%1 Bağlı.>>>>>>>>>").arg(wire::decode(user)));
        m_scheduler->noteUserActivity();
        m_scheduler->setConnected(true);
    });
    connect(m_connection, &ServerConnection::disconnected, m_scheduler, [this] { m_scheduler->setConnected(false); });
    connect(m_connection, &ServerConnection::failed, m_scheduler, [this] { m_scheduler->setConnected(false); });

    m_widgets.index(this);
    m_context.conn = &m_state;
    m_context.prog = &programState();
    m_context.mainWidgets = &m_widgets;
    m_context.mainWindow = this;
    m_context.messageLine = LblMesaj;
    m_context.outgoingLine = LblGiden;
    m_context.deviceBar = RzGroupBar1;
    m_context.deviceImages = ImageList1;
    m_context.registry = m_registry;
    m_context.scheduler = m_scheduler;
    m_context.events = m_events;
    // The user's requests go out at once; the scheduler only notes them, so
    // that background requests wait for a quiet moment.
    m_context.send = [this](const QByteArray &request) { m_scheduler->sendUser(request); };
    m_context.showError = [this](const QString &text) {
        QMessageBox::critical(this, QApplication::applicationName(), text);
    };
    m_context.confirm = [this](const QString &text) {
        return QMessageBox::warning(this, QApplication::applicationName(), text,
                                    QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    };
    m_context.pause = [this](int ms, std::function<void()> then) {
        QTimer::singleShot(qMax(0, ms), this, [then = std::move(then)] {
            if (then)
                then();
        });
    };
    handlers::install(m_dispatcher, m_context);

    // Client area 1078 x 726 below the menu.
    resize(1078, 726 + menuBar()->sizeHint().height());
    qApp->installEventFilter(this);
}

TFrmAna::~TFrmAna()
{
    qApp->removeEventFilter(this);
    // The socket outlives the labels its events write to; it goes quietly.
    m_connection->silence();
}

void TFrmAna::attach(const Login &login, TFrmhaberlesme *haberlesme, TVD1KAL *store,
                     TFrmMesajlar *mesajlar)
{
    m_giris = login.dialog;
    m_haberlesme = haberlesme;
    m_store = store;
    m_mesajlar = mesajlar;
    m_context.login = login.link;
    m_context.reconnect = login.connectSequence;
    m_context.store = store ? &store->store() : nullptr;
    if (haberlesme) {
        m_context.logNote = [haberlesme](const QString &line) { haberlesme->addNote(line); };
        connect(m_scheduler, &fleet::RequestScheduler::note, haberlesme, &TFrmhaberlesme::addNote);
    }
    if (mesajlar) {
        m_context.messageList = mesajlar->list();
        m_context.messageText = mesajlar->textArea();
        connect(mesajlar, &TFrmMesajlar::newMessagesRequested, this, [this] { commands::requestNewMessages(m_context); });
    }
    commands::install(m_context);
    commands::installMessages(m_context);
    m_refresh = std::make_unique<RefreshCycle>(m_context);
}

void TFrmAna::buildTopStrip(QWidget *parent, QVBoxLayout *into)
{
    auto *Panel21 = panel(parent, "Panel21", QColor(0xC0, 0xC0, 0xC0));
    Panel21->setFixedHeight(21);
    auto *strip = new QHBoxLayout(Panel21);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(0);

    auto *ToolBar1 = panel(Panel21, "ToolBar1", kPurple);
    auto *tools = new QHBoxLayout(ToolBar1);
    tools->setContentsMargins(2, 0, 4, 0);
    tools->setSpacing(4);
    auto *SpeedButton1 = new QToolButton(ToolBar1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(pictures::applicationIcon());
    SpeedButton1->setToolTip(tr("Haberleşme"));
    SpeedButton1->setFixedSize(19, 19);
    Shape1 = new ShapeLamp(QStringLiteral("Shape1"), ToolBar1);
    auto *SpeedButton2 = new QToolButton(ToolBar1);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setAutoRaise(true);
    SpeedButton2->setIcon(ImageList2->icon(0));
    SpeedButton2->setToolTip(tr("Mesajlar"));
    SpeedButton2->setFixedSize(19, 19);
    LblMesaj = statusLabel(ToolBar1, "LblMesaj", QStringLiteral("   "), kAqua);
    LblMesaj->setMinimumWidth(200);
    tools->addWidget(SpeedButton1);
    tools->addWidget(Shape1);
    tools->addWidget(SpeedButton2);
    tools->addWidget(LblMesaj, 1);
    strip->addWidget(ToolBar1, 3);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFrmAna::showCommunicationLog);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFrmAna::showMessages);

    auto *Panel26 = panel(Panel21, "Panel26", kPurple);
    auto *outgoing = new QHBoxLayout(Panel26);
    outgoing->setContentsMargins(6, 0, 6, 0);
    LblGiden = statusLabel(Panel26, "LblGiden", QString(), kLime);
    outgoing->addWidget(LblGiden);
    strip->addWidget(Panel26, 2);

    auto *Panel22 = panel(Panel21, "Panel22", kPurple);
    auto *version = new QHBoxLayout(Panel22);
    version->setContentsMargins(6, 0, 6, 0);
    auto *lblVersion = statusLabel(Panel22, "lblVersion",
                                   tr("Sürüm %1").arg(QStringLiteral(CLIENT_VERSION)), kYellow);
    version->addWidget(lblVersion);
    strip->addWidget(Panel22, 0);

    into->addWidget(Panel21);
}

void TFrmAna::buildLeftColumn(QWidget *parent, QHBoxLayout *into)
{
    auto *Panel19 = panel(parent, "Panel19", QColor(0xD9, 0xE8, 0xF9));
    Panel19->setFixedWidth(241);
    auto *col = new QVBoxLayout(Panel19);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(0);

    auto *Panel20 = panel(Panel19, "Panel20", kSkyBlue);
    Panel20->setFixedHeight(20);
    auto *notice = new QHBoxLayout(Panel20);
    notice->setContentsMargins(2, 1, 2, 1);
    RzURLLabel1 = new UrlLabel(QStringLiteral("RzURLLabel1"),
                               tr("Yeni mesajınız var.Okumak için tıklayın... "), Panel20);
    RzURLLabel1->setAutoFillBackground(true);
    {
        QPalette p = RzURLLabel1->palette();
        p.setColor(QPalette::Window, Qt::black);
        RzURLLabel1->setPalette(p);
    }
    RzURLLabel1->setCursor(Qt::PointingHandCursor);
    RzURLLabel1->hide();
    notice->addWidget(RzURLLabel1);
    notice->addStretch(1);
    connect(RzURLLabel1, &UrlLabel::clicked, this, [this] {
        RzURLLabel1->setVisited(true);
        showMessages();
    });
    col->addWidget(Panel20);

    RzGroupBar1 = new GroupBar(Panel19);
    RzGroupBar1->setObjectName(QStringLiteral("RzGroupBar1"));
    col->addWidget(RzGroupBar1, 1);
    into->addWidget(Panel19);
}

void TFrmAna::buildMenus()
{
    QMenuBar *MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *cihaz = MainMenu1->addMenu(tr("Cihaz"));
    cihaz->setObjectName(QStringLiteral("Cihaz1"));
    QAction *Haberlesme1 = cihaz->addAction(tr("Haberlesme"));
    Haberlesme1->setObjectName(QStringLiteral("Haberlesme1"));
    connect(Haberlesme1, &QAction::triggered, this, &TFrmAna::showCommunicationLog);
    addAutoRefreshMenu(cihaz, *m_scheduler, *m_events, this);
    QAction *EgilimGrafikleri1 = cihaz->addAction(tr("Eğilim Grafikleri"));
    EgilimGrafikleri1->setObjectName(QStringLiteral("EgilimGrafikleri1"));
    connect(EgilimGrafikleri1, &QAction::triggered, this, [this] { trend::showTrendWindow(this); });
    QMenu *mesajlar = MainMenu1->addMenu(tr("Mesajlar"));
    mesajlar->setObjectName(QStringLiteral("Mesajlar1"));
    QAction *Oku1 = mesajlar->addAction(tr("Yeni Mesajları Oku"));
    Oku1->setObjectName(QStringLiteral("Oku1"));
    connect(Oku1, &QAction::triggered, this, &TFrmAna::showMessages);
    language::addLanguageMenu(MainMenu1);
    AktifCihaz1 = MainMenu1->addAction(tr("Aktif Cihaz: 0"));
    AktifCihaz1->setObjectName(QStringLiteral("AktifCihaz1"));
}

void TFrmAna::buildTray()
{
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *A1 = m_trayMenu->addAction(tr("Aç"));
    A1->setObjectName(QStringLiteral("A1"));
    connect(A1, &QAction::triggered, this, &TFrmAna::restoreFromTray);
    m_trayMenu->addSeparator();
    QMenu *komp = m_trayMenu->addMenu(tr("Kompanzasyon Tabiki"));
    komp->setObjectName(QStringLiteral("KompanzasyonTabiki1"));
    komp->addAction(tr("Kritik Seviyedeki Cihazları Listele"))->setObjectName(QStringLiteral("KritikListele1"));
    komp->addAction(tr("Ceza Durumundaki Cihazları Listele"))->setObjectName(QStringLiteral("CezaListele1"));
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(tr("Mesajlarımı Oku"))->setObjectName(QStringLiteral("MesajlarmOku1"));
    QAction *send = m_trayMenu->addAction(tr("Tarneke Mesaj Gönder"));
    send->setObjectName(QStringLiteral("TarnekeMesajGnder1"));
    send->setEnabled(false);
    m_trayMenu->addSeparator();
    QAction *Kapat1 = m_trayMenu->addAction(tr("Kapat"));
    Kapat1->setObjectName(QStringLiteral("Kapat1"));
    connect(Kapat1, &QAction::triggered, this, &TFrmAna::close);

    m_tray = new QSystemTrayIcon(this);
    m_tray->setObjectName(QStringLiteral("RzTrayIcon1"));
    m_tray->setIcon(ImageList2->icon(0));
    m_tray->setToolTip(QStringLiteral("TARNEK İNTERAKTİF"));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::DoubleClick)
            restoreFromTray();
    });
    // A bare X server has no notification area: the client then runs without
    // the icon and says nothing about it.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();

    m_trayAnimation = new QTimer(this);
    m_trayAnimation->setObjectName(QStringLiteral("RzTrayIcon1Animation"));
    m_trayAnimation->setInterval(200);
    connect(m_trayAnimation, &QTimer::timeout, this, [this] {
        m_trayFrame = (m_trayFrame + 1) % qMax(1, ImageList2->count());
        m_tray->setIcon(ImageList2->icon(m_trayFrame));
    });
    m_trayAnimation->start();
}

void TFrmAna::buildTimers()
{
    const struct {
        const char *name;
        int interval;
        void (TFrmAna::*slot)();
    } timers[] = {
        {"TimerPing", 60000, &TFrmAna::TimerPingTimer},
        {"Timer1", 1000, &TFrmAna::Timer1Timer},
        {"Timer2", 1000, &TFrmAna::Timer2Timer},
        {"Timer3", 1000, &TFrmAna::Timer3Timer},
    };
    for (const auto &t : timers) {
        auto *timer = new QTimer(this);
        timer->setObjectName(QLatin1String(t.name));
        timer->setInterval(t.interval);
        connect(timer, &QTimer::timeout, this, t.slot);
        timer->start();
    }
}

void TFrmAna::showCommunicationLog()
{
    if (m_haberlesme) {
        m_haberlesme->show();
        m_haberlesme->raise();
    }
}

void TFrmAna::showMessages()
{
    if (m_mesajlar)
        m_mesajlar->show();
}

void TFrmAna::TimerPingTimer()
{
    m_connection->send(wire::keepAliveRequest());
}

void TFrmAna::Timer1Timer()
{
    if (m_refresh)
        m_refresh->Timer1Timer();
}

void TFrmAna::Timer2Timer()
{
    const QColor lime(0x00, 0xFF, 0x00);
    RzURLLabel1->setUnvisitedColor(RzURLLabel1->unvisitedColor() == lime ? QColor(0xFF, 0xFF, 0x00)
                                                                         : lime);
}

void TFrmAna::Timer3Timer()
{
    Shape1->setColor(Qt::white);
}

void TFrmAna::ClientsoketConnect()
{
    m_tray->setContextMenu(m_trayMenu);
}

void TFrmAna::ClientsoketRead(const QByteArray &bytes)
{
    handleRead(bytes);
}

void TFrmAna::handleRead(const QByteArray &bytes)
{
    if (m_haberlesme)
        m_haberlesme->addRead(bytes);
    // The lamp flickers on every read: eleven changes a millisecond apart,
    // drawn by timers while the read is handled (red and blue inverted each
    // time, so that white ends green).
    for (int i = 0; i < 11; ++i)
        Shape1->setColor(QColor::fromRgb(Shape1->color().rgb() ^ 0xFF00FF));
    Shape1->flicker(11, 1);
    try {
        m_dispatcher.walk(bytes, programState().lastRemainder);
    } catch (...) {
        return; // the rest of this read is dropped without a word
    }
    Shape1->setColor(kLime);
}

void TFrmAna::ClientsoketDisconnect()
{
    LblMesaj->setText(tr("%1 kullanıcısının ana bilgisayarla bağlantısı kesildi")
                          .arg(wire::decode(m_state.deviceSerials[0])));
    m_state.connected = false;
}

void TFrmAna::ClientsoketError()
{
    m_state.connected = false;
    LblMesaj->setText(tr("Bağlantı Hatası. Bağlantınızı kontrol edin."));
}

void TFrmAna::restoreFromTray()
{
    showNormal();
    raise();
    activateWindow();
}

void TFrmAna::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_firstShown) {
        m_firstShown = true;
        QTimer::singleShot(0, this, &TFrmAna::firstShow);
    }
}

void TFrmAna::firstShow()
{
    programState().decimalSeparator = QLocale().decimalPoint().at(0);
    if (m_giris)
        m_giris->exec();
    const QDate today = QDate::currentDate();
    const auto setDate = [this](const char *name, const QDate &d) {
        if (auto *picker = m_widgets.get<QDateEdit>(QLatin1String(name)))
            picker->setDate(d);
    };
    setDate("DateTimePicker1", today.addDays(-7));
    setDate("DateTimePicker2", today);
    setDate("dtsycilktarih", today.addDays(-7));
    setDate("dtsycsontarih", today);
    suiPageControl1->setTabVisible(2, false);
    suiPageControl1->setCurrentIndex(0);
}

void TFrmAna::closeEvent(QCloseEvent *e)
{
    QMainWindow::closeEvent(e);
    // Closing the main window ends the program, whatever else is open.
    qApp->quit();
}

void TFrmAna::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && isMinimized()
        && QSystemTrayIcon::isSystemTrayAvailable()) {
        // The tray icon is the way back: no task-bar entry while minimised.
        QTimer::singleShot(0, this, &QWidget::hide);
    }
}

bool TFrmAna::eventFilter(QObject *watched, QEvent *event)
{
    // The window sees keys before its controls.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()
        || static_cast<QWidget *>(watched)->window() != this)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const auto mods = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier
                                          | Qt::MetaModifier);
    if (key->key() == Qt::Key_Q && mods == Qt::ControlModifier) {
        toggleHiddenPair();
        return true;
    }
    return false;
}

void TFrmAna::toggleHiddenPair()
{
    auto *button = m_widgets.get<QPushButton>(QStringLiteral("btnikikereiste"));
    auto *delay = m_widgets.get<QLineEdit>(QStringLiteral("Edit7"));
    if (!button || !delay)
        return;
    const bool show = button->isHidden();
    button->setVisible(show);
    delay->setVisible(show);
}
