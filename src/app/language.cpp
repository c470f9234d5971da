#include "language.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
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
// menus of the edit fields) in Turkish, from Qt's translations where the
// system has them; English is their source language.
QPointer<QTranslator> &installedQt()
{
    static QPointer<QTranslator> translator;
    return translator;
}

void installQtTexts(QApplication &app, const QString &language)
{
    if (QTranslator *old = installedQt()) {
        QApplication::removeTranslator(old);
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
    QApplication::installTranslator(translator);
    installedQt() = translator;
}

QString &current()
{
    static QString language = kTurkish;
    return language;
}

// The user's settings of the program, where the menu's choice stays.
QSettings &userSettings()
{
    static QSettings settings;
    return settings;
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

bool installTranslator(QApplication &app, const QString &language)
{
    if (QTranslator *old = installed()) {
        QApplication::removeTranslator(old);
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
    QApplication::installTranslator(translator);
    installed() = translator;
    current() = kEnglish;
    return true;
}

void startIn(QApplication &app, const QString &requested)
{
    installTranslator(app, chooseLanguage(requested, rememberedLanguage(userSettings()), QLocale::system()));
}

QString currentLanguage()
{
    return current();
}

void addLanguageMenu(QMenuBar *bar)
{
    // Both names in both languages, so that a user who cannot read the one
    // on screen still finds the other.
    QMenu *menu = bar->addMenu(QStringLiteral("Dil / Language"));
    menu->setObjectName(QStringLiteral("Dil1"));
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    const struct {
        const char *name;
        QString language;
        QString caption; // each language names itself
    } choices[] = {
        {"Turkce1", kTurkish, QStringLiteral("Türkçe")},
        {"English1", kEnglish, QStringLiteral("English")},
    };
    for (const auto &c : choices) {
        QAction *a = menu->addAction(c.caption);
        a->setObjectName(QLatin1String(c.name));
        a->setCheckable(true);
        a->setChecked(c.language == currentLanguage());
        group->addAction(a);
        const QString language = c.language;
        QObject::connect(a, &QAction::triggered, menu, [bar, language] {
            rememberLanguage(userSettings(), language);
            // Not modal: the choice needs no answer and waits for the next start.
            auto *notice = new QMessageBox(
                QMessageBox::Information, QApplication::applicationName(),
                QCoreApplication::translate("Language", "Dil seçimi programın bir sonraki açılışında geçerli olur."),
                QMessageBox::Ok, bar->window());
            notice->setObjectName(QStringLiteral("languageNotice"));
            notice->setAttribute(Qt::WA_DeleteOnClose);
            notice->open();
        });
    }
}

} // namespace language
