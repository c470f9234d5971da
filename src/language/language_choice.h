#pragma once
// The interface language: Turkish (the texts of the source) or English (the
// translation built into the program). It changes what the programs say,
// never what goes on the wire or into a database: dates and numbers keep
// following the regional settings, whatever the language.
#include <QString>
#include <QStringList>

class QCoreApplication;
class QLocale;
class QSettings;

namespace language {

inline const QString kTurkish = QStringLiteral("tr");
inline const QString kEnglish = QStringLiteral("en");

// The language to start in: the one asked for on the command line, else the
// one chosen in the client's menu before, else the system's (Turkish under a
// Turkish locale, English otherwise). Anything but "tr" and "en" counts as
// not given.
QString chooseLanguage(const QString &requested, const QString &remembered, const QLocale &system);

// The value of "--lang VALUE" or "--lang=VALUE" in the program's arguments;
// empty when it is not given.
QString requestedLanguage(const QStringList &arguments);

// The choice made in the client's "Dil / Language" menu, kept in its settings.
QString rememberedLanguage(const QSettings &settings);
void rememberLanguage(QSettings &settings, const QString &language);

// Installs the translation of the language into the application (nothing
// for Turkish, the language of the source texts), and for Turkish Qt's own
// translation of its standard texts (dialog buttons, command-line help)
// where the system has it. Returns false when the program's translation
// could not be loaded; the texts then stay Turkish.
bool installTranslator(QCoreApplication &app, const QString &language);

// The language installed last (Turkish before any).
QString currentLanguage();

} // namespace language
