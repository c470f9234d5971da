#pragma once
#include <QObject>
#include <QString>

#include <memory>

class QSettings;
class SecretStore;
class ServerConnection;
class TFrmGiris;

// Remembers the login between runs: the user name, the server host and port
// as last used and the state of "Beni hatırla" in the settings, the password
// (only with "Beni hatırla") in the keyring. Fills the login window at start;
// what the command line gives wins over what was remembered.
class LoginMemory : public QObject {
    Q_OBJECT
public:
    // The settings must outlive this object; a null keyring means none can
    // be had.
    LoginMemory(TFrmGiris &login, ServerConnection &connection, QSettings &settings,
                std::unique_ptr<SecretStore> keyring, QObject *parent = nullptr);
    ~LoginMemory() override;

    // Fills the login window: the remembered login, overridden field by field
    // by the command line's (empty host or user, port 0: not given). The
    // remembered password arrives from the keyring a moment later.
    void restore(const QString &user = QString(), const QString &host = QString(), int port = 0);

    // The keyring entry of a user's password on a server.
    static QString keyFor(const QString &user, const QString &host);

signals:
    // The keyring answered a restore (filled or not) or a save.
    void keyringAnswered();

private:
    void remember(); // after a successful login
    void rememberToggled(bool on);
    void noKeyring();
    void userEdited(const QString &text);

    TFrmGiris &m_login;
    QSettings &m_settings;
    std::unique_ptr<SecretStore> m_keyring;
    QString m_filledFor; // user whose remembered password fills the field
    QString m_filledPassword;
};
