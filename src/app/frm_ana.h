#pragma once
#include "client_state.h"
#include "dispatcher.h"
#include "message_context.h"
#include "named_widgets.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTabWidget;
class QTcpSocket;
class QTimer;
class GroupBar;
class ImageList;
class ShapeLamp;
class UrlLabel;
class TFrmGiris;
class TFrmhaberlesme;
class TFrmMesajlar;
class TVD1KAL;

// The main window: owns the connection-wide state, the server socket, the
// timers, the tray icon and every page of the working area.
class TFrmAna : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmAna(QWidget *parent = nullptr);
    ~TFrmAna() override;

    void attach(TFrmGiris *giris, TFrmhaberlesme *haberlesme, TVD1KAL *store, TFrmMesajlar *mesajlar);

    ConnectionState &state() { return m_state; }
    NamedWidgets &widgets() { return m_widgets; }
    MessageContext &messageContext() { return m_context; }
    Dispatcher &dispatcher() { return m_dispatcher; }

    // The server connection.
    QTcpSocket *Clientsoket() const { return m_socket; }
    QString socketHost() const { return m_host; }
    void setSocketHost(const QString &host) { m_host = host; }
    quint16 socketPort() const { return m_port; }
    void setSocketPort(quint16 port) { m_port = port; }
    void openConnection();
    void abandonConnection(); // drops an attempt that is still under way
    // Sends one request; does nothing while the connection is not up.
    void send(const QByteArray &request);
    // The end of the connect sequence once the socket is up.
    void loggedIn(const QByteArray &user, const QByteArray &password);

    // Socket events.
    void ClientsoketConnect();
    void ClientsoketRead();
    void ClientsoketDisconnect();
    void ClientsoketError();
    // Hands one read to the log and the dispatcher.
    void handleRead(const QByteArray &bytes);

    void restoreFromTray();
    void showCommunicationLog(); // "Haberlesme"
    void showMessages();         // "Yeni Mesajları Oku"
    bool firstShowDone() const { return m_firstShown; }
    void firstShow();

    QSystemTrayIcon *trayIcon() const { return m_tray; }
    QMenu *trayMenu() const { return m_trayMenu; }

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTopStrip(QWidget *parent, class QVBoxLayout *into);
    void buildLeftColumn(QWidget *parent, class QHBoxLayout *into);
    void buildMenus();
    void buildTray();
    void buildTimers();
    void TimerPingTimer();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void toggleHiddenPair();

    ConnectionState m_state;
    Dispatcher m_dispatcher;
    MessageContext m_context;
    NamedWidgets m_widgets;

    QTcpSocket *m_socket = nullptr;
    QString m_host;
    quint16 m_port = 17815;
    bool m_firstShown = false;

    QPointer<TFrmGiris> m_giris;
    QPointer<TFrmhaberlesme> m_haberlesme;
    QPointer<TVD1KAL> m_store;
    QPointer<TFrmMesajlar> m_mesajlar;

    ShapeLamp *Shape1 = nullptr;
    QLabel *LblMesaj = nullptr;
    QLabel *LblGiden = nullptr;
    UrlLabel *RzURLLabel1 = nullptr;
    GroupBar *RzGroupBar1 = nullptr;
    QTabWidget *suiPageControl1 = nullptr;
    ImageList *ImageList1 = nullptr;
    ImageList *ImageList2 = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QMenu *m_trayMenu = nullptr;
    QTimer *m_trayAnimation = nullptr;
    int m_trayFrame = 0;
    QAction *AktifCihaz1 = nullptr;
};
