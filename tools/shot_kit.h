#pragma once
// What the developer tools share when they drive the real client: the
// program's look, the in-process simulator, the login through the login
// window, clicks on device items and named buttons, waits, and saving a
// window as a PNG.
#include "client_windows.h"
#include "named_widgets.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class GroupBarItem;
class QApplication;
class QPoint;
class QWidget;

namespace sim {
class SimServer;
}

namespace shot {

// The look the client's own start-up gives the program (name, icon, style,
// font). With turkish set, the default locale becomes Turkish first, so the
// windows built afterwards write decimals with a comma.
void prepareApplication(QApplication &app, bool turkish);

// Runs the event loop until done() holds or ms have passed; tells whether
// done() held.
bool waitFor(const std::function<bool()> &done, int ms = 5000);
// Runs the event loop for ms.
void settle(int ms);
// A left press and release at the middle of the widget (or at a point of
// it), as a mouse click delivers them.
void click(QWidget *widget);
void click(QWidget *widget, const QPoint &at);

// The bundled simulator's demo site on 127.0.0.1 (a free port), answering at
// once; a stored message is announced after noticeMs.
std::unique_ptr<sim::SimServer> startSimulator(int noticeMs = 20000);

// The client's five windows and the steps a user takes in them. Every failed
// step is reported on stderr and counted; the tools go on with the next one.
class Client {
public:
    // With `only` given, save() writes only the pictures of those names and
    // passes over the others (the scenes still run, for the state they leave).
    explicit Client(const QString &outDir = QString(), const QStringList &only = {});

    ClientWindows &windows() { return m_w; }
    TFrmAna &ana() { return m_w.ana; }
    NamedWidgets &named() { return m_w.ana.widgets(); }
    template <class T> T *get(const char *name)
    {
        T *o = named().get<T>(QLatin1String(name));
        if (!o)
            fail(QStringLiteral("no component %1").arg(QLatin1String(name)));
        return o;
    }

    // Shows the main window; when its login window comes up, fills it in
    // (the port in the hidden port field), runs whileShown, presses
    // "Bağlan" and waits for the connection and for `devices` items (or for
    // any item with devices 0) in the device bar.
    bool login(const QString &host, quint16 port, const QString &user, const QString &password, int devices,
               const std::function<void()> &whileShown = {});

    // The device bar's item of this serial, or null.
    GroupBarItem *deviceItem(quint32 serial) const;
    // Clicks the device's item and waits for `reads` answers.
    bool selectDevice(quint32 serial, int reads = 1);
    // Makes the page current by clicking its tab (revealing a hidden tab
    // first, which only the program itself can do).
    bool showPage(int index, bool reveal = false);
    // Clicks the named button of the main window (or of `in`), then waits
    // for `reads` socket reads (0: no wait).
    bool press(const char *button, int reads = 1, QWidget *in = nullptr);
    // Waits for `reads` reads more than the communication log held at `from`.
    bool awaitReads(int from, int reads, int ms = 8000);
    int readCount() const;
    // One refresh of the live display (Timer1 ticks every second).
    void awaitRefresh() { settle(1100); }

    // Grabs the widget (the main window by default) into OUTDIR/name.
    bool save(const QString &name, QWidget *widget = nullptr);

    // Reports a failed step; the count decides the tool's exit code.
    bool fail(const QString &why);
    int failures() const { return m_failures; }

private:
    ClientWindows m_w;
    QString m_out;
    QStringList m_only;
    int m_failures = 0;
};

} // namespace shot
