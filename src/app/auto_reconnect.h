#pragma once
// Automatic reconnection: when the connection to the server drops without the
// user ending it, the client connects again after growing waits and logs in
// again with this run's user name and password, the device bar and the
// selection staying as they were. The status line counts down to the next
// attempt and the login window shows while the attempts go on, so that
// "İptal" there stops them ("Kapat" ends the program as ever). A login the
// server refuses stops them too. Switched off (the menu's check item
// "Otomatik Yeniden Bağlan"), a drop waits for the user: a device click
// connects and logs in again through the login window.
#include "reconnect_policy.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QTimer;
class TFrmAna;
class TFrmGiris;

class AutoReconnect : public QObject {
    Q_OBJECT
public:
    static constexpr int kAttemptTimeoutMs = 15000; // a connect that takes longer fails
    static constexpr int kBarCheckMs = 10000;        // the bar after a login again, for the log

    explicit AutoReconnect(QObject *parent = nullptr);
    ~AutoReconnect() override;

    // Wires itself to the main window's connection, device bar, status line,
    // title and "Cihaz" menu, and to the login window's buttons. Once.
    void install(TFrmAna &ana, TFrmGiris &giris);

    ReconnectPolicy &policy() { return m_policy; }
    void setEnabled(bool on);
    bool isEnabled() const { return m_policy.isEnabled(); }
    void setWaits(int firstMs, int maxMs) { m_policy.setWaits(firstMs, maxMs); }
    void setAttemptTimeoutMs(int ms) { m_attemptTimeoutMs = ms; }
    QAction *action() const { return m_action; }

    bool retrying() const { return m_policy.retrying(); }
    int reconnections() const { return m_reconnections; }

signals:
    void enabledChanged(bool on);
    void attemptStarted(int attempt);
    // Logged in again and answered, after this many attempts.
    void reconnected(int attempts);
    // The attempts ended without a connection.
    void stopped(ReconnectPolicy::Ended why);

private:
    void socketStateChanged();
    void socketUp();
    void loginSent();
    void bytesRead();
    void attempt();
    void attemptTimedOut();
    void cancelled();
    void stopTimers();
    void showStatus();
    void setTitleDown();
    void endRetries(ReconnectPolicy::Ended why);
    void reportBar();

    ReconnectPolicy m_policy;
    QPointer<TFrmAna> m_ana;
    QPointer<TFrmGiris> m_giris;
    QAction *m_action = nullptr;
    QTimer *m_next = nullptr;      // the wait before the next attempt
    QTimer *m_countdown = nullptr; // the status line, every second
    QTimer *m_timeout = nullptr;   // an attempt that takes too long
    int m_attemptTimeoutMs = kAttemptTimeoutMs;
    int m_reconnections = 0;
};
