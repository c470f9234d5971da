#include "app_options.h"

#include "build_settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("AppOptions", text);
}

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, tr("Bu yardımı gösterir.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}, tr("Sürümü gösterir.")};
    QCommandLineOption host{QStringLiteral("host"), tr("Bağlanılacak sunucu adı veya adresi."), tr("sunucu")};
    QCommandLineOption port{QStringLiteral("port"), tr("Sunucunun port numarası (1-65535)."), tr("port")};
    QCommandLineOption user{QStringLiteral("user"), tr("Giriş penceresine yazılacak kullanıcı adı."),
                            tr("kullanıcı")};
    QCommandLineOption lang{QStringLiteral("lang"), tr("Arayüz dili: tr veya en."), tr("dil")};
    QCommandLineOption history{QStringLiteral("history"), tr("Açılacak geçmiş dosyası veya adresi."),
                               tr("dosya|adres")};
    QCommandLineOption minimized{QStringLiteral("minimized"),
                                 tr("Bildirim alanında başlar (bildirim alanı yoksa simge durumunda).")};

    Parser()
    {
        parser.setApplicationDescription(tr("Uzaktan izleme ve ayar istemcisi."));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({help, version, host, port, user, lang, history, minimized});
    }
};

QString versionLine()
{
    QString name = QCoreApplication::applicationName();
    if (name.isEmpty())
        name = QStringLiteral("tarnek-client");
    return name + QLatin1Char(' ') + QStringLiteral(CLIENT_VERSION);
}

AppOptions failure(const QString &why)
{
    AppOptions o;
    o.action = AppOptions::Action::Fail;
    o.message = why;
    return o;
}

// A value given on the command line must say something.
bool given(const QCommandLineParser &p, const QCommandLineOption &o, QString *value)
{
    if (!p.isSet(o))
        return true;
    *value = p.value(o);
    return !value->trimmed().isEmpty();
}

} // namespace

AppOptions parseAppOptions(const QStringList &arguments)
{
    Parser p;
    const bool parsed = p.parser.parse(arguments.isEmpty() ? QStringList{QStringLiteral("tarnek-client")}
                                                           : arguments);
    // Help and version answer even beside a mistake elsewhere on the line.
    if (p.parser.isSet(p.help)) {
        AppOptions o;
        o.action = AppOptions::Action::ShowHelp;
        o.message = p.parser.helpText();
        return o;
    }
    if (p.parser.isSet(p.version)) {
        AppOptions o;
        o.action = AppOptions::Action::ShowVersion;
        o.message = versionLine() + QLatin1Char('\n');
        return o;
    }
    if (!parsed)
        return failure(p.parser.errorText());
    if (!p.parser.positionalArguments().isEmpty())
        return failure(tr("Beklenmeyen argüman: %1").arg(p.parser.positionalArguments().constFirst()));

    AppOptions o;
    if (!given(p.parser, p.host, &o.host))
        return failure(tr("--host için bir sunucu adı gerekli."));
    if (!given(p.parser, p.user, &o.user))
        return failure(tr("--user için bir kullanıcı adı gerekli."));
    if (!given(p.parser, p.history, &o.history))
        return failure(tr("--history için bir dosya veya adres gerekli."));
    o.host = o.host.trimmed();
    if (p.parser.isSet(p.port)) {
        bool ok = false;
        const QString text = p.parser.value(p.port).trimmed();
        const int port = text.toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return failure(tr("Geçersiz port numarası: %1 (1-65535 olmalı).").arg(p.parser.value(p.port)));
        o.port = port;
    }
    if (p.parser.isSet(p.lang)) {
        const QString lang = p.parser.value(p.lang).trimmed().toLower();
        if (lang != QLatin1String("tr") && lang != QLatin1String("en"))
            return failure(tr("Geçersiz dil: %1 (tr veya en olmalı).").arg(p.parser.value(p.lang)));
        o.language = lang;
    }
    o.minimized = p.parser.isSet(p.minimized);
    return o;
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
