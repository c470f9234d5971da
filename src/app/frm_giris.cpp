#include "frm_giris.h"

#include "build_settings.h"
#include "client_state.h"
#include "internet_state.h"
#include "led_progress_bar.h"
#include "panel_status_bar.h"
#include "server_connection.h"
#include "skin_title_bar.h"
#include "wire.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTcpSocket>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const char *const kCategories[] = {
    QT_TRANSLATE_NOOP("TFrmGiris", "Genel"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Doktor"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Emlakçı"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Lise Öğrencisi"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Mühendis"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Öğretim Üyesi"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Öğretmen"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Üniversite Öğrencisi"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Esnaf"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Tüccar"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Asker"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Polis"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Memur"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Mimar"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Özel"),
    QT_TRANSLATE_NOOP("TFrmGiris", "Akademisyen"),
};

template <class W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

void retainWhenHidden(QWidget *w)
{
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}
} // namespace

TFrmGiris::TFrmGiris(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_internet(internetAvailable)
{
    setObjectName(QStringLiteral("TFrmGiris"));
    setWindowTitle(QStringLiteral("TARNEK İNTERAKTİF"));
    setFixedSize(262, 206);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
    setPalette(pal);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(0);
    outer->addWidget(new SkinTitleBar(QStringLiteral("   TARNEK İNTERAKTİF"), this));

    auto *body = new QWidget(this);
    auto *grid = new QGridLayout(body);
    grid->setContentsMargins(6, 4, 6, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    outer->addWidget(body, 1);

    Edit1 = named(new QLineEdit(body), "Edit1");
    Edit4 = named(new QLineEdit(body), "Edit4");
    Edit4->setEchoMode(QLineEdit::Password);
    kategori = named(new QComboBox(body), "kategori");
    for (const char *c : kCategories)
        kategori->addItem(tr(c));
    Servername = named(new QLineEdit(body), "Servername");
    edit3 = named(new QPlainTextEdit(body), "edit3");
    edit3->setPlainText(QStringLiteral(CLIENT_NUMERIC_ADDRESS));
    edit3->setReadOnly(true);
    edit3->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit3->setFixedHeight(Servername->sizeHint().height());
    edtport = named(new QLineEdit(QStringLiteral("17818"), body), "edtport");
    lblPortno = named(new QLabel(tr("Portno"), body), "lblPortno");

    auto *userLabel = new QLabel(tr("Kullanıcı Adı:"), body);
    auto *passLabel = new QLabel(tr("Şifre (Üyeler)"), body);
    auto *catLabel = named(new QLabel(tr("Kategori"), body), "lblKategori");
    userLabel->setBuddy(Edit1);
    passLabel->setBuddy(Edit4);

    grid->addWidget(userLabel, 0, 0);
    grid->addWidget(Edit1, 0, 1, 1, 2);
    grid->addWidget(passLabel, 1, 0);
    grid->addWidget(Edit4, 1, 1, 1, 2);
    grid->addWidget(catLabel, 2, 0);
    grid->addWidget(kategori, 2, 1, 1, 2);
    // "Beni hatırla" shares its row with the port field (hidden until F6), so
    // the window keeps its size.
    chkBeniHatirla = named(new QCheckBox(tr("Beni hatırla"), body), "chkBeniHatirla");
    auto *rememberRow = new QHBoxLayout;
    rememberRow->setSpacing(4);
    rememberRow->addWidget(chkBeniHatirla);
    rememberRow->addStretch(1);
    rememberRow->addWidget(lblPortno);
    rememberRow->addWidget(edtport);
    edtport->setFixedWidth(edtport->fontMetrics().horizontalAdvance(QStringLiteral("655350")) + 12);
    grid->addLayout(rememberRow, 3, 0, 1, 3);
    setTabOrder(Edit4, chkBeniHatirla);
    setTabOrder(chkBeniHatirla, edtport);
    grid->addWidget(Servername, 4, 0, 1, 2);
    grid->addWidget(edit3, 4, 2);
    grid->setColumnStretch(1, 1);
    edit3->setFixedWidth(78);

    // The category list is never shown; the host and port rows keep their
    // room so that F5 and F6 do not shift the window's contents.
    catLabel->hide();
    kategori->hide();
    for (QWidget *w : {static_cast<QWidget *>(Servername), static_cast<QWidget *>(edit3),
                       static_cast<QWidget *>(edtport), static_cast<QWidget *>(lblPortno)}) {
        retainWhenHidden(w);
        w->hide();
    }

    RzProgressBar1 = named(new LedProgressBar(body), "RzProgressBar1");
    RzProgressBar1->setFixedHeight(10);
    grid->addWidget(RzProgressBar1, 5, 0, 1, 3);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    suiButton1 = named(new QPushButton(tr("Bağlan"), body), "suiButton1");
    suiButton2 = named(new QPushButton(tr("İptal"), body), "suiButton2");
    suiButton3 = named(new QPushButton(tr("Kapat"), body), "suiButton3");
    for (QPushButton *b : {suiButton1, suiButton2, suiButton3}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    grid->addLayout(buttons, 6, 0, 1, 3);

    LABEL6 = named(new PanelStatusBar({120, 50}, this), "LABEL6");
    LABEL6->setSimpleText(tr("   Bağlantı Yok"));
    outer->addWidget(LABEL6);

    // Sits outside the visible area of the window.
    CheckBox1 = named(new QCheckBox(tr("Otomatik Bağlan"), this), "CheckBox1");
    CheckBox1->setChecked(true);
    CheckBox1->move(width() + 40, height() + 40);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TFrmGiris::Timer1Timer);

    connect(suiButton1, &QPushButton::clicked, this, &TFrmGiris::suiButton1Click);
    connect(suiButton2, &QPushButton::clicked, this, &TFrmGiris::suiButton2Click);
    connect(suiButton3, &QPushButton::clicked, this, &TFrmGiris::suiButton3Click);

    qApp->installEventFilter(this);
}

void TFrmGiris::setConnection(ServerConnection *connection)
{
    m_connection = connection;
    connect(connection, &ServerConnection::connected, this, &TFrmGiris::socketConnected);
    connect(connection, &ServerConnection::failed, this, &TFrmGiris::socketFailed);
}

QString TFrmGiris::defaultHost() const
{
    return QStringLiteral(CLIENT_DEFAULT_HOST);
}

QString TFrmGiris::alternateHost() const
{
    return QStringLiteral(CLIENT_ALTERNATE_HOST);
}

void TFrmGiris::prefill(const QString &user, const QString &host, int port)
{
    if (!user.isEmpty())
        Edit1->setText(user);
    m_startHost = host;
    if (port > 0 && port <= 65535)
        edtport->setText(QString::number(port));
}

void TFrmGiris::showEvent(QShowEvent *e)
{
    if (QScreen *s = screen())
        move(s->geometry().x() + s->geometry().width() - width(), s->geometry().y());
    kategori->setCurrentIndex(0);
    Servername->setText(startHost());
    QDialog::showEvent(e);
}

bool TFrmGiris::eventFilter(QObject *watched, QEvent *event)
{
    // The window sees keys before its controls.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()
        || static_cast<QWidget *>(watched)->window() != this)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && watched == Edit1) {
        Edit4->setFocus();
        return true;
    }
    if (enter && (watched == Edit4 || watched == kategori)) {
        suiButton1->setFocus();
        return true;
    }
    // Enter on a focused button presses it, so Enter, Enter logs in.
    if (enter && (watched == suiButton1 || watched == suiButton2 || watched == suiButton3)) {
        auto *button = static_cast<QPushButton *>(watched);
        if (button->isEnabled())
            button->click();
        return true;
    }
    if (key->key() == Qt::Key_F5) {
        Servername->setText(alternateHost());
        Servername->show();
        edit3->show();
        return true;
    }
    if (key->key() == Qt::Key_F6) {
        edtport->show();
        lblPortno->show();
        return true;
    }
    return false;
}

