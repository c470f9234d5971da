#include "history_location.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace history {

namespace {
const char *const kContext = "history::Location";
constexpr char kDefaultConnectTimeout[] = "connect_timeout=5";
} // namespace

QString Location::display() const
{
    if (backend == Backend::SQLite)
        return QDir::toNativeSeparators(file);
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(user);
    url.setHost(host);
    url.setPort(port);
    url.setPath(QLatin1Char('/') + database);
    return url.toString();
}

std::optional<Location> parseLocation(const QString &text, QString *error)
{
    const auto fail = [&](const char *message) -> std::optional<Location> {
        if (error)
            *error = QCoreApplication::translate(kContext, message).arg(text);
        return std::nullopt;
    };
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return fail(QT_TRANSLATE_NOOP("history::Location", "Geçmiş veritabanı belirtilmemiş: \"%1\""));
    Location loc;
    if (!trimmed.startsWith(u"postgresql://", Qt::CaseInsensitive)
        && !trimmed.startsWith(u"postgres://", Qt::CaseInsensitive)) {
        loc.file = QDir::cleanPath(QDir::current().absoluteFilePath(trimmed));
        return loc;
    }
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return fail(QT_TRANSLATE_NOOP("history::Location", "Geçersiz PostgreSQL adresi: \"%1\""));
    loc.backend = Backend::PostgreSQL;
    loc.host = url.host();
    loc.port = url.port(5432);
    loc.user = url.userName(QUrl::FullyDecoded);
    loc.password = url.password(QUrl::FullyDecoded);
    if (loc.password.isEmpty())
        loc.password = qEnvironmentVariable("PGPASSWORD");
    loc.database = url.path(QUrl::FullyDecoded).mid(1);
    if (loc.database.isEmpty() || loc.database.contains(u'/'))
        return fail(QT_TRANSLATE_NOOP("history::Location", "PostgreSQL adresinde veritabanı adı yok: \"%1\""));
    QStringList options;
    bool timeout = false;
    for (const auto &[key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        // libpq's own syntax: a value with a space or quote would end the
        // item, so such values are refused rather than passed on.
        if (key.isEmpty() || value.contains(u' ') || value.contains(u'\'') || value.contains(u';')
            || key.contains(u' ') || key.contains(u'='))
            return fail(QT_TRANSLATE_NOOP("history::Location", "PostgreSQL adresinde geçersiz seçenek: \"%1\""));
        options.append(key + u'=' + value);
        timeout = timeout || key == u"connect_timeout";
    }
    if (!timeout)
        options.append(QLatin1String(kDefaultConnectTimeout));
    loc.options = options.join(u';');
    return loc;
}

QString defaultHistoryFile()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(QStringLiteral("history.sqlite"));
}

std::optional<QString> historyArgument(const QStringList &arguments)
{
    std::optional<QString> found;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == u"--history" || a == u"-history") {
            if (i + 1 < arguments.size())
                found = arguments.at(++i);
        } else if (a.startsWith(u"--history=")) {
            found = a.mid(10);
        }
    }
    return found;
}

QCommandLineOption historyOption()
{
    return QCommandLineOption(QStringList{QStringLiteral("history")},
                              QCoreApplication::translate(kContext, "Geçmiş veritabanı: bir SQLite dosyası ya da "
                                                                    "postgresql://kullanıcı@sunucu:port/veritabanı"),
                              QStringLiteral("FILE|URL"));
}

std::optional<Location> resolveLocation(const std::optional<QString> &commandLine, const QString &setting,
                                        QString *error)
{
    if (commandLine)
        return parseLocation(*commandLine, error);
    if (!setting.trimmed().isEmpty())
        return parseLocation(setting, error);
    return parseLocation(defaultHistoryFile(), error);
}

QString settingLocation()
{
    return QSettings(QString::fromUtf8(kClientOrganizationName), QLatin1String(kClientSettingsName))
        .value(QLatin1String(kSettingsKey))
        .toString();
}

} // namespace history
