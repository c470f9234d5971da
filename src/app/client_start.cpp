#include "client_start.h"

#include "app_options.h"
#include "client_settings.h"
#include "client_windows.h"
#include "history_wiring.h"
#include "login_memory.h"
#include "secret_store.h"

#include <QApplication>
#include <QSettings>
#include <QSystemTrayIcon>

void startClient(ClientWindows &w, const AppOptions &options)
{
    QSettings &settings = client_settings::store();
    auto *memory = new LoginMemory(w.giris, w.ana.connection(), settings,
                                   makeKeyringStore(QStringLiteral("tarnek-client")), &w.giris);
    memory->restore(options.user, options.host, options.port);
    startRecording(w.ana, options.history);

    const QByteArray geometry = client_settings::mainWindowGeometry(settings);
    if (!geometry.isEmpty())
        w.ana.restoreGeometry(geometry);
    TFrmAna *ana = &w.ana;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, ana, [ana] {
        QSettings &s = client_settings::store();
        client_settings::setMainWindowGeometry(s, ana->saveGeometry());
        s.sync();
    });

    if (!options.minimized) {
        w.ana.show();
    } else if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // No notification area to start in: a minimised window instead,
        // whose first showing still brings up the login.
        w.ana.showMinimized();
    }
    // Otherwise only the tray icon shows; restoring the window from it runs
    // the first showing with the login.
}
