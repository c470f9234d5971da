#include "appearance.h"
#include "client_windows.h"
#include "image_list.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TARNEK İNTERAKTİF"));
    QApplication::setWindowIcon(pictures::applicationIcon());
    // The installed desktop entry: desktops match the windows to its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("invalid.tarnek.client"));
    applyAppearance(app);
    ClientWindows windows;
    windows.ana.show();
    return app.exec();
}
