#pragma once
#include "client_context.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class LedProgressBar;
class PanelStatusBar;
class ServerConnection;

// Login window: user name and password, the connection to the central server
// and the login request.
class TFrmGiris : public QDialog, public LoginLink {
    Q_OBJECT
public:
    explicit TFrmGiris(QWidget *parent = nullptr);

    // The server connection the connect sequence opens.
    void setConnection(ServerConnection *connection);
    // How the internet state is asked; the platform's reachability by default.
    void setInternetProbe(std::function<bool()> probe) { m_internet = std::move(probe); }

    // Progress of the connection: an unsigned 16-bit value without an upper
    // clamp; the wait ends when it equals exactly 100.
    quint16 progress() const { return m_progress; }
    void setProgress(quint16 value) override;
    void setStatusText(const QString &text) override;
    QString statusText() const;
    void setErrorPanel(const QString &text);

    // The connect sequence ("Bağlan"); also run by a device click while the
    // connection is down, with the window hidden.
    void suiButton1Click();
    void suiButton2Click(); // "İptal"
    void suiButton3Click(); // "Kapat"
    // The socket's connect and error events, as the login window sees them.
    void socketConnected();
    void socketFailed();

    QString defaultHost() const;
    QString alternateHost() const;

    // The host every showing puts into the server field (the default host
    // unless the command line or the last login chose another), the port
    // field's text and the user name, filled in before the first show.
    void prefill(const QString &user, const QString &host, int port);
    QString startHost() const { return m_startHost.isEmpty() ? defaultHost() : m_startHost; }
    QLineEdit *userField() const { return Edit1; }
    QLineEdit *passwordField() const { return Edit4; }
    QLineEdit *hostField() const { return Servername; }
    QLineEdit *portField() const { return edtport; }
    // "Beni hatırla": the password is kept in the desktop's keyring.
    QCheckBox *rememberBox() const { return chkBeniHatirla; }

signals:
    // "Kapat": the main window closes, which ends the program.
    void closeProgram();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Timer1Timer();
    void endWait();
    void wakeWait();

    ServerConnection *m_connection = nullptr;
    std::function<bool()> m_internet;
    quint16 m_progress = 0;
    class QEventLoop *m_waitLoop = nullptr; // the connection wait, while it runs
    QString m_startHost;

    QLineEdit *Edit1, *Edit4, *Servername, *edtport;
    QPlainTextEdit *edit3;
    QComboBox *kategori;
    QCheckBox *CheckBox1, *chkBeniHatirla;
    QLabel *lblPortno;
    LedProgressBar *RzProgressBar1;
    PanelStatusBar *LABEL6;
    QPushButton *suiButton1, *suiButton2, *suiButton3;
    QTimer *Timer1;
};
