#include "language_choice.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

namespace language {

namespace {

const QString kSettingsKey = QStringLiteral("language");

QPointer<QTranslator> &installed()
{
    static QPointer<QTranslator> translator;
    return translator;
}

// Qt's own texts (the buttons of the file and message dialogs, the context
// menus of the edit fields, the command line's help) in Turkish, from Qt's
// translations where the system has them; English is their source language.
QPointer<QTranslator> &installedQt()
{
    static QPointer<QTranslator> translator;
    return translator;
}

void installQtTexts(QCoreApplication &app, const QString &language)
{
    if (QTranslator *old = installedQt()) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    if (language != kTurkish)
        return;
    auto *translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Turkish, QLocale::Turkey), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installedQt() = translator;
}

QString &current()
{
    static QString language = kTurkish;
    return language;
}

bool known(const QString &language)
{
    return language == kTurkish || language == kEnglish;
}

// The language the system's locale asks the interface to speak: its first
// interface language (LANGUAGE, LC_MESSAGES, LANG), else its name.
QString systemLanguage(const QLocale &system)
{
    const QStringList ui = system.uiLanguages();
    const QString first = ui.isEmpty() ? system.name() : ui.first();
    return first.startsWith(QLatin1String("tr"), Qt::CaseInsensitive) ? kTurkish : kEnglish;
}

} // namespace

QString chooseLanguage(const QString &requested, const QString &remembered, const QLocale &system)
{
    if (known(requested))
        return requested;
    if (known(remembered))
        return remembered;
    return systemLanguage(system);
}

QString requestedLanguage(const QStringList &arguments)
{
    const QString option = QStringLiteral("--lang");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == option)
            return i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
        if (a.startsWith(option + u'='))
            return a.mid(option.size() + 1);
    }
    return {};
}

QString rememberedLanguage(const QSettings &settings)
{
    return settings.value(kSettingsKey).toString();
}

void rememberLanguage(QSettings &settings, const QString &language)
{
    settings.setValue(kSettingsKey, language);
}

bool installTranslator(QCoreApplication &app, const QString &language)
{
    if (QTranslator *old = installed()) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    current() = kTurkish;
    installQtTexts(app, language == kEnglish ? kEnglish : kTurkish);
    if (language != kEnglish)
        return language == kTurkish;
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/translations/tarnek_en.qm"))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed() = translator;
    current() = kEnglish;
    return true;
}

QString currentLanguage()
{
    return current();
}

} // namespace language
