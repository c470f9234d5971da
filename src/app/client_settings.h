#pragma once
#include <QByteArray>
#include <QString>

class QSettings;

// What the client remembers between runs, in the user's settings (QSettings;
// the organisation name is set at start-up). Features keep their own keys in
// this one store, grouped by a prefix of their own ("history/…").
namespace client_settings {

// The program's settings store.
QSettings &store();
// Points the store at this file (INI format) instead of the user's settings;
// an empty path goes back to the user's. For tests and tools.
void useFile(const QString &path);

// The login as last used. A field left empty (port 0) was never stored.
struct Login {
    QString user;
    QString host;
    int port = 0;
    bool rememberPassword = false; // "Beni hatırla": the password is in the keyring
};
Login login(const QSettings &s);
void setLogin(QSettings &s, const Login &login);

// Reconnecting on its own when the connection drops; on unless switched off.
bool autoReconnect(const QSettings &s);
void setAutoReconnect(QSettings &s, bool on);

QByteArray mainWindowGeometry(const QSettings &s);

// The compensation watch: minutes between sweeps (0: never stored) and
// whether KRİTİK raises an alarm too.
int watchIntervalMinutes(const QSettings &s);
void setWatchIntervalMinutes(QSettings &s, int minutes);
bool watchAlarmOnCritical(const QSettings &s);
void setWatchAlarmOnCritical(QSettings &s, bool on);

void setMainWindowGeometry(QSettings &s, const QByteArray &geometry);

} // namespace client_settings