void TFrmGiris::setProgress(quint16 value)
{
    m_progress = value;
    RzProgressBar1->setValue(value);
    if (value == 100)
        wakeWait();
}

void TFrmGiris::wakeWait()
{
    if (m_waitLoop)
        m_waitLoop->quit();
}

void TFrmGiris::setStatusText(const QString &text)
{
    LABEL6->setSimpleText(text);
}

QString TFrmGiris::statusText() const
{
    return LABEL6->simpleText();
}

void TFrmGiris::setErrorPanel(const QString &text)
{
    LABEL6->setPanelText(1, text);
}

void TFrmGiris::Timer1Timer()
{
    setProgress(quint16(m_progress + 3)); // wraps at 65536
}

void TFrmGiris::suiButton1Click()
{
    suiButton1->setEnabled(false);
    QByteArray password = wire::encode(Edit4->text());
    if (password.isEmpty())
        password = " ";
    const QString user = Edit1->text();
    if (user.isEmpty()) {
        setStatusText(tr("   Kullanıcı Adı Girin"));
        return;
    }
    if (m_internet()) {
        setStatusText(tr("   İnternet bağlantısı mevcut"));
    } else {
        setStatusText(tr("   İnternet bağlantısı yok"));
        if (!Servername->isVisible())
            return;
    }
    setStatusText(tr("  Tarneke Bağlanıyor"));
    Timer1->start();
    QCoreApplication::processEvents();
    if (!m_connection)
        return;

    if (!Servername->text().isEmpty())
        m_connection->setHost(Servername->text());
    bool ok = false;
    const int port = edtport->text().toInt(&ok);
    if (!ok || port < 0 || port > 65535)
        return;
    m_connection->setPort(quint16(port));
    m_connection->state().deviceSerials[0] = wire::encode(user);
    m_connection->setWaitAbandoned(false);
    m_connection->open();

    // Wait for the connection in an event loop of its own: the interface
    // stays alive and nothing sleeps. The socket's connect and error events,
    // "İptal" and "Kapat" (the progress at 100) end the wait.
    m_connection->setWaiting(true);
    const auto waiting = [this] {
        return !m_connection->isUp() && m_progress != 100 && !m_connection->waitAbandoned();
    };
    if (waiting()) {
        QEventLoop wait;
        const QPointer<TFrmGiris> self(this);
        m_waitLoop = &wait;
        const auto wake = [&wait] { wait.quit(); };
        const QMetaObject::Connection up = connect(m_connection, &ServerConnection::connected, &wait, wake);
        const QMetaObject::Connection state =
            connect(m_connection->Clientsoket(), &QAbstractSocket::stateChanged, &wait, wake);
        // exec() gives -1 once the program is ending: the wait ends with it.
        while (self && waiting())
            if (wait.exec() < 0)
                break;
        if (!self)
            return;
        disconnect(up);
        disconnect(state);
        m_waitLoop = nullptr;
    }
    m_connection->setWaiting(false);
    if (!m_connection->isUp())
        return;

    m_connection->logIn(m_connection->state().deviceSerials[0], password);
}

void TFrmGiris::endWait()
{
    if (m_connection)
        m_connection->setWaitAbandoned(true);
    wakeWait();
    setProgress(0);
    Timer1->stop();
    suiButton1->setEnabled(true);
}

void TFrmGiris::suiButton2Click()
{
    const bool waiting = m_connection && m_connection->waiting();
    setProgress(0);
    suiButton1->setEnabled(true);
    if (m_connection) {
        if (waiting)
            m_connection->abandon();
        m_connection->setPort(ServerConnection::kIdlePort);
    }
    Timer1->stop();
    if (waiting)
        endWait();
}

void TFrmGiris::suiButton3Click()
{
    setProgress(100);
    close();
    emit closeProgram();
}

void TFrmGiris::socketConnected()
{
    done(QDialog::Accepted);
    hide();
}

void TFrmGiris::socketFailed()
{
    setErrorPanel(tr("Bağlantı Hatası"));
    if (m_connection && m_connection->waiting()) {
        m_connection->abandon();
        endWait();
        setStatusText(tr("   Bağlantı Yok"));
    }
}
