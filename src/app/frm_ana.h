#pragma once
#include "client_context.h"
#include "client_state.h"
#include "dispatcher.h"
#include "named_widgets.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTabWidget;
class QDialog;
class QTimer;
class RefreshCycle;
class ServerConnection;
class GroupBar;
class ImageList;
class ShapeLamp;
class UrlLabel;
class TFrmhaberlesme;
class TFrmMesajlar;
class TVD1KAL;
namespace fleet {
class ClientEvents;
class DeviceRegistry;
class RequestScheduler;
} // namespace fleet

// The main window: owns the connection-wide state, the server connection, the
// timers, the tray icon and every page of the working area, and wires the
// subsystems (message handlers, commands, live display) to them.
class TFrmAna : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmAna(QWidget *parent = nullptr);
    ~TFrmAna() override;

    // The login window as the frame sees it: a modal dialog shown at first
    // show, its progress and status line, and its connect sequence (run again
    // by a device click while the connection is down).
    struct Login {
        QDialog *dialog = nullptr;
        LoginLink *link = nullptr;
        std::function<void()> connectSequence;
    };
    void attach(const Login &login, TFrmhaberlesme *haberlesme, TVD1KAL *store, TFrmMesajlar *mesajlar);

    ConnectionState &state() { return m_state; }
    NamedWidgets &widgets() { return m_widgets; }
    ClientContext &context() { return m_context; }
    Dispatcher &dispatcher() { return m_dispatcher; }
    ServerConnection &connection() { return *m_connection; }
    fleet::DeviceRegistry &registry() { return *m_registry; }
    fleet::RequestScheduler &scheduler() { return *m_scheduler; }
    fleet::ClientEvents &events() { return *m_events; }

    // Socket events.
    void ClientsoketConnect();
    void ClientsoketRead(const QByteArray &bytes);
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
    ClientContext m_context;
    NamedWidgets m_widgets;
    ServerConnection *m_connection = nullptr;
    fleet::DeviceRegistry *m_registry = nullptr;
    fleet::RequestScheduler *m_scheduler = nullptr;
    fleet::ClientEvents *m_events = nullptr;
    std::unique_ptr<RefreshCycle> m_refresh;
    bool m_firstShown = false;

    QPointer<QDialog> m_giris;
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
