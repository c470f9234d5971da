#include "appearance.h"
#include "client_windows.h"
#include "image_list.h"
#include "language.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TARNEK İNTERAKTİF"));
    QApplication::setWindowIcon(pictures::applicationIcon());
    applyAppearance(app);
    language::startIn(app, language::requestedLanguage(app.arguments()));
    ClientWindows windows;
    windows.ana.show();
    return app.exec();
}
