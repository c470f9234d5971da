#include "app_options.h"

#include "build_settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

QString versionLine()
{
    QString name = QCoreApplication::applicationName();
    if (name.isEmpty())
        name = QStringLiteral("tarnek-client");
    return name + QLatin1Char(' ') + QStringLiteral(CLIENT_VERSION);
}

AppOptions outcome(AppOptions::Action action, const QString &message)
{
    AppOptions o;
    o.action = action;
    o.message = message;
    return o;
}

class Parser {
    Q_DECLARE_TR_FUNCTIONS(AppOptions)
public:
    Parser()
    {
        m_parser.setApplicationDescription(tr("Uzaktan izleme ve ayar istemcisi."));
        m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        m_parser.addOptions({m_help, m_version, m_host, m_port, m_user, m_lang, m_history, m_minimized});
    }

    AppOptions parse(const QStringList &arguments)
    {
        const bool parsed = m_parser.parse(arguments.isEmpty() ? QStringList{QStringLiteral("tarnek-client")}
                                                               : arguments);
        // Help and version answer even beside a mistake elsewhere on the line.
        if (m_parser.isSet(m_help))
            return outcome(AppOptions::Action::ShowHelp, m_parser.helpText());
        if (m_parser.isSet(m_version))
            return outcome(AppOptions::Action::ShowVersion, versionLine() + QLatin1Char('\n'));
        if (!parsed)
            return failure(m_parser.errorText());
        if (!m_parser.positionalArguments().isEmpty())
            return failure(tr("Beklenmeyen argüman: %1").arg(m_parser.positionalArguments().constFirst()));

        AppOptions o;
        if (!given(m_host, &o.host))
            return failure(tr("--host için bir sunucu adı gerekli."));
        if (!given(m_user, &o.user))
            return failure(tr("--user için bir kullanıcı adı gerekli."));
        if (!given(m_history, &o.history))
            return failure(tr("--history için bir dosya veya adres gerekli."));
        o.host = o.host.trimmed();
        if (m_parser.isSet(m_port)) {
            bool ok = false;
            const int port = m_parser.value(m_port).trimmed().toInt(&ok);
            if (!ok || port < 1 || port > 65535)
                return failure(tr("Geçersiz port numarası: %1 (1-65535 olmalı).").arg(m_parser.value(m_port)));
            o.port = port;
        }
        if (m_parser.isSet(m_lang)) {
            const QString lang = m_parser.value(m_lang).trimmed().toLower();
            if (lang != QLatin1String("tr") && lang != QLatin1String("en"))
                return failure(tr("Geçersiz dil: %1 (tr veya en olmalı).").arg(m_parser.value(m_lang)));
            o.language = lang;
        }
        o.minimized = m_parser.isSet(m_minimized);
        return o;
    }

private:
    static AppOptions failure(const QString &why) { return outcome(AppOptions::Action::Fail, why); }

    // A value given on the command line must say something.
    bool given(const QCommandLineOption &option, QString *value) const
    {
        if (!m_parser.isSet(option))
            return true;
        *value = m_parser.value(option);
        return !value->trimmed().isEmpty();
    }

    QCommandLineParser m_parser;
    QCommandLineOption m_help{{QStringLiteral("h"), QStringLiteral("help")}, tr("Bu yardımı gösterir.")};
    QCommandLineOption m_version{{QStringLiteral("v"), QStringLiteral("version")}, tr("Sürümü gösterir.")};
    QCommandLineOption m_host{QStringLiteral("host"), tr("Bağlanılacak sunucu adı veya adresi."), tr("sunucu")};
    QCommandLineOption m_port{QStringLiteral("port"), tr("Sunucunun port numarası (1-65535)."), tr("port")};
    QCommandLineOption m_user{QStringLiteral("user"), tr("Giriş penceresine yazılacak kullanıcı adı."),
                              tr("kullanıcı")};
    QCommandLineOption m_lang{QStringLiteral("lang"), tr("Arayüz dili: tr veya en."), tr("dil")};
    QCommandLineOption m_history{QStringLiteral("history"), tr("Açılacak geçmiş dosyası veya adresi."),
                                 tr("dosya|adres")};
    QCommandLineOption m_minimized{QStringLiteral("minimized"),
                                   tr("Bildirim alanında başlar (bildirim alanı yoksa simge durumunda).")};
};

} // namespace

AppOptions parseAppOptions(const QStringList &arguments)
{
    return Parser().parse(arguments);
}

int reportAppOptions(const AppOptions &options)
{
    switch (options.action) {
    case AppOptions::Action::Run:
        return -1;
    case AppOptions::Action::ShowHelp:
    case AppOptions::Action::ShowVersion:
        QTextStream(stdout) << options.message;
        return 0;
    case AppOptions::Action::Fail:
        QTextStream(stderr) << options.message << Qt::endl;
        return 2;
    }
    return -1;
}

int answerBeforeStart(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // The windowing system's own options (-platform …) are only known once
    // the application has taken them out: mistakes wait for the real parse.
    const AppOptions early = parseAppOptions(arguments);
    if (early.action != AppOptions::Action::ShowHelp && early.action != AppOptions::Action::ShowVersion)
        return -1;
    // The help text names the program as it was started.
    QCoreApplication core(argc, argv);
    return reportAppOptions(parseAppOptions(QCoreApplication::arguments()));
}
