#include "history_cli.h"
#include "history_location.h"
#include "language_choice.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The client's names: its data folder and settings are the ones read.
    QCoreApplication::setOrganizationName(QString::fromUtf8(history::kClientOrganizationName));
    QCoreApplication::setApplicationName(QString::fromUtf8(history::kClientApplicationName));
    const QStringList arguments = QCoreApplication::arguments();
    language::installTranslator(
        app, history::cli::chooseLanguage(arguments, language::rememberedLanguage(QSettings()), QLocale::system()));
    return history::cli::run(arguments);
}
