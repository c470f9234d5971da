#include "app_options.h"
#include "appearance.h"
#include "build_settings.h"
#include "client_start.h"
#include "client_windows.h"
#include "image_list.h"
#include "language.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnek"));
    QCoreApplication::setApplicationName(QStringLiteral("TARNEK İNTERAKTİF"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CLIENT_VERSION));
    if (const int code = answerBeforeStart(argc, argv); code >= 0)
        return code; // --help, --version: no display needed
    QApplication app(argc, argv);
    const AppOptions options = parseAppOptions(QApplication::arguments());
    if (options.action != AppOptions::Action::Run)
        return reportAppOptions(options);
    QApplication::setWindowIcon(pictures::applicationIcon());
    // The installed desktop entry: desktops match the windows to its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("invalid.tarnek.client"));
    applyAppearance(app);
    language::startIn(app, language::requestedLanguage(app.arguments()));
    ClientWindows windows;
    startClient(windows, options);
    return app.exec();
}
