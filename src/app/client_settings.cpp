#include "client_settings.h"

#include <QCoreApplication>
#include <QSettings>

#include <memory>

namespace client_settings {

namespace {
// The settings file's own name: the program's display name carries blanks
// and Turkish letters, a file name had better not.
constexpr char kFileName[] = "tarnek-client";

std::unique_ptr<QSettings> &current()
{
    static std::unique_ptr<QSettings> s;
    return s;
}
} // namespace

QSettings &store()
{
    std::unique_ptr<QSettings> &s = current();
    if (!s)
        s = std::make_unique<QSettings>(QCoreApplication::organizationName(), QLatin1String(kFileName));
    return *s;
}

void useFile(const QString &path)
{
    std::unique_ptr<QSettings> &s = current();
    if (s)
        s->sync();
    s.reset();
    if (!path.isEmpty())
        s = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

Login login(const QSettings &s)
{
    Login l;
    l.user = s.value(QStringLiteral("login/user")).toString();
    l.host = s.value(QStringLiteral("login/host")).toString();
    bool ok = false;
    const int port = s.value(QStringLiteral("login/port")).toInt(&ok);
    l.port = ok && port > 0 && port <= 65535 ? port : 0;
    l.rememberPassword = s.value(QStringLiteral("login/rememberPassword"), false).toBool();
    return l;
}

void setLogin(QSettings &s, const Login &l)
{
    s.setValue(QStringLiteral("login/user"), l.user);
    s.setValue(QStringLiteral("login/host"), l.host);
    if (l.port > 0 && l.port <= 65535)
        s.setValue(QStringLiteral("login/port"), l.port);
    else
        s.remove(QStringLiteral("login/port"));
    s.setValue(QStringLiteral("login/rememberPassword"), l.rememberPassword);
}

bool autoReconnect(const QSettings &s)
{
    return s.value(QStringLiteral("connection/autoReconnect"), true).toBool();
}

void setAutoReconnect(QSettings &s, bool on)
{
    s.setValue(QStringLiteral("connection/autoReconnect"), on);
}

QByteArray mainWindowGeometry(const QSettings &s)
{
    return s.value(QStringLiteral("mainWindow/geometry")).toByteArray();
}

void setMainWindowGeometry(QSettings &s, const QByteArray &geometry)
{
    s.setValue(QStringLiteral("mainWindow/geometry"), geometry);
}

int watchIntervalMinutes(const QSettings &s)
{
    bool ok = false;
    const int minutes = s.value(QStringLiteral("watch/intervalMinutes")).toInt(&ok);
    return ok && minutes > 0 ? minutes : 0;
}

void setWatchIntervalMinutes(QSettings &s, int minutes)
{
    s.setValue(QStringLiteral("watch/intervalMinutes"), minutes);
}

bool watchAlarmOnCritical(const QSettings &s)
{
    return s.value(QStringLiteral("watch/alarmOnCritical"), false).toBool();
}

void setWatchAlarmOnCritical(QSettings &s, bool on)
{
    s.setValue(QStringLiteral("watch/alarmOnCritical"), on);
}

} // namespace client_settings
