#pragma once
// The interface language: Turkish (the texts of the source) or English (the
// translation built into the program). It changes what the windows say, never
// what goes on the wire: dates and numbers keep following the regional
// settings, whatever the language.
#include <QString>
#include <QStringList>

class QApplication;
class QLocale;
class QMenuBar;
class QSettings;

namespace language {

inline const QString kTurkish = QStringLiteral("tr");
inline const QString kEnglish = QStringLiteral("en");

// The language to start in: the one asked for on the command line, else the
// one chosen in the menu before, else the system's (Turkish under a Turkish
// locale, English otherwise). Anything but "tr" and "en" counts as not given.
QString chooseLanguage(const QString &requested, const QString &remembered, const QLocale &system);

// The value of "--lang VALUE" or "--lang=VALUE" in the program's arguments;
// empty when it is not given.
QString requestedLanguage(const QStringList &arguments);

// The choice made in the "Dil / Language" menu, kept in the settings.
QString rememberedLanguage(const QSettings &settings);
void rememberLanguage(QSettings &settings, const QString &language);

// Installs the translation of the language into the application (nothing
// for Turkish, the language of the source texts), and for Turkish Qt's own
// translation of its standard texts (dialog buttons) where the system has it.
// Returns false when the program's translation could not be loaded; the
// texts then stay Turkish.
bool installTranslator(QApplication &app, const QString &language);

// At start: the language chosen from the command line's request, the
// remembered choice and the system's locale, installed.
void startIn(QApplication &app, const QString &requested);

// The language installed last (Turkish before any).
QString currentLanguage();

// "Dil / Language" with "Türkçe" and "English" in the menu bar: the current
// language is ticked; a choice is remembered for the next start, which the
// user is told.
void addLanguageMenu(QMenuBar *bar);

} // namespace language
